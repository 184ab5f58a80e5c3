// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ModifyDialog.h"

#include "model/ChannelNaming.h"
#include "model/FieldText.h"
#include "model/RadioImage.h"
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

namespace ktv4::ui {

namespace {

constexpr qint64 kHighestFieldFrequency = 99'999'999;

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

qint64 fieldsValue(const ModifyField *mhz, const ModifyField *khz, const ModifyField *hz)
{
    return 1'000'000 * digitsValue(mhz->text()) + 1000 * digitsValue(khz->text()) + digitsValue(hz->text());
}

void setFrequencyFields(ModifyField *mhz, ModifyField *khz, ModifyField *hz, qint64 value)
{
    // Records hold any 32-bit value; the fields can show 0 to 99 999 999.
    const qint64 f = std::clamp<qint64>(value, 0, kHighestFieldFrequency);
    mhz->setText(QString::number(f / 1'000'000));
    khz->setText(QStringLiteral("%1").arg(f % 1'000'000 / 1000, 3, 10, QLatin1Char('0')));
    hz->setText(QStringLiteral("%1").arg(f % 1000, 3, 10, QLatin1Char('0')));
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

// Three fields, each followed by its unit: MHz "M", kHz "K", Hz "Hz".
void addUnitFields(QBoxLayout *row, std::initializer_list<ModifyField *> fields, QWidget *parent)
{
    const QString units[] = {ModifyDialog::tr("M"), ModifyDialog::tr("K"), ModifyDialog::tr("Hz")};
    int unit = 0;
    for (ModifyField *field : fields) {
        row->addWidget(field);
        row->addWidget(new QLabel(units[unit++], parent));
    }
    row->addStretch(1);
}

} // namespace

ModifyDialog::ModifyDialog(UserPrompts &prompts, QWidget *parent) : QDialog(parent), m_prompts(prompts)
{
    setObjectName(QStringLiteral("dlgModify"));
    setWindowTitle(tr("Modify "));
    setModal(true);
    createInputs();

    auto *captions = new QHBoxLayout;
    captions->addWidget(m_lblMode);
    captions->addSpacing(12);
    captions->addWidget(m_lblCH);
    captions->addStretch(1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(captions);
    layout->addLayout(frequencyRow());
    layout->addLayout(nameRow());
    layout->addWidget(splitGroup());
    layout->addLayout(listColumns());
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrders();
}

ModifyDialog::~ModifyDialog()
{
    // The fields go with the base class, and may still announce their text while they do.
    for (ModifyField *field : {m_txtFreq, m_txtFreq2, m_txtFreq3})
        disconnect(field, nullptr, this, nullptr);
}

void ModifyDialog::createInputs()
{
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

    m_lblName = new QLabel(tr("Name"), this);
    m_txtName = new ModifyField(Rule::Name, 7, this);
    m_txtName->setObjectName(QStringLiteral("txtName"));
    m_txtName->setFixedWidth(m_txtName->fontMetrics().horizontalAdvance(QStringLiteral("WWWWWWW")) + 12);
    m_chkSkip = new QCheckBox(tr("Skip"), this);
    m_chkSkip->setObjectName(QStringLiteral("chkSkip"));

    // Each list holds its field's words in the order of the values, so a value is its position.
    const QStringList offOn{onOffText(false), onOffText(true)};
    m_cmbMode = makeList(QStringLiteral("cmbMode"), fieldNames<Mode>(), this);
    m_cmbGain = makeList(QStringLiteral("cmbGain"), fieldNames<Gain>(), this);
    m_cmbAGC = makeList(QStringLiteral("cmbAGC"), fieldNames<Agc>(), this);
    m_cmbPower = makeList(QStringLiteral("cmbPower"), fieldNames<Power>(), this);
    m_cmbFilter = makeList(QStringLiteral("cmbFilter"), fieldNames<Filter>(), this);
    m_cmbNB = makeList(QStringLiteral("cmbNB"), offOn, this);
    m_cmbTone = makeList(QStringLiteral("cmbTone"), offOn, this);

    m_okButton = new QPushButton(tr("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_cancelButton->setAutoDefault(false);
    connect(m_okButton, &QPushButton::clicked, this, &ModifyDialog::acceptInRange);
    connect(m_cancelButton, &QPushButton::clicked, this, &ModifyDialog::reject);
}

QLayout *ModifyDialog::frequencyRow()
{
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("Frequency"), this));
    row->addSpacing(6);
    addUnitFields(row, {m_txtFreq, m_txtFreq2, m_txtFreq3}, this);
    return row;
}

QLayout *ModifyDialog::nameRow()
{
    auto *row = new QHBoxLayout;
    row->addWidget(m_lblName);
    row->addWidget(m_txtName);
    row->addSpacing(12);
    row->addWidget(m_chkSkip);
    row->addStretch(1);
    return row;
}

QWidget *ModifyDialog::splitGroup()
{
    auto *group = new QGroupBox(tr("Split Frequency"), this);
    group->setObjectName(QStringLiteral("fraSplit"));
    m_splitGroup = group;
    m_txtSP1 = makeField(QStringLiteral("txtSP1"), ModifyField::Rule::Free, 2, group);
    m_txtSP2 = makeField(QStringLiteral("txtSP2"), ModifyField::Rule::Free, 3, group);
    m_txtSP3 = makeField(QStringLiteral("txtSP3"), ModifyField::Rule::Free, 3, group);
    addUnitFields(new QHBoxLayout(group), {m_txtSP1, m_txtSP2, m_txtSP3}, group);
    // A channel coming into use transmits where it receives, until the user types a split.
    for (ModifyField *field : {m_txtFreq, m_txtFreq2, m_txtFreq3})
        connect(field, &QLineEdit::textChanged, this, &ModifyDialog::splitFollowsFrequency);
    return group;
}

QGridLayout *ModifyDialog::listColumns()
{
    // The lists in two columns: Mode, RF Gain, AGC | Power, Filter, Noise Blanker, Tone.
    auto *lists = new QGridLayout;
    const struct {
        int row, column;
        QString caption;
        QComboBox *box;
    } items[] = {
        {0, 0, tr("Mode"), m_cmbMode},     {1, 0, tr("RF Gain"), m_cmbGain},
        {2, 0, tr("AGC"), m_cmbAGC},       {0, 1, tr("Power"), m_cmbPower},
        {1, 1, tr("Filter"), m_cmbFilter}, {2, 1, tr("Noise Blanker"), m_cmbNB},
        {3, 1, tr("Tone"), m_cmbTone},
    };
    for (const auto &item : items) {
        auto *label = new QLabel(item.caption, this);
        label->setBuddy(item.box);
        lists->addWidget(label, item.row, item.column * 2);
        lists->addWidget(item.box, item.row, item.column * 2 + 1);
    }
    lists->setColumnMinimumWidth(2, 0);
    lists->setHorizontalSpacing(8);
    lists->setColumnStretch(1, 1);
    lists->setColumnStretch(3, 1);
    return lists;
}

void ModifyDialog::setTabOrders()
{
    const QList<QWidget *> order{m_txtFreq,   m_txtFreq2, m_txtFreq3, m_txtName,  m_chkSkip,     m_txtSP1,
                                 m_txtSP2,    m_txtSP3,   m_cmbMode,  m_cmbGain,  m_cmbAGC,      m_cmbPower,
                                 m_cmbFilter, m_cmbNB,    m_cmbTone,  m_okButton, m_cancelButton};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

std::optional<Channel> ModifyDialog::edit(const Channel &channel, int index, int modelIndex)
{
    fillChannel(channel, index, modelIndex);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return editedChannel();
}

std::optional<Vfo> ModifyDialog::edit(const Vfo &vfo, int index)
{
    fillVfo(vfo, index);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    Vfo edited = m_vfo;
    writeFields(edited);
    return edited;
}

void ModifyDialog::setChannelItemsVisible(bool visible)
{
    m_lblCH->setVisible(visible);
    m_lblName->setVisible(visible);
    m_txtName->setVisible(visible);
    m_chkSkip->setVisible(visible);
    m_splitGroup->setVisible(visible);
}

void ModifyDialog::selectFields(const RadioFields &fields)
{
    m_cmbMode->setCurrentIndex(int(fields.mode));
    m_cmbGain->setCurrentIndex(int(fields.gain));
    m_cmbAGC->setCurrentIndex(int(fields.agc));
    m_cmbPower->setCurrentIndex(int(fields.power));
    m_cmbFilter->setCurrentIndex(int(fields.filter));
    m_cmbNB->setCurrentIndex(fields.nb ? 1 : 0);
    m_cmbTone->setCurrentIndex(fields.tone ? 1 : 0);
}

void ModifyDialog::fillChannel(const Channel &channel, int index, int modelIndex)
{
    m_channel = channel;
    m_newChannel = false;
    setChannelItemsVisible(true);
    index = std::clamp(index, 0, kChannelCount - 1);
    m_lblMode->setText(bankCaption(index));
    m_lblCH->setText(channelCaption(index));
    if (!channel.inUse) {
        fillNewChannel(modelIndex);
        return;
    }
    setFrequencyFields(m_txtFreq, m_txtFreq2, m_txtFreq3, channel.frequency);
    selectFields(channel);
    m_chkSkip->setChecked(channel.skip);
    m_txtName->setText(channel.name);
    setFrequencyFields(m_txtSP1, m_txtSP2, m_txtSP3, channel.split);
    m_nameShown = m_txtName->text();
    m_splitShown = {m_txtSP1->text(), m_txtSP2->text(), m_txtSP3->text()};
}

void ModifyDialog::fillNewChannel(int modelIndex)
{
    // An empty channel proposes the new image's VFO: 7.050 MHz for the J model, 7.100 MHz
    // otherwise, LSB, AGC Slow; its split follows the frequency.
    const Vfo proposal = defaultVfo(modelIndex);
    m_newChannel = true;
    m_nameShown.clear();
    m_txtSP1->clear();
    m_txtSP2->clear();
    m_txtSP3->clear();
    m_splitShown = {QString(), QString(), QString()};
    setFrequencyFields(m_txtFreq, m_txtFreq2, m_txtFreq3, proposal.frequency);
    splitFollowsFrequency(); // also when the texts were already these
    m_txtName->clear();
    selectFields(proposal);
    m_chkSkip->setChecked(false);
}

void ModifyDialog::splitFollowsFrequency()
{
    if (!m_newChannel || !splitUntouched())
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

void ModifyDialog::fillVfo(const Vfo &vfo, int index)
{
    m_vfo = vfo;
    m_newChannel = false;
    setChannelItemsVisible(false);
    m_lblMode->setText(vfoLabel(std::clamp(index, 0, kVfoCount - 1)));
    setFrequencyFields(m_txtFreq, m_txtFreq2, m_txtFreq3, vfo.frequency);
    selectFields(vfo);
}

void ModifyDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_txtFreq->setFocus(Qt::OtherFocusReason);
    m_txtFreq->selectAll();
}

qint64 ModifyDialog::frequency() const
{
    return fieldsValue(m_txtFreq, m_txtFreq2, m_txtFreq3);
}

qint64 ModifyDialog::splitFrequency() const
{
    return fieldsValue(m_txtSP1, m_txtSP2, m_txtSP3);
}

void ModifyDialog::writeFields(RadioFields &fields) const
{
    fields.frequency = qint32(frequency());
    fields.mode = Mode(m_cmbMode->currentIndex());
    fields.gain = Gain(m_cmbGain->currentIndex());
    fields.agc = Agc(m_cmbAGC->currentIndex());
    fields.power = Power(m_cmbPower->currentIndex());
    fields.filter = Filter(m_cmbFilter->currentIndex());
    fields.nb = m_cmbNB->currentIndex() == 1;
    fields.tone = m_cmbTone->currentIndex() == 1;
}

void ModifyDialog::acceptInRange()
{
    // A refused OK gives nothing back; the inputs stay as they are.
    if (!isAcceptedFrequency(frequency())) {
        m_prompts.message(this, errorMessage(tr("The frequency is outside the range. \r\n")));
        return;
    }
    accept();
}

Channel ModifyDialog::editedChannel() const
{
    // An empty channel comes into use as a new one; the lists give every field.
    const qint32 f = qint32(frequency());
    Channel channel = m_channel.inUse ? m_channel : newChannel(f, Mode(m_cmbMode->currentIndex()));
    writeFields(channel);
    // A split the user did not touch stays as it was; a channel coming into use gets its own
    // frequency as its split.
    channel.split = splitUntouched() ? (m_newChannel ? f : m_channel.split) : qint32(splitFrequency());
    channel.skip = m_chkSkip->isChecked();
    const bool nameUntouched =
        m_channel.inUse && !m_channel.name.isEmpty() && m_txtName->text() == m_nameShown;
    channel.name = nameUntouched ? m_channel.name : m_txtName->text();
    return channel;
}

} // namespace ktv4::ui
