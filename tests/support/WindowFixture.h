// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real main window, built as the program builds it, with scripted answers to its questions
// and its remembered settings in a temporary folder. Shared by the window and Memory tab tests.

#include "support/ProcessRunner.h"
#include "support/ScriptedPrompts.h"
#include "ui/ChannelTableModel.h"
#include "ui/FileController.h"
#include "ui/MainWindow.h"
#include "ui/MemoryPanel.h"
#include "ui/SettingsPanel.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace fixture {

using namespace ktv4;
using namespace ktv4::ui;

struct Window {
    // `line`, when given, carries the radio's lines in place of the serial port.
    explicit Window(const QString &startFile = QString(), const QString &portDevice = QString(),
                    const QString &traceFile = QString(),
                    std::function<std::unique_ptr<Transport>()> line = {},
                    LinkTimings timings = kRadioTimings)
    {
        QDir().mkpath(programDir());
        // The read-back after a write is on in the program; these tests count the write's own
        // lines, so it starts off here (the read-back tests turn it on).
        QSettings settings(geometryFile(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Settings/VerifyWrites"), false);
        MainWindowOptions o = options(portDevice);
        o.traceFile = traceFile;
        o.makeTransport = std::move(line);
        o.linkTimings = timings;
        window = std::make_unique<MainWindow>(prompts, o);
        window->finishLoad(startFile);
    }

    MainWindowOptions options(const QString &portDevice = QString()) const
    {
        MainWindowOptions o;
        o.portSetting = PortSetting(programDir(), userDir());
        o.portDevice = portDevice;
        o.settingsStore = geometryFile();
        return o;
    }

    QString programDir() const { return dir.path() + QStringLiteral("/program"); }
    QString userDir() const { return dir.path() + QStringLiteral("/user"); }
    QString portFile() const { return programDir() + QStringLiteral("/KT-V4.ini"); }
    QString geometryFile() const { return dir.path() + QStringLiteral("/geometry.ini"); }
    QString path(const QString &name) const { return dir.filePath(name); }

    template <class T> T *find(const QString &name) const
    {
        T *child = window->findChild<T *>(name);
        if (!child)
            qWarning("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
        return child;
    }
    QComboBox *list(const QString &control) const { return window->settingsPanel()->list(control); }
    QAction *action(const QString &name) const { return window->action(name); }
    CloneDocument &document() const { return window->document(); }
    bool show() const
    {
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
    // The text the Memory tab's grid shows for one channel's column.
    QString shown(int channel, int column) const
    {
        ChannelTableModel *model = window->memoryPanel()->model();
        return model->index(channel, column).data().toString();
    }

    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;
};

// The caption as the window system shows it: "*" in place of the unsaved-changes mark when the
// window is modified, nothing otherwise.
inline QString shownCaption(const QWidget &window)
{
    QString title = window.windowTitle();
    return title.replace(QStringLiteral("[*]"), window.isWindowModified() ? QStringLiteral("*") : QString());
}

using ktv4::test::readAll;
using ktv4::test::writeAll;

// The one message box shown: an error box with `text` and only OK.
inline void expectError(const test::ScriptedPrompts &prompts, const QString &text)
{
    QCOMPARE(prompts.messages.size(), 1);
    const MessageRequest &box = prompts.messages.first();
    QCOMPARE(box.text, text);
    QCOMPARE(box.title, QStringLiteral("ERROR"));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

} // namespace fixture
