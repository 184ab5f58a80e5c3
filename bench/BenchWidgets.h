// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every benchmark of the windows needs: prompts that answer at once, and a main that runs
// the benchmarks on the offscreen platform unless another one is asked for.

#include "ui/UserPrompts.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace ktv4::bench {

class NoPrompts : public ui::UserPrompts {
public:
    QMessageBox::StandardButton message(QWidget *, const ui::MessageRequest &) override
    {
        return QMessageBox::Ok;
    }
    QString openFileName(QWidget *, const ui::FileDialogRequest &) override { return {}; }
    QString saveFileName(QWidget *, const ui::FileDialogRequest &) override { return {}; }
};

inline int runWidgetBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace ktv4::bench
