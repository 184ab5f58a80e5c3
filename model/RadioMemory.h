// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program knows the radio holds: each record's text as it was last read from the radio
// or acknowledged by it, and the model and variant the radio last identified itself as. It is
// the baseline of the write preview and of Write Changes; records never read nor written are
// unknown.

#include "model/ImageDiff.h"

#include <optional>

namespace ktv4 {

struct RadioIdentity {
    int modelIndex = kStartupModelOption;
    bool variantA = false;
    bool operator==(const RadioIdentity &) const = default;
};

class RadioMemory {
public:
    bool isEmpty() const { return m_known == 0; }
    int knownCount() const { return m_known; }
    bool isKnown(int address) const;
    // The text as received or sent; empty when unknown.
    QString record(int address) const;
    // Records the radio now holds `text` at `address` (an address outside the map is ignored).
    void setRecord(int address, const QString &text);
    void clear();

    const std::optional<RadioIdentity> &identity() const { return m_identity; }
    void setIdentity(const RadioIdentity &identity) { m_identity = identity; }

    // The image these records describe, laid over `rest`: unknown records (and the settings, unless
    // both settings records are known) keep rest's values. A record that does not decode also
    // keeps rest's; recordsToWrite() still counts it as different.
    RadioImage image(const RadioImage &rest) const;
    // Channels known to the radio, and how many of them are in use.
    int knownChannels() const;

    // The addresses a write of `image` must send, in address order: every unknown record, and every
    // known one whose bytes differ from what `image` sends, once both are put the way the program
    // writes them (so bytes the program does not edit, and the letter case, do not count).
    // `image` must have its settings texts rebuilt.
    QList<int> recordsToWrite(const RadioImage &image) const;

private:
    std::array<QString, kRecordCount> m_records;
    int m_known = 0;
    std::optional<RadioIdentity> m_identity;
};

} // namespace ktv4
