// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the main window was when it closed, kept in twips in the program's settings store, and
// put back on the screens of today when it opens again.

class QSettings;
class QWidget;

namespace ktv4::ui {

// Moves and sizes `window` as it was last closed, shrunk and moved onto the screen it is mostly
// on (or the primary screen when it is on none). Without remembered values it stays as it is.
void restoreWindowPlacement(QWidget &window, QSettings &store);
// Remembers where `window` is: its frame's position and its size. False when the store could
// not be written.
bool saveWindowPlacement(const QWidget &window, QSettings &store);

} // namespace ktv4::ui
