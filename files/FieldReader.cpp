// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FieldReader.h"

#include <cstring>

namespace ktv4 {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Splits the text from `from` into rows, counting lines in `line`. Returns where to go on after a
// quoted field that never closes: that row ends with the line the quote opened on, and the next
// line starts a row of its own. -1 at the end of the text.
qsizetype splitFrom(const QString &text, QChar separator, qsizetype from, int &line, QList<FieldRow> &rows)
{
    FieldRow row;
    QString field;
    row.line = line;
    bool quoted = false, fieldStarted = false;
    const qsizetype n = text.size();
    auto endField = [&] {
        row.fields << field;
        field.clear();
        fieldStarted = false;
    };
    auto endRow = [&] {
        endField();
        rows << row;
        row = FieldRow{};
        row.line = line;
    };
    int quoteLine = 0;
    qsizetype quoteAt = 0;
    for (qsizetype i = from; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n') || (c == QLatin1Char('\r') && (i + 1 >= n || text[i + 1] != '\n')))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && !fieldStarted) {
            quoted = fieldStarted = true;
            quoteLine = line;
            quoteAt = i;
        } else if (c == separator) {
            endField();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            ++line;
            endRow();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) {
        qsizetype end = quoteAt + 1;
        while (end < n && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        field = text.mid(quoteAt + 1, end - quoteAt - 1);
        row.unclosed = true;
        line = quoteLine + 1;
        endRow();
        if (end + 1 < n && text[end] == QLatin1Char('\r') && text[end + 1] == QLatin1Char('\n'))
            ++end;
        return end < n ? end + 1 : -1;
    }
    if (fieldStarted || !field.isEmpty() || !row.fields.isEmpty())
        endRow();
    return -1;
}

} // namespace

void FieldReader::skipToFieldEnd()
{
    // Consumes the separator: a comma, or one line end (CR LF counts as one).
    while (m_pos < m_data.size()) {
        const char c = m_data.constData()[m_pos++];
        if (c == ',')
            return;
        if (c == '\r') {
            if (m_pos < m_data.size() && m_data.constData()[m_pos] == '\n')
                ++m_pos;
            return;
        }
        if (c == '\n')
            return;
    }
}

std::optional<QString> FieldReader::readField()
{
    const std::optional<QByteArrayView> bytes = readFieldBytes();
    if (!bytes)
        return std::nullopt;
    return QString::fromLatin1(bytes->data(), bytes->size());
}

std::optional<QByteArrayView> FieldReader::readFieldBytes()
{
    if (atEnd())
        return std::nullopt;

    const char *const data = m_data.constData();
    const qsizetype size = m_data.size();
    while (m_pos < size && isBlank(data[m_pos]))
        ++m_pos;

    m_unclosed = false;
    if (m_pos < size && data[m_pos] == '"') {
        const qsizetype start = m_pos + 1;
        qsizetype end = start;
        if (m_quotesWithinLine) {
            while (end < size && data[end] != '"' && !isLineEnd(data[end]))
                ++end;
            if (end == size || data[end] != '"') {
                // No closing quote on this line: the field ends with the line, which ends the row.
                m_unclosed = true;
                m_pos = end;
                skipToFieldEnd();
                return QByteArrayView(data + start, end - start);
            }
        } else {
            const void *quote = start < size ? std::memchr(data + start, '"', size_t(size - start)) : nullptr;
            end = quote ? static_cast<const char *>(quote) - data : size;
        }
        m_pos = end + 1;
        skipToFieldEnd();
        return QByteArrayView(data + start, end - start);
    }

    const qsizetype start = m_pos;
    while (m_pos < size && data[m_pos] != ',' && !isLineEnd(data[m_pos]))
        ++m_pos;
    // Trailing blanks belong to the field: a clone-file line with a blank too many is not a record.
    const QByteArrayView field(data + start, m_pos - start);
    skipToFieldEnd();
    return field;
}

QList<FieldRow> splitSharedRows(const QString &text, QChar separator)
{
    QList<FieldRow> rows;
    int line = 1;
    for (qsizetype from = 0; from >= 0;)
        from = splitFrom(text, separator, from, line, rows);
    return rows;
}

} // namespace ktv4
