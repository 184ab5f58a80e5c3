// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowGeometry.h"

#include "files/PortSetting.h"
#include "ui/ChannelGridLayout.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace ktv4::ui {

namespace {

constexpr int kTwipsPerInch = 1440;

int pixelsToTwips(int pixels, int dpi)
{
    return (pixels * kTwipsPerInch + dpi / 2) / dpi;
}

// A remembered window rectangle (frame position, client size, in pixels) shrunk and moved onto
// the screen it is mostly on, or onto the primary screen when it is on none (a monitor since
// unplugged, a smaller resolution).
QRect placeOnScreen(QRect window)
{
    const QScreen *screen = QGuiApplication::screenAt(window.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return window;
    const QRect available = screen->availableGeometry();
    window.setSize(window.size().boundedTo(available.size()));
    window.moveLeft(std::clamp(window.left(), available.left(), available.right() + 1 - window.width()));
    window.moveTop(std::clamp(window.top(), available.top(), available.bottom() + 1 - window.height()));
    return window;
}

} // namespace

void restoreWindowPlacement(QWidget &window, QSettings &store)
{
    const std::optional<QRect> twips = readWindowGeometry(store);
    if (!twips)
        return;
    const QRect placed = placeOnScreen(
        QRect(twipsToPixelsX(&window, twips->x()), twipsToPixelsY(&window, twips->y()),
              twipsToPixelsX(&window, twips->width()), twipsToPixelsY(&window, twips->height())));
    window.resize(placed.size());
    window.move(placed.topLeft());
}

bool saveWindowPlacement(const QWidget &window, QSettings &store)
{
    const QRect frame = window.frameGeometry();
    const QRect twips(pixelsToTwips(frame.x(), window.logicalDpiX()),
                      pixelsToTwips(frame.y(), window.logicalDpiY()),
                      pixelsToTwips(window.width(), window.logicalDpiX()),
                      pixelsToTwips(window.height(), window.logicalDpiY()));
    return ktv4::saveWindowGeometry(store, twips);
}

} // namespace ktv4::ui
