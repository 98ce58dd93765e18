#pragma once

#include <QFont>
#include <QList>
#include <QStringList>
#include <memory>
#include <vector>

class QPainter;
class QTextLayout;

namespace report {

// Where the table's columns lie on the page, in device pixels.
struct TableGeometry
{
    QList<double> left;  // left edge of each column
    QList<double> width; // width of each column
    QList<Qt::Alignment> align;
    double padding = 0; // inside each cell, on all four sides
    double tableWidth() const { return left.isEmpty() ? 0 : left.back() + width.back() - left.front(); }
};

// The texts of one table row laid out in their columns, wrapped at word boundaries (anywhere in a
// word longer than its column). A row can be drawn whole or in slices across pages: each slice
// takes, per cell, the next lines that fit.
class RowLayout
{
public:
    // texts holds one text per column; a line break ("\n") starts a new line in the cell.
    // deviceFont is the font already made for the paint device (QFont(font, device)).
    RowLayout(const QStringList& texts, const TableGeometry& geometry, const QFont& deviceFont);
    ~RowLayout();
    RowLayout(RowLayout&&) noexcept;
    RowLayout& operator=(RowLayout&&) noexcept;

    // Height of the lines not drawn yet, with the cell padding: the whole row before any slice.
    double remainingHeight() const;
    bool finished() const;

    // Draws at top the lines that fit in available height (painter may be null: nothing is
    // painted, the lines are only counted as drawn) and returns the slice's height, padding
    // included. Returns 0 and draws nothing when no line fits, unless force is set, in which case
    // every unfinished cell draws at least one line.
    double drawSlice(QPainter* painter, double top, double available, bool force);

    // The same split without painting: takes the lines that fit as drawSlice does, keeps them as
    // a slice of this row and returns the slice's number (-1 when no line fits) and its height.
    // drawTakenSlice paints a slice taken before, as drawSlice would have painted it at top; the
    // row is laid out once however late its slices are painted.
    int takeSlice(double available, bool force, double* height);
    void drawTakenSlice(QPainter* painter, int slice, double top) const;

    // Draws every line at top (from the first line, whatever was drawn before); returns the height.
    double drawWhole(QPainter* painter, double top) const;

private:
    struct Cell;
    // Per slice taken, per cell: the first line and how many lines.
    struct Taken
    {
        int first;
        int count;
    };
    QList<int> linesFitting(double room, bool force, bool* any) const;
    std::vector<std::unique_ptr<Cell>> m_cells;
    std::vector<Taken> m_taken; // one entry per cell for each slice, slice after slice
    TableGeometry m_geometry;
};

} // namespace report
