#pragma once

#include <QFont>
#include <QHash>
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
    // A text laid out in a column, shared by every cell of the same text in that column (a
    // register repeats its senders, types and dates on thousands of rows).
    struct CellText;
    // The texts laid out so far, by column and text; for one font and one geometry, used by one
    // thread at a time.
    using Cache = QHash<QString, std::shared_ptr<const CellText>>;

    // texts holds one text per column; a line break ("\n") starts a new line in the cell.
    // deviceFont is the font already made for the paint device (QFont(font, device)). With
    // cache, a text laid out before in the same column is not laid out again.
    RowLayout(const QStringList& texts, const TableGeometry& geometry, const QFont& deviceFont, Cache* cache = nullptr);
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
