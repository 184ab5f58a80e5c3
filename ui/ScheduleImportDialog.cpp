// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ScheduleImportDialog.h"

#include "files/CloneDocument.h"
#include "model/Bands.h"
#include "model/ChannelNaming.h"
#include "model/FieldText.h"
#include "ui/MemoryPanel.h"
#include "ui/UserPrompts.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace ktv4::ui {

namespace {

constexpr int kLowestKhz = int(kLowestFrequency / 1000);
constexpr int kHighestKhz = int(kFrequencyLimit / 1000);

// "E, F" or "E F" -> {"E", "F"}.
QStringList codeList(const QString &text)
{
    return text.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts);
}

} // namespace

// The channels the plan makes, one row each: channel, kHz, mode, name, station, times.
class ScheduleChannelsModel : public QAbstractTableModel {
public:
    ScheduleChannelsModel(QStringList titles, QObject *parent)
        : QAbstractTableModel(parent), m_titles(std::move(titles))
    {
    }

    void setChannels(const QList<ScheduleFrequency> &channels)
    {
        beginResetModel();
        m_channels = channels;
        endResetModel();
    }

    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : int(m_channels.size());
    }
    int columnCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : int(m_titles.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        const ScheduleFrequency &f = m_channels.at(index.row());
        if (role == Qt::TextAlignmentRole && index.column() == 1)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole)
            return {};
        switch (index.column()) {
        case 0:
            return f.channel < 0 ? QString() : gridRowLabel(f.channel);
        case 1:
            return kilohertzText(f.hz);
        case 2:
            return fieldText(f.mode);
        case 3:
            return f.name;
        case 4:
            return f.stations > 1 ? ScheduleImportDialog::tr("%1 and %n other(s)", nullptr, f.stations - 1)
                                        .arg(f.station)
                                  : f.station;
        default:
            return f.times.join(QStringLiteral(", "));
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return m_titles.value(section);
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    QStringList m_titles;
    QList<ScheduleFrequency> m_channels;
};

ScheduleImportDialog::ScheduleImportDialog(const ChannelTable &channels, int startChannel,
                                           UserPrompts &prompts, QWidget *parent)
    : QDialog(parent), m_channels(channels), m_prompts(prompts)
{
    setObjectName(QStringLiteral("dlgScheduleImport"));
    setWindowTitle(tr("Import Schedule"));
    auto *layout = new QVBoxLayout(this);

    auto *fileRow = new QHBoxLayout;
    m_file = new QLabel(this);
    m_file->setObjectName(QStringLiteral("lblFile"));
    m_file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *browse = new QPushButton(tr("Choose File..."), this);
    browse->setObjectName(QStringLiteral("cmdChooseFile"));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &ScheduleImportDialog::chooseSchedule);
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(browse);
    layout->addLayout(fileRow);

    auto *middle = new QHBoxLayout;
    auto *filters = new QVBoxLayout;
    filters->addWidget(buildFilters());
    filters->addStretch(1);
    middle->addLayout(filters);
    m_model = new ScheduleChannelsModel({tr("Channel"), tr("kHz"), channelColumnTitles().at(ColMode),
                                         channelColumnTitles().at(ColName), tr("Station"), tr("Times (UTC)")},
                                        this);
    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("lstChannels"));
    m_list->setModel(m_model);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->verticalHeader()->hide();
    // The short columns fit their texts; the station shares the width with the times.
    QHeaderView *header = m_list->horizontalHeader();
    header->setResizeContentsPrecision(100);
    for (int column = 0; column < 4; ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    header->resizeSection(4, 180);
    header->setStretchLastSection(true);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    middle->addWidget(m_list, 1);
    layout->addLayout(middle, 1);

    auto *startRow = new QHBoxLayout;
    m_start = new QComboBox(this);
    m_start->setObjectName(QStringLiteral("cmbStartChannel"));
    for (int ch = 0; ch < kChannelCount; ++ch)
        m_start->addItem(gridRowLabel(ch));
    m_start->setCurrentIndex(std::clamp(startChannel, 0, kChannelCount - 1));
    auto *startLabel = new QLabel(tr("Fill the empty channels from:"), this);
    startLabel->setBuddy(m_start);
    startRow->addWidget(startLabel);
    startRow->addWidget(m_start);
    startRow->addStretch(1);
    layout->addLayout(startRow);

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblCount"));
    m_placement = new QLabel(this);
    m_placement->setObjectName(QStringLiteral("lblPlacement"));
    m_placement->setWordWrap(true);
    layout->addWidget(m_count);
    layout->addWidget(m_placement);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_start, &QComboBox::currentIndexChanged, this, &ScheduleImportDialog::refilter);
    refilter();
    resize(980, 600);
}

QWidget *ScheduleImportDialog::buildFilters()
{
    auto *box = new QGroupBox(tr("Stations"), this);
    auto *form = new QFormLayout(box);

    auto *atRow = new QHBoxLayout;
    m_atEnabled = new QCheckBox(tr("On the air at"), box);
    m_atEnabled->setObjectName(QStringLiteral("chkAt"));
    m_at = new QTimeEdit(QDateTime::currentDateTimeUtc().time(), box);
    m_at->setObjectName(QStringLiteral("timAt"));
    m_at->setDisplayFormat(QStringLiteral("HH:mm"));
    atRow->addWidget(m_atEnabled);
    atRow->addWidget(m_at);
    atRow->addWidget(new QLabel(tr("UTC, any day"), box), 1);
    form->addRow(atRow);

    auto *daysRow = new QHBoxLayout;
    const QString dayNames[] = {tr("Mo"), tr("Tu"), tr("We"), tr("Th"), tr("Fr"), tr("Sa"), tr("Su")};
    for (int d = 0; d < 7; ++d) {
        auto *day = new QCheckBox(dayNames[d], box);
        day->setObjectName(QStringLiteral("chkDay%1").arg(d));
        daysRow->addWidget(day);
        m_days << day;
    }
    form->addRow(tr("Days:"), daysRow);

    m_band = new QComboBox(box);
    m_band->setObjectName(QStringLiteral("cmbBand"));
    m_band->addItem(tr("All"));
    for (const Band &b : hfBands()) {
        const QString range = QStringLiteral("%1-%2 kHz").arg(b.lowestHz / 1000).arg(b.highestHz / 1000);
        m_band->addItem(b.kind == BandKind::Broadcast
                            ? QStringLiteral("%1 (%2)").arg(QLatin1String(b.name), range)
                            : tr("%1 amateur (%2)").arg(QLatin1String(b.name), range));
    }
    form->addRow(tr("Band:"), m_band);
    auto *rangeRow = new QHBoxLayout;
    m_from = new QSpinBox(box);
    m_from->setObjectName(QStringLiteral("spnFrom"));
    m_to = new QSpinBox(box);
    m_to->setObjectName(QStringLiteral("spnTo"));
    for (QSpinBox *spin : {m_from, m_to}) {
        spin->setRange(kLowestKhz, kHighestKhz);
        spin->setSuffix(QStringLiteral(" kHz"));
        spin->setKeyboardTracking(false);
    }
    m_to->setValue(kHighestKhz);
    rangeRow->addWidget(m_from);
    rangeRow->addWidget(new QLabel(QStringLiteral("-"), box));
    rangeRow->addWidget(m_to, 1);
    form->addRow(tr("Frequencies:"), rangeRow);

    m_languages = new QLineEdit(box);
    m_languages->setObjectName(QStringLiteral("txtLanguages"));
    m_languages->setPlaceholderText(tr("any; codes such as E, F"));
    form->addRow(tr("Languages:"), m_languages);
    m_targets = new QLineEdit(box);
    m_targets->setObjectName(QStringLiteral("txtTargets"));
    m_targets->setPlaceholderText(tr("any; codes such as Eu, WEu"));
    form->addRow(tr("Targets:"), m_targets);
    m_station = new QLineEdit(box);
    m_station->setObjectName(QStringLiteral("txtStation"));
    m_station->setPlaceholderText(tr("any; part of the name"));
    form->addRow(tr("Station:"), m_station);
    m_limit = new QSpinBox(box);
    m_limit->setObjectName(QStringLiteral("spnLimit"));
    m_limit->setRange(0, kChannelCount);
    m_limit->setSpecialValueText(tr("no limit"));
    m_limit->setToolTip(tr("Keeps the frequencies on the air longest each week."));
    form->addRow(tr("At most:"), m_limit);

    connectFilters();
    return box;
}

// Every filter picks the stations again as soon as it changes.
void ScheduleImportDialog::connectFilters()
{
    connect(m_atEnabled, &QCheckBox::toggled, this, &ScheduleImportDialog::refilter);
    // Setting a time asks for the stations on the air then.
    connect(m_at, &QTimeEdit::timeChanged, this, [this] {
        if (m_atEnabled->isChecked())
            refilter();
        else
            m_atEnabled->setChecked(true);
    });
    for (QCheckBox *day : std::as_const(m_days))
        connect(day, &QCheckBox::toggled, this, &ScheduleImportDialog::refilter);
    connect(m_band, &QComboBox::currentIndexChanged, this, &ScheduleImportDialog::bandChosen);
    for (QSpinBox *spin : {m_from, m_to, m_limit})
        connect(spin, &QSpinBox::valueChanged, this, &ScheduleImportDialog::refilter);
    for (QLineEdit *edit : {m_languages, m_targets, m_station})
        connect(edit, &QLineEdit::textChanged, this, &ScheduleImportDialog::refilter);
}

void ScheduleImportDialog::bandChosen(int index)
{
    if (index < 0)
        return;
    const QSignalBlocker fromBlocker(m_from);
    const QSignalBlocker toBlocker(m_to);
    const std::span<const Band> bands = hfBands();
    m_from->setValue(index == 0 ? kLowestKhz : int(bands[index - 1].lowestHz / 1000));
    m_to->setValue(index == 0 ? kHighestKhz : int(bands[index - 1].highestHz / 1000));
    refilter();
}

ScheduleFilter ScheduleImportDialog::filter() const
{
    ScheduleFilter f;
    if (m_atEnabled->isChecked())
        f.atMinute = m_at->time().hour() * 60 + m_at->time().minute();
    for (qsizetype d = 0; d < m_days.size(); ++d)
        f.days |= m_days[d]->isChecked() ? 1 << d : 0;
    f.languages = codeList(m_languages->text());
    f.targets = codeList(m_targets->text());
    // Whole kHz, both ends included: "To 11780" keeps 11780.5 kHz.
    f.lowestHz = m_from->value() * 1000LL;
    f.highestHz = m_to->value() * 1000LL + 999;
    f.station = m_station->text().trimmed();
    f.limit = m_limit->value();
    return f;
}

void ScheduleImportDialog::refilter()
{
    // A range typed by hand shows the band it is, or none.
    const QSignalBlocker blocker(m_band);
    const std::span<const Band> bands = hfBands();
    int band = m_from->value() == kLowestKhz && m_to->value() == kHighestKhz ? 0 : -1;
    for (qsizetype i = 0; band < 0 && i < qsizetype(bands.size()); ++i) {
        if (m_from->value() == bands[i].lowestHz / 1000 && m_to->value() == bands[i].highestHz / 1000)
            band = int(i) + 1;
    }
    m_band->setCurrentIndex(band);

    const ScheduleFilter f = filter();
    m_selection = selectSchedule(m_schedule, f);
    m_plan = planSchedule(m_selection, m_channels, m_start->currentIndex(), f.limit);
    m_model->setChannels(m_plan.channels);
    showCounts();
}

void ScheduleImportDialog::showCounts()
{
    m_count->setText(tr("%1, %2", "stations, frequencies")
                         .arg(tr("%n station(s)", nullptr, m_selection.stations),
                              tr("%n frequency(ies)", nullptr, int(m_selection.frequencies.size()))));
    QStringList placement;
    const int made = int(m_plan.channels.size());
    if (m_path.isEmpty()) {
        placement << tr("Choose a schedule file.");
    } else if (!m_plan.fits()) {
        placement << tr("Only %n empty channel(s) from %1 on, %2 needed: choose an earlier channel or "
                        "fewer stations.",
                        nullptr, m_plan.freeChannels)
                         .arg(gridRowLabel(m_start->currentIndex()).simplified())
                         .arg(made);
    } else if (made > 0) {
        placement << tr("%n channel(s) to make, %1 to %2", nullptr, made)
                         .arg(gridRowLabel(m_plan.channels.first().channel).simplified(),
                              gridRowLabel(m_plan.channels.last().channel).simplified());
    } else {
        placement << tr("No channel to make.");
    }
    if (!m_plan.duplicates.isEmpty())
        placement << tr("%n held already by a channel in use", nullptr, int(m_plan.duplicates.size()));
    if (m_plan.overLimit > 0)
        placement << tr("%n left out by the limit", nullptr, m_plan.overLimit);
    m_placement->setText(placement.join(QStringLiteral("; ")));
    m_ok->setEnabled(m_plan.fits() && made > 0);
}

bool ScheduleImportDialog::openSchedule(const QString &path)
{
    Schedule schedule = readSchedule(path);
    if (!schedule.result.ok()) {
        m_prompts.message(this, fileErrorMessage(schedule.result, path));
        return false;
    }
    m_schedule = std::move(schedule);
    m_path = path;
    m_file->setText(tr("%1 (%n row(s) read, %2 dropped)", nullptr, m_schedule.rowsRead)
                        .arg(QDir::toNativeSeparators(path))
                        .arg(m_schedule.dropped.size()));
    // The rows dropped, each with its line and why.
    QStringList dropped;
    for (const ScheduleDrop &drop : std::as_const(m_schedule.dropped))
        dropped << Schedule::dropText(drop);
    m_file->setToolTip(dropped.join(QLatin1Char('\n')));
    refilter();
    return true;
}

bool ScheduleImportDialog::chooseSchedule()
{
    FileDialogRequest request;
    request.caption = tr("Import Schedule");
    request.fileName = m_path;
    request.filter = tr("Broadcast Schedules (*.csv)") + QStringLiteral(";;") + tr("All Files (*)");
    const QString path = m_prompts.openFileName(this, request);
    return !path.isEmpty() && openSchedule(path);
}

std::optional<ScheduleImportReport> importSchedule(QWidget *parent, CloneDocument &document,
                                                   UserPrompts &prompts, MemoryPanel &panel)
{
    ScheduleImportDialog dialog(document.image().channels, panel.currentChannel(), prompts, parent);
    if (!dialog.chooseSchedule() || dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const SchedulePlan plan = dialog.plan();
    if (plan.channels.isEmpty() || !document.importSchedule(plan, dialog.schedulePath()))
        return std::nullopt;
    panel.selectChannel(plan.channels.first().channel);
    return ScheduleImportReport{
        ScheduleImportDialog::tr("%1: %2").arg(QFileInfo(dialog.schedulePath()).fileName(), plan.summary()),
        plan.reportLines(dialog.schedule(), dialog.selection()).join(QLatin1Char('\n'))};
}

} // namespace ktv4::ui
