// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SettingsCodec.h"

#include "model/RecordText.h"

#include <cstdlib>

namespace ktv4 {

const char *const kDefaultSettingsData1 = "A50000000003000E000000000000000000000320010101010808080000000000";
const char *const kDefaultSettingsData2 = "0000000000000000000001010101000500000000000000000000000000000000";

namespace {

constexpr int kLedGreen = 0x08;
constexpr int kLedRed = 0x04;

QStringList numbered(int first, int last, int step, int width, const QString &suffix = QString(),
                     QChar fill = QLatin1Char(' '))
{
    QStringList items;
    for (int n = first; n <= last; n += step)
        items << QStringLiteral("%1").arg(n, width, 10, fill) + suffix;
    return items;
}

std::vector<SettingDescriptor> buildDescriptors()
{
    using V = SettingsValues;
    const QStringList offOn{"Off", "On"};
    return {
        {"cmbIQStep",
         "IQ Step",
         {"100Hz", "500Hz", "1.0KHz", "2.5KHz", "5.0KHz", "9.0KHz", "10.0KHz", "12.5KHz", "20.0KHz"},
         &V::cmbIQStep,
         1,
         4,
         false},
        {"cmbRit", "RIT", offOn, &V::cmbRit, 1, 6, false},
        {"cmbWPM", "Key Speed(WPM)", numbered(6, 40, 1, 0), &V::cmbWPM, 1, 7, true},
        {"cmbIQMode", "IQ Mode", offOn, &V::cmbIQMode, 1, 8, false},
        {"cmbKeyLock", "Key Lock", {"Off", "Dial Lock", "Key Lock"}, &V::cmbKeyLock, 1, 10, false},
        {"cmbSSBStep", "SSB Step", {"100Hz", "500Hz", "1.0KHz", "2.5KHz"}, &V::cmbSSBStep, 1, 13, false},
        {"cmbAMStep",
         "AM Step",
         {"1.0KHz", "2.5KHz", "5.0KHz", "9.0KHz", "10.0KHz"},
         &V::cmbAMStep,
         1,
         14,
         false},
        {"cmbFMStep",
         "FM Step",
         {"2.5KHz", "5.0KHz", "10.0KHz", "12.5KHz", "20.0KHz"},
         &V::cmbFMStep,
         1,
         15,
         false},
        {"cmbMrDisable", "Memory Protection", offOn, &V::cmbMrDisable, 1, 16, false},
        {"cmbMrAccess", "Memory Access", {"On", "Off"}, &V::cmbMrAccess, 1, 17, false},
        {"cmbScanType",
         "Scan Time",
         {" Off", "  0",  "  1S", "  2S", "  3S", "  5S", "  7S", " 10S", " B0",  " B1S", " B2S", " B3S",
          " B5S", "B10S", "B20S", "B30S", " B1M", " B2M", " B3M", " B5M", "B10M", "B20M", "B30M"},
         &V::cmbScanType,
         1,
         18,
         false},
        {"cmbDimmer", "Dimmer", numbered(0, 64, 1, 2, QString(), QLatin1Char('0')), &V::cmbDimmer, 1, 19,
         false},
        {"cmbBeep", "Beep", offOn, &V::cmbBeep, 1, 20, false},
        {"cmbSSBAuto", "Auto USB/LSB", offOn, &V::cmbSSBAuto, 1, 21, false},
        {"cmbSideTone", "CW pitch", numbered(400, 1000, 50, 0, "Hz"), &V::cmbSideTone, 1, 24, false},
        {"cmbBreakIn",
         "Break In",
         {"FULL", "1", "2", "3", "4", "5", "6", "7", "AUTO"},
         &V::cmbBreakIn,
         1,
         25,
         true},
        {"cmbTone", "Tone Frequency", toneNames(), &V::cmbTone, 1, 26, true},
        {"cmbAPO", "Auto Power Off", {"Off", " 30", " 60", " 90", "120"}, &V::cmbAPO, 1, 29, false},
        {"cmbLED", "LED", {"Off", "Green", "Red"}, &V::cmbLED, 2, 6, false},
        {"cmbCtrl", "Control Port", {"Mute", "VFO"}, &V::cmbCtrl, 2, 7, false},
        {"cmbScanMode", "Scan Type", {"Band", "Program", "Search", "Select"}, &V::cmbScanMode, 2, 8, false},
        {"cmbScanRange", "Search Range", {" 50KHz", "100KHz", "200KHz"}, &V::cmbScanRange, 2, 9, false},
        {"cmbScanSkip", "Scan Skip", {"No Skip", "Skip"}, &V::cmbScanSkip, 2, 10, false},
        {"cmbAGCAuto", "Auto AGC", offOn, &V::cmbAGCAuto, 2, 11, false},
        {"cmbUD", "U / D Key Repeat", offOn, &V::cmbUD, 2, 13, false},
        {"cmbFunc", "Func Key Resume", {"Manual", "Auto"}, &V::cmbFunc, 2, 14, false},
        {"cmbSleep", "Sleep", numbered(10, 180, 10, 3), &V::cmbSleep, 2, 15, false},
    };
}

} // namespace

const std::vector<SettingDescriptor> &settingDescriptors()
{
    static const std::vector<SettingDescriptor> descriptors = buildDescriptors();
    return descriptors;
}

const SettingDescriptor *findSetting(const QString &control)
{
    for (const auto &d : settingDescriptors()) {
        if (control == QLatin1String(d.control))
            return &d;
    }
    return nullptr;
}

int listPosition(const SettingDescriptor &setting, const SettingsValues &values)
{
    const int value = values.*setting.member;
    return value >= 0 && value < setting.items.size() ? value : -1;
}

const QStringList &toneNames()
{
    static const QStringList names{
        "67.0Hz",  "69.3Hz",  "71.9Hz",  "74.4Hz",  "77.0Hz",  "79.7Hz",  "82.5Hz",  "85.4Hz",
        "88.5Hz",  "91.5Hz",  "94.8Hz",  "97.4Hz",  "100.0Hz", "103.5Hz", "107.2Hz", "110.9Hz",
        "114.8Hz", "118.8Hz", "123.0Hz", "127.3Hz", "131.8Hz", "136.5Hz", "141.3Hz", "146.2Hz",
        "151.4Hz", "156.7Hz", "162.2Hz", "167.9Hz", "173.8Hz", "179.9Hz", "186.2Hz", "192.8Hz",
        "203.5Hz", "210.7Hz", "218.1Hz", "225.7Hz", "233.6Hz", "241.8Hz", "250.3Hz"};
    return names;
}

QString iqShiftText(int shift)
{
    const int magnitude = std::abs(shift);
    const QString digits = QStringLiteral("%1.%2")
                               .arg(magnitude / 100, 2, 10, QLatin1Char('0'))
                               .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
    if (shift < 0)
        return QLatin1Char('-') + digits;
    if (shift > 0)
        return QLatin1Char('+') + digits;
    return digits;
}

namespace {

// The values two records hold, each setting read as the radio stores it; `failed` names the first
// control whose byte lies outside its list (the transmit-side ones never fail).
SettingsValues readValues(const RecordBytes &a, const RecordBytes &b, QString *failed)
{
    SettingsValues values;
    for (const auto &d : settingDescriptors()) {
        int position = (d.block == 1 ? a : b)[d.byte];
        if (d.member == &SettingsValues::cmbLED)
            position = position == 0 ? 0 : position == kLedRed ? 2 : 1;
        if (position >= d.items.size() && !d.keepsUnlistedByte && failed->isEmpty())
            *failed = QLatin1String(d.control);
        values.*d.member = position;
    }
    const int magnitude = (b[17] & 0x7F) * 256 + b[16];
    values.Slider1 = b[17] & 0x80 ? -magnitude : magnitude;
    if ((values.Slider1 < kIQShiftMin || values.Slider1 > kIQShiftMax) && failed->isEmpty())
        *failed = QStringLiteral("Slider1");
    return values;
}

} // namespace

RadioSettings defaultSettings()
{
    RadioSettings shipped;
    // The records the radio ships with always decode.
    decodeSettings(parseRecordText(QString::fromLatin1(kDefaultSettingsData1)),
                   parseRecordText(QString::fromLatin1(kDefaultSettingsData2)), shipped);
    // A new image's records hold the settings and the two fixed bytes of the first record, and
    // nothing else.
    RadioSettings settings;
    settings.values = shipped.values;
    settings.base1[0] = 0xA5;
    settings.base1[5] = 0x03;
    settings.base1 = encodeSettings(settings, 1);
    settings.base2 = encodeSettings(settings, 2);
    return settings;
}

SettingsDecodeResult decodeSettings(const RecordBytes &block1, const RecordBytes &block2,
                                    RadioSettings &settings)
{
    QString failed;
    const SettingsValues values = readValues(block1, block2, &failed);
    if (!failed.isEmpty())
        return {false, failed};
    settings = {values, block1, block2};
    return {};
}

RecordBytes encodeSettings(const RadioSettings &settings, int block)
{
    RecordBytes a = settings.base1;
    RecordBytes b = settings.base2;
    QString failed;
    const SettingsValues was = readValues(a, b, &failed);
    const SettingsValues &now = settings.values;
    for (const auto &d : settingDescriptors()) {
        if (d.block != block || now.*d.member == was.*d.member)
            continue;
        int byte = now.*d.member;
        if (d.member == &SettingsValues::cmbLED)
            byte = byte == 0 ? 0 : byte == 1 ? kLedGreen : kLedRed;
        (d.block == 1 ? a : b)[d.byte] = static_cast<std::uint8_t>(byte);
    }
    if (block == 2 && now.Slider1 != was.Slider1) {
        const int magnitude = std::abs(now.Slider1);
        b[16] = static_cast<std::uint8_t>(magnitude % 256);
        b[17] = static_cast<std::uint8_t>((magnitude / 256 + (now.Slider1 < 0 ? 128 : 0)) & 0xFF);
    }
    return block == 1 ? a : b;
}

} // namespace ktv4
