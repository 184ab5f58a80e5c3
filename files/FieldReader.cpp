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

} // namespace ktv4
