// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ModifyDialog.h"

#include "files/CloneDocument.h"
#include "model/ChannelNaming.h"
#include "model/FieldText.h"
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

void ModifyDialog::setFrequencyFields(ModifyField *mhz, ModifyField *khz, ModifyField *hz, qint64 value)
{
    // Records hold any 32-bit value; the fields can show 0 to 99 999 999.
    const qint64 f = std::clamp<qint64>(value, 0, kHighestFieldFrequency);
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

void ModifyDialog::beginChannel(int channel)
{
    m_editSource = EditSource::Channel;
    m_editIndex = std::clamp(channel, 0, kChannelCount - 1);
    m_newChannel = false;
    setChannelItemsVisible(true);
    m_lblMode->setText(bankCaption(m_editIndex));
    m_lblCH->setText(channelCaption(m_editIndex));

    const Channel &shown = m_document.image().channels[m_editIndex];
    if (shown.inUse) {
        setFrequencyFields(m_txtFreq, m_txtFreq2, m_txtFreq3, shown.frequency);
        selectFields(shown);
        m_chkSkip->setChecked(shown.skip);
        m_txtName->setText(shown.name);
        setFrequencyFields(m_txtSP1, m_txtSP2, m_txtSP3, shown.split);
        m_nameAsOpened = shown.name;
        m_nameShown = m_txtName->text();
        m_splitAsOpened = shown.split;
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
    const Vfo &shown = m_document.image().vfos[m_editIndex];
    setFrequencyFields(m_txtFreq, m_txtFreq2, m_txtFreq3, shown.frequency);
    selectFields(shown);
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

void ModifyDialog::writeFields(RadioFields &fields, qint64 frequency) const
{
    fields.frequency = qint32(frequency);
    fields.mode = Mode(m_cmbMode->currentIndex());
    fields.gain = Gain(m_cmbGain->currentIndex());
    fields.agc = Agc(m_cmbAGC->currentIndex());
    fields.power = Power(m_cmbPower->currentIndex());
    fields.filter = Filter(m_cmbFilter->currentIndex());
    fields.nb = m_cmbNB->currentIndex() == 1;
    fields.tone = m_cmbTone->currentIndex() == 1;
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
        // An empty channel comes into use as a new one; the lists give every field.
        const Channel &was = m_document.image().channels[m_editIndex];
        Channel channel = was.inUse ? was : newChannel(qint32(f), Mode(m_cmbMode->currentIndex()));
        writeFields(channel, f);
        // A split the user did not touch stays as it was; a channel coming into use gets its own
        // frequency as its split.
        qint64 split = splitFrequency();
        if (splitUntouched())
            split = m_newChannel ? f : m_splitAsOpened;
        channel.split = qint32(split);
        channel.skip = m_chkSkip->isChecked();
        const bool nameUntouched = !m_nameAsOpened.isEmpty() && m_txtName->text() == m_nameShown;
        channel.name = nameUntouched ? m_nameAsOpened : m_txtName->text();
        accept();
        emit channelAccepted(m_editIndex, channel);
    } else {
        Vfo vfo = m_document.image().vfos[m_editIndex];
        writeFields(vfo, f);
        accept();
        emit vfoAccepted(m_editIndex, vfo);
    }
    return true;
}

} // namespace ktv4::ui
