// The window as a place to work in: it grows, comes back where it was, remembers recent files and
// shown columns, adds extensions, takes dropped files, and switches tabs from the keyboard.

#include "memory/MemoryFixtures.h"
#include "support/WindowFixture.h"

#include "ui/RecentFiles.h"

#include <QApplication>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QTableView>
#include <QUrl>

using namespace fixture;

namespace {

const QString kTitle = QStringLiteral("Orvane KT-V4 Clone Utility");

void writeGeometry(const QString &store, const QStringList &twips)
{
    QSettings settings(store, QSettings::IniFormat);
    const char *keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
    for (int i = 0; i < 4; ++i)
        settings.setValue(QStringLiteral("Settings/") + keys[i], twips[i]);
}

QStringList readGeometry(const QString &store)
{
    QSettings settings(store, QSettings::IniFormat);
    QStringList twips;
    for (const char *key : {"MainLeft", "MainTop", "MainWidth", "MainHeight"})
        twips << settings.value(QStringLiteral("Settings/") + key).toString();
    return twips;
}

// The captions of the File menu's recent-file items, in menu order.
QStringList recentItems(const Window &w)
{
    QStringList items;
    for (QAction *item : w.find<QMenu>(QStringLiteral("mnuFile"))->actions()) {
        if (item->objectName().startsWith(QLatin1String("mnuFileRecent_")))
            items << item->text();
    }
    return items;
}

// Drags `files` over the window and drops them; true when the window took the drag.
bool drop(const Window &w, const QStringList &files)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &file : files)
        urls << QUrl::fromLocalFile(file);
    data.setUrls(urls);
    const QPoint at = w.window->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.window.get(), &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.window.get(), &dropped);
    return dropped.isAccepted();
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    void gridsTakeTheRoomTheWindowGains();
    void geometryComesBack_data();
    void geometryComesBack();
    void recentFiles();
    void savedNamesGetTheirExtension_data();
    void savedNamesGetTheirExtension();
    void csvFilesLeaveTheCloneFileOpen();
    void droppedFiles_data();
    void droppedFiles();
    void tabKeys_data();
    void tabKeys();
    void viewShowsHiddenColumns();
};

void TestWindow::gridsTakeTheRoomTheWindowGains()
{
    Window w;
    QVERIFY(w.show());
    w.window->showTab(MainWindow::SettingsTab);
    QApplication::processEvents();
    w.window->showTab(MainWindow::MemoryTab);
    QTableView *memory = w.window->memoryPanel()->grid();
    QTableView *vfo = w.window->settingsPanel()->vfoGrid();
    QApplication::processEvents();
    const QSize memorySize = memory->size();
    const QSize vfoSize = vfo->size();
    const int rows = memory->rowAt(memory->viewport()->height() - 1);

    w.window->resize(w.window->size() + QSize(100, 160));
    QApplication::processEvents();
    QCOMPARE(memory->height(), memorySize.height() + 160);
    QCOMPARE(memory->width(), memorySize.width() + 100);
    QVERIFY(memory->rowAt(memory->viewport()->height() - 1) >= rows + 160 / memory->rowHeight(0));
    w.window->showTab(MainWindow::SettingsTab);
    QApplication::processEvents();
    QCOMPARE(vfo->width(), vfoSize.width() + 100);
    QCOMPARE(vfo->height(), vfoSize.height()); // two rows stay two rows
}

void TestWindow::geometryComesBack_data()
{
    QTest::addColumn<QStringList>("stored");  // MainLeft, MainTop, MainWidth, MainHeight in twips
    QTest::addColumn<QStringList>("written"); // "W" and "H": the screen's available size
    QTest::newRow("as it was") << QStringList{"450", "675", "10500", "8100"}
                               << QStringList{"450", "675", "10500", "8100"};
    QTest::newRow("off the screen") << QStringList{"150000", "-30000", "10500", "8100"}
                                    << QStringList{"W-10500", "0", "10500", "8100"};
    QTest::newRow("larger than the screen")
        << QStringList{"-300", "0", "90000", "90000"} << QStringList{"0", "0", "W", "H"};
    QTest::newRow("not a number: design size")
        << QStringList{"x", "0", "10500", "8100"} << QStringList{"0", "0", "10200", "7905"};
    QTest::newRow("no area: design size")
        << QStringList{"0", "0", "0", "8100"} << QStringList{"0", "0", "10200", "7905"};
}

void TestWindow::geometryComesBack()
{
    QFETCH(QStringList, stored);
    QFETCH(QStringList, written);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const int dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    if (screen.topLeft() != QPoint(0, 0) || dpi != 96 || screen.width() < 800 || screen.height() < 600)
        QSKIP("needs a screen of at least 800 x 600 pixels at 96 dpi, as the offscreen platform's");
    written.replaceInStrings(QStringLiteral("W-10500"), QString::number(screen.width() * 15 - 10500));
    written.replaceInStrings(QStringLiteral("W"), QString::number(screen.width() * 15));
    written.replaceInStrings(QStringLiteral("H"), QString::number(screen.height() * 15));
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("settings.ini"));
    writeGeometry(store, stored);
    test::ScriptedPrompts prompts;
    MainWindowOptions options;
    options.portSetting = PortSetting(dir.path(), dir.path());
    options.settingsStore = store;
    {
        MainWindow window(prompts, options);
        window.finishLoad();
        if (written[2] == QLatin1String("10200"))
            window.move(0, 0); // the design size comes wherever the window system puts it
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.close());
    }
    QCOMPARE(readGeometry(store), written);
}

void TestWindow::recentFiles()
{
    Window w;
    QCOMPARE(recentItems(w), QStringList());
    // Ten clone files saved: the eight latest are listed, the latest first.
    for (int i = 0; i < 10; ++i) {
        w.prompts.fileNames << w.path(QStringLiteral("f%1.TV4").arg(i));
        QVERIFY(w.window->fileSaveAs());
    }
    QCOMPARE(recentItems(w), QStringList({"&1 f9.TV4", "&2 f8.TV4", "&3 f7.TV4", "&4 f6.TV4", "&5 f5.TV4",
                                          "&6 f4.TV4", "&7 f3.TV4", "&8 f2.TV4"}));
    // Opening one asks as Open asks, loads it and moves it to the top.
    w.document().setDataChanged(true);
    w.prompts.answers << QMessageBox::No;
    w.action(QStringLiteral("mnuFileRecent_5"))->trigger();
    QCOMPARE(w.prompts.messages.size(), 1);
    QCOMPARE(w.prompts.messages[0].text, QStringLiteral("Save changes to settings?"));
    QCOMPARE(shownCaption(*w.window), kTitle + QStringLiteral(" - f4.TV4"));
    QCOMPARE(recentItems(w).mid(0, 3), QStringList({"&1 f4.TV4", "&2 f9.TV4", "&3 f8.TV4"}));
    // A file since deleted gives Open's error and leaves the list.
    QVERIFY(QFile::remove(w.path("f8.TV4")));
    w.action(QStringLiteral("mnuFileRecent_2"))->trigger();
    QCOMPARE(w.prompts.messages.last().text, QStringLiteral("File Open Error"));
    QCOMPARE(recentItems(w).size(), 7);
    QCOMPARE(shownCaption(*w.window), kTitle + QStringLiteral(" - f4.TV4"));
    // The next start lists them again.
    MainWindow again(w.prompts, w.options());
    QCOMPARE(again.recentFiles(), w.window->recentFiles());
    QCOMPARE(again.recentFiles().first(), w.path("f4.TV4"));
    // The list rule on its own: a name already listed moves up, the list never passes eight.
    QCOMPARE(withRecentFile({"/a", "/b", "/c"}, "/b"), QStringList({"/b", "/a", "/c"}));
    QCOMPARE(withRecentFile({"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"}, "/9").size(), kRecentFileCount);
}

void TestWindow::savedNamesGetTheirExtension_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("Save As, no extension") << "mnuFileSaveAs"
                                           << "radio"
                                           << "radio.TV4";
    QTest::newRow("Save As, ends in a dot") << "mnuFileSaveAs"
                                            << "radio."
                                            << "radio.TV4";
    QTest::newRow("Save As, .tv4") << "mnuFileSaveAs"
                                   << "radio.tv4"
                                   << "radio.tv4";
    QTest::newRow("Save As, another extension") << "mnuFileSaveAs"
                                                << "radio.bak"
                                                << "radio.bak";
    QTest::newRow("Save, no extension") << "mnuFileSave"
                                        << "radio"
                                        << "radio.TV4";
    QTest::newRow("Export, no extension") << "mnuExport"
                                          << "list"
                                          << "list.csv";
    QTest::newRow("Export, .CSV") << "mnuExport"
                                  << "list.CSV"
                                  << "list.CSV";
    QTest::newRow("Export, another extension") << "mnuExport"
                                               << "list.txt"
                                               << "list.txt";
}

void TestWindow::savedNamesGetTheirExtension()
{
    QFETCH(QString, command);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    Window w;
    w.prompts.fileNames << w.path(typed);
    w.action(command)->trigger();
    QVERIFY(w.prompts.messages.isEmpty());
    QVERIFY(QFile::exists(w.path(written)));
    QCOMPARE(QFile::exists(w.path(typed)), typed == written);
    // The real dialog is told the extension too, so its overwrite question names the right file.
    QCOMPARE(w.prompts.fileDialogs[0].defaultSuffix, command == QLatin1String("mnuExport") ? "csv" : "TV4");
}

void TestWindow::csvFilesLeaveTheCloneFileOpen()
{
    Window w;
    w.prompts.fileNames << w.path("radio.TV4") << w.path("out.csv") << w.path("out.csv");
    QVERIFY(w.window->fileSaveAs());
    w.document().image().channels[7] = test::usedChannel(7'050'000, QStringLiteral("SEVEN"));
    w.document().setDataChanged(true);
    w.action("mnuExport")->trigger();
    w.action("mnuImport")->trigger();
    QVERIFY(w.prompts.messages.isEmpty());
    QCOMPARE(shownCaption(*w.window), kTitle + QStringLiteral(" - radio.TV4*"));
    // Save writes the clone file without asking, never the CSV file.
    const QByteArray csv = readAll(w.path("out.csv"));
    QVERIFY(w.window->fileSave());
    QCOMPARE(w.prompts.fileDialogs.size(), 3);
    QCOMPARE(readAll(w.path("out.csv")), csv);
    QVERIFY(!w.document().dataChanged());
}

void TestWindow::droppedFiles_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<int>("questions"); // the save question when data was changed
    QTest::addColumn<QString>("title");
    QTest::newRow("a clone file opens") << QStringList{"drop.TV4"} << true << 1 << " - drop.TV4";
    QTest::newRow("upper or lower case") << QStringList{"drop.tv4"} << true << 1 << " - drop.tv4";
    QTest::newRow("a CSV file is imported") << QStringList{"drop.csv"} << true << 0 << "*";
    QTest::newRow("another kind of file") << QStringList{"drop.txt"} << false << 0 << "*";
    QTest::newRow("two files at once") << QStringList{"drop.TV4", "drop.csv"} << false << 0 << "*";
}

void TestWindow::droppedFiles()
{
    QFETCH(QStringList, files);
    QFETCH(bool, taken);
    QFETCH(int, questions);
    QFETCH(QString, title);
    Window w;
    // The files: the start-up image with channel 3 in use, as a clone file and as a CSV file.
    w.document().image().channels[3] = test::usedChannel(7'050'000, QStringLiteral("DROP"));
    for (const char *name : {"drop.TV4", "drop.tv4", "drop.txt"})
        QVERIFY(w.document().save(w.path(name)).ok());
    QVERIFY(w.document().exportCsv(w.path("drop.csv")).ok());
    w.document().newImage();
    w.document().setDataChanged(true);
    w.prompts.answers << QMessageBox::No;

    QStringList paths;
    for (const QString &file : files)
        paths << w.path(file);
    QCOMPARE(drop(w, paths), taken);
    QVERIFY(w.prompts.messages.isEmpty()); // the file is read after the drop has ended
    QApplication::processEvents();
    QCOMPARE(w.prompts.messages.size(), questions);
    QCOMPARE(w.document().image().channels[3].inUse, taken);
    QCOMPARE(shownCaption(*w.window), kTitle + title);
}

void TestWindow::tabKeys_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("to");
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+Tab") << 0 << int(Qt::Key_Tab) << ctrl << 1;
    QTest::newRow("Ctrl+Tab wraps") << 1 << int(Qt::Key_Tab) << ctrl << 0;
    QTest::newRow("Ctrl+Shift+Tab") << 1 << int(Qt::Key_Backtab) << int(ctrl | Qt::ShiftModifier) << 0;
    QTest::newRow("Ctrl+PgDn") << 0 << int(Qt::Key_PageDown) << ctrl << 1;
    QTest::newRow("Ctrl+PgUp") << 1 << int(Qt::Key_PageUp) << ctrl << 0;
    QTest::newRow("Ctrl+PgUp wraps") << 0 << int(Qt::Key_PageUp) << ctrl << 1;
}

void TestWindow::tabKeys()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, to);
    Window w;
    QVERIFY(w.show());
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    w.window->showTab(from);
    // The keys work with the focus in either grid.
    QTableView *grid = from == MainWindow::MemoryTab ? w.window->memoryPanel()->grid()
                                                     : w.window->settingsPanel()->vfoGrid();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(w.window->shownTab(), to);
    QCOMPARE(w.window->tabStrip()->currentIndex(), to);
}

void TestWindow::viewShowsHiddenColumns()
{
    Window w;
    QTableView *memory = w.window->memoryPanel()->grid();
    QTableView *vfo = w.window->settingsPanel()->vfoGrid();
    for (int column : {ColPwr, ColTone, ColSplit})
        QVERIFY(memory->isColumnHidden(column));
    const int minimumWidth = memory->minimumWidth();

    w.action("mnuViewTone")->trigger();
    w.action("mnuViewSplit")->trigger();
    QVERIFY(memory->isColumnHidden(ColPwr) && vfo->isColumnHidden(ColPwr));
    QVERIFY(!memory->isColumnHidden(ColTone) && !vfo->isColumnHidden(ColTone));
    QVERIFY(!memory->isColumnHidden(ColSplit));
    QCOMPARE(memory->minimumWidth(),
             minimumWidth + memory->columnWidth(ColTone) + memory->columnWidth(ColSplit));

    // The next start shows the same columns.
    MainWindow again(w.prompts, w.options());
    QCOMPARE(again.action("mnuViewTone")->isChecked(), true);
    QCOMPARE(again.action("mnuViewPwr")->isChecked(), false);
    QVERIFY(!again.memoryPanel()->grid()->isColumnHidden(ColSplit));
    QVERIFY(again.memoryPanel()->grid()->isColumnHidden(ColPwr));
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
