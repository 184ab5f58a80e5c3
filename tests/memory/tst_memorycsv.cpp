// File > Import and File > Export of the memory channels on the Memory tab's panel, through the
// file dialogs' seam. The CSV rules themselves are the CSV suite's; this is what the panel shows.

#include "MemoryFixtures.h"
#include "support/WindowFixture.h"
#include "ui/MemoryCommands.h"

#include <QSignalSpy>
#include <QTableView>

using namespace ktv4;
using namespace ktv4::ui;
using fixture::readAll;
using fixture::writeAll;
using ktv4::test::markedChannel;
using ktv4::test::Panel;
using ktv4::test::usedChannel;

class MemoryCsvTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void importFillsTheGrid();
    void exportNamesTheCsvFile();
    void exportThenImportRoundTrip();
    void failures_data();
    void failures();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString shown(int channel, int column) const { return m->shown(channel, column); }

    QTemporaryDir m_dir;
    QString m_lastFileName;
    std::unique_ptr<Panel> m;
    std::unique_ptr<MemoryCommands> m_commands;
};

void MemoryCsvTest::init()
{
    QVERIFY(m_dir.isValid());
    m_lastFileName.clear();
    m = std::make_unique<Panel>();
    QVERIFY(m->exposed);
    m_commands = std::make_unique<MemoryCommands>(*m->document, *m->prompts, *m->panel, m_lastFileName);
}

void MemoryCsvTest::cleanup()
{
    m_commands.reset();
    m.reset();
}

void MemoryCsvTest::importFillsTheGrid()
{
    QVERIFY(writeAll(
        path("in.csv"),
        "\"MODEL\",\"BANK\",\"CHANNEL\",\"FREQUENCY\",\"MODE\",\"GAIN\",\"AGC\",\"FILTER\",\"NB\","
        "\"NAME\",\"SKIP\"\r\n"
        "KT-V4,memory,a12,7.050.000,lsb,-10,slow,narrow,on,abcdefghij,skip\r\n"
        "\"KT-V4\",\"MEMORY\",\"B200\",\"14.200.000\",\"IQ\",\"3\",\"FAST\",\"WIDE\",\"OFF\",\"DX\",\"\"\r\n"
        "\"KT-V4\",\"MEMORY\",\"7\",\"abc\",\"USB\",\"0\",\"FAST\",\"WIDE\",\"OFF\",\"NO\",\"\"\r\n"));
    m->table()[5] = usedChannel(3'500'000, QStringLiteral("KEEP"));
    m->document->setDataChanged(true);
    m->panel->selectChannel(300);
    m->panel->setTopChannel(290);
    m->prompts->fileNames.enqueue(path("in.csv"));

    QVERIFY(m_commands->importCsv(m->panel.get()));
    QCOMPARE(m->prompts->fileDialogs.size(), 1);
    QCOMPARE(m->prompts->fileDialogs[0].filter, QStringLiteral("CSV Files (*.csv);;All Files (*)"));
    QVERIFY(m->prompts->messages.isEmpty());
    QCOMPARE(m_lastFileName, path("in.csv"));

    QCOMPARE(shown(212, ColFrequency), QStringLiteral("7.050.000"));
    QCOMPARE(shown(212, ColName), QStringLiteral("ABCDEFG"));
    QCOMPARE(shown(212, ColSkip), QStringLiteral("Skip"));
    QCOMPARE(shown(602, ColMode), QStringLiteral("FM"));
    QCOMPARE(shown(7, ColFrequency), QString());         // dropped row
    QCOMPARE(shown(5, ColName), QStringLiteral("KEEP")); // not mentioned, kept
    QCOMPARE(m->panel->currentChannel(), 0);
    QVERIFY(m->panel->grid()->selectionModel()->isRowSelected(0, {}));
    QVERIFY(m->document->dataChanged()); // the merged table is not saved anywhere yet
    QCOMPARE(m->document->caption(), AppTitle());
    QVERIFY(m->document->cloneFileName().isEmpty());
}

void MemoryCsvTest::exportNamesTheCsvFile()
{
    ChannelTable &table = m->table();
    table[5] = usedChannel(7'050'000, QStringLiteral("FIVE"));
    table[250] = usedChannel(14'074'000, QStringLiteral("FT8"), 0, true);
    table[603] = usedChannel(21'000'000, QString());
    m->document->setDataChanged(true);
    m_lastFileName = path("previous.TV4");
    m->prompts->fileNames.enqueue(path("out.csv"));

    QVERIFY(m_commands->exportCsv(m->panel.get()));
    // Proposes the last name as a CSV file, so Enter cannot overwrite the clone file.
    QCOMPARE(m->prompts->fileDialogs[0].fileName, path("previous.csv"));
    QCOMPARE(readAll(path("out.csv")).count('\n'), 4); // the header and the three channels in use
    // A second export starts on the CSV file just written.
    QVERIFY(!m_commands->exportCsv(m->panel.get()));
    QCOMPARE(m->prompts->fileDialogs[1].fileName, path("out.csv"));
    QCOMPARE(m_lastFileName, path("out.csv"));
    QCOMPARE(m->document->caption(), AppTitle() + QStringLiteral(" - out.csv"));
    QVERIFY(m->document->dataChanged()); // the CSV file does not hold the whole image
    // The clone file is forgotten: a later Save has to ask for a clone file name.
    QVERIFY(m->document->cloneFileName().isEmpty());
}

void MemoryCsvTest::exportThenImportRoundTrip()
{
    ChannelTable &table = m->table();
    for (int i = 0; i < kChannelCount; i += 7)
        table[i] = markedChannel(i);
    table[8] = usedChannel(7'000'000, QStringLiteral("LOW\\=()"));
    const ChannelTable exported = table;
    m->prompts->fileNames.enqueue(path("round.csv"));
    QVERIFY(m_commands->exportCsv(m->panel.get()));

    for (ChannelRow &row : table)
        row.clear();
    m->panel->refreshAll();
    m->prompts->fileNames.enqueue(path("round.csv"));
    QVERIFY(m_commands->importCsv(m->panel.get()));

    const ChannelColumn carried[] = {ColFrequency, ColMode, ColGain, ColAgc,
                                     ColFilter,    ColNb,   ColName, ColSkip};
    for (int i = 0; i < kChannelCount; ++i) {
        QCOMPARE(table[i].inUse, exported[i].inUse);
        for (ChannelColumn column : carried) {
            QCOMPARE(shown(i, column), exported[i].inUse ? exported[i].cells[column].text : QString());
            if (column != ColFrequency && column != ColName)
                QCOMPARE(table[i].cells[column].value, exported[i].cells[column].value);
        }
    }
}

void MemoryCsvTest::failures_data()
{
    QTest::addColumn<bool>("import");
    QTest::addColumn<QString>("fileName"); // "" = the dialog cancelled
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("import cancelled") << true << "" << QByteArray();
    QTest::newRow("export cancelled") << false << "" << QByteArray();
    QTest::newRow("import of a missing file") << true << "missing.csv" << QByteArray();
    // The second row ends inside its fields: the first row stays merged.
    QTest::newRow("import refused half way") << true << "cut.csv"
                                             << QByteArray("\"KT-V4\",\"MEMORY\",\"3\",\"7.050.000\",\"LSB\","
                                                           "\"0\",\"SLOW\",\"WIDE\",\"OFF\",\"A\",\"\"\r\n"
                                                           "\"KT-V4\",\"MEMORY\",\"4\",\"7.060.000\"\r\n");
    QTest::newRow("export into a folder") << false << "." << QByteArray();
}

void MemoryCsvTest::failures()
{
    QFETCH(bool, import);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    if (!content.isEmpty())
        QVERIFY(writeAll(path(fileName), content));
    m->table()[9] = usedChannel(7'050'000, QStringLiteral("X"));
    m->document->setDataChanged(true);
    const QString caption = m->document->caption();
    m_lastFileName = path("kept.csv");
    if (!fileName.isEmpty())
        m->prompts->fileNames.enqueue(QDir::cleanPath(path(fileName)));

    QVERIFY(!(import ? m_commands->importCsv(m->panel.get()) : m_commands->exportCsv(m->panel.get())));
    QCOMPARE(m->prompts->fileDialogs.size(), 1);
    if (fileName.isEmpty()) {
        QVERIFY(m->prompts->messages.isEmpty());
        QCOMPARE(m_lastFileName, path("kept.csv"));
    } else {
        fixture::expectError(*m->prompts, QStringLiteral("File Open Error"));
    }
    // The table keeps what it had (and what was merged before a refused row); still unsaved.
    QCOMPARE(shown(9, ColName), QStringLiteral("X"));
    QCOMPARE(shown(3, ColFrequency), content.isEmpty() ? QString() : QStringLiteral("7.050.000"));
    QCOMPARE(shown(4, ColFrequency), QString());
    QVERIFY(m->document->dataChanged());
    QCOMPARE(m->document->caption(), caption);
}

QTEST_MAIN(MemoryCsvTest)
#include "tst_memorycsv.moc"
