// The window's side of the serial port: Help > Check Serial Port… on the port in use, the pointer
// to it in a "COM Port Error" about opening the port, and the COM Port Setup list that names
// adapters and the programs holding them and remembers a port by its stable name.

#include "support/WindowBench.h"
#include "ui/ComPortDialog.h"
#include "ui/PortCheckDialog.h"
#include "ui/TransferMessages.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>

using namespace fixture;

class TestPortCheck : public QObject {
    Q_OBJECT
private slots:
    // The check lets go of the port the window keeps open after a transfer, then asks the radio.
    void checksThePortInUse()
    {
        WindowBench bench(Radio::unpaced(), QString(), QString(), kRadioTimings, Wire::Pty);
        QVERIFY(bench.opened);
        bench.click(QStringLiteral("cmbRxData1"));
        QVERIFY(bench.waitUntilIdle());
        QVERIFY(bench.main().transfer().isPortOpen());

        bench.window->action(QStringLiteral("mnuHelpPortCheck"))->trigger();
        PortCheckDialog *dialog = bench.main().portCheckDialog();
        QSignalSpy checked(dialog, &PortCheckDialog::checked);
        QVERIFY(checked.wait(10000));
        QVERIFY(dialog->isVisible());
        QVERIFY(!bench.main().transfer().isPortOpen());
        const QString device = bench.radio.devicePath();
        QVERIFY2(dialog->reportText().contains(QStringLiteral("[ ok ] %1 exists").arg(device)) &&
                     dialog->reportText().contains(QLatin1String("[ ok ] The radio answers identify")),
                 qPrintable(dialog->reportText()));
    }

    void missingPortFailsAndPointsToTheCheck()
    {
        Window w(QString(), QStringLiteral("/dev/ktv4-no-such-port"));
        w.window->show();
        w.action(QStringLiteral("mnuReSet"))->trigger();
        QTRY_VERIFY(!w.window->isBusy());
        expectError(w.prompts, QStringLiteral("COM Port Error"));
        QVERIFY2(w.prompts.messages.first().informative.endsWith(portCheckPointer()),
                 qPrintable(w.prompts.messages.first().informative));

        w.window->showPortCheck();
        QSignalSpy checked(w.window->portCheckDialog(), &PortCheckDialog::checked);
        QVERIFY(checked.wait(10000));
        const auto report = checked.first().first().value<DoctorReport>();
        QCOMPARE(report.check(QStringLiteral("device"))->status, CheckStatus::Failed);
        QCOMPARE(report.check(QStringLiteral("identify"))->status, CheckStatus::Skipped);
        QVERIFY(w.window->portCheckDialog()->reportText().contains(
            QLatin1String("[FAIL] /dev/ktv4-no-such-port exists")));
    }

    // A port with a stable name is remembered by it, typed or picked; the port file's first line
    // stays the port number.
    void comPortSetupRemembersTheStableName()
    {
        const QString byId = QStringLiteral("/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0");
        Window w;
        w.window->showComPortSetup();
        ComPortDialog *dialog = w.window->comPortDialog();
        dialog->setAvailablePorts({{QStringLiteral("/dev/ttyS0"), QString()},
                                   {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("USB Serial (1a86:7523)"),
                                    byId, PortHolder{4711, QStringLiteral("chirp"), QString()}}});
        auto *list = dialog->findChild<QListWidget *>(QStringLiteral("lstPorts"));
        QCOMPARE(list->item(0)->text(), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(list->item(1)->text(),
                 QStringLiteral("/dev/ttyUSB0 — USB Serial (1a86:7523) — in use by chirp (PID 4711)"));
        auto *device = dialog->findChild<QLineEdit *>(QStringLiteral("txtDevice"));
        for (const QString &typed : {QStringLiteral("ttyUSB0"), QStringLiteral("/dev/ttyUSB0"), byId}) {
            device->setText(typed);
            QCOMPARE(dialog->choice().device, byId);
        }
        device->setText(QStringLiteral("ttyS0"));
        QCOMPARE(dialog->choice().device, QStringLiteral("ttyS0"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QCOMPARE(device->text(), byId);
        dialog->accept();
        QCOMPARE(w.window->portName(), byId);
        QVERIFY(w.window->close());
        QCOMPARE(readAll(w.portFile()), "1\r\n\"" + byId.toUtf8() + "\"\r\n");
        QCOMPARE(portNumberFromFile(readAll(w.portFile())), 1);
    }
};

QTEST_MAIN(TestPortCheck)
#include "tst_portcheck.moc"
