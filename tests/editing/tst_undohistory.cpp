// Undo as a property: random sequences of commands on a full image; undoing them all gives back
// the start, redoing them all gives back the end, and every step in between is what it was.

#include "files/ChannelEdits.h"
#include "files/CloneDocument.h"
#include "memory/MemoryFixtures.h"
#include "ui/UndoHistory.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

using namespace ktv4;

namespace {

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

} // namespace

class UndoHistoryTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
private slots:

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
        document.image().channels[random.bounded(kChannelCount)].clear();
        const auto state = [&document] { return State{document.image(), document.modelIndex()}; };

        const std::function<void()> commands[] = {
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
                change.after.vfos[vfo]->cells[ColFrequency] = {double(random.bounded(30'000, 35'000'000)),
                                                               "f"};
                document.submit(change);
            },
            [&] {
                // A slider dragged: several positions, one step.
                const int key = random.bounded(1, 1000);
                for (int i = 0; i < 3; ++i) {
                    ImageChange change;
                    change.mergeKey = key;
                    change.before.settings = settingsState(document.image());
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

        QUndoStack *stack = history.stack();
        QList<State> states{state()};
        for (int step = 0; step < 60; ++step) {
            commands[random.bounded(int(std::size(commands)))]();
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
};

QTEST_MAIN(UndoHistoryTest)
#include "tst_undohistory.moc"
