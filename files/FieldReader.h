// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads clone files and CSV files one field at a time.
//
// Leading blanks are skipped; a field ends at a comma or at a line end (CR LF, a lone CR or a
// lone LF). A field that starts with a double quote runs to the next double quote and comes back
// without the quotes (it may hold commas); anything up to the next comma or line end after the
// closing quote is passed over. Trailing blanks of an unquoted field are part of it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace ktv4 {

class FieldReader {
public:
    explicit FieldReader(QByteArray data) : m_data(std::move(data)) {}

    bool atEnd() const { return m_pos >= m_data.size(); }

    // The next field, or nothing when the data is exhausted (reading past the end is an error).
    std::optional<QString> readField();
    // The same field as its bytes in the data, without making a text of it; valid while the reader is.
    std::optional<QByteArrayView> readFieldBytes();

    // Current position in bytes, for messages.
    qsizetype position() const { return m_pos; }

private:
    void skipToFieldEnd();

    QByteArray m_data;
    qsizetype m_pos = 0;
};

} // namespace ktv4
