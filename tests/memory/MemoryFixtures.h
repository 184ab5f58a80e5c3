// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Channels for the memory tests, built the way a record from the radio would be decoded.

#include "files/CloneDocument.h"
#include "model/Channel.h"
#include "model/ChannelNaming.h"
#include "support/ScriptedPrompts.h"
#include "ui/ChannelTableModel.h"
#include "ui/MemoryPanel.h"

#include <QTest>
#include <memory>

namespace ktv4::test {

// An in-use channel on `hz` named `name`, AGC Slow.
inline Channel usedChannel(int hz, const QString &name, Mode mode = Mode::LSB, bool skip = false)
{
    Channel c = newChannel(hz, mode);
    c.agc = Agc::Slow;
    c.name = name;
    c.skip = skip;
    return c;
}

// Channels `first`.. changed as an edit changes them: through the document, which announces them
// to the grid and hands them to the history.
inline void setChannels(CloneDocument &document, int first, const QList<Channel> &channels)
{
    document.submit(ImageChange::channels(document.image(), first, channels, QStringLiteral("Set")));
}

// A distinct channel for every index: 7 000 000 + index kHz steps, named after its place.
inline Channel markedChannel(int channel)
{
    return usedChannel(7'000'000 + 1000 * channel, csvChannelField(channel).left(7), Mode(channel % 6),
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
        QList<Channel> all;
        for (int i = 0; i < kChannelCount; ++i)
            all << markedChannel(i);
        setChannels(*document, 0, all);
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
