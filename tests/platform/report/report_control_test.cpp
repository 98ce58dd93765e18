// The report control as the print commands drive it: the four register reports rendered from a
// scratch file to PDF (SELVARO_PRINT_TO), and every way a print can fail.
#include "pdf_text.h"
#include "platform/report/report_control.h"
#include "scratch_file.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace report;

namespace {

const QString organisationAbove = QStringLiteral("ĐẢNG ỦY KHỐI CÁC CƠ QUAN TỈNH");
const QString organisation = QStringLiteral("VĂN PHÒNG 'ĐOÀN ĐẠI BIỂU' QUỐC HỘI");

QString dataFile(const char* name)
{
    // As the print commands write it: program folder + "\data\" + name.
    return QStringLiteral(SELVARO_DATA_DIR) + u'\\' + QString::fromUtf8(name);
}

class ReportControlTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_scratch.isValid());
        qputenv("SELVARO_PRINT_TO", m_out.path().toUtf8());
    }
    void TearDown() override
    {
        qunsetenv("SELVARO_PRINT_TO");
        ReportControl::setPreviewer({});
    }

    // Sets the control up as a list form's print command does (destination, file, window,
    // margins, formulas, data), leaving the action to the test.
    void prepare(ReportControl& control, const char* reportFile, const QString& title)
    {
        control.setDestination(Destination::Printer);
        control.setReportFileName(dataFile(reportFile));
        control.setWindowLeft(70);
        control.setWindowTop(35);
        control.setWindowHeight(540);
        control.setWindowWidth(720);
        if (!title.isNull())
            control.setFormula(0, QStringLiteral("lbltd1 = '") + title + u'\'');
        control.setFormula(1, QStringLiteral("tencaptren = '") + organisationAbove + u'\'');
        control.setFormula(2, QStringLiteral("tendonvi = '") + organisation + u'\'');
        control.setDatabase(m_scratch.database());
    }

    PdfText produced(ReportControl& control)
    {
        const ReportResult result = control.setAction(1);
        EXPECT_TRUE(result.ok()) << result.message.toStdString();
        EXPECT_TRUE(QFileInfo(result.outputFile).isFile());
        PdfText pdf = PdfText::read(result.outputFile);
        EXPECT_TRUE(pdf.error.isEmpty()) << pdf.error.toStdString();
        EXPECT_EQ(pdf.pageCount(), result.pageCount);
        return pdf;
    }

    // Heading on page 1 only, header captions and "Trang i/N" on every page.
    void expectPages(const PdfText& pdf, const QString& title, const QStringList& captions)
    {
        ASSERT_GE(pdf.pageCount(), 1);
        EXPECT_TRUE(pdf.pages[0].contains(organisationAbove));
        EXPECT_TRUE(pdf.pages[0].contains(organisation));
        EXPECT_TRUE(pdf.pages[0].contains(title)) << title.toStdString();
        EXPECT_EQ(pdf.pagesContaining(organisation), 1);
        for (int page = 0; page < pdf.pageCount(); ++page) {
            for (const QString& caption : captions)
                EXPECT_TRUE(pdf.pages[page].contains(caption)) << caption.toStdString() << " on page " << page + 1;
            EXPECT_TRUE(pdf.pages[page].contains(QStringLiteral("Trang %1/%2").arg(page + 1).arg(pdf.pageCount())))
                << "page number on page " << page + 1;
        }
    }

    void write(const QString& name, const QString& text)
    {
        QFile file(m_out.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }

    ScratchFile m_scratch;
    QTemporaryDir m_out;
};

TEST_F(ReportControlTest, IncomingRegisterPrintsHeadingEveryRowAndPageNumbers)
{
    m_scratch.addRows(QStringLiteral("cvdenmau"), incomingLetters(70));
    m_scratch.database().execute(
        QStringLiteral(" INSERT INTO incvden Select * from cvdenmau where [chonin]= 'X' order by [id]"));

    ReportControl control;
    prepare(control, "brcvden.rpt", QStringLiteral("(Những công văn được chọn)"));
    const PdfText pdf = produced(control);

    ASSERT_GE(pdf.pageCount(), 3);
    expectPages(pdf, QStringLiteral("SỔ ĐĂNG KÝ CÔNG VĂN ĐẾN"),
                {QStringLiteral("Số đến"), QStringLiteral("Nơi gửi"), QStringLiteral("Trích yếu nội dung")});
    EXPECT_TRUE(pdf.pages[0].contains(QStringLiteral("(Những công văn được chọn)")));
    const QString all = pdf.all();
    qsizetype last = -1;
    for (int i = 1; i <= 70; ++i) {
        const qsizetype at =
            all.indexOf(QStringLiteral("Về việc triển khai kế hoạch số %1 năm 2025 của đơn vị ở Đắk Lắk").arg(i));
        ASSERT_GT(at, last) << "letter " << i << " missing or out of order";
        EXPECT_TRUE(all.contains(QStringLiteral("%1/CVĐ-%2").arg(i).arg(i * 3))) << "letter " << i;
        last = at;
    }
    EXPECT_TRUE(pdf.pages.back().contains(QStringLiteral("Tổng số: 70 công văn.")));
    EXPECT_EQ(QFileInfo(control.lastResult().outputFile).fileName(), QStringLiteral("brcvden-001.pdf"));
}

TEST_F(ReportControlTest, OutgoingRegisterPrintsQuotesAndVietnameseExactly)
{
    m_scratch.addRows(QStringLiteral("cvdimau"), outgoingLetters(45));
    m_scratch.database().execute(
        QStringLiteral(" INSERT INTO incvdi Select * from cvdimau where [chonin]= 'X' order by [id]"));

    ReportControl control;
    prepare(control, "brcvdi.rpt", QStringLiteral("(Từ ngày 01/03/2025 đến 28/03/2025)"));
    const PdfText pdf = produced(control);

    ASSERT_GE(pdf.pageCount(), 2);
    expectPages(pdf, QStringLiteral("SỔ ĐĂNG KÝ CÔNG VĂN ĐI"),
                {QStringLiteral("Số, ký hiệu"), QStringLiteral("Nơi lưu"), QStringLiteral("Người ký")});
    EXPECT_TRUE(pdf.pages[0].contains(QStringLiteral("(Từ ngày 01/03/2025 đến 28/03/2025)")));
    for (int i = 1; i <= 45; ++i) {
        EXPECT_EQ(pdf.all().count(QStringLiteral("Đề nghị phê duyệt dự toán lần %1, hạng mục \"sửa chữa\"").arg(i)), 1)
            << "letter " << i;
    }
    EXPECT_TRUE(pdf.pages.back().contains(QStringLiteral("Tổng số: 45 công văn.")));
}

TEST_F(ReportControlTest, PlansReportReadsTheStoredQueryInItsOrderWithResultsCut)
{
    QList<ScratchFile::Values> plans;
    for (int i = 1; i <= 40; ++i) {
        const int day = 1 + (i * 17) % 28; // starts out of entry order
        const QString start = QStringLiteral("%1/04/2025").arg(day, 2, 10, QLatin1Char('0'));
        plans.append(
            {{QStringLiteral("Tendonvi"), QStringLiteral("Phòng Hành chính – Quản trị")},
             {QStringLiteral("ndungtt"), QStringLiteral("Công việc khởi đầu ngày %1 mã %2").arg(day).arg(i)},
             {QStringLiteral("Tgianbdau"), start},
             {QStringLiteral("Tgianbdauchuan"), QStringLiteral("202504%1").arg(day, 2, 10, QLatin1Char('0'))},
             {QStringLiteral("Tgiankthuc"), QStringLiteral("30/04/2025")},
             {QStringLiteral("Tgiankthucchuan"), QStringLiteral("20250430")},
             {QStringLiteral("nguoichidao"), QStringLiteral("Phó Chánh Văn phòng")},
             {QStringLiteral("chidao"), QStringLiteral("Khẩn trương thực hiện")},
             {QStringLiteral("canbo"), QStringLiteral("Lê Thị Ánh")},
             {QStringLiteral("ketqua"), i == 1 ? QStringLiteral("k").repeated(249) + QStringLiteral("Ẩ|PHẦN BỊ CẮT")
                                               : QStringLiteral("Đã xong phần %1").arg(i)},
             {QStringLiteral("ketthuc"), i % 3 == 0}});
    }
    m_scratch.addRows(QStringLiteral("kehoachmau"), plans);
    m_scratch.database().createQueryDef(
        QStringLiteral("QrIn"),
        QStringLiteral("select Tendonvi,ndungtt,Tgianbdau,tgianbdauchuan,Tgiankthuc,ketthuc,chidao,nguoichidao,"
                       "tgiankthucchuan,canbo,left(ketqua,250) as nhomcongviec FROM kehoachmau ORDER BY "
                       "tgianbdauchuan+tgiankthucchuan "));

    ReportControl control;
    prepare(control, "brkehoach.rpt", QString()); // the plans command passes no title formula
    const PdfText pdf = produced(control);

    ASSERT_GE(pdf.pageCount(), 2);
    expectPages(
        pdf, QStringLiteral("CHƯƠNG TRÌNH, KẾ HOẠCH CÔNG TÁC"),
        {QStringLiteral("Nội dung công việc"), QStringLiteral("Người chỉ đạo"), QStringLiteral("Kết quả thực hiện")});
    const QString all = pdf.all();
    // In the query's order: by start day; the STT column counts the printed rows.
    QList<QPair<int, int>> byStart;
    for (int i = 1; i <= 40; ++i)
        byStart.append({1 + (i * 17) % 28, i});
    std::stable_sort(byStart.begin(), byStart.end());
    qsizetype last = -1;
    for (int n = 0; n < byStart.size(); ++n) {
        const auto [day, i] = byStart[n];
        const qsizetype at =
            all.indexOf(QStringLiteral("%1 Phòng Hành chính – Quản trị Công việc khởi đầu ngày %2 mã %3")
                            .arg(n + 1)
                            .arg(day)
                            .arg(i));
        ASSERT_GT(at, last) << "plan " << i << " missing or out of order";
        last = at;
    }
    EXPECT_TRUE(all.contains(QStringLiteral("Ẩ")));
    EXPECT_FALSE(all.contains(QStringLiteral("PHẦN BỊ CẮT")));
    EXPECT_TRUE(pdf.pages.back().contains(QStringLiteral("Tổng số: 40 công việc.")));
}

TEST_F(ReportControlTest, ScheduleReportGroupsRowsByDayUnderTheWeekday)
{
    static const QStringList weekdays{QStringLiteral("Thứ hai"), QStringLiteral("Thứ ba"),  QStringLiteral("Thứ tư"),
                                      QStringLiteral("Thứ năm"), QStringLiteral("Thứ sáu"), QStringLiteral("Thứ bảy"),
                                      QStringLiteral("Chủ nhật")};
    QList<ScratchFile::Values> items;
    for (int k = 0; k < 56; ++k) {
        const int day = (k * 5) % 7; // entered out of order
        const int hour = 7 + (k * 3) % 8;
        items.append({{QStringLiteral("ngay"), QStringLiteral("%1/01/2025").arg(6 + day, 2, 10, QLatin1Char('0'))},
                      {QStringLiteral("ngaychuan"), QStringLiteral("202501%1").arg(6 + day, 2, 10, QLatin1Char('0'))},
                      {QStringLiteral("thu"), weekdays[day]},
                      {QStringLiteral("gio"), QStringLiteral("%1h%2").arg(hour).arg(k % 60, 2, 10, QLatin1Char('0'))},
                      {QStringLiteral("giochuan"),
                       QStringLiteral("%1h%2").arg(hour, 2, 10, QLatin1Char('0')).arg(k % 60, 2, 10, QLatin1Char('0'))},
                      {QStringLiteral("ndung"), QStringLiteral("Họp giao ban số %1").arg(k)},
                      {QStringLiteral("diadiem"), QStringLiteral("Hội trường B")},
                      {QStringLiteral("nguoictri"), QStringLiteral("Bí thư")},
                      {QStringLiteral("nguoicbi"), QStringLiteral("Văn phòng")},
                      {QStringLiteral("thanhphan"), QStringLiteral("Các đồng chí Ủy viên")},
                      {QStringLiteral("chonin"), QStringLiteral("X")}});
    }
    m_scratch.addRows(QStringLiteral("lichmau"), items);
    m_scratch.database().execute(QStringLiteral(
        " INSERT INTO inlich Select * from lichmau where [chonin]= 'X' order by [ngaychuan],[giochuan]"));

    ReportControl control;
    prepare(control, "brlichtuan.rpt", QStringLiteral("(Từ 06/01/2025 đến 12/01/2025)"));
    const PdfText pdf = produced(control);

    ASSERT_GE(pdf.pageCount(), 2);
    expectPages(pdf, QStringLiteral("LỊCH LÀM VIỆC HÀNG TUẦN"),
                {QStringLiteral("Giờ"), QStringLiteral("Địa điểm"), QStringLiteral("Thành phần")});
    EXPECT_TRUE(pdf.pages[0].contains(QStringLiteral("(Từ 06/01/2025 đến 12/01/2025)")));
    const QString all = pdf.all();
    qsizetype last = -1;
    for (int day = 0; day < 7; ++day) {
        const QString caption =
            QStringLiteral("%1, ngày %2/01/2025").arg(weekdays[day]).arg(6 + day, 2, 10, QLatin1Char('0'));
        const qsizetype group = all.indexOf(caption);
        ASSERT_GT(group, last) << caption.toStdString() << " missing or out of order";
        last = group;
        // The day's items follow, by time.
        QList<QPair<int, int>> items;
        for (int k = 0; k < 56; ++k) {
            if ((k * 5) % 7 == day)
                items.append({(7 + (k * 3) % 8) * 100 + k % 60, k});
        }
        std::sort(items.begin(), items.end());
        for (const auto& [time, k] : items) {
            const qsizetype at = all.indexOf(QStringLiteral("Họp giao ban số %1 Hội trường B").arg(k), last);
            ASSERT_GT(at, last) << "item " << k << " of " << caption.toStdString();
            last = at;
        }
    }
}

TEST_F(ReportControlTest, EachPrintWritesANewPdfFile)
{
    ReportControl control;
    prepare(control, "brcvden.rpt", QStringLiteral("(Ngày 01/01/2025)"));
    EXPECT_TRUE(control.setAction(1).ok());
    const ReportResult second = control.setAction(1);
    ASSERT_TRUE(second.ok()) << second.message.toStdString();
    EXPECT_EQ(QFileInfo(second.outputFile).fileName(), QStringLiteral("brcvden-002.pdf"));
    EXPECT_EQ(second.pageCount, 1); // an empty print table: heading, header row, no rows
}

TEST_F(ReportControlTest, MissingReportFileIsReportedAndNothingPrinted)
{
    ReportControl control;
    prepare(control, "brkhongco.rpt", QStringLiteral("x"));
    const ReportResult result = control.setAction(1);
    EXPECT_EQ(result.error, ReportErrorCode::FileNotFound);
    EXPECT_TRUE(result.message.contains(QStringLiteral("brkhongco.rpt"))) << result.message.toStdString();
    EXPECT_EQ(control.lastResult().error, ReportErrorCode::FileNotFound);
    EXPECT_TRUE(QDir(m_out.path()).entryList(QDir::Files).isEmpty());
}

// A report file naming what its source lacks (even without rows) or a source the scratch file
// lacks is refused with the names, the file and the line.
struct BadName
{
    const char* what;
    const char* rpt;
    const char* inMessage; // parts separated by "|"
    ReportErrorCode error = ReportErrorCode::UnknownColumn;
};

class ReportControlBadName : public ReportControlTest, public testing::WithParamInterface<BadName>
{
};

TEST_P(ReportControlBadName, IsRefusedNamingIt)
{
    write(QStringLiteral("brsai.rpt"), QString::fromUtf8(GetParam().rpt));
    ReportControl control;
    control.setReportFileName(m_out.filePath(QStringLiteral("brsai.rpt")));
    control.setDatabase(m_scratch.database());
    const ReportResult result = control.setAction(1);
    EXPECT_EQ(result.error, GetParam().error) << GetParam().what << ": " << result.message.toStdString();
    for (const QString& part : QString::fromUtf8(GetParam().inMessage).split(u'|'))
        EXPECT_TRUE(result.message.contains(part)) << result.message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Names, ReportControlBadName,
    testing::Values(
        BadName{"a column", "[report]\nsource = incvden\n[columns]\nstt | Số\nso_cv_sai | Số CV\n",
                "brsai.rpt, dòng 5|\"so_cv_sai\"|incvden"},
        BadName{"in a cell template", "[report]\nsource = inlich\n[columns]\n{{gio}} {{phong}} | A\n", "phong"},
        BadName{"in the order", "[report]\nsource = inlich\norder = ngaychuan, phut\n[columns]\ngio\n", "phut"},
        BadName{"in the grouping", "[report]\nsource = inlich\ngroup = tuan\n[columns]\ngio\n", "tuan"},
        BadName{"in the group caption",
                "[report]\nsource = inlich\ngroup = ngay\ngroup_caption = {{thu}} {{thang}}\n[columns]\ngio\n",
                "thang"},
        BadName{"the source", "[report]\nsource = inkhongco\n[columns]\nstt\n", "inkhongco",
                ReportErrorCode::DataSource}));

TEST_F(ReportControlTest, ColumnNamesMatchWithoutRegardToCase)
{
    write(QStringLiteral("brhoa.rpt"),
          QStringLiteral("[report]\nsource = INLICH\norder = NgayChuan\n[columns]\nGIO | Giờ\n{{NDUNG}} | Nội dung\n"));
    m_scratch.addRows(QStringLiteral("inlich"), {{{QStringLiteral("gio"), QStringLiteral("8h00")},
                                                  {QStringLiteral("ndung"), QStringLiteral("Chào cờ đầu tuần")}}});
    ReportControl control;
    control.setReportFileName(m_out.filePath(QStringLiteral("brhoa.rpt")));
    control.setDatabase(m_scratch.database());
    const PdfText pdf = produced(control);
    EXPECT_TRUE(pdf.all().contains(QStringLiteral("8h00 Chào cờ đầu tuần")));
}

// No database, a malformed formula, an action other than 1: refused, nothing printed.
TEST_F(ReportControlTest, BadSetUpIsRefusedAndNothingPrinted)
{
    ReportControl bare;
    bare.setReportFileName(dataFile("brcvden.rpt"));
    EXPECT_EQ(bare.setAction(1).error, ReportErrorCode::DataSource);
    ReportControl control;
    prepare(control, "brcvden.rpt", QStringLiteral("x"));
    EXPECT_EQ(control.setAction(0).error, ReportErrorCode::UnknownAction);
    control.setFormula(1, QStringLiteral("tencaptren 'thiếu dấu bằng'"));
    const ReportResult result = control.setAction(1);
    EXPECT_EQ(result.error, ReportErrorCode::BadFormula);
    EXPECT_TRUE(result.message.contains(QStringLiteral("số 1"))) << result.message.toStdString();
    EXPECT_TRUE(QDir(m_out.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(ReportControlTest, PrinterDestinationWithoutAPrinterSaysSo)
{
    qunsetenv("SELVARO_PRINT_TO");
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a printer";
    ReportControl control;
    prepare(control, "brcvden.rpt", QStringLiteral("x"));
    const ReportResult result = control.setAction(1);
    EXPECT_EQ(result.error, ReportErrorCode::NoPrinter);
    EXPECT_TRUE(result.message.contains(QStringLiteral("máy in"))) << result.message.toStdString();
}

// Without a preview window the window destination says so; with one it gets the report, its
// place and the margins.
TEST_F(ReportControlTest, WindowDestinationHandsThePreviewTheReportPlaceAndMargins)
{
    qunsetenv("SELVARO_PRINT_TO");
    ReportControl control;
    prepare(control, "brcvden.rpt", QStringLiteral("(Ngày 05/05/2025)"));
    control.setDestination(Destination::Window);
    EXPECT_EQ(control.setAction(1).error, ReportErrorCode::PreviewUnavailable);
    PreviewRequest shown;
    int calls = 0;
    ReportControl::setPreviewer([&](const PreviewRequest& request) {
        shown = request;
        ++calls;
    });
    control.setMarginLeft(1152); // 20 mm, as the list forms compute it: 20 / 25 * 1440
    control.setMarginTop(1152);
    const ReportResult result = control.setAction(1);
    ASSERT_TRUE(result.ok()) << result.message.toStdString();
    ASSERT_EQ(calls, 1);
    EXPECT_EQ(shown.geometry, QRect(70, 35, 720, 540));
    const QMarginsF margins = shown.report->pageLayout.margins(QPageLayout::Point);
    EXPECT_NEAR(margins.left(), 57.6, 0.01);
    EXPECT_NEAR(margins.top(), 57.6, 0.01);
    EXPECT_NEAR(margins.right(), 12 * 72 / 25.4, 0.01); // brcvden.rpt's own
    EXPECT_TRUE(shown.report->headingHtml.contains(QStringLiteral("(Ngày 05/05/2025)")));
    EXPECT_TRUE(result.outputFile.isEmpty());
}

TEST_F(ReportControlTest, ResetForgetsTheLastReportButKeepsDestinationAndDatabase)
{
    ReportControl control;
    prepare(control, "brcvden.rpt", QStringLiteral("(Cũ)"));
    control.setMarginLeft(2000);
    control.setDestination(Destination::Window);
    control.reset();
    EXPECT_EQ(control.destination(), Destination::Window);
    EXPECT_TRUE(control.reportFileName().isEmpty());
    EXPECT_TRUE(control.formula(0).isEmpty());
    EXPECT_TRUE(control.windowGeometry().isNull());

    // The date-range dialog: prepare, choose, prepare again, then the rest.
    qunsetenv("SELVARO_PRINT_TO");
    PreviewRequest shown;
    ReportControl::setPreviewer([&](const PreviewRequest& request) { shown = request; });
    control.reset();
    control.setReportFileName(dataFile("brcvden.rpt"));
    control.setFormula(0, QStringLiteral("lbltd1 = '(Mới)'"));
    ASSERT_TRUE(control.setAction(1).ok()) << control.lastResult().message.toStdString();
    ASSERT_TRUE(shown.report);
    EXPECT_FALSE(shown.report->headingHtml.contains(QStringLiteral("(Cũ)")));
    EXPECT_FALSE(shown.report->headingHtml.contains(organisation));
    EXPECT_TRUE(shown.report->headingHtml.contains(QStringLiteral("(Mới)")));
    EXPECT_NEAR(shown.report->pageLayout.margins(QPageLayout::Millimeter).left(), 18, 0.01);
}

} // namespace
