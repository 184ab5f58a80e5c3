// SPDX-License-Identifier: GPL-3.0-or-later
// The memory grid, its buttons and its CSV commands, driven with mouse clicks on the real panel.
// The CSV rules themselves are the CSV suite's; here is what the panel shows of them.

#include "MemoryFixtures.h"
#include "files/CloneDocument.h"
#include "support/ScriptedPrompts.h"
#include "support/WindowFixture.h"
#include "ui/ChannelGridLayout.h"
#include "ui/ChannelTableModel.h"
#include "ui/MemoryCommands.h"
#include "ui/MemoryPanel.h"
#include "ui/ModifyDialog.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

using namespace ktv4;
using namespace ktv4::ui;
using fixture::readAll;
using fixture::writeAll;
using ktv4::test::markedChannel;
using ktv4::test::Panel;
using ktv4::test::setChannels;
using ktv4::test::usedChannel;

class ChannelGridTest : public QObject {
    Q_OBJECT

private:
    QPushButton *button(const char *name) { return m->panel->findChild<QPushButton *>(QLatin1String(name)); }
    void click(const char *name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    // As the window system delivers it: press and release, then the double-click and release.
    static void doubleClick(QTableView *grid, QPoint at)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
    }
    ChannelTable &table() { return m->table(); }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString shown(int channel, int column) const { return m->shown(channel, column); }

    QTemporaryDir m_dir;
    QString m_lastFileName;
    std::unique_ptr<Panel> m;
    std::unique_ptr<MemoryCommands> m_commands;
private slots:

    void init()
    {
        m_lastFileName.clear();
        m = std::make_unique<Panel>();
        QVERIFY(m->exposed);
        m_commands = std::make_unique<MemoryCommands>(*m->document, *m->prompts, *m->panel, m_lastFileName);
    }

    void cleanup()
    {
        m_commands.reset();
        m.reset();
    }

    void modelAndGrid()
    {
        m->fill();
        ChannelTableModel *model = m->panel->model();
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model->rowCount(), 604);
        // An empty channel shows a blank row, whatever texts it left behind; it is not editable.
        Channel left = table()[7];
        left.inUse = false;
        setChannels(*m->document, 7, {left});
        for (int column = 0; column < kChannelColumns; ++column)
            QCOMPARE(shown(7, column), QString());
        QCOMPARE(model->flags(model->index(7, 0)) & Qt::ItemIsEditable, Qt::NoItemFlags);
        QCOMPARE(shown(6, ColName), table()[6].name);
        // A channel that transmits elsewhere is marked in its Frequency cell, with its split as the
        // tip, while the Split Freq. column is hidden.
        Channel transmitting = table()[8];
        transmitting.split = 7'100'000;
        setChannels(*m->document, 8, {transmitting});
        const auto mark = [model](int channel, int role = ChannelTableModel::SplitMarkRole) {
            return model->index(channel, ColFrequency).data(role);
        };
        QVERIFY(mark(8).toBool() && !mark(6).toBool() && !mark(7).toBool());
        QCOMPARE(mark(8, Qt::ToolTipRole).toString(), QStringLiteral("Transmits on 7.100.000 (Split Freq.)"));
        m->panel->setShownColumns({ColSplit});
        QVERIFY(!mark(8).toBool() && mark(8, Qt::ToolTipRole).isNull());
        m->panel->setShownColumns({});
        // Row labels name the channels as the codecs do.
        for (int channel : {0, 210, 401, 603})
            QCOMPARE(model->headerData(channel, Qt::Vertical).toString(), gridRowLabel(channel));

        // Thirteen whole rows in view.
        QTableView *grid = m->panel->grid();
        const int height = grid->viewport()->height();
        QCOMPARE(grid->rowAt(height - 1), 12);
        QCOMPARE(grid->rowViewportPosition(12) + grid->rowHeight(12), height);
        QCOMPARE(grid->verticalScrollBar()->maximum(), 604 - 13);

        // A click selects the whole row.
        const QRect cell = grid->visualRect(model->index(6, ColName));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(m->panel->currentChannel(), 6);
        QCOMPARE(grid->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(grid->selectionModel()->selectedIndexes().size(), kChannelColumns);
    }

    void upAndDown_data()
    {
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("expectedChannel");
        QTest::addColumn<int>("expectedTop");

        QTest::newRow("Up at row 1 stays") << "Command5" << 0 << 0 << 0 << 0;
        QTest::newRow("Up inside the view") << "Command5" << 5 << 0 << 4 << 0;
        QTest::newRow("Up onto the row above the view") << "Command5" << 20 << 20 << 19 << 19;

        QTest::newRow("Up to a row far below the view") << "Command5" << 150 << 0 << 149 << 137;

        QTest::newRow("Down inside the view") << "Command4" << 5 << 0 << 6 << 0;
        QTest::newRow("Down onto the row below the view") << "Command4" << 12 << 0 << 13 << 1;

        QTest::newRow("Down at row 200 stays") << "Command4" << 199 << 190 << 199 << 190;
        QTest::newRow("Down at row 200 out of view") << "Command4" << 199 << 0 << 199 << 187;
    }

    void upAndDown()
    {
        QFETCH(QString, buttonName);
        QFETCH(int, channel);
        QFETCH(int, top);
        QFETCH(int, expectedChannel);
        QFETCH(int, expectedTop);
        m->fill();
        m->panel->selectChannel(channel);
        m->panel->setTopChannel(top);
        QCOMPARE(m->panel->topChannel(), top);

        click(buttonName.toLatin1().constData());
        QCOMPARE(m->panel->currentChannel(), expectedChannel);
        QCOMPARE(m->panel->topChannel(), expectedTop);
        QTableView *grid = m->panel->grid();
        QCOMPARE(grid->selectionModel()->selectedRows().size(), 1);
        QVERIFY(grid->selectionModel()->isRowSelected(expectedChannel, {}));
        QCOMPARE(grid->rowAt(0), expectedTop); // what the view shows, not only the scroll bar
        QVERIFY(!m->document->dataChanged());
    }

    void busyDisablesEditingButKeepsScrolling()
    {
        m->fill();
        ModifyDialog dialog(*m->prompts, m->panel.get());
        m->panel->setModifyDialog(&dialog);
        // A dialog opened by mistake is closed at once, and told.
        bool opened = false;
        QTimer closer;
        connect(&closer, &QTimer::timeout, &dialog, [&] {
            opened = opened || dialog.isVisible();
            dialog.reject();
        });
        closer.start(0);
        QSignalSpy reads(m->panel.get(), &MemoryPanel::readMemoryRequested);
        QSignalSpy writes(m->panel.get(), &MemoryPanel::writeMemoryRequested);

        m->panel->setBusy(true);
        for (const char *name : {"cmbClear", "cmbInsert", "cmbClAll", "cmbDelete", "cmbRxData", "cmbTxData"})
            QVERIFY2(!button(name)->isEnabled(), name);
        QVERIFY(button("Command4")->isEnabled() && m->panel->grid()->isEnabled());
        m->panel->modifyCurrentChannel();
        const QRect cell = m->panel->grid()->visualRect(m->panel->model()->index(2, ColMode));
        doubleClick(m->panel->grid(), cell.center());
        QVERIFY(!opened && !dialog.isVisible());
        m->panel->setTopChannel(300);
        QCOMPARE(m->panel->topChannel(), 300);

        m->panel->setBusy(false);
        click("cmbRxData");
        click("cmbTxData");
        QCOMPARE(reads.size() + writes.size(), 2);
    }

    void imageReplacedRedrawsEverything()
    {
        QSignalSpy redraws(m->panel->model(), &QAbstractItemModel::dataChanged);
        m->panel->selectChannel(77);
        m->document->newImage();
        QCOMPARE(redraws.size(), 1);
        QCOMPARE(redraws[0][1].toModelIndex().row(), 603);
        QCOMPARE(m->panel->currentChannel(), 77); // a redraw keeps the current row
    }

    void importFillsTheGrid()
    {
        QVERIFY(writeAll(
            path("in.csv"),
            "\"MODEL\",\"BANK\",\"CHANNEL\",\"FREQUENCY\",\"MODE\",\"GAIN\",\"AGC\",\"FILTER\",\"NB\","
            "\"NAME\",\"SKIP\"\r\n"
            "KT-V4,memory,a12,7.050.000,lsb,-10,slow,narrow,on,abcdefghij,skip\r\n"
            "\"KT-V4\",\"MEMORY\",\"7\",\"abc\",\"USB\",\"0\",\"FAST\",\"WIDE\",\"OFF\",\"NO\",\"\"\r\n"));
        setChannels(*m->document, 5, {usedChannel(3'500'000, QStringLiteral("KEEP"))});
        m->document->setDataChanged(true);
        m->panel->selectChannel(300);
        m->panel->setTopChannel(290);
        m->prompts->fileNames.enqueue(path("in.csv"));

        QVERIFY(m_commands->importCsv(m->panel.get()));
        QCOMPARE(m->prompts->fileDialogs.size(), 1);
        QCOMPARE(m->prompts->fileDialogs[0].caption, QStringLiteral("Import Channels"));
        QVERIFY(m->prompts->messages.isEmpty());
        QCOMPARE(m_lastFileName, path("in.csv"));

        // Shown at once; a dropped row leaves its channel, a channel not mentioned is kept.
        QCOMPARE(QStringList(
                     {shown(212, ColName), shown(212, ColSkip), shown(7, ColFrequency), shown(5, ColName)}),
                 QStringList({"ABCDEFGH", "Skip", "", "KEEP"}));
        QCOMPARE(m->panel->currentChannel(), 0);
        QVERIFY(m->document->dataChanged()); // the merged table is not saved anywhere yet
        QCOMPARE(m->document->caption(), appTitle());
    }

    void exportNamesTheCsvFile()
    {
        setChannels(*m->document, 5, {usedChannel(7'050'000, QStringLiteral("FIVE"))});
        setChannels(*m->document, 250, {usedChannel(14'074'000, QStringLiteral("FT8"), Mode::USB, true)});
        setChannels(*m->document, 603, {usedChannel(21'000'000, QString())});
        m->document->setDataChanged(true);
        m_lastFileName = path("previous.TV4");
        m->prompts->fileNames.enqueue(path("out.csv"));

        QVERIFY(m_commands->exportCsv(m->panel.get()));
        // Proposes the last name as a CSV file, so Enter cannot overwrite the clone file.
        QCOMPARE(m->prompts->fileDialogs[0].fileName, path("previous.csv"));
        QCOMPARE(m->prompts->fileDialogs[0].caption, QStringLiteral("Export Channels"));
        QCOMPARE(readAll(path("out.csv")).count('\n'), 4); // the header and the three channels in use
        // A second export starts on the CSV file just written.
        QVERIFY(!m_commands->exportCsv(m->panel.get()));
        QCOMPARE(m->prompts->fileDialogs[1].fileName, path("out.csv"));
        QCOMPARE(m->document->caption(), appTitle());
        QVERIFY(m->document->dataChanged()); // the CSV file does not hold the whole image
    }

    void failures_data()
    {
        QTest::addColumn<bool>("import");
        QTest::addColumn<QString>("fileName"); // "" = the dialog cancelled
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("import cancelled") << true << "" << QByteArray();
        QTest::newRow("export cancelled") << false << "" << QByteArray();
        QTest::newRow("import of a missing file") << true << "missing.csv" << QByteArray();
        // The second row ends inside its fields: the first row stays merged.
        QTest::newRow("import refused half way")
            << true << "cut.csv"
            << QByteArray("\"KT-V4\",\"MEMORY\",\"3\",\"7.050.000\",\"LSB\","
                          "\"0\",\"SLOW\",\"WIDE\",\"OFF\",\"A\",\"\"\r\n"
                          "\"KT-V4\",\"MEMORY\",\"4\",\"7.060.000\"\r\n");
        QTest::newRow("export into a folder") << false << "." << QByteArray();
    }

    void failures()
    {
        QFETCH(bool, import);
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        if (!content.isEmpty())
            QVERIFY(writeAll(path(fileName), content));
        setChannels(*m->document, 9, {usedChannel(7'050'000, QStringLiteral("X"))});
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
};

QTEST_MAIN(ChannelGridTest)
#include "tst_channelgrid.moc"
