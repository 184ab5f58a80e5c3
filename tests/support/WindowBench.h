// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The virtual radio and the real main window set to talk to it, the radio answering inside the
// test process (no device, replies at once).

#include "link/RadioFixture.h"
#include "support/WindowFixture.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTableView>
#include <QTestEventLoop>
#include <functional>

namespace fixture {

// A radio without the serial line's pacing, changed as a test needs.
inline sim::RadioSetup unpacedRadio(const std::function<void(sim::RadioSetup &)> &change = {})
{
    sim::RadioSetup setup = Radio::unpaced();
    if (change)
        change(setup);
    return setup;
}

struct WindowBench {
    // The radio holds radioImage(); the window starts from `startFile` when one is given.
    // On Wire::Pty the radio answers on a pseudo-terminal through the serial port, with the
    // radio's timings, for what needs a real device.
    explicit WindowBench(sim::RadioSetup setup = Radio::unpaced(), const QString &startFile = QString(),
                         const QString &traceFile = QString(), LinkTimings timings = kInstantTimings,
                         Wire wireKind = Wire::InProcess)
        : radio(std::move(setup))
    {
        radio.loadImage(radioImage());
        if (wireKind == Wire::Pty) {
            QString error;
            opened = radio.open(error);
            if (opened)
                radio.start();
            window = std::make_unique<Window>(startFile, radio.devicePath(), traceFile);
            window->window->show();
            return;
        }
        auto line = [this]() -> std::unique_ptr<Transport> {
            auto transport = std::make_unique<RadioTransport>(radio);
            wire = transport.get();
            return transport;
        };
        window = std::make_unique<Window>(startFile, kDevice, traceFile, line, timings);
        window->window->show();
    }
    ~WindowBench()
    {
        window.reset();
        radio.stop();
    }

    static constexpr const char *kDevice = "/dev/ktv4-virtual-radio";

    MainWindow &main() const { return *window->window; }
    QPushButton *button(const QString &name) const { return window->find<QPushButton>(name); }
    void click(const QString &button) const { QTest::mouseClick(this->button(button), Qt::LeftButton); }
    // Runs the event loop (without sleeping between rounds) until the window is idle again.
    bool waitUntilIdle(int ms = 90'000) const
    {
        QElapsedTimer timer;
        timer.start();
        while (main().isBusy() && timer.elapsed() < ms) {
            QTestEventLoop loop;
            QObject::connect(&main().transfer(), &CloneTransfer::finished, &loop, &QTestEventLoop::exitLoop,
                             Qt::QueuedConnection);
            loop.enterLoopMSecs(20);
        }
        return !main().isBusy();
    }
    // Starts a menu item's operation and waits until the window is idle again.
    void trigger(const char *item) const
    {
        window->action(QLatin1String(item))->trigger();
        waitUntilIdle();
    }
    QString vfoText(int vfo, int column) const
    {
        return window->find<QTableView>(QStringLiteral("MSFlexGrid2"))
            ->model()
            ->index(vfo, column)
            .data()
            .toString();
    }

    sim::VirtualRadio radio;
    RadioTransport *wire = nullptr;
    bool opened = true;
    std::unique_ptr<Window> window;
};

} // namespace fixture
