// SPDX-License-Identifier: GPL-3.0-or-later
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

const std::array<int, 14> &columnWidths()
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

int shownColumnTwips(int gridColumn)
{
    switch (gridColumn) {
    case 5: // Pwr: "High", "Low"
        return 600;
    case 7: // Tone: "On", "Off"
        return 500;
    case 9: // Split Freq.: a frequency text
        return 900;
    default:
        return 0;
    }
}

void applyColumnWidths(QTableView *grid, int dataColumns, const QList<int> &shownColumns)
{
    const auto &widths = columnWidths();
    const double scale = fontScale(grid);
    const auto pixels = [&](int twips) {
        return static_cast<int>(twipsToPixelsX(grid, twips) * scale + 0.5);
    };
    grid->verticalHeader()->setFixedWidth(pixels(widths[0]));
    int columnsWidth = 0;
    for (int column = 0; column < dataColumns; ++column) {
        int twips = widths[column + 1];
        if (twips == 0 && shownColumns.contains(column))
            twips = shownColumnTwips(column + 1);
        grid->setColumnHidden(column, twips == 0);
        if (twips > 0) {
            grid->setColumnWidth(column, pixels(twips));
            columnsWidth += pixels(twips);
        }
    }
    const int scrollBar = grid->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff
                              ? 0
                              : grid->verticalScrollBar()->sizeHint().width();
    grid->setMinimumWidth(grid->verticalHeader()->width() + columnsWidth + 2 * grid->frameWidth() +
                          scrollBar);

    // Rows as high as the classic grid's, unless the font needs more.
    const int rowHeight = std::max(twipsToPixelsY(grid, kRowHeightTwips), grid->fontMetrics().height() + 4);
    QHeaderView *rows = grid->verticalHeader();
    rows->setMinimumSectionSize(rowHeight);
    rows->setDefaultSectionSize(rowHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setFixedHeight(rowHeight + 2);
    // The last column shown takes the room a wider window gives, so no blank strip stands beside
    // the grid.
    grid->horizontalHeader()->setStretchLastSection(true);
}

void setMinimumRowsInView(QTableView *grid, int rows)
{
    grid->setMinimumHeight(grid->horizontalHeader()->height() +
                           rows * grid->verticalHeader()->defaultSectionSize() + 2 * grid->frameWidth());
}

int rowsInView(const QTableView *grid, int minimumRows)
{
    return std::max(minimumRows, grid->viewport()->height() / grid->verticalHeader()->defaultSectionSize());
}

} // namespace ktv4::ui
