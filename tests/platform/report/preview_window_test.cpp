// The preview window of destination 0, shown headless.
#include "accessibility_check.h"
#include "pdf_text.h"
#include "platform/report/preview/preview_window.h"
#include "platform/report/report_renderer.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace report;

namespace {

std::shared_ptr<const PreparedReport> sampleReport(int rows)
{
    const ReportFile file = ReportFile::parse(u"[report]\ntitle = Sổ thử\nsource = t\n"
                                              "page_number = Trang {{page}}/{{pages}}\n"
                                              "[columns]\na | Cột A\nb | Cột B | 4\n"_s,
                                              u"brthu.rpt"_s);
    QList<ReportRow> list;
    for (int i = 1; i <= rows; ++i)
        list.append(ReportRow{{QString::number(i), u"Dòng thứ %1 của sổ"_s.arg(i)}, false, {}});
    return std::make_shared<const PreparedReport>(PreparedReport::make(file, list, {}));
}

TEST(PreviewWindow, ShowsAndSavesEveryPageOfTheReportAndIsAccessible)
{
    const auto report = sampleReport(120);
    PreviewWindow window(report);
    window.refresh();
    EXPECT_EQ(window.pageCount(), ReportRenderer(*report).countPages(window.printer()));
    EXPECT_GE(window.pageCount(), 3);
    EXPECT_TRUE(window.windowTitle().contains(u"Sổ thử"_s));
    EXPECT_EQ(window.printer()->pageLayout().orientation(), QPageLayout::Landscape);
    const auto actions = window.findChildren<QAction*>();
    EXPECT_TRUE(std::any_of(actions.begin(), actions.end(),
                            [](const QAction* action) { return action->text() == u"Lưu PDF..."_s; }));
    window.show(); // the tool bar's boxes are laid out (and reachable) once shown
    EXPECT_TRUE(test::isAccessible(&window));

    QTemporaryDir dir; // the PDF saved holds the pages shown
    window.savePdf(dir.filePath(u"sổ thử.pdf"_s));
    const PdfText pdf = PdfText::read(dir.filePath(u"sổ thử.pdf"_s));
    ASSERT_TRUE(pdf.error.isEmpty()) << pdf.error.toStdString();
    EXPECT_EQ(pdf.pageCount(), window.pageCount());
    EXPECT_TRUE(pdf.pages.back().contains(u"Dòng thứ 120 của sổ"_s));
    window.close();
}

TEST(PreviewWindow, InstalledPreviewOpensWithoutWaitingAtTheGivenPlace)
{
    PreviewWindow::install();
    ASSERT_TRUE(ReportControl::hasPreviewer());
    QPointer<PreviewWindow> window = PreviewWindow::open(PreviewRequest{sampleReport(5), QRect(40, 30, 900, 600)});
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->geometry().size(), QSize(900, 600));
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()); // deleted when closed
    ReportControl::setPreviewer({});
    window = PreviewWindow::open(PreviewRequest{sampleReport(1), QRect(10, 10, 120, 90)});
    ASSERT_TRUE(window);
    EXPECT_GE(window->width(), 640); // a tiny place grows to a usable size
    EXPECT_GE(window->height(), 480);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
