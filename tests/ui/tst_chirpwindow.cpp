// File > Import and Export in the other tool's CSV layout: the dialog's filter chooses the layout,
// the import report shows in a box, and the grid shows what was stored.

#include "support/WindowFixture.h"

#include "ui/MemoryCommands.h"

#include <QTest>

using namespace fixture;

class TestChirpWindow : public QObject {
    Q_OBJECT
private slots:
    void filterChoosesTheLayout_data()
    {
        QTest::addColumn<QString>("filter"); // the filter the dialog is left on
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("title"); // of the one box shown; "" = none
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("details");
        QTest::addColumn<QString>("shownName"); // channel 3's name in the grid afterwards

        const QByteArray chirp =
            "Location,Name,Frequency,Mode,Skip\r\n3,Net 40m,7.1,LSB,S\r\n4,2m,146.52,FM,\r\n";
        QTest::newRow("CHIRP filter")
            << MemoryCommands::chirpFilter() << chirp << "CHIRP CSV Import"
            << "Imported 1 channel(s) (0 adjusted), dropped 1 row(s).\n\nThe details "
               "list each row dropped or changed to fit the radio, with the reason."
            << "Line 3, Location 4: dropped: frequency 146.520000 MHz is outside the "
               "radio's range, 0.030000 to 34.999999 MHz"
            << "NET 40M";
        QTest::newRow("CHIRP filter, a file in the program's own layout")
            << MemoryCommands::chirpFilter()
            << QByteArray(
                   "\"KT-V4\",\"MEMORY\",\"3\",\"7.050.000\",\"LSB\",\"0\",\"SLOW\",\"WIDE\",\"OFF\",\"OWN\","
                   "\"\"\r\n")
            << "ERROR"
            << "Data Error"
            << "the first row is not a CHIRP header: it needs Location and Frequency columns"
            << "";
        QTest::newRow("own filter") << "CSV Files (*.csv)"
                                    << QByteArray(
                                           "\"KT-V4\",\"MEMORY\",\"3\",\"7.050.000\",\"LSB\",\"0\",\"SLOW\","
                                           "\"WIDE\",\"OFF\",\"OWN\",\"\"\r\n")
                                    << ""
                                    << ""
                                    << ""
                                    << "OWN";
    }

    void filterChoosesTheLayout()
    {
        QFETCH(QString, filter);
        QFETCH(QByteArray, file);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(QString, details);
        QFETCH(QString, shownName);
        Window w;
        const QString in = w.path("in.csv"), out = w.path("out.csv");
        QVERIFY(writeAll(in, file));
        w.prompts.fileNames << in << out;
        w.prompts.selectedFilters << filter;
        w.action("mnuImport")->trigger();
        QCOMPARE(w.prompts.messages.size(), title.isEmpty() ? 0 : 1);
        if (!title.isEmpty()) {
            QCOMPARE(w.prompts.messages[0].title, title);
            QCOMPARE(w.prompts.messages[0].text, text);
            // An error names the file under the text; the import report lists its rows as details.
            const MessageRequest &box = w.prompts.messages[0];
            const QString shown = title == QLatin1String("ERROR") ? box.informative : box.details;
            QVERIFY2(shown.endsWith(details), qPrintable(shown));
        }
        QCOMPARE(w.shown(3, ColName), shownName);
        QCOMPARE(w.document().dataChanged(), !shownName.isEmpty());

        // Export starts on the filter the import was left on and writes that layout.
        w.action("mnuExport")->trigger();
        QCOMPARE(readAll(out).startsWith("Location,Name,Frequency,"),
                 filter == MemoryCommands::chirpFilter());
        QCOMPARE(w.prompts.fileDialogs[1].filter, MemoryCommands::csvFilter());
    }
};

QTEST_MAIN(TestChirpWindow)
#include "tst_chirpwindow.moc"
