// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio's function settings: the 28 numbers the settings panel edits, named after its
// controls, and their two 32-byte records at 0x0300 and 0x0320.

#include "model/RecordText.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace ktv4 {

constexpr int kIQShiftMin = -2400; // units of 10 Hz
constexpr int kIQShiftMax = 2400;

// Each list setting is the position of the selected item in its list; Slider1 is the I/Q shift.
// The three transmit-side settings (key speed, break-in, tone frequency) hold the radio's byte
// itself: inside its list it is the position, outside (0..255) it is kept so that it goes back
// to the radio as it came, and the list then shows no selection.
struct SettingsValues {
    // first block (0x0300)
    int cmbIQStep = 0;
    int cmbRit = 0;
    int cmbWPM = 14; // transmit side: key speed, "20"
    int cmbIQMode = 0;
    int cmbKeyLock = 0;
    int cmbSSBStep = 0;
    int cmbAMStep = 0;
    int cmbFMStep = 0;
    int cmbMrDisable = 0;
    int cmbMrAccess = 0;
    int cmbScanType = 0;
    int cmbDimmer = 32;
    int cmbBeep = 0;
    int cmbSSBAuto = 0;
    int cmbSideTone = 8;
    int cmbBreakIn = 8; // transmit side: "AUTO"
    int cmbTone = 8;    // transmit side: "88.5Hz"
    int cmbAPO = 0;
    // second block (0x0320)
    int cmbLED = 0;
    int cmbCtrl = 0;
    int cmbScanMode = 0;
    int cmbScanRange = 0;
    int cmbScanSkip = 0;
    int cmbAGCAuto = 0;
    int cmbUD = 0;
    int cmbFunc = 0;
    int cmbSleep = 0;
    int Slider1 = 0; // I/Q shift, -2400..2400

    bool operator==(const SettingsValues &) const = default;
};

// One list setting: its control, caption, items and where it lives in the records.
struct SettingDescriptor {
    const char *control; // "cmbDimmer"
    QString caption;     // "Dimmer"
    QStringList items;   // the fixed list, by position
    int SettingsValues::*member;
    int block; // 1 or 2
    int byte;  // offset in the block
    // True for the transmit-side lists: a byte outside the list is kept as it is instead of
    // failing the decode.
    bool keepsUnlistedByte;
};

// The 27 lists, first block then second, in byte order.
const std::vector<SettingDescriptor> &settingDescriptors();
const SettingDescriptor *findSetting(const QString &control);

// The item a setting's value selects, or -1 when a kept transmit-side byte lies outside its list.
int listPosition(const SettingDescriptor &setting, const SettingsValues &values);

// The 39 tone-frequency texts, "67.0Hz" .. "250.3Hz".
const QStringList &toneNames();

// The shift caption: -150 -> "-01.50", 5 -> "+00.05", 0 -> "00.00".
QString iqShiftText(int shift);

struct SettingsDecodeResult {
    bool ok = true;
    QString failedControl; // the first control whose byte was not a position of its list
};

// The settings as values, with the two records they came in (0x0300 and 0x0320). The records are
// made from them whenever they are sent, saved or compared: bytes no setting covers, and settings
// left as they came, go back out as they came; a changed setting is written the radio's way.
struct RadioSettings {
    SettingsValues values;
    RecordBytes base1{};
    RecordBytes base2{};

    bool operator==(const RadioSettings &) const = default;
};

// The settings of a new image, as the radio ships them.
RadioSettings defaultSettings();

// Sets every setting from the two records, or none of them: when a byte lies outside its list (or
// the shift outside +-2400) `settings` is left as it was. The transmit-side bytes never fail: a
// byte outside its list is kept as the setting's value.
SettingsDecodeResult decodeSettings(const RecordBytes &block1, const RecordBytes &block2,
                                    RadioSettings &settings);

// Record 1 or 2 of the settings.
RecordBytes encodeSettings(const RadioSettings &settings, int block);

// The records of the settings the radio ships with, as 64 hex digits.
extern const char *const kDefaultSettingsData1;
extern const char *const kDefaultSettingsData2;

} // namespace ktv4
