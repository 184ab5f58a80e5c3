// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sizes of the program's grids. The widths are kept in twips (1/1440 inch), the unit the window's
// layout is drawn in, and turned into pixels for the screen the grid is on.

#include <QList>

#include <array>

class QTableView;
class QWidget;

namespace ktv4::ui {

// ColumnWidths: the grid column widths in twips by grid column (0 = the row-label column).
// The memory grid uses entries 0..11, the VFO grid 0..8; a width of 0 hides the column.
const std::array<int, 14> &columnWidths();

// Twips to pixels at the widget's logical resolution (horizontal or vertical).
int twipsToPixelsX(const QWidget *widget, int twips);
int twipsToPixelsY(const QWidget *widget, int twips);

// The grid widths were drawn for a small 8-point font whose digits are 90 twips wide. A wider
// font widens every column by the same factor (never narrows one), so "34.999.999" still fits
// its column instead of being cut short.
double fontScale(const QWidget *widget);

// The width in twips a zero-width column (Pwr, Tone, Split Freq.) takes when the View menu shows
// it, by grid column; 0 for the other columns.
int shownColumnTwips(int gridColumn);

// Label-column and data-column widths from ColumnWidths (times fontScale) for a grid with
// `dataColumns` columns besides its labels; zero-width columns are hidden unless their model
// column is in `shownColumns`. The grid is never narrower than its columns. Rows get a fixed height that fits
// the font.
void applyColumnWidths(QTableView *grid, int dataColumns, const QList<int> &shownColumns = {});

// Makes the grid at least `rows` data rows high (plus its title row and frame); it may grow.
void setMinimumRowsInView(QTableView *grid, int rows);

// How many whole data rows the grid shows, never fewer than `minimumRows` (a grid not laid out
// yet counts as showing its minimum).
int rowsInView(const QTableView *grid, int minimumRows);

} // namespace ktv4::ui
