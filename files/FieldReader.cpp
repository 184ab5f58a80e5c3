#include "files/FieldReader.h"

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
    if (atEnd())
        return std::nullopt;

    while (m_pos < m_data.size() && isBlank(m_data.constData()[m_pos]))
        ++m_pos;

    if (m_pos < m_data.size() && m_data.constData()[m_pos] == '"') {
        const qsizetype start = m_pos + 1;
        qsizetype end = m_data.indexOf('"', start);
        if (end < 0)
            end = m_data.size();
        QString field = QString::fromLatin1(m_data.constData() + start, end - start);
        m_pos = end + 1;
        skipToFieldEnd();
        return field;
    }

    const qsizetype start = m_pos;
    while (m_pos < m_data.size() && m_data.constData()[m_pos] != ',' && !isLineEnd(m_data.constData()[m_pos]))
        ++m_pos;
    // Trailing blanks belong to the field: a clone-file line with a blank too many is not a record.
    QString field = QString::fromLatin1(m_data.constData() + start, m_pos - start);
    skipToFieldEnd();
    return field;
}

} // namespace ktv4
