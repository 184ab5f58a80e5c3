#include "model/VfoCodec.h"

#include "model/RecordText.h"

namespace ktv4 {

QString vfoLabel(int vfo)
{
    return vfo == 0 ? QStringLiteral("VFO A") : QStringLiteral("VFO B");
}

bool DecodeVFOData(QStringView data, VfoRow &row)
{
    const RecordBytes b = parseRecordText(data);
    auto &cells = row.cells;
    cells[ColMode].value = b[1];
    if (b[1] > 5)
        return false;
    cells[ColMode].text = ModeNames().at(b[1]);
    cells[ColGain] = {double(b[2]), gainText(b[2])};
    cells[ColAgc] = {double(b[3]), agcText(b[3])};
    cells[ColPwr] = {double(b[4]), powerText(b[4])};
    cells[ColFilter] = {double(b[6]), filterText(b[6])};
    cells[ColTone] = {double(b[7]), toneText(b[7])};
    cells[ColNb] = {double(b[9]), nbText(b[9])};
    const std::int32_t frequency = readInt32(b, 16);
    cells[ColFrequency] = {double(frequency), frequencyText(frequency)};
    return true;
}

QString MakeVFOData(const VfoRow &row)
{
    const auto &cells = row.cells;
    RecordBytes b{};
    b[0] = 0x80;
    b[1] = roundToByte(cells[ColMode].value);
    b[2] = roundToByte(cells[ColGain].value);
    b[3] = roundToByte(cells[ColAgc].value);
    b[4] = roundToByte(cells[ColPwr].value);
    b[6] = roundToByte(cells[ColFilter].value);
    b[7] = roundToByte(cells[ColTone].value);
    b[9] = roundToByte(cells[ColNb].value);
    writeInt32(b, 16, roundToInt32(cells[ColFrequency].value));
    return recordText(b);
}

void DefaultVFOData(int modelOption, VfoTable &vfos)
{
    const double frequency = modelOption == 0 ? 7050000 : 7100000;
    VfoRow &a = vfos[0];
    a.cells[ColFrequency] = {frequency, frequencyText(frequency)};
    a.cells[ColMode] = {1, ModeNames().at(1)};
    a.cells[ColGain] = {0, gainText(0)};
    a.cells[ColAgc] = {1, agcText(1)};
    a.cells[ColPwr] = {0, powerText(0)};
    a.cells[ColFilter] = {0, filterText(0)};
    a.cells[ColTone] = {0, toneText(0)};
    a.cells[ColNb] = {0, nbText(0)};
    vfos[1] = a;
}

} // namespace ktv4
