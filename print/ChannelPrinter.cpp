// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/ChannelPrinter.h"

#include "model/ChannelNaming.h"
#include "model/FieldText.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <numeric>

namespace ktv4 {

namespace {

constexpr qreal kFontPoints = 9;
constexpr int kCardRows = 50;        // channels in one column of a card page
constexpr int kMaxCardColumns = 3;   // 150 channels a page
constexpr qreal kCellPadding = 0.6;  // of a character's height, between two columns
constexpr qreal kLineSpacing = 1.35; // row height, of the font's height
constexpr qreal kMarginMm = 12;

QString tr(const char *text)
{
    return QCoreApplication::translate("ChannelPrinter", text);
}

// The printout's font: a Latin face, and a Japanese one for what the Latin face has no glyph for.
QFont printFont(qreal points, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK JP")});
    font.setPointSizeF(points);
    font.setBold(bold);
    // A trace of spacing keeps "ff" and "fi" as letters of their own, so the PDF's text can be
    // searched and copied as it reads ("Off", not a ligature).
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.01);
    return font;
}

// How the pages of a job are laid out on one device.
struct PageLayout {
    QRectF area;    // the printable area, in the painter's coordinates
    qreal line = 0; // one row
    qreal headerHeight = 0;
    qreal footerHeight = 0;
    qreal points = kFontPoints;
    int rowsPerPage = 1; // list rows, or rows of one card column
    int cardColumns = 1;
    QList<qreal> widths; // list: label + each column; card: label, frequency, mode, name
    int perPage() const { return rowsPerPage * cardColumns; }
};

QString cellText(const RadioImage &image, int channel, int column)
{
    return column < 0 ? gridRowLabel(channel)
                      : channelFieldText(image.channels[channel], ChannelColumn(column));
}

// The label column (-1) and the job's columns for the list; label, frequency, mode, name for cards.
QList<int> printedColumns(const PrintJob &job)
{
    return QList<int>{-1} +
           (job.layout == PrintLayout::List ? job.columns : QList<int>{ColFrequency, ColMode, ColName});
}

QList<qreal> columnWidths(const RadioImage &image, const PrintJob &job, const QFontMetricsF &metrics)
{
    QList<qreal> widths;
    const qreal padding = metrics.height() * kCellPadding;
    for (int column : printedColumns(job)) {
        qreal width = column < 0 ? 0 : metrics.horizontalAdvance(channelColumnTitles().value(column));
        for (int channel : job.channels)
            width = std::max(width, metrics.horizontalAdvance(cellText(image, channel, column)));
        widths << width + padding;
    }
    return widths;
}

PageLayout layOut(QPagedPaintDevice &device, const RadioImage &image, const PrintJob &job)
{
    PageLayout page;
    const int dpi = device.logicalDpiY();
    page.area = QRectF(QPointF(0, 0), device.pageLayout().paintRectPixels(dpi).size());
    qreal points = kFontPoints;
    const qreal lineOf = QFontMetricsF(printFont(points), &device).height() * kLineSpacing;
    page.headerHeight = 3 * lineOf;
    page.footerHeight = 1.5 * lineOf;
    const qreal body = page.area.height() - page.headerHeight - page.footerHeight;
    if (job.layout == PrintLayout::Card) {
        // Small enough for a full column of a card: the heading and footer keep their size.
        points = std::min(kFontPoints, kFontPoints * body / (kCardRows + 1) / lineOf);
    }
    page.points = points;
    const QFontMetricsF metrics(printFont(points), &device);
    page.line = metrics.height() * kLineSpacing;
    page.widths = columnWidths(image, job, metrics);
    const qreal total = std::accumulate(page.widths.cbegin(), page.widths.cend(), qreal(0));
    if (job.layout == PrintLayout::Card) {
        page.rowsPerPage = kCardRows;
        page.cardColumns =
            std::clamp(int(page.area.width() / (total + 2 * metrics.height())), 2, kMaxCardColumns);
    } else {
        page.rowsPerPage = std::max(1, int((body - page.line) / page.line)); // less the headings row
        if (total > page.area.width()) {
            for (qreal &width : page.widths)
                width *= page.area.width() / total;
        }
    }
    return page;
}

void drawCell(QPainter &painter, const QRectF &cell, const QString &text, Qt::Alignment align = Qt::AlignLeft)
{
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, int(cell.width()));
    painter.drawText(cell, int(align | Qt::AlignVCenter) | Qt::TextSingleLine, shown);
}

void drawFrame(QPainter &painter, const PageLayout &page, const RadioImage &image, const PrintJob &job,
               int number, int pages)
{
    const QRectF &a = page.area;
    const qreal line = page.headerHeight / 3;
    painter.setFont(printFont(kFontPoints, true));
    const QString name = job.fileName.isEmpty() ? tr("(not saved)") : job.fileName;
    drawCell(painter, QRectF(a.left(), a.top(), a.width() * 0.7, line), name);
    painter.setFont(printFont(kFontPoints));
    drawCell(painter, QRectF(a.left() + a.width() * 0.7, a.top(), a.width() * 0.3, line),
             job.date.toString(Qt::ISODate), Qt::AlignRight);
    drawCell(painter, QRectF(a.left(), a.top() + line, a.width(), line),
             tr("%1    Image checksum %2").arg(modelOptionCaption(job.modelIndex), imageChecksum(image)));
    painter.drawLine(QPointF(a.left(), a.top() + 2.4 * line), QPointF(a.right(), a.top() + 2.4 * line));
    drawCell(painter, QRectF(a.left(), a.bottom() - line, a.width(), line),
             tr("Page %1 of %2").arg(number).arg(pages), Qt::AlignHCenter);
}

// One row of cells from x on; the label in bold.
void drawRow(QPainter &painter, const PageLayout &page, qreal x, qreal y, const QStringList &texts)
{
    for (qsizetype i = 0; i < texts.size(); ++i) {
        painter.setFont(printFont(page.points, i == 0));
        drawCell(painter, QRectF(x, y, page.widths[i], page.line), texts[i]);
        x += page.widths[i];
    }
}

QStringList rowTexts(const RadioImage &image, const PrintJob &job, int channel)
{
    QStringList texts;
    for (int column : printedColumns(job))
        texts << cellText(image, channel, column);
    return texts;
}

void drawListPage(QPainter &painter, const PageLayout &page, const RadioImage &image, const PrintJob &job,
                  int first)
{
    QStringList headings{QString()};
    for (int column : job.columns)
        headings << channelColumnTitles().value(column);
    qreal y = page.area.top() + page.headerHeight;
    drawRow(painter, page, page.area.left(), y, headings);
    painter.drawLine(QPointF(page.area.left(), y + page.line), QPointF(page.area.right(), y + page.line));
    const int last = std::min<int>(first + page.rowsPerPage, job.channels.size());
    for (int i = first; i < last; ++i) {
        y += page.line;
        drawRow(painter, page, page.area.left(), y, rowTexts(image, job, job.channels[i]));
    }
}

void drawCardPage(QPainter &painter, const PageLayout &page, const RadioImage &image, const PrintJob &job,
                  int first)
{
    const int count = std::min<int>(page.perPage(), job.channels.size() - first);
    const int rows = std::min(page.rowsPerPage, (count + page.cardColumns - 1) / page.cardColumns);
    const qreal columnWidth = page.area.width() / page.cardColumns;
    for (int i = 0; i < count; ++i) {
        const qreal x = page.area.left() + (i / rows) * columnWidth;
        const qreal y = page.area.top() + page.headerHeight + (i % rows) * page.line;
        drawRow(painter, page, x, y, rowTexts(image, job, job.channels[first + i]));
    }
}

} // namespace

QList<int> printedChannels(const ChannelTable &channels)
{
    QList<int> inUse;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        if (channels[channel].inUse)
            inUse << channel;
    }
    return inUse;
}

QList<int> defaultPrintColumns()
{
    return {ColFrequency, ColMode, ColGain, ColAgc, ColFilter, ColNb, ColName, ColSkip};
}

QString imageChecksum(const RadioImage &image)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const RecordBytes &record : imageRecords(image))
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(record.data()), qsizetype(record.size())));
    return QString::fromLatin1(hash.result().toHex().left(8).toUpper());
}

int printChannels(QPagedPaintDevice &device, const RadioImage &image, const PrintJob &job)
{
    const PageLayout page = layOut(device, image, job);
    const int pages = std::max<int>(1, (job.channels.size() + page.perPage() - 1) / page.perPage());
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    for (int number = 1; number <= pages; ++number) {
        if (number > 1 && !device.newPage())
            return 0;
        drawFrame(painter, page, image, job, number, pages);
        const int first = (number - 1) * page.perPage();
        if (job.layout == PrintLayout::List)
            drawListPage(painter, page, image, job, first);
        else
            drawCardPage(painter, page, image, job, first);
    }
    return painter.end() ? pages : 0;
}

QByteArray printToPdf(const RadioImage &image, const PrintJob &job, const QPageSize &size, int *pages)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    int printed = 0;
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        writer.setTitle(job.fileName);
        writer.setCreator(QStringLiteral("KT-V4 Clone Utility"));
        printed = printChannels(writer, image, job);
    } // the writer finishes the document as it goes
    if (pages)
        *pages = printed;
    return printed > 0 ? bytes : QByteArray();
}

} // namespace ktv4
