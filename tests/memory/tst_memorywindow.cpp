// The Memory tab inside the main window: File > Import and Edit > Modify. Export and the Save
// that follows it are the file command suite's.

#include "MemoryFixtures.h"
#include "support/WindowFixture.h"

#include "ui/ChannelTableModel.h"
#include "ui/MemoryPanel.h"
#include "ui/ModifyDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace fixture;
using ktv4::test::usedChannel;

class MemoryWindowTest : public QObject {
    Q_OBJECT

private slots:
    void importFromTheMenuRedrawsTheGrid();
    void modifyOnTheMemoryTabEditsTheCurrentRow();
};

void MemoryWindowTest::importFromTheMenuRedrawsTheGrid()
{
    Window w;
    QVERIFY(writeAll(
        w.path("in.csv"),
        "\"KT-V4\",\"MEMORY\",\"A-P1\",\"14.074.000\",\"USB\",\"0\",\"FAST\",\"WIDE\",\"OFF\",\"FT8\","
        "\"\"\r\n"
        "\"KT-V4\",\"MEMORY\",\"199\",\"3.573.000\",\"LSB\",\"-10\",\"SLOW\",\"NARROW\",\"ON\",\"X\","
        "\"SKIP\"\r\n"));
    w.window->showTab(MainWindow::MemoryTab);
    w.window->memoryPanel()->selectChannel(300);
    w.prompts.fileNames.enqueue(w.path("in.csv"));
    w.action("mnuImport")->trigger();

    QVERIFY(w.prompts.messages.isEmpty());
    QCOMPARE(w.shown(400, ColFrequency), QStringLiteral("14.074.000"));
    QCOMPARE(w.shown(400, ColName), QStringLiteral("FT8"));
    QCOMPARE(w.shown(199, ColSkip), QStringLiteral("Skip"));
    QCOMPARE(w.window->memoryPanel()->currentChannel(), 0);
    QCOMPARE(w.window->windowTitle(), AppTitle());
    QVERIFY(w.document().dataChanged()); // the merged channels are not saved yet
}

void MemoryWindowTest::modifyOnTheMemoryTabEditsTheCurrentRow()
{
    Window w;
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    w.window->showTab(MainWindow::MemoryTab);
    MemoryPanel *panel = w.window->memoryPanel();
    panel->selectChannel(401);

    auto *dialog = w.window->findChild<ModifyDialog *>();
    QVERIFY(dialog);
    QString bank, number;
    QTimer::singleShot(0, dialog, [&] {
        bank = dialog->findChild<QLabel *>(QStringLiteral("lblMode"))->text();
        number = dialog->findChild<QLabel *>(QStringLiteral("lblCH"))->text();
        auto *mhz = dialog->findChild<QLineEdit *>(QStringLiteral("txtFreq"));
        QTest::keyClicks(mhz, QStringLiteral("28"));
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OKButton")), Qt::LeftButton);
    });
    w.action("mnuEditUndo")->trigger();

    QCOMPARE(bank, QStringLiteral("Memory A"));
    QCOMPARE(number, QStringLiteral("P2"));
    QVERIFY(w.document().image().channels[401].inUse);
    QCOMPARE(w.shown(401, ColFrequency), QStringLiteral("28.100.000")); // the kHz default of KT-V4E
    QVERIFY(w.document().dataChanged());
    QVERIFY(w.window->windowTitle() == AppTitle());
}

QTEST_MAIN(MemoryWindowTest)
#include "tst_memorywindow.moc"
