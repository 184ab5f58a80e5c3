// SPDX-License-Identifier: GPL-3.0-or-later
// The edit dialog, typed into key by key the way the user does: a channel or VFO goes in, and OK
// gives it back as edited.

#include "MemoryFixtures.h"
#include "support/WindowFixture.h"
#include "ui/ModifyDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

using namespace ktv4;
using namespace ktv4::ui;
using ktv4::test::ScriptedPrompts;
using ktv4::test::usedChannel;

class ModifyDialogTest : public QObject {
    Q_OBJECT

private:
    QLineEdit *field(const char *name) { return m_dialog->findChild<QLineEdit *>(QLatin1String(name)); }
    QComboBox *list(const char *name) { return m_dialog->findChild<QComboBox *>(QLatin1String(name)); }
    QLabel *label(const char *name) { return m_dialog->findChild<QLabel *>(QLatin1String(name)); }
    // The texts of fields and lists, by name.
    QStringList texts(std::initializer_list<const char *> names)
    {
        QStringList shown;
        for (const char *name : names)
            shown << (field(name)   ? field(name)->text()
                      : label(name) ? label(name)->text()
                                    : list(name)->currentText());
        return shown;
    }
    QCheckBox *skipBox() { return m_dialog->findChild<QCheckBox *>(QStringLiteral("chkSkip")); }
    void clickOk() { QTest::mouseClick(m_dialog->findChild<QPushButton *>("OKButton"), Qt::LeftButton); }
    void clickCancel()
    {
        QTest::mouseClick(m_dialog->findChild<QPushButton *>("CancelButton"), Qt::LeftButton);
    }
    void setFrequency(const QString &mhz, const QString &khz, const QString &hz)
    {
        field("txtFreq")->setText(mhz);
        field("txtFreq2")->setText(khz);
        field("txtFreq3")->setText(hz);
    }
    // Once the dialog shows: `actions`, then Cancel when they left it open.
    void whenShown(const std::function<void()> &actions)
    {
        QTimer::singleShot(0, m_dialog.get(), [this, actions] {
            if (QTest::qWaitForWindowActive(m_dialog.get()))
                actions();
            if (m_dialog->isVisible())
                clickCancel();
        });
    }
    // The dialog on channel `index` holding `channel`, as the grid opens it.
    std::optional<Channel> edit(const Channel &channel, int index, const std::function<void()> &actions,
                                int model = ModelE)
    {
        whenShown(actions);
        return m_dialog->edit(channel, index, model);
    }

    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<ModifyDialog> m_dialog;
private slots:

    void init()
    {
        m_prompts = std::make_unique<ScriptedPrompts>();
        m_dialog = std::make_unique<ModifyDialog>(*m_prompts);
    }

    void cleanup()
    {
        m_dialog.reset();
        m_prompts.reset();
    }

    void emptyChannelDefaults_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("khz");
        QTest::addColumn<int>("typed"); // a frequency the user types, 0: none
        QTest::newRow("KT-V4J") << int(ModelJ) << "050" << 0;
        QTest::newRow("PN-31/32") << int(ModelPN) << "100" << 0;
        // The split follows the frequency: the channel transmits where it receives.
        QTest::newRow("14.200.000 typed") << int(ModelE) << "100" << 14'200'000;
    }

    void emptyChannelDefaults()
    {
        QFETCH(int, model);
        QFETCH(QString, khz);
        QFETCH(int, typed);
        const auto edited = edit(
            Channel{}, 12,
            [&] {
                QCOMPARE(texts({"txtFreq", "txtFreq2", "txtFreq3", "txtSP1", "txtSP2", "txtSP3", "txtName"}),
                         QStringList({"7", khz, "000", "7", khz, "000", ""}));
                QCOMPARE(texts({"cmbMode", "cmbGain", "cmbAGC", "cmbPower", "cmbFilter", "cmbTone", "cmbNB"}),
                         QStringList({"LSB", "0", "Slow", "High", "Wide", "Off", "Off"}));
                QVERIFY(!skipBox()->isChecked());
                // The MHz field has the focus with its text selected.
                QCOMPARE(QApplication::focusWidget(), field("txtFreq"));
                QCOMPARE(field("txtFreq")->selectedText(), QStringLiteral("7"));
                if (typed) {
                    setFrequency("14", "200", "000");
                    QCOMPARE(texts({"txtSP1", "txtSP2", "txtSP3"}), QStringList({"14", "200", "000"}));
                }
                clickOk();
            },
            model);
        QVERIFY(!m_dialog->isVisible());
        const int hz = typed ? typed : model == ModelJ ? 7'050'000 : 7'100'000;
        QCOMPARE(edited, usedChannel(hz, QString()));
    }

    void outOfListCodesShowTheGridsMeaning()
    {
        // A record as the radio may hold it: gain 7, power 9, AGC 2, tone 0x85, NB 3, a byte no
        // field covers.
        const RecordBytes record = parseRecordText(u"800107020900018500030000005A0000"
                                                   u"10936B003A3B543100000000"
                                                   u"10936B00");
        const auto untouched = edit(*decodeChannel(record), 5, [&] {
            QCOMPARE(texts({"cmbGain", "cmbPower", "cmbAGC", "cmbNB", "cmbTone", "cmbFilter", "txtName"}),
                     QStringList({"+10", "S-Low", "Slow", "On", "On", "Narrow", "AB 1"}));
            clickOk();
        });
        // OK without an edit leaves the record as it came; a field the user sets is written the
        // radio's way, the others stay.
        QVERIFY(untouched);
        QCOMPARE(encodeChannel(*untouched), record);
        const auto edited = edit(*untouched, 5, [&] {
            list("cmbPower")->setCurrentIndex(0);
            clickOk();
        });
        QVERIFY(edited);
        QCOMPARE(recordText(encodeChannel(*edited)),
                 QStringLiteral("800107020000018500030000005A000010936B003A3B54310000000010936B00"));
    }

    void fieldRules_data()
    {
        QTest::addColumn<QString>("how"); // typed, typed and left (Tab to the name), or pasted
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        const struct {
            const char *how, *row, *name, *input, *expected;
        } table[] = {

            {"keys", "kHz mixed", "txtFreq2", "1x.2", "12"},
            {"keys", "Hz at most 3", "txtFreq3", "1234", "123"},
            {"keys", "name a b 1", "txtName", "ab1", "AB1"},
            {"keys", "name punctuation of the name code", "txtName", " *#+-/\\", " *#+-/\\"},

            {"keys", "name no other characters", "txtName", "%&'\"@[]^`{|}~,;:<>?", ""},
            {"keys", "name at most 7", "txtName", "abcdefghij", "ABCDEFG"},
            {"leave", "kHz 5", "txtFreq2", "5", "005"},

            {"leave", "kHz empty", "txtFreq2", "", "000"},
            {"leave", "MHz empty", "txtFreq", "", "0"},
            {"leave", "MHz 3 stays", "txtFreq", "3", "3"},
            {"leave", "split not padded", "txtSP2", "5", "5"},
            {"paste", "name, cut after 7 kept characters", "txtName", "a.b.c.d.e.f.g.h", "ABCDEFG"},
            {"paste", "name, line break", "txtName", "AB\nCD", "ABCD"},
            {"paste", "kHz", "txtFreq2", "1a2b3", "123"},
            {"paste", "Hz, nothing usable", "txtFreq3", "abc", ""},
            {"paste", "split, anything", "txtSP2", "1a", "1a"},
        };
        for (const auto &r : table)
            QTest::addRow("%s: %s", r.how, r.row) << r.how << r.name << r.input << r.expected;
    }

    void fieldRules()
    {
        QFETCH(QString, how);
        QFETCH(QString, name);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        // Cancel gives nothing back, whatever was typed.
        QVERIFY(!edit(Channel{}, 0, [&] { typeInto(how, name, input, expected); }));
    }

    void typingMovesOnWhenTheFieldIsFull()
    {
        edit(Channel{}, 0, [&] {
            QLineEdit *mhz = field("txtFreq");
            QLineEdit *khz = field("txtFreq2");
            QLineEdit *hz = field("txtFreq3");
            QTest::keyClicks(mhz, QStringLiteral("1")); // "7" selected: replaced, the field not full yet
            QCOMPARE(QApplication::focusWidget(), mhz);
            QTest::keyClicks(mhz, QStringLiteral("4"));
            QCOMPARE(QApplication::focusWidget(), khz);
            QCOMPARE(khz->selectedText(), khz->text()); // entering selects the whole text
            QTest::keyClicks(khz, QStringLiteral("200"));
            QCOMPARE(QApplication::focusWidget(), hz);
            QTest::keyClicks(hz, QStringLiteral("555")); // the Hz field does not move on
            QCOMPARE(QApplication::focusWidget(), hz);
            QCOMPARE(mhz->text() + khz->text() + hz->text(), QStringLiteral("14200555"));

            // A refused key or Backspace does not move on.
            mhz->setFocus();
            mhz->setText(QStringLiteral("1"));
            mhz->end(false);
            QTest::keyClick(mhz, Qt::Key_A);
            QTest::keyClick(mhz, Qt::Key_Backspace);
            QCOMPARE(QApplication::focusWidget(), mhz);
            QCOMPARE(mhz->text(), QString());
        });
    }

    void rangeLimits_data()
    {
        QTest::addColumn<QString>("mhz");
        QTest::addColumn<QString>("khz");
        QTest::addColumn<QString>("hz");
        QTest::addColumn<bool>("accepted");
        const struct {
            const char *row, *mhz, *khz, *hz;
            bool accepted;
        } table[] = {
            {"7.050.000", "7", "050", "000", true},    {"lowest 30 000", "0", "030", "000", true},
            {"29 999", "0", "029", "999", false},      {"highest 34 999 999", "34", "999", "999", true},
            {"35 000 000", "35", "000", "000", false}, {"all empty", "", "", "", false},
        };
        for (const auto &r : table)
            QTest::newRow(r.row) << r.mhz << r.khz << r.hz << r.accepted;
    }

    void rangeLimits()
    {
        QFETCH(QString, mhz);
        QFETCH(QString, khz);
        QFETCH(QString, hz);
        QFETCH(bool, accepted);
        const auto edited = edit(usedChannel(7'050'000, QStringLiteral("OLD")), 8, [&] {
            setFrequency(mhz, khz, hz);
            m_dialog->findChild<QPushButton *>("OKButton")->setFocus(); // leaving the fields pads them
            clickOk();
            if (accepted)
                return;
            // A refused OK keeps the dialog open with the inputs as they were; the user corrects.
            fixture::expectError(*m_prompts, QStringLiteral("The frequency is outside the range. \r\n"));
            QVERIFY(m_dialog->isVisible());
            QCOMPARE(field("txtFreq2")->text(), khz);
            setFrequency("18", "100", "000");
            clickOk();
        });
        QVERIFY(edited);
        QCOMPARE(m_prompts->messages.size(), accepted ? 0 : 1);
        QCOMPARE(edited->frequency,
                 accepted ? mhz.toInt() * 1'000'000 + khz.toInt() * 1000 + hz.toInt() : 18'100'000);
    }

    void okGivesTheWholeChannel()
    {
        const auto edited = edit(Channel{}, 400, [&] {
            QCOMPARE(texts({"lblMode", "lblCH"}), QStringList({"Memory A", "P1"}));
            setFrequency("21", "074", "500");
            field("txtSP1")->setText("28");
            field("txtSP2")->setText("500");
            field("txtSP3")->setText("010");
            field("txtName")->setFocus();
            field("txtName")->clear();
            QTest::keyClicks(field("txtName"), QStringLiteral("ft8 dx"));
            skipBox()->setChecked(true);
            for (const auto &[name, item] : {std::pair{"cmbMode", 0},
                                             {"cmbGain", 3},
                                             {"cmbAGC", 0},
                                             {"cmbPower", 2},
                                             {"cmbFilter", 1},
                                             {"cmbNB", 1},
                                             {"cmbTone", 1}})
                list(name)->setCurrentIndex(item);
            clickOk();
        });
        QVERIFY(edited && edited->inUse);
        QStringList shown;
        for (int column = 0; column < kChannelColumns; ++column)
            shown << channelFieldText(*edited, ChannelColumn(column));
        QCOMPARE(shown, QStringList({"21.074.500", "USB", "+10", "Fast", "S-Low", "Narrow", "On", "On",
                                     "28.500.010", "FT8 DX", "Skip"}));
        // What the radio gets: in use and skipped, the codes, tone 0x80.
        QVERIFY(recordText(encodeChannel(*edited)).startsWith(QStringLiteral("880003000200018000")));
    }

    // Letters, a sign or a blank make a split field count as zero; the others still count.
    void splitFieldsThatAreNotNumbersCountAsZero()
    {
        const struct {
            const char *sp1, *sp2, *sp3;
            int split;
        } rows[] = {{"", "", "", 0}, {"ab", "100", "000", 100'000}, {"7", "-5", "001", 7'000'001}};
        for (const auto &r : rows) {
            const auto edited = edit(Channel{}, 3, [&] {
                field("txtSP1")->setText(r.sp1);
                field("txtSP2")->setText(r.sp2);
                field("txtSP3")->setText(r.sp3);
                clickOk();
            });
            QVERIFY(edited);
            QCOMPARE(edited->split, r.split);
        }
    }

    void valuesTooLongForTheirFieldsSurviveAnUntouchedOk()
    {
        // The radio stores 8 name characters and any 32-bit split; the fields hold 7 and 8 digits.
        Channel c = usedChannel(7'050'000, QStringLiteral("ABCDEFGH"));
        c.split = 123'456'789;
        const auto untouched = edit(c, 20, [&] {
            QCOMPARE(field("txtName")->text(), QStringLiteral("ABCDEFG"));
            list("cmbMode")->setCurrentIndex(0); // an unrelated change
            clickOk();
        });
        QVERIFY(untouched);
        QCOMPARE(untouched->name, QStringLiteral("ABCDEFGH"));
        QCOMPARE(untouched->split, c.split);
        QCOMPARE(untouched->mode, Mode::USB);

        // Edited fields are taken as they stand.
        const auto edited = edit(c, 21, [&] {
            field("txtName")->setText(QStringLiteral("XYZ"));
            field("txtSP1")->setText(QStringLiteral("14"));
            clickOk();
        });
        QVERIFY(edited);
        QCOMPARE(edited->name, QStringLiteral("XYZ"));
        QCOMPARE(edited->split, 14'999'999);
    }

    void vfoEdit()
    {
        const Vfo vfo = *decodeVfo(parseRecordText(u"80010001000000850000000000000000C0ACD800"));
        whenShown([&] {
            QVERIFY(!label("lblCH")->isVisible() && !field("txtName")->isVisible());
            QVERIFY(!field("txtSP1")->isVisible() && !skipBox()->isVisible());
            QCOMPARE(texts({"lblMode", "txtFreq", "txtFreq2", "txtFreq3", "cmbTone"}),
                     QStringList({"VFO B", "14", "200", "000", "On"}));
            QTest::keyClicks(field("txtFreq"), QStringLiteral("3"));
            list("cmbMode")->setCurrentIndex(5);
            clickOk();
        });
        const std::optional<Vfo> edited = m_dialog->edit(vfo, 1);
        // The fields set are written, the tone left as it was.
        QVERIFY(edited);
        QCOMPARE(recordText(encodeVfo(*edited)),
                 QStringLiteral("8005000100000085000000000000000000D43000") + QString(24, QLatin1Char('0')));

        // A channel opened after the VFO shows its own items again, and nothing of an earlier edit.
        edit(usedChannel(3'500'000, QStringLiteral("CW"), Mode::AM, true), 9, [&] {
            setFrequency("10", "100", "000");
            field("txtName")->setText(QStringLiteral("XYZ"));
        });
        edit(Channel{}, 2, [&] {
            QCOMPARE(texts({"txtName", "cmbMode"}), QStringList({"", "LSB"}));
            QVERIFY(!skipBox()->isChecked() && label("lblCH")->isVisible());
        });
    }

private:
    // One row of fieldRules, in the open dialog.
    void typeInto(const QString &how, const QString &name, const QString &input, const QString &expected)
    {
        QLineEdit *edit = field(name.toLatin1().constData());
        edit->setFocus(Qt::TabFocusReason);
        if (how == QLatin1String("leave")) {
            // Entering selects the whole text; leaving pads the kHz and Hz fields.
            QCOMPARE(edit->selectedText(), edit->text());
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, input);
            field("txtName")->setFocus(Qt::TabFocusReason);
            QCOMPARE(edit->text(), expected);
            return;
        }
        edit->clear();
        if (how == QLatin1String("paste")) {
            QGuiApplication::clipboard()->setText(input);
            QTest::keySequence(edit, QKeySequence::Paste);
            QCOMPARE(edit->text(), expected);
            // Text set by any other way is held to the same rule.
            edit->setText(input);
            for (const QChar c : edit->text())
                QVERIFY(name.startsWith(QLatin1String("txtSP")) ||
                        (name == QLatin1String("txtName") ? isNameCodeChar(c) : c.isDigit()));
            return;
        }
        QTest::keyClicks(edit, input);
        QCOMPARE(edit->text(), expected);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), expected.left(expected.size() - 1));
    }
};

QTEST_MAIN(ModifyDialogTest)
#include "tst_modifydialog.moc"
