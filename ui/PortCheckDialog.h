// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Help > Check Serial Port…: the serial port checklist of `ktv4cli doctor` for the window's port,
// each failed item with its fix, in a text the user can copy into a terminal or a forum post.

#include "link/PortDoctor.h"

#include <QDialog>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace ktv4::ui {

class PortCheckDialog : public QDialog {
    Q_OBJECT
public:
    explicit PortCheckDialog(QWidget *parent = nullptr);
    ~PortCheckDialog() override;

    // The system the checks read (the running one unless a test gives a prepared folder).
    void setSystem(const SystemRoot &system);
    // Runs the checklist for the port (a path, ttyUSB0, COMn); the report replaces the last.
    void check(const QString &portName);
    QString reportText() const;

private:
    void showReport(const DoctorReport &report);

    SystemRoot m_system;
    QString m_portName;
    std::unique_ptr<PortDoctor> m_doctor;
    QLabel *m_summary;
    QPlainTextEdit *m_text;
    QPushButton *m_againButton;
};

} // namespace ktv4::ui
