#include "ui/ChannelGridLayout.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

namespace ktv4::ui {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kRowHeightTwips = 240; // the classic grid's row height
constexpr double kDesignDigitTwips = 90;

} // namespace

const std::array<int, 14> &ColumnWidths()
{
    static const std::array<int, 14> widths{650, 900, 600, 450, 600, 0, 650, 0, 600, 0, 900, 600, 500, 500};
    return widths;
}

int twipsToPixelsX(const QWidget *widget, int twips)
{
    return (twips * widget->logicalDpiX() + kTwipsPerInch / 2) / kTwipsPerInch;
}

int twipsToPixelsY(const QWidget *widget, int twips)
{
    return (twips * widget->logicalDpiY() + kTwipsPerInch / 2) / kTwipsPerInch;
}

double fontScale(const QWidget *widget)
{
    const double digitPixels = widget->fontMetrics().horizontalAdvance(QStringLiteral("0123456789")) / 10.0;
    const double designPixels = kDesignDigitTwips * widget->logicalDpiX() / kTwipsPerInch;
    return std::max(1.0, digitPixels / designPixels);
}

void applyColumnWidths(QTableView *grid, int dataColumns)
{
    const auto &widths = ColumnWidths();
    const double scale = fontScale(grid);
    const auto pixels = [&](int twips) {
        return static_cast<int>(twipsToPixelsX(grid, twips) * scale + 0.5);
    };
    grid->verticalHeader()->setFixedWidth(pixels(widths[0]));
    for (int column = 0; column < dataColumns; ++column) {
        const int twips = widths[column + 1];
        grid->setColumnHidden(column, twips == 0);
        if (twips > 0)
            grid->setColumnWidth(column, pixels(twips));
    }

    // Rows as high as the classic grid's, unless the font needs more.
    const int rowHeight = std::max(twipsToPixelsY(grid, kRowHeightTwips), grid->fontMetrics().height() + 4);
    QHeaderView *rows = grid->verticalHeader();
    rows->setMinimumSectionSize(rowHeight);
    rows->setDefaultSectionSize(rowHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setFixedHeight(rowHeight + 2);
}

void fitRowsInView(QTableView *grid, int rows)
{
    const int frame = 2 * grid->frameWidth();
    int width = grid->verticalHeader()->width() + frame;
    for (int column = 0; column < grid->horizontalHeader()->count(); ++column) {
        if (!grid->isColumnHidden(column))
            width += grid->columnWidth(column);
    }
    width += grid->verticalScrollBar()->sizeHint().width();
    grid->setFixedHeight(grid->horizontalHeader()->height() +
                         rows * grid->verticalHeader()->defaultSectionSize() + frame);
    grid->setMinimumWidth(width);
}

} // namespace ktv4::ui
