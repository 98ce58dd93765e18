#pragma once

#include "platform/db/database.h"
#include "prepared_report.h"
#include "report_error.h"

#include <QMap>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace report {

// Where a report goes when it is produced.
enum class Destination
{
    Window = 0,  // the preview window (page through, zoom, print, save as PDF)
    Printer = 1, // the default printer
};

// The outcome of producing a report. On failure message is a Vietnamese sentence for the user
// (the print commands show it through the message dialog) and nothing was printed.
struct ReportResult
{
    ReportErrorCode error = ReportErrorCode::None;
    QString message;
    QString outputFile; // the PDF file written when SELVARO_PRINT_TO is set; else ""
    int pageCount = 0;  // pages printed or written; 0 when the report went to the preview window
    bool ok() const { return error == ReportErrorCode::None; }
};

// What the preview window is handed: the report, read once, and the window's place on screen
// (a null rectangle when the command set none).
struct PreviewRequest
{
    std::shared_ptr<const PreparedReport> report;
    QRect geometry;
};
// Shows a preview window; may raise ReportError. Installed once by the program (see preview/).
using Previewer = std::function<void(const PreviewRequest&)>;

// The report control of a print command. The command sets it up in this order: destination,
// report file name, the preview window's left, top, height and width, page margins, numbered
// formulas "name = 'value'", the database holding the data source; then setAction(1) produces
// the report. The date-range print dialog also calls reset() before it sets the destination and
// again before the rest.
//
// The report file (a .rpt file, docs/report_format.md) names the data source: a print table or
// a stored query of the database handed over here. When the environment variable
// SELVARO_PRINT_TO names a folder, every report is written as a PDF file into that folder
// (created when missing) whatever the destination: tests and machines without a screen or
// printer use it.
class ReportControl
{
public:
    ReportControl() = default;

    void setDestination(Destination destination) { m_destination = destination; }
    Destination destination() const { return m_destination; }

    // The report file, for example the program folder + "\data\brcvden.rpt". Backslashes count as
    // folder separators and the name is matched without regard to letter case.
    void setReportFileName(const QString& path) { m_fileName = path; }
    QString reportFileName() const { return m_fileName; }

    // The preview window's place, in pixels. The window uses it only when width and height are
    // both above 0, and never comes out smaller than 640 by 480.
    void setWindowLeft(int pixels) { m_windowLeft = pixels; }
    void setWindowTop(int pixels) { m_windowTop = pixels; }
    void setWindowHeight(int pixels) { m_windowHeight = pixels; }
    void setWindowWidth(int pixels) { m_windowWidth = pixels; }
    QRect windowGeometry() const;

    // Page margins in twips (1440 to the inch). A margin not set keeps the report file's own;
    // a negative value is ignored.
    void setMarginLeft(int twips) { setMargin(m_marginLeft, twips); }
    void setMarginTop(int twips) { setMargin(m_marginTop, twips); }
    void setMarginRight(int twips) { setMargin(m_marginRight, twips); }
    void setMarginBottom(int twips) { setMargin(m_marginBottom, twips); }

    // Formula number index, a text "name = 'value'" (see parseFormula). The report's heading and
    // closing print each value by its name. An empty text removes the formula; a malformed one
    // makes setAction(1) fail with BadFormula.
    void setFormula(int index, const QString& text);
    QString formula(int index) const { return m_formulas.value(index); }

    // The database holding the report's print table or stored query. The handle is kept.
    void setDatabase(const db::Database& database) { m_database = database; }

    // Prepares the control for the next report: forgets the report file name, the formulas,
    // the margins, the window place and the last result. Keeps the destination and the
    // database, so a command that asks where to print before preparing prints where the user
    // chose (the date-range dialog sets the destination between its two preparation calls).
    void reset();

    // Action 1 produces the report (see printReport); any other value changes nothing and
    // returns UnknownAction.
    ReportResult setAction(int action);

    // Reads the report file and its data source and sends the report to its destination: a PDF
    // file under SELVARO_PRINT_TO, else the preview window (PreviewUnavailable when none is
    // installed) or the default printer (NoPrinter when none is installed). Every failure comes
    // back in the result, nothing is thrown; the same result stays in lastResult().
    ReportResult printReport();
    const ReportResult& lastResult() const { return m_lastResult; }

    // The preview window used for Destination::Window, shared by every control; an empty
    // function removes it.
    static void setPreviewer(Previewer previewer);
    static bool hasPreviewer();

    // The folder SELVARO_PRINT_TO names, or "" when it is not set.
    static QString printToFolder();

private:
    static void setMargin(std::optional<int>& margin, int twips);
    QMarginsF marginsInPoints() const;
    ReportResult produce();

    Destination m_destination = Destination::Window;
    QString m_fileName;
    int m_windowLeft = 0;
    int m_windowTop = 0;
    int m_windowWidth = 0;
    int m_windowHeight = 0;
    std::optional<int> m_marginLeft;
    std::optional<int> m_marginTop;
    std::optional<int> m_marginRight;
    std::optional<int> m_marginBottom;
    QMap<int, QString> m_formulas;
    db::Database m_database;
    ReportResult m_lastResult;
};

} // namespace report
