#pragma once
// The real main window, built as the program builds it, with scripted answers to its questions
// and its remembered settings in a temporary folder.

#include "support/ScriptedPrompts.h"
#include "ui/MainWindow.h"
#include "ui/SettingsPanel.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <memory>

namespace fixture {

using namespace ktv4;
using namespace ktv4::ui;

struct Window {
    explicit Window(const QString &startFile = QString(), const QString &portDevice = QString(),
                    const QString &traceFile = QString())
    {
        QDir().mkpath(programDir());
        MainWindowOptions o = options(portDevice);
        o.traceFile = traceFile;
        window = std::make_unique<MainWindow>(prompts, o);
        window->finishLoad(startFile);
    }

    MainWindowOptions options(const QString &portDevice = QString()) const
    {
        MainWindowOptions o;
        o.portSetting = PortSetting(programDir(), userDir());
        o.portDevice = portDevice;
        o.geometryStore = geometryFile();
        return o;
    }

    QString programDir() const { return dir.path() + QStringLiteral("/program"); }
    QString userDir() const { return dir.path() + QStringLiteral("/user"); }
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

    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;
};

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace fixture
