// SPDX-License-Identifier: GPL-3.0-or-later
// The File menu's clone-file commands, the save question, the caption, the changed flag, the
// file named on the command line, and closing the window.

#include "files/CloneFile.h"
#include "files/MemoryFile.h"
#include "memory/MemoryFixtures.h"
#include "support/WindowFixture.h"
#include "ui/ComPortDialog.h"
#include "ui/StartupArguments.h"
#include "ui/VfoTableModel.h"

#include <QButtonGroup>
#include <QCommandLineParser>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTableView>
#include <QTest>

using namespace fixture;

namespace {

const QString kTitle = QStringLiteral("Orvane KT-V4 Clone Utility");
const QString kOpenFilter =
    QStringLiteral("Orvane KT-V4 Clone Files (*.TV4);;Memory as text (*.yaml *.yml);;All Files (*)");
const QString kSaveFilter =
    QStringLiteral("Orvane KT-V4 Clone Files (*.TV4);;Memory as text (*.yaml);;All Files (*)");

// A clone file unlike the start-up image in every part the window shows.
RadioImage fileImage()
{
    RadioImage image = startupImage(ModelJ);
    image.settings.values.cmbAPO = 4;
    image.settings.values.cmbSSBStep = 3;
    image.settings.values.Slider1 = 777;
    image.vfos[1].frequency = 14'200'000;
    image.vfos[1].mode = Mode::CWU;
    // Round trip through the codecs, so the image is exactly what loading the file gives.
    CloneLoadResult loaded = parseCloneFile(cloneFileBytes(image, ModelT, true));
    return loaded.image;
}

QString writeCloneFile(const Window &w, const QString &name, int model = ModelT, bool variantA = true)
{
    RadioImage image = fileImage();
    const QString path = w.path(name);
    return writeAll(path, cloneFileBytes(image, model, variantA)) ? path : QString();
}

QString portFile(const QString &dir)
{
    return dir + QStringLiteral("/KT-V4.ini");
}

QRadioButton *comOption(ComPortDialog *dialog, int index)
{
    return dialog->findChild<QRadioButton *>(QStringLiteral("opbCom_%1").arg(index));
}

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT

private slots:

    void saveQuestion_data()
    {
        QTest::addColumn<QString>("command"); // "new", "open" (other.TV4) or "close"
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveTo"); // what the save's dialog returns: "" = cancelled
        QTest::addColumn<bool>("goesOn");
        const QString unwritable = QStringLiteral("no such folder/kept.TV4");
        for (const char *command : {"new", "open", "close"}) {
            QTest::addRow("%s, unchanged: no question", command)
                << command << false << int(QMessageBox::NoButton) << "" << true;
            QTest::addRow("%s, Cancel keeps everything", command)
                << command << true << int(QMessageBox::Cancel) << "" << false;
            QTest::addRow("%s, No goes on without saving", command)
                << command << true << int(QMessageBox::No) << "" << true;
            QTest::addRow("%s, Yes saves, then goes on", command)
                << command << true << int(QMessageBox::Yes) << "answer.TV4" << true;
            QTest::addRow("%s, Yes, Save dialog cancelled", command)
                << command << true << int(QMessageBox::Yes) << "" << false;
            QTest::addRow("%s, Yes, file cannot be written", command)
                << command << true << int(QMessageBox::Yes) << unwritable << false;
        }
    }

    void saveQuestion()
    {
        QFETCH(QString, command);
        QFETCH(bool, changed);
        QFETCH(int, answer);
        QFETCH(QString, saveTo);
        QFETCH(bool, goesOn);
        Window w;
        w.window->show();
        test::setChannels(w.document(), 42, {test::usedChannel(7'050'000, QString())});
        w.document().setDataChanged(changed);
        if (answer != QMessageBox::NoButton)
            w.prompts.answers.enqueue(QMessageBox::StandardButton(answer));
        if (answer == QMessageBox::Yes)
            w.prompts.fileNames.enqueue(saveTo.isEmpty() ? QString() : w.path(saveTo));
        w.prompts.fileNames.enqueue(writeCloneFile(w, "other.TV4"));
        if (command == QLatin1String("new"))
            w.window->files()->newFile();
        else if (command == QLatin1String("open"))
            w.window->files()->open();
        else
            QCOMPARE(w.window->close(), goesOn);

        // The question; for a file that cannot be written, its error; nothing after a save that failed.
        const bool writeFails = saveTo.startsWith(QLatin1String("no such"));
        QCOMPARE(w.prompts.messages.size(), !changed ? 0 : writeFails ? 2 : 1);
        if (changed) {
            const MessageRequest &question = w.prompts.messages[0];
            QCOMPARE(question.title + question.text, QStringLiteral("Save ChangesSave changes to settings?"));
            QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        }
        if (writeFails)
            QCOMPARE(w.prompts.messages[1].text, QStringLiteral("File Open Error"));
        if (goesOn && !saveTo.isEmpty())
            QCOMPARE(QFileInfo(w.path(saveTo)).size(), qint64(kCloneFileSize));
        if (!goesOn) {
            QCOMPARE(w.prompts.fileDialogs.size(), answer == QMessageBox::Yes ? 1 : 0);
            QVERIFY(w.document().image().channels[42].inUse && w.document().dataChanged());
            QCOMPARE(fixture::shownCaption(*w.window), kTitle + QLatin1Char('*'));
        } else if (command == QLatin1String("new")) {
            // New forgets the channels and the file: no current file, the bare title.
            QVERIFY(!w.document().image().channels[42].inUse && !w.document().dataChanged());
            QCOMPARE(fixture::shownCaption(*w.window), kTitle);
        } else if (command == QLatin1String("open")) {
            QVERIFY(!w.document().image().channels[42].inUse);
            QCOMPARE(fixture::shownCaption(*w.window), kTitle + QStringLiteral(" - other.TV4"));
        }
        if (command == QLatin1String("close")) {
            QCOMPARE(w.window->isVisible(), !goesOn);
            // The port file is written by a close that goes through, and only then.
            QCOMPARE(QFile::exists(w.portFile()), goesOn);
        }
    }

    void openShowsTheFile()
    {
        Window w;
        const QString path = writeCloneFile(w, "radio one.TV4", ModelT, true);
        w.prompts.fileNames.enqueue(path);
        w.window->files()->open();
        QVERIFY(w.prompts.messages.isEmpty());
        QCOMPARE(w.prompts.fileDialogs[0].filter, kOpenFilter);

        QCOMPARE(fixture::shownCaption(*w.window), kTitle + QStringLiteral(" - radio one.TV4"));
        QVERIFY(!w.document().dataChanged() && w.document().cloneVariantA());
        QVERIFY(w.find<QRadioButton>(QStringLiteral("opbModel_1"))->isChecked());
        // Panel and VFO grid show the file.
        QAbstractItemModel *vfos = w.find<QTableView>(QStringLiteral("MSFlexGrid2"))->model();
        QCOMPARE(QStringList({w.list("cmbAPO")->currentText(), w.list("cmbSSBStep")->currentText(),
                              w.find<QLabel>(QStringLiteral("lblIQShift"))->text(),
                              vfos->index(1, VfoTableModel::Frequency).data().toString(),
                              vfos->index(1, VfoTableModel::Mode).data().toString()}),
                 QStringList({"120", "2.5KHz", "+07.77", "14.200.000", "CWU"}));

        // The next dialog starts with the name chosen last.
        w.window->files()->open();
        QCOMPARE(w.prompts.fileDialogs[1].fileName, path);
    }

    // A memory file opens as a clone file does; Save keeps it text, asking first when it holds
    // comments of the user's own, which the save drops; Save As starts on the text filter.
    void memoryFileOpensAndSavesAsText()
    {
        Window w;
        const QString path = w.path("radio.yaml");
        const QByteArray commented = "# the club's channels\n" + memoryFileBytes(fileImage(), ModelT, true);
        QVERIFY(writeAll(path, commented));
        w.prompts.fileNames.enqueue(path);
        w.window->files()->open();
        QVERIFY(w.prompts.messages.isEmpty());
        QVERIFY(w.document().image() == fileImage());
        QCOMPARE(fixture::shownCaption(*w.window), kTitle + QStringLiteral(" - radio.yaml"));

        test::setChannels(w.document(), 5, {test::usedChannel(7'050'000, QString())});
        w.prompts.answers << QMessageBox::Cancel;
        QVERIFY(!w.window->files()->save());
        QCOMPARE(w.prompts.messages.size(), 1);
        QCOMPARE(w.prompts.messages[0].text, QStringLiteral("radio.yaml holds comments of its own."));
        QCOMPARE(readAll(path), commented);
        w.prompts.answers << QMessageBox::Save;
        QVERIFY(w.window->files()->save());
        QCOMPARE(readAll(path), memoryFileBytes(w.document().image(), ModelT, true));
        QVERIFY(!w.document().dataChanged());
        QVERIFY(w.window->files()->save()); // only the program's own comments now: no question
        QCOMPARE(w.prompts.messages.size(), 2);

        w.prompts.fileNames << w.path("copy");
        QVERIFY(w.window->files()->saveAs());
        QCOMPARE(readAll(w.path("copy.yaml")), readAll(path));
    }

    void saveAsksOnlyWithoutACurrentFile()
    {
        Window w;
        w.document().setDataChanged(true);
        QVERIFY(!w.window->files()->save()); // cancelled dialog: nothing written, nothing said
        QVERIFY(w.prompts.messages.isEmpty());
        QCOMPARE(w.document().dataChanged(), true);

        const QString typed = w.path("no extension.TV4");
        w.prompts.fileNames.enqueue(typed);
        QVERIFY(w.window->files()->save());
        QCOMPARE(w.prompts.fileDialogs.size(), 2);
        QCOMPARE(readAll(typed).left(32), QByteArray("Orvane KT-V4 E Clone 0 FileStart"));
        QCOMPARE(fixture::shownCaption(*w.window), kTitle + QStringLiteral(" - no extension.TV4"));
        QCOMPARE(w.document().dataChanged(), false);

        // With a current file, Save writes there without asking.
        test::setChannels(w.document(), 5, {test::usedChannel(7'050'000, QString())});
        QVERIFY(w.window->files()->save());
        QCOMPARE(w.prompts.fileDialogs.size(), 2);
        RadioImage reread = parseCloneFile(readAll(typed)).image;
        QCOMPARE(reread.channels[5].inUse, true);
    }

    void saveAsAlwaysAsksAndStartsWithTheLastName()
    {
        Window w;
        const QString first = w.path("first.TV4");
        const QString second = w.path("second.TV4");
        w.prompts.fileNames << first << second;
        QVERIFY(w.window->files()->saveAs());
        QVERIFY(w.window->files()->saveAs());
        QCOMPARE(w.prompts.fileDialogs.size(), 2);
        QCOMPARE(w.prompts.fileDialogs[1].fileName, first);
        QCOMPARE(fixture::shownCaption(*w.window), kTitle + QStringLiteral(" - second.TV4"));
        QCOMPARE(w.document().cloneFileName(), second);
        QCOMPARE(readAll(first), readAll(second));

        // A save that fails keeps the caption, the file and the changed data.
        w.document().setDataChanged(true);
        w.prompts.fileNames << w.path("missing folder/bad.TV4");
        QVERIFY(!w.window->files()->saveAs());
        expectError(w.prompts, QStringLiteral("File Open Error"));
        QCOMPARE(fixture::shownCaption(*w.window), kTitle + QStringLiteral(" - second.TV4*"));
        QCOMPARE(w.document().cloneFileName(), second);
    }

    void saveDialogAfterACsvDialogProposesACloneFile_data()
    {
        QTest::addColumn<QString>("command"); // the CSV command: "mnuExport" or "mnuImport"
        QTest::addColumn<QString>("csvName");
        QTest::addColumn<QString>("saveCommand");
        QTest::addColumn<QString>("proposed"); // "" = the folder alone
        const struct {
            const char *row, *command, *csvName, *saveCommand, *proposed;
        } table[] = {
            {"export, then Save", "mnuExport", "memories.csv", "mnuFileSave", "memories.TV4"},

            {"import, then Save", "mnuImport", "in.csv", "mnuFileSave", "in.TV4"},
            {"CSV in a file named like a clone file", "mnuExport", "odd.TV4", "mnuFileSave", ""},
        };
        for (const auto &r : table)
            QTest::newRow(r.row) << r.command << r.csvName << r.saveCommand << r.proposed;
    }

    void saveDialogAfterACsvDialogProposesACloneFile()
    {
        QFETCH(QString, command);
        QFETCH(QString, csvName);
        QFETCH(QString, saveCommand);
        QFETCH(QString, proposed);
        Window w;
        const QString csv = w.path(csvName);
        if (command == QLatin1String("mnuImport"))
            QVERIFY(writeAll(csv, "\"KT-V4\",\"MEMORY\",\"3\",\"7.050.000\",\"LSB\",\"0\",\"SLOW\",\"WIDE\","
                                  "\"OFF\",\"\",\"\"\r\n"));
        w.document().setDataChanged(true);
        w.prompts.fileNames << csv;
        w.action(command)->trigger();
        QVERIFY(w.prompts.messages.isEmpty());
        const QByteArray csvBytes = readAll(csv);
        QVERIFY(!csvBytes.isEmpty());
        if (command == QLatin1String("mnuExport"))
            QVERIFY(w.document().dataChanged()); // a CSV file is not the whole image

        // The save dialog starts on a clone file's name, not on the CSV file: Enter cannot put clone
        // data into it.
        w.action(saveCommand)->trigger(); // cancelled
        QCOMPARE(w.prompts.fileDialogs.size(), 2);
        QCOMPARE(w.prompts.fileDialogs[1].filter, kSaveFilter);
        QCOMPARE(w.prompts.fileDialogs[1].fileName,
                 proposed.isEmpty() ? w.dir.path() + '/' : w.path(proposed));
        QCOMPARE(readAll(csv), csvBytes);

        // Once a clone-file dialog has chosen a name, that name is proposed again as usual.
        const QString clone = w.path("chosen.TV4");
        w.prompts.fileNames << clone;
        QVERIFY(w.window->files()->saveAs());
        w.action("mnuFileSaveAs")->trigger(); // cancelled
        QCOMPARE(w.prompts.fileDialogs[3].fileName, clone);
        QCOMPARE(readAll(csv), csvBytes);
    }

    void startFile_data()
    {
        QTest::addColumn<QString>("argument"); // %1 is the file's path
        QTest::addColumn<bool>("loads");
        QTest::newRow("path as the shell hands it over") << "%1" << true;
        QTest::newRow("missing file") << "%1.missing" << false;
    }

    void startFile()
    {
        QFETCH(QString, argument);
        QFETCH(bool, loads);
        QTemporaryDir dir;
        const QString path = dir.filePath("start up.TV4");
        RadioImage image = fileImage();
        QVERIFY(writeAll(path, cloneFileBytes(image, ModelT, false)));
        const QString startFile = startFileFrom(argument.arg(path));

        Window w(startFile);
        if (loads) {
            QVERIFY(w.prompts.messages.isEmpty());
            QCOMPARE(fixture::shownCaption(*w.window), kTitle + QStringLiteral(" - start up.TV4"));
            QCOMPARE(w.document().cloneFileName(), path);
        } else {
            expectError(w.prompts, QStringLiteral("File Open Error"));
            QCOMPARE(fixture::shownCaption(*w.window), kTitle);
            QVERIFY(w.document().image() == startupImage());
        }
        // Start-up always ends with unchanged data.
        QCOMPARE(w.document().dataChanged(), false);
    }

    void startFileArgument_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("startFile");
        QTest::addColumn<QString>("port");
        const struct {
            const char *row;
            QStringList arguments;
            const char *startFile, *port;
        } rows[] = {{"nothing", {}, "", ""},
                    {"plain path", {"/home/op/radio.TV4"}, "/home/op/radio.TV4", ""},
                    {"quotes dropped", {"\"/home/op/my radio.TV4\""}, "/home/op/my radio.TV4", ""},
                    {"one quote only stays", {"\"x.TV4"}, "\"x.TV4", ""},
                    {"a lone quote stays", {"\""}, "\"", ""},
                    {"port and file", {"--port", "/dev/ttyUSB0", "b.TV4"}, "b.TV4", "/dev/ttyUSB0"},
                    {"port=", {"--port=/dev/pts/3"}, "", "/dev/pts/3"},
                    {"trace is no file", {"--trace", "t.log", "c.TV4"}, "c.TV4", ""}};
        for (const auto &r : rows)
            QTest::newRow(r.row) << QStringList{"ktv4clone"} + r.arguments << r.startFile << r.port;
    }

    void startFileArgument()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, startFile);
        QFETCH(QString, port);
        QCommandLineParser parser;
        describeArguments(parser);
        QVERIFY(parser.parse(arguments));
        const StartupArguments parsed = startupArguments(parser);
        QCOMPARE(parsed.startFile, startFile);
        QCOMPARE(parsed.portDevice, port);
    }

    // Help, version and a wrong option are answered on the terminal, also where there is no
    // display at all.
    void commandLineWithoutDisplay_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("help") << "--help" << 0 << "Usage: ";
        QTest::newRow("version") << "--version" << 0 << QStringLiteral("ktv4clone " KTV4_VERSION);
        QTest::newRow("wrong option") << "--colour" << 1 << "Unknown option 'colour'.";
    }

    void commandLineWithoutDisplay()
    {
        QFETCH(QString, argument);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *display : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QLatin1String(display));
        program.setProcessEnvironment(environment);
        program.start(qEnvironmentVariable("KTV4_BINARY_DIR") + QStringLiteral("/app/ktv4clone"), {argument});
        QVERIFY(program.waitForFinished(30000));
        const QString out =
            QString::fromUtf8(program.readAllStandardOutput() + program.readAllStandardError());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), exitCode);
        QVERIFY2(out.contains(said), qPrintable(out));
    }

    // A minimized window's geometry is not kept (the design size is: the window suite's).
    void closingMinimizedKeepsNoGeometry()
    {
        Window w;
        w.window->showMinimized();
        QVERIFY(w.window->close());
        QCOMPARE(QSettings(w.geometryFile(), QSettings::IniFormat).allKeys(),
                 QStringList{"Settings/VerifyWrites"}); // the fixture's own
        QCOMPARE(readAll(w.portFile()), QByteArray("1\r\n"));
    }

    void portNumberInTheFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("port");
        const std::pair<const char *, int> rows[] = {{"7\r\n", 7},
                                                     {"14\r\n", 14},
                                                     {"15\r\n", 1},
                                                     {"0\r\n", 1},
                                                     {"-3\r\n", 1},
                                                     {"COM4\r\n", 1},
                                                     {"", 1},
                                                     {"9", 9},
                                                     {"  5\r\n", 5},
                                                     {"\"6\"\r\n", 6},
                                                     {"3\r\n\"/dev/ttyUSB0\"\r\n", 3}};
        for (const auto &[content, port] : rows)
            QTest::addRow("%s", content) << QByteArray(content) << port;
    }

    void portNumberInTheFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, port);
        QCOMPARE(portNumberFromFile(content), port);
        QTemporaryDir dir;
        QVERIFY(writeAll(portFile(dir.path()), content));
        QCOMPARE(PortSetting(dir.path(), dir.filePath("user")).read().port, port);
    }

    // The port file: in the program's folder, or the user's when that cannot be written or already
    // holds one; read back as written; its name must match exactly.
    void portFileFolders()
    {
        QTemporaryDir dir;
        const PortSetting setting(dir.path(), dir.filePath("user"));
        for (const PortChoice &choice :
             {PortChoice{3, QString()}, PortChoice{4, QStringLiteral("/dev/ttyUSB0")}}) {
            QCOMPARE(setting.write(choice), portFile(dir.path()));
            QCOMPARE(setting.read(), choice);
        }
        QCOMPARE(readAll(portFile(dir.path())), QByteArray("4\r\n\"/dev/ttyUSB0\"\r\n"));
        QVERIFY(!QFile::exists(portFile(dir.filePath("user"))));
        QVERIFY(QFile::rename(portFile(dir.path()), dir.filePath("kt-v4.ini")));
        QCOMPARE(setting.read().port, 1);

        // A program folder below a plain file cannot be written, whoever runs the test: the user's
        // folder takes the choice and the next run finds it; neither writable: nothing written.
        QVERIFY(writeAll(dir.filePath("plain"), "x"));
        const QString programDir = dir.filePath("plain/bin");
        const QString userDir = dir.filePath("config");
        QCOMPARE(PortSetting(programDir, userDir).write({6, QString()}), portFile(userDir));
        QCOMPARE(PortSetting(programDir, userDir).read().port, 6);
        QCOMPARE(PortSetting(programDir, dir.filePath("plain/config")).write({2, QString()}), QString());

        // The user's file is read first and, once in use, is the one written.
        QVERIFY(QDir().mkpath(dir.filePath("bin")) && writeAll(portFile(dir.filePath("bin")), "2\r\n"));
        const PortSetting both(dir.filePath("bin"), userDir);
        QCOMPARE(both.read().port, 6);
        QCOMPARE(both.write({11, QString()}), portFile(userDir));
        QCOMPARE(readAll(portFile(dir.filePath("bin"))), QByteArray("2\r\n"));
        QCOMPARE(both.read().port, 11);
    }

    // The port remembered, chosen by number or by device in the dialog, kept for the next run.
    void comDialogChoosesThePort()
    {
        Window v;
        QVERIFY(writeAll(v.portFile(), "14\r\n"));
        v.window = std::make_unique<MainWindow>(v.prompts, v.options());
        v.window->finishLoad();
        QCOMPARE(v.window->portName(), QStringLiteral("COM14"));
        v.window->show();
        v.action("mnuToolsOptions")->trigger();
        ComPortDialog *dialog = v.window->comPortDialog();
        QVERIFY(dialog && dialog->isModal() && comOption(dialog, 13)->isChecked());
        QVERIFY(dialog->findChild<QLabel *>(QStringLiteral("lblMapping"))
                    ->text()
                    .contains(platformPortName(QStringLiteral("COM14"))));
        QTest::mouseClick(comOption(dialog, 3), Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OKButton")), Qt::LeftButton);
        QCOMPARE(v.window->portName(), QStringLiteral("COM4"));
        QVERIFY(!v.window->transfer().isPortOpen());

        // A device path goes with the number; a number clicked afterwards means that port's device.
        auto *device = dialog->findChild<QLineEdit *>(QStringLiteral("txtDevice"));
        v.window->transfers()->showComPortSetup();
        QTest::mouseClick(comOption(dialog, 1), Qt::LeftButton);
        QTest::keyClicks(device, QStringLiteral("/dev/ttyUSB0"));
        dialog->accept();
        QCOMPARE(v.window->portChoice(), PortChoice({2, QStringLiteral("/dev/ttyUSB0")}));
        v.window->transfers()->showComPortSetup();
        QTest::mouseClick(comOption(dialog, 6), Qt::LeftButton);
        QCOMPARE(device->text(), QString());
        device->setText(QStringLiteral("/dev/ttyACM1"));
        dialog->accept();
        QVERIFY(v.window->close());
        QCOMPARE(readAll(v.portFile()), QByteArray("7\r\n\"/dev/ttyACM1\"\r\n"));
        QCOMPARE(MainWindow(v.prompts, v.options()).portName(), QStringLiteral("/dev/ttyACM1"));
    }

    void portOptionIsForThisRunOnly()
    {
        Window w(QString(), QStringLiteral("/dev/pts/77"));
        QVERIFY(writeAll(w.portFile(), "5\r\n"));
        MainWindow window(w.prompts, w.options(QStringLiteral("/dev/pts/77")));
        window.finishLoad();
        QCOMPARE(window.portName(), QStringLiteral("/dev/pts/77"));
        QVERIFY(window.close());
        // The remembered choice is written back unchanged.
        QCOMPARE(readAll(w.portFile()), QByteArray("5\r\n"));

        // The dialog shows the device in use; its OK makes the choice the remembered one.
        MainWindow again(w.prompts, w.options(QStringLiteral("/dev/pts/77")));
        again.transfers()->showComPortSetup();
        QCOMPARE(again.comPortDialog()->choice(), PortChoice({5, QStringLiteral("/dev/pts/77")}));
        again.comPortDialog()->accept();
        QVERIFY(again.close());
        QCOMPARE(readAll(w.portFile()), QByteArray("5\r\n\"/dev/pts/77\"\r\n"));
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
