#include "preview_window.h"

#include "platform/report/report_output.h"
#include "platform/report/report_renderer.h"

#include <QAction>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QToolBar>

namespace report {

PreviewWindow::PreviewWindow(std::shared_ptr<const PreparedReport> report, QWidget* parent)
    : QPrintPreviewDialog(parent)
    , m_report(std::move(report))
{
    setWindowTitle(QStringLiteral("Xem trước khi in - %1").arg(m_report->title()));
    printer()->setPageLayout(m_report->pageLayout);
    printer()->setDocName(m_report->title());
    m_widget = findChild<QPrintPreviewWidget*>();
    connect(this, &QPrintPreviewDialog::paintRequested, this, &PreviewWindow::paintPages);

    if (auto* toolBar = findChild<QToolBar*>()) {
        toolBar->addSeparator();
        QAction* save = toolBar->addAction(QStringLiteral("Lưu PDF..."));
        save->setToolTip(QStringLiteral("Lưu báo cáo thành file PDF"));
        connect(save, &QAction::triggered, this, &PreviewWindow::askAndSavePdf);
    }
}

int PreviewWindow::pageCount() const
{
    return m_widget ? m_widget->pageCount() : 0;
}

void PreviewWindow::refresh()
{
    if (m_widget)
        m_widget->updatePreview();
}

void PreviewWindow::paintPages(QPrinter* target)
{
    ReportRenderer(*m_report).paint(target);
}

void PreviewWindow::savePdf(const QString& path) const
{
    writePdf(*m_report, path);
}

void PreviewWindow::askAndSavePdf()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Lưu báo cáo thành file PDF"),
                                                      folder + u'/' + m_report->title() + QStringLiteral(".pdf"),
                                                      QStringLiteral("File PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    try {
        savePdf(path);
    } catch (const ReportError& error) {
        QMessageBox::warning(this, windowTitle(), error.message());
    }
}

PreviewWindow* PreviewWindow::open(const PreviewRequest& request)
{
    auto* window = new PreviewWindow(request.report);
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (request.geometry.isValid()) {
        QRect geometry = request.geometry;
        geometry.setWidth(qMax(geometry.width(), 640));
        geometry.setHeight(qMax(geometry.height(), 480));
        window->setGeometry(geometry);
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        window->resize(available.width() * 4 / 5, available.height() * 4 / 5);
    }
    window->show();
    return window;
}

void PreviewWindow::install()
{
    ReportControl::setPreviewer([](const PreviewRequest& request) { open(request); });
}

} // namespace report
