// The two settings records and the 28 values they decode to.

#include "model/RadioImage.h"
#include "model/RecordText.h"
#include "model/SettingsCodec.h"

#include <QTest>

using namespace ktv4;

namespace {

const QString kDefaultOut1 = "A50000000003000E000000000000000000000320010100000808080000000000";
const QString kDefaultOut2 = "0000000000000000000001010001000500000000000000000000000000000000";

QString withByte(const QString &text, int offset, int value)
{
    RecordBytes b = parseRecordText(text);
    b[offset] = static_cast<std::uint8_t>(value);
    return recordText(b);
}

QString itemText(const char *control, const SettingsValues &values)
{
    const SettingDescriptor *d = findSetting(QLatin1String(control));
    return d->items.value(values.*d->member);
}

} // namespace

class TestSettingsCodec : public QObject {
    Q_OBJECT
private slots:
    // The lists the decoder never bounds: only their items show what the radio means.
    void listsAreComplete()
    {
        const struct {
            const char *control;
            int size, index;
            const char *text;
        } lists[] = {{"cmbTone", 39, 8, "88.5Hz"},    {"cmbWPM", 35, 14, "20"},
                     {"cmbBreakIn", 9, 8, "AUTO"},    {"cmbDimmer", 65, 5, "05"},
                     {"cmbSideTone", 13, 8, "800Hz"}, {"cmbScanType", 23, 3, "  2S"},
                     {"cmbSleep", 18, 17, "180"}};
        for (const auto &l : lists) {
            QCOMPARE(findSetting(QLatin1String(l.control))->items.size(), l.size);
            QCOMPARE(findSetting(QLatin1String(l.control))->items.at(l.index), QLatin1String(l.text));
        }
        QCOMPARE(toneNames(), findSetting("cmbTone")->items);
    }

    void defaultImageDecodesAndEncodes()
    {
        const RadioImage image = startupImage();
        const SettingsValues &v = image.settings;
        // The start-up selections, in the order of the lists (first block, then second).
        const QStringList expected{"100Hz",  "Off",  "20",     "Off",  "Off",    "100Hz", "1.0KHz",
                                   "2.5KHz", "Off",  "On",     "  2S", "32",     "On",    "On",
                                   "800Hz",  "AUTO", "88.5Hz", "Off",  "Off",    "Mute",  "Band",
                                   " 50KHz", "Skip", "On",     "On",   "Manual", " 60"};
        QCOMPARE(settingDescriptors().size(), size_t(expected.size()));
        for (size_t i = 0; i < settingDescriptors().size(); ++i)
            QCOMPARE(itemText(settingDescriptors()[i].control, v), expected[int(i)]);
        QCOMPARE(v.Slider1, 0);

        QString s1, s2;
        makeSettingsData(v, s1, s2);
        QCOMPARE(s1, kDefaultOut1);
        QCOMPARE(s2, kDefaultOut2);
    }

    void iqShift_data()
    {
        QTest::addColumn<int>("shift");
        QTest::addColumn<int>("byte16");
        QTest::addColumn<int>("byte17");
        QTest::addColumn<QString>("text");
        QTest::newRow("-150") << -150 << 0x96 << 0x80 << "-01.50";
        QTest::newRow("+2400") << 2400 << 0x60 << 0x09 << "+24.00";
        QTest::newRow("-2400") << -2400 << 0x60 << 0x89 << "-24.00";
        QTest::newRow("0") << 0 << 0x00 << 0x00 << "00.00";
        QTest::newRow("+5") << 5 << 0x05 << 0x00 << "+00.05";
        QTest::newRow("-1") << -1 << 0x01 << 0x80 << "-00.01";
    }

    // Sign and magnitude in bytes 16-17 of the second block, and the caption of the shift.
    void iqShift()
    {
        QFETCH(int, shift);
        QFETCH(int, byte16);
        QFETCH(int, byte17);
        QFETCH(QString, text);
        QCOMPARE(ktv4::iqShiftText(shift), text);
        SettingsValues v = startupImage().settings;
        v.Slider1 = shift;
        QString s1, s2;
        makeSettingsData(v, s1, s2);
        const RecordBytes b = parseRecordText(s2);
        QCOMPARE(int(b[16]), byte16);
        QCOMPARE(int(b[17]), byte17);
        SettingsValues back = startupImage().settings;
        QVERIFY(decodeSettingsData(s1, s2, back).ok);
        QCOMPARE(back.Slider1, shift);
        if (shift == 0) {
            // Negative zero decodes as 0 and comes back without the sign bit.
            QVERIFY(decodeSettingsData(kDefaultOut1, withByte(kDefaultOut2, 17, 0x80), back).ok);
            QCOMPARE(back.Slider1, 0);
        }
    }

    void ledCoding()
    {
        struct {
            int byte, position, written;
        } cases[] = {{0x00, 0, 0x00}, {0x08, 1, 0x08}, {0x04, 2, 0x04}, {0x0C, 1, 0x08}, {0xFF, 1, 0x08}};
        for (auto c : cases) {
            SettingsValues v;
            QVERIFY(decodeSettingsData(kDefaultOut1, withByte(kDefaultOut2, 6, c.byte), v).ok);
            QCOMPARE(v.cmbLED, c.position);
            QString s1, s2;
            makeSettingsData(v, s1, s2);
            QCOMPARE(int(parseRecordText(s2)[6]), c.written);
        }
    }

    // Key speed, break-in and tone: a byte inside its list selects that item, one outside is kept
    // and goes back as it came; neither fails the decode.
    void transmitSideBytesAreKept()
    {
        SettingsValues v = startupImage().settings;
        QString in1 = withByte(withByte(withByte(kDefaultOut1, 7, 0x10), 25, 0xFF), 26, 0x27);
        QVERIFY(decodeSettingsData(in1, kDefaultOut2, v).ok);
        QCOMPARE(listPosition(*findSetting("cmbWPM"), v), 0x10);
        QCOMPARE(listPosition(*findSetting("cmbBreakIn"), v), -1);
        QCOMPARE(listPosition(*findSetting("cmbTone"), v), -1);
        QString s1, s2;
        makeSettingsData(v, s1, s2);
        QCOMPARE(s1, in1);
    }

    void listEnds_data()
    {
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("count"); // items in the list; -1 for the shift
        QTest::addColumn<QString>("control");
        QTest::newRow("IQ step") << 1 << 4 << 9 << "cmbIQStep";
        QTest::newRow("scan time") << 1 << 18 << 23 << "cmbScanType";
        QTest::newRow("dimmer") << 1 << 19 << 65 << "cmbDimmer";
        QTest::newRow("CW pitch") << 1 << 24 << 13 << "cmbSideTone";
        QTest::newRow("APO") << 1 << 29 << 5 << "cmbAPO";
        QTest::newRow("scan mode") << 2 << 8 << 4 << "cmbScanMode";
        QTest::newRow("sleep") << 2 << 15 << 18 << "cmbSleep";
        QTest::newRow("shift +2401") << 2 << 16 << -1 << "Slider1"; // 0x0961, with byte 17 = 0x09 below
    }

    // The last item of a list decodes and comes back; one past it fails, and then no setting changes.
    void listEnds()
    {
        QFETCH(int, block);
        QFETCH(int, offset);
        QFETCH(int, count);
        QFETCH(QString, control);
        const auto texts = [&](int value) {
            QString s1 = kDefaultOut1, s2 = kDefaultOut2;
            if (block == 1)
                s1 = withByte(s1, offset, value);
            else
                s2 = withByte(count < 0 ? withByte(s2, 17, 0x09) : s2, offset, value);
            return std::pair{s1, s2};
        };
        if (count > 0) {
            const auto [last1, last2] = texts(count - 1);
            SettingsValues v;
            QVERIFY(decodeSettingsData(last1, last2, v).ok);
            QCOMPARE(v.*findSetting(control)->member, count - 1);
            QString s1, s2;
            makeSettingsData(v, s1, s2);
            QCOMPARE(block == 1 ? s1 : s2, block == 1 ? last1 : last2);
        }
        SettingsValues v;
        v.cmbIQStep = 3;
        v.cmbBeep = 0;
        v.Slider1 = -7;
        const SettingsValues before = v;
        const auto [bad1, bad2] = texts(count > 0 ? count : 0x61);
        const SettingsDecodeResult r = decodeSettingsData(bad1, bad2, v);
        QVERIFY(!r.ok);
        QCOMPARE(r.failedControl, control);
        QCOMPARE(v, before);
    }

    void shortAndLowerCaseTexts()
    {
        SettingsValues upper, lower;
        const QString in1 = withByte(kDefaultOut1, 19, 0x3F);
        QVERIFY(decodeSettingsData(in1, kDefaultOut2, upper).ok);
        QVERIFY(decodeSettingsData(in1.toLower(), kDefaultOut2.toLower(), lower).ok);
        QCOMPARE(lower, upper);
        QCOMPARE(upper.cmbDimmer, 0x3F);
        // 20 characters: bytes 10 onward read as 0.
        SettingsValues shortText;
        QVERIFY(decodeSettingsData(kDefaultOut1, QString("00000000000000000001"), shortText).ok);
        QCOMPARE(shortText.cmbScanSkip, 0);
        QCOMPARE(shortText.cmbScanRange, 1);
    }
};

QTEST_GUILESS_MAIN(TestSettingsCodec)
#include "tst_settings_codec.moc"
