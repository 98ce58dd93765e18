#include "document_viewer.h"

#include <QAccessibleWidget>
#include <QBoxLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfSelection>
#include <QPdfView>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTimer>

#include <array>
#include <cmath>

namespace document {
namespace {

constexpr std::array<qreal, 11> kZoomSteps = {0.25, 0.33, 0.5, 0.67, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
// Pages a search step reads before it lets the events through.
constexpr int kPagesPerStep = 8;
// The largest image page drawn zoomed, in pixels: a larger zoom is held there.
constexpr qint64 kMaxShownPixels = 40LL * 1000 * 1000;

QPushButton* button(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    return b;
}

QLabel* label(const QString& objectName, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(objectName);
    return l;
}

// The page area is announced as the document it shows (a plain scroll area would be a "pane"),
// with the page label's text as its value.
class PageAreaAccessible : public QAccessibleWidget
{
public:
    explicit PageAreaAccessible(QWidget* area) : QAccessibleWidget(area, QAccessible::Document) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) {
            if (const auto* page = widget()->window()->findChild<QLabel*>(QStringLiteral("lbltrang")))
                return page->text();
        }
        return QAccessibleWidget::text(t);
    }
};

const char* const kPageAreaProperty = "selvaroDocumentPageArea";

QAccessibleInterface* pageAreaAccessible(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && widget->property(kPageAreaProperty).toBool() ? new PageAreaAccessible(widget) : nullptr;
}

void markPageArea(QWidget* area)
{
    static const bool installed = [] {
        QAccessible::installFactory(pageAreaAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    area->setProperty(kPageAreaProperty, true);
    area->setObjectName(QStringLiteral("vungxem"));
    area->setAccessibleName(QStringLiteral("Trang tài liệu"));
    area->setFocusPolicy(Qt::StrongFocus);
}

QString percent(qreal zoom)
{
    return QString::number(qRound(zoom * 100)) + QStringLiteral("%");
}

} // namespace

DocumentViewer::DocumentViewer(const QString& name, QWidget* parent) : QDialog(parent), m_name(name)
{
    setObjectName(QStringLiteral("frmxemtep"));
    setWindowTitle(QStringLiteral("Xem tệp: ") + name);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setSizeGripEnabled(true);
}

DocumentViewer::~DocumentViewer() = default;

DocumentViewer* DocumentViewer::open(const QString& path, const QString& name, QWidget* parent)
{
    std::unique_ptr<QPdfDocument> pdf;
    std::unique_ptr<ImagePages> image;
    switch (documentKind(name)) {
    case DocumentKind::Pdf:
        pdf = std::make_unique<QPdfDocument>();
        loadPdf(*pdf, path, name);
        break;
    case DocumentKind::Image:
        image = std::make_unique<ImagePages>(path, name);
        break;
    case DocumentKind::Other:
        throw DocumentError(QStringLiteral("Chương trình chỉ xem được tệp PDF và ảnh (PNG, JPEG, TIFF); tệp \"") +
                            name + QStringLiteral("\" cần chương trình của máy để mở."));
    }
    auto* viewer = new DocumentViewer(name, parent);
    viewer->m_pdf = std::move(pdf);
    viewer->m_image = std::move(image);
    viewer->m_pageCount = viewer->m_pdf ? viewer->m_pdf->pageCount() : viewer->m_image->pageCount();
    viewer->build();
    // A page and a half of A4 at the screen's size, within the screen.
    const QRect screen = viewer->screen() ? viewer->screen()->availableGeometry() : QRect(0, 0, 1280, 900);
    viewer->resize(qMin(900, screen.width() * 9 / 10), qMin(1000, screen.height() * 9 / 10));
    viewer->show();
    viewer->showPage();
    return viewer;
}

void DocumentViewer::build()
{
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    m_previous = button(QStringLiteral("cmdtruoc"), QStringLiteral("Trang &trước"), this);
    m_next = button(QStringLiteral("cmdsau"), QStringLiteral("Trang &sau"), this);
    m_pageLabel = label(QStringLiteral("lbltrang"), this);
    auto* smaller = button(QStringLiteral("cmdthunho"), QStringLiteral("Thu &nhỏ"), this);
    auto* larger = button(QStringLiteral("cmdphongto"), QStringLiteral("&Phóng to"), this);
    auto* fit = button(QStringLiteral("cmdvuakhung"), QStringLiteral("&Vừa khung"), this);
    m_zoomLabel = label(QStringLiteral("lblphongto"), this);
    bar->addWidget(m_previous);
    bar->addWidget(m_next);
    bar->addWidget(m_pageLabel);
    bar->addSpacing(16);
    bar->addWidget(smaller);
    bar->addWidget(larger);
    bar->addWidget(fit);
    bar->addWidget(m_zoomLabel);
    bar->addStretch();
    layout->addLayout(bar);

    if (m_pdf) {
        m_pdfView = new QPdfView(this);
        markPageArea(m_pdfView);
        m_pdfView->setPageMode(QPdfView::PageMode::SinglePage);
        m_pdfView->setZoomMode(QPdfView::ZoomMode::FitToWidth);
        m_pdfView->setDocument(m_pdf.get());
        layout->addWidget(m_pdfView, 1);
    } else {
        m_imageArea = new QScrollArea(this);
        markPageArea(m_imageArea);
        m_imageArea->setAlignment(Qt::AlignCenter);
        m_imageLabel = label(QStringLiteral("anhtrang"), m_imageArea);
        m_imageLabel->setAlignment(Qt::AlignCenter);
        m_imageArea->setWidget(m_imageLabel);
        m_imageArea->setWidgetResizable(false);
        layout->addWidget(m_imageArea, 1);
    }

    auto* findBar = new QHBoxLayout;
    auto* findLabel = label(QStringLiteral("lbltim"), this);
    findLabel->setText(QStringLiteral("Tìm &chữ:"));
    m_findBox = new QLineEdit(this);
    m_findBox->setObjectName(QStringLiteral("txttim"));
    findLabel->setBuddy(m_findBox);
    m_findButton = button(QStringLiteral("cmdtim"), QStringLiteral("Tìm &tiếp"), this);
    m_findButton->setDefault(true);
    m_findResult = label(QStringLiteral("lblketqua"), this);
    auto* close = button(QStringLiteral("cmddong"), QStringLiteral("Đó&ng"), this);
    findBar->addWidget(findLabel);
    findBar->addWidget(m_findBox, 1);
    findBar->addWidget(m_findButton);
    findBar->addWidget(m_findResult, 2);
    if (!m_pdf)
        findBar->addStretch();
    findBar->addWidget(close);
    layout->addLayout(findBar);
    // Images have no text to find.
    for (QWidget* w : std::initializer_list<QWidget*>{findLabel, m_findBox, m_findButton, m_findResult})
        w->setVisible(m_pdf != nullptr);

    connect(m_previous, &QPushButton::clicked, this, [this] { goToPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { goToPage(m_page + 1); });
    connect(smaller, &QPushButton::clicked, this, &DocumentViewer::zoomOut);
    connect(larger, &QPushButton::clicked, this, &DocumentViewer::zoomIn);
    connect(fit, &QPushButton::clicked, this, &DocumentViewer::fitWidth);
    connect(m_findButton, &QPushButton::clicked, this, &DocumentViewer::findNext);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    // The page keys act wherever the focus is, except where a box uses them (Home/End in the
    // find box move its cursor).
    const auto shortcut = [this](const QKeySequence& keys, auto slot) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::Key_PageDown), [this] { goToPage(m_page + 1); });
    shortcut(QKeySequence(Qt::Key_PageUp), [this] { goToPage(m_page - 1); });
    shortcut(QKeySequence(Qt::Key_Home), [this] { goToPage(0); });
    shortcut(QKeySequence(Qt::Key_End), [this] { goToPage(m_pageCount - 1); });
    shortcut(QKeySequence(QKeySequence::ZoomIn), [this] { zoomIn(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { zoomIn(); });
    shortcut(QKeySequence(QKeySequence::ZoomOut), [this] { zoomOut(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { fitWidth(); });
    if (m_pdf) {
        shortcut(QKeySequence(QKeySequence::Find), [this] { m_findBox->setFocus(Qt::ShortcutFocusReason); });
        shortcut(QKeySequence(QKeySequence::FindNext), [this] { findNext(); });
    }
}

void DocumentViewer::goToPage(int page)
{
    page = qBound(0, page, m_pageCount - 1);
    if (page == m_page)
        return;
    m_page = page;
    showPage();
}

void DocumentViewer::showPage()
{
    m_pageLabel->setText(QStringLiteral("Trang ") + QString::number(m_page + 1) + QStringLiteral(" / ") +
                         QString::number(m_pageCount));
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page < m_pageCount - 1);
    m_zoomLabel->setText(m_zoom > 0 ? QStringLiteral("Cỡ ") + percent(m_zoom) : QStringLiteral("Vừa khung"));
    if (m_pdfView) {
        m_pdfView->pageNavigator()->jump(m_page, QPointF(), m_pdfView->zoomFactor());
        m_pdfView->verticalScrollBar()->setValue(0);
    } else {
        try {
            m_imagePage = m_image->page(m_page);
            m_imageLabel->setText(QString());
        } catch (const DocumentError& e) {
            // A later page of a scan that does not decode: said in place of the page.
            m_imagePage = QImage();
            m_imageLabel->setText(e.message());
        }
        showImagePage();
    }
}

void DocumentViewer::showImagePage()
{
    if (m_imagePage.isNull()) {
        m_imageLabel->setPixmap(QPixmap());
        m_imageLabel->adjustSize();
        return;
    }
    // The width beside the vertical scroll bar a fitted page needs, so that no horizontal one shows.
    const int width =
        m_imageArea->maximumViewportSize().width() - m_imageArea->style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 2;
    qreal factor = m_zoom > 0 ? m_zoom : qreal(qMax(width, 50)) / m_imagePage.width();
    const qreal pixels = qreal(m_imagePage.width()) * m_imagePage.height() * factor * factor;
    if (pixels > kMaxShownPixels)
        factor *= std::sqrt(kMaxShownPixels / pixels);
    const QSize size = (QSizeF(m_imagePage.size()) * factor).toSize().expandedTo(QSize(1, 1));
    m_imageLabel->setPixmap(
        QPixmap::fromImage(m_imagePage.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    m_imageLabel->adjustSize();
}

void DocumentViewer::setZoom(qreal zoom)
{
    m_zoom = zoom;
    if (m_pdfView) {
        if (zoom > 0) {
            m_pdfView->setZoomMode(QPdfView::ZoomMode::Custom);
            m_pdfView->setZoomFactor(zoom);
        } else {
            m_pdfView->setZoomMode(QPdfView::ZoomMode::FitToWidth);
        }
    } else {
        showImagePage();
    }
    m_zoomLabel->setText(m_zoom > 0 ? QStringLiteral("Cỡ ") + percent(m_zoom) : QStringLiteral("Vừa khung"));
}

// The zoom the page is shown at now: the factor, or the one fitting the width.
static qreal fittedZoom(const QPdfView* view, const QPdfDocument* pdf, int page, const QImage& image, int width)
{
    if (view) {
        const qreal pageWidth = pdf->pagePointSize(page).width() * view->logicalDpiX() / 72.0;
        return pageWidth > 0 ? (width - 12) / pageWidth : 1.0;
    }
    return image.isNull() ? 1.0 : qreal(width) / image.width();
}

void DocumentViewer::zoomIn()
{
    const qreal now = m_zoom > 0 ? m_zoom
                                 : fittedZoom(m_pdfView, m_pdf.get(), m_page, m_imagePage,
                                              (m_pdfView ? m_pdfView->viewport() : m_imageArea->viewport())->width());
    for (qreal step : kZoomSteps) {
        if (step > now + 0.001) {
            setZoom(step);
            return;
        }
    }
    setZoom(kZoomSteps.back());
}

void DocumentViewer::zoomOut()
{
    const qreal now = m_zoom > 0 ? m_zoom
                                 : fittedZoom(m_pdfView, m_pdf.get(), m_page, m_imagePage,
                                              (m_pdfView ? m_pdfView->viewport() : m_imageArea->viewport())->width());
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it) {
        if (*it < now - 0.001) {
            setZoom(*it);
            return;
        }
    }
    setZoom(kZoomSteps.front());
}

void DocumentViewer::fitWidth()
{
    setZoom(0);
}

void DocumentViewer::findNext()
{
    if (!m_pdf || isSearching())
        return;
    const QString text = m_findBox->text().trimmed().normalized(QString::NormalizationForm_C);
    if (text.isEmpty()) {
        m_findResult->setText(QStringLiteral("Hãy gõ chữ cần tìm."));
        m_findBox->setFocus();
        return;
    }
    // A new text, or a page moved to since the last hit, starts on the page shown.
    const bool goOn = text == m_searchText && m_hitPage == m_page;
    m_searchText = text;
    m_searchPage = goOn ? (m_page + 1) % m_pageCount : m_page;
    m_searchLeft = m_pageCount;
    m_findButton->setEnabled(false);
    m_findResult->setText(QStringLiteral("Đang tìm…"));
    searchStep();
}

void DocumentViewer::searchStep()
{
    for (int done = 0; done < kPagesPerStep && m_searchLeft > 0; ++done, --m_searchLeft) {
        const int page = m_searchPage;
        m_searchPage = (m_searchPage + 1) % m_pageCount;
        const QString pageText = m_pdf->getAllText(page).text().normalized(QString::NormalizationForm_C);
        const int hits = int(pageText.count(m_searchText, Qt::CaseInsensitive));
        if (hits > 0) {
            m_searchPage = -1;
            m_searchLeft = 0;
            m_hitPage = page;
            m_findButton->setEnabled(true);
            goToPage(page);
            m_findResult->setText(
                QStringLiteral("Thấy \"") + m_searchText + QStringLiteral("\" ở trang ") + QString::number(page + 1) +
                (hits > 1 ? QStringLiteral(" (") + QString::number(hits) + QStringLiteral(" lần)") : QString()) +
                QStringLiteral("."));
            emit searchDone(true);
            return;
        }
    }
    if (m_searchLeft > 0) {
        m_findResult->setText(QStringLiteral("Đang tìm… trang ") + QString::number(m_searchPage + 1) +
                              QStringLiteral(" / ") + QString::number(m_pageCount));
        QTimer::singleShot(0, this, &DocumentViewer::searchStep);
        return;
    }
    m_searchPage = -1;
    m_hitPage = -1;
    m_findButton->setEnabled(true);
    m_findResult->setText(QStringLiteral("Không thấy \"") + m_searchText + QStringLiteral("\" trong tệp này."));
    emit searchDone(false);
}

void DocumentViewer::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (m_imageArea && m_zoom == 0)
        showImagePage();
}

} // namespace document
