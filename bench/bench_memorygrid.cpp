// SPDX-License-Identifier: GPL-3.0-or-later
// The memory grid's redraw: all 604 rows redrawn (model signal and the repaint of what
// the view shows), one row's refresh as a read from the radio does it, and every cell pulled.

#include "bench/BenchImages.h"
#include "bench/BenchWidgets.h"
#include "files/ChannelArrange.h"
#include "files/CloneDocument.h"
#include "print/ChannelPrinter.h"
#include "ui/ChannelSortProxy.h"
#include "ui/ChannelTableModel.h"
#include "ui/MemoryPanel.h"

#include <QApplication>
#include <QTableView>
#include <benchmark/benchmark.h>

using namespace ktv4;
using namespace ktv4::ui;
using ktv4::bench::NoPrompts;

namespace {

struct Tab {
    CloneDocument document;
    NoPrompts prompts;
    MemoryPanel panel{document, prompts};

    Tab()
    {
        document.image().channels = bench::fullImage().channels;
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

// A heading click: the 604 rows sorted by frequency (numerically, descending, empty channels last)
// and the grid repainted.
void BM_SortAllRows(benchmark::State &state)
{
    Tab tab;
    ChannelSortProxy *view = tab.panel.sortProxy();
    QWidget *viewport = tab.panel.grid()->viewport();
    for (auto _ : state) {
        view->sort(ColFrequency, Qt::DescendingOrder);
        viewport->repaint();
        view->sort(-1);
        viewport->repaint();
    }
    state.SetLabel("two sorts and two redraws per iteration");
}
BENCHMARK(BM_SortAllRows)->Unit(benchmark::kMillisecond);

// Edit > Arrange of all channels by band then frequency: the arrangement, its one change through
// the document, and the grid's redraw; undone through the document between iterations.
void BM_ArrangeAllRows(benchmark::State &state)
{
    Tab tab;
    QWidget *viewport = tab.panel.grid()->viewport();
    const RadioImage start = tab.document.image();
    for (auto _ : state) {
        const ArrangeResult result = arrangeChannels(tab.document.image(), rangeChannels(ArrangeRange::All),
                                                     {ArrangeRule::BandFrequency, true, true}, "arrange");
        tab.document.submit(result.change);
        viewport->repaint();
        state.PauseTiming();
        tab.document.applyPart(result.change.before);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ArrangeAllRows)->Unit(benchmark::kMillisecond);

// The list layout of all 604 channels written as an A4 PDF.
void BM_ListPdf604(benchmark::State &state)
{
    const RadioImage image = bench::fullImage();
    PrintJob job;
    job.channels = printedChannels(image.channels);
    job.columns = defaultPrintColumns();
    job.fileName = QStringLiteral("bench.TV4");
    job.date = QDate(2026, 12, 7);
    int pages = 0;
    qsizetype bytes = 0;
    for (auto _ : state)
        bytes = printToPdf(image, job, QPageSize(QPageSize::A4), &pages).size();
    state.SetLabel(QStringLiteral("%1 channels, %2 pages, %3 bytes")
                       .arg(job.channels.size())
                       .arg(pages)
                       .arg(bytes)
                       .toStdString());
}
BENCHMARK(BM_ListPdf604)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return ktv4::bench::runWidgetBenchmarks(argc, argv);
}
