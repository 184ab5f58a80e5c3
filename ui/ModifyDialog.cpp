// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ModifyDialog.h"

#include "files/CloneDocument.h"
#include "model/ChannelNaming.h"
#include "ui/ModifyField.h"
#include "ui/UserPrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <climits>
#include <cmath>

namespace ktv4::ui {

namespace {

constexpr qint64 kHighestFieldFrequency = 99'999'999;
constexpr int kToneOnCode = 128;

// The code a cell holds as a whole number; -1 when it is no usable number.
int codeOf(double value)
{
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < INT_MIN || rounded > INT_MAX)
        return -1;
    return static_cast<int>(rounded);
}

// The list entry at the code's position. A code outside the list (a gain byte of 7 read from the
// radio) shows the entry with the grid's text for it; failing that, the cell's own text.
void selectCode(QComboBox *box, const Cell &cell, QString (*textOf)(int))
{
    const int code = codeOf(cell.value);
    int index = code >= 0 && code < box->count() ? code : -1;
    if (index < 0 && textOf && code >= 0)
        index = box->findText(textOf(code));
    if (index < 0)
        index = box->findText(cell.text);
    box->setCurrentIndex(std::max(index, 0));
}

qint64 digitsValue(const QString &text)
{
    if (text.isEmpty())
        return 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    }
    return text.toLongLong();
}

QComboBox *makeList(const QString &objectName, const QStringList &items, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(objectName);
    box->addItems(items);
    return box;
}

ModifyField *makeField(const QString &objectName, ModifyField::Rule rule, int maxChars, QWidget *parent)
{
    auto *field = new ModifyField(rule, maxChars, parent);
    field->setObjectName(objectName);
    const int digits = field->fontMetrics().horizontalAdvance(QStringLiteral("0")) * std::max(maxChars, 2);
    field->setFixedWidth(digits + 16);
    return field;
}

QLabel *makeLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    return label;
}

} // namespace

ModifyDialog::ModifyDialog(CloneDocument &document, UserPrompts &prompts, QWidget *parent)
    : QDialog(parent), m_document(document), m_prompts(prompts)
{
    setObjectName(QStringLiteral("dlgModify"));
    setWindowTitle(tr("Modify "));
    setModal(true);

    m_lblMode = new QLabel(this);
    m_lblMode->setObjectName(QStringLiteral("lblMode"));
    m_lblCH = new QLabel(this);
    m_lblCH->setObjectName(QStringLiteral("lblCH"));
    QFont captionFont = m_lblMode->font();
    captionFont.setBold(true);
    m_lblMode->setFont(captionFont);
    m_lblCH->setFont(captionFont);

    using Rule = ModifyField::Rule;
    m_txtFreq = makeField(QStringLiteral("txtFreq"), Rule::Digits, 2, this);
    m_txtFreq2 = makeField(QStringLiteral("txtFreq2"), Rule::Digits, 3, this);
    m_txtFreq3 = makeField(QStringLiteral("txtFreq3"), Rule::Digits, 3, this);
    m_txtFreq->setPadding(ModifyField::Padding::ZeroWhenEmpty);
    m_txtFreq2->setPadding(ModifyField::Padding::ThreeDigits);
    m_txtFreq3->setPadding(ModifyField::Padding::ThreeDigits);
    m_txtFreq->setMovesOn(true);
    m_txtFreq2->setMovesOn(true);
    connect(m_txtFreq, &ModifyField::filled, this, [this] { m_txtFreq2->setFocus(Qt::OtherFocusReason); });
    connect(m_txtFreq2, &ModifyField::filled, this, [this] { m_txtFreq3->setFocus(Qt::OtherFocusReason); });

    m_lblName = makeLabel(tr("Name"), this);
    m_txtName = new ModifyField(Rule::Name, 7, this);
    m_txtName->setObjectName(QStringLiteral("txtName"));
    m_txtName->setFixedWidth(m_txtName->fontMetrics().horizontalAdvance(QStringLiteral("WWWWWWW")) + 12);
    m_chkSkip = new QCheckBox(tr("Skip"), this);
    m_chkSkip->setObjectName(QStringLiteral("chkSkip"));

    auto *splitGroup = new QGroupBox(tr("Split Frequency"), this);
    splitGroup->setObjectName(QStringLiteral("fraSplit"));
    m_splitGroup = splitGroup;
    m_txtSP1 = makeField(QStringLiteral("txtSP1"), Rule::Free, 2, splitGroup);
    m_txtSP2 = makeField(QStringLiteral("txtSP2"), Rule::Free, 3, splitGroup);
    m_txtSP3 = makeField(QStringLiteral("txtSP3"), Rule::Free, 3, splitGroup);
    // A channel coming into use transmits where it receives, until the user types a split.
    for (ModifyField *field : {m_txtFreq, m_txtFreq2, m_txtFreq3})
        connect(field, &QLineEdit::textChanged, this, &ModifyDialog::splitFollowsFrequency);

    m_cmbMode = makeList(QStringLiteral("cmbMode"), modeNames(), this);
    m_cmbGain = makeList(QStringLiteral("cmbGain"), {"0", "-10", "-20", "+10"}, this);
    m_cmbAGC = makeList(QStringLiteral("cmbAGC"), {"Fast", "Slow"}, this);
    m_cmbPower = makeList(QStringLiteral("cmbPower"), {"High", "Low", "S-Low"}, this);
    m_cmbFilter = makeList(QStringLiteral("cmbFilter"), {"Wide", "Narrow"}, this);
    m_cmbNB = makeList(QStringLiteral("cmbNB"), {"Off", "On"}, this);
    m_cmbTone = makeList(QStringLiteral("cmbTone"), {"Off", "On"}, this);

    m_okButton = new QPushButton(tr("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_cancelButton->setAutoDefault(false);
    connect(m_okButton, &QPushButton::clicked, this, &ModifyDialog::commit);
    connect(m_cancelButton, &QPushButton::clicked, this, &ModifyDialog::reject);

    // Captions, then the frequency with its units.
    auto *captions = new QHBoxLayout;
    captions->addWidget(m_lblMode);
    captions->addSpacing(12);
    captions->addWidget(m_lblCH);
    captions->addStretch(1);

    auto *frequency = new QHBoxLayout;
    frequency->addWidget(makeLabel(tr("Frequency"), this));
    frequency->addSpacing(6);
    frequency->addWidget(m_txtFreq);
    frequency->addWidget(makeLabel(tr("M"), this));
    frequency->addWidget(m_txtFreq2);
    frequency->addWidget(makeLabel(tr("K"), this));
    frequency->addWidget(m_txtFreq3);
    frequency->addWidget(makeLabel(tr("Hz"), this));
    frequency->addStretch(1);

    auto *name = new QHBoxLayout;
    name->addWidget(m_lblName);
    name->addWidget(m_txtName);
    name->addSpacing(12);
    name->addWidget(m_chkSkip);
    name->addStretch(1);

    auto *split = new QHBoxLayout(splitGroup);
    split->addWidget(m_txtSP1);
    split->addWidget(makeLabel(tr("M"), splitGroup));
    split->addWidget(m_txtSP2);
    split->addWidget(makeLabel(tr("K"), splitGroup));
    split->addWidget(m_txtSP3);
    split->addWidget(makeLabel(tr("Hz"), splitGroup));
    split->addStretch(1);

    // The lists in two columns: Mode, RF Gain, AGC | Power, Filter, Noise Blanker, Tone.
    auto *lists = new QGridLayout;
    const auto addList = [&](int row, int column, const QString &caption, QComboBox *box) {
        auto *label = makeLabel(caption, this);
        label->setBuddy(box);
        lists->addWidget(label, row, column * 2);
        lists->addWidget(box, row, column * 2 + 1);
    };
    addList(0, 0, tr("Mode"), m_cmbMode);
    addList(1, 0, tr("RF Gain"), m_cmbGain);
    addList(2, 0, tr("AGC"), m_cmbAGC);
    addList(0, 1, tr("Power"), m_cmbPower);
    addList(1, 1, tr("Filter"), m_cmbFilter);
    addList(2, 1, tr("Noise Blanker"), m_cmbNB);
    addList(3, 1, tr("Tone"), m_cmbTone);
    lists->setColumnMinimumWidth(2, 0);
    lists->setHorizontalSpacing(8);
    lists->setColumnStretch(1, 1);
    lists->setColumnStretch(3, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(captions);
    layout->addLayout(frequency);
    layout->addLayout(name);
    layout->addWidget(splitGroup);
    layout->addLayout(lists);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_txtFreq, m_txtFreq2);
    setTabOrder(m_txtFreq2, m_txtFreq3);
    setTabOrder(m_txtFreq3, m_txtName);
    setTabOrder(m_txtName, m_chkSkip);
    setTabOrder(m_chkSkip, m_txtSP1);
    setTabOrder(m_txtSP1, m_txtSP2);
    setTabOrder(m_txtSP2, m_txtSP3);
    setTabOrder(m_txtSP3, m_cmbMode);
    setTabOrder(m_cmbMode, m_cmbGain);
    setTabOrder(m_cmbGain, m_cmbAGC);
    setTabOrder(m_cmbAGC, m_cmbPower);
    setTabOrder(m_cmbPower, m_cmbFilter);
    setTabOrder(m_cmbFilter, m_cmbNB);
    setTabOrder(m_cmbNB, m_cmbTone);
    setTabOrder(m_cmbTone, m_okButton);
    setTabOrder(m_okButton, m_cancelButton);
}

ModifyDialog::~ModifyDialog()
{
    // The fields go with the base class, and may still announce their text while they do.
    for (ModifyField *field : {m_txtFreq, m_txtFreq2, m_txtFreq3})
        disconnect(field, nullptr, this, nullptr);
}

void ModifyDialog::setFrequencyFields(ModifyField *mhz, ModifyField *khz, ModifyField *hz, double value)
{
    // Records hold any 32-bit value; the fields can show 0 to 99 999 999.
    const qint64 f = std::clamp<qint64>(std::max(codeOf(value), 0), 0, kHighestFieldFrequency);
    mhz->setText(QString::number(f / 1'000'000));
    khz->setText(QStringLiteral("%1").arg(f % 1'000'000 / 1000, 3, 10, QLatin1Char('0')));
    hz->setText(QStringLiteral("%1").arg(f % 1000, 3, 10, QLatin1Char('0')));
}

void ModifyDialog::setChannelItemsVisible(bool visible)
{
    m_lblCH->setVisible(visible);
    m_lblName->setVisible(visible);
    m_txtName->setVisible(visible);
    m_chkSkip->setVisible(visible);
    m_splitGroup->setVisible(visible);
}

void ModifyDialog::selectCodes(const Cell *cells)
{
    selectCode(m_cmbMode, cells[ColMode], nullptr);
    selectCode(m_cmbGain, cells[ColGain], &gainText);
    selectCode(m_cmbAGC, cells[ColAgc], &agcText);
    selectCode(m_cmbPower, cells[ColPwr], &powerText);
    selectCode(m_cmbFilter, cells[ColFilter], &filterText);
    selectCode(m_cmbNB, cells[ColNb], &nbText);
    m_cmbTone->setCurrentIndex(cells[ColTone].value > 127 ? 1 : 0);
}

void ModifyDialog::beginChannel(int channel)
{
    m_editSource = EditSource::Channel;
    m_editIndex = std::clamp(channel, 0, kChannelCount - 1);
    m_newChannel = false;
    setChannelItemsVisible(true);
    m_lblMode->setText(bankCaption(m_editIndex));
    m_lblCH->setText(channelCaption(m_editIndex));

    const ChannelRow &row = m_document.image().channels[m_editIndex];
    if (row.inUse) {
        const auto &cells = row.cells;
        setFrequencyFields(m_txtFreq, m_txtFreq2, m_txtFreq3, cells[ColFrequency].value);
        selectCodes(cells.data());
        m_chkSkip->setChecked(cells[ColSkip].value > 0);
        m_txtName->setText(cells[ColName].text);
        setFrequencyFields(m_txtSP1, m_txtSP2, m_txtSP3, cells[ColSplit].value);
        m_nameAsOpened = cells[ColName].text;
        m_nameShown = m_txtName->text();
        m_splitAsOpened = cells[ColSplit].value;
        m_splitShown = {m_txtSP1->text(), m_txtSP2->text(), m_txtSP3->text()};
        return;
    }
    m_nameAsOpened.clear();
    m_nameShown.clear();
    m_splitShown.clear();

    // An empty channel proposes 7.050 MHz for the J model, 7.100 MHz otherwise; its split follows
    // the frequency.
    const QString khz = m_document.modelIndex() == ModelJ ? QStringLiteral("050") : QStringLiteral("100");
    m_newChannel = true;
    m_txtSP1->clear();
    m_txtSP2->clear();
    m_txtSP3->clear();
    m_splitShown = {QString(), QString(), QString()};
    m_txtFreq->setText(QStringLiteral("7"));
    m_txtFreq2->setText(khz);
    m_txtFreq3->setText(QStringLiteral("000"));
    splitFollowsFrequency(); // also when the texts were already these
    m_txtName->clear();
    m_cmbMode->setCurrentIndex(1);   // LSB
    m_cmbGain->setCurrentIndex(0);   // 0
    m_cmbAGC->setCurrentIndex(1);    // Slow
    m_cmbPower->setCurrentIndex(0);  // High
    m_cmbFilter->setCurrentIndex(0); // Wide
    m_cmbTone->setCurrentIndex(0);   // Off
    m_cmbNB->setCurrentIndex(0);     // Off
    m_chkSkip->setChecked(false);
}

void ModifyDialog::splitFollowsFrequency()
{
    if (!m_newChannel || m_editSource != EditSource::Channel || !splitUntouched())
        return;
    m_txtSP1->setText(m_txtFreq->text());
    m_txtSP2->setText(m_txtFreq2->text());
    m_txtSP3->setText(m_txtFreq3->text());
    m_splitShown = {m_txtSP1->text(), m_txtSP2->text(), m_txtSP3->text()};
}

bool ModifyDialog::splitUntouched() const
{
    return m_splitShown == QStringList{m_txtSP1->text(), m_txtSP2->text(), m_txtSP3->text()};
}

void ModifyDialog::beginVfo(int vfo)
{
    m_editSource = EditSource::Vfo;
    m_newChannel = false;
    m_editIndex = std::clamp(vfo, 0, kVfoCount - 1);
    setChannelItemsVisible(false);
    m_lblMode->setText(vfoLabel(m_editIndex));
    const auto &cells = m_document.image().vfos[m_editIndex].cells;
    setFrequencyFields(m_txtFreq, m_txtFreq2, m_txtFreq3, cells[ColFrequency].value);
    selectCodes(cells.data());
}

bool ModifyDialog::editChannel(int channel)
{
    beginChannel(channel);
    return run();
}

bool ModifyDialog::editVfo(int vfo)
{
    beginVfo(vfo);
    return run();
}

bool ModifyDialog::run()
{
    return exec() == QDialog::Accepted;
}

void ModifyDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_txtFreq->setFocus(Qt::OtherFocusReason);
    m_txtFreq->selectAll();
}

qint64 ModifyDialog::frequency() const
{
    return 1'000'000 * digitsValue(m_txtFreq->text()) + 1000 * digitsValue(m_txtFreq2->text()) +
           digitsValue(m_txtFreq3->text());
}

qint64 ModifyDialog::splitFrequency() const
{
    return 1'000'000 * digitsValue(m_txtSP1->text()) + 1000 * digitsValue(m_txtSP2->text()) +
           digitsValue(m_txtSP3->text());
}

void ModifyDialog::writeCells(Cell *cells, qint64 f) const
{
    const int mode = m_cmbMode->currentIndex();
    const int gain = m_cmbGain->currentIndex();
    const int agc = m_cmbAGC->currentIndex();
    const int power = m_cmbPower->currentIndex();
    const int filter = m_cmbFilter->currentIndex();
    const int nb = m_cmbNB->currentIndex();
    const bool toneOn = m_cmbTone->currentIndex() == 1;
    cells[ColFrequency] = {static_cast<double>(f), frequencyText(static_cast<double>(f))};
    cells[ColMode] = {static_cast<double>(mode), modeNames().at(mode)};
    cells[ColGain] = {static_cast<double>(gain), gainText(gain)};
    cells[ColAgc] = {static_cast<double>(agc), agcText(agc)};
    cells[ColPwr] = {static_cast<double>(power), powerText(power)};
    cells[ColFilter] = {static_cast<double>(filter), filterText(filter)};
    cells[ColTone] = toneOn ? Cell{kToneOnCode, toneText(kToneOnCode)} : Cell{0, toneText(0)};
    cells[ColNb] = {static_cast<double>(nb), nbText(nb)};
}

bool ModifyDialog::commit()
{
    const qint64 f = frequency();
    // A refused OK writes nothing, so it is no change of the data either.
    if (!isAcceptedFrequency(f)) {
        m_prompts.message(this, errorMessage(tr("The frequency is outside the range. \r\n")));
        return false;
    }

    if (m_editSource == EditSource::Channel) {
        ChannelRow row = m_document.image().channels[m_editIndex];
        writeCells(row.cells.data(), f);
        // A split the user did not touch stays as it was; a channel coming into use gets its own
        // frequency as its split.
        double split = static_cast<double>(splitFrequency());
        if (splitUntouched())
            split = m_newChannel ? static_cast<double>(f) : m_splitAsOpened;
        row.cells[ColSplit] = {split, frequencyText(split)};
        row.cells[ColSkip] = m_chkSkip->isChecked() ? Cell{1, skipText(1)} : Cell{0, skipText(0)};
        const bool nameUntouched = !m_nameAsOpened.isEmpty() && m_txtName->text() == m_nameShown;
        row.cells[ColName].text = nameUntouched ? m_nameAsOpened : m_txtName->text();
        row.inUse = true;
        accept();
        emit channelAccepted(m_editIndex, row);
    } else {
        VfoRow row = m_document.image().vfos[m_editIndex];
        writeCells(row.cells.data(), f);
        accept();
        emit vfoAccepted(m_editIndex, row);
    }
    return true;
}

} // namespace ktv4::ui
