// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/PortSetting.h"

#include "files/CloneFile.h"
#include "files/FieldReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace ktv4 {

namespace {

// The file counts only under its exact name, also on file systems that ignore case.
bool exactFileExists(const QString &dir, const QString &name)
{
    return QDir(dir).entryList(QStringList{name}, QDir::Files | QDir::Hidden).contains(name);
}

PortChoice readPortFile(const QString &path)
{
    // A port file is a few bytes; anything else under its name (a large file, a FIFO) is no port file.
    const FileRead read = readWholeFile(path, 4096, FileStatus::FileOpenError);
    return read.result.ok() ? portChoiceFromFile(read.bytes) : PortChoice{};
}

} // namespace

int portNumberFromFile(const QByteArray &content)
{
    FieldReader reader(content);
    bool ok = false;
    const int port = reader.readField().value_or(QString()).toInt(&ok);
    return ok && port >= kPortMin && port <= kPortMax ? port : kDefaultPort;
}

PortChoice portChoiceFromFile(const QByteArray &content)
{
    FieldReader reader(content);
    reader.readField();
    // The reader hands back each byte as one character; the device path is a file name.
    const QString device = QFile::decodeName(reader.readField().value_or(QString()).toLatin1());
    return {portNumberFromFile(content), device};
}

QByteArray portFileBytes(const PortChoice &choice)
{
    QByteArray bytes = QByteArray::number(choice.port) + "\r\n";
    if (!choice.device.isEmpty())
        bytes += '"' + QFile::encodeName(choice.device) + "\"\r\n";
    return bytes;
}

PortSetting::PortSetting(const QString &programDir, const QString &userDir)
    : m_programDir(programDir), m_userDir(userDir)
{
}

PortSetting PortSetting::forThisProgram()
{
    return PortSetting(QCoreApplication::applicationDirPath(),
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/ktv4clone"));
}

QString PortSetting::programFile() const
{
    return m_programDir + QLatin1Char('/') + QLatin1String(kFileName);
}

QString PortSetting::userFile() const
{
    return m_userDir + QLatin1Char('/') + QLatin1String(kFileName);
}

PortChoice PortSetting::read() const
{
    const QString name = QLatin1String(kFileName);
    if (!m_userDir.isEmpty() && exactFileExists(m_userDir, name))
        return readPortFile(userFile());
    if (exactFileExists(m_programDir, name))
        return readPortFile(programFile());
    return {};
}

QString PortSetting::write(const PortChoice &choice) const
{
    const QByteArray bytes = portFileBytes(choice);
    const QString name = QLatin1String(kFileName);
    const bool userFileInUse = !m_userDir.isEmpty() && exactFileExists(m_userDir, name);
    if (!userFileInUse && saveWholeFile(programFile(), bytes).ok())
        return programFile();
    if (m_userDir.isEmpty() || !QDir().mkpath(m_userDir))
        return {};
    return saveWholeFile(userFile(), bytes).ok() ? userFile() : QString();
}

std::unique_ptr<QSettings> openSettingsStore(const QString &file)
{
    if (file.isEmpty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, appTitle());
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

bool saveWindowGeometry(QSettings &store, const QRect &twips)
{
    store.beginGroup(QStringLiteral("Settings"));
    store.setValue(QStringLiteral("MainLeft"), QString::number(twips.x()));
    store.setValue(QStringLiteral("MainTop"), QString::number(twips.y()));
    store.setValue(QStringLiteral("MainWidth"), QString::number(twips.width()));
    store.setValue(QStringLiteral("MainHeight"), QString::number(twips.height()));
    store.endGroup();
    store.sync();
    return store.status() == QSettings::NoError;
}

std::optional<QRect> readWindowGeometry(QSettings &store)
{
    // Written as whole numbers; a value with a decimal point is rounded.
    int twips[4] = {};
    const char *keys[] = {"Settings/MainLeft", "Settings/MainTop", "Settings/MainWidth",
                          "Settings/MainHeight"};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const double value = store.value(QLatin1String(keys[i])).toString().toDouble(&ok);
        if (!ok || value < -1e6 || value > 1e6)
            return std::nullopt;
        twips[i] = qRound(value);
    }
    if (twips[2] <= 0 || twips[3] <= 0)
        return std::nullopt;
    return QRect(twips[0], twips[1], twips[2], twips[3]);
}

} // namespace ktv4
