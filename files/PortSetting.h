// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's remembered settings: the serial port in "KT-V4.ini" beside the program, and the
// main window's last geometry in the per-user settings store.
//
// The port file holds the port number and CR LF ("3\r\n"). When a device path was chosen in the
// COM port dialog it follows on a second line; older readers take the first field only.

#include <QRect>
#include <QString>
#include <memory>
#include <optional>

class QSettings;

namespace ktv4 {

constexpr int kPortMin = 1;
constexpr int kPortMax = 14;
constexpr int kDefaultPort = 1;

// What the user chose in the COM port dialog.
struct PortChoice {
    int port = kDefaultPort; // COM 1..14
    QString device;          // a device path chosen instead of COMn's device; empty = COMn
    bool operator==(const PortChoice &) const = default;
};

// The port number held in a port file's first field: 1..14, else 1 (missing, not a number, out
// of range).
int portNumberFromFile(const QByteArray &content);
// The whole choice a port file holds: the port, and the device path of its second field (a file
// name, kept under its own bytes).
PortChoice portChoiceFromFile(const QByteArray &content);
// The port file's bytes for a choice: "3" CR LF, then the quoted device path when there is one.
QByteArray portFileBytes(const PortChoice &choice);

// Where the port file lives. An installed copy sits in a folder the user cannot write, so the
// same file in the per-user configuration folder stands in for it; once that file exists it is
// read and written first.
class PortSetting {
public:
    static constexpr const char *kFileName = "KT-V4.ini";

    PortSetting(const QString &programDir, const QString &userDir);
    // Beside the running program, with ~/.config/ktv4clone as the per-user folder.
    static PortSetting forThisProgram();

    QString programFile() const;
    QString userFile() const;

    // ReadPortSetting.
    PortChoice read() const;
    // WritePortSetting: the path written, or empty when neither place could be written (the
    // program goes on closing).
    QString write(const PortChoice &choice) const;

private:
    QString m_programDir;
    QString m_userDir;
};

// The per-user settings store under the program's title, or the INI file `file` in its place.
std::unique_ptr<QSettings> openSettingsStore(const QString &file = QString());

// The window geometry in twips under "Orvane KT-V4 Clone Utility" / "Settings": MainLeft,
// MainTop, MainWidth, MainHeight. False when the store could not be written.
bool saveWindowGeometry(QSettings &store, const QRect &twips);
// The geometry written last, or nothing when a key is missing, is not a number, or gives no
// area; the window then opens at its design size.
std::optional<QRect> readWindowGeometry(QSettings &store);

} // namespace ktv4
