// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the menus, the toolbar, the status bar, the tab strip with the settings panel
// and the memory panel, and the progress area of a running transfer. The window is a view over
// the CloneDocument: decoded data flows document -> models -> widgets, edits go back into the
// document, the File menu's commands run through the FileController, and every radio operation
// runs through the TransferController.

#include "files/CloneDocument.h"
#include "files/PortSetting.h"
#include "link/CloneTransfer.h"
#include "ui/TransferController.h"

#include <QHash>
#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QProgressBar;
class QSettings;
class QStackedWidget;
class QTabBar;
class QToolBar;

namespace ktv4::ui {

class AboutDialog;
class ArrangeCommands;
class FileController;
class MemoryPanel;
class ModifyDialog;
class SettingsPanel;
class ShownColumns;
class UndoHistory;
class UserPrompts;

struct MainWindowOptions {
    PortSetting portSetting = PortSetting::forThisProgram(); // where "KT-V4.ini" is read and written
    QString portDevice; // --port: this run's serial device, ahead of the remembered one
    // An INI file for what the window remembers (its geometry, the recent files, the shown
    // columns); empty = the per-user settings store.
    QString settingsStore;
    QString traceFile; // --trace: every line to and from the radio, with times
    // What carries the lines to the radio, and how long the radio is waited for: the serial port
    // and the radio's own timings unless a test puts a scripted radio here.
    std::function<std::unique_ptr<Transport>()> makeTransport;
    LinkTimings linkTimings = kRadioTimings;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    enum Tab : int { SettingsTab = 0, MemoryTab = 1 };

    // Everything the window needs before the splash pause ends: captions, size, panels, grids,
    // lists, the remembered port number and the default image.
    MainWindow(UserPrompts &prompts, MainWindowOptions options = {}, QWidget *parent = nullptr);
    ~MainWindow() override;

    // What follows the splash pause: caption, the shown tab, the clone file named on the
    // command line (with its messages), DataChanged cleared.
    void finishLoad(const QString &startFile = QString());

    CloneDocument &document() { return m_document; }
    UndoHistory *history() const { return m_history; }
    CloneTransfer &transfer() { return m_transfers->transfer(); }
    SettingsPanel *settingsPanel() const { return m_settingsPanel; }
    MemoryPanel *memoryPanel() const { return m_memoryPanel; }
    ArrangeCommands *arrangeCommands() const { return m_arrange; }
    QTabBar *tabStrip() const { return m_tabStrip; }
    int shownTab() const;
    QAction *action(const QString &name) const; // a menu item or toolbar button by its name
    QProgressBar *progressBar() const { return m_transfers->progressBar(); }
    AboutDialog *aboutDialog() const { return m_about; }
    ComPortDialog *comPortDialog() const { return m_transfers->comPortDialog(); }
    PortCheckDialog *portCheckDialog() const { return m_transfers->portCheckDialog(); }

    // The File menu's commands.
    FileController *files() const { return m_files; }
    // The radio operations, the progress area and the port.
    TransferController *transfers() const { return m_transfers; }

    bool isBusy() const { return m_transfers->isBusy(); }
    // The status bar's text panel: what the last import or radio write did.
    QString statusText() const;
    PortChoice portChoice() const { return m_transfers->portChoice(); }
    // The device the next transfer opens.
    QString portName() const { return m_transfers->portName(); }

public slots:
    // The radio operations, as their buttons and menu items start them.
    void startOperation(ktv4::Operation operation) { m_transfers->startOperation(operation); }
    void cancelTransfer() { m_transfers->cancelTransfer(); }

    void showTab(int tab);
    void modify(); // Edit > Modify
    void showAbout();
    // The status bar's text: what the last command did, or why it did nothing.
    void showStatus(const QString &text);
    // Tool > Verify After Writing, remembered in the program settings.
    bool verifyWrites() const { return m_transfers->verifyWrites(); }
    void setVerifyWrites(bool on);

protected:
    void closeEvent(QCloseEvent *event) override;
    // A dropped ".TV4" file is opened, a dropped ".csv" file imported.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildMenus();
    void buildFileMenu();
    void buildViewMenu();
    void buildToolsMenu();
    // `menu` under its name, and its item among the window's actions.
    QMenu *named(QMenu *menu, const QString &name);
    // A menu item that runs `slot` of `receiver`.
    template <class Receiver, class Slot>
    QAction *addCommand(QMenu *menu, const QString &name, const QString &caption, Receiver *receiver,
                        Slot slot);
    void buildStatusBar();
    QWidget *buildCentralArea();
    void connectPanels();
    QAction *addMenuItem(QMenu *menu, const QString &name, const QString &caption);
    void tabClicked(int tab);
    void showNeighbourTab(int step);
    std::unique_ptr<QSettings> openSettingsStore() const;
    // The File menu's recent files, before Exit.
    void showRecentFiles(const QStringList &files);
    // What a running transfer disables, and what it gives back once it ends.
    void showBusy(bool busy);
    void modifyVfo(int vfo);
    void applyVfoEdit(int vfo, const ktv4::Vfo &edited);
    void buildEditItems(QMenu *edit);
    // Edit > Undo and Redo are off while a transfer runs.
    void updateUndoItems();
    // The caption with the unsaved-changes mark: "... - name.TV4*" while changes are unsaved.
    void showCaption(const QString &caption);
    void formUnload();

    UserPrompts &m_prompts;
    MainWindowOptions m_options;
    CloneDocument m_document;
    TransferController *m_transfers = nullptr;

    QHash<QString, QAction *> m_actions;
    QList<QAction *> m_busyDisabled;        // what a transfer disables
    ShownColumns *m_shownColumns = nullptr; // View: Pwr, Tone, Split Freq.
    QMenu *m_fileMenu = nullptr;
    QList<QAction *> m_recentItems; // File: the recent files and their separator
    FileController *m_files = nullptr;
    QToolBar *m_toolBar = nullptr;
    QTabBar *m_tabStrip = nullptr;
    QStackedWidget *m_frames = nullptr;
    SettingsPanel *m_settingsPanel = nullptr;
    MemoryPanel *m_memoryPanel = nullptr;
    ArrangeCommands *m_arrange = nullptr; // Edit > Arrange, Select Duplicates; File > Print
    ModifyDialog *m_modifyDialog = nullptr;
    UndoHistory *m_history = nullptr;
    QActionGroup *m_historyItems = nullptr; // Edit > Undo, Redo
    QLabel *m_statusText = nullptr;
    AboutDialog *m_about = nullptr;
};

} // namespace ktv4::ui
