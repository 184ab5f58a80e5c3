// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SettingsPanel.h"

#include "files/CloneDocument.h"
#include "ui/ChannelGridLayout.h"
#include "ui/VfoTableModel.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSlider>
#include <QTableView>
#include <QVBoxLayout>

namespace ktv4::ui {

namespace {

// The three columns of lists, top to bottom; nullptr leaves the cell empty. The transmit-side
// lists (key speed, break-in, tone frequency) close the columns.
constexpr int kListRows = 11;
constexpr const char *kListColumns[3][kListRows] = {
    {"cmbSSBStep", "cmbAMStep", "cmbFMStep", "cmbIQStep", "cmbIQMode", "cmbKeyLock", "cmbRit", "cmbWPM",
     nullptr, nullptr, nullptr},
    {"cmbScanType", "cmbScanMode", "cmbScanRange", "cmbScanSkip", "cmbSSBAuto", "cmbAGCAuto", "cmbFunc",
     "cmbBreakIn", nullptr, nullptr, nullptr},
    {"cmbMrDisable", "cmbMrAccess", "cmbDimmer", "cmbLED", "cmbBeep", "cmbCtrl", "cmbAPO", "cmbSleep",
     "cmbUD", "cmbSideTone", "cmbTone"},
};

QPushButton *namedButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

SettingsPanel::SettingsPanel(CloneDocument &document, QWidget *parent)
    : QWidget(parent), m_document(document), m_vfoModel(new VfoTableModel(document, this))
{
    setObjectName(QStringLiteral("SettingsPanel"));
    auto *frame = new QGroupBox(tr("Settings 1"), this);
    frame->setObjectName(QStringLiteral("Frame1_0"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    layout->addWidget(buildTopRow());

    // The left and middle columns with the shift frame under them, and the right column beside
    // them; each block keeps its own row spacing.
    m_lists = new QWidget(this);
    auto *blocks = new QHBoxLayout(m_lists);
    blocks->setContentsMargins(0, 0, 0, 0);
    blocks->setSpacing(12);
    auto *leftBlock = new QVBoxLayout;
    leftBlock->setSpacing(4);
    auto *leftGrid = new QGridLayout;
    auto *rightGrid = new QGridLayout;
    for (QGridLayout *grid : {leftGrid, rightGrid}) {
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(2);
    }
    for (int column = 0; column < 3; ++column) {
        QGridLayout *grid = column < 2 ? leftGrid : rightGrid;
        const int gridColumn = column < 2 ? column * 2 : 0;
        for (int row = 0; row < kListRows; ++row) {
            const char *control = kListColumns[column][row];
            if (!control)
                continue;
            QComboBox *list = buildList(control, m_lists);
            auto *caption = new QLabel(findSetting(QLatin1String(control))->caption, m_lists);
            caption->setBuddy(list);
            grid->addWidget(caption, row, gridColumn);
            grid->addWidget(list, row, gridColumn + 1);
        }
    }
    leftBlock->addLayout(leftGrid);
    leftBlock->addWidget(buildShiftFrame());
    leftBlock->addStretch(1);
    rightGrid->setRowStretch(kListRows, 1);
    blocks->addLayout(leftBlock);
    blocks->addLayout(rightGrid);
    blocks->addStretch(1);
    layout->addWidget(m_lists);
    layout->addStretch(1);

    refreshSettings();
    showModel(m_document.modelIndex());
    connect(&m_document, &CloneDocument::modelChanged, this, &SettingsPanel::showModel);
    connect(&m_document, &CloneDocument::settingsChanged, this, &SettingsPanel::refreshSettings);
    connect(&m_document, &CloneDocument::imageReplaced, this, &SettingsPanel::refreshSettings);
}

QWidget *SettingsPanel::buildTopRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    m_vfoGrid = new QTableView(row);
    m_vfoGrid->setObjectName(QStringLiteral("MSFlexGrid2"));
    m_vfoGrid->setModel(m_vfoModel);
    m_vfoGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_vfoGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_vfoGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_vfoGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_vfoGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_vfoGrid->setWordWrap(false);
    // Tab moves on to the next control instead of from cell to cell.
    m_vfoGrid->setTabKeyNavigation(false);
    m_vfoGrid->horizontalHeader()->setHighlightSections(false);
    m_vfoGrid->verticalHeader()->setHighlightSections(false);
    m_vfoGrid->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    layOutVfoGrid();
    m_vfoGrid->selectionModel()->setCurrentIndex(m_vfoModel->index(0, 0), QItemSelectionModel::NoUpdate);
    connect(m_vfoGrid, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (!m_busy && index.isValid())
            emit modifyVfoRequested(index.row());
    });
    // The grid takes the width the window has to spare.
    layout->addWidget(m_vfoGrid, 1, Qt::AlignTop);

    layout->addWidget(buildModelFrame(), 0, Qt::AlignTop);

    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    m_readSettingsButton = namedButton(QStringLiteral("cmbRxData1"), tr("Read Settings"), row);
    m_writeSettingsButton = namedButton(QStringLiteral("cmbTxData1"), tr("Write Settings"), row);
    connect(m_readSettingsButton, &QPushButton::clicked, this, &SettingsPanel::readSettingsRequested);
    connect(m_writeSettingsButton, &QPushButton::clicked, this, &SettingsPanel::writeSettingsRequested);
    buttons->addWidget(m_readSettingsButton);
    buttons->addWidget(m_writeSettingsButton);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return row;
}

void SettingsPanel::layOutVfoGrid()
{
    applyColumnWidths(m_vfoGrid, VfoTableModel::ColumnCount, m_shownColumns);
    m_vfoGrid->setFixedHeight(m_vfoGrid->horizontalHeader()->height() +
                              kVfoCount * m_vfoGrid->verticalHeader()->defaultSectionSize() +
                              2 * m_vfoGrid->frameWidth());
}

void SettingsPanel::setShownColumns(const QList<int> &columns)
{
    m_shownColumns = columns;
    layOutVfoGrid();
}

QWidget *SettingsPanel::buildModelFrame()
{
    auto *frame = new QGroupBox(tr("Model"), this);
    frame->setObjectName(QStringLiteral("Frame4"));
    m_modelFrame = frame;
    auto *layout = new QGridLayout(frame);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setVerticalSpacing(2);

    m_autoSelectButton = namedButton(QStringLiteral("cmdAuto"), tr("Auto Select"), frame);
    connect(m_autoSelectButton, &QPushButton::clicked, this, &SettingsPanel::autoSelectRequested);
    layout->addWidget(m_autoSelectButton, 0, 0, 1, 2, Qt::AlignLeft);

    m_modelOptions = new QButtonGroup(frame);
    m_modelOptions->setExclusive(true);
    for (int option = 0; option < kModelOptionCount; ++option) {
        auto *button = new QRadioButton(modelOptionCaption(option), frame);
        button->setObjectName(QStringLiteral("opbModel_%1").arg(option));
        m_modelOptions->addButton(button, option);
        layout->addWidget(button, 1 + option % 2, option / 2);
    }
    // Only a click by the user counts as a change of the data; identification and loading a
    // file select the option through the document.
    connect(m_modelOptions, &QButtonGroup::idClicked, &m_document, &CloneDocument::selectModel);
    return frame;
}

QWidget *SettingsPanel::buildShiftFrame()
{
    auto *frame = new QGroupBox(tr("IQ Shift(KHz)"), m_lists);
    frame->setObjectName(QStringLiteral("Frame2"));
    m_shiftFrame = frame;
    auto *layout = new QGridLayout(frame);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setHorizontalSpacing(3);
    layout->setVerticalSpacing(3);

    m_shiftSlider = new QSlider(Qt::Horizontal, frame);
    m_shiftSlider->setObjectName(QStringLiteral("Slider1"));
    m_shiftSlider->setRange(kIQShiftMin, kIQShiftMax);
    m_shiftSlider->setSingleStep(1);
    m_shiftSlider->setPageStep(100);
    connect(m_shiftSlider, &QSlider::sliderPressed, this, [this] { ++m_dragKey; });
    connect(m_shiftSlider, &QSlider::valueChanged, this, [this](int value) {
        m_lblIQShift->setText(iqShiftText(value));
        SettingsValues values = m_document.image().settings.values;
        values.Slider1 = value;
        // The positions a drag passes through are one step of the history.
        submitSettings(values, tr("IQ Shift %1").arg(iqShiftText(value)),
                       m_shiftSlider->isSliderDown() ? m_dragKey : 0);
    });

    auto *cmdMin = namedButton(QStringLiteral("cmdMin"), tr("Min"), frame);
    auto *cmdMax = namedButton(QStringLiteral("cmdMax"), tr("Max"), frame);
    connect(cmdMin, &QPushButton::clicked, this, [this] { setShift(kIQShiftMin); });
    connect(cmdMax, &QPushButton::clicked, this, [this] { setShift(kIQShiftMax); });
    auto *sliderRow = new QHBoxLayout;
    sliderRow->addWidget(cmdMin);
    sliderRow->addWidget(m_shiftSlider, 1);
    sliderRow->addWidget(cmdMax);
    layout->addLayout(sliderRow, 0, 0, 1, 7);

    // Upper row: -5.00 -0.50 -0.05 Reset +0.05 +0.50 +5.00; lower row: -1.00 -0.10 -0.01 caption
    // +0.01 +0.10 +1.00.
    const int upper[] = {5, 3, 1};
    const int lower[] = {4, 2, 0};
    const QString stepCaption[] = {"0.01", "0.05", "0.10", "0.50", "1.00", "5.00"};
    for (int i = 0; i < 3; ++i) {
        const int u = upper[i];
        const int l = lower[i];
        layout->addWidget(stepButton(QStringLiteral("cmdMN_%1").arg(u), "-" + stepCaption[u], -kIQSteps[u]),
                          1, i);
        layout->addWidget(stepButton(QStringLiteral("cmdMN_%1").arg(l), "-" + stepCaption[l], -kIQSteps[l]),
                          2, i);
        layout->addWidget(stepButton(QStringLiteral("cmdPL_%1").arg(u), "+" + stepCaption[u], kIQSteps[u]), 1,
                          6 - i);
        layout->addWidget(stepButton(QStringLiteral("cmdPL_%1").arg(l), "+" + stepCaption[l], kIQSteps[l]), 2,
                          6 - i);
    }
    auto *reset = namedButton(QStringLiteral("cmdIQReset"), tr("Reset"), frame);
    connect(reset, &QPushButton::clicked, this, [this] { setShift(0); });
    layout->addWidget(reset, 1, 3);

    m_lblIQShift = new QLabel(iqShiftText(0), frame);
    m_lblIQShift->setObjectName(QStringLiteral("lblIQShift"));
    m_lblIQShift->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_lblIQShift, 2, 3);
    return frame;
}

QPushButton *SettingsPanel::stepButton(const QString &name, const QString &caption, int delta)
{
    QPushButton *button = namedButton(name, caption, m_shiftFrame);
    button->setMinimumWidth(0);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("-0.00")) + 14);
    connect(button, &QPushButton::clicked, this, [this, delta] { setShift(m_shiftSlider->value() + delta); });
    return button;
}

void SettingsPanel::setShift(int value)
{
    m_shiftSlider->setValue(std::clamp(value, kIQShiftMin, kIQShiftMax));
}

QComboBox *SettingsPanel::buildList(const char *control, QWidget *parent)
{
    const SettingDescriptor *setting = findSetting(QLatin1String(control));
    Q_ASSERT(setting);
    auto *list = new QComboBox(parent);
    list->setObjectName(QLatin1String(control));
    list->addItems(setting->items);
    list->setMaxVisibleItems(12);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto member = setting->member;
    const QString caption = setting->caption;
    connect(list, &QComboBox::currentIndexChanged, this, [this, member, caption, list](int position) {
        if (position < 0)
            return;
        SettingsValues values = m_document.image().settings.values;
        values.*member = position;
        submitSettings(values, tr("%1: %2").arg(caption, list->itemText(position)));
    });
    m_allLists << list;
    return list;
}

QComboBox *SettingsPanel::list(const QString &control) const
{
    for (QComboBox *list : m_allLists) {
        if (list->objectName() == control)
            return list;
    }
    return nullptr;
}

int SettingsPanel::currentVfo() const
{
    const int row = m_vfoGrid->currentIndex().row();
    return row >= 0 && row < kVfoCount ? row : 0;
}

void SettingsPanel::selectFirstVfoRow()
{
    m_vfoGrid->setCurrentIndex(m_vfoModel->index(0, 0));
    m_vfoGrid->selectRow(0);
}

void SettingsPanel::setBusy(bool busy)
{
    m_busy = busy;
    for (QWidget *widget :
         {static_cast<QWidget *>(m_modelFrame), static_cast<QWidget *>(m_readSettingsButton),
          static_cast<QWidget *>(m_writeSettingsButton), m_lists})
        widget->setEnabled(!busy);
}

void SettingsPanel::submitSettings(const SettingsValues &values, const QString &text, int mergeKey)
{
    if (m_showing)
        return;
    ImageChange change;
    change.text = text;
    change.mergeKey = mergeKey;
    change.before.settings = m_document.image().settings;
    change.after.settings = change.before.settings;
    change.after.settings->values = values;
    m_document.submit(std::move(change));
}

void SettingsPanel::refreshSettings()
{
    const QScopedValueRollback showing(m_showing, true);
    const SettingsValues &values = m_document.image().settings.values;
    for (QComboBox *list : m_allLists) {
        // A transmit-side byte outside its list selects nothing; the byte itself stays in the values.
        list->setCurrentIndex(listPosition(*findSetting(list->objectName()), values));
    }
    m_shiftSlider->setValue(values.Slider1);
    m_lblIQShift->setText(iqShiftText(m_shiftSlider->value()));
}

void SettingsPanel::showModel(int modelIndex)
{
    if (QAbstractButton *button = m_modelOptions->button(modelIndex))
        button->setChecked(true);
}

} // namespace ktv4::ui
