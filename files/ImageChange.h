// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A change of the image as one value: the parts it replaces, each as it was before and as it is
// after. Every edit, import, paste and read from the radio is one such value, so the document can
// apply it, announce exactly what changed, and the window's history can take it back.
//
// A bulk operation computes its result on a copy of the image and turns the difference into one
// change with ImageChange::between().

#include "model/RadioImage.h"

#include <QList>
#include <array>
#include <optional>

namespace ktv4 {

// Some parts of the image; a part that is not named is left alone.
struct ImagePart {
    int firstChannel = 0;
    QList<Channel> channels; // channels firstChannel .. firstChannel + channels.size() - 1
    std::array<std::optional<Vfo>, kVfoCount> vfos;
    std::optional<RadioSettings> settings;
    std::optional<int> modelIndex;

    int lastChannel() const { return firstChannel + int(channels.size()) - 1; }
    bool operator==(const ImagePart &) const = default;
};

struct ImageChange {
    // Where the change comes from: an edit by the user, or records read from the radio (which
    // replace the data without making it any less saved than the radio holds it).
    enum class Origin { Edit, Radio };

    QString text; // names the step in Edit > Undo: "Delete channel 12"
    ImagePart before;
    ImagePart after;
    Origin origin = Origin::Edit;
    // Changes in a row with the same nonzero key are one step (a slider being dragged).
    int mergeKey = 0;

    bool isEmpty() const { return before == after; }

    // The change that turns `from` into `to`: the smallest span of channels that differs, each
    // VFO that differs, and the settings when any of them differs.
    static ImageChange between(const RadioImage &from, const RadioImage &to, const QString &text);
    // The channels first.. replaced by `channels`.
    static ImageChange channels(const RadioImage &image, int first, const QList<Channel> &channels,
                                const QString &text);
    // The model option from `from` to `to`.
    static ImageChange model(int from, int to, const QString &text);
};

// Writes the part into the image (the model option is not part of the image and is left alone).
void applyPart(RadioImage &image, const ImagePart &part);

} // namespace ktv4
