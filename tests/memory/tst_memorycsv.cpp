// File > Import and File > Export of the memory channels, through the real file dialogs' seam.

#include "MemoryFixtures.h"
#include "files/CloneDocument.h"
#include "model/RadioImage.h"
#include "support/ScriptedPrompts.h"
#include "ui/ChannelTableModel.h"
#include "ui/MemoryCommands.h"
#include "ui/MemoryPanel.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace ktv4;
using namespace ktv4::ui;
using ktv4::test::markedChannel;
using ktv4::test::ScriptedPrompts;
using ktv4::test::usedChannel;

class MemoryCsvTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void importFillsTheGrid();
    void exportNamesTheCsvFileButSaveDoesNotWriteIt();
    void exportThenImportRoundTrip();
    void cancelledDialogsDoNothing_data();
    void cancelledDialogsDoNothing();
    void unreadableFileShowsFileOpenError();
    void fileRefusedHalfWayKeepsAndShowsMergedRows();
    void unwritableFileShowsFileOpenError();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString shown(int channel, ChannelColumn column) const
    {
        return m_panel->model()->data(m_panel->model()->index(channel, column)).toString();
    }

    QTemporaryDir m_dir;
    QString m_lastFileName;
    std::unique_ptr<CloneDocument> m_document;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<MemoryPanel> m_panel;
    std::unique_ptr<MemoryCommands> m_commands;
};

void MemoryCsvTest::init()
{
    QVERIFY(m_dir.isValid());
    m_lastFileName.clear();
    m_document = std::make_unique<CloneDocument>();
    m_prompts = std::make_unique<ScriptedPrompts>();
    m_panel = std::make_unique<MemoryPanel>(*m_document, *m_prompts);
    m_commands = std::make_unique<MemoryCommands>(*m_document, *m_prompts, *m_panel, m_lastFileName);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
}

void MemoryCsvTest::cleanup()
{
    m_commands.reset();
    m_panel.reset();
    m_prompts.reset();
    m_document.reset();
}

void MemoryCsvTest::importFillsTheGrid()
{
    write(
        "in.csv",
        "\"MODEL\",\"BANK\",\"CHANNEL\",\"FREQUENCY\",\"MODE\",\"GAIN\",\"AGC\",\"FILTER\",\"NB\","
        "\"NAME\",\"SKIP\"\r\n"
        "KT-V4,memory,a12,7.050.000,lsb,-10,slow,narrow,on,abcdefghij,skip\r\n"
        "\"KT-V4\",\"MEMORY\",\"B200\",\"14.200.000\",\"IQ\",\"3\",\"FAST\",\"WIDE\",\"OFF\",\"DX\",\"\"\r\n"
        "\"KT-V4\",\"MEMORY\",\"7\",\"abc\",\"USB\",\"0\",\"FAST\",\"WIDE\",\"OFF\",\"NO\",\"\"\r\n");
    m_document->image().channels[5] = usedChannel(3'500'000, QStringLiteral("KEEP"));
    m_document->setDataChanged(true);
    m_panel->selectChannel(300);
    m_panel->setTopChannel(290);
    m_prompts->fileNames.enqueue(path("in.csv"));
    QSignalSpy captions(m_document.get(), &CloneDocument::captionChanged);

    QVERIFY(m_commands->importCsv(m_panel.get()));
    QCOMPARE(m_prompts->fileDialogs.size(), 1);
    QCOMPARE(m_prompts->fileDialogs[0].filter, QStringLiteral("CSV Files (*.csv);;All Files (*)"));
    QVERIFY(m_prompts->messages.isEmpty());
    QCOMPARE(m_lastFileName, path("in.csv"));

    QCOMPARE(shown(212, ColFrequency), QStringLiteral("7.050.000"));
    QCOMPARE(shown(212, ColMode), QStringLiteral("LSB"));
    QCOMPARE(shown(212, ColGain), QStringLiteral("-10"));
    QCOMPARE(shown(212, ColName), QStringLiteral("ABCDEFG"));
    QCOMPARE(shown(212, ColSkip), QStringLiteral("Skip"));
    QCOMPARE(shown(602, ColMode), QStringLiteral("FM"));
    QCOMPARE(shown(602, ColGain), QStringLiteral("+10"));
    QCOMPARE(shown(7, ColFrequency), QString());         // dropped row
    QCOMPARE(shown(5, ColName), QStringLiteral("KEEP")); // not mentioned, kept
    QCOMPARE(m_panel->currentChannel(), 0);
    QVERIFY(m_panel->grid()->selectionModel()->isRowSelected(0, {}));
    QVERIFY(m_document->dataChanged()); // the merged table is not saved anywhere yet
    QCOMPARE(m_document->caption(), AppTitle());
    QVERIFY(m_document->cloneFileName().isEmpty());
}

void MemoryCsvTest::exportNamesTheCsvFileButSaveDoesNotWriteIt()
{
    ChannelTable &table = m_document->image().channels;
    table[5] = usedChannel(7'050'000, QStringLiteral("FIVE"));
    table[250] = usedChannel(14'074'000, QStringLiteral("FT8"), 0, true);
    table[603] = usedChannel(21'000'000, QString());
    m_document->setDataChanged(true);
    m_lastFileName = path("previous.TV4");
    m_prompts->fileNames.enqueue(path("out.csv"));

    QVERIFY(m_commands->exportCsv(m_panel.get()));
    // Proposes the last name as a CSV file, so Enter cannot overwrite the clone file.
    QCOMPARE(m_prompts->fileDialogs[0].fileName, path("previous.csv"));
    // A second export starts on the CSV file just written.
    m_prompts->fileNames.enqueue(QString());
    QVERIFY(!m_commands->exportCsv(m_panel.get()));
    QCOMPARE(m_prompts->fileDialogs[1].fileName, path("out.csv"));
    QCOMPARE(m_lastFileName, path("out.csv"));
    QFile file(path("out.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 5); // header, three channels, and nothing after the last CR LF
    QVERIFY(lines[1].startsWith("\"KT-V4\",\"MEMORY\",\"5\","));
    QVERIFY(lines[2].startsWith("\"KT-V4\",\"MEMORY\",\"A50\","));
    QVERIFY(lines[3].startsWith("\"KT-V4\",\"MEMORY\",\"B-P2\","));
    QCOMPARE(m_document->caption(), AppTitle() + QStringLiteral(" - out.csv"));
    QVERIFY(m_document->dataChanged()); // the CSV file does not hold the whole image
    // The clone file is forgotten: a later Save has to ask for a clone file name.
    QVERIFY(m_document->cloneFileName().isEmpty());
}

void MemoryCsvTest::exportThenImportRoundTrip()
{
    ChannelTable &table = m_document->image().channels;
    for (int i = 0; i < kChannelCount; i += 7)
        table[i] = markedChannel(i);
    table[8] = usedChannel(7'000'000, QStringLiteral("LOW\\=()"));
    const ChannelTable exported = table;
    m_prompts->fileNames.enqueue(path("round.csv"));
    QVERIFY(m_commands->exportCsv(m_panel.get()));

    for (ChannelRow &row : table)
        row.clear();
    m_panel->refreshAll();
    m_prompts->fileNames.enqueue(path("round.csv"));
    QVERIFY(m_commands->importCsv(m_panel.get()));

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

void MemoryCsvTest::cancelledDialogsDoNothing_data()
{
    QTest::addColumn<bool>("import");
    QTest::newRow("import") << true;
    QTest::newRow("export") << false;
}

void MemoryCsvTest::cancelledDialogsDoNothing()
{
    QFETCH(bool, import);
    m_document->image().channels[3] = usedChannel(7'050'000, QStringLiteral("X"));
    m_document->setDataChanged(true);
    const RadioImage before = m_document->image();
    const QString caption = m_document->caption();
    m_lastFileName = path("kept.csv");
    // No answer queued: the dialog is cancelled.
    QVERIFY(!(import ? m_commands->importCsv(m_panel.get()) : m_commands->exportCsv(m_panel.get())));
    QCOMPARE(m_prompts->fileDialogs.size(), 1);
    QVERIFY(m_prompts->messages.isEmpty());
    QVERIFY(m_document->image() == before);
    QVERIFY(m_document->dataChanged());
    QCOMPARE(m_document->caption(), caption);
    QCOMPARE(m_lastFileName, path("kept.csv"));
}

void MemoryCsvTest::unreadableFileShowsFileOpenError()
{
    m_document->setDataChanged(true);
    m_prompts->fileNames.enqueue(path("missing.csv"));
    QVERIFY(!m_commands->importCsv(m_panel.get()));
    QCOMPARE(m_prompts->messages.size(), 1);
    QCOMPARE(m_prompts->messages[0].title, QStringLiteral("ERROR"));
    QCOMPARE(m_prompts->messages[0].text, QStringLiteral("File Open Error"));
    QCOMPARE(m_prompts->messages[0].icon, QMessageBox::Critical);
    QVERIFY(m_document->dataChanged());
    QCOMPARE(m_document->caption(), AppTitle());
}

void MemoryCsvTest::fileRefusedHalfWayKeepsAndShowsMergedRows()
{
    // The second row ends inside its fields: the first row stays merged.
    write("cut.csv",
          "\"KT-V4\",\"MEMORY\",\"3\",\"7.050.000\",\"LSB\",\"0\",\"SLOW\",\"WIDE\",\"OFF\",\"A\",\"\"\r\n"
          "\"KT-V4\",\"MEMORY\",\"4\",\"7.060.000\"\r\n");
    m_prompts->fileNames.enqueue(path("cut.csv"));
    QVERIFY(!m_commands->importCsv(m_panel.get()));
    QCOMPARE(m_prompts->messages.size(), 1);
    QCOMPARE(m_prompts->messages[0].text, QStringLiteral("File Open Error"));
    QCOMPARE(shown(3, ColFrequency), QStringLiteral("7.050.000"));
    QCOMPARE(shown(4, ColFrequency), QString());
}

void MemoryCsvTest::unwritableFileShowsFileOpenError()
{
    m_document->image().channels[0] = usedChannel(7'050'000, QStringLiteral("A"));
    m_document->setDataChanged(true);
    const QString caption = m_document->caption();
    m_prompts->fileNames.enqueue(m_dir.path()); // a folder cannot be written as a file
    QVERIFY(!m_commands->exportCsv(m_panel.get()));
    QCOMPARE(m_prompts->messages.size(), 1);
    QCOMPARE(m_prompts->messages[0].text, QStringLiteral("File Open Error"));
    QVERIFY(m_document->dataChanged());
    QCOMPARE(m_document->caption(), caption);
}

QTEST_MAIN(MemoryCsvTest)
#include "tst_memorycsv.moc"
