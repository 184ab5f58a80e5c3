// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box: the program's title, version and description, "OK" and the system-information
// button. This platform has no system-information tool, so the button says so.

#include <QDialog>

namespace ktv4::ui {

class UserPrompts;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(UserPrompts &prompts, QWidget *parent = nullptr);

    // StartSysInfo.
    void startSysInfo();

private:
    UserPrompts &m_prompts;
};

} // namespace ktv4::ui
