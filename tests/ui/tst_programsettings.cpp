// What the program remembers between runs (the port file, the window geometry) and the COM port
// dialog that chooses the port.

#include "support/WindowFixture.h"

#include "ui/ComPortDialog.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>

using namespace fixture;

namespace {

QString portFile(const QString &dir)
{
    return dir + QStringLiteral("/KT-V4.ini");
}

QRadioButton *comOption(ComPortDialog *dialog, int index)
{
    return dialog->findChild<QRadioButton *>(QStringLiteral("opbCom_%1").arg(index));
}

} // namespace

class TestProgramSettings : public QObject {
    Q_OBJECT

private slots:
    void portNumberInTheFile_data();
    void portNumberInTheFile();
    void portFileRoundTrip_data();
    void portFileRoundTrip();
    void portFileNameMustMatchExactly();
    void unwritableProgramFolderFallsBackToTheUserFolder();
    void userFolderFileIsReadFirst();
    void comDialogLayout();
    void comDialogChoosesThePort();
    void comDialogTakesADevicePath();
    void comDialogListsTheSystemsPorts();
    void portOptionIsForThisRunOnly();
};

void TestProgramSettings::portNumberInTheFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("port");
    QTest::newRow("7") << QByteArray("7\r\n") << 7;
    QTest::newRow("14") << QByteArray("14\r\n") << 14;
    QTest::newRow("15") << QByteArray("15\r\n") << 1;
    QTest::newRow("0") << QByteArray("0\r\n") << 1;
    QTest::newRow("-3") << QByteArray("-3\r\n") << 1;
    QTest::newRow("not a number") << QByteArray("COM4\r\n") << 1;
    QTest::newRow("empty") << QByteArray() << 1;
    QTest::newRow("no line end") << QByteArray("9") << 9;
    QTest::newRow("leading blanks") << QByteArray("  5\r\n") << 5;
    QTest::newRow("quoted") << QByteArray("\"6\"\r\n") << 6;
    QTest::newRow("device on the next line") << QByteArray("3\r\n\"/dev/ttyUSB0\"\r\n") << 3;
}

void TestProgramSettings::portNumberInTheFile()
{
    QFETCH(QByteArray, content);
    QFETCH(int, port);
    QCOMPARE(portNumberFromFile(content), port);
    QTemporaryDir dir;
    QVERIFY(writeAll(portFile(dir.path()), content));
    QCOMPARE(PortSetting(dir.path(), dir.filePath("user")).read().port, port);
}

void TestProgramSettings::portFileRoundTrip_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("port 3") << 3 << "" << QByteArray("3\r\n");
    QTest::newRow("port 4 and a USB device")
        << 4 << "/dev/ttyUSB0" << QByteArray("4\r\n\"/dev/ttyUSB0\"\r\n");
}

void TestProgramSettings::portFileRoundTrip()
{
    QFETCH(int, port);
    QFETCH(QString, device);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const PortSetting setting(dir.path(), dir.filePath("user"));
    QCOMPARE(setting.write({port, device}), portFile(dir.path()));
    QCOMPARE(readAll(portFile(dir.path())), bytes);
    QCOMPARE(setting.read(), PortChoice({port, device}));
    QVERIFY(!QFile::exists(portFile(dir.filePath("user"))));
}

void TestProgramSettings::portFileNameMustMatchExactly()
{
    QTemporaryDir dir;
    QVERIFY(writeAll(dir.filePath("kt-v4.ini"), "7\r\n"));
    QCOMPARE(PortSetting(dir.path(), dir.filePath("user")).read().port, 1);
    QCOMPARE(PortSetting(dir.filePath("nowhere"), dir.filePath("user")).read(), PortChoice());
}

void TestProgramSettings::unwritableProgramFolderFallsBackToTheUserFolder()
{
    // A folder that cannot be written, whoever runs the test: one below a plain file.
    QTemporaryDir dir;
    QVERIFY(writeAll(dir.filePath("plain"), "x"));
    const QString programDir = dir.filePath("plain/bin");
    const QString userDir = dir.filePath("config/ktv4clone");
    const PortSetting setting(programDir, userDir);
    QCOMPARE(setting.write({6, QString()}), portFile(userDir));
    QCOMPARE(readAll(portFile(userDir)), QByteArray("6\r\n"));
    // The next run finds the choice again.
    QCOMPARE(setting.read().port, 6);

    // Neither folder writable: nothing written, and no failure beyond that.
    QCOMPARE(PortSetting(programDir, dir.filePath("plain/config")).write({2, QString()}), QString());
}

void TestProgramSettings::userFolderFileIsReadFirst()
{
    QTemporaryDir dir;
    const QString programDir = dir.filePath("bin");
    const QString userDir = dir.filePath("user");
    QVERIFY(QDir().mkpath(programDir) && QDir().mkpath(userDir));
    QVERIFY(writeAll(portFile(programDir), "2\r\n"));
    QVERIFY(writeAll(portFile(userDir), "9\r\n"));
    const PortSetting setting(programDir, userDir);
    QCOMPARE(setting.read().port, 9);
    // Once the per-user file is in use it keeps being the one written.
    QCOMPARE(setting.write({11, QString()}), portFile(userDir));
    QCOMPARE(readAll(portFile(programDir)), QByteArray("2\r\n"));
    QCOMPARE(setting.read().port, 11);
}

void TestProgramSettings::comDialogLayout()
{
    ComPortDialog dialog;
    dialog.setAvailablePorts({});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("COM Port Setup"));
    // COM1 to COM14 in two columns of seven.
    for (int i = 0; i < 14; ++i) {
        QCOMPARE(comOption(&dialog, i)->text(), QStringLiteral("COM%1").arg(i + 1, 3));
        const QPoint at = comOption(&dialog, i)->mapTo(&dialog, QPoint(0, 0));
        const QPoint first = comOption(&dialog, i < 7 ? 0 : 7)->mapTo(&dialog, QPoint(0, 0));
        QCOMPARE(at.x(), first.x());
        QCOMPARE(at.y() > first.y(), i % 7 > 0);
    }
    QVERIFY(comOption(&dialog, 7)->mapTo(&dialog, QPoint(0, 0)).x() >
            comOption(&dialog, 0)->mapTo(&dialog, QPoint(0, 0)).x());
    // No Cancel: the dialog's one button is OK.
    QCOMPARE(dialog.findChildren<QPushButton *>().size(), 1);
}

void TestProgramSettings::comDialogChoosesThePort()
{
    Window v;
    // A window that starts after the port file was written.
    QVERIFY(writeAll(v.portFile(), "14\r\n"));
    v.window = std::make_unique<MainWindow>(v.prompts, v.options());
    v.window->finishLoad();
    QCOMPARE(v.window->portChoice().port, 14);
    QCOMPARE(v.window->portName(), QStringLiteral("COM14"));

    v.window->show();
    v.action("mnuToolsOptions")->trigger();
    ComPortDialog *dialog = v.window->comPortDialog();
    QVERIFY(dialog && dialog->isVisible() && dialog->isModal());
    QVERIFY(comOption(dialog, 13)->isChecked());
    QVERIFY(dialog->findChild<QLabel *>(QStringLiteral("lblMapping"))
                ->text()
                .contains(platformPortName(QStringLiteral("COM14"))));

    QTest::mouseClick(comOption(dialog, 3), Qt::LeftButton);
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OKButton")), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(v.window->portChoice().port, 4);
    QCOMPARE(v.window->portName(), QStringLiteral("COM4"));
    QVERIFY(!v.window->transfer().isPortOpen());

    // Kept for the next run.
    QVERIFY(v.window->close());
    QCOMPARE(readAll(v.portFile()), QByteArray("4\r\n"));
}

void TestProgramSettings::comDialogTakesADevicePath()
{
    Window w;
    w.window->show();
    w.window->showComPortSetup();
    ComPortDialog *dialog = w.window->comPortDialog();
    auto *device = dialog->findChild<QLineEdit *>(QStringLiteral("txtDevice"));
    QTest::mouseClick(comOption(dialog, 1), Qt::LeftButton);
    QTest::keyClicks(device, QStringLiteral("/dev/ttyUSB0"));
    dialog->accept();
    QCOMPARE(w.window->portChoice(), PortChoice({2, QStringLiteral("/dev/ttyUSB0")}));
    QCOMPARE(w.window->portName(), QStringLiteral("/dev/ttyUSB0"));

    // Shown again, the dialog holds the choice; a COM number clicked means that port's device.
    w.window->showComPortSetup();
    QCOMPARE(device->text(), QStringLiteral("/dev/ttyUSB0"));
    QVERIFY(comOption(dialog, 1)->isChecked());
    QTest::mouseClick(comOption(dialog, 6), Qt::LeftButton);
    QCOMPARE(device->text(), QString());
    dialog->accept();
    QCOMPARE(w.window->portName(), QStringLiteral("COM7"));

    // The device travels with the number into the port file.
    w.window->showComPortSetup();
    device->setText(QStringLiteral("/dev/ttyACM1"));
    dialog->accept();
    QVERIFY(w.window->close());
    QCOMPARE(readAll(w.portFile()), QByteArray("7\r\n\"/dev/ttyACM1\"\r\n"));
    MainWindow next(w.prompts, w.options());
    QCOMPARE(next.portName(), QStringLiteral("/dev/ttyACM1"));
}

void TestProgramSettings::comDialogListsTheSystemsPorts()
{
    ComPortDialog dialog;
    dialog.setAvailablePorts({{QStringLiteral("/dev/ttyS0"), QString()},
                              {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("USB serial")}});
    dialog.show();
    auto *list = dialog.findChild<QListWidget *>(QStringLiteral("lstPorts"));
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(list->item(1)->text(), QStringLiteral("/dev/ttyUSB0 — USB serial"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QCOMPARE(dialog.choice().device, QStringLiteral("/dev/ttyUSB0"));
    QVERIFY(dialog.findChild<QLabel *>(QStringLiteral("lblMapping"))
                ->text()
                .contains(QStringLiteral("/dev/ttyUSB0")));

    ComPortDialog empty;
    empty.setAvailablePorts({});
    QCOMPARE(empty.findChild<QListWidget *>(QStringLiteral("lstPorts"))->count(), 1);
    QCOMPARE(empty.choice().device, QString());
}

void TestProgramSettings::portOptionIsForThisRunOnly()
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
    again.showComPortSetup();
    QCOMPARE(again.comPortDialog()->choice(), PortChoice({5, QStringLiteral("/dev/pts/77")}));
    again.comPortDialog()->accept();
    QVERIFY(again.close());
    QCOMPARE(readAll(w.portFile()), QByteArray("5\r\n\"/dev/pts/77\"\r\n"));
}

QTEST_MAIN(TestProgramSettings)
#include "tst_programsettings.moc"
