// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the program with a full clone file on its command line: splash, main window with both
// grids and every list, the file loaded into them, and the window shown. The splash pause is set
// to zero here; the program itself waits at least 2 s on purpose.

#include "bench/BenchImages.h"
#include "bench/BenchWidgets.h"
#include "files/CloneFile.h"
#include "ui/MainWindow.h"
#include "ui/Startup.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ktv4;
using namespace ktv4::ui;
using ktv4::bench::NoPrompts;

namespace {

// Every channel in use, with a name.
QString writeFullCloneFile(const QTemporaryDir &dir)
{
    RadioImage image = bench::fullImage();
    const QString path = dir.filePath(QStringLiteral("full.TV4"));
    writeCloneFile(path, image, kStartupModelOption, false);
    return path;
}

void BM_OpenWithFullCloneFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = writeFullCloneFile(dir);
    NoPrompts prompts;
    for (auto _ : state) {
        StartupOptions options;
        options.window.portSetting = PortSetting(dir.path(), dir.path());
        options.window.settingsStore = dir.filePath(QStringLiteral("geometry.ini"));
        options.startFile = path;
        options.splashPause = std::chrono::milliseconds(0);
        Startup startup(prompts, options);
        bool ready = false;
        QObject::connect(&startup, &Startup::ready, [&] { ready = true; });
        startup.run();
        while (!ready)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QApplication::processEvents(); // the first paint
        state.PauseTiming();
        startup.mainWindow()->hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenWithFullCloneFile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return ktv4::bench::runWidgetBenchmarks(argc, argv);
}
