// The memory grid and its buttons, driven with mouse clicks on the real panel.

#include "MemoryFixtures.h"
#include "files/CloneDocument.h"
#include "support/ScriptedPrompts.h"
#include "ui/ChannelGridLayout.h"
#include "ui/ChannelTableModel.h"
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
#include <memory>

using namespace ktv4;
using namespace ktv4::ui;
using ktv4::test::markedChannel;
using ktv4::test::ScriptedPrompts;
using ktv4::test::usedChannel;

Q_DECLARE_METATYPE(QMessageBox::StandardButton)

namespace {

const QString kDeleteText =
    QStringLiteral("Delete cannot be undone.\r\nAre you sure that you want to do the delete?");
const QString kClearText =
    QStringLiteral("Clear cannot be undone.\r\nAre you sure that you want to do the clear?");
const QString kClearAllText =
    QStringLiteral("Clear cannot be undone.\r\nAre you sure that you want to clear all memory?");

} // namespace

class ChannelGridTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void modelPassesTheTester();
    void rowLabels_data();
    void rowLabels();
    void titlesWidthsAndHiddenColumns();
    void emptyChannelShowsBlankRow();
    void refreshSignalsCoverTheirRows();
    void thirteenRowsInView();
    void clickSelectsTheWholeRow();

    void insert_data();
    void insert();
    void deleteChannel_data();
    void deleteChannel();
    void clear_data();
    void clear();
    void clearAll_data();
    void clearAll();
    void upAndDown_data();
    void upAndDown();

    void doubleClickEditsTheRow();
    void busyDisablesEditingButKeepsScrolling();
    void imageReplacedRedrawsEverything();

private:
    QPushButton *button(const char *name) { return m_panel->findChild<QPushButton *>(QLatin1String(name)); }
    void click(const char *name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    // As the window system delivers it: press and release, then the double-click and release.
    static void doubleClick(QTableView *grid, QPoint at)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
    }
    void selectRow(int channel) { m_panel->selectChannel(channel); }
    ChannelTable &table() { return m_document->image().channels; }
    void fillTable()
    {
        for (int i = 0; i < kChannelCount; ++i)
            table()[i] = markedChannel(i);
        m_panel->refreshAll();
        m_document->setDataChanged(false);
    }

    std::unique_ptr<CloneDocument> m_document;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<MemoryPanel> m_panel;
};

void ChannelGridTest::init()
{
    m_document = std::make_unique<CloneDocument>();
    m_prompts = std::make_unique<ScriptedPrompts>();
    m_panel = std::make_unique<MemoryPanel>(*m_document, *m_prompts);
    m_panel->resize(700, 500);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
}

void ChannelGridTest::cleanup()
{
    m_panel.reset();
    m_prompts.reset();
    m_document.reset();
}

void ChannelGridTest::modelPassesTheTester()
{
    fillTable();
    ChannelTableModel *model = m_panel->model();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model->rowCount(), 604);
    QCOMPARE(model->columnCount(), 11);
    table()[7].clear();
    model->refreshChannel(7);
    model->refreshAll();
    QCOMPARE(model->data(model->index(7, ColFrequency)).toString(), QString());
    QCOMPARE(model->flags(model->index(7, 0)) & Qt::ItemIsEditable, Qt::NoItemFlags);
}

void ChannelGridTest::rowLabels_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("label");
    QTest::newRow("first") << 0 << "0";
    QTest::newRow("last of the first bank") << 199 << "199";
    QTest::newRow("A 0") << 200 << "A  0";
    QTest::newRow("A 10") << 210 << "A 10";
    QTest::newRow("A 199") << 399 << "A199";
    QTest::newRow("A-P1") << 400 << "A-P1";
    QTest::newRow("A-P2") << 401 << "A-P2";
    QTest::newRow("B 0") << 402 << "B  0";
    QTest::newRow("B-P1") << 602 << "B-P1";
    QTest::newRow("B-P2") << 603 << "B-P2";
}

void ChannelGridTest::rowLabels()
{
    QFETCH(int, channel);
    QFETCH(QString, label);
    QCOMPARE(m_panel->model()->headerData(channel, Qt::Vertical).toString(), label);
}

void ChannelGridTest::titlesWidthsAndHiddenColumns()
{
    const QStringList titles{"Frequency", "Mode", "Gain",        "AGC",  "Pwr", "Filter",
                             "Tone",      "NB",   "Split Freq.", "Name", "Skip"};
    QTableView *grid = m_panel->grid();
    for (int column = 0; column < titles.size(); ++column)
        QCOMPARE(m_panel->model()->headerData(column, Qt::Horizontal).toString(), titles[column]);

    // Widths keep the proportions of the twips layout, never fall below it, and the widest texts fit.
    const int twips[] = {900, 600, 450, 600, 0, 650, 0, 600, 0, 900, 600};
    const auto plain = [&](int t) { return (t * grid->logicalDpiX() + 720) / 1440; };
    const double scale = double(grid->columnWidth(ColFrequency)) / plain(900);
    for (int column = 0; column < 11; ++column) {
        QCOMPARE(grid->isColumnHidden(column), twips[column] == 0);
        if (!twips[column])
            continue;
        QVERIFY(grid->columnWidth(column) >= plain(twips[column]));
        QVERIFY(qAbs(grid->columnWidth(column) - plain(twips[column]) * scale) <= 1.5);
    }
    QVERIFY(qAbs(grid->verticalHeader()->width() - plain(650) * scale) <= 1.5);
    const QFontMetrics metrics = grid->fontMetrics();
    QVERIFY(metrics.horizontalAdvance(QStringLiteral("34.999.999")) + 4 <= grid->columnWidth(ColFrequency));
    QVERIFY(metrics.horizontalAdvance(QStringLiteral("Narrow")) + 4 <= grid->columnWidth(ColFilter));
    QVERIFY(metrics.horizontalAdvance(QStringLiteral("+10")) + 4 <= grid->columnWidth(ColGain));
    QVERIFY(metrics.horizontalAdvance(QStringLiteral("B199")) + 4 <= grid->verticalHeader()->width());
    QVERIFY(grid->isColumnHidden(ColPwr) && grid->isColumnHidden(ColTone) && grid->isColumnHidden(ColSplit));
}

void ChannelGridTest::emptyChannelShowsBlankRow()
{
    ChannelRow row = usedChannel(7'050'000, QStringLiteral("AB 1"), 1, true);
    table()[3] = row;
    row.inUse = false; // texts left behind must not show
    table()[4] = row;
    m_panel->refreshAll();
    ChannelTableModel *model = m_panel->model();
    QCOMPARE(model->data(model->index(3, ColFrequency)).toString(), QStringLiteral("7.050.000"));
    QCOMPARE(model->data(model->index(3, ColMode)).toString(), QStringLiteral("LSB"));
    QCOMPARE(model->data(model->index(3, ColName)).toString(), QStringLiteral("AB 1"));
    QCOMPARE(model->data(model->index(3, ColSkip)).toString(), QStringLiteral("Skip"));
    for (int column = 0; column < kChannelColumns; ++column)
        QCOMPARE(model->data(model->index(4, column)).toString(), QString());
}

void ChannelGridTest::refreshSignalsCoverTheirRows()
{
    ChannelTableModel *model = m_panel->model();
    QSignalSpy spy(model, &QAbstractItemModel::dataChanged);
    model->refreshAll();
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].toModelIndex(), model->index(0, 0));
    QCOMPARE(spy[0][1].toModelIndex(), model->index(603, 10));
    spy.clear();
    model->refreshChannel(401);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].toModelIndex(), model->index(401, 0));
    QCOMPARE(spy[0][1].toModelIndex(), model->index(401, 10));
}

void ChannelGridTest::thirteenRowsInView()
{
    QTableView *grid = m_panel->grid();
    const int height = grid->viewport()->height();
    QCOMPARE(grid->rowAt(0), 0);
    QCOMPARE(grid->rowAt(height - 1), 12);
    QCOMPARE(grid->rowViewportPosition(12) + grid->rowHeight(12), height);
    QCOMPARE(grid->verticalScrollBar()->maximum(), 604 - 13);
}

void ChannelGridTest::clickSelectsTheWholeRow()
{
    fillTable();
    QTableView *grid = m_panel->grid();
    const QRect cell = grid->visualRect(m_panel->model()->index(6, ColName));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(m_panel->currentChannel(), 6);
    QVERIFY(grid->selectionModel()->isRowSelected(6, {}));
    QCOMPARE(grid->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(grid->selectionModel()->selectedIndexes().size(), kChannelColumns);
}

void ChannelGridTest::insert_data()
{
    QTest::addColumn<int>("channel");
    QTest::newRow("row 1") << 0;
    QTest::newRow("row 5") << 4;
    QTest::newRow("row 200") << 199;
    QTest::newRow("bank A") << 200;
    QTest::newRow("A-P1") << 400;
    QTest::newRow("B-P2") << 603;
}

void ChannelGridTest::insert()
{
    QFETCH(int, channel);
    fillTable();
    const ChannelTable before = table();
    selectRow(channel);
    QSignalSpy redraws(m_panel->model(), &QAbstractItemModel::dataChanged);
    click("cmbInsert");

    QVERIFY(m_prompts->messages.isEmpty()); // Insert asks nothing
    if (channel >= 200) {
        QVERIFY(table() == before);
        QVERIFY(!m_document->dataChanged());
        QCOMPARE(redraws.size(), 0);
        return;
    }
    QVERIFY(m_document->dataChanged());
    for (int i = 0; i < channel; ++i)
        QCOMPARE(table()[i], before[i]);
    QCOMPARE(table()[channel], ChannelRow{});
    for (int i = channel + 1; i < 200; ++i)
        QCOMPARE(table()[i], before[i - 1]); // the old 199 is gone
    for (int i = 200; i < kChannelCount; ++i)
        QCOMPARE(table()[i], before[i]);
    QCOMPARE(redraws.size(), 1);
    QCOMPARE(redraws[0][0].toModelIndex().row(), channel);
    QCOMPARE(redraws[0][1].toModelIndex().row(), 199);
    QCOMPARE(m_panel->model()->data(m_panel->model()->index(channel, ColFrequency)).toString(), QString());
}

void ChannelGridTest::deleteChannel_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::newRow("row 1") << 0 << QMessageBox::Ok;
    QTest::newRow("row 5") << 4 << QMessageBox::Ok;
    QTest::newRow("row 200") << 199 << QMessageBox::Ok;
    QTest::newRow("row 5, cancelled") << 4 << QMessageBox::Cancel;
    QTest::newRow("bank A") << 250 << QMessageBox::Ok;
    QTest::newRow("B-P1") << 602 << QMessageBox::Ok;
}

void ChannelGridTest::deleteChannel()
{
    QFETCH(int, channel);
    QFETCH(QMessageBox::StandardButton, answer);
    fillTable();
    const ChannelTable before = table();
    selectRow(channel);
    m_prompts->answers.enqueue(answer);
    click("cmbDelete");

    if (channel >= 200) {
        QVERIFY(m_prompts->messages.isEmpty());
        QVERIFY(table() == before);
        QVERIFY(!m_document->dataChanged());
        return;
    }
    QCOMPARE(m_prompts->messages.size(), 1);
    const MessageRequest &asked = m_prompts->messages.first();
    QCOMPARE(asked.title, QStringLiteral("DELETE OK"));
    QCOMPARE(asked.text, kDeleteText);
    QCOMPARE(asked.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(asked.defaultButton, QMessageBox::Cancel);
    QCOMPARE(asked.icon, QMessageBox::Warning);
    if (answer == QMessageBox::Cancel) {
        QVERIFY(table() == before);
        QVERIFY(!m_document->dataChanged());
        return;
    }
    QVERIFY(m_document->dataChanged());
    for (int i = 0; i < channel; ++i)
        QCOMPARE(table()[i], before[i]);
    for (int i = channel; i < 199; ++i)
        QCOMPARE(table()[i], before[i + 1]);
    QCOMPARE(table()[199], ChannelRow{}); // name and skip too
    for (int i = 200; i < kChannelCount; ++i)
        QCOMPARE(table()[i], before[i]);
}

void ChannelGridTest::clear_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::newRow("row 1") << 0 << QMessageBox::Ok;
    QTest::newRow("A-P1") << 400 << QMessageBox::Ok;
    QTest::newRow("B-P2") << 603 << QMessageBox::Ok;
    QTest::newRow("A-P1, cancelled") << 400 << QMessageBox::Cancel;
}

void ChannelGridTest::clear()
{
    QFETCH(int, channel);
    QFETCH(QMessageBox::StandardButton, answer);
    fillTable();
    const ChannelTable before = table();
    selectRow(channel);
    m_prompts->answers.enqueue(answer);
    click("cmbClear");

    QCOMPARE(m_prompts->messages.size(), 1);
    const MessageRequest &asked = m_prompts->messages.first();
    QCOMPARE(asked.title, QStringLiteral("CLEAR OK"));
    QCOMPARE(asked.text, kClearText);
    QCOMPARE(asked.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(asked.defaultButton, QMessageBox::Cancel);
    QCOMPARE(asked.icon, QMessageBox::Warning);
    ChannelTable expected = before;
    if (answer == QMessageBox::Ok)
        expected[channel].clear();
    QVERIFY(table() == expected);
    QCOMPARE(m_document->dataChanged(), answer == QMessageBox::Ok);
    QCOMPARE(m_panel->model()->data(m_panel->model()->index(channel, ColName)).toString(),
             answer == QMessageBox::Ok ? QString() : before[channel].cells[ColName].text);
}

void ChannelGridTest::clearAll_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::newRow("OK") << QMessageBox::Ok;
    QTest::newRow("Cancel") << QMessageBox::Cancel;
}

void ChannelGridTest::clearAll()
{
    QFETCH(QMessageBox::StandardButton, answer);
    fillTable();
    const ChannelTable before = table();
    selectRow(450);
    QSignalSpy redraws(m_panel->model(), &QAbstractItemModel::dataChanged);
    m_prompts->answers.enqueue(answer);
    click("cmbClAll");

    QCOMPARE(m_prompts->messages.size(), 1);
    const MessageRequest &asked = m_prompts->messages.first();
    QCOMPARE(asked.title, QStringLiteral("CLEAR OK"));
    QCOMPARE(asked.text, kClearAllText);
    QCOMPARE(asked.defaultButton, QMessageBox::Cancel);
    QCOMPARE(asked.icon, QMessageBox::Warning);
    if (answer == QMessageBox::Cancel) {
        QVERIFY(table() == before);
        QVERIFY(!m_document->dataChanged());
        QCOMPARE(redraws.size(), 0);
        return;
    }
    QVERIFY(table() == ChannelTable{});
    QVERIFY(m_document->dataChanged());
    QCOMPARE(redraws.size(), 1);
    QCOMPARE(m_panel->model()->data(m_panel->model()->index(603, ColFrequency)).toString(), QString());
}

void ChannelGridTest::upAndDown_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("expectedChannel");
    QTest::addColumn<int>("expectedTop");

    QTest::newRow("Up at row 1 stays") << "Command5" << 0 << 0 << 0 << 0;
    QTest::newRow("Up inside the view") << "Command5" << 5 << 0 << 4 << 0;
    QTest::newRow("Up onto the row above the view") << "Command5" << 20 << 20 << 19 << 19;
    QTest::newRow("Up to a row far above the view") << "Command5" << 20 << 100 << 19 << 19;
    QTest::newRow("Up to a row far below the view") << "Command5" << 150 << 0 << 149 << 137;
    QTest::newRow("Up from 450 selects 449") << "Command5" << 449 << 440 << 448 << 440;
    QTest::newRow("Up from A 0 leaves the bank") << "Command5" << 200 << 195 << 199 << 195;

    QTest::newRow("Down inside the view") << "Command4" << 5 << 0 << 6 << 0;
    QTest::newRow("Down onto the row below the view") << "Command4" << 12 << 0 << 13 << 1;
    QTest::newRow("Down to a row above the view") << "Command4" << 10 << 100 << 11 << 11;
    QTest::newRow("Down at row 200 stays") << "Command4" << 199 << 190 << 199 << 190;
    QTest::newRow("Down at row 200 out of view") << "Command4" << 199 << 0 << 199 << 187;
    QTest::newRow("Down from 450 stays on 450") << "Command4" << 449 << 440 << 449 << 440;
    QTest::newRow("Down on the last row shows the last 13") << "Command4" << 603 << 591 << 603 << 591;
    QTest::newRow("Down on the last row out of view") << "Command4" << 603 << 0 << 603 << 591;
}

void ChannelGridTest::upAndDown()
{
    QFETCH(QString, buttonName);
    QFETCH(int, channel);
    QFETCH(int, top);
    QFETCH(int, expectedChannel);
    QFETCH(int, expectedTop);
    fillTable();
    selectRow(channel);
    m_panel->setTopChannel(top);
    QCOMPARE(m_panel->topChannel(), top);

    click(buttonName.toLatin1().constData());
    QCOMPARE(m_panel->currentChannel(), expectedChannel);
    QCOMPARE(m_panel->topChannel(), expectedTop);
    QTableView *grid = m_panel->grid();
    QCOMPARE(grid->selectionModel()->selectedRows().size(), 1);
    QVERIFY(grid->selectionModel()->isRowSelected(expectedChannel, {}));
    QCOMPARE(grid->rowAt(0), expectedTop); // what the view shows, not only the scroll bar
    QVERIFY(!m_document->dataChanged());
}

void ChannelGridTest::doubleClickEditsTheRow()
{
    fillTable();
    ModifyDialog dialog(*m_document, *m_prompts, m_panel.get());
    m_panel->setModifyDialog(&dialog);
    QSignalSpy requests(m_panel.get(), &MemoryPanel::modifyRequested);

    QTableView *grid = m_panel->grid();
    const QRect cell = grid->visualRect(m_panel->model()->index(3, ColMode));
    bool sawDialog = false;
    QTimer::singleShot(0, &dialog, [&] {
        sawDialog = dialog.isVisible();
        auto *mhz = dialog.findChild<QLineEdit *>(QStringLiteral("txtFreq"));
        auto *khz = dialog.findChild<QLineEdit *>(QStringLiteral("txtFreq2"));
        mhz->setText(QStringLiteral("21"));
        khz->setText(QStringLiteral("300"));
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("OKButton")), Qt::LeftButton);
    });
    doubleClick(grid, cell.center());

    QVERIFY(sawDialog);
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests[0][0].toInt(), 3);
    QCOMPARE(table()[3].cells[ColFrequency].value, 21'300'000.0);
    QCOMPARE(m_panel->model()->data(m_panel->model()->index(3, ColFrequency)).toString(),
             QStringLiteral("21.300.000"));
    QVERIFY(m_document->dataChanged());
}

void ChannelGridTest::busyDisablesEditingButKeepsScrolling()
{
    fillTable();
    ModifyDialog dialog(*m_document, *m_prompts, m_panel.get());
    m_panel->setModifyDialog(&dialog);
    QSignalSpy requests(m_panel.get(), &MemoryPanel::modifyRequested);
    QSignalSpy reads(m_panel.get(), &MemoryPanel::readMemoryRequested);
    QSignalSpy writes(m_panel.get(), &MemoryPanel::writeMemoryRequested);

    m_panel->setBusy(true);
    for (const char *name : {"cmbClear", "cmbInsert", "cmbClAll", "cmbDelete", "cmbRxData", "cmbTxData"})
        QVERIFY2(!button(name)->isEnabled(), name);
    QVERIFY(button("Command4")->isEnabled());
    QVERIFY(m_panel->grid()->isEnabled());
    m_panel->modifyCurrentChannel();
    const QRect cell = m_panel->grid()->visualRect(m_panel->model()->index(2, ColMode));
    doubleClick(m_panel->grid(), cell.center());
    QCOMPARE(requests.size(), 0);
    QVERIFY(!dialog.isVisible());
    m_panel->setTopChannel(300);
    QCOMPARE(m_panel->topChannel(), 300);

    m_panel->setBusy(false);
    click("cmbRxData");
    click("cmbTxData");
    QCOMPARE(reads.size(), 1);
    QCOMPARE(writes.size(), 1);
}

void ChannelGridTest::imageReplacedRedrawsEverything()
{
    QSignalSpy redraws(m_panel->model(), &QAbstractItemModel::dataChanged);
    selectRow(77);
    m_document->newImage();
    QCOMPARE(redraws.size(), 1);
    QCOMPARE(redraws[0][1].toModelIndex().row(), 603);
    QCOMPARE(m_panel->currentChannel(), 77); // a redraw keeps the current row
}

QTEST_MAIN(ChannelGridTest)
#include "tst_channelgrid.moc"
