// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The splash window: covers the start while the main window is built. No buttons.

#include <QFrame>

namespace ktv4::ui {

class SplashWindow : public QFrame {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget *parent = nullptr);
};

} // namespace ktv4::ui
