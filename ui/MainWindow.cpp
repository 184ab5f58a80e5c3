// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindow.h"

#include "ui/AboutDialog.h"
#include "ui/ArrangeCommands.h"
#include "ui/ChannelGridLayout.h"
#include "ui/FileController.h"
#include "ui/MemoryPanel.h"
#include "ui/ModifyDialog.h"
#include "ui/ProgramInfo.h"
#include "ui/RecentFiles.h"
#include "ui/ScheduleImportDialog.h"
#include "ui/SettingsPanel.h"
#include "ui/ShownColumns.h"
#include "ui/UndoHistory.h"
#include "ui/UserPrompts.h"
#include "ui/VfoTableModel.h"
#include "ui/WindowChrome.h"
#include "ui/WindowGeometry.h"

#include "files/FilesLog.h"
#include "link/SerialTransport.h"
#include "model/FieldText.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTableView>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace ktv4::ui {

namespace {

constexpr int kWindowWidthTwips = 10200;
constexpr int kWindowHeightTwips = 7905;
constexpr int kDesignFontPoints = 8;

} // namespace

MainWindow::MainWindow(UserPrompts &prompts, MainWindowOptions options, QWidget *parent)
    : QMainWindow(parent), m_prompts(prompts), m_options(std::move(options))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(programIcon());
    // The window's sizes were drawn for an 8-point font; the captions and grid texts need it to
    // fit. The dialogs the window owns inherit it.
    QFont designFont = font();
    designFont.setPointSize(kDesignFontPoints);
    setFont(designFont);
    // The toolbar is shown and hidden from the View menu only.
    setContextMenuPolicy(Qt::NoContextMenu);

    // Every change of the image from here on is a step of the history.
    m_history = new UndoHistory(m_document, this);
    setCentralWidget(buildCentralArea());
    // ReadPortSetting; a device named on the command line wins for this run.
    m_transfers = new TransferController(
        m_document, m_prompts, *m_settingsPanel, this,
        {m_options.settingsStore, m_options.portSetting.read(), m_options.portDevice, m_options.traceFile,
         m_options.makeTransport ? m_options.makeTransport() : std::make_unique<SerialTransport>(),
         m_options.linkTimings});
    centralWidget()->layout()->addWidget(m_transfers->progressArea());
    connect(m_transfers, &TransferController::statusMessage, this, &MainWindow::showStatus);
    connect(m_transfers, &TransferController::tabWanted, this, &MainWindow::showTab);
    connect(m_transfers, &TransferController::busyChanged, this, &MainWindow::showBusy);
    connectPanels();
    m_files = new FileController(m_document, m_prompts, *m_memoryPanel, this, m_options.settingsStore,
                                 [this] { return isBusy(); });
    connect(m_files, &FileController::statusMessage, this, &MainWindow::showStatus);
    connect(m_files, &FileController::recentFilesChanged, this, &MainWindow::showRecentFiles);
    buildMenus();
    m_toolBar = addMainToolBar(*this, m_actions);
    buildStatusBar();
    m_arrange = new ArrangeCommands(m_document, m_prompts, *m_memoryPanel, this);
    connect(m_arrange, &ArrangeCommands::statusMessage, this, &MainWindow::showStatus);
    m_busyDisabled << m_arrange->addEditItems(action(QStringLiteral("mnuEdit"))->menu());
    m_arrange->addFileItems(m_fileMenu, action(QStringLiteral("mnuFilePrint")));
    for (QMenu *menu : {m_fileMenu, action(QStringLiteral("mnuEdit"))->menu()}) {
        for (QAction *item : menu->actions()) {
            if (!item->objectName().isEmpty() && !m_actions.contains(item->objectName()))
                m_actions.insert(item->objectName(), item);
        }
    }
    resize(twipsToPixelsX(this, kWindowWidthTwips), twipsToPixelsY(this, kWindowHeightTwips));
    // The window comes back where it was closed, as far as the screens of today allow; without
    // remembered values it keeps its design size.
    restoreWindowPlacement(*this, *openSettingsStore());
    m_shownColumns->restore();
    showRecentFiles(m_files->recentFiles());
    addTabKeys(
        *this, [this](int step) { showNeighbourTab(step); }, m_actions);
    setAcceptDrops(true);
    connect(&m_document, &CloneDocument::captionChanged, this, &MainWindow::showCaption);
    connect(&m_document, &CloneDocument::dataChangedChanged, this, &QWidget::setWindowModified);
}

MainWindow::~MainWindow()
{
    // Everything that works on the document goes before it does (the base class would delete
    // these children only after the document is gone): the transfers first, then the views.
    delete m_transfers;
    delete m_history;
    delete m_files;
    delete m_modifyDialog;
    delete m_about;
    delete takeCentralWidget();
}

void MainWindow::finishLoad(const QString &startFile)
{
    showCaption(m_document.caption());
    tabClicked(m_tabStrip->currentIndex());
    if (!startFile.isEmpty())
        m_files->loadCloneFile(startFile);
    m_document.setDataChanged(false);
}

QAction *MainWindow::addMenuItem(QMenu *menu, const QString &name, const QString &caption)
{
    auto *item = menu->addAction(caption);
    item->setObjectName(name);
    m_actions.insert(name, item);
    return item;
}

QAction *MainWindow::action(const QString &name) const
{
    return m_actions.value(name);
}

QMenu *MainWindow::named(QMenu *menu, const QString &name)
{
    menu->setObjectName(name);
    m_actions.insert(name, menu->menuAction());
    return menu;
}

template <class Receiver, class Slot>
QAction *MainWindow::addCommand(QMenu *menu, const QString &name, const QString &caption, Receiver *receiver,
                                Slot slot)
{
    QAction *item = addMenuItem(menu, name, caption);
    connect(item, &QAction::triggered, receiver, slot);
    return item;
}

void MainWindow::buildMenus()
{
    // A running transfer owns the port and the data: nothing may start another or change what
    // it reads or writes.
    buildFileMenu();
    QMenu *edit = named(menuBar()->addMenu(tr("Edit(&E)")), QStringLiteral("mnuEdit"));
    m_busyDisabled << addCommand(edit, QStringLiteral("mnuEditUndo"), tr("Modify(&M)"), this,
                                 &MainWindow::modify);
    buildEditItems(edit);
    buildViewMenu();
    buildToolsMenu();
    QMenu *help = named(menuBar()->addMenu(tr("Help(&H)")), QStringLiteral("mnuHelp"));
    m_busyDisabled << addCommand(help, QStringLiteral("mnuHelpPortCheck"), tr("Check Serial Port(&S)…"),
                                 m_transfers, &TransferController::showPortCheck);
    addCommand(help, QStringLiteral("mnuHelpAbout"), tr("About(&A)"), this, &MainWindow::showAbout);
}

void MainWindow::buildFileMenu()
{
    QMenu *file = named(menuBar()->addMenu(tr("File(&F)")), QStringLiteral("mnuFile"));
    for (QAction *item : m_files->addFileItems(file)) {
        m_actions.insert(item->objectName(), item);
        m_busyDisabled << item;
    }
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileBar1"));
    // Print Setup was never offered and stays hidden; Print and its neighbours print the channels.
    QAction *pageSetup = addMenuItem(file, QStringLiteral("mnuFilePageSetup"), tr("Print Setup(&U)..."));
    pageSetup->setVisible(false);
    pageSetup->setEnabled(false);
    addMenuItem(file, QStringLiteral("mnuFilePrint"), tr("Print(&P)..."));
    file->addSeparator();
    m_fileMenu = file; // the recent files go before Exit
    QAction *schedule = addMenuItem(file, QStringLiteral("mnuImportSchedule"), tr("Import Schedule(&C)..."));
    for (QAction *item : file->actions()) {
        if (item->objectName() == QLatin1String("mnuExport"))
            file->insertAction(item, schedule); // between Import and Export
    }
    connect(schedule, &QAction::triggered, this, [this] {
        if (const auto report = importSchedule(this, m_document, m_prompts, *m_memoryPanel)) {
            showStatus(report->summary);
            m_statusText->setToolTip(report->summary + QLatin1Char('\n') + report->details);
        }
    });
    m_busyDisabled << schedule;
    addCommand(file, QStringLiteral("mnuFileExit"), tr("Exit(&X)..."), this, &QWidget::close);
}

void MainWindow::buildViewMenu()
{
    QMenu *view = named(menuBar()->addMenu(tr("View(&V)")), QStringLiteral("mnuView"));
    QAction *toolBar = addMenuItem(view, QStringLiteral("mnuViewToolbar"), tr("Tool Bar(&T)"));
    QAction *statusBarItem = addMenuItem(view, QStringLiteral("mnuStatusBar"), tr("Status Bar(&S)"));
    for (QAction *toggle : {toolBar, statusBarItem}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    connect(toolBar, &QAction::toggled, this, [this](bool on) { m_toolBar->setVisible(on); });
    connect(statusBarItem, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    view->addSeparator();
    m_shownColumns = new ShownColumns(m_options.settingsStore, this);
    connect(m_shownColumns, &ShownColumns::shownChanged, this, [this](const QList<int> &shown) {
        m_memoryPanel->setShownColumns(shown);
        m_settingsPanel->setShownColumns(shown);
    });
    for (QAction *item : m_shownColumns->addViewItems(view))
        m_actions.insert(item->objectName(), item);
}

void MainWindow::buildToolsMenu()
{
    QMenu *tools = named(menuBar()->addMenu(tr("Tool(&T)")), QStringLiteral("mnuTools"));
    QMenu *read = named(tools->addMenu(tr("Read(&R)")), QStringLiteral("mnuRe"));
    QMenu *write = named(tools->addMenu(tr("Write(&W)")), QStringLiteral("mnuWr"));
    const struct {
        QMenu *menu;
        const char *name;
        QString caption;
        Operation operation;
    } transfers[] = {
        {read, "mnuReSet", tr("Settings(&S)"), Operation::ReadSettings},
        {read, "mnuReMem", tr("Memory(&M)"), Operation::ReadMemory},
        {read, "mnuReAll", tr("ALL(&A)"), Operation::ReadAll},
        {write, "mnuWrSet", tr("Settings(&S)"), Operation::WriteSettings},
        {write, "mnuWrMem", tr("Memory(&M)"), Operation::WriteMemory},
        {write, "mnuWrAll", tr("ALL(&A)"), Operation::WriteAll},
        {write, "mnuWrChg", tr("Changes(&C)"), Operation::WriteChanges},
    };
    for (const auto &t : transfers) {
        QAction *item = addMenuItem(t.menu, QLatin1String(t.name), t.caption);
        const Operation operation = t.operation;
        connect(item, &QAction::triggered, m_transfers,
                [transfers = m_transfers, operation] { transfers->startOperation(operation); });
        m_busyDisabled << item;
    }
    // The read-back check after every write, on unless the user turned it off.
    QAction *verify = addMenuItem(tools, QStringLiteral("mnuToolsVerify"), tr("Verify After Writing(&V)"));
    verify->setCheckable(true);
    verify->setChecked(verifyWrites());
    connect(verify, &QAction::toggled, this, &MainWindow::setVerifyWrites);
    m_busyDisabled << addCommand(tools, QStringLiteral("mnuToolsOptions"), tr("COM Port Setup(&C)"),
                                 m_transfers, &TransferController::showComPortSetup);
}

void MainWindow::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    bar->setSizeGripEnabled(true);
    m_statusText = new QLabel(bar);
    m_statusText->setObjectName(QStringLiteral("sbStatusBar_Text"));
    // A long account (the records a write left) is cut at the window's edge, never widens the
    // window; the tip shows it whole.
    m_statusText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_statusText->setMinimumWidth(1);
    bar->addWidget(m_statusText, 1);
    new StatusClock(*bar);
}

QString MainWindow::statusText() const
{
    return m_statusText->text();
}

QWidget *MainWindow::buildCentralArea()
{
    auto *area = new QWidget(this);
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(4, 4, 4, 2);
    layout->setSpacing(0);

    m_tabStrip = new QTabBar(area);
    m_tabStrip->setObjectName(QStringLiteral("TabStrip1"));
    m_tabStrip->setDrawBase(false);
    m_tabStrip->setExpanding(false);
    m_tabStrip->addTab(tr("Settings"));
    m_tabStrip->addTab(tr("Memory"));
    connect(m_tabStrip, &QTabBar::currentChanged, this, &MainWindow::tabClicked);
    layout->addWidget(m_tabStrip);

    m_frames = new QStackedWidget(area);
    m_frames->setObjectName(QStringLiteral("Frame1"));
    m_frames->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    m_settingsPanel = new SettingsPanel(m_document, m_frames);
    m_memoryPanel = new MemoryPanel(m_document, m_prompts, m_frames);
    m_frames->addWidget(m_settingsPanel);
    m_frames->addWidget(m_memoryPanel);
    layout->addWidget(m_frames, 1);

    // The edit dialog is made once, before the window is shown, and serves both grids.
    m_modifyDialog = new ModifyDialog(m_prompts, this);
    m_memoryPanel->setModifyDialog(m_modifyDialog);
    connect(m_memoryPanel, &MemoryPanel::statusMessage, this, &MainWindow::showStatus);
    connect(m_settingsPanel, &SettingsPanel::modifyVfoRequested, this, &MainWindow::modifyVfo);

    return area;
}

void MainWindow::connectPanels()
{
    // The panels' own buttons for the radio operations.
    connect(m_memoryPanel, &MemoryPanel::readMemoryRequested, m_transfers,
            [transfers = m_transfers] { transfers->startOperation(Operation::ReadMemory); });
    connect(m_memoryPanel, &MemoryPanel::writeMemoryRequested, m_transfers,
            [transfers = m_transfers] { transfers->startOperation(Operation::WriteMemory); });

    connect(m_settingsPanel, &SettingsPanel::autoSelectRequested, m_transfers,
            [transfers = m_transfers] { transfers->startOperation(Operation::Identify); });
    connect(m_settingsPanel, &SettingsPanel::readSettingsRequested, m_transfers,
            [transfers = m_transfers] { transfers->startOperation(Operation::ReadSettings); });
    connect(m_settingsPanel, &SettingsPanel::writeSettingsRequested, m_transfers,
            [transfers = m_transfers] { transfers->startOperation(Operation::WriteSettings); });
}

int MainWindow::shownTab() const
{
    return m_frames->currentIndex();
}

void MainWindow::tabClicked(int tab)
{
    if (isBusy()) {
        // A transfer shows the panel it works on; the strip follows the panel.
        const QSignalBlocker blocker(m_tabStrip);
        m_tabStrip->setCurrentIndex(m_frames->currentIndex());
        return;
    }
    if (tab == SettingsTab || tab == MemoryTab)
        m_frames->setCurrentIndex(tab);
}

void MainWindow::showTab(int tab)
{
    const QSignalBlocker blocker(m_tabStrip);
    m_tabStrip->setCurrentIndex(tab);
    m_frames->setCurrentIndex(tab);
}

void MainWindow::showNeighbourTab(int step)
{
    // Through the strip, as a click: a running transfer keeps its panel shown.
    const int count = m_tabStrip->count();
    m_tabStrip->setCurrentIndex((m_tabStrip->currentIndex() + step + count) % count);
}

void MainWindow::showAbout()
{
    if (!m_about)
        m_about = new AboutDialog(m_prompts, this);
    m_about->open();
}

void MainWindow::showRecentFiles(const QStringList &files)
{
    for (QAction *item : std::as_const(m_recentItems)) {
        m_busyDisabled.removeOne(item);
        m_actions.remove(item->objectName());
    }
    qDeleteAll(m_recentItems);
    // Each is opened as File > Open opens a file.
    m_recentItems = insertRecentItems(m_fileMenu, action(QStringLiteral("mnuFileExit")), files,
                                      [this](const QString &path) { m_files->openCloneFile(path); });
    for (QAction *item : std::as_const(m_recentItems)) {
        if (item->isSeparator())
            continue;
        item->setEnabled(!isBusy());
        m_actions.insert(item->objectName(), item);
        m_busyDisabled << item;
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!isBusy() && !FileController::droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = FileController::droppedFile(event->mimeData());
    if (isBusy() || path.isEmpty())
        return;
    event->acceptProposedAction();
    m_files->openDropped(path);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The window does not close while the radio is being talked to, nor when the user keeps
    // unsaved changes by cancelling the save question.
    if (isBusy() || !m_files->askSaveChanges()) {
        event->ignore();
        return;
    }
    formUnload();
    event->accept();
}

void MainWindow::formUnload()
{
    // Closing goes on when the settings cannot be written; the reason goes to the log.
    if (m_options.portSetting.write(portChoice()).isEmpty())
        qCWarning(lcFiles) << "The port setting could not be saved in" << m_options.portSetting.programFile();
    // The other windows, the most recently opened first.
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        if (*it != this && (*it)->isVisible())
            (*it)->close();
    }
    if (!isMinimized() && !saveWindowPlacement(*this, *openSettingsStore()))
        qCWarning(lcFiles) << "The window geometry could not be saved";
}

std::unique_ptr<QSettings> MainWindow::openSettingsStore() const
{
    return ktv4::openSettingsStore(m_options.settingsStore);
}

void MainWindow::setVerifyWrites(bool on)
{
    m_transfers->setVerifyWrites(on);
    if (QAction *item = action(QStringLiteral("mnuToolsVerify")); item && item->isChecked() != on)
        item->setChecked(on);
}

void MainWindow::showBusy(bool busy)
{
    for (QAction *item : std::as_const(m_busyDisabled))
        item->setEnabled(!busy);
    m_settingsPanel->setBusy(busy);
    m_memoryPanel->setBusy(busy);
    m_tabStrip->setEnabled(!busy);
    updateUndoItems();
}

} // namespace ktv4::ui
