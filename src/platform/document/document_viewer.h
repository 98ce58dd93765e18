#pragma once

// The viewer of a PDF or an image (frmxemtep): one page at a time, with the page keys (PgUp/PgDn,
// Home/End), zoom (Ctrl++ / Ctrl+-, Ctrl+0 fits the width) and, for a PDF, finding a word
// ("Tìm tiếp", Enter or F3 in the box). Only the page shown is drawn, so a PDF of thousands of
// pages opens as fast as one of a page, and a search runs a few pages at a time between events.

#include "document_source.h"

#include <QDialog>

#include <memory>

class QLabel;
class QLineEdit;
class QPdfDocument;
class QPdfView;
class QPushButton;
class QScrollArea;

namespace document {

class DocumentViewer : public QDialog
{
    Q_OBJECT

public:
    // Opens the file at path, named name (its extension says whether it is a PDF or an image),
    // in a new viewer over parent, shown, not modal, deleted when closed. Raises DocumentError
    // before any window opens when the file cannot be shown (documentKind Other included).
    static DocumentViewer* open(const QString& path, const QString& name, QWidget* parent);

    ~DocumentViewer() override;

    int pageCount() const { return m_pageCount; }
    int currentPage() const { return m_page; } // from 0
    // The zoom factor (1 = the page's own size); 0 while the page fits the width.
    qreal zoom() const { return m_zoom; }
    // Shows page (from 0; kept within the document).
    void goToPage(int page);
    void zoomIn();
    void zoomOut();
    void fitWidth();

    // Looks for the text of the find box (letter case ignored, tone marks respected) from the page
    // after the last hit (from the page shown when the text is new or the user has moved), to the
    // end and on from the first page; shows the page found and says where in lblketqua, or that
    // there is none. Returns at once: the search goes on between
    // events and searchDone() is emitted at its end.
    void findNext();
    bool isSearching() const { return m_searchPage >= 0; }

signals:
    void searchDone(bool found);

private:
    DocumentViewer(const QString& name, QWidget* parent);
    void build();
    void showPage();
    void showImagePage();
    void setZoom(qreal zoom);
    void searchStep();
    void resizeEvent(QResizeEvent* event) override;

    QString m_name;
    std::unique_ptr<QPdfDocument> m_pdf;
    std::unique_ptr<ImagePages> m_image;
    int m_pageCount = 0;
    int m_page = 0;
    qreal m_zoom = 0;
    // The search in progress: the next page to look at (-1 when none) and the pages left; the
    // text last looked for and the page it was last found on, where "Tìm tiếp" goes on from.
    int m_searchPage = -1;
    int m_searchLeft = 0;
    QString m_searchText;
    int m_hitPage = -1;

    QPdfView* m_pdfView = nullptr;
    QScrollArea* m_imageArea = nullptr;
    QLabel* m_imageLabel = nullptr;
    QImage m_imagePage;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QLabel* m_pageLabel = nullptr;
    QLabel* m_zoomLabel = nullptr;
    QLineEdit* m_findBox = nullptr;
    QPushButton* m_findButton = nullptr;
    QLabel* m_findResult = nullptr;
};

} // namespace document
