// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How long the link waits for a reply and how long it pauses after each record. The radio needs
// its full values; a test double on the other end of the line can answer at once and be given
// a few milliseconds.

#include <chrono>

namespace ktv4 {

struct LinkTimings {
    // The wait for a complete reply, counted from the send, however much of it has arrived.
    std::chrono::milliseconds replyTimeout;
    // The pause after each record and after the closing line.
    std::chrono::milliseconds recordPause;
};

// What the KT-V4 in clone mode is owed.
inline constexpr LinkTimings kRadioTimings{std::chrono::milliseconds(2000), std::chrono::milliseconds(10)};

} // namespace ktv4
