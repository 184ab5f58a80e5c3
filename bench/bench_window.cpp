// Opening the program with a full clone file on its command line: splash, main window with both
// grids and every list, the file loaded into them, and the window shown. The splash pause is set
// to zero here; the program itself waits at least 2 s on purpose.

#include "files/CloneFile.h"
#include "ui/MainWindow.h"
#include "ui/Startup.h"
#include "ui/UserPrompts.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ktv4;
using namespace ktv4::ui;

namespace {

class NoPrompts : public UserPrompts {
public:
    QMessageBox::StandardButton message(QWidget *, const MessageRequest &) override
    {
        return QMessageBox::Ok;
    }
    QString openFileName(QWidget *, const FileDialogRequest &) override { return {}; }
    QString saveFileName(QWidget *, const FileDialogRequest &) override { return {}; }
};

// Every channel in use, with a name.
QString writeFullCloneFile(const QTemporaryDir &dir)
{
    RadioImage image = startupImage();
    for (int ch = 0; ch < kChannelCount; ++ch) {
        ChannelRow &row = image.channels[ch];
        row.inUse = true;
        const double hz = 1'800'000 + ch * 25'000;
        row.cells[ColFrequency] = {hz, frequencyText(hz)};
        row.cells[ColMode] = {double(ch % 6), modeNames().at(ch % 6)};
        row.cells[ColAgc] = {1, agcText(1)};
        row.cells[ColSplit] = {hz, frequencyText(hz)};
        row.cells[ColName] = {0, QStringLiteral("CH%1").arg(ch)};
    }
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
