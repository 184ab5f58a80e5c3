// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// dlgModify: edits one memory channel or one VFO. One instance serves the whole program; each
// opening fills every input the record uses, OK checks the frequency and hands the edited record
// to its caller, which applies it to the document; Cancel hands back nothing.

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

#include "model/Channel.h"

namespace ktv4 {
class CloneDocument;
} // namespace ktv4

namespace ktv4::ui {

class ModifyField;
class UserPrompts;

class ModifyDialog : public QDialog {
    Q_OBJECT
public:
    enum class EditSource { Vfo = 0, Channel = 1 }; // as the grids number them

    ModifyDialog(CloneDocument &document, UserPrompts &prompts, QWidget *parent = nullptr);
    ~ModifyDialog() override;

    // Fill the inputs for channel `channel` (0..603) or VFO `vfo` (0 = A, 1 = B) and show the
    // dialog modally; true when OK accepted the record (announced by channelAccepted / vfoAccepted).
    bool editChannel(int channel);
    bool editVfo(int vfo);

    // The filling alone, for showing the dialog some other way.
    void beginChannel(int channel);
    void beginVfo(int vfo);

    EditSource editSource() const { return m_editSource; }
    int editIndex() const { return m_editIndex; }

    // OKButton: checks the frequency, hands back the edited record and closes. False (and the
    // dialog stays, nothing handed back) when the frequency is outside the range.
    bool commit();

    // The frequency the three fields give, in Hz.
    qint64 frequency() const;
    // The split frequency; a split field that is empty or holds anything but digits counts as 0.
    qint64 splitFrequency() const;

signals:
    // OK accepted the edited record; the caller applies it to the document.
    void channelAccepted(int channel, const ktv4::Channel &edited);
    void vfoAccepted(int vfo, const ktv4::Vfo &edited);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setFrequencyFields(ModifyField *mhz, ModifyField *khz, ModifyField *hz, qint64 value);
    void setChannelItemsVisible(bool visible);
    void selectFields(const RadioFields &fields);
    void writeFields(RadioFields &fields, qint64 frequency) const;
    bool run();
    // A channel coming into use: the split fields show the frequency while the user leaves them.
    void splitFollowsFrequency();
    bool splitUntouched() const;

    CloneDocument &m_document;
    UserPrompts &m_prompts;
    EditSource m_editSource = EditSource::Channel;
    int m_editIndex = 0;

    // What a channel held when the dialog opened, for the fields too short to show all of it
    // (an 8-character name, a split frequency outside 0..99 999 999): left untouched, OK keeps it.
    QString m_nameAsOpened;
    QString m_nameShown;
    qint64 m_splitAsOpened = 0;
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
