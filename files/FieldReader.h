// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads the fields of every comma- or tab-separated text the program takes in: its own clone
// files and CSV files one field at a time (FieldReader), and rows of the files other programs write
// (splitSharedRows: CHIRP's CSV, cells copied from a spreadsheet).
//
// FieldReader: leading blanks are skipped; a field ends at a comma or at a line end (CR LF, a lone CR or a
// lone LF). A field that starts with a double quote runs to the next double quote and comes back
// without the quotes (it may hold commas); anything up to the next comma or line end after the
// closing quote is passed over. Trailing blanks of an unquoted field are part of it.
// For CSV files a quoted field may not run on to the next line: a quote still open at the end of
// its line ends the field there, and lastFieldUnclosed() says so, so one damaged row cannot take
// the rows after it.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace ktv4 {

class FieldReader {
public:
    enum class Quotes { AcrossLines, WithinLine };

    explicit FieldReader(QByteArray data, Quotes quotes = Quotes::AcrossLines)
        : m_data(std::move(data)), m_quotesWithinLine(quotes == Quotes::WithinLine)
    {
    }

    bool atEnd() const { return m_pos >= m_data.size(); }

    // The next field, or nothing when the data is exhausted (reading past the end is an error).
    std::optional<QString> readField();
    // The same field as its bytes in the data, without making a text of it; valid while the reader is.
    std::optional<QByteArrayView> readFieldBytes();

    // Current position in bytes, for messages.
    qsizetype position() const { return m_pos; }
    // The field last read opened a quote that its line did not close (Quotes::WithinLine).
    bool lastFieldUnclosed() const { return m_unclosed; }

private:
    void skipToFieldEnd();

    QByteArray m_data;
    qsizetype m_pos = 0;
    bool m_quotesWithinLine = false;
    bool m_unclosed = false;
};

// A row of a file other programs write (CHIRP's CSV, a spreadsheet's copied cells): fields
// between separators, a quote at a field's start runs to the next lone quote and "" inside is one
// quote, a quoted field may hold line ends. A quote still open at the end of the text ends its field
// with its own line (`unclosed`), and the next line starts a row of its own. Blanks belong to the
// fields. `line` is the line the row starts on, from 1.
struct FieldRow {
    int line = 0;
    QStringList fields;
    bool unclosed = false;
};

// The rows of `text`, ended by CR LF, a lone CR or a lone LF; `separator` is ',' or '\t'.
QList<FieldRow> splitSharedRows(const QString &text, QChar separator);

} // namespace ktv4
