#pragma once

#include "platform/report/report_control.h"

#include <QPrintPreviewDialog>
#include <memory>

class QPrintPreviewWidget;

namespace report {

// The preview window of destination 0: the report page by page, with the preview dialog's zoom,
// page navigation, page setup and print buttons, plus "Lưu PDF..." to save it as a PDF file.
// It keeps the report it was given (read once), so it stays valid after the print command has
// moved on. Opened without waiting, like a report window; it deletes itself when closed.
class PreviewWindow : public QPrintPreviewDialog
{
    Q_OBJECT

public:
    explicit PreviewWindow(std::shared_ptr<const PreparedReport> report, QWidget* parent = nullptr);

    // The pages shown once the preview has been drawn (0 before).
    int pageCount() const;
    // Redraws the pages now instead of when the window is next painted.
    void refresh();

    // Writes the report to a PDF file at path; raises ReportError(OutputFailed).
    void savePdf(const QString& path) const;

    // Installs this window as the preview of every ReportControl (the program does this once at
    // start-up).
    static void install();
    // Opens a window for request, placed at its geometry (at least 640 by 480) or centred.
    static PreviewWindow* open(const PreviewRequest& request);

private:
    void paintPages(QPrinter* printer);
    void askAndSavePdf();

    std::shared_ptr<const PreparedReport> m_report;
    QPrintPreviewWidget* m_widget = nullptr;
};

} // namespace report
