// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Channels for the memory tests, built the way a record from the radio would be decoded.

#include "files/CloneDocument.h"
#include "model/ChannelCodec.h"
#include "model/ChannelNaming.h"
#include "support/ScriptedPrompts.h"
#include "ui/ChannelTableModel.h"
#include "ui/MemoryPanel.h"

#include <QTest>
#include <memory>

namespace ktv4::test {

// An in-use channel on `hz` named `name`, with every field's text as the decoder writes it.
inline ChannelRow usedChannel(int hz, const QString &name, int mode = 1, bool skip = false)
{
    ChannelRow row;
    row.inUse = true;
    auto &c = row.cells;
    c[ColFrequency] = {double(hz), frequencyText(hz)};
    c[ColMode] = {double(mode), modeNames().at(mode)};
    c[ColGain] = {0, gainText(0)};
    c[ColAgc] = {1, agcText(1)};
    c[ColPwr] = {0, powerText(0)};
    c[ColFilter] = {0, filterText(0)};
    c[ColTone] = {0, toneText(0)};
    c[ColNb] = {0, nbText(0)};
    c[ColSplit] = {double(hz), frequencyText(hz)};
    c[ColName] = {0, name};
    c[ColSkip] = {skip ? 1.0 : 0.0, skipText(skip ? 1 : 0)};
    return row;
}

// A distinct channel for every index: 7 000 000 + index kHz steps, named after its place.
inline ChannelRow markedChannel(int channel)
{
    return usedChannel(7'000'000 + 1000 * channel, csvChannelField(channel).left(7), channel % 6,
                       channel % 3 == 0);
}

// The Memory tab's panel on its own, over a fresh document, with scripted answers; shown.
struct Panel {
    Panel()
    {
        panel->resize(700, panel->minimumSizeHint().height()); // the grid at its least: 13 rows
        panel->show();
        exposed = QTest::qWaitForWindowExposed(panel.get());
    }

    ChannelTable &table() { return document->image().channels; }
    // Every channel in use and different from the others, as if just read; unchanged.
    void fill()
    {
        for (int i = 0; i < kChannelCount; ++i)
            table()[i] = markedChannel(i);
        panel->refreshAll();
        document->setDataChanged(false);
    }
    QString shown(int channel, int column) const
    {
        return panel->model()->index(channel, column).data().toString();
    }

    std::unique_ptr<CloneDocument> document = std::make_unique<CloneDocument>();
    std::unique_ptr<ScriptedPrompts> prompts = std::make_unique<ScriptedPrompts>();
    std::unique_ptr<ui::MemoryPanel> panel = std::make_unique<ui::MemoryPanel>(*document, *prompts);
    bool exposed = false;
};

} // namespace ktv4::test
