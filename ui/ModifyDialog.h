// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The edit dialog: one memory channel or one VFO as separate inputs. A value goes in; OK checks
// the frequency and gives the value as edited back, Cancel gives nothing. The dialog holds no
// data of its own: its caller applies what it gives. One instance serves the whole program, and
// each opening fills every input the record uses.

#include "model/Channel.h"

#include <QDialog>
#include <QStringList>
#include <optional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLayout;
class QPushButton;
class QWidget;

namespace ktv4::ui {

class ModifyField;
class UserPrompts;

class ModifyDialog : public QDialog {
    Q_OBJECT
public:
    explicit ModifyDialog(UserPrompts &prompts, QWidget *parent = nullptr);
    ~ModifyDialog() override;

    // Channel number `index` (0..603), shown modally: the channel as edited when OK accepted it,
    // nothing on Cancel. An empty channel opens with what a new one is given: 7.050 MHz on the J
    // model option, 7.100 MHz on the others, LSB, AGC Slow, its split following the frequency.
    std::optional<Channel> edit(const Channel &channel, int index, int modelIndex);
    // VFO `index` (0 = A, 1 = B), the same way.
    std::optional<Vfo> edit(const Vfo &vfo, int index);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createInputs();
    QLayout *frequencyRow();
    QLayout *nameRow();
    QWidget *splitGroup();
    QGridLayout *listColumns();
    void setTabOrders();

    void fillChannel(const Channel &channel, int index, int modelIndex);
    void fillNewChannel(int modelIndex);
    void fillVfo(const Vfo &vfo, int index);
    void setChannelItemsVisible(bool visible);
    void selectFields(const RadioFields &fields);
    // OKButton: the dialog closes with OK only when the frequency is inside the range.
    void acceptInRange();
    Channel editedChannel() const;
    void writeFields(RadioFields &fields) const;
    // The frequency the three fields give, in Hz.
    qint64 frequency() const;
    // The split frequency; a split field that is empty or holds anything but digits counts as 0.
    qint64 splitFrequency() const;
    // A channel coming into use: the split fields show the frequency while the user leaves them.
    void splitFollowsFrequency();
    bool splitUntouched() const;

    UserPrompts &m_prompts;

    // The record as it came in: what OK changes it from.
    Channel m_channel;
    Vfo m_vfo;
    // What a channel held when the dialog opened, for the fields too short to show all of it
    // (an 8-character name, a split frequency outside 0..99 999 999): left untouched, OK keeps it.
    QString m_nameShown;
    QStringList m_splitShown;
    bool m_newChannel = false; // the channel was empty when the dialog opened

    QLabel *m_lblMode;
    QLabel *m_lblCH;
    ModifyField *m_txtFreq;
    ModifyField *m_txtFreq2;
    ModifyField *m_txtFreq3;
    QLabel *m_lblName;
    ModifyField *m_txtName;
    QCheckBox *m_chkSkip;
    QWidget *m_splitGroup;
    ModifyField *m_txtSP1;
    ModifyField *m_txtSP2;
    ModifyField *m_txtSP3;
    QComboBox *m_cmbMode;
    QComboBox *m_cmbGain;
    QComboBox *m_cmbAGC;
    QComboBox *m_cmbPower;
    QComboBox *m_cmbFilter;
    QComboBox *m_cmbNB;
    QComboBox *m_cmbTone;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
};

} // namespace ktv4::ui
