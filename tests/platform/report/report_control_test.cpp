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

const QString organisationAbove = u"ĐẢNG ỦY KHỐI CÁC CƠ QUAN TỈNH"_s;
const QString organisation = u"VĂN PHÒNG 'ĐOÀN ĐẠI BIỂU' QUỐC HỘI"_s;

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
        ASSERT_TRUE(m_scratch.db().isOpen());
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
            control.setFormula(0, u"lbltd1 = '"_s + title + u'\'');
        control.setFormula(1, u"tencaptren = '"_s + organisationAbove + u'\'');
        control.setFormula(2, u"tendonvi = '"_s + organisation + u'\'');
        control.setDatabase(m_scratch.db());
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
        for (const QString& part : {organisationAbove, organisation, title})
            EXPECT_TRUE(pdf.pages[0].contains(part)) << part.toStdString();
        EXPECT_EQ(pdf.pagesContaining(organisation), 1);
        for (int page = 0; page < pdf.pageCount(); ++page) {
            for (const QString& caption : captions)
                EXPECT_TRUE(pdf.pages[page].contains(caption)) << caption.toStdString() << " on page " << page + 1;
            EXPECT_TRUE(pdf.pages[page].contains(u"Trang %1/%2"_s.arg(page + 1).arg(pdf.pageCount())))
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
    m_scratch.addRows(u"cvdenmau"_s, incomingLetters(70));
    m_scratch.db().execute(u" INSERT INTO incvden Select * from cvdenmau where [chonin]= 'X' order by [id]"_s);

    ReportControl control;
    prepare(control, "brcvden.rpt", u"(Những công văn được chọn)"_s);
    const PdfText pdf = produced(control);

    ASSERT_GE(pdf.pageCount(), 3);
    expectPages(pdf, u"SỔ ĐĂNG KÝ CÔNG VĂN ĐẾN"_s, {u"Số đến"_s, u"Nơi gửi"_s, u"Trích yếu nội dung"_s});
    EXPECT_TRUE(pdf.pages[0].contains(u"(Những công văn được chọn)"_s));
    QStringList summaries;
    for (int i = 1; i <= 70; ++i) {
        summaries << u"Về việc triển khai kế hoạch số %1 năm 2025 của đơn vị ở Đắk Lắk"_s.arg(i);
        EXPECT_TRUE(pdf.all().contains(u"%1/CVĐ-%2"_s.arg(i).arg(i * 3))) << "letter " << i;
    }
    EXPECT_EQ(pdf.orderProblem(summaries).toStdString(), "");
    EXPECT_TRUE(pdf.pages.back().contains(u"Tổng số: 70 công văn."_s));
    EXPECT_EQ(QFileInfo(control.lastResult().outputFile).fileName(), u"brcvden-001.pdf"_s);
    const ReportResult again = control.setAction(1); // each print writes a new file
    ASSERT_TRUE(again.ok()) << again.message.toStdString();
    EXPECT_EQ(QFileInfo(again.outputFile).fileName(), u"brcvden-002.pdf"_s);
}

TEST_F(ReportControlTest, OutgoingRegisterPrintsQuotesAndVietnameseExactly)
{
    m_scratch.addRows(u"cvdimau"_s, outgoingLetters(45));
    m_scratch.db().execute(u" INSERT INTO incvdi Select * from cvdimau where [chonin]= 'X' order by [id]"_s);

    ReportControl control;
    prepare(control, "brcvdi.rpt", u"(Từ ngày 01/03/2025 đến 28/03/2025)"_s);
    const PdfText pdf = produced(control);

    ASSERT_GE(pdf.pageCount(), 2);
    expectPages(pdf, u"SỔ ĐĂNG KÝ CÔNG VĂN ĐI"_s, {u"Số, ký hiệu"_s, u"Nơi lưu"_s, u"Người ký"_s});
    EXPECT_TRUE(pdf.pages[0].contains(u"(Từ ngày 01/03/2025 đến 28/03/2025)"_s));
    QStringList summaries;
    for (int i = 1; i <= 45; ++i)
        summaries << u"Đề nghị phê duyệt dự toán lần %1, hạng mục \"sửa chữa\""_s.arg(i);
    EXPECT_EQ(pdf.orderProblem(summaries).toStdString(), "");
    EXPECT_TRUE(pdf.pages.back().contains(u"Tổng số: 45 công văn."_s));
}

TEST_F(ReportControlTest, PlansReportReadsTheStoredQueryInItsOrderWithResultsCut)
{
    QList<ScratchFile::Values> plans;
    for (int i = 1; i <= 40; ++i) {
        const int day = 1 + (i * 17) % 28; // starts out of entry order
        const QString start = u"%1/04/2025"_s.arg(day, 2, 10, QLatin1Char('0'));
        plans.append({{u"Tendonvi"_s, u"Phòng Hành chính – Quản trị"_s},
                      {u"ndungtt"_s, u"Công việc khởi đầu ngày %1 mã %2"_s.arg(day).arg(i)},
                      {u"Tgianbdau"_s, start},
                      {u"Tgianbdauchuan"_s, u"202504%1"_s.arg(day, 2, 10, QLatin1Char('0'))},
                      {u"Tgiankthuc"_s, u"30/04/2025"_s},
                      {u"Tgiankthucchuan"_s, u"20250430"_s},
                      {u"nguoichidao"_s, u"Phó Chánh Văn phòng"_s},
                      {u"chidao"_s, u"Khẩn trương thực hiện"_s},
                      {u"canbo"_s, u"Lê Thị Ánh"_s},
                      {u"ketqua"_s, i == 1 ? u"k"_s.repeated(249) + u"Ẩ|PHẦN BỊ CẮT"_s : u"Đã xong phần %1"_s.arg(i)},
                      {u"ketthuc"_s, i % 3 == 0}});
    }
    m_scratch.addRows(u"kehoachmau"_s, plans);
    m_scratch.db().createQueryDef(
        u"QrIn"_s, u"select Tendonvi,ndungtt,Tgianbdau,tgianbdauchuan,Tgiankthuc,ketthuc,chidao,nguoichidao,"
                   "tgiankthucchuan,canbo,left(ketqua,250) as nhomcongviec FROM kehoachmau ORDER BY "
                   "tgianbdauchuan+tgiankthucchuan "_s);

    ReportControl control;
    prepare(control, "brkehoach.rpt", QString()); // the plans command passes no title formula
    const PdfText pdf = produced(control);

    ASSERT_GE(pdf.pageCount(), 2);
    expectPages(pdf, u"CHƯƠNG TRÌNH, KẾ HOẠCH CÔNG TÁC"_s,
                {u"Nội dung công việc"_s, u"Người chỉ đạo"_s, u"Kết quả thực hiện"_s});
    // In the query's order: by start day; the STT column counts the printed rows.
    QList<QPair<int, int>> byStart;
    for (int i = 1; i <= 40; ++i)
        byStart.append({1 + (i * 17) % 28, i});
    std::stable_sort(byStart.begin(), byStart.end());
    QStringList rows;
    for (int n = 0; n < byStart.size(); ++n) {
        const auto [day, i] = byStart[n];
        rows << u"%1 Phòng Hành chính – Quản trị Công việc khởi đầu ngày %2 mã %3"_s.arg(n + 1).arg(day).arg(i);
    }
    EXPECT_EQ(pdf.orderProblem(rows).toStdString(), "");
    const QString all = pdf.all();
    EXPECT_TRUE(all.contains(u"Ẩ"_s));
    EXPECT_FALSE(all.contains(u"PHẦN BỊ CẮT"_s));
    EXPECT_TRUE(pdf.pages.back().contains(u"Tổng số: 40 công việc."_s));
}

TEST_F(ReportControlTest, ScheduleReportGroupsRowsByDayUnderTheWeekday)
{
    static const QStringList weekdays{u"Thứ hai"_s, u"Thứ ba"_s,  u"Thứ tư"_s,  u"Thứ năm"_s,
                                      u"Thứ sáu"_s, u"Thứ bảy"_s, u"Chủ nhật"_s};
    QList<ScratchFile::Values> items;
    for (int k = 0; k < 56; ++k) {
        const int day = (k * 5) % 7; // entered out of order
        const int hour = 7 + (k * 3) % 8;
        items.append(
            {{u"ngay"_s, u"%1/01/2025"_s.arg(6 + day, 2, 10, QLatin1Char('0'))},
             {u"ngaychuan"_s, u"202501%1"_s.arg(6 + day, 2, 10, QLatin1Char('0'))},
             {u"thu"_s, weekdays[day]},
             {u"gio"_s, u"%1h%2"_s.arg(hour).arg(k % 60, 2, 10, QLatin1Char('0'))},
             {u"giochuan"_s, u"%1h%2"_s.arg(hour, 2, 10, QLatin1Char('0')).arg(k % 60, 2, 10, QLatin1Char('0'))},
             {u"ndung"_s, u"Họp giao ban số %1"_s.arg(k)},
             {u"diadiem"_s, u"Hội trường B"_s},
             {u"nguoictri"_s, u"Bí thư"_s},
             {u"nguoicbi"_s, u"Văn phòng"_s},
             {u"thanhphan"_s, u"Các đồng chí Ủy viên"_s},
             {u"chonin"_s, u"X"_s}});
    }
    m_scratch.addRows(u"lichmau"_s, items);
    m_scratch.db().execute(
        u" INSERT INTO inlich Select * from lichmau where [chonin]= 'X' order by [ngaychuan],[giochuan]"_s);

    ReportControl control;
    prepare(control, "brlichtuan.rpt", u"(Từ 06/01/2025 đến 12/01/2025)"_s);
    const PdfText pdf = produced(control);

    ASSERT_GE(pdf.pageCount(), 2);
    expectPages(pdf, u"LỊCH LÀM VIỆC HÀNG TUẦN"_s, {u"Giờ"_s, u"Địa điểm"_s, u"Thành phần"_s});
    EXPECT_TRUE(pdf.pages[0].contains(u"(Từ 06/01/2025 đến 12/01/2025)"_s));
    // Each day under its caption (repeated on a page it continues on), its items by time.
    QStringList order;
    for (int day = 0; day < 7; ++day) {
        order << u"%1, ngày %2/01/2025"_s.arg(weekdays[day]).arg(6 + day, 2, 10, QLatin1Char('0'));
        QList<QPair<int, int>> items;
        for (int k = 0; k < 56; ++k) {
            if ((k * 5) % 7 == day)
                items.append({(7 + (k * 3) % 8) * 100 + k % 60, k});
        }
        std::sort(items.begin(), items.end());
        for (const auto& [time, k] : items)
            order << u"Họp giao ban số %1 Hội trường B"_s.arg(k);
    }
    EXPECT_EQ(pdf.orderProblem(order, false).toStdString(), "");
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
    write(u"brsai.rpt"_s, QString::fromUtf8(GetParam().rpt));
    ReportControl control;
    control.setReportFileName(m_out.filePath(u"brsai.rpt"_s));
    control.setDatabase(m_scratch.db());
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
    write(u"brhoa.rpt"_s,
          u"[report]\nsource = INLICH\norder = NgayChuan\n[columns]\nGIO | Giờ\n{{NDUNG}} | Nội dung\n"_s);
    m_scratch.addRows(u"inlich"_s, {{{u"gio"_s, u"8h00"_s}, {u"ndung"_s, u"Chào cờ đầu tuần"_s}}});
    ReportControl control;
    control.setReportFileName(m_out.filePath(u"brhoa.rpt"_s));
    control.setDatabase(m_scratch.db());
    const PdfText pdf = produced(control);
    EXPECT_TRUE(pdf.all().contains(u"8h00 Chào cờ đầu tuần"_s));
}

// No database, a missing report file, an action other than 1, a malformed formula: refused with
// the file or the formula named, nothing printed.
TEST_F(ReportControlTest, BadSetUpIsRefusedAndNothingPrinted)
{
    ReportControl bare;
    bare.setReportFileName(dataFile("brcvden.rpt"));
    EXPECT_EQ(bare.setAction(1).error, ReportErrorCode::DataSource);
    ReportControl control;
    prepare(control, "brkhongco.rpt", u"x"_s);
    const ReportResult missing = control.setAction(1);
    EXPECT_EQ(missing.error, ReportErrorCode::FileNotFound);
    EXPECT_TRUE(missing.message.contains(u"brkhongco.rpt"_s)) << missing.message.toStdString();
    EXPECT_EQ(control.lastResult().error, ReportErrorCode::FileNotFound);
    control.setReportFileName(dataFile("brcvden.rpt"));
    EXPECT_EQ(control.setAction(0).error, ReportErrorCode::UnknownAction);
    control.setFormula(1, u"tencaptren 'thiếu dấu bằng'"_s);
    const ReportResult result = control.setAction(1);
    EXPECT_EQ(result.error, ReportErrorCode::BadFormula);
    EXPECT_TRUE(result.message.contains(u"số 1"_s)) << result.message.toStdString();
    EXPECT_TRUE(QDir(m_out.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(ReportControlTest, PrinterDestinationWithoutAPrinterSaysSo)
{
    qunsetenv("SELVARO_PRINT_TO");
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a printer";
    ReportControl control;
    prepare(control, "brcvden.rpt", u"x"_s);
    const ReportResult result = control.setAction(1);
    EXPECT_EQ(result.error, ReportErrorCode::NoPrinter);
    EXPECT_TRUE(result.message.contains(u"máy in"_s)) << result.message.toStdString();
}

// Without a preview window the window destination says so; with one it gets the report, its place
// and the margins.
TEST_F(ReportControlTest, WindowDestinationSaysWhatIsMissingAndThePreviewGetsItsPlace)
{
    qunsetenv("SELVARO_PRINT_TO");
    ReportControl control;
    prepare(control, "brcvden.rpt", u"(Ngày 05/05/2025)"_s);
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
    EXPECT_TRUE(shown.report->headingHtml.contains(u"(Ngày 05/05/2025)"_s));
    EXPECT_TRUE(result.outputFile.isEmpty());
}

TEST_F(ReportControlTest, ResetForgetsTheLastReportButKeepsDestinationAndDatabase)
{
    ReportControl control;
    prepare(control, "brcvden.rpt", u"(Cũ)"_s);
    control.setMarginLeft(2000);
    control.setDestination(Destination::Window);
    control.reset();
    EXPECT_EQ(std::tuple(control.destination(), control.reportFileName(), control.formula(0), control.windowGeometry()),
              std::tuple(Destination::Window, QString(), QString(), QRect()));

    // The date-range dialog: prepare, choose, prepare again, then the rest.
    qunsetenv("SELVARO_PRINT_TO");
    PreviewRequest shown;
    ReportControl::setPreviewer([&](const PreviewRequest& request) { shown = request; });
    control.reset();
    control.setReportFileName(dataFile("brcvden.rpt"));
    control.setFormula(0, u"lbltd1 = '(Mới)'"_s);
    ASSERT_TRUE(control.setAction(1).ok()) << control.lastResult().message.toStdString();
    ASSERT_TRUE(shown.report);
    for (const QString& gone : {u"(Cũ)"_s, organisation})
        EXPECT_FALSE(shown.report->headingHtml.contains(gone)) << gone.toStdString();
    EXPECT_TRUE(shown.report->headingHtml.contains(u"(Mới)"_s));
    EXPECT_NEAR(shown.report->pageLayout.margins(QPageLayout::Millimeter).left(), 18, 0.01);
}

} // namespace
