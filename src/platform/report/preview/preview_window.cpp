#include "preview_window.h"

#include "platform/report/report_output.h"
#include "platform/report/report_renderer.h"
#include "platform/ui/accessible_combo.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QToolBar>

namespace report {
namespace {

const QString kPagesName = QStringLiteral("Các trang của báo cáo");

// The preview's page view is a scroll area, announced as a plain panel: a screen reader hears it
// as the report's document instead.
QAccessibleInterface* pagesAccessible(const QString& key, QObject* object)
{
    auto* view = qobject_cast<QGraphicsView*>(object);
    if (!view || key != QLatin1String(object->metaObject()->className()) ||
        !qobject_cast<QPrintPreviewWidget*>(view->parentWidget()))
        return nullptr;
    return new QAccessibleWidget(view, QAccessible::Document, kPagesName);
}

} // namespace

PreviewWindow::PreviewWindow(std::shared_ptr<const PreparedReport> report, QWidget* parent)
    // The zoom list is made by the base and asked for its interface at once: the lists' interface
    // (announced by their name, not by the zoom shown) must be there first.
    : QPrintPreviewDialog((ui::installAccessibleCombos(), parent)), m_report(std::move(report))
{
    setWindowTitle(QStringLiteral("Xem trước khi in - %1").arg(m_report->title()));
    printer()->setPageLayout(m_report->pageLayout);
    printer()->setDocName(m_report->title());
    m_widget = findChild<QPrintPreviewWidget*>();
    static const bool accessible = (QAccessible::installFactory(pagesAccessible), true);
    Q_UNUSED(accessible)
    if (m_widget) {
        if (auto* pages = m_widget->findChild<QGraphicsView*>())
            pages->setAccessibleName(kPagesName);
    }
    connect(this, &QPrintPreviewDialog::paintRequested, this, &PreviewWindow::paintPages);

    if (auto* toolBar = findChild<QToolBar*>()) {
        // The tool bar's page number box and zoom list carry no label of their own.
        for (QLineEdit* page : toolBar->findChildren<QLineEdit*>()) {
            if (!qobject_cast<QComboBox*>(page->parentWidget()))
                page->setAccessibleName(QStringLiteral("Trang số"));
        }
        if (auto* zoom = toolBar->findChild<QComboBox*>())
            zoom->setAccessibleName(QStringLiteral("Tỉ lệ phóng to"));
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
