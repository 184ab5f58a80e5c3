// The main window as it starts and as the user works its settings panel, menus and toolbar.

#include "support/WindowFixture.h"

#include "files/CloneFile.h"
#include "ui/AboutDialog.h"
#include "ui/Language.h"
#include "ui/ModifyDialog.h"
#include "ui/SplashWindow.h"
#include "ui/Startup.h"
#include "ui/VfoTableModel.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>
#include <functional>

using namespace fixture;

namespace {

QStringList itemsOf(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

QLabel *captionOf(const QWidget *window, const QComboBox *list)
{
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (label->buddy() == list)
            return label;
    }
    return nullptr;
}

// Menu items of a menu by name, separators as "-", hidden items in brackets.
QStringList menuLayout(const QMenu *menu)
{
    QStringList names;
    for (const QAction *item : menu->actions()) {
        QString name = item->isSeparator() ? QStringLiteral("-")
                       : item->menu()      ? item->menu()->objectName()
                                           : item->objectName();
        names << (item->isVisible() ? name : QLatin1Char('[') + name + QLatin1Char(']'));
    }
    return names;
}

// "name=caption" of every menu item and toolbar button (toolbar buttons show a tooltip).
QMap<QString, QString> captionsOf(const Window &w)
{
    QMap<QString, QString> shown;
    for (const QAction *action : w.window->findChildren<QAction *>()) {
        if (action->objectName().startsWith(QLatin1String("mnu")))
            shown[action->objectName()] = action->text();
    }
    // The toolbar's buttons are menu items; their tooltips are their own captions.
    for (const QAction *button : w.find<QToolBar>(QStringLiteral("tbToolBar"))->actions()) {
        if (!button->isSeparator())
            shown[QStringLiteral("tbToolBar_") + button->data().toString()] = button->toolTip();
    }
    for (const QMenu *menu : w.window->findChildren<QMenu *>())
        shown[menu->objectName()] = menu->title();
    return shown;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void splashCoversTheStart();
    void startUpState();
    void settingsLists_data();
    void settingsLists();
    void loadedSettingsShowOnThePanel();
    void shiftButtons_data();
    void shiftButtons();
    void dataChangedByEverySettingsEdit();
    void menusAndCaptions();
    void captionLanguageFollowsTheFirstInterfaceLanguage_data();
    void captionLanguageFollowsTheFirstInterfaceLanguage();
    void toolBarShortcutViewAndExit();
    void aboutBox();
    void vfoEdits_data();
    void vfoEdits();
    void tabsSwitchPanels();
    void memoryTabThroughTheMenus();
};

void TestMainWindow::splashCoversTheStart()
{
    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
    StartupOptions options;
    options.window.portSetting = PortSetting(dir.path(), dir.path());
    options.window.settingsStore = dir.filePath("geometry.ini");
    options.startFile = dir.filePath("missing.TV4");
    options.splashPause = std::chrono::milliseconds(300);
    Startup startup(prompts, options);
    QSignalSpy ready(&startup, &Startup::ready);
    startup.run();

    // The splash first; the window is built behind it but not shown yet.
    QVERIFY(startup.splash() && startup.splash()->isVisible());
    QVERIFY(startup.mainWindow() && !startup.mainWindow()->isVisible());
    QVERIFY(prompts.messages.isEmpty());

    QVERIFY(ready.wait(5000));
    QVERIFY(startup.mainWindow()->isVisible());
    QTRY_VERIFY(!startup.splash());
    // The start file's message came after the pause, and start-up went on with the defaults.
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].text, QStringLiteral("File Open Error"));
    QCOMPARE(fixture::shownCaption(*startup.mainWindow()), QStringLiteral("Orvane KT-V4 Clone Utility"));
    QCOMPARE(startup.mainWindow()->document().dataChanged(), false);
}

void TestMainWindow::startUpState()
{
    Window w;
    MainWindow &window = *w.window;
    QCOMPARE(fixture::shownCaption(window), QStringLiteral("Orvane KT-V4 Clone Utility"));
    QCOMPARE(w.document().dataChanged(), false);
    QCOMPARE(w.document().cloneFileName(), QString());
    QCOMPARE(window.tabStrip()->count(), 2);
    QCOMPARE(window.tabStrip()->tabText(0), QStringLiteral("Settings"));
    QCOMPARE(window.tabStrip()->tabText(1), QStringLiteral("Memory"));
    QCOMPARE(window.shownTab(), int(MainWindow::SettingsTab));

    // Model E at start; the option only shows the document's choice.
    QVERIFY(w.find<QRadioButton>(QStringLiteral("opbModel_2"))->isChecked());

    // Everything fits the design size: showing the window does not stretch it.
    QVERIFY(w.show());
    QCOMPARE(window.size(), QSize(10200 * window.logicalDpiX() / 1440, 7905 * window.logicalDpiY() / 1440));
    // Every list is on the tab, the transmit-side ones included.
    for (const char *shown : {"cmbWPM", "cmbBreakIn", "cmbTone", "cmbDimmer"})
        QVERIFY2(w.list(shown)->isVisible(), shown);

    // The shift frame.
    QSlider *slider = w.find<QSlider>(QStringLiteral("Slider1"));
    QCOMPARE(slider->minimum(), -2400);
    QCOMPARE(slider->maximum(), 2400);
    QCOMPARE(slider->value(), 0);
    QCOMPARE(w.find<QLabel>(QStringLiteral("lblIQShift"))->text(), QStringLiteral("00.00"));

    // The VFO grid: both VFOs at the default, Pwr and Tone out of sight.
    QTableView *grid = w.find<QTableView>(QStringLiteral("MSFlexGrid2"));
    QAbstractItemModel *model = grid->model();
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->headerData(0, Qt::Vertical).toString(), QStringLiteral("VFO A"));
    QCOMPARE(model->headerData(1, Qt::Vertical).toString(), QStringLiteral("VFO B"));
    const QStringList titles{"Frequency", "Mode", "Gain", "AGC", "Pwr", "Filter", "Tone", "NB"};
    const QStringList row{"7.100.000", "LSB", "0", "Slow", "High", "Wide", "Off", "Off"};
    QCOMPARE(model->columnCount(), titles.size());
    for (int c = 0; c < titles.size(); ++c) {
        QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), titles[c]);
        QCOMPARE(grid->isColumnHidden(c), c == VfoTableModel::Pwr || c == VfoTableModel::Tone);
        QCOMPARE(model->index(0, c).data().toString(), row[c]);
        QCOMPARE(model->index(1, c).data().toString(), row[c]);
    }
    // The widest frequency text fits its column.
    QVERIFY(grid->columnWidth(VfoTableModel::Frequency) >
            grid->fontMetrics().horizontalAdvance(QStringLiteral("29.999.999")));

    // Status bar: date and time are shown. No transfer: no progress area.
    QVERIFY(!w.find<QLabel>(QStringLiteral("sbStatusBar_Time"))->text().isEmpty());
    QVERIFY(!w.find<QWidget>(QStringLiteral("progressArea"))->isVisible());
}

void TestMainWindow::settingsLists_data()
{
    QTest::addColumn<QString>("control");
    for (const SettingDescriptor &setting : settingDescriptors())
        QTest::newRow(setting.control) << QString::fromLatin1(setting.control);
}

void TestMainWindow::settingsLists()
{
    // Each list holds its items under its caption, shows the image's value, and a pick is what the
    // next encode writes (into a clone file or to the radio); it counts as a change.
    QFETCH(QString, control);
    Window w;
    const SettingDescriptor *setting = findSetting(control);
    QComboBox *list = w.list(control);
    QVERIFY(list);
    QCOMPARE(itemsOf(list), setting->items);
    QLabel *caption = captionOf(w.window.get(), list);
    QVERIFY(caption);
    QCOMPARE(caption->text(), setting->caption);
    QCOMPARE(list->currentIndex(), w.document().image().settings.*(setting->member));

    const int pick = list->currentIndex() == list->count() - 1 ? 0 : list->count() - 1;
    list->setCurrentIndex(pick);
    QCOMPARE(w.document().image().settings.*(setting->member), pick);
    QCOMPARE(w.document().dataChanged(), true);
}

void TestMainWindow::loadedSettingsShowOnThePanel()
{
    // A file whose second settings block holds the shift bytes 0x96, 0x80 (-150) and other picks.
    RadioImage image = startupImage();
    image.settings.cmbDimmer = 5;
    image.settings.cmbLED = 2;
    image.settings.cmbScanType = 22;
    image.settings.cmbSleep = 17;
    QByteArray bytes = cloneFileBytes(image, ModelT, false);
    const qsizetype block2 = bytes.indexOf("\r\n", bytes.indexOf("\r\n", 0) + 2) + 2;
    bytes.replace(block2 + 32, 4, "9680");

    Window w;
    const QString file = w.path("shift.TV4");
    QVERIFY(writeAll(file, bytes));
    w.prompts.fileNames.enqueue(file);
    w.window->fileOpen();
    QVERIFY2(w.prompts.messages.isEmpty(), qPrintable(w.prompts.messages.value(0).text));
    QCOMPARE(w.find<QLabel>(QStringLiteral("lblIQShift"))->text(), QStringLiteral("-01.50"));
    QCOMPARE(w.find<QSlider>(QStringLiteral("Slider1"))->value(), -150);
    QCOMPARE(w.list("cmbDimmer")->currentText(), QStringLiteral("05"));
    QCOMPARE(w.list("cmbLED")->currentText(), QStringLiteral("Red"));
    QCOMPARE(w.list("cmbScanType")->currentText(), QStringLiteral("B30M"));
    QCOMPARE(w.list("cmbSleep")->currentText(), QStringLiteral("180"));
    QVERIFY(w.find<QRadioButton>(QStringLiteral("opbModel_1"))->isChecked());
    QCOMPARE(w.document().dataChanged(), false);
}

void TestMainWindow::shiftButtons_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("caption");
    QTest::newRow("-5.00 stops at the minimum") << -2300 << "cmdMN_5" << -2400 << "-24.00";
    QTest::newRow("-5.00 at the minimum") << -2400 << "cmdMN_5" << -2400 << "-24.00";
    QTest::newRow("+0.01 from 0") << 0 << "cmdPL_0" << 1 << "+00.01";
    QTest::newRow("-0.01 from 0") << 0 << "cmdMN_0" << -1 << "-00.01";
    QTest::newRow("-0.05") << 0 << "cmdMN_1" << -5 << "-00.05";
    QTest::newRow("+0.05") << 0 << "cmdPL_1" << 5 << "+00.05";
    QTest::newRow("-0.10") << 20 << "cmdMN_2" << 10 << "+00.10";
    QTest::newRow("+0.10") << -10 << "cmdPL_2" << 0 << "00.00";
    QTest::newRow("-0.50 to -1.50") << -100 << "cmdMN_3" << -150 << "-01.50";
    QTest::newRow("+0.50") << 0 << "cmdPL_3" << 50 << "+00.50";
    QTest::newRow("-1.00") << 0 << "cmdMN_4" << -100 << "-01.00";
    QTest::newRow("+1.00") << 2350 << "cmdPL_4" << 2400 << "+24.00";
    QTest::newRow("+5.00 stops at the maximum") << 2000 << "cmdPL_5" << 2400 << "+24.00";
    QTest::newRow("Reset") << -777 << "cmdIQReset" << 0 << "00.00";
    QTest::newRow("Min") << 15 << "cmdMin" << -2400 << "-24.00";
    QTest::newRow("Max") << 15 << "cmdMax" << 2400 << "+24.00";
}

void TestMainWindow::shiftButtons()
{
    QFETCH(int, start);
    QFETCH(QString, button);
    QFETCH(int, expected);
    QFETCH(QString, caption);
    Window w;
    QVERIFY(w.show());
    w.find<QSlider>(QStringLiteral("Slider1"))->setValue(start);
    QTest::mouseClick(w.find<QPushButton>(button), Qt::LeftButton);
    QCOMPARE(w.find<QSlider>(QStringLiteral("Slider1"))->value(), expected);
    QCOMPARE(w.find<QLabel>(QStringLiteral("lblIQShift"))->text(), caption);
    QCOMPARE(w.document().image().settings.Slider1, expected);
    QVERIFY(w.document().dataChanged() || (start == 0 && expected == 0));
}

void TestMainWindow::dataChangedByEverySettingsEdit()
{
    Window w;
    QVERIFY(w.show());
    QAction *undo = w.window->action(QStringLiteral("mnuEditUndoStep"));
    // Lists, the slider, its buttons and the model option each count as a change, which Undo
    // takes back to the unchanged image.
    const std::function<void()> edits[] = {
        [&w] { w.list("cmbBeep")->setCurrentIndex(w.list("cmbBeep")->currentIndex() == 0 ? 1 : 0); },
        [&w] { QTest::mouseClick(w.find<QPushButton>(QStringLiteral("cmdPL_5")), Qt::LeftButton); },
        [&w] {
            w.find<QSlider>(QStringLiteral("Slider1"))->triggerAction(QAbstractSlider::SliderPageStepAdd);
        },
        [&w] { QTest::mouseClick(w.find<QRadioButton>(QStringLiteral("opbModel_0")), Qt::LeftButton); },
    };
    const RadioImage start = w.document().image();
    for (const auto &edit : edits) {
        edit();
        QCOMPARE(w.document().dataChanged(), true);
        QVERIFY(fixture::shownCaption(*w.window).endsWith(QLatin1Char('*')));
        undo->trigger();
        QCOMPARE(w.document().dataChanged(), false);
        QCOMPARE(w.document().image(), start);
    }
    QCOMPARE(w.document().modelIndex(), kStartupModelOption);
    QVERIFY(w.find<QRadioButton>(QStringLiteral("opbModel_2"))->isChecked());
    // An option chosen by the program (a loaded header) shows without a click.
    w.document().setIdentified(ModelPN, true);
    QVERIFY(w.find<QRadioButton>(QStringLiteral("opbModel_3"))->isChecked());
}

void TestMainWindow::menusAndCaptions()
{
    {
        Window w;
        QStringList top;
        for (QAction *menu : w.window->menuBar()->actions())
            top << menu->menu()->objectName();
        QCOMPARE(top, QStringList({"mnuFile", "mnuEdit", "mnuView", "mnuTools", "mnuHelp"}));
        auto menu = [&](const char *name) { return menuLayout(w.find<QMenu>(QLatin1String(name))); };
        QCOMPARE(menu("mnuFile"),
                 QStringList({"mnuFileNew", "mnuFileOpen", "mnuFileSave", "mnuFileSaveAs", "-", "mnuImport",
                              "mnuExport", "mnuFileBackups", "-", "[mnuFilePageSetup]", "[mnuFilePrint]",
                              "[-]", "mnuFileExit"}));
        QVERIFY(!w.action("mnuFilePageSetup")->isEnabled());
        QVERIFY(!w.action("mnuFilePrint")->isEnabled());
        QCOMPARE(menu("mnuEdit"), QStringList({"mnuEditUndo", "-", "mnuEditUndoStep", "mnuEditRedo", "-",
                                               "mnuEditCut", "mnuEditCopy", "mnuEditPaste", "mnuEditFind"}));
        QCOMPARE(menu("mnuView"), QStringList({"mnuViewToolbar", "mnuStatusBar", "-", "mnuViewPwr",
                                               "mnuViewTone", "mnuViewSplit"}));
        QCOMPARE(menu("mnuTools"), QStringList({"mnuRe", "mnuWr", "mnuToolsVerify", "mnuToolsOptions"}));
        QCOMPARE(menu("mnuRe"), QStringList({"mnuReSet", "mnuReMem", "mnuReAll"}));
        QCOMPARE(menu("mnuWr"), QStringList({"mnuWrSet", "mnuWrMem", "mnuWrAll", "mnuWrChg"}));
        QCOMPARE(menu("mnuHelp"), QStringList({"mnuHelpPortCheck", "mnuHelpAbout"}));
    }

    // Under a Japanese locale the menus and toolbar take the Japanese captions; everything else
    // keeps its English design text.
    QTranslator captions;
    QVERIFY(loadCaptions(captions, QLocale(QLocale::Japanese, QLocale::Japan)));
    QVERIFY(QCoreApplication::installTranslator(&captions));
    Window w;
    QCoreApplication::removeTranslator(&captions);
    const QMap<QString, QString> english = captionsOf(Window());
    const QMap<QString, QString> japanese = captionsOf(w);
    QCOMPARE(japanese.keys(), english.keys());
    // The string table's 31 captions of menu items and toolbar buttons, at least, are translated.
    int translated = 0;
    for (const QString &name : english.keys())
        translated += japanese[name] != english[name];
    QVERIFY2(translated >= 31, qPrintable(QString::number(translated)));
    QCOMPARE(english["mnuFile"], QStringLiteral("File(&F)"));
    QCOMPARE(japanese["mnuFile"], QStringLiteral("ﾌｧｲﾙ(&F)"));
    QCOMPARE(japanese["tbToolBar_開く"], QStringLiteral("開く"));
    QCOMPARE(english["tbToolBar_開く"], QStringLiteral("Open"));
    QCOMPARE(w.window->tabStrip()->tabText(0), QStringLiteral("Settings"));
    QCOMPARE(w.find<QPushButton>(QStringLiteral("cmbRxData1"))->text(), QStringLiteral("Read Settings"));
    QCOMPARE(fixture::shownCaption(*w.window), QStringLiteral("Orvane KT-V4 Clone Utility"));
}

void TestMainWindow::captionLanguageFollowsTheFirstInterfaceLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("japanese");
    QTest::newRow("ja_JP") << "ja_JP" << true;
    QTest::newRow("ja") << "ja" << true;
    QTest::newRow("en_US") << "en_US" << false;
    QTest::newRow("zh_CN") << "zh_CN" << false;
    QTest::newRow("C") << "C" << false;
}

void TestMainWindow::captionLanguageFollowsTheFirstInterfaceLanguage()
{
    QFETCH(QString, locale);
    QFETCH(bool, japanese);
    QCOMPARE(usesJapaneseCaptions(QLocale(locale)), japanese);
    QTranslator captions;
    QCOMPARE(loadCaptions(captions, QLocale(locale)), japanese);
    if (japanese)
        QCOMPARE(captions.translate("ktv4::ui::MainWindow", "File(&F)"), QStringLiteral("ﾌｧｲﾙ(&F)"));
}

void TestMainWindow::toolBarShortcutViewAndExit()
{
    Window w;
    QVERIFY(w.show());
    QToolBar *toolBar = w.find<QToolBar>(QStringLiteral("tbToolBar"));
    QStringList keys;
    for (QAction *button : toolBar->actions())
        keys << (button->isSeparator() ? QStringLiteral("-") : button->data().toString());
    QCOMPARE(keys, QStringList({"新規作成", "開く", "上書き保存", "-", "ﾍﾙﾌﾟ"}));

    // Open and Save reach their commands (here: dialogs cancelled); New clears the channels; Help
    // shows the About box, not a help file.
    w.action(QStringLiteral("tbToolBar_開く"))->trigger();
    w.action(QStringLiteral("tbToolBar_上書き保存"))->trigger();
    QCOMPARE(w.prompts.fileDialogs.size(), 2);
    w.document().image().channels[9].inUse = true;
    w.action(QStringLiteral("tbToolBar_新規作成"))->trigger();
    QCOMPARE(w.document().image().channels[9].inUse, false);
    w.action(QStringLiteral("tbToolBar_ﾍﾙﾌﾟ"))->trigger();
    QVERIFY(w.window->aboutDialog() && w.window->aboutDialog()->isVisible());
    QVERIFY(w.window->aboutDialog()->isModal());
    w.window->aboutDialog()->hide();

    // New, Open, Save, the history's steps, the clipboard, Find and the tab keys have shortcuts;
    // Ctrl+N runs New, with its question.
    const QHash<QString, QKeySequence> shortcuts{
        {"mnuFileNew", QKeySequence(QKeySequence::New)},
        {"mnuFileOpen", QKeySequence(QKeySequence::Open)},
        {"mnuFileSave", QKeySequence(QKeySequence::Save)},
        {"mnuEditUndoStep", QKeySequence(QKeySequence::Undo)},
        {"mnuEditRedo", QKeySequence(QKeySequence::Redo)},
        {"mnuEditCut", QKeySequence(QKeySequence::Cut)},
        {"mnuEditCopy", QKeySequence(QKeySequence::Copy)},
        {"mnuEditPaste", QKeySequence(QKeySequence::Paste)},
        {"mnuEditFind", QKeySequence(QKeySequence::Find)},
        {"nextTab", QKeySequence(Qt::CTRL | Qt::Key_Tab)},
        {"previousTab", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)}};
    for (QAction *action : w.window->findChildren<QAction *>())
        QCOMPARE(action->shortcut(), shortcuts.value(action->objectName()));
    QCOMPARE(w.action("mnuFileNew")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    w.document().image().channels[3].inUse = true;
    w.document().setDataChanged(true);
    w.prompts.answers.enqueue(QMessageBox::No);
    QTest::keyClick(w.window.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(w.prompts.messages.size(), 1);
    QCOMPARE(w.document().image().channels[3].inUse, false);
    QCOMPARE(w.document().dataChanged(), false);

    // View's items show and hide their bars, each on its own.
    QStatusBar *statusBar = w.find<QStatusBar>(QStringLiteral("sbStatusBar"));
    QAction *toolBarItem = w.action("mnuViewToolbar");
    QAction *statusBarItem = w.action("mnuStatusBar");
    QVERIFY(toolBarItem->isChecked() && toolBar->isVisible());
    QVERIFY(statusBarItem->isChecked() && statusBar->isVisible());
    toolBarItem->trigger();
    QVERIFY(!toolBarItem->isChecked() && !toolBar->isVisible());
    QVERIFY(statusBar->isVisible());
    toolBarItem->trigger();
    QVERIFY(toolBarItem->isChecked() && toolBar->isVisible());
    statusBarItem->trigger();
    QVERIFY(!statusBarItem->isChecked() && !statusBar->isVisible());
    statusBarItem->trigger();
    QVERIFY(statusBar->isVisible());

    // Exit closes the unchanged window without a word.
    w.action("mnuFileExit")->trigger();
    QVERIFY(!w.window->isVisible());
    QCOMPARE(w.prompts.messages.size(), 1);
}

void TestMainWindow::aboutBox()
{
    Window w;
    w.window->show();
    w.action("mnuHelpAbout")->trigger();
    AboutDialog *about = w.window->aboutDialog();
    QVERIFY(about && about->isVisible());
    QCOMPARE(about->windowTitle(), QStringLiteral("About Orvane Clone Utility"));
    QCOMPARE(about->findChild<QLabel *>(QStringLiteral("lblVersion"))->text(),
             QStringLiteral("Version 0.20.00 Beta"));
    QPushButton *sysInfo = about->findChild<QPushButton *>(QStringLiteral("cmdSysInfo"));
    QCOMPARE(sysInfo->text(), QStringLiteral("ｼｽﾃﾑ情報(&S)..."));

    // No system-information tool here: the message, and the box stays.
    QTest::mouseClick(sysInfo, Qt::LeftButton);
    QCOMPARE(w.prompts.messages.size(), 1);
    const MessageRequest &message = w.prompts.messages[0];
    QCOMPARE(message.text, QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"));
    QCOMPARE(message.icon, QMessageBox::NoIcon);
    QVERIFY(about->isVisible());
    QTest::mouseClick(about->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QVERIFY(!about->isVisible());
}

void TestMainWindow::vfoEdits_data()
{
    QTest::addColumn<int>("vfo");
    QTest::addColumn<int>("hz");
    QTest::addColumn<bool>("fromMenu"); // Edit > Modify, else a double-click on the row
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("double-click VFO B")
        << 1 << 14'200'000 << false << true << QStringList{"14", "200", "000"};
    QTest::newRow("double-click VFO A") << 0 << 7'050'000 << false << true << QStringList{"7", "050", "000"};
    QTest::newRow("Edit > Modify on VFO B, Cancel")
        << 1 << 7'100'000 << true << false << QStringList{"7", "100", "000"};
}

void TestMainWindow::vfoEdits()
{
    QFETCH(int, vfo);
    QFETCH(int, hz);
    QFETCH(bool, fromMenu);
    QFETCH(bool, ok);
    QFETCH(QStringList, fields);
    Window w;
    QVERIFY(w.show());
    w.document().image().vfos[vfo].cells[ColFrequency] = {double(hz), frequencyText(hz)};

    QTableView *grid = w.find<QTableView>(QStringLiteral("MSFlexGrid2"));
    QSignalSpy refreshed(grid->model(), &QAbstractItemModel::dataChanged);
    QStringList seen;
    QString caption;
    int source = -1, index = -1;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<ModifyDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        source = int(dialog->editSource());
        index = dialog->editIndex();
        caption = dialog->findChild<QLabel *>(QStringLiteral("lblMode"))->text();
        for (const char *name : {"txtFreq", "txtFreq2", "txtFreq3"})
            seen << dialog->findChild<QLineEdit *>(QLatin1String(name))->text();
        if (ok) {
            dialog->findChild<QLineEdit *>(QStringLiteral("txtFreq"))->setText(QStringLiteral("21"));
            QVERIFY(dialog->commit());
        } else {
            dialog->reject();
        }
    });
    if (fromMenu) {
        grid->setCurrentIndex(grid->model()->index(vfo, 0));
        w.action("mnuEditUndo")->trigger();
    } else {
        // A double-click is a press, a release and the double-click itself on the same cell.
        const QRect cell = grid->visualRect(grid->model()->index(vfo, VfoTableModel::Mode));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
    QCOMPARE(source, int(ModifyDialog::EditSource::Vfo));
    QCOMPARE(index, vfo);
    QCOMPARE(caption, vfo == 0 ? QStringLiteral("VFO A") : QStringLiteral("VFO B"));
    QCOMPARE(seen, fields);
    // OK writes the row back: the grid redraws it and the data counts as changed. Cancel writes nothing.
    QCOMPARE(w.document().dataChanged(), ok);
    QCOMPARE(refreshed.isEmpty(), !ok);
    if (ok)
        QCOMPARE(refreshed.last().at(0).toModelIndex().row(), vfo);
}

void TestMainWindow::tabsSwitchPanels()
{
    Window w;
    QVERIFY(w.show());
    QTabBar *tabs = w.window->tabStrip();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QCOMPARE(w.window->shownTab(), int(MainWindow::MemoryTab));
    QVERIFY(w.window->memoryPanel()->isVisible());
    QVERIFY(!w.window->settingsPanel()->isVisible());
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    QCOMPARE(w.window->shownTab(), int(MainWindow::SettingsTab));
    QVERIFY(w.window->settingsPanel()->isVisible());
}

void TestMainWindow::memoryTabThroughTheMenus()
{
    Window w;
    QVERIFY(w.show());
    w.window->showTab(MainWindow::MemoryTab);
    MemoryPanel *panel = w.window->memoryPanel();

    // File > Import merges the file into the grid and starts it at the top, unsaved.
    QVERIFY(writeAll(w.path("in.csv"), "\"KT-V4\",\"MEMORY\",\"A-P1\",\"14.074.000\",\"USB\",\"0\",\"FAST\","
                                       "\"WIDE\",\"OFF\",\"FT8\",\"\"\r\n"
                                       "\"KT-V4\",\"MEMORY\",\"199\",\"3.573.000\",\"LSB\",\"-10\",\"SLOW\","
                                       "\"NARROW\",\"ON\",\"X\",\"SKIP\"\r\n"));
    panel->selectChannel(300);
    w.prompts.fileNames.enqueue(w.path("in.csv"));
    w.action("mnuImport")->trigger();
    QVERIFY(w.prompts.messages.isEmpty());
    QCOMPARE(w.shown(400, ColFrequency), QStringLiteral("14.074.000"));
    QCOMPARE(w.shown(400, ColName), QStringLiteral("FT8"));
    QCOMPARE(w.shown(199, ColSkip), QStringLiteral("Skip"));
    QCOMPARE(panel->currentChannel(), 0);
    QCOMPARE(fixture::shownCaption(*w.window), appTitle() + QLatin1Char('*'));
    QVERIFY(w.document().dataChanged());

    // Edit > Modify on the Memory tab edits the current channel, here the empty A-P2.
    panel->selectChannel(401);
    QString bank, number;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<ModifyDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->editSource(), ModifyDialog::EditSource::Channel);
        bank = dialog->findChild<QLabel *>(QStringLiteral("lblMode"))->text();
        number = dialog->findChild<QLabel *>(QStringLiteral("lblCH"))->text();
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("txtFreq")), QStringLiteral("28"));
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OKButton")), Qt::LeftButton);
    });
    w.action("mnuEditUndo")->trigger();
    QCOMPARE(bank, QStringLiteral("Memory A"));
    QCOMPARE(number, QStringLiteral("P2"));
    QCOMPARE(w.shown(401, ColFrequency), QStringLiteral("28.100.000")); // the kHz default of KT-V4E
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
