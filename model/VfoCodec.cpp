// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/VfoCodec.h"

#include "model/RecordText.h"

namespace ktv4 {

QString vfoLabel(int vfo)
{
    return vfo == 0 ? QStringLiteral("VFO A") : QStringLiteral("VFO B");
}

bool decodeVfoData(QStringView data, VfoRow &row)
{
    return decodeRadioFields(parseRecordText(data), row.cells.data());
}

QString makeVfoData(const VfoRow &row)
{
    RecordBytes b{};
    b[0] = 0x80;
    encodeRadioFields(row.cells.data(), b);
    return recordText(b);
}

void defaultVfoData(int modelOption, VfoTable &vfos)
{
    const double frequency = modelOption == 0 ? 7050000 : 7100000;
    VfoRow &a = vfos[0];
    a.cells[ColFrequency] = {frequency, frequencyText(frequency)};
    a.cells[ColMode] = {1, modeNames().at(1)};
    a.cells[ColGain] = {0, gainText(0)};
    a.cells[ColAgc] = {1, agcText(1)};
    a.cells[ColPwr] = {0, powerText(0)};
    a.cells[ColFilter] = {0, filterText(0)};
    a.cells[ColTone] = {0, toneText(0)};
    a.cells[ColNb] = {0, nbText(0)};
    vfos[1] = a;
}

} // namespace ktv4
