// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of Clear All on 604 channels in use, each with the repaint of the grid the user
// sees: the whole step from the Edit menu to the redrawn rows.

#include "bench/BenchWidgets.h"
#include "files/ChannelEdits.h"
#include "files/CloneDocument.h"
#include "ui/MemoryPanel.h"
#include "ui/UndoHistory.h"

#include <QApplication>
#include <QTableView>
#include <QUndoStack>
#include <benchmark/benchmark.h>
#include <numeric>

using namespace ktv4;
using namespace ktv4::ui;
using ktv4::bench::NoPrompts;

namespace {

struct Tab {
    CloneDocument document;
    UndoHistory history{document};
    NoPrompts prompts;
    MemoryPanel panel{document, prompts};

    Tab()
    {
        for (int ch = 0; ch < kChannelCount; ++ch) {
            Channel &channel = document.image().channels[ch];
            channel = newChannel(1'800'000 + ch * 25'000, Mode(ch % kModeCount));
            channel.name = QStringLiteral("CH%1").arg(ch);
        }
        panel.show();
        panel.refreshAll();
        QApplication::processEvents();
        QList<int> all(kChannelCount);
        std::iota(all.begin(), all.end(), 0);
        document.submit(clearChannels(document.image(), all, QStringLiteral("Clear All")));
        panel.grid()->viewport()->repaint();
    }
    void step(bool undo)
    {
        if (undo)
            history.stack()->undo();
        else
            history.stack()->redo();
        panel.grid()->viewport()->repaint();
    }
};

void BM_UndoClearAll(benchmark::State &state)
{
    Tab tab;
    for (auto _ : state) {
        tab.step(true);
        state.PauseTiming();
        tab.step(false);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoClearAll)->Unit(benchmark::kMicrosecond);

void BM_RedoClearAll(benchmark::State &state)
{
    Tab tab;
    for (auto _ : state) {
        state.PauseTiming();
        tab.step(true);
        state.ResumeTiming();
        tab.step(false);
    }
}
BENCHMARK(BM_RedoClearAll)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return ktv4::bench::runWidgetBenchmarks(argc, argv);
}
