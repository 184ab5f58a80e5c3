// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File > Backups...: the automatic backups, newest first, with when each was made, for which
// model, whether it was read from the radio or about to be written to it, and the channels in
// use. Open hands the chosen file back to the window, which opens it as File > Open would.

#include "files/Backups.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace ktv4::ui {

class BackupsDialog : public QDialog {
    Q_OBJECT
public:
    explicit BackupsDialog(QWidget *parent = nullptr);

    // Lists the backups in `store`'s folder again.
    void showBackups(const BackupStore &store);
    // The backup chosen when the dialog was accepted.
    QString chosenPath() const;

private:
    QTreeWidget *m_list;
    QPushButton *m_open;
};

} // namespace ktv4::ui
