// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as it starts and as the user works its settings panel, menus and toolbar.

#include "files/CloneFile.h"
#include "memory/MemoryFixtures.h"
#include "support/WindowFixture.h"
#include "ui/AboutDialog.h"
#include "ui/Language.h"
#include "ui/MemoryCommands.h"
#include "ui/ModifyDialog.h"
#include "ui/ProgramInfo.h"
#include "ui/RecentFiles.h"
#include "ui/ScheduleImportDialog.h"
#include "ui/SplashWindow.h"
#include "ui/Startup.h"
#include "ui/VfoTableModel.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>
#include <QUrl>
#include <functional>

using namespace fixture;

namespace {

QLabel *captionOf(const QWidget *window, const QComboBox *list)
{
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (label->buddy() == list)
            return label;
    }
    return nullptr;
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

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:

    // The splash first, the window built behind it; the start file's error only after the pause.
    void splashCoversTheStart()
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
        QVERIFY(startup.splash()->isVisible() && !startup.mainWindow()->isVisible());
        QVERIFY(prompts.messages.isEmpty());
        QVERIFY(ready.wait(5000));
        QVERIFY(startup.mainWindow()->isVisible());
        QTRY_VERIFY(!startup.splash());
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].text, QStringLiteral("File Open Error"));
        QVERIFY(!startup.mainWindow()->document().dataChanged());
    }

    void startUpState()
    {
        Window w;
        MainWindow &window = *w.window;
        QCOMPARE(fixture::shownCaption(window), kTitle);
        QVERIFY(!w.document().dataChanged() && w.document().cloneFileName().isEmpty());
        QCOMPARE(window.shownTab(), int(MainWindow::SettingsTab));
        // Model E at start; the option only shows the document's choice.
        QVERIFY(w.find<QRadioButton>(QStringLiteral("opbModel_2"))->isChecked());

        // Everything fits the design size: showing the window does not stretch it.
        QVERIFY(w.show());
        QCOMPARE(window.size(),
                 QSize(10200 * window.logicalDpiX() / 1440, 7905 * window.logicalDpiY() / 1440));
        for (const char *shown : {"cmbWPM", "cmbBreakIn", "cmbTone", "cmbDimmer"})
            QVERIFY2(w.list(shown)->isVisible(), shown);
        QCOMPARE(w.find<QLabel>(QStringLiteral("lblIQShift"))->text(), QStringLiteral("00.00"));

        // The VFO grid: Pwr and Tone out of sight.
        QTableView *grid = w.find<QTableView>(QStringLiteral("MSFlexGrid2"));
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            QCOMPARE(grid->isColumnHidden(c), c == VfoTableModel::Pwr || c == VfoTableModel::Tone);
        QVERIFY(grid->columnWidth(VfoTableModel::Frequency) >
                grid->fontMetrics().horizontalAdvance(QStringLiteral("29.999.999")));
        QVERIFY(!w.find<QWidget>(QStringLiteral("progressArea"))->isVisible());
    }

    void settingsLists()
    {
        // Each list holds its items under its caption, shows the image's value, and a pick is what
        // the next encode writes (into a clone file or to the radio); it counts as a change.
        Window w;
        for (const SettingDescriptor &setting : settingDescriptors()) {
            QComboBox *list = w.list(QLatin1String(setting.control));
            QVERIFY2(list, setting.control);
            QLabel *caption = captionOf(w.window.get(), list);
            QVERIFY2(caption && caption->text() == setting.caption, setting.control);
            QCOMPARE(list->currentIndex(), w.document().image().settings.values.*(setting.member));
            const int pick = list->currentIndex() == list->count() - 1 ? 0 : list->count() - 1;
            list->setCurrentIndex(pick);
            QCOMPARE(w.document().image().settings.values.*(setting.member), pick);
            QVERIFY(w.document().dataChanged());
        }
    }

    void shiftButtons_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("caption");
        // Each step once; the ends stop the steps that would pass them.
        const struct {
            int start;
            const char *button;
            int expected;
            const char *caption;
        } rows[] = {{-2300, "cmdMN_5", -2400, "-24.00"}, {0, "cmdPL_0", 1, "+00.01"},
                    {-10, "cmdPL_2", 0, "00.00"},        {-100, "cmdMN_3", -150, "-01.50"},
                    {2350, "cmdPL_4", 2400, "+24.00"},   {-777, "cmdIQReset", 0, "00.00"},
                    {15, "cmdMin", -2400, "-24.00"},     {15, "cmdMax", 2400, "+24.00"}};
        for (const auto &r : rows)
            QTest::addRow("%s from %d", r.button, r.start) << r.start << r.button << r.expected << r.caption;
    }

    void shiftButtons()
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
        QCOMPARE(w.document().image().settings.values.Slider1, expected);
        QVERIFY(w.document().dataChanged() || (start == 0 && expected == 0));
    }

    void dataChangedByEverySettingsEdit()
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

    void menusAndCaptions()
    {
        // Under a Japanese locale the menus and toolbar take the Japanese captions; everything else
        // keeps its English design text.
        QTranslator captions;
        QVERIFY(loadCaptions(captions, QLocale(QLocale::Japanese, QLocale::Japan)));
        QTranslator plurals; // other languages keep the design captions, counted in English
        QVERIFY(loadCaptions(plurals, QLocale(QStringLiteral("zh_CN"))) &&
                loadCaptions(plurals, QLocale::c()));
        QCOMPARE(plurals.language(), QStringLiteral("en"));
        QCOMPARE(plurals.translate("ktv4::ui::MemoryPanel", "%n channel(s)", nullptr, 1),
                 QStringLiteral("%n channel"));
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
        QCOMPARE(english["tbToolBar_開く"] + japanese["tbToolBar_開く"], QStringLiteral("Open開く"));
        QCOMPARE(w.find<QPushButton>(QStringLiteral("cmbRxData1"))->text(), QStringLiteral("Read Settings"));
        // Help > About shows the version and the licence.
        w.action("mnuHelpAbout")->trigger();
        const auto label = [&](const char *name) {
            return w.window->aboutDialog()->findChild<QLabel *>(QLatin1String(name))->text();
        };
        QCOMPARE(label("lblVersion"), ui::programVersionText());
        QVERIFY(label("lblDisclaimer").contains(QStringLiteral("GPL")));
        QCOMPARE(fixture::shownCaption(*w.window), kTitle);
    }

    void toolBarShortcutViewAndExit()
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
        test::setChannels(w.document(), 9, {test::usedChannel(7'050'000, QString())});
        w.prompts.answers << QMessageBox::No; // the edit need not be saved
        w.action(QStringLiteral("tbToolBar_新規作成"))->trigger();
        QCOMPARE(w.document().image().channels[9].inUse, false);
        QCOMPARE(w.prompts.messages.size(), 1); // the save question
        w.prompts.messages.clear();
        w.action(QStringLiteral("tbToolBar_ﾍﾙﾌﾟ"))->trigger();
        QVERIFY(w.window->aboutDialog() && w.window->aboutDialog()->isVisible());
        w.window->aboutDialog()->hide();

        // View's items show and hide their bars, each on its own.
        QStatusBar *statusBar = w.find<QStatusBar>(QStringLiteral("sbStatusBar"));
        QAction *toolBarItem = w.action("mnuViewToolbar");
        QAction *statusBarItem = w.action("mnuStatusBar");
        QVERIFY(toolBarItem->isChecked() && toolBar->isVisible() && statusBar->isVisible());
        toolBarItem->trigger();
        QVERIFY(!toolBarItem->isChecked() && !toolBar->isVisible() && statusBar->isVisible());
        statusBarItem->trigger();
        QVERIFY(!statusBarItem->isChecked() && !statusBar->isVisible());

        // Exit closes the unchanged window without a word.
        w.action("mnuFileExit")->trigger();
        QVERIFY(!w.window->isVisible() && w.prompts.messages.isEmpty());
    }

    // A double-click on a VFO row opens the edit dialog on that VFO; OK writes the row back, and
    // the grid redraws it.
    void vfoEdits()
    {
        Window w;
        QVERIFY(w.show());
        ImageChange change;
        change.before.vfos[1] = w.document().image().vfos[1];
        change.after.vfos[1] = change.before.vfos[1];
        change.after.vfos[1]->frequency = 14'200'000;
        w.document().submit(change);
        QTableView *grid = w.find<QTableView>(QStringLiteral("MSFlexGrid2"));
        QSignalSpy refreshed(grid->model(), &QAbstractItemModel::dataChanged);
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<ModifyDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen << dialog->findChild<QLabel *>(QStringLiteral("lblMode"))->text();
            for (const char *name : {"txtFreq", "txtFreq2", "txtFreq3"})
                seen << dialog->findChild<QLineEdit *>(QLatin1String(name))->text();
            dialog->findChild<QLineEdit *>(QStringLiteral("txtFreq"))->setText(QStringLiteral("21"));
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OKButton")), Qt::LeftButton);
        });
        // A double-click is a press, a release and the double-click itself on the same cell.
        const QRect cell = grid->visualRect(grid->model()->index(1, VfoTableModel::Mode));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(seen, QStringList({"VFO B", "14", "200", "000"}));
        QVERIFY(w.document().dataChanged());
        QCOMPARE(refreshed.last().at(0).toModelIndex().row(), 1);
    }

    // The program's own message box: its title, text and reason (the P channels' labels kept
    // whole where a line wraps), the default button, and the button pressed as the answer.
    void realMessageBox()
    {
        WidgetPrompts prompts;
        MessageRequest request =
            errorMessage(QStringLiteral("Communication Error"), QStringLiteral("A-P1: no reply"));
        request.buttons = QMessageBox::Ok | QMessageBox::Cancel;
        request.defaultButton = QMessageBox::Cancel;
        QStringList seen;
        QTimer::singleShot(0, [&seen] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen << box->windowTitle() << box->text() << box->informativeText()
                 << box->defaultButton()->text();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
        QCOMPARE(prompts.message(nullptr, request), QMessageBox::Ok);
        QCOMPARE(seen, QStringList({"ERROR", "Communication Error", QStringLiteral("A-\u2060P1: no reply"),
                                    "Cancel"}));
    }

    void geometryComesBack_data()
    {
        QTest::addColumn<QStringList>("stored");  // MainLeft, MainTop, MainWidth, MainHeight in twips
        QTest::addColumn<QStringList>("written"); // "W" and "H": the screen's available size
        QTest::newRow("as it was") << QStringList{"450", "675", "10500", "8100"}
                                   << QStringList{"450", "675", "10500", "8100"};
        QTest::newRow("off the screen") << QStringList{"150000", "-30000", "10500", "8100"}
                                        << QStringList{"W-10500", "0", "10500", "8100"};
        QTest::newRow("larger than the screen")
            << QStringList{"-300", "0", "90000", "90000"} << QStringList{"0", "0", "W", "H"};
        QTest::newRow("no area: design size")
            << QStringList{"0", "0", "0", "8100"} << QStringList{"0", "0", "10200", "7905"};
    }

    void geometryComesBack()
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

    void recentFiles()
    {
        Window w;

        // Ten clone files saved: the eight latest are listed, the latest first.
        for (int i = 0; i < 10; ++i) {
            w.prompts.fileNames << w.path(QStringLiteral("f%1.TV4").arg(i));
            QVERIFY(w.window->files()->saveAs());
        }
        QCOMPARE(recentItems(w), QStringList({"&1 f9.TV4", "&2 f8.TV4", "&3 f7.TV4", "&4 f6.TV4", "&5 f5.TV4",
                                              "&6 f4.TV4", "&7 f3.TV4", "&8 f2.TV4"}));
        // Opening one asks as Open asks, loads it and moves it to the top.
        w.document().setDataChanged(true);
        w.prompts.answers << QMessageBox::No;
        w.action(QStringLiteral("mnuFileRecent_5"))->trigger();
        QCOMPARE(w.prompts.messages.size(), 1); // the save question
        QCOMPARE(shownCaption(*w.window), kTitle + QStringLiteral(" - f4.TV4"));
        QCOMPARE(recentItems(w).mid(0, 3), QStringList({"&1 f4.TV4", "&2 f9.TV4", "&3 f8.TV4"}));
        // A file since deleted gives Open's error and leaves the list.
        QVERIFY(QFile::remove(w.path("f8.TV4")));
        w.action(QStringLiteral("mnuFileRecent_2"))->trigger();
        QCOMPARE(w.prompts.messages.last().text, QStringLiteral("File Open Error"));
        QCOMPARE(recentItems(w).size(), 7);
        // The next start lists them again.
        MainWindow again(w.prompts, w.options());
        QCOMPARE(again.files()->recentFiles(), w.window->files()->recentFiles());
        // Two files of one name show their folders; each item's tip is the whole path.
        QVERIFY(QDir().mkpath(w.path("old")));
        w.prompts.fileNames << w.path("old/f4.TV4");
        QVERIFY(w.window->files()->saveAs());
        QCOMPARE(recentItems(w).mid(0, 3), QStringList({"&1 f4.TV4 (" + w.path("old") + ")",
                                                        "&2 f4.TV4 (" + w.dir.path() + ")", "&3 f9.TV4"}));
        QCOMPARE(w.action(QStringLiteral("mnuFileRecent_2"))->toolTip(), w.path("f9.TV4"));
    }

    void savedNamesGetTheirExtension_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        const char *rows[][3] = {
            {"mnuFileSaveAs", "radio", "radio.TV4"},     {"mnuFileSaveAs", "radio.", "radio.TV4"},
            {"mnuFileSaveAs", "radio.tv4", "radio.tv4"}, {"mnuFileSaveAs", "radio.bak", "radio.bak"},
            {"mnuFileSave", "radio", "radio.TV4"},       {"mnuExport", "list", "list.csv"},
            {"mnuExport", "list.CSV", "list.CSV"},       {"mnuExport", "list.txt", "list.txt"}};
        for (const auto &r : rows)
            QTest::addRow("%s %s", r[0], r[1]) << r[0] << r[1] << r[2];
    }

    void savedNamesGetTheirExtension()
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
        QCOMPARE(w.prompts.fileDialogs[0].defaultSuffix,
                 command == QLatin1String("mnuExport") ? "csv" : "TV4");
    }

    void droppedFiles_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<int>("questions"); // the save question when data was changed
        QTest::addColumn<QString>("title");
        QTest::newRow("a clone file opens") << QStringList{"drop.TV4"} << true << 1 << " - drop.TV4";

        QTest::newRow("a CSV file is imported") << QStringList{"drop.csv"} << true << 0 << "*";
        QTest::newRow("another kind of file") << QStringList{"drop.txt"} << false << 0 << "*";
        QTest::newRow("two files at once") << QStringList{"drop.tv4", "drop.csv"} << false << 0 << "*";
    }

    void droppedFiles()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, taken);
        QFETCH(int, questions);
        QFETCH(QString, title);
        Window w;
        // The files: the start-up image with channel 3 in use, as a clone file and as a CSV file.
        test::setChannels(w.document(), 3, {test::usedChannel(7'050'000, QStringLiteral("DROP"))});
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

    void viewShowsHiddenColumns()
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
        QVERIFY(!memory->isColumnHidden(ColTone) && !vfo->isColumnHidden(ColTone) &&
                !memory->isColumnHidden(ColSplit));
        QCOMPARE(memory->minimumWidth(),
                 minimumWidth + memory->columnWidth(ColTone) + memory->columnWidth(ColSplit));

        // The next start shows the same columns.
        MainWindow again(w.prompts, w.options());
        QVERIFY(again.action("mnuViewTone")->isChecked() && !again.action("mnuViewPwr")->isChecked());
        QVERIFY(!again.memoryPanel()->grid()->isColumnHidden(ColSplit));
    }
    void filterChoosesTheLayout_data()
    {
        QTest::addColumn<QString>("filter"); // the filter the dialog is left on
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("title"); // of the one box shown; "" = none
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("details");
        QTest::addColumn<QString>("shownName"); // channel 3's name in the grid afterwards

        const QByteArray chirp =
            "Location,Name,Frequency,Mode,Skip\r\n3,Net 40m,7.1,LSB,S\r\n4,2m,146.52,FM,\r\n";
        QTest::newRow("CHIRP filter")
            << MemoryCommands::chirpFilter() << chirp << "CHIRP CSV Import"
            << "Imported 1 channel (0 adjusted), dropped 1 row.\n\nThe details list each row dropped "
               "or changed to fit the radio, with the reason."
            << "Line 3, Location 4: dropped: frequency 146.520000 MHz is outside the radio's range, 0.030000 "
               "to 34.999999 MHz"
            << "NET 40M";
        const QByteArray own = "\"KT-V4\",\"MEMORY\",\"3\",\"7.050.000\",\"LSB\",\"0\",\"SLOW\",\"WIDE\","
                               "\"OFF\",\"OWN\",\"\"\r\n";
        QTest::newRow("CHIRP filter, a file in the program's own layout")
            << MemoryCommands::chirpFilter() << own << "ERROR"
            << "Data Error"
            << "the first row is not a CHIRP header: it needs Location and Frequency columns"
            << "";
        QTest::newRow("own filter") << "CSV Files (*.csv)" << own << QString() << QString() << QString()
                                    << "OWN";
    }

    void filterChoosesTheLayout()
    {
        QFETCH(QString, filter);
        QFETCH(QByteArray, file);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(QString, details);
        QFETCH(QString, shownName);
        Window w;
        const QString in = w.path("in.csv"), out = w.path("out.csv");
        QVERIFY(writeAll(in, file));
        w.prompts.fileNames << in << out;
        w.prompts.selectedFilters << filter;
        w.action("mnuImport")->trigger();
        QCOMPARE(w.prompts.messages.size(), title.isEmpty() ? 0 : 1);
        if (!title.isEmpty()) {
            QCOMPARE(w.prompts.messages[0].title, title);
            QCOMPARE(w.prompts.messages[0].text, text);
            // An error names the file under the text; the import report lists its rows as details.
            const MessageRequest &box = w.prompts.messages[0];
            const QString shown = title == QLatin1String("ERROR") ? box.informative : box.details;
            QVERIFY2(shown.endsWith(details), qPrintable(shown));
        }
        QCOMPARE(w.shown(3, ColName), shownName);
        QCOMPARE(w.document().dataChanged(), !shownName.isEmpty());

        // Export starts on the filter the import was left on and writes that layout.
        w.action("mnuExport")->trigger();
        QCOMPARE(readAll(out).startsWith("Location,Name,Frequency,"),
                 filter == MemoryCommands::chirpFilter());
        QCOMPARE(w.prompts.fileDialogs[1].filter, MemoryCommands::csvFilter());
    }
    void importSchedule_data()
    {
        QTest::addColumn<QString>("field"); // the filter changed in the dialog
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("count");    // the count after the change
        QTest::addColumn<QStringList>("made"); // label=kHz name, from the current channel A  2 on
        QTest::newRow("languages") << "txtLanguages"
                                   << "e"
                                   << "2 stations, 2 frequencies"
                                   << QStringList{"A  2=6.070.000 CFRX", "A  4=7.490.000 WBCQ"};
        QTest::newRow("band") << "cmbBand"
                              << "31m"
                              << "1 station, 1 frequency" << QStringList{"A  2=9.420.000 GREECE"};
        QTest::newRow("days") << "chkDay5"
                              << "Sa"
                              << "3 stations, 3 frequencies"
                              << QStringList{"A  2=6.070.000 CFRX", "A  4=8.000.000 TEST",
                                             "A  5=9.420.000 GREECE"};
    }

    void importSchedule()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, count);
        QFETCH(QStringList, made);
        Window w;
        const QString sked = w.path("sked-A26.csv");
        QVERIFY(writeAll(sked,
                         "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;Remarks:135;P:35;"
                         "Start:60;Stop:60;\r\n"
                         "6070;0000-2400;;CAN;CFRX Toronto;E;ENAm;;1;;\r\n"
                         "7490;2300-0100;Mo-Fr;USA;WBCQ;E,S;NAm;;1;;\r\n"
                         "9420;1800-1900;;GRC;Voice of Greece;G;Eu;;1;;\r\n"
                         "8000;0000-2400;;XUU;Test;-CW;Eu;;1;;\r\n"));
        // A channel in use among those the import fills stays as it is.
        const int first = *channelFromLabel(u"A2");
        ImagePart before, after;
        before.firstChannel = after.firstChannel = first + 1;
        before.channels = {Channel{}};
        after.channels = {newChannel(14'200'000, Mode::USB)};
        w.document().submit({QStringLiteral("own"), before, after});
        const RadioImage start = w.document().image();
        w.window->memoryPanel()->selectChannel(first);
        w.prompts.fileNames << sked;

        QStringList counts;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<ScheduleImportDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            const auto *shown = dialog->findChild<QLabel *>(QStringLiteral("lblCount"));
            counts << shown->text();
            QWidget *filter = dialog->findChild<QWidget *>(field);
            if (auto *edit = qobject_cast<QLineEdit *>(filter))
                edit->setText(value);
            else if (auto *list = qobject_cast<QComboBox *>(filter))
                list->setCurrentIndex(list->findText(value, Qt::MatchStartsWith));
            else
                qobject_cast<QCheckBox *>(filter)->setChecked(true);
            counts << shown->text();
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OKButton")), Qt::LeftButton);
        });
        w.action("mnuImportSchedule")->trigger();
        QCOMPARE(counts, (QStringList{"4 stations, 4 frequencies", count}));

        QStringList shown;
        for (int ch = first; ch < first + 5; ++ch) {
            if (w.document().image().channels[ch].inUse && ch != first + 1)
                shown << gridRowLabel(ch) + '=' + w.shown(ch, ColFrequency) + ' ' + w.shown(ch, ColName);
        }
        QCOMPARE(shown, made);
        QCOMPARE(w.document().image().channels[first + 1], start.channels[first + 1]);
        QCOMPARE(w.window->memoryPanel()->currentChannel(), first);
        QCOMPARE(w.find<QLabel>(QStringLiteral("sbStatusBar_Text"))->text(),
                 QStringLiteral("sked-A26.csv: %1, 0 duplicates skipped")
                     .arg(QCoreApplication::translate("ktv4::SchedulePlan", "%n channel(s) made", nullptr,
                                                      int(made.size()))));
        // One step of Undo takes every channel made away.
        w.action("mnuEditUndoStep")->trigger();
        QCOMPARE(w.document().image(), start);
        // A schedule that cannot be read shows the error box and changes nothing.
        w.prompts.fileNames << w.path("missing.csv");
        w.action("mnuImportSchedule")->trigger();
        expectError(w.prompts, QStringLiteral("File Open Error"));
        QCOMPARE(w.document().image(), start);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
