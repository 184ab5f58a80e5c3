// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Main: the splash window, the main window built behind it, the splash pause, then the window
// shown with the clone file named on the command line.

#include "ui/MainWindow.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <memory>

namespace ktv4::ui {

class SplashWindow;

struct StartupOptions {
    MainWindowOptions window;
    QString startFile;
    // The splash stays at least this long, however quickly the window is ready.
    std::chrono::milliseconds splashPause{2000};
};

class Startup : public QObject {
    Q_OBJECT
public:
    Startup(UserPrompts &prompts, StartupOptions options, QObject *parent = nullptr);
    ~Startup() override;

    // Shows the splash and builds the main window; the rest follows the splash pause.
    void run();

    MainWindow *mainWindow() const { return m_window.get(); }
    SplashWindow *splash() const;

signals:
    // The main window is shown and the start file loaded.
    void ready();

private:
    void splashPauseOver();

    UserPrompts &m_prompts;
    StartupOptions m_options;
    std::unique_ptr<MainWindow> m_window;
    QPointer<SplashWindow> m_splash;
    QTimer m_timer1;
};

} // namespace ktv4::ui
