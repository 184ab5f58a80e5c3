// SPDX-License-Identifier: GPL-3.0-or-later
// The Memory tab's editing as the user drives it in the window: selections, the keyboard, the
// clipboard, dragging rows; and undo as a property: random sequences of commands on a full image,
// undoing them all gives back the start, redoing them all the end, every step in between as it was.

#include "files/ChannelArrange.h"
#include "files/ChannelEdits.h"
#include "files/CloneDocument.h"
#include "memory/MemoryFixtures.h"
#include "model/Bands.h"
#include "model/ChannelOrder.h"
#include "model/FieldText.h"
#include "support/WindowFixture.h"
#include "ui/ArrangeCommands.h"
#include "ui/ArrangeDialog.h"
#include "ui/ChannelSortProxy.h"
#include "ui/ModifyDialog.h"
#include "ui/UndoHistory.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <functional>
#include <vector>

using namespace fixture;
using ktv4::test::markedChannel;

Q_DECLARE_METATYPE(QList<int>)

using namespace ktv4;

namespace {

struct Editing : Window {
    Editing()
    {
        // Every channel in use, as just opened: nothing to take back, nothing to save.
        QList<Channel> all;
        for (int i = 0; i < kChannelCount; ++i)
            all << markedChannel(i);
        test::setChannels(document(), 0, all);
        window->history()->restart();
        document().setDataChanged(false);
        window->showTab(MainWindow::MemoryTab);
    }
    MemoryPanel *panel() const { return window->memoryPanel(); }
    QTableView *grid() const { return panel()->grid(); }
    void select(const QList<int> &channels) const
    {
        grid()->clearSelection();
        const auto row = [this](int channel) {
            return grid()->model()->index(panel()->sortProxy()->rowOf(channel), 0);
        };
        grid()->setCurrentIndex(row(channels.first()));
        for (int channel : channels)
            grid()->selectionModel()->select(row(channel),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QString status() const { return find<QLabel>(QStringLiteral("sbStatusBar_Text"))->text(); }
    QString copied(const QList<int> &channels) const
    {
        select(channels);
        action(QStringLiteral("mnuEditCopy"))->trigger();
        return QApplication::clipboard()->text();
    }
};

// The table after removing `removed` from the first bank, or inserting `count` empty rows at `at`.
ChannelTable expectedAfter(const ChannelTable &before, const QString &command, const QList<int> &selection)
{
    ChannelTable after = before;
    QList<Channel> bank(before.begin(), before.begin() + 200);
    QList<int> inBank = selection;
    inBank.removeIf([](int c) { return c >= 200; });
    if (command == QLatin1String("cmbClAll"))
        return ChannelTable{};
    if (command == QLatin1String("cmbClear")) {
        for (int c : selection)
            after[c] = Channel{};
        return after;
    }
    if (inBank.isEmpty())
        return after;
    if (command == QLatin1String("cmbDelete")) {
        for (auto it = inBank.crbegin(); it != inBank.crend(); ++it)
            bank.removeAt(*it);
        bank.resize(200);
    } else {
        bank.insert(inBank.first(), inBank.size(), Channel{});
        bank.resize(200);
    }
    std::copy(bank.cbegin(), bank.cend(), after.begin());
    return after;
}

struct State {
    RadioImage image;
    int model;
    bool operator==(const State &) const = default;
};

QList<int> someChannels(QRandomGenerator &random, int first, int last)
{
    QList<int> channels;
    const int count = random.bounded(1, 8);
    for (int i = 0; i < count; ++i)
        channels << random.bounded(first, last + 1);
    return channels;
}

// A record as the radio or an old file may hold it: in use or not (an empty one with leftover
// bytes), any mode, odd bytes where no field reads, a frequency in a band or between them.
Channel randomChannel(QRandomGenerator &random)
{
    RecordBytes bytes{};
    for (auto &b : bytes)
        b = quint8(random.bounded(256));
    const quint8 status[] = {0x80, 0x88, 0x00, 0xFF};
    bytes[0] = status[random.bounded(4)];
    bytes[1] = quint8(random.bounded(kModeCount));
    const qint32 picks[] = {7'100'000, 7'100'000, 9'500'000, 14'200'000, 8'000'000, 3'950'000};
    writeInt32(bytes, 16, random.bounded(3) ? picks[random.bounded(6)] : random.bounded(30'000, 35'000'000));
    return *decodeChannel(bytes);
}

// The records of `range`, as a sorted list: what arranging may not change.
QList<QByteArray> recordSet(const ChannelTable &channels, const QList<int> &range)
{
    QList<QByteArray> records;
    for (int c : range)
        records << recordHex(encodeChannel(channels[c]));
    std::sort(records.begin(), records.end());
    return records;
}

} // namespace

class ChannelEditingTest : public QObject {
    Q_OBJECT
private slots:

    void selectionCommands_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("selection");
        QTest::addColumn<bool>("ok");          // the answer to the confirmation
        QTest::addColumn<QString>("question"); // the confirmation's second line; "" = none asked
        QTest::addColumn<QString>("undo");     // Edit > Undo's caption afterwards; "" = nothing done
        const QString doDelete = QStringLiteral("Are you sure that you want to do the delete?");
        const QString doClear = QStringLiteral("Are you sure that you want to do the clear?");
        const QString all = QStringLiteral("Are you sure that you want to clear all memory?");
        const QString these = QStringLiteral("Are you sure that you want to %1 these %2 channels?");
        const struct {
            const char *row, *button;
            QList<int> selection;
            bool ok;
            QString question;
            const char *undo;
        } rows[] = {
            // clang-format off
            {"clear three", "cmbClear", {3, 4, 250}, true, these.arg("clear").arg(3), "Undo Clear 3 channels(&U)"},
            {"clear B-P2", "cmbClear", {603}, true, doClear, "Undo Clear channel B-P2(&U)"},
            {"Clear All", "cmbClAll", {450}, true, all, "Undo Clear All(&U)"},
            {"Clear All, Cancel", "cmbClAll", {450}, false, all, ""},
            {"delete two apart", "cmbDelete", {5, 9}, true, these.arg("delete").arg(2), "Undo Delete 2 channels(&U)"},
            {"delete row 1", "cmbDelete", {0}, true, doDelete, "Undo Delete channel 0(&U)"},
            {"delete row 200", "cmbDelete", {199}, true, doDelete, "Undo Delete channel 199(&U)"},
            {"delete in bank A", "cmbDelete", {210, 211}, true, "", ""},
            {"delete on B-P1", "cmbDelete", {602}, true, "", ""},
            {"insert two", "cmbInsert", {7, 8}, true, "", "Undo Insert 2 channels(&U)"},
            {"insert row 1", "cmbInsert", {0}, true, "", "Undo Insert channel 0(&U)"},
            {"insert row 200", "cmbInsert", {199}, true, "", "Undo Insert channel 199(&U)"},
            {"insert in bank B", "cmbInsert", {450}, true, "", ""},
            {"insert on B-P2", "cmbInsert", {603}, true, "", ""},
            // clang-format on
        };
        for (const auto &r : rows)
            QTest::newRow(r.row) << r.button << r.selection << r.ok << r.question << r.undo;
    }

    // Insert and Delete move the rest of the first bank (the last rows drop off, empty rows come in
    // at its end); Clear empties the rows, Clear All every row; banks A and B keep their places.
    // Each changed row shows its new content at once; Undo brings the table back.
    void selectionCommands()
    {
        QFETCH(QString, button);
        QFETCH(QList<int>, selection);
        QFETCH(bool, ok);
        QFETCH(QString, question);
        QFETCH(QString, undo);
        Editing w;
        QVERIFY(w.show());
        const ChannelTable before = w.document().image().channels;
        w.select(selection);
        QCOMPARE(w.panel()->selectedChannels(), selection);
        w.prompts.answers.enqueue(ok ? QMessageBox::Ok : QMessageBox::Cancel);
        QTest::mouseClick(w.find<QPushButton>(button), Qt::LeftButton);

        QCOMPARE(w.prompts.messages.size(), question.isEmpty() ? 0 : 1);
        if (!question.isEmpty()) {
            const MessageRequest &asked = w.prompts.messages.first();
            QCOMPARE(asked.text, QStringLiteral("Edit > Undo brings the channels back.\r\n") + question);
            QCOMPARE(asked.defaultButton, QMessageBox::Cancel);
        }
        const ChannelTable expected = ok ? expectedAfter(before, button, selection) : before;
        QCOMPARE(w.document().image().channels, expected);
        for (int i = 0; i < kChannelCount; ++i)
            QCOMPARE(w.shown(i, ColName), expected[i].inUse ? expected[i].name : QString());
        QAction *undoItem = w.action(QStringLiteral("mnuEditUndoStep"));
        QCOMPARE(undoItem->isEnabled(), !undo.isEmpty());
        QCOMPARE(w.document().dataChanged(), !undo.isEmpty());
        if (undo.isEmpty()) {
            // Banks A and B keep their places; the status bar says so instead of staying silent.
            if (ok)
                QVERIFY(w.status().contains(QStringLiteral("first bank only")));
            return;
        }
        QCOMPARE(undoItem->text(), undo);
        undoItem->trigger();
        QCOMPARE(w.document().image().channels, before);
        QVERIFY(!w.document().dataChanged());
    }

    void keyboard()
    {
        Editing w;
        QVERIFY(w.show());
        QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
        w.select({20});
        w.grid()->setFocus();

        // Delete clears the selection after the confirmation; Ctrl+Z brings it back.
        w.prompts.answers.enqueue(QMessageBox::Ok);
        QTest::keyClick(w.grid(), Qt::Key_Delete);
        QCOMPARE(w.prompts.messages.size(), 1);
        QVERIFY(!w.document().image().channels[20].inUse);
        QTest::keySequence(w.grid(), QKeySequence::Undo);
        QCOMPARE(w.document().image().channels[20], markedChannel(20));

        // Ctrl+F finds a channel by its label, its name, or its frequency.
        const struct {
            const char *typed;
            int found;
        } finds[] = {{"A-P1", 400}, {"b17", 419}, {"7.133", 133}};
        for (const auto &f : finds) {
            QTest::keySequence(w.window.get(), QKeySequence::Find);
            auto *field = w.find<QLineEdit>(QStringLiteral("txtFind"));
            QVERIFY(field->hasFocus());
            QTest::keyClicks(field, QLatin1String(f.typed));
            QTest::keyClick(field, Qt::Key_Return);
            QCOMPARE(w.panel()->currentChannel(), f.found);
            QTest::keyClick(field, Qt::Key_Escape);
            QVERIFY(w.grid()->hasFocus());
        }

        // Ctrl+Tab, Ctrl+Shift+Tab and Ctrl+PgUp switch tabs (wrapping round) with the focus in either
        // grid; Tab leaves the VFO grid.
        QTableView *vfos = w.window->settingsPanel()->vfoGrid();
        const struct {
            QTableView *from;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int to;
        } switches[] = {
            {w.grid(), Qt::Key_Tab, Qt::ControlModifier, MainWindow::SettingsTab},
            {vfos, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, MainWindow::MemoryTab},
            {w.grid(), Qt::Key_PageUp, Qt::ControlModifier, MainWindow::SettingsTab},
            {vfos, Qt::Key_PageUp, Qt::ControlModifier, MainWindow::MemoryTab}};
        for (const auto &s : switches) {
            s.from->setFocus();
            QTest::keyClick(s.from, s.key, s.modifiers);
            QCOMPARE(w.window->shownTab(), s.to);
            QCOMPARE(w.window->memoryPanel()->isVisible(), s.to == MainWindow::MemoryTab);
        }
        QVERIFY(w.window->shownTab() == MainWindow::MemoryTab);
        w.window->showTab(MainWindow::SettingsTab);
        vfos->setFocus();
        QTest::keyClick(vfos, Qt::Key_Tab);
        QVERIFY(!vfos->hasFocus());
        w.window->showTab(MainWindow::MemoryTab);
        w.select({20});
        // Last, as the dialog keeps the window system's focus here: Enter and F2 open the edit dialog on the
        // current row.
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_F2}) {
            QString edited;
            QTimer::singleShot(0, [&] {
                auto *dialog = qobject_cast<ModifyDialog *>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                edited = dialog->findChild<QLabel *>(QStringLiteral("lblCH"))->text();
                dialog->reject();
            });
            QTest::keyClick(w.grid(), key);
            QCOMPARE(edited, QStringLiteral("20CH"));
        }
    }

    void copyPasteCopyGivesTheSameText_data()
    {
        QTest::addColumn<bool>("textOnly"); // as a spreadsheet gives it back, without the private form
        QTest::newRow("records") << false;
        QTest::newRow("text only") << true;
    }

    void copyPasteCopyGivesTheSameText()
    {
        QFETCH(bool, textOnly);
        Editing w;
        QVERIFY(w.show());
        const QList<int> rows{30, 31, 32, 33};
        const QString text = w.copied(rows);
        QCOMPARE(text.count(QStringLiteral("\r\n")), 4);
        QVERIFY(text.startsWith(QStringLiteral("KT-V4\tMEMORY\t30\t7.030.000\t")));
        const ImageRecords before = imageRecords(w.document().image());

        w.action(QStringLiteral("mnuEditCut"))->trigger();
        for (int channel : rows)
            QVERIFY(!w.document().image().channels[channel].inUse);
        if (textOnly) {
            auto *plain = new QMimeData;
            plain->setText(text);
            QApplication::clipboard()->setMimeData(plain);
        }
        w.select({30});
        w.action(QStringLiteral("mnuEditPaste"))->trigger();
        QCOMPARE(w.copied(rows), text);
        if (!textOnly)
            QVERIFY(imageRecords(w.document().image()) == before); // every record as it was
        QVERIFY(w.status().startsWith(QStringLiteral("Copied 4 channels")));
    }

    void spreadsheetTextPastes()
    {
        Editing w;
        QVERIFY(w.show());
        auto *sheet = new QMimeData;
        sheet->setText(
            QStringLiteral("MODEL\tBANK\tCHANNEL\tFREQUENCY\tMODE\tGAIN\tAGC\tFILTER\tNB\tNAME\tSKIP\r\n"
                           "KT-V4\tMEMORY\t9\t14.074.000\tusb\t0\tfast\twide\toff\tFT8\t\r\n"
                           "KT-V4\tMEMORY\t9\t7.000.000\tXYZ\t0\tFAST\tWIDE\tOFF\tBAD\t\r\n"
                           "\"KT-V4\"\tMEMORY\t\t3.573.000\tLSB\t-10\tSLOW\tNARROW\tON\tX\tSKIP\n"));
        QApplication::clipboard()->setMimeData(sheet);
        test::setChannels(w.document(), 101, {Channel{}});
        w.select({100});
        w.action(QStringLiteral("mnuEditPaste"))->trigger();
        const ChannelTable &table = w.document().image().channels;
        // A channel in use keeps its split; one that comes into use transmits where it receives.
        const auto text = [&table](int channel, ChannelColumn column) {
            return channelFieldText(table[channel], column);
        };
        QCOMPARE(
            QStringList({text(100, ColFrequency), text(100, ColName), text(100, ColMode), text(100, ColSplit),
                         text(101, ColFrequency), text(101, ColSkip), text(101, ColSplit)}),
            QStringList({"14.074.000", "FT8", "USB", "7.100.000", "3.573.000", "Skip", "3.573.000"}));
        QCOMPARE(table[102], markedChannel(102));
        QVERIFY(w.status().contains(QStringLiteral("Pasted 2 channels. Skipped 1 of the rows")));
        QCOMPARE(w.action(QStringLiteral("mnuEditUndoStep"))->text(),
                 QStringLiteral("Undo Paste 2 channels(&U)"));
    }

    void dragMovesWithinABank()
    {
        Editing w;
        ChannelTableModel *model = w.panel()->model();
        const ChannelTable before = w.document().image().channels;
        QMimeData *dragged = model->mimeData({model->index(2, 0), model->index(3, 0)});
        QVERIFY(!model->canDropMimeData(dragged, Qt::MoveAction, 250, 0, {})); // into bank A
        QVERIFY(model->dropMimeData(dragged, Qt::MoveAction, 10, 0, {}));
        delete dragged;
        const ChannelTable &after = w.document().image().channels;
        QVERIFY(after[8] == before[2] && after[9] == before[3] && after[2] == before[4] &&
                after[10] == before[10]);
        QCOMPARE(w.panel()->selectedChannels(), (QList<int>{8, 9}));
        QCOMPARE(w.window->history()->stack()->count(), 1);
        w.window->history()->stack()->undo();
        QCOMPARE(w.document().image().channels, before);
    }

    // A sorted view changes nothing but the view; the labels go with their rows; a command on the
    // rows selected there acts on the channels they show; the third click brings channel order.
    void sortedViewCommandsActOnTheChannelsShown()
    {
        Editing w;
        QVERIFY(w.show());
        QHeaderView *header = w.grid()->horizontalHeader();
        const auto clickHeading = [&](int column) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(column) + 3, header->height() / 2));
        };
        const auto label = [&](int row) {
            return w.grid()->model()->headerData(row, Qt::Vertical).toString();
        };
        const ChannelTable before = w.document().image().channels;
        clickHeading(ColFrequency);
        clickHeading(ColFrequency); // the highest frequency first
        QVERIFY(header->isSortIndicatorShown() && header->sortIndicatorOrder() == Qt::DescendingOrder);
        QCOMPARE(label(0), QStringLiteral("B-P2"));
        QCOMPARE(w.grid()->model()->index(0, ColName).data().toString(), before[603].name);
        QCOMPARE(w.window->history()->stack()->count(), 0);
        QVERIFY(!w.document().dataChanged());

        // Rows 0 and 2 of the view: channels 603 and 601.
        for (const auto &[row, modifiers] : {std::pair(0, Qt::KeyboardModifiers()), {2, Qt::ControlModifier}})
            QTest::mouseClick(w.grid()->viewport(), Qt::LeftButton, modifiers,
                              w.grid()->visualRect(w.grid()->model()->index(row, ColMode)).center());
        QCOMPARE(w.panel()->selectedChannels(), (QList<int>{601, 603}));
        QVERIFY(w.copied({601, 603}).contains(before[601].name));
        w.prompts.answers.enqueue(QMessageBox::Ok);
        QTest::mouseClick(w.find<QPushButton>(QStringLiteral("cmbClear")), Qt::LeftButton);
        ChannelTable expected = before;
        expected[601] = expected[603] = Channel{};
        QCOMPARE(w.document().image().channels, expected);
        QCOMPARE(label(0), QStringLiteral("B-P1")); // emptied channels sort last
        QCOMPARE(label(kChannelCount - 1), QStringLiteral("B-P2"));

        clickHeading(ColFrequency);
        QVERIFY(!header->isSortIndicatorShown());
        QCOMPARE(label(0), QStringLiteral("0"));
        QCOMPARE(label(600), QStringLiteral("B198"));
    }

    // Select Duplicates selects the repeats, wherever a sort shows them; Arrange from the Edit menu
    // previews the moves and is one step of the history.
    void duplicatesAndArrangeInTheWindow()
    {
        Editing w;
        QVERIFY(w.show());
        QList<Channel> repeats{w.document().image().channels[10], w.document().image().channels[20]};
        test::setChannels(w.document(), 300, repeats);
        w.window->history()->restart();
        w.action(QStringLiteral("mnuEditDuplicates"))->trigger();
        QCOMPARE(w.panel()->selectedChannels(), (QList<int>{300, 301}));
        QCOMPARE(w.status(), QStringLiteral("2 duplicates selected"));

        const ChannelTable before = w.document().image().channels;
        ui::ArrangeDialog *dialog = w.window->arrangeCommands()->dialog();
        QTimer::singleShot(0, dialog, [dialog] {
            dialog->ruleList()->setCurrentIndex(2); // by name: in order already, nothing to arrange
            QVERIFY(!dialog->findChild<QPushButton *>(QStringLiteral("cmdArrange"))->isEnabled());
            dialog->reject();
        });
        w.action(QStringLiteral("mnuEditArrange"))->trigger();
        QCOMPARE(dialog->rangeList()->currentText(), QStringLiteral("The 2 selected channels"));
        QCOMPARE(dialog->preview()->count(), 0); // equal names keep their order
        QCOMPARE(w.document().image().channels, before);
        w.select({0, 1, 2});
        QTimer::singleShot(0, dialog, [dialog] {
            dialog->ruleList()->setCurrentIndex(0);
            dialog->rangeList()->setCurrentIndex(4); // all: every numbered channel in frequency order
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cmdArrange")), Qt::LeftButton);
        });
        w.action(QStringLiteral("mnuEditArrange"))->trigger();
        QCOMPARE(dialog->preview()->item(0)->text(),
                 QStringLiteral("A100 -> 11")); // the repeat of 10 after it
        QCOMPARE(w.status(), QStringLiteral("Arranged: %1 channels moved.").arg(dialog->preview()->count()));
        QCOMPARE(w.window->history()->stack()->count(), 1);
        w.window->history()->stack()->undo();
        QCOMPARE(w.document().image().channels, before);
    }

    void undoAllGivesTheStartRedoAllTheEnd_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 7u, 42u, 2026u, 65535u})
            QTest::addRow("seed %u", seed) << seed;
    }

    void undoAllGivesTheStartRedoAllTheEnd()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        CloneDocument document;
        ui::UndoHistory history(document);
        for (int i = 0; i < kChannelCount; ++i)
            document.image().channels[i] = test::markedChannel(i);
        document.image().channels[random.bounded(kChannelCount)] = Channel{};
        const auto state = [&document] { return State{document.image(), document.modelIndex()}; };

        const std::vector<std::function<void()>> commands = randomEdits(document, random);
        QUndoStack *stack = history.stack();
        QList<State> states{state()};
        for (int step = 0; step < 60; ++step) {
            commands[random.bounded(int(commands.size()))]();
            if (stack->index() == states.size())
                states << state();
            else
                states.last() = state(); // nothing changed, or merged into the last step
            QCOMPARE(stack->count(), states.size() - 1);
        }
        for (int index = stack->count(); index > 0; --index) {
            QVERIFY(state() == states[index]);
            stack->undo();
        }
        QVERIFY(state() == states.first());
        while (stack->canRedo())
            stack->redo();
        QVERIFY(state() == states.last());
    }

    void arrangeMovesRecordsOnly_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("rule");
        QTest::addColumn<bool>("pack");
        QTest::addColumn<bool>("gaps");
        quint32 seed = 11;
        for (ArrangeRule rule : {ArrangeRule::Frequency, ArrangeRule::ModeFrequency, ArrangeRule::Name,
                                 ArrangeRule::BandFrequency}) {
            for (const auto &[pack, gaps] : {std::pair(false, false), {true, false}, {false, true}}) {
                QTest::addRow("%s%s%s, seed %u", qPrintable(arrangeRuleName(rule)), pack ? ", pack" : "",
                              gaps ? ", gaps" : "", seed)
                    << seed << int(rule) << pack << gaps;
                seed += 7;
            }
        }
    }

    // Arranging changes the places of the records of its range and nothing else; the channels in
    // use follow the rule; one undo gives back every record byte for byte.
    void arrangeMovesRecordsOnly()
    {
        QFETCH(quint32, seed);
        QFETCH(int, rule);
        QFETCH(bool, pack);
        QFETCH(bool, gaps);
        QRandomGenerator random(seed);
        CloneDocument document;
        ui::UndoHistory history(document);
        for (Channel &c : document.image().channels)
            c = randomChannel(random);
        const ImageRecords start = imageRecords(document.image());
        const QList<int> ranges[] = {normalizedChannels(someChannels(random, 0, 603)),
                                     rangeChannels(ArrangeRange::BankA), rangeChannels(ArrangeRange::All),
                                     *channelsFromRange(u"A 0 - A99"), rangeChannels(ArrangeRange::BankB)};
        const QList<int> range = ranges[seed % std::size(ranges)];
        const ArrangeOptions options{ArrangeRule(rule), pack, gaps};
        const ChannelTable before = document.image().channels;
        const ArrangeResult result = arrangeChannels(document.image(), range, options, "arrange");
        document.submit(result.change);
        const ChannelTable &after = document.image().channels;

        QCOMPARE(recordSet(after, range), recordSet(before, range));
        for (int c = 0; c < kChannelCount; ++c)
            QVERIFY(range.contains(c) || after[c] == before[c]);
        for (const ChannelMove &move : result.moves)
            QVERIFY(after[move.to] == before[move.from] && move.from != move.to);
        QList<int> used;
        for (int c : range) {
            if (after[c].inUse)
                used << c;
            if (!pack && !gaps)
                QCOMPARE(after[c].inUse, before[c].inUse);
        }
        if (pack || result.gapsLeftOut)
            QCOMPARE(used, range.first(used.size()));
        const auto bandStart = [](qint64 hz) {
            const Band *band = bandOf(hz);
            return band ? band->lowestHz : std::numeric_limits<qint64>::max();
        };
        for (qsizetype i = 1; i < used.size(); ++i) {
            const Channel &a = after[used[i - 1]];
            const Channel &b = after[used[i]];
            const bool sameBand = bandOf(a.frequency) == bandOf(b.frequency);
            switch (ArrangeRule(rule)) {
            case ArrangeRule::Frequency:
                QVERIFY(a.frequency <= b.frequency);
                break;
            case ArrangeRule::ModeFrequency:
                QVERIFY(a.mode < b.mode || (a.mode == b.mode && a.frequency <= b.frequency));
                break;
            case ArrangeRule::Name:
                QVERIFY(compareByColumn(a, b, ColName) <= 0);
                break;
            case ArrangeRule::BandFrequency:
                QVERIFY(bandStart(a.frequency) < bandStart(b.frequency) ||
                        (sameBand && a.frequency <= b.frequency));
                break;
            }
            const bool newGroup =
                ArrangeRule(rule) != ArrangeRule::Name &&
                (!sameBand || (ArrangeRule(rule) == ArrangeRule::ModeFrequency && a.mode != b.mode));
            if (gaps && !result.gapsLeftOut)
                QCOMPARE(range.indexOf(used[i]) - range.indexOf(used[i - 1]), newGroup ? 2 : 1);
        }

        QCOMPARE(history.stack()->count(), result.change.isEmpty() ? 0 : 1);
        history.stack()->undo();
        QVERIFY(imageRecords(document.image()) == start);
    }

    void rangesAndDuplicates()
    {
        const struct {
            const char *text;
            int first, last; // -1: names no range
        } ranges[] = {{"A0-A99", 200, 299},    {"a  0 - A 99", 200, 299}, {"10-150", 10, 150},
                      {"A-P1-A-P2", 400, 401}, {"B5", 407, 407},          {"A99-A0", -1, -1},
                      {"C1-C2", -1, -1},       {"A0-", -1, -1},           {"", -1, -1}};
        for (const auto &r : ranges) {
            const std::optional<QList<int>> channels = channelsFromRange(QString::fromLatin1(r.text));
            QVERIFY2(bool(channels) == (r.first >= 0), r.text);
            if (channels)
                QVERIFY2(channels->first() == r.first && channels->last() == r.last &&
                             channels->size() == r.last - r.first + 1,
                         r.text);
        }
        // A repeat is the same frequency and mode as an earlier channel in use; name and bank differ.
        ChannelTable table;
        table[3] = test::usedChannel(7'100'000, "A");
        table[5] = test::usedChannel(7'100'000, "B", Mode::USB);
        table[9] = test::usedChannel(7'100'000, "C");
        table[250] = test::usedChannel(7'100'000, "D");
        table[251] = table[3];
        table[251].inUse = false;
        table[600] = test::usedChannel(7'100'001, "E");
        QCOMPARE(duplicateChannels(table), (QList<int>{9, 250}));
    }

    void cleanStateIsTheUnsavedFlag()
    {
        CloneDocument document;
        ui::UndoHistory history(document);
        QVERIFY(!document.dataChanged());
        document.submit(ImageChange::channels(document.image(), 3, {test::markedChannel(3)}, "edit"));
        QVERIFY(document.dataChanged());
        QVERIFY(document.save(m_dir.filePath(QStringLiteral("a.TV4"))).ok());
        QVERIFY(!document.dataChanged());
        history.stack()->undo();
        QVERIFY(document.dataChanged());
        history.stack()->redo();
        QVERIFY(!document.dataChanged());
        document.newImage();
        QCOMPARE(history.stack()->count(), 0);
        QVERIFY(!document.dataChanged());
    }

private:
    // Every kind of change the window makes, each on random channels and values.
    std::vector<std::function<void()>> randomEdits(CloneDocument &document, QRandomGenerator &random)
    {
        return {
            [&] { document.submit(clearChannels(document.image(), someChannels(random, 0, 603), "clear")); },
            [&] {
                document.submit(
                    insertChannels(document.image(), random.bounded(210), random.bounded(1, 4), "insert"));
            },
            [&] {
                document.submit(deleteChannels(document.image(), someChannels(random, 0, 230), "delete"));
            },
            [&] {
                const ChannelRange bank = bankOf(random.bounded(kChannelCount));
                document.submit(moveChannels(document.image(), someChannels(random, bank.first, bank.last),
                                             random.bounded(bank.first, bank.last + 2), "move"));
            },
            [&] {
                const int channel = random.bounded(kChannelCount);
                document.submit(ImageChange::channels(
                    document.image(), channel, {test::markedChannel(random.bounded(kChannelCount))}, "edit"));
            },
            [&] {
                const int vfo = random.bounded(kVfoCount);
                ImageChange change;
                change.before.vfos[vfo] = document.image().vfos[vfo];
                change.after.vfos[vfo] = change.before.vfos[vfo];
                change.after.vfos[vfo]->frequency = random.bounded(30'000, 35'000'000);
                document.submit(change);
            },
            [&] {
                // A slider dragged: several positions, one step.
                const int key = random.bounded(1, 1000);
                for (int i = 0; i < 3; ++i) {
                    ImageChange change;
                    change.mergeKey = key;
                    change.before.settings = document.image().settings;
                    change.after.settings = change.before.settings;
                    change.after.settings->values.Slider1 = random.bounded(kIQShiftMin, kIQShiftMax + 1);
                    change.after.settings->values.cmbDimmer = random.bounded(64);
                    document.submit(change);
                }
            },
            [&] { document.selectModel(random.bounded(kModelOptionCount)); },
            [&] {
                // An import of a file that names some channels.
                ChannelTable other;
                for (int channel : someChannels(random, 0, 603))
                    other[channel] = test::markedChannel(random.bounded(kChannelCount));
                const QString path = m_dir.filePath(QStringLiteral("in.csv"));
                QVERIFY(exportCsv(path, other).ok());
                document.importCsv(path);
            },
        };
    }

    QTemporaryDir m_dir;
};

QTEST_MAIN(ChannelEditingTest)
#include "tst_channelediting.moc"
