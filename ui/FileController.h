// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The File menu's commands on the document: New, Open, Save, Save As, Import and Export, the
// recent files, files dropped on the window and File > Backups.... Each asks the save question
// where a command would throw unsaved changes away, shows its file dialogs in the window, and
// tells a failure with the file's error box. The window keeps the menu; its items start these.

#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>

class QAction;
class QMenu;
class QMimeData;
class QWidget;

namespace ktv4 {
class CloneDocument;
struct FileResult;
} // namespace ktv4

namespace ktv4::ui {

class BackupsDialog;
class MemoryCommands;
class MemoryPanel;
class UserPrompts;

class FileController : public QObject {
    Q_OBJECT
public:
    // `window` shows the dialogs and message boxes; `settingsStore` is the INI file the recent
    // files are kept in (empty: the per-user settings store). While `busy` says so (a transfer
    // owns the data) every command does nothing.
    FileController(CloneDocument &document, UserPrompts &prompts, MemoryPanel &memoryPanel, QWidget *window,
                   const QString &settingsStore, std::function<bool()> busy);

    // The clone files opened or saved last, the latest first.
    QStringList recentFiles() const { return m_recentFiles; }

    // Adds New, Open, Save, Save As, Import, Export and Backups to `file` and returns them.
    QList<QAction *> addFileItems(QMenu *file);

    // The one local ".TV4" or ".csv" file a drag carries, or empty.
    static QString droppedFile(const QMimeData *data);

public slots:
    void newFile();
    void open();
    bool save();
    bool saveAs();
    void importChannels();
    void exportChannels();
    // LoadCloneFile with its messages; a loaded file becomes the first recent file.
    bool loadCloneFile(const QString &path);
    // File > Open for a file chosen without the dialog (a recent file, a dropped file): the
    // save question first, then the load with its messages.
    void openCloneFile(const QString &path);
    // A dropped ".TV4" file is opened, a ".csv" file imported, once the drop has ended (so the
    // program it came from is not held while the questions are open).
    void openDropped(const QString &path);
    // Asks whether unsaved changes are to be saved first. False when the calling command must
    // stop (Cancel, or Yes and the changes were not saved).
    bool askSaveChanges();
    // File > Backups...: the automatic backups; the chosen one opens as File > Open would.
    void showBackups();

signals:
    void recentFilesChanged(const QStringList &files);
    // What the last import did, for the status bar.
    void statusMessage(const QString &text);

private:
    bool saveCloneFile(const QString &path);
    QString chooseCloneFile(bool save);
    void showFileError(const FileResult &result, const QString &path);
    void rememberRecentFiles(const QStringList &files);

    CloneDocument &m_document;
    UserPrompts &m_prompts;
    QWidget *m_window;
    QString m_settingsStore;
    std::function<bool()> m_busy;
    QString m_lastFileName;       // the last file a dialog chose; every file dialog starts there
    bool m_lastNameIsCsv = false; // m_lastFileName was chosen by File > Import or Export
    MemoryCommands *m_csv;        // File > Import and Export
    BackupsDialog *m_backups = nullptr;
    QStringList m_recentFiles;
};

} // namespace ktv4::ui
