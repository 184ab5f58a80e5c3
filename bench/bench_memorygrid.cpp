// The memory grid's redraw: all 604 rows redrawn (model signal and the repaint of what
// the view shows), one row's refresh as a read from the radio does it, and every cell pulled.

#include "files/CloneDocument.h"
#include "ui/ChannelTableModel.h"
#include "ui/MemoryPanel.h"
#include "ui/UserPrompts.h"

#include <QApplication>
#include <QTableView>
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

void fillAllChannels(CloneDocument &document)
{
    for (int ch = 0; ch < kChannelCount; ++ch) {
        ChannelRow &row = document.image().channels[ch];
        row.inUse = true;
        const double hz = 1'800'000 + ch * 25'000;
        row.cells[ColFrequency] = {hz, frequencyText(hz)};
        row.cells[ColMode] = {double(ch % 6), modeNames().at(ch % 6)};
        row.cells[ColGain] = {double(ch % 4), gainText(ch % 4)};
        row.cells[ColAgc] = {1, agcText(1)};
        row.cells[ColPwr] = {0, powerText(0)};
        row.cells[ColFilter] = {double(ch % 2), filterText(ch % 2)};
        row.cells[ColTone] = {0, toneText(0)};
        row.cells[ColNb] = {0, nbText(0)};
        row.cells[ColSplit] = {hz, frequencyText(hz)};
        row.cells[ColName] = {0, QStringLiteral("CH%1").arg(ch)};
        row.cells[ColSkip] = {double(ch % 2), skipText(ch % 2)};
    }
}

struct Tab {
    CloneDocument document;
    NoPrompts prompts;
    MemoryPanel panel{document, prompts};

    Tab()
    {
        fillAllChannels(document);
        panel.show();
        for (int i = 0; i < 10; ++i)
            QApplication::processEvents();
        panel.refreshAll();
        QApplication::processEvents();
    }
};

// The full redraw as the user sees it: the model's one change signal, then the view repainted.
void BM_RedrawAllRows(benchmark::State &state)
{
    Tab tab;
    QWidget *viewport = tab.panel.grid()->viewport();
    for (auto _ : state) {
        tab.panel.refreshAll();
        viewport->repaint();
    }
}
BENCHMARK(BM_RedrawAllRows)->Unit(benchmark::kMicrosecond);

// The same with the view scrolled to the last bank.
void BM_RedrawAllRowsScrolled(benchmark::State &state)
{
    Tab tab;
    tab.panel.setTopChannel(kChannelCount - MemoryPanel::kRowsInView);
    QWidget *viewport = tab.panel.grid()->viewport();
    for (auto _ : state) {
        tab.panel.refreshAll();
        viewport->repaint();
    }
}
BENCHMARK(BM_RedrawAllRowsScrolled)->Unit(benchmark::kMicrosecond);

// The signal alone, the view repainting later with the next event-loop pass.
void BM_RedrawAllRowsSignal(benchmark::State &state)
{
    Tab tab;
    for (auto _ : state)
        tab.panel.refreshAll();
}
BENCHMARK(BM_RedrawAllRowsSignal)->Unit(benchmark::kMicrosecond);

// Every one of the 604 x 11 display texts read through the model (what a view that showed all
// rows at once would pull).
void BM_AllCellTexts(benchmark::State &state)
{
    Tab tab;
    ChannelTableModel *model = tab.panel.model();
    for (auto _ : state) {
        qsizetype length = 0;
        for (int row = 0; row < kChannelCount; ++row) {
            for (int column = 0; column < kChannelColumns; ++column)
                length += model->data(model->index(row, column)).toString().size();
        }
        benchmark::DoNotOptimize(length);
    }
}
BENCHMARK(BM_AllCellTexts)->Unit(benchmark::kMicrosecond);

// One row while reading the radio: the row's refresh and the repaint, with the row in view.
void BM_RefreshOneRow(benchmark::State &state)
{
    Tab tab;
    QWidget *viewport = tab.panel.grid()->viewport();
    for (auto _ : state) {
        tab.panel.refreshChannel(5);
        viewport->repaint();
    }
}
BENCHMARK(BM_RefreshOneRow)->Unit(benchmark::kMicrosecond);

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
