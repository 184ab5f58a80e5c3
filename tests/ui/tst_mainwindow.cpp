// The main window as it starts and as the user works its settings panel, menus and toolbar.

#include "WindowFixture.h"

#include "files/CloneFile.h"
#include "ui/AboutDialog.h"
#include "ui/Language.h"
#include "ui/MemoryPanel.h"
#include "ui/ModifyDialog.h"
#include "ui/SplashWindow.h"
#include "ui/Startup.h"
#include "ui/VfoTableModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
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
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>

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

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void splashCoversTheStart();
    void startUpState();
    void settingsListsHoldTheirItems_data();
    void settingsListsHoldTheirItems();
    void settingsPanelFollowsTheLayoutTable();
    void listSelectionReachesTheSavedFile_data();
    void listSelectionReachesTheSavedFile();
    void loadedSettingsShowOnThePanel();
    void shiftButtons_data();
    void shiftButtons();
    void dataChangedOnlyByModelOptionClicks();
    void menuTree();
    void menuCaptions_data();
    void menuCaptions();
    void onlyNewHasAShortcut();
    void viewTogglesShowAndHideBars();
    void toolBarButtons();
    void aboutBox();
    void vfoDoubleClickOpensTheEditDialog_data();
    void vfoDoubleClickOpensTheEditDialog();
    void modifyMenuEditsTheCurrentVfo();
    void exitClosesTheWindow();
    void modifyMenuOnTheMemoryTabEditsTheCurrentChannel();
    void tabsSwitchPanels();
    void japaneseCaptions_data();
    void japaneseCaptions();
    void captionLanguageFollowsTheFirstInterfaceLanguage_data();
    void captionLanguageFollowsTheFirstInterfaceLanguage();
};

void TestMainWindow::splashCoversTheStart()
{
    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
    StartupOptions options;
    options.window.portSetting = PortSetting(dir.path(), dir.path());
    options.window.geometryStore = dir.filePath("geometry.ini");
    options.startFile = dir.filePath("missing.TV4");
    options.splashPause = std::chrono::milliseconds(300);
    Startup startup(prompts, options);
    QSignalSpy ready(&startup, &Startup::ready);
    QElapsedTimer clock;
    clock.start();
    startup.run();

    // The splash first; the window is built behind it but not shown yet.
    QVERIFY(startup.splash() && startup.splash()->isVisible());
    QVERIFY(startup.mainWindow() && !startup.mainWindow()->isVisible());
    QVERIFY(prompts.messages.isEmpty());

    QVERIFY(ready.wait(5000));
    QVERIFY(clock.elapsed() >= 300);
    QVERIFY(startup.mainWindow()->isVisible());
    QTRY_VERIFY(!startup.splash());
    // The start file's message came after the pause, and start-up went on with the defaults.
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].text, QStringLiteral("File Open Error"));
    QCOMPARE(startup.mainWindow()->windowTitle(), QStringLiteral("Orvane KT-V4 Clone Utility"));
    QCOMPARE(startup.mainWindow()->document().dataChanged(), false);

    // The program itself keeps the splash for 2 seconds.
    QCOMPARE(StartupOptions().splashPause, std::chrono::milliseconds(2000));
}

void TestMainWindow::startUpState()
{
    Window w;
    MainWindow &window = *w.window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Orvane KT-V4 Clone Utility"));
    QCOMPARE(window.size(), QSize(10200 * window.logicalDpiX() / 1440, 7905 * window.logicalDpiY() / 1440));
    QCOMPARE(w.document().dataChanged(), false);
    QCOMPARE(w.document().cloneFileName(), QString());

    QCOMPARE(window.tabStrip()->count(), 2);
    QCOMPARE(window.tabStrip()->tabText(0), QStringLiteral("Settings"));
    QCOMPARE(window.tabStrip()->tabText(1), QStringLiteral("Memory"));
    QCOMPARE(window.shownTab(), int(MainWindow::SettingsTab));

    // Model E at start; the option only shows the document's choice.
    QVERIFY(w.find<QRadioButton>(QStringLiteral("opbModel_2"))->isChecked());
    const QStringList models{"KT-V4J", "KT-V4T", "KT-V4E", "PN-31/32 TFH / R"};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(w.find<QRadioButton>(QStringLiteral("opbModel_%1").arg(i))->text(), models[i]);
    QCOMPARE(w.find<QPushButton>(QStringLiteral("cmdAuto"))->text(), QStringLiteral("Auto Select"));
    QCOMPARE(w.find<QPushButton>(QStringLiteral("cmbRxData1"))->text(), QStringLiteral("Read Settings"));
    QCOMPARE(w.find<QPushButton>(QStringLiteral("cmbTxData1"))->text(), QStringLiteral("Write Settings"));

    // The start-up selections: the default image, and the transmit-side lists kept out of sight.
    QCOMPARE(w.list("cmbDimmer")->currentText(), QStringLiteral("32"));
    QCOMPARE(w.list("cmbSideTone")->currentText(), QStringLiteral("800Hz"));
    QCOMPARE(w.list("cmbWPM")->currentText(), QStringLiteral("20"));
    QCOMPARE(w.list("cmbBreakIn")->currentText(), QStringLiteral("AUTO"));
    QCOMPARE(w.list("cmbTone")->currentText(), QStringLiteral("88.5Hz"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Everything fits the design size: showing the window does not stretch it.
    QCOMPARE(window.size(), QSize(10200 * window.logicalDpiX() / 1440, 7905 * window.logicalDpiY() / 1440));
    for (const char *hidden : {"cmbWPM", "cmbBreakIn", "cmbTone"})
        QVERIFY2(!w.list(hidden)->isVisible(), hidden);
    QVERIFY(w.list("cmbDimmer")->isVisible());

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
    QCOMPARE(model->columnCount(), 8);
    QCOMPARE(model->headerData(0, Qt::Vertical).toString(), QStringLiteral("VFO A"));
    QCOMPARE(model->headerData(1, Qt::Vertical).toString(), QStringLiteral("VFO B"));
    const QStringList titles{"Frequency", "Mode", "Gain", "AGC", "Pwr", "Filter", "Tone", "NB"};
    for (int c = 0; c < 8; ++c) {
        QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), titles[c]);
        QCOMPARE(grid->isColumnHidden(c), c == VfoTableModel::Pwr || c == VfoTableModel::Tone);
    }
    const QStringList row{"7.100.000", "LSB", "0", "Slow", "High", "Wide", "Off", "Off"};
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 8; ++c)
            QCOMPARE(model->index(r, c).data().toString(), row[c]);
    }
    // Widths in proportion to ColumnWidths (650, 900, 600, 450, 600, -, 650, -, 600 twips).
    QCOMPARE(grid->columnWidth(VfoTableModel::Mode), grid->columnWidth(VfoTableModel::Nb));
    QVERIFY(grid->columnWidth(VfoTableModel::Frequency) > grid->columnWidth(VfoTableModel::Filter));
    QVERIFY(grid->columnWidth(VfoTableModel::Filter) > grid->columnWidth(VfoTableModel::Gain));
    // The widest frequency text fits its column.
    QVERIFY(grid->columnWidth(VfoTableModel::Frequency) >
            grid->fontMetrics().horizontalAdvance(QStringLiteral("29.999.999")));

    // Status bar: the text panel stays empty; date and time are shown.
    QCOMPARE(w.find<QLabel>(QStringLiteral("sbStatusBar_Text"))->text(), QString());
    QVERIFY(!w.find<QLabel>(QStringLiteral("sbStatusBar_Date"))->text().isEmpty());
    QVERIFY(!w.find<QLabel>(QStringLiteral("sbStatusBar_Time"))->text().isEmpty());
    // No transfer: no progress area.
    QVERIFY(!w.find<QWidget>(QStringLiteral("progressArea"))->isVisible());
}

void TestMainWindow::settingsListsHoldTheirItems_data()
{
    QTest::addColumn<QString>("control");
    for (const SettingDescriptor &setting : settingDescriptors())
        QTest::newRow(setting.control) << QString::fromLatin1(setting.control);
}

void TestMainWindow::settingsListsHoldTheirItems()
{
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
}

void TestMainWindow::settingsPanelFollowsTheLayoutTable()
{
    Window w;
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    const QStringList columns[3] = {
        {"cmbSSBStep", "cmbAMStep", "cmbFMStep", "cmbIQStep", "cmbIQMode", "cmbKeyLock", "cmbRit"},
        {"cmbScanType", "cmbScanMode", "cmbScanRange", "cmbScanSkip", "cmbSSBAuto", "cmbAGCAuto", "cmbFunc"},
        {"cmbMrDisable", "cmbMrAccess", "cmbDimmer", "cmbLED", "cmbBeep", "cmbCtrl", "cmbAPO", "cmbSleep",
         "cmbUD", "cmbSideTone"},
    };
    auto at = [&](const QString &control) { return w.list(control)->mapTo(w.window.get(), QPoint(0, 0)); };
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < columns[c].size(); ++r) {
            const QPoint p = at(columns[c][r]);
            if (r > 0) {
                QCOMPARE(p.x(), at(columns[c][r - 1]).x());
                QVERIFY2(p.y() > at(columns[c][r - 1]).y(), qPrintable(columns[c][r]));
            }
            if (c > 0 && r < columns[c - 1].size()) {
                QVERIFY2(p.x() > at(columns[c - 1][r]).x(), qPrintable(columns[c][r]));
                QCOMPARE(p.y(), at(columns[c - 1][r]).y());
            }
        }
    }
    // The shift frame under the left and middle columns; the grid, the model frame and the
    // transfer buttons above them, left to right.
    auto pos = [&](const QString &name) {
        return w.find<QWidget>(name)->mapTo(w.window.get(), QPoint(0, 0));
    };
    QVERIFY(pos("Frame2").y() > at("cmbRit").y());
    QVERIFY(pos("Frame2").x() < at("cmbScanType").x());
    QVERIFY(pos("MSFlexGrid2").y() < at("cmbSSBStep").y());
    QVERIFY(pos("MSFlexGrid2").x() < pos("Frame4").x());
    QVERIFY(pos("Frame4").x() < pos("cmbRxData1").x());
    QVERIFY(pos("cmbRxData1").y() < pos("cmbTxData1").y());
    // Everything of the panel fits the window's start-up size.
    const QRect client = w.window->rect();
    for (const char *name : {"cmbSideTone", "cmbTxData1", "Frame2", "Frame4"}) {
        QWidget *widget = w.find<QWidget>(QLatin1String(name));
        QVERIFY2(client.contains(QRect(widget->mapTo(w.window.get(), QPoint(0, 0)), widget->size())), name);
    }
}

void TestMainWindow::listSelectionReachesTheSavedFile_data()
{
    QTest::addColumn<QString>("control");
    for (const SettingDescriptor &setting : settingDescriptors())
        QTest::newRow(setting.control) << QString::fromLatin1(setting.control);
}

void TestMainWindow::listSelectionReachesTheSavedFile()
{
    // A pick in a list is what the next encode writes: into a clone file here, to the radio in
    // the transfer tests.
    QFETCH(QString, control);
    Window w;
    const SettingDescriptor *setting = findSetting(control);
    QComboBox *list = w.list(control);
    const int pick = list->currentIndex() == list->count() - 1 ? 0 : list->count() - 1;
    list->setCurrentIndex(pick);
    QCOMPARE(w.document().image().settings.*(setting->member), pick);
    QCOMPARE(w.document().dataChanged(), false);

    const QString file = w.path("picked.TV4");
    w.prompts.fileNames.enqueue(file);
    QVERIFY(w.window->fileSaveAs());
    const CloneLoadResult saved = parseCloneFile(readAll(file), startupImage());
    QVERIFY(saved.result.ok());
    QString s1, s2;
    MakeSettingsData(w.document().image().settings, s1, s2);
    QCOMPARE(saved.image.SettingsData1, s1);
    QCOMPARE(saved.image.SettingsData2, s2);
    if (setting->decoded)
        QCOMPARE(saved.image.settings.*(setting->member), pick);
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
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    w.find<QSlider>(QStringLiteral("Slider1"))->setValue(start);
    QTest::mouseClick(w.find<QPushButton>(button), Qt::LeftButton);
    QCOMPARE(w.find<QSlider>(QStringLiteral("Slider1"))->value(), expected);
    QCOMPARE(w.find<QLabel>(QStringLiteral("lblIQShift"))->text(), caption);
    QCOMPARE(w.document().image().settings.Slider1, expected);
    QCOMPARE(w.document().dataChanged(), false);
}

void TestMainWindow::dataChangedOnlyByModelOptionClicks()
{
    Window w;
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));

    // Lists, the slider and its buttons change the settings, not the flag.
    w.list("cmbBeep")->setCurrentIndex(1);
    QTest::mouseClick(w.find<QPushButton>(QStringLiteral("cmdPL_5")), Qt::LeftButton);
    w.find<QSlider>(QStringLiteral("Slider1"))->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(w.document().dataChanged(), false);
    // Closing then asks nothing.
    QVERIFY(w.window->close());
    QVERIFY(w.prompts.messages.isEmpty());

    Window v;
    v.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(v.window.get()));
    QTest::mouseClick(v.find<QRadioButton>(QStringLiteral("opbModel_0")), Qt::LeftButton);
    QCOMPARE(v.document().modelIndex(), int(ModelJ));
    QCOMPARE(v.document().dataChanged(), true);
    // Clicking the option already selected counts as well.
    v.document().setDataChanged(false);
    QTest::mouseClick(v.find<QRadioButton>(QStringLiteral("opbModel_0")), Qt::LeftButton);
    QCOMPARE(v.document().dataChanged(), true);
    // An option chosen by the program (a loaded header) shows without a click.
    v.document().setIdentified(ModelPN, true);
    QVERIFY(v.find<QRadioButton>(QStringLiteral("opbModel_3"))->isChecked());

    v.prompts.answers.enqueue(QMessageBox::Cancel);
    QVERIFY(!v.window->close());
    QCOMPARE(v.prompts.messages.size(), 1);
    QCOMPARE(v.prompts.messages[0].text, QStringLiteral("Save changes to settings?"));
    QVERIFY(v.window->isVisible());
}

void TestMainWindow::menuTree()
{
    Window w;
    QMenuBar *bar = w.window->menuBar();
    QStringList top;
    for (QAction *menu : bar->actions())
        top << menu->menu()->objectName();
    QCOMPARE(top, QStringList({"mnuFile", "mnuEdit", "mnuView", "mnuTools", "mnuHelp"}));

    auto menu = [&](const char *name) { return w.find<QMenu>(QLatin1String(name)); };
    QCOMPARE(menuLayout(menu("mnuFile")),
             QStringList({"mnuFileNew", "mnuFileOpen", "mnuFileSave", "mnuFileSaveAs", "-", "mnuImport",
                          "mnuExport", "-", "[mnuFilePageSetup]", "[mnuFilePrint]", "[-]", "mnuFileExit"}));
    QVERIFY(!w.action("mnuFilePageSetup")->isEnabled());
    QVERIFY(!w.action("mnuFilePrint")->isEnabled());
    QCOMPARE(menuLayout(menu("mnuEdit")), QStringList({"mnuEditUndo"}));
    QCOMPARE(menuLayout(menu("mnuView")), QStringList({"mnuViewToolbar", "mnuStatusBar"}));
    QCOMPARE(menuLayout(menu("mnuTools")), QStringList({"mnuRe", "mnuWr", "mnuToolsOptions"}));
    QCOMPARE(menuLayout(menu("mnuRe")), QStringList({"mnuReSet", "mnuReMem", "mnuReAll"}));
    QCOMPARE(menuLayout(menu("mnuWr")), QStringList({"mnuWrSet", "mnuWrMem", "mnuWrAll"}));
    QCOMPARE(menuLayout(menu("mnuHelp")), QStringList({"mnuHelpAbout"}));
}

void TestMainWindow::menuCaptions_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("japanese");
    const struct {
        const char *item, *english, *japanese;
    } table[] = {
        {"mnuFile", "File(&F)", "ﾌｧｲﾙ(&F)"},
        {"mnuFileNew", "New(&N)", "新規作成(&N)"},
        {"mnuFileOpen", "Open(&O)...", "開く(&O)..."},
        {"mnuFileSave", "Save(&S)", "上書き保存(&S)"},
        {"mnuFileSaveAs", "Save As(&A)...", "名前を付けて保存(&A)..."},
        {"mnuFilePageSetup", "Print Setup(&U)...", "ﾍﾟｰｼﾞ設定(&U)..."},
        {"mnuFilePrint", "Print(&P)...", "印刷(&P)..."},
        {"mnuFileExit", "Exit(&X)...", "終了(&X)"},
        {"mnuEdit", "Edit(&E)", "編集(&E)"},
        {"mnuEditUndo", "Modify(&M)", "変更(&M)"},
        {"mnuView", "View(&V)", "表示(&V)"},
        {"mnuViewToolbar", "Tool Bar(&T)", "ﾂｰﾙ ﾊﾞｰ(&T)"},
        {"mnuTools", "Tool(&T)", "ﾂｰﾙ(&T)"},
        {"mnuToolsOptions", "COM Port Setup(&C)", "COM ポートセットアップ(&C)"},
        {"mnuHelp", "Help(&H)", "ﾍﾙﾌﾟ(&H)"},
        {"mnuHelpAbout", "About(&A)", "ﾊﾞｰｼﾞｮﾝ情報(&A)"},
        {"mnuStatusBar", "Status Bar(&S)", "ｽﾃｰﾀｽﾊﾞｰ(&S)"},
        {"mnuImport", "Import(&I)...", "ｲﾝﾎﾟｰﾄ(&I)..."},
        {"mnuExport", "Export(&E)...", "ｴｸｽﾎﾟｰﾄ(&E)..."},
        {"mnuRe", "Read(&R)", "読み出し(&R)"},
        {"mnuWr", "Write(&W)", "書き込み(&W)"},
        {"mnuReSet", "Settings(&S)", "設定(&S)"},
        {"mnuWrSet", "Settings(&S)", "設定(&S)"},
        {"mnuReMem", "Memory(&M)", "メモリー(&M)"},
        {"mnuWrMem", "Memory(&M)", "メモリー(&M)"},
        {"mnuReAll", "ALL(&A)", "すべて(&A)"},
        {"mnuWrAll", "ALL(&A)", "すべて(&A)"},
        {"tbToolBar_新規作成", "New", "新規作成"},
        {"tbToolBar_開く", "Open", "開く"},
        {"tbToolBar_上書き保存", "Save", "上書き保存"},
        {"tbToolBar_ﾍﾙﾌﾟ", "Help", "ﾍﾙﾌﾟ"},
    };
    for (const auto &row : table)
        QTest::newRow(row.item) << QString::fromUtf8(row.item) << QString::fromUtf8(row.english)
                                << QString::fromUtf8(row.japanese);
}

void TestMainWindow::menuCaptions()
{
    QFETCH(QString, item);
    QFETCH(QString, english);
    Window w;
    QAction *action = w.action(item);
    QVERIFY(action);
    if (item.startsWith(QLatin1String("tbToolBar_")))
        QCOMPARE(action->toolTip(), english);
    else
        QCOMPARE(action->text(), english);
}

void TestMainWindow::onlyNewHasAShortcut()
{
    Window w;
    for (QAction *action : w.window->findChildren<QAction *>()) {
        if (action->objectName() == QLatin1String("mnuFileNew"))
            QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        else
            QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->objectName()));
    }

    // Ctrl+N runs File > New, with its question.
    w.window->show();
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    w.document().image().channels[3].inUse = true;
    w.document().setDataChanged(true);
    w.prompts.answers.enqueue(QMessageBox::No);
    QTest::keyClick(w.window.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(w.prompts.messages.size(), 1);
    QCOMPARE(w.document().image().channels[3].inUse, false);
    QCOMPARE(w.document().dataChanged(), false);
}

void TestMainWindow::viewTogglesShowAndHideBars()
{
    Window w;
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    QToolBar *toolBar = w.find<QToolBar>(QStringLiteral("tbToolBar"));
    QStatusBar *statusBar = w.find<QStatusBar>(QStringLiteral("sbStatusBar"));
    QAction *toolBarItem = w.action("mnuViewToolbar");
    QAction *statusBarItem = w.action("mnuStatusBar");
    QVERIFY(toolBarItem->isCheckable() && toolBarItem->isChecked() && toolBar->isVisible());
    QVERIFY(statusBarItem->isCheckable() && statusBarItem->isChecked() && statusBar->isVisible());

    toolBarItem->trigger();
    QVERIFY(!toolBarItem->isChecked());
    QVERIFY(!toolBar->isVisible());
    QVERIFY(statusBar->isVisible());
    toolBarItem->trigger();
    QVERIFY(toolBarItem->isChecked());
    QVERIFY(toolBar->isVisible());

    statusBarItem->trigger();
    QVERIFY(!statusBarItem->isChecked());
    QVERIFY(!statusBar->isVisible());
    statusBarItem->trigger();
    QVERIFY(statusBar->isVisible());
}

void TestMainWindow::toolBarButtons()
{
    Window w;
    QToolBar *toolBar = w.find<QToolBar>(QStringLiteral("tbToolBar"));
    QStringList keys;
    for (QAction *button : toolBar->actions())
        keys << (button->isSeparator() ? QStringLiteral("-") : button->data().toString());
    QCOMPARE(keys, QStringList({"新規作成", "開く", "上書き保存", "-", "ﾍﾙﾌﾟ"}));

    // Open and Save reach their commands (here: dialogs cancelled).
    w.action(QStringLiteral("tbToolBar_開く"))->trigger();
    QCOMPARE(w.prompts.fileDialogs.size(), 1);
    QCOMPARE(w.prompts.fileDialogs[0].filter,
             QStringLiteral("Orvane KT-V4 Clone Files (*.TV4);;All Files (*)"));
    w.action(QStringLiteral("tbToolBar_上書き保存"))->trigger();
    QCOMPARE(w.prompts.fileDialogs.size(), 2);
    // New clears the channels.
    w.document().image().channels[9].inUse = true;
    w.action(QStringLiteral("tbToolBar_新規作成"))->trigger();
    QCOMPARE(w.document().image().channels[9].inUse, false);
    // Help shows the About box, not a help file.
    QVERIFY(!w.window->aboutDialog());
    w.action(QStringLiteral("tbToolBar_ﾍﾙﾌﾟ"))->trigger();
    QVERIFY(w.window->aboutDialog());
    QVERIFY(w.window->aboutDialog()->isVisible());
    QVERIFY(w.window->aboutDialog()->isModal());
}

void TestMainWindow::aboutBox()
{
    Window w;
    w.window->show();
    w.action("mnuHelpAbout")->trigger();
    AboutDialog *about = w.window->aboutDialog();
    QVERIFY(about && about->isVisible());
    QCOMPARE(about->windowTitle(), QStringLiteral("About Orvane Clone Utility"));
    QCOMPARE(about->findChild<QLabel *>(QStringLiteral("lblTitle"))->text(),
             QStringLiteral("Orvane KT-V4 Clone Utility"));
    QCOMPARE(about->findChild<QLabel *>(QStringLiteral("lblVersion"))->text(),
             QStringLiteral("Version 0.20.00 Beta"));
    QVERIFY(!about->findChild<QLabel *>(QStringLiteral("lblDescription"))->text().isEmpty());
    QCOMPARE(about->findChild<QLabel *>(QStringLiteral("lblDisclaimer"))->text(), QString());
    QCOMPARE(about->findChild<QPushButton *>(QStringLiteral("cmdOK"))->text(), QStringLiteral("OK"));
    QPushButton *sysInfo = about->findChild<QPushButton *>(QStringLiteral("cmdSysInfo"));
    QCOMPARE(sysInfo->text(), QStringLiteral("ｼｽﾃﾑ情報(&S)..."));

    // No system-information tool here: the message, and the box stays.
    QTest::mouseClick(sysInfo, Qt::LeftButton);
    QCOMPARE(w.prompts.messages.size(), 1);
    const ui::MessageRequest &message = w.prompts.messages[0];
    QCOMPARE(message.text, QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"));
    QCOMPARE(message.title, QStringLiteral("Orvane KT-V4 Clone Utility"));
    QCOMPARE(message.icon, QMessageBox::NoIcon);
    QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(about->isVisible());

    QTest::mouseClick(about->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QVERIFY(!about->isVisible());
}

void TestMainWindow::vfoDoubleClickOpensTheEditDialog_data()
{
    QTest::addColumn<int>("vfo");
    QTest::addColumn<int>("hz");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("VFO B at 14.2 MHz") << 1 << 14'200'000 << QStringList{"14", "200", "000"};
    QTest::newRow("VFO A at 7.05 MHz") << 0 << 7'050'000 << QStringList{"7", "050", "000"};
}

void TestMainWindow::vfoDoubleClickOpensTheEditDialog()
{
    QFETCH(int, vfo);
    QFETCH(int, hz);
    QFETCH(QStringList, fields);
    Window w;
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    Cell &frequency = w.document().image().vfos[vfo].cells[ColFrequency];
    frequency.value = hz;
    frequency.text = frequencyText(hz);

    QTableView *grid = w.find<QTableView>(QStringLiteral("MSFlexGrid2"));
    QSignalSpy refreshed(grid->model(), &QAbstractItemModel::dataChanged);
    QStringList seen;
    QString caption;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<ModifyDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->editSource(), ModifyDialog::EditSource::Vfo);
        QCOMPARE(dialog->editIndex(), vfo);
        caption = dialog->findChild<QLabel *>(QStringLiteral("lblMode"))->text();
        for (const char *name : {"txtFreq", "txtFreq2", "txtFreq3"})
            seen << dialog->findChild<QLineEdit *>(QLatin1String(name))->text();
        QVERIFY(dialog->commit());
    });
    const QRect cell = grid->visualRect(grid->model()->index(vfo, VfoTableModel::Mode));
    // A double-click is a press, a release and the double-click itself on the same cell.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(caption, vfo == 0 ? QStringLiteral("VFO A") : QStringLiteral("VFO B"));
    QCOMPARE(seen, fields);
    // OK writes the row back: the grid redraws it and the data counts as changed.
    QVERIFY(!refreshed.isEmpty());
    QCOMPARE(refreshed.last().at(0).toModelIndex().row(), vfo);
    QCOMPARE(w.document().dataChanged(), true);
}

void TestMainWindow::modifyMenuEditsTheCurrentVfo()
{
    Window w;
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    QTableView *grid = w.find<QTableView>(QStringLiteral("MSFlexGrid2"));
    grid->setCurrentIndex(grid->model()->index(1, 0));
    int index = -1;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<ModifyDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        index = dialog->editIndex();
        dialog->reject();
    });
    w.action("mnuEditUndo")->trigger();
    QCOMPARE(index, 1);
    // Cancel wrote nothing.
    QCOMPARE(w.document().dataChanged(), false);
}

void TestMainWindow::exitClosesTheWindow()
{
    Window w;
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    w.action("mnuFileExit")->trigger();
    QVERIFY(!w.window->isVisible());
    QVERIFY(w.prompts.messages.isEmpty());
}

void TestMainWindow::modifyMenuOnTheMemoryTabEditsTheCurrentChannel()
{
    Window w;
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    w.window->showTab(MainWindow::MemoryTab);
    w.window->memoryPanel()->selectChannel(401);
    int source = -1;
    int index = -1;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<ModifyDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        source = int(dialog->editSource());
        index = dialog->editIndex();
        dialog->reject();
    });
    w.action("mnuEditUndo")->trigger();
    QCOMPARE(source, int(ModifyDialog::EditSource::Channel));
    QCOMPARE(index, 401);
}

void TestMainWindow::tabsSwitchPanels()
{
    Window w;
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    QTabBar *tabs = w.window->tabStrip();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QCOMPARE(w.window->shownTab(), int(MainWindow::MemoryTab));
    QVERIFY(w.window->memoryPanel()->isVisible());
    QVERIFY(!w.window->settingsPanel()->isVisible());
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    QCOMPARE(w.window->shownTab(), int(MainWindow::SettingsTab));
    QVERIFY(w.window->settingsPanel()->isVisible());
}

void TestMainWindow::japaneseCaptions_data()
{
    menuCaptions_data();
}

void TestMainWindow::japaneseCaptions()
{
    QFETCH(QString, item);
    QFETCH(QString, japanese);
    QTranslator captions;
    QVERIFY(loadCaptions(captions, QLocale(QLocale::Japanese, QLocale::Japan)));
    QVERIFY(QCoreApplication::installTranslator(&captions));
    Window w;
    QCoreApplication::removeTranslator(&captions);

    QAction *action = w.action(item);
    QVERIFY(action);
    if (item.startsWith(QLatin1String("tbToolBar_")))
        QCOMPARE(action->toolTip(), japanese);
    else
        QCOMPARE(action->text(), japanese);
    // Everything else keeps its English design text.
    QCOMPARE(w.window->tabStrip()->tabText(0), QStringLiteral("Settings"));
    QCOMPARE(w.find<QPushButton>(QStringLiteral("cmbRxData1"))->text(), QStringLiteral("Read Settings"));
    QCOMPARE(w.window->windowTitle(), QStringLiteral("Orvane KT-V4 Clone Utility"));
}

void TestMainWindow::captionLanguageFollowsTheFirstInterfaceLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("japanese");
    QTest::newRow("ja_JP") << "ja_JP" << true;
    QTest::newRow("ja") << "ja" << true;
    QTest::newRow("en_US") << "en_US" << false;
    QTest::newRow("de_DE") << "de_DE" << false;
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

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
