// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File > Import Schedule...: a broadcast schedule's stations into the empty memory channels. The
// dialog reads the schedule once; every change of a filter or of the start channel picks the
// stations again and shows how many there are and the channels they would become.

#include "files/SchedulePlan.h"

#include <QDialog>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableView;
class QTimeEdit;

namespace ktv4 {
class CloneDocument;
}

namespace ktv4::ui {

class MemoryPanel;
class UserPrompts;
class ScheduleChannelsModel;

class ScheduleImportDialog : public QDialog {
    Q_OBJECT
public:
    // `channels` must outlive the dialog; the channels are filled from `startChannel` on.
    ScheduleImportDialog(const ChannelTable &channels, int startChannel, UserPrompts &prompts,
                         QWidget *parent = nullptr);

    // Reads the schedule at `path`. A file that cannot be read shows the error box and leaves the
    // schedule shown before. True when it was read.
    bool openSchedule(const QString &path);
    // "Choose File...": asks for a schedule and reads it. False when cancelled or unreadable.
    bool chooseSchedule();

    // What the filters ask for, as they stand.
    ScheduleFilter filter() const;
    const QString &schedulePath() const { return m_path; }
    const Schedule &schedule() const { return m_schedule; }
    const ScheduleSelection &selection() const { return m_selection; }
    // The channels OK makes: the plan for the filters and the start channel as they stand.
    const SchedulePlan &plan() const { return m_plan; }

private:
    QWidget *buildFilters();
    void connectFilters();
    void bandChosen(int index);
    void refilter();
    void showCounts();

    const ChannelTable &m_channels;
    UserPrompts &m_prompts;
    QString m_path;
    Schedule m_schedule;
    ScheduleSelection m_selection;
    SchedulePlan m_plan;

    QLabel *m_file = nullptr;
    QCheckBox *m_atEnabled = nullptr;
    QTimeEdit *m_at = nullptr;
    QList<QCheckBox *> m_days;
    QComboBox *m_band = nullptr;
    QSpinBox *m_from = nullptr;
    QSpinBox *m_to = nullptr;
    QLineEdit *m_languages = nullptr;
    QLineEdit *m_targets = nullptr;
    QLineEdit *m_station = nullptr;
    QSpinBox *m_limit = nullptr;
    QComboBox *m_start = nullptr;
    QLabel *m_count = nullptr;
    QLabel *m_placement = nullptr;
    QTableView *m_list = nullptr;
    ScheduleChannelsModel *m_model = nullptr;
    QPushButton *m_ok = nullptr;
};

// What an accepted import did, for the status bar: the summary and, on request, the whole report.
struct ScheduleImportReport {
    QString summary; // "sked-A26.csv: 187 channels made, 7 duplicates skipped"
    QString details; // rows read, dropped (each with its line), filtered out, made, skipped
};

// File > Import Schedule...: asks for the schedule file (a cancelled file dialog ends silently),
// shows the dialog from the Memory tab's current channel on, and on OK makes the channels as one
// undo step and makes the first of them current. Nothing when nothing was made.
std::optional<ScheduleImportReport> importSchedule(QWidget *parent, CloneDocument &document,
                                                   UserPrompts &prompts, MemoryPanel &panel);

} // namespace ktv4::ui
