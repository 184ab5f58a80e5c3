// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FileController.h"

#include "ui/BackupsDialog.h"
#include "ui/MemoryCommands.h"
#include "ui/RecentFiles.h"
#include "ui/UserPrompts.h"

#include "files/CloneDocument.h"
#include "files/ImageFile.h"
#include "files/MemoryFile.h"
#include "files/PortSetting.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTimer>
#include <QUrl>

namespace ktv4::ui {

namespace {

// Clone files, memory files (the radio's memory as text; Open also shows *.yml), all files.
QString memoryFilter(bool save)
{
    return save ? FileController::tr("Memory as text (*.yaml)")
                : FileController::tr("Memory as text (*.yaml *.yml)");
}

QString cloneFilter(bool save)
{
    return FileController::tr("Orvane KT-V4 Clone Files (*.TV4)") + QStringLiteral(";;") +
           memoryFilter(save) + QStringLiteral(";;") + FileController::tr("All Files (*)");
}

const QString kCloneSuffix = QStringLiteral("TV4");

bool isCsvFile(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
}

bool isCloneFile(const QString &path)
{
    return QFileInfo(path).suffix().compare(kCloneSuffix, Qt::CaseInsensitive) == 0;
}

} // namespace

FileController::FileController(CloneDocument &document, UserPrompts &prompts, MemoryPanel &memoryPanel,
                               QWidget *window, const QString &settingsStore, std::function<bool()> busy)
    : QObject(window), m_document(document), m_prompts(prompts), m_window(window),
      m_settingsStore(settingsStore), m_busy(std::move(busy)),
      m_csv(new MemoryCommands(document, prompts, memoryPanel, m_lastFileName, this)),
      m_recentFiles(readRecentFiles(*openSettingsStore(m_settingsStore)))
{
    connect(m_csv, &MemoryCommands::fileChosen, this, [this] { m_lastNameIsCsv = true; });
    connect(m_csv, &MemoryCommands::importReported, this, &FileController::statusMessage);
}

QString FileController::droppedFile(const QMimeData *data)
{
    if (!data || data->urls().size() != 1 || !data->urls().first().isLocalFile())
        return {};
    const QString path = data->urls().first().toLocalFile();
    const bool known =
        isCloneFile(path) || imageFormatForPath(path) == ImageFormat::MemoryFile || isCsvFile(path);
    return known ? path : QString();
}

bool FileController::askSaveChanges()
{
    if (!m_document.dataChanged())
        return true;
    MessageRequest question;
    question.icon = QMessageBox::Information;
    question.title = tr("Save Changes");
    question.text = tr("Save changes to settings?");
    question.buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    question.defaultButton = QMessageBox::Yes;
    switch (m_prompts.message(m_window, question)) {
    case QMessageBox::Yes:
        // Changes the user wanted kept but that were not saved (the file could not be written, or
        // its dialog was cancelled) are not thrown away: the command stops as on Cancel.
        return save();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

QString FileController::chooseCloneFile(bool save)
{
    FileDialogRequest request;
    request.fileName =
        save && m_lastNameIsCsv ? nameBeside(m_lastFileName, QStringLiteral(".TV4")) : m_lastFileName;
    request.filter = cloneFilter(save);
    // The dialog starts on the open file's form; a name typed bare gets the chosen filter's extension.
    const bool memory = imageFormatForPath(m_document.cloneFileName()) == ImageFormat::MemoryFile;
    QString selected = memory ? memoryFilter(save) : QString();
    request.selectedFilter = &selected;
    request.defaultSuffix = save ? (memory ? QStringLiteral("yaml") : kCloneSuffix) : QString();
    const QString chosen =
        save ? withDefaultSuffix(m_prompts.saveFileName(m_window, request),
                                 selected == memoryFilter(true) ? QStringLiteral("yaml") : kCloneSuffix)
             : m_prompts.openFileName(m_window, request);
    if (!chosen.isEmpty()) {
        m_lastFileName = chosen;
        m_lastNameIsCsv = false;
    }
    return chosen;
}

void FileController::showFileError(const FileResult &result, const QString &path)
{
    m_prompts.message(m_window, fileErrorMessage(result, path));
}

void FileController::newFile()
{
    if (m_busy() || !askSaveChanges())
        return;
    m_document.newImage();
}

void FileController::open()
{
    if (m_busy() || !askSaveChanges())
        return;
    const QString path = chooseCloneFile(false);
    if (!path.isEmpty())
        loadCloneFile(path);
}

void FileController::openCloneFile(const QString &path)
{
    if (m_busy() || !askSaveChanges())
        return;
    m_lastFileName = path;
    m_lastNameIsCsv = false;
    loadCloneFile(path);
}

bool FileController::loadCloneFile(const QString &path)
{
    const FileResult result = m_document.load(path);
    if (!result.ok()) {
        showFileError(result, path);
        // A recent file that is gone leaves the list; one that could not be read stays.
        const QString absolute = QFileInfo(path).absoluteFilePath();
        if (!QFileInfo::exists(path) && m_recentFiles.contains(absolute)) {
            QStringList files = m_recentFiles;
            files.removeAll(absolute);
            rememberRecentFiles(files);
        }
        return false;
    }
    rememberRecentFiles(withRecentFile(m_recentFiles, path));
    return true;
}

void FileController::rememberRecentFiles(const QStringList &files)
{
    m_recentFiles = files;
    writeRecentFiles(*openSettingsStore(m_settingsStore), m_recentFiles);
    emit recentFilesChanged(m_recentFiles);
}

bool FileController::save()
{
    if (m_busy())
        return false;
    QString path = m_document.cloneFileName();
    if (path.isEmpty())
        path = chooseCloneFile(true);
    return saveCloneFile(path);
}

bool FileController::saveAs()
{
    if (m_busy())
        return false;
    return saveCloneFile(chooseCloneFile(true));
}

bool FileController::saveCloneFile(const QString &path)
{
    if (path.isEmpty()) // the dialog was cancelled
        return false;
    if (memoryFileHasOwnComments(path) &&
        m_prompts.message(m_window, dropCommentsQuestion(path)) != QMessageBox::Save)
        return false;
    const FileResult result = m_document.save(path);
    if (!result.ok()) {
        showFileError(result, path);
        return false;
    }
    rememberRecentFiles(withRecentFile(m_recentFiles, path));
    return true;
}

void FileController::importChannels()
{
    if (!m_busy())
        m_csv->importCsv(m_window);
}

void FileController::exportChannels()
{
    if (!m_busy())
        m_csv->exportCsv(m_window);
}

void FileController::openDropped(const QString &path)
{
    if (m_busy() || path.isEmpty())
        return;
    QTimer::singleShot(0, this, [this, path] {
        if (!isCsvFile(path))
            openCloneFile(path); // a clone file or a memory file
        else if (!m_busy())
            m_csv->importCsvFile(m_window, path);
    });
}

void FileController::showBackups()
{
    if (m_busy())
        return;
    if (!m_backups) {
        m_backups = new BackupsDialog(m_window);
        connect(m_backups, &QDialog::accepted, this, [this] {
            const QString path = m_backups->chosenPath();
            if (!path.isEmpty() && askSaveChanges())
                loadCloneFile(path);
        });
    }
    m_backups->showBackups(
        BackupStore(BackupStore::defaultFolder(), backupsKept(*openSettingsStore(m_settingsStore))));
    m_backups->open();
}

QList<QAction *> FileController::addFileItems(QMenu *file)
{
    QList<QAction *> items;
    const struct {
        const char *name;
        QString caption;
        void (*command)(FileController *);
        QKeySequence::StandardKey key;
        bool separatorAfter;
    } commands[] = {
        {"mnuFileNew", tr("New(&N)"), [](FileController *f) { f->newFile(); }, QKeySequence::New, false},
        {"mnuFileOpen", tr("Open(&O)..."), [](FileController *f) { f->open(); }, QKeySequence::Open, false},
        {"mnuFileSave", tr("Save(&S)"), [](FileController *f) { f->save(); }, QKeySequence::Save, false},
        {"mnuFileSaveAs", tr("Save As(&A)..."), [](FileController *f) { f->saveAs(); },
         QKeySequence::UnknownKey, true},
        {"mnuImport", tr("Import(&I)..."), [](FileController *f) { f->importChannels(); },
         QKeySequence::UnknownKey, false},
        {"mnuExport", tr("Export(&E)..."), [](FileController *f) { f->exportChannels(); },
         QKeySequence::UnknownKey, false},
        {"mnuFileBackups", tr("Backups(&B)..."), [](FileController *f) { f->showBackups(); },
         QKeySequence::UnknownKey, false},
    };
    for (const auto &c : commands) {
        const auto command = c.command;
        QAction *item = file->addAction(c.caption);
        item->setObjectName(QLatin1String(c.name));
        connect(item, &QAction::triggered, this, [this, command] { command(this); });
        item->setShortcuts(c.key);
        items << item;
        if (c.separatorAfter)
            file->addSeparator()->setObjectName(QStringLiteral("mnuFileBar0"));
    }
    return items;
}

} // namespace ktv4::ui
