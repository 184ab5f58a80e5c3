// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File > Import and File > Export: the memory channels to and from CSV files, with the file
// dialogs, the error box and the memory grid's redraw.

#include <QObject>
#include <QString>

class QWidget;

namespace ktv4 {
class CloneDocument;
}

namespace ktv4::ui {

class MemoryPanel;
class UserPrompts;

class MemoryCommands : public QObject {
    Q_OBJECT
public:
    // `lastFileName` is the name the window's file dialogs start with and remember, shared with
    // File > Open and Save As; it must outlive this object.
    MemoryCommands(CloneDocument &document, UserPrompts &prompts, MemoryPanel &panel, QString &lastFileName,
                   QObject *parent = nullptr);

    // "CSV Files (*.csv)", "CHIRP CSV (*.csv)", "All Files"; the same for both dialogs. The
    // filter the user leaves the dialog on chooses the layout: the other tool's for its filter,
    // the program's own for the others.
    static QString csvFilter();
    static QString chirpFilter();

public slots:
    // File > Import: asks for a CSV file and loads its channels. True when a file was imported.
    bool importCsv(QWidget *parent);
    // The import of a file dropped on the window, in the layout its header row names, with the
    // messages of File > Import.
    bool importCsvFile(QWidget *parent, const QString &path);
    // File > Export: asks for a file name and writes the channels in use; a name without an
    // extension gets ".csv". True when a file was written.
    bool exportCsv(QWidget *parent);

signals:
    // A CSV dialog chose `path`, which is now the name the next file dialog starts with.
    void fileChosen(const QString &path);
    // What a finished import did: rows imported, rows dropped and why (for the status bar).
    void importReported(const QString &summary);

private:
    bool importFile(QWidget *parent, const QString &path, bool chirp);
    bool importChirpCsv(QWidget *parent, const QString &path);

    CloneDocument &m_document;
    UserPrompts &m_prompts;
    MemoryPanel &m_panel;
    QString &m_lastFileName; // shared by all file dialogs of the window
    QString m_lastCsvName;   // the last name a CSV dialog chose
    QString m_lastCsvFilter; // the filter the last CSV dialog was left on; the next one starts there
};

} // namespace ktv4::ui
