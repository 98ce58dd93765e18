#pragma once

#include "prepared_report.h"
#include "row_layout.h"

#include <QFont>
#include <QList>
#include <QPair>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QTextDocument;

namespace report {

// The font family a report is printed in: wanted when installed, else the first installed of
// Liberation Serif, Noto Serif and Noto Sans (all have every Vietnamese letter).
QString printFontFamily(const QString& wanted);

// Places a prepared report on the pages of a device, one pass over its rows: compose() lays out
// every row once and keeps, per page, what goes where (the layouts themselves, not their text);
// paint() then draws the kept pages, so the page numbers can say how many pages there are
// without a second layout. ReportRenderer runs it.
class PageComposer
{
public:
    PageComposer(const PreparedReport& report, QPagedPaintDevice* device);
    ~PageComposer();

    // Places everything; returns the number of pages. Runs once.
    int compose();
    // Paints the composed pages on painter (begun on the device, or on another device of the
    // same measures), moving to a new page between them with nextPage (by default the device's
    // newPage); {{pages}} in the page numbers prints the number of pages.
    void paint(QPainter* painter, const std::function<void()>& nextPage = {}) const;

private:
    // One drawing step of a page.
    struct Step
    {
        enum class Kind : quint8
        {
            Line,     // a line from (x1, y1) to (x2, y2)
            Fill,     // the shading of a rectangle x1, y1, x2 (width), y2 (height)
            Whole,    // every line of layout at y1
            Slice,    // slice number `slice` of layout at y1
            Document, // document at y1, clipped to height y2
            PageNumber
        };
        Kind kind;
        int slice = 0;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        const RowLayout* layout = nullptr;
        QTextDocument* document = nullptr;
    };
    void add(const Step& step) { m_pages.back().push_back(step); }
    void line(double x1, double y1, double x2, double y2);
    void startPage();
    double headerHeight() const; // the header row, with the row of column numbers when there is one

    double mm(double millimetres) const { return millimetres * m_dpi / 25.4; }
    void beginTable();
    std::vector<std::unique_ptr<RowLayout>> layOutRows() const; // every row, in order
    void drawRow(const ReportRow& row, std::unique_ptr<RowLayout> laidOut);
    // keep_rows: the row's layout in a smaller type when it does not fit in room at the report's size.
    void fitRow(const ReportRow& row, double room);
    void drawGroupRow(const QString& caption);
    double groupRowHeight(const QString& caption) const;
    void drawClosing();
    void newPage(bool continueGroup);
    void finishTable(); // draws the column lines and frame of the table on this page
    void finishPage();
    void closeSegment();
    void horizontalLine(double y);

    const PreparedReport& m_report;
    QPagedPaintDevice* m_device;

    double m_dpi = 0;
    double m_pageWidth = 0;
    double m_bodyBottom = 0; // above the page number band
    double m_footerHeight = 0;
    double m_penWidth = 0;
    QFont m_font;
    QFont m_boldFont;
    QFont m_footerFont;
    QFont m_deviceFont; // m_font and m_boldFont made for the device
    QFont m_deviceBoldFont;
    double m_lineHeight = 0;
    TableGeometry m_geometry;
    std::unique_ptr<RowLayout> m_header;
    std::unique_ptr<RowLayout> m_columnNumbers; // "(1)", "(2)", ... or none
    std::unique_ptr<QTextDocument> m_cover;
    std::unique_ptr<QTextDocument> m_heading;
    std::unique_ptr<QTextDocument> m_closing;

    int m_page = 1;
    int m_unnumberedPages = 0; // the cover: no page number, not counted in {{page}} and {{pages}}
    double m_y = 0;
    bool m_tableOnPage = false;
    bool m_rowsOnPage = false;
    double m_tableTop = 0;
    double m_segmentTop = 0;                 // top of the current run of rows with inner lines
    QList<QPair<double, double>> m_segments; // finished runs on this page
    QString m_group;                         // caption of the group being printed

    std::vector<std::unique_ptr<RowLayout>> m_layouts; // every row and group row, laid out once
    std::vector<std::vector<Step>> m_pages;
};

} // namespace report
