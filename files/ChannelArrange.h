// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Edit > Arrange and `ktv4cli arrange`: the channels of a range laid out anew by a rule. Every
// channel keeps its record whole, bytes the program does not edit included; only the places
// change. The result is one change of the image, so one Edit > Undo takes it back.

#include "files/ImageChange.h"

#include <QStringList>
#include <optional>

namespace ktv4 {

enum class ArrangeRule { Frequency, ModeFrequency, Name, BandFrequency };

// "frequency", "mode,frequency", "name", "band,frequency": the command line's words.
QString arrangeRuleName(ArrangeRule rule);
std::optional<ArrangeRule> arrangeRuleFromName(QStringView name);

struct ArrangeOptions {
    ArrangeRule rule = ArrangeRule::Frequency;
    // The channels in use go to the start of the range, the empty ones after them. Without it the
    // places in use stay in use and the empty places stay empty.
    bool pack = false;
    // One empty channel between two bands (the HF bands of model/Bands.h; channels outside every
    // band form one more group), and with the mode rule also between modes. Lays the channels out
    // from the start of the range as pack does. The name rule makes no groups.
    bool bandGaps = false;
};

struct ChannelMove {
    int from = 0;
    int to = 0;
    bool operator==(const ChannelMove &) const = default;
};

struct ArrangeResult {
    ImageChange change;
    QList<ChannelMove> moves; // the channels in use that change place, by their new place
    // The range had too few empty channels for a gap between every two bands: none was left.
    bool gapsLeftOut = false;
};

// Arranges the channels `range` names (any order, repeats ignored) by `options`.
ArrangeResult arrangeChannels(const RadioImage &image, const QList<int> &range, const ArrangeOptions &options,
                              const QString &text);

// "A17 -> A3"
QString moveText(const ChannelMove &move);

// The ranges Edit > Arrange offers besides the selection. The priority channels P1 and P2 keep
// their places unless a range names them.
enum class ArrangeRange { FirstBank, BankA, BankB, All };
QList<int> rangeChannels(ArrangeRange range);

// The channels from one label to another, both included, as the grid or a CSV file writes them,
// with or without spaces: "A0-A99", "A  0 - A 99", "10-150", "B-P1", "A5" (one channel). Nothing
// for anything else, or when the second comes before the first.
std::optional<QList<int>> channelsFromRange(QStringView text);

} // namespace ktv4
