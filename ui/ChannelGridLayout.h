#pragma once
// Sizes of the program's grids. The widths are kept in twips (1/1440 inch), the unit the radio's
// original layout was drawn in, and turned into pixels for the screen the grid is on.

#include <array>

class QTableView;
class QWidget;

namespace ktv4::ui {

// ColumnWidths: the grid column widths in twips by grid column (0 = the row-label column).
// The memory grid uses entries 0..11, the VFO grid 0..8; a width of 0 hides the column.
const std::array<int, 14> &ColumnWidths();

// Twips to pixels at the widget's logical resolution (horizontal or vertical).
int twipsToPixelsX(const QWidget *widget, int twips);
int twipsToPixelsY(const QWidget *widget, int twips);

// The grid widths were drawn for a small 8-point font whose digits are 90 twips wide. A wider
// font widens every column by the same factor (never narrows one), so "34.999.999" still fits
// its column instead of being cut short.
double fontScale(const QWidget *widget);

// Label-column and data-column widths from ColumnWidths (times fontScale) for a grid with
// `dataColumns` columns besides its labels; zero-width columns are hidden. Rows get a fixed
// height that fits the font.
void applyColumnWidths(QTableView *grid, int dataColumns);

// Makes the grid exactly `rows` data rows high (plus its title row and frame).
void fitRowsInView(QTableView *grid, int rows);

} // namespace ktv4::ui
