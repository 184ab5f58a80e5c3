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
    void listsAreComplete();
    void defaultImageDecodesAndEncodes();
    void iqShift_data();
    void iqShift();
    void iqShiftText_data();
    void iqShiftText();
    void ledCoding();
    void transmitSideBytesAreNotRead();
    void outOfListByteChangesNothing_data();
    void outOfListByteChangesNothing();
    void shortAndLowerCaseTexts();
};

void TestSettingsCodec::listsAreComplete()
{
    QCOMPARE(settingDescriptors().size(), size_t(27));
    QCOMPARE(ToneNames().size(), 39);
    QCOMPARE(ToneNames().at(8), QStringLiteral("88.5Hz"));
    QCOMPARE(findSetting("cmbWPM")->items.size(), 35);
    QCOMPARE(findSetting("cmbWPM")->items.at(14), QStringLiteral("20"));
    QCOMPARE(findSetting("cmbDimmer")->items.size(), 65);
    QCOMPARE(findSetting("cmbDimmer")->items.at(5), QStringLiteral("05"));
    QCOMPARE(findSetting("cmbSideTone")->items.size(), 13);
    QCOMPARE(findSetting("cmbSideTone")->items.at(8), QStringLiteral("800Hz"));
    QCOMPARE(findSetting("cmbScanType")->items.size(), 23);
    QCOMPARE(findSetting("cmbScanType")->items.at(3), QStringLiteral("  2S"));
    QCOMPARE(findSetting("cmbSleep")->items.size(), 18);
    QCOMPARE(findSetting("cmbSleep")->items.at(0), QStringLiteral(" 10"));
    QCOMPARE(findSetting("cmbSleep")->items.at(17), QStringLiteral("180"));
    int decoded = 0;
    for (const auto &d : settingDescriptors())
        decoded += d.decoded ? 1 : 0;
    QCOMPARE(decoded, 24);
}

void TestSettingsCodec::defaultImageDecodesAndEncodes()
{
    const RadioImage image = startupImage();
    const SettingsValues &v = image.settings;
    const QStringList expected{"100Hz", "Off",  "Off",    "Off",  "100Hz", "1.0KHz", "2.5KHz", "Off",
                               "On",    "  2S", "32",     "On",   "On",    "800Hz",  "Off",    "Off",
                               "Mute",  "Band", " 50KHz", "Skip", "On",    "On",     "Manual", " 60"};
    const char *controls[] = {"cmbIQStep",  "cmbRit",    "cmbIQMode",    "cmbKeyLock",   "cmbSSBStep",
                              "cmbAMStep",  "cmbFMStep", "cmbMrDisable", "cmbMrAccess",  "cmbScanType",
                              "cmbDimmer",  "cmbBeep",   "cmbSSBAuto",   "cmbSideTone",  "cmbAPO",
                              "cmbLED",     "cmbCtrl",   "cmbScanMode",  "cmbScanRange", "cmbScanSkip",
                              "cmbAGCAuto", "cmbUD",     "cmbFunc",      "cmbSleep"};
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(itemText(controls[i], v), expected[i]);
    QCOMPARE(v.Slider1, 0);
    QCOMPARE(itemText("cmbWPM", v), QStringLiteral("20"));
    QCOMPARE(itemText("cmbBreakIn", v), QStringLiteral("AUTO"));
    QCOMPARE(itemText("cmbTone", v), QStringLiteral("88.5Hz"));

    QString s1, s2;
    MakeSettingsData(v, s1, s2);
    QCOMPARE(s1, kDefaultOut1);
    QCOMPARE(s2, kDefaultOut2);
}

void TestSettingsCodec::iqShift_data()
{
    QTest::addColumn<int>("shift");
    QTest::addColumn<int>("byte16");
    QTest::addColumn<int>("byte17");
    QTest::newRow("-150") << -150 << 0x96 << 0x80;
    QTest::newRow("+2400") << 2400 << 0x60 << 0x09;
    QTest::newRow("-2400") << -2400 << 0x60 << 0x89;
    QTest::newRow("0") << 0 << 0x00 << 0x00;
    QTest::newRow("+1") << 1 << 0x01 << 0x00;
}

void TestSettingsCodec::iqShift()
{
    QFETCH(int, shift);
    QFETCH(int, byte16);
    QFETCH(int, byte17);
    SettingsValues v = startupImage().settings;
    v.Slider1 = shift;
    QString s1, s2;
    MakeSettingsData(v, s1, s2);
    const RecordBytes b = parseRecordText(s2);
    QCOMPARE(int(b[16]), byte16);
    QCOMPARE(int(b[17]), byte17);
    SettingsValues back = startupImage().settings;
    QVERIFY(DecodeSettingsData(s1, s2, back).ok);
    QCOMPARE(back.Slider1, shift);

    // Negative zero decodes as 0 and comes back without the sign bit.
    SettingsValues zero;
    QVERIFY(DecodeSettingsData(kDefaultOut1, withByte(kDefaultOut2, 17, 0x80), zero).ok);
    QCOMPARE(zero.Slider1, 0);
}

void TestSettingsCodec::iqShiftText_data()
{
    QTest::addColumn<int>("shift");
    QTest::addColumn<QString>("text");
    QTest::newRow("-150") << -150 << "-01.50";
    QTest::newRow("-2400") << -2400 << "-24.00";
    QTest::newRow("5") << 5 << "+00.05";
    QTest::newRow("2400") << 2400 << "+24.00";
    QTest::newRow("0") << 0 << "00.00";
    QTest::newRow("-1") << -1 << "-00.01";
}

void TestSettingsCodec::iqShiftText()
{
    QFETCH(int, shift);
    QFETCH(QString, text);
    QCOMPARE(ktv4::iqShiftText(shift), text);
}

void TestSettingsCodec::ledCoding()
{
    struct {
        int byte, position, written;
    } cases[] = {{0x00, 0, 0x00}, {0x08, 1, 0x08}, {0x04, 2, 0x04}, {0x0C, 1, 0x08}, {0xFF, 1, 0x08}};
    for (auto c : cases) {
        SettingsValues v;
        QVERIFY(DecodeSettingsData(kDefaultOut1, withByte(kDefaultOut2, 6, c.byte), v).ok);
        QCOMPARE(v.cmbLED, c.position);
        QString s1, s2;
        MakeSettingsData(v, s1, s2);
        QCOMPARE(int(parseRecordText(s2)[6]), c.written);
    }
}

void TestSettingsCodec::transmitSideBytesAreNotRead()
{
    SettingsValues v = startupImage().settings;
    QString in1 = withByte(withByte(withByte(kDefaultOut1, 7, 0x10), 25, 0x01), 26, 0x20);
    QVERIFY(DecodeSettingsData(in1, kDefaultOut2, v).ok);
    QCOMPARE(v.cmbWPM, 14);
    QCOMPARE(v.cmbBreakIn, 8);
    QCOMPARE(v.cmbTone, 8);
    QString s1, s2;
    MakeSettingsData(v, s1, s2);
    QCOMPARE(s1, kDefaultOut1);
}

void TestSettingsCodec::outOfListByteChangesNothing_data()
{
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("control");
    QTest::newRow("dimmer 65") << 1 << 19 << 65 << "cmbDimmer";
    QTest::newRow("IQ step 9") << 1 << 4 << 9 << "cmbIQStep";
    QTest::newRow("APO 5") << 1 << 29 << 5 << "cmbAPO";
    QTest::newRow("sleep 18") << 2 << 15 << 18 << "cmbSleep";
    QTest::newRow("shift +2401") << 2 << 16 << 0x61 << "Slider1"; // with byte 17 = 0x09 below
}

void TestSettingsCodec::outOfListByteChangesNothing()
{
    QFETCH(int, block);
    QFETCH(int, offset);
    QFETCH(int, value);
    QFETCH(QString, control);
    SettingsValues v;
    v.cmbIQStep = 3;
    v.cmbBeep = 0;
    v.Slider1 = -7;
    const SettingsValues before = v;
    QString s1 = kDefaultOut1, s2 = kDefaultOut2;
    if (block == 1)
        s1 = withByte(s1, offset, value);
    else
        s2 = withByte(control == "Slider1" ? withByte(s2, 17, 0x09) : s2, offset, value);
    const SettingsDecodeResult r = DecodeSettingsData(s1, s2, v);
    QVERIFY(!r.ok);
    QCOMPARE(r.failedControl, control);
    QCOMPARE(v, before);
}

void TestSettingsCodec::shortAndLowerCaseTexts()
{
    SettingsValues upper, lower;
    const QString in1 = withByte(kDefaultOut1, 19, 0x3F);
    QVERIFY(DecodeSettingsData(in1, kDefaultOut2, upper).ok);
    QVERIFY(DecodeSettingsData(in1.toLower(), kDefaultOut2.toLower(), lower).ok);
    QCOMPARE(lower, upper);
    QCOMPARE(upper.cmbDimmer, 0x3F);
    // 20 characters: bytes 10 onward read as 0.
    SettingsValues shortText;
    QVERIFY(DecodeSettingsData(kDefaultOut1, QString("00000000000000000001"), shortText).ok);
    QCOMPARE(shortText.cmbScanSkip, 0);
    QCOMPARE(shortText.cmbScanRange, 1);
}

QTEST_GUILESS_MAIN(TestSettingsCodec)
#include "tst_settings_codec.moc"
