// The viewer and the printing of documents on files the tests make: a PDF of Vietnamese text
// (pages, page keys, zoom, finding a word), an image, a PDF of thousands of pages, and the files
// that must be refused with a sentence before any window opens.
#include "sample_documents.h"

#include "../../support/accessibility_check.h"
#include "files.h"

#include "platform/document/document_print.h"
#include "platform/document/document_viewer.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using document::DocumentError;
using document::DocumentViewer;

class DocumentViewerTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            delete qobject_cast<DocumentViewer*>(w);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString pdfOfLetters()
    {
        const QString p = path(u"quyết định.pdf"_s);
        EXPECT_TRUE(
            test::writeTextPdf(p, {u"ỦY BAN NHÂN DÂN TỈNH\nSố: 123/QĐ-UBND"_s, u"Điều 1. Bổ nhiệm ông Nguyễn Văn Đức"_s,
                                   u"Điều 2. Khen thưởng tập thể Phòng Tư pháp"_s, u"Nơi nhận: như Điều 2; lưu VT"_s}));
        return p;
    }
    static QString text(const DocumentViewer* v, const char* name)
    {
        return v->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    static void key(QWidget* w, int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(w, Qt::Key(k), modifiers);
    }
    // Types text in the find box and waits for the search's end.
    static bool find(DocumentViewer* v, const QString& words)
    {
        v->findChild<QLineEdit*>(u"txttim"_s)->setText(words);
        QSignalSpy done(v, &DocumentViewer::searchDone);
        v->findNext();
        if (done.isEmpty()) {
            EXPECT_TRUE(done.wait(20000));
        }
        return !done.isEmpty() && done.first().first().toBool();
    }
    static int pagesOf(const QString& pdf)
    {
        QPdfDocument doc;
        return doc.load(pdf) == QPdfDocument::Error::None ? doc.pageCount() : -1;
    }

    QTemporaryDir dir;
};

TEST_F(DocumentViewerTest, PdfPagesKeysZoomAndFind)
{
    DocumentViewer* v = DocumentViewer::open(pdfOfLetters(), u"Quyết định 123.pdf"_s, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(v));
    // Not modal, deleted on close, accessible, with its title.
    EXPECT_EQ(std::tuple(v->isModal(), v->testAttribute(Qt::WA_DeleteOnClose), test::isAccessible(v), v->windowTitle()),
              std::tuple(false, true, true, u"Xem tệp: Quyết định 123.pdf"_s));
    ASSERT_EQ(v->pageCount(), 4);
    EXPECT_EQ(text(v, "lbltrang"), u"Trang 1 / 4"_s);

    // Page keys, from the page itself and from a button.
    QWidget* page = v->findChild<QWidget*>(u"vungxem"_s);
    key(page, Qt::Key_PageDown);
    EXPECT_EQ(v->currentPage(), 1);
    key(v->findChild<QPushButton*>(u"cmdsau"_s), Qt::Key_End);
    EXPECT_EQ(v->currentPage(), 3);
    EXPECT_FALSE(v->findChild<QPushButton*>(u"cmdsau"_s)->isEnabled());
    key(page, Qt::Key_PageDown);
    EXPECT_EQ(v->currentPage(), 3) << "past the last page stays there";
    key(page, Qt::Key_PageUp);
    EXPECT_EQ(text(v, "lbltrang"), u"Trang 3 / 4"_s);
    key(page, Qt::Key_Home);
    EXPECT_EQ(v->currentPage(), 0);

    // Zoom: from fitting the width, Ctrl++ and Ctrl+- step, Ctrl+0 fits again.
    EXPECT_EQ(v->zoom(), 0);
    key(page, Qt::Key_Plus, Qt::ControlModifier);
    const qreal larger = v->zoom();
    EXPECT_GT(larger, 0);
    key(page, Qt::Key_Minus, Qt::ControlModifier);
    key(page, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_LT(v->zoom(), larger);
    EXPECT_TRUE(text(v, "lblphongto").startsWith(u"Cỡ "_s));
    key(page, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(v->zoom(), 0);

    // Finding: letter case ignored, tone marks respected; "Tìm tiếp" goes on and wraps.
    EXPECT_TRUE(find(v, u"khen THƯỞNG"_s));
    EXPECT_EQ(v->currentPage(), 2);
    EXPECT_EQ(text(v, "lblketqua"), u"Thấy \"khen THƯỞNG\" ở trang 3."_s);
    for (int hit : {2, 3, 2}) { // the last wraps to the first hit
        EXPECT_TRUE(find(v, u"Điều 2"_s));
        EXPECT_EQ(v->currentPage(), hit);
    }
    EXPECT_FALSE(find(v, u"Khen thuong"_s));
    EXPECT_EQ(text(v, "lblketqua"), u"Không thấy \"Khen thuong\" trong tệp này."_s);
    EXPECT_EQ(v->currentPage(), 2);

    // Pictures to look at, in SELVARO_SHOTS_DIR when it is set, as the register tests keep theirs.
    if (const QString shots = qEnvironmentVariable("SELVARO_SHOTS_DIR"); !shots.isEmpty()) {
        QTest::qWait(1000); // the view renders pages in a thread of its own
        v->grab().save(QDir(shots).filePath(u"viewer-pdf.png"_s));
    }
    QPointer<DocumentViewer> closed(v);
    v->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull()) << "deleted when closed";
}

TEST_F(DocumentViewerTest, ImagesShowInPagesWithZoom)
{
    for (const char* format : {"png", "jpeg", "tiff"}) {
        SCOPED_TRACE(format);
        const QString name = u"ảnh quét."_s + QString::fromLatin1(format);
        ASSERT_TRUE(test::writeFile(path(name), test::imageBytes(format)));
        DocumentViewer* v = DocumentViewer::open(path(name), name, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(v));
        EXPECT_TRUE(test::isAccessible(v));
        EXPECT_EQ(v->pageCount(), 1);
        EXPECT_FALSE(v->findChild<QLineEdit*>(u"txttim"_s)->isVisible()) << "an image has no text";
        const QLabel* shown = v->findChild<QLabel*>(u"anhtrang"_s);
        ASSERT_FALSE(shown->pixmap().isNull());
        const int fitted = shown->pixmap().width();
        QTest::keyClick(v, Qt::Key_Minus, Qt::ControlModifier);
        EXPECT_LT(shown->pixmap().width(), fitted);
        if (const QString shots = qEnvironmentVariable("SELVARO_SHOTS_DIR");
            !shots.isEmpty() && QByteArray(format) == "png")
            v->grab().save(QDir(shots).filePath(u"viewer-image.png"_s));
        delete v;
    }
}

// Thousands of pages open at once: only the page shown is drawn.
TEST_F(DocumentViewerTest, ThousandsOfPagesOpenAndReachTheEnd)
{
    const QString p = path(u"dài.pdf"_s);
    QStringList pages;
    for (int page = 1; page <= 3000; ++page)
        pages << u"Trang "_s + QString::number(page);
    ASSERT_TRUE(test::writeTextPdf(p, pages));
    DocumentViewer* v = DocumentViewer::open(p, u"dài.pdf"_s, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(v));
    EXPECT_EQ(v->pageCount(), 3000);
    QTest::keyClick(v, Qt::Key_End);
    EXPECT_EQ(text(v, "lbltrang"), u"Trang 3000 / 3000"_s);
    EXPECT_TRUE(find(v, u"Trang 2999"_s));
    EXPECT_EQ(v->currentPage(), 2998);
}

TEST_F(DocumentViewerTest, BadFilesAreRefusedBeforeAnyWindowOpens)
{
    const QByteArray png = test::imageBytes("png");
    const struct
    {
        const char* what;
        QString name; // as the user knows it
        QByteArray content;
        QString refusal; // the start of what is told
    } cases[] = {
        {"password", u"mật.pdf"_s, test::encryptedPdf(), u"Tệp \"mật.pdf\" được bảo vệ bằng mật khẩu"_s},
        {"damaged PDF", u"hỏng.pdf"_s, QByteArray("%PDF-1.4\n1 0 obj <</Type /Cat"),
         u"Tệp \"hỏng.pdf\" không phải là tệp PDF hoặc đã bị hỏng"_s},
        {"image named PDF", u"ảnh.pdf"_s, png, u"Tệp \"ảnh.pdf\" không phải là tệp PDF hoặc đã bị hỏng"_s},
        {"PNG named JPEG", u"ảnh.jpg"_s, png,
         u"Tệp \"ảnh.jpg\" không phải là ảnh JPEG như tên tệp cho biết (nội dung là ảnh PNG)"_s},
        {"text named PNG", u"chữ.png"_s, QByteArray("Kính gửi: Sở Nội vụ"),
         u"Tệp \"chữ.png\" không phải là ảnh PNG như tên tệp cho biết (tệp bị hỏng"_s},
        {"20000 x 20000", u"khổng lồ.jpg"_s, test::jpegClaiming(20000, 20000),
         u"Ảnh \"khổng lồ.jpg\" quá lớn (20000 × 20000 điểm ảnh)"_s},
        {"office document", u"báo cáo.docx"_s, QByteArray("PK\x03\x04"), u"Chương trình chỉ xem được tệp PDF và ảnh"_s},
        {"vanished", u"đã xoá.pdf"_s, QByteArray(), u"Không tìm thấy tệp \"đã xoá.pdf\""_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = path(QString::fromLatin1(c.what));
        if (!c.content.isEmpty()) {
            ASSERT_TRUE(test::writeFile(file, c.content));
        }
        const int windows = int(QApplication::topLevelWidgets().size());
        QString told;
        try {
            DocumentViewer::open(file, c.name, nullptr);
        } catch (const DocumentError& e) {
            told = e.message();
        }
        EXPECT_TRUE(told.startsWith(c.refusal)) << told.toStdString();
        EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
        // Printing refuses them alike, leaving no output behind.
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path(u"in.pdf"_s));
        EXPECT_THROW(document::printDocument(printer, file, c.name), DocumentError);
        EXPECT_FALSE(QFile::exists(path(u"in.pdf"_s)));
    }
}

TEST_F(DocumentViewerTest, PrintingGivesAPageForEachPageInRange)
{
    const QString pdf = pdfOfLetters();
    const QString image = path(u"ảnh.tif"_s);
    ASSERT_TRUE(test::writeFile(image, test::imageBytes("tiff")));
    const struct
    {
        QString file;
        int from, to; // the dialog's range, 0 0 for all
        int pages;
    } cases[] = {{pdf, 0, 0, 4}, {pdf, 2, 3, 2}, {pdf, 3, 9, 2}, {image, 0, 0, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(u"%1 %2-%3"_s.arg(QFileInfo(c.file).fileName()).arg(c.from).arg(c.to).toStdString());
        const QString out = path(u"in.pdf"_s);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out);
        printer.setFromTo(c.from, c.to);
        EXPECT_EQ(document::printDocument(printer, c.file, QFileInfo(c.file).fileName()), c.pages);
        EXPECT_EQ(pagesOf(out), c.pages);
    }
    // The printed PDF page carries the page's picture: its middle is not blank.
    QPdfDocument printed;
    ASSERT_EQ(printed.load(path(u"in.pdf"_s)), QPdfDocument::Error::None);
    const QImage sheet = printed.render(0, QSize(210, 297));
    int dark = 0;
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            dark += qGray(sheet.pixel(x, y)) < 128;
    EXPECT_GT(dark, 20);
}

} // namespace
