#pragma once

#include <QString>
#include <stdexcept>

namespace report {

// What went wrong while producing a report. The print commands show the message to the user;
// callers and tests tell the cases apart by the code.
enum class ReportErrorCode
{
    None,
    FileNotFound,       // the report file does not exist
    FileUnreadable,     // it exists but cannot be read, or is not UTF-8 text
    FileSyntax,         // a line of the report file is not understood
    UnknownColumn,      // the report names a column its data source does not have
    DataSource,         // the data source cannot be opened (no database, unknown table or query)
    BadFormula,         // a formula is not of the form name = 'value'
    BadPageLayout,      // margins leave no room for the page's content
    NoPrinter,          // printing was asked for and no printer is installed
    PreviewUnavailable, // the preview window was asked for and none is installed
    OutputFailed,       // the PDF file or the printer could not be written
    UnknownAction,      // an action value other than 1
};

// A failure of the report engine. message() is a Vietnamese sentence for the user that names the
// file, line, column or formula concerned.
class ReportError : public std::runtime_error
{
public:
    ReportError(ReportErrorCode code, const QString& message);

    ReportErrorCode code() const { return m_code; }
    QString message() const { return m_message; }

private:
    ReportErrorCode m_code;
    QString m_message;
};

} // namespace report
