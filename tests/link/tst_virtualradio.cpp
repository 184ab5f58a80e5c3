// The virtual radio itself, spoken to over its pseudo-terminal with plain reads and writes: the
// tests of the program lean on it behaving like the radio.

#include "files/CloneFile.h"
#include "model/ChannelNaming.h"
#include "tools/ktv4sim/VirtualRadio.h"

#include <QElapsedTimer>
#include <QTest>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using namespace ktv4;
using namespace ktv4::sim;

namespace {

// A bare client on the device: no Qt, no line discipline.
class RawClient {
public:
    explicit RawClient(const QString &path)
    {
        m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios tio{};
        ::tcgetattr(m_fd, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(m_fd, TCSANOW, &tio);
    }
    ~RawClient()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isOpen() const { return m_fd >= 0; }

    // Sends a line and collects `count` characters of reply (less when the radio says no more).
    QByteArray exchange(const QByteArray &line, qsizetype count, int timeoutMs = 1500)
    {
        [[maybe_unused]] const ssize_t n = ::write(m_fd, line.constData(), line.size());
        QByteArray reply;
        QElapsedTimer timer;
        timer.start();
        while (reply.size() < count && timer.elapsed() < timeoutMs) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, 50) > 0 && (p.revents & POLLIN)) {
                char buffer[256];
                const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
                if (got <= 0)
                    break;
                reply.append(buffer, got);
            }
        }
        return reply;
    }

private:
    int m_fd = -1;
};

RadioSetup unpaced()
{
    RadioSetup setup;
    setup.baud = 0;
    setup.modelCode = "66";
    setup.variantCode = "AA";
    return setup;
}

const QByteArray kZeros(64, '0');

// A running virtual radio with a bare client on its device.
struct Session {
    explicit Session(const RadioSetup &setup = unpaced()) : radio(setup)
    {
        QString error;
        opened = radio.open(error);
        if (opened) {
            radio.start();
            client.emplace(radio.devicePath());
            opened = client->isOpen();
        }
    }
    VirtualRadio radio;
    bool opened = false;
    std::optional<RawClient> client;
};

} // namespace

class TestVirtualRadio : public QObject {
    Q_OBJECT
private slots:
    void answers_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("reply");

        VirtualRadio radio;
        QTest::newRow("identify") << QByteArray("OV~WHO\r\n") << QByteArray("OV~WHO\r\nKTSV46600AA\r\n");
        QTest::newRow("write enable") << QByteArray("KTSV4\r\n") << QByteArray("KTSV4\r\nOK\r\n");
        QTest::newRow("read channel 0")
            << QByteArray("OV~F0600R\r\n") << "OV~F0600R\r\n" + radio.record(channelAddress(0)) + "\r\n";
        QTest::newRow("read channel 603")
            << QByteArray("OV~F5160R\r\n") << "OV~F5160R\r\n" + radio.record(channelAddress(603)) + "\r\n";
        QTest::newRow("read settings 2")
            << QByteArray("OV~F0320R\r\n") << "OV~F0320R\r\n" + radio.record(kSettings2Address) + "\r\n";
        QTest::newRow("end") << QByteArray("OV~E\r\n") << QByteArray("OV~E\r\nOK\r\n");
        QTest::newRow("unknown line") << QByteArray("HELLO\r\n") << QByteArray("HELLO\r\nNG\r\n");
    }

    void answers()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, reply);
        Session s;
        QVERIFY(s.opened);
        QCOMPARE(s.client->exchange(line, reply.size()), reply);
        QCOMPARE(s.radio.receivedLines(), QList<QByteArray>{line});
    }

    void writesNeedTheWriteEnableLine()
    {
        Session s;
        QVERIFY(s.opened);
        VirtualRadio &radio = s.radio;
        RawClient &client = *s.client;
        const QByteArray before = radio.record(0x1000);
        const QByteArray write = "OV~F1000W" + kZeros + "\r\n";

        QCOMPARE(client.exchange(write, 79), write + "NG\r\n");
        QCOMPARE(radio.record(0x1000), before);
        QCOMPARE(client.exchange("KTSV4\r\n", 11), QByteArray("KTSV4\r\nOK\r\n"));
        QCOMPARE(client.exchange(write, 79), write + "OK\r\n");
        QCOMPARE(radio.record(0x1000), kZeros);
        // The closing line ends the permission.
        QCOMPARE(client.exchange("OV~E\r\n", 10), QByteArray("OV~E\r\nOK\r\n"));
        const QByteArray again = "OV~F1000W" + QByteArray(64, '1') + "\r\n";
        QCOMPARE(client.exchange(again, 79), again + "NG\r\n");
        QCOMPARE(radio.record(0x1000), kZeros);
    }

    void pacedAtTheLineSpeed()
    {
        RadioSetup setup = unpaced();
        setup.baud = 9600;
        Session s(setup);
        QVERIFY(s.opened);
        QElapsedTimer timer;
        timer.start();
        // 11 characters in, 77 out, ten bit times each: at least 91.7 ms.
        QCOMPARE(s.client->exchange("OV~F0600R\r\n", 77).size(), 77);
        QVERIFY2(timer.nsecsElapsed() >= 91'600'000, qPrintable(QString::number(timer.nsecsElapsed())));
    }

    void sampleAndSavedImage()
    {
        const RadioImage sample = VirtualRadio::sampleImage();
        for (const int channel : {0, 199, 200, 400, 401, 402, 602, 603})
            QVERIFY2(sample.channels[channel].inUse, qPrintable(QString::number(channel)));

        VirtualRadio radio(unpaced());
        radio.setRecord(channelAddress(5), QByteArray(64, 'f'));
        const CloneLoadResult loaded = parseCloneFile(radio.cloneFileBytes(), startupImage());
        QVERIFY2(loaded.result.ok(), qPrintable(loaded.result.detail));
        QCOMPARE(loaded.header->modelIndex, 1);
        QVERIFY(loaded.header->variantA);
        QVERIFY(!loaded.image.channels[5].inUse);
        QVERIFY(loaded.image.channels == radio.image().channels);
        // Records are saved as held, lower-case digits included.
        QVERIFY(radio.cloneFileBytes().contains("\r\n" + QByteArray(64, 'f') + "\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestVirtualRadio)
#include "tst_virtualradio.moc"
