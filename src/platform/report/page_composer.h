#pragma once

#include "prepared_report.h"
#include "row_layout.h"

#include <QFont>
#include <QList>
#include <QPair>
#include <QString>
#include <memory>

class QPagedPaintDevice;
class QPainter;
class QTextDocument;

namespace report {

// Places a prepared report on pages, one pass over its rows. With a painter it paints each
// page and moves the device to the next; without one it only counts the pages, so that the
// page numbers can say how many there are. ReportRenderer runs it.
class PageComposer
{
public:
    // totalPages is printed by {{pages}} in the page numbers (0 when not known).
    PageComposer(const PreparedReport& report, QPagedPaintDevice* device, QPainter* painter, int totalPages);
    ~PageComposer();

    // Places everything; returns the number of pages.
    int run();

private:
    double mm(double millimetres) const { return millimetres * m_dpi / 25.4; }
    void beginTable();
    void drawRow(const ReportRow& row);
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
    QPainter* m_painter;
    int m_totalPages;

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
    std::unique_ptr<QTextDocument> m_heading;
    std::unique_ptr<QTextDocument> m_closing;

    int m_page = 1;
    double m_y = 0;
    bool m_tableOnPage = false;
    bool m_rowsOnPage = false;
    double m_tableTop = 0;
    double m_segmentTop = 0;                 // top of the current run of rows with inner lines
    QList<QPair<double, double>> m_segments; // finished runs on this page
    QString m_group;                         // caption of the group being printed
};

} // namespace report
