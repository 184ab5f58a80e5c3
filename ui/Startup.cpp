// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Startup.h"

#include "ui/SplashWindow.h"

#include <QGuiApplication>
#include <QScreen>

namespace ktv4::ui {

Startup::Startup(UserPrompts &prompts, StartupOptions options, QObject *parent)
    : QObject(parent), m_prompts(prompts), m_options(std::move(options))
{
    m_timer1.setSingleShot(true);
    connect(&m_timer1, &QTimer::timeout, this, &Startup::splashPauseOver);
}

Startup::~Startup()
{
    if (m_splash)
        delete m_splash;
}

SplashWindow *Startup::splash() const
{
    return m_splash;
}

void Startup::run()
{
    m_splash = new SplashWindow;
    m_splash->adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        m_splash->move(screen->availableGeometry().center() - m_splash->rect().center());
    m_splash->show();
    m_splash->repaint();

    // The pause runs from here, while the window is built behind the splash.
    m_timer1.start(m_options.splashPause);
    m_window = std::make_unique<MainWindow>(m_prompts, m_options.window);
}

void Startup::splashPauseOver()
{
    m_window->finishLoad(m_options.startFile);
    if (m_splash)
        m_splash->close();
    m_window->show();
    emit ready();
}

} // namespace ktv4::ui
