// The register books of both letters registers, read back through the text of the PDF printed:
// cover, numbered column heads repeated on every page, rows whole and in register order, a range
// of numbers, one letter type; and the requests that print nothing.
#include "../../platform/report/pdf_text.h"
#include "../../support/accessibility_check.h"
#include "../register_fixture.h"

#include "registers/incoming/frmgridcvden.h"
#include "registers/letters/register_book_dialog.h"
#include "ui_frmgridcvden.h"
#include "ui_frmsodangky.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

using namespace registers;
using registers_test::RegisterTest;

const QString kIncomingHeads = QStringLiteral("Ngày đến Số đến Tác giả Số, ký hiệu Ngày tháng Tên loại và trích yếu "
                                              "nội dung Đơn vị hoặc người nhận Ký nhận Ghi chú");
const QString kNine = QStringLiteral("(1) (2) (3) (4) (5) (6) (7) (8) (9)");

// With SELVARO_SHOTS_DIR set, the dialog and the book printed are kept there to be looked at.
void keepForLooking(QWidget* window, const QString& pdf, const QString& name)
{
    const QString folder = qEnvironmentVariable("SELVARO_SHOTS_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    if (window)
        window->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
    if (!pdf.isEmpty())
        QFile::copy(pdf, QDir(folder).filePath(name + QStringLiteral(".pdf")));
}

class RegisterBookTest : public RegisterTest
{
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        qputenv("SELVARO_PRINT_TO", pdfDir.path().toUtf8());
        for (const char* report : {"sodkcvden.rpt", "sodkcvdi.rpt"})
            QFile::copy(QStringLiteral(SELVARO_DATA_DIR "/") + QString::fromLatin1(report),
                        home.data(QString::fromLatin1(report)));
        app::Module1& m = app::module1();
        db::Recordset names = m.lettersReference.openRecordset(QStringLiteral("tendonvi"));
        names.edit();
        names.setValue(QStringLiteral("tendonvi"), QStringLiteral("VĂN PHÒNG SỞ NỘI VỤ"));
        names.setValue(QStringLiteral("tencaptren"), QStringLiteral("UBND TỈNH HÀ GIANG"));
        names.update();
    }
    void TearDown() override
    {
        qunsetenv("SELVARO_PRINT_TO");
        RegisterTest::TearDown();
    }
    static void addIncoming(int stt, const QString& summary, const QString& sender = QStringLiteral("Sở Tài chính"))
    {
        db::Recordset rs = app::module1().letters.openRecordset(app::module1().incomingTable);
        rs.addNew();
        rs.setValue(QStringLiteral("stt"), stt);
        rs.setValue(QStringLiteral("ng_den"), QStringLiteral("05/01/2026"));
        if (!sender.isEmpty())
            rs.setValue(QStringLiteral("noigui"), sender);
        rs.setValue(QStringLiteral("tt_ndung"), summary);
        rs.update();
    }
    static void addOutgoing(int stt, const QString& type, const QString& summary)
    {
        db::Recordset rs = app::module1().letters.openRecordset(app::module1().outgoingTable);
        rs.addNew();
        rs.setValue(QStringLiteral("stt"), stt);
        rs.setValue(QStringLiteral("so_cv"), QString::number(stt) + QStringLiteral("/QĐ-SNV"));
        rs.setValue(QStringLiteral("loai"), type);
        rs.setValue(QStringLiteral("nguoiky"), QStringLiteral("Nguyễn Văn An"));
        rs.setValue(QStringLiteral("tt_ndung"), summary);
        rs.update();
    }
    static QString summary(int stt) { return QStringLiteral("Nội dung thư %1").arg(stt, 3, 10, QLatin1Char('0')); }
    // Page (0-based) holding text, or -1.
    static int pageOf(const PdfText& pdf, const QString& text)
    {
        for (int page = 0; page < pdf.pageCount(); ++page) {
            if (pdf.pages[page].contains(normalisedText(text)))
                return page;
        }
        return -1;
    }

    QTemporaryDir pdfDir;
};

TEST_F(RegisterBookTest, IncomingYearBookFromTheListHasItsCoverNumberedHeadsOnEveryPageAndWholeRowsInOrder)
{
    // Entered out of order, one letter without sender or number, one summary of 2,000 characters.
    for (int stt = 60; stt >= 1; --stt) {
        if (stt != 30)
            addIncoming(stt, summary(stt), stt == 7 ? QString() : QStringLiteral("Sở Tài chính"));
    }
    const QString longText =
        QStringLiteral("ĐẦUDÀI ") + QStringLiteral("chữ ").repeated(497) + QStringLiteral("CUỐIDÀI");
    ASSERT_GE(longText.size(), 2000);
    addIncoming(30, longText);

    app::Module1& m = app::module1();
    auto* list = form<IncomingListForm>(QStringLiteral("frmgridcvden"));
    list->setSession(registers_test::visit(Register::Incoming, Start::List));
    list->open(m.incomingTable, m.incomingTable, false);
    EXPECT_TRUE(test::isAccessible(list));
    BookOutcome outcome;
    home.responder.onModal(QStringLiteral("frmsodangky"), [&](ui::FormBase& form) {
        auto& dialog = dynamic_cast<RegisterBookDialog&>(form);
        EXPECT_TRUE(test::isAccessible(&dialog));
        EXPECT_FALSE(dialog.ui().cboloai->isVisibleTo(&dialog));
        EXPECT_EQ(dialog.ui().mdenso->value(), 60);
        dialog.ui().mquyenso->setText(QStringLiteral("02"));
        keepForLooking(&dialog, {}, QStringLiteral("frmsodangky-den"));
        dialog.ui().cmdOK->click();
        outcome = dialog.lastOutcome();
    });
    list->ui().cmdsodangky->click();

    ASSERT_TRUE(outcome.refusal.isEmpty()) << outcome.refusal.toStdString();
    ASSERT_TRUE(outcome.result.ok()) << outcome.result.message.toStdString();
    EXPECT_TRUE(home.messages().isEmpty()) << home.messageText();
    keepForLooking(list, outcome.result.outputFile, QStringLiteral("sodkcvden"));
    const PdfText pdf = PdfText::read(outcome.result.outputFile);
    ASSERT_GE(pdf.pageCount(), 3);
    EXPECT_EQ(pdf.pageCount(), outcome.result.pageCount);
    for (const QString& text : {QStringLiteral("UBND TỈNH HÀ GIANG"), QStringLiteral("VĂN PHÒNG SỞ NỘI VỤ"),
                                QStringLiteral("SỔ ĐĂNG KÝ VĂN BẢN ĐẾN"), QStringLiteral("Năm: 2026"),
                                QStringLiteral("Từ số 1 đến số 60"), QStringLiteral("Quyển số: 02")})
        EXPECT_TRUE(pdf.pages[0].contains(text)) << text.toStdString() << " | " << pdf.pages[0].toStdString();
    EXPECT_FALSE(pdf.pages[0].contains(QStringLiteral("Số đến")));
    for (int page = 1; page < pdf.pageCount(); ++page) {
        EXPECT_TRUE(pdf.pages[page].startsWith(kIncomingHeads + u' ' + kNine)) << "page " << page + 1;
        EXPECT_TRUE(pdf.pages[page].endsWith(u' ' + QString::number(page))) << "page " << page + 1;
    }
    int last = -1;
    for (int stt = 1; stt <= 60; ++stt) {
        const qsizetype at = pdf.all().indexOf(stt == 30 ? QStringLiteral("ĐẦUDÀI") : summary(stt));
        EXPECT_GT(at, last) << "letter " << stt;
        last = int(at);
    }
    EXPECT_GE(pageOf(pdf, QStringLiteral("ĐẦUDÀI")), 1);
    EXPECT_EQ(pageOf(pdf, QStringLiteral("ĐẦUDÀI")), pageOf(pdf, QStringLiteral("CUỐIDÀI")));
    EXPECT_FALSE(pdf.all().contains(QStringLiteral("NULL"), Qt::CaseInsensitive));
}

TEST_F(RegisterBookTest, OutgoingBookOfOneTypeAndANumberRangePrintsOnlyThoseLetters)
{
    for (int stt = 1; stt <= 4; ++stt) {
        addOutgoing(stt, QStringLiteral("Quyết định"), QStringLiteral("Quyết định số %1").arg(stt));
        addOutgoing(stt, QStringLiteral("Công văn"), QStringLiteral("Công văn số %1").arg(stt));
    }
    const SessionPtr visit = registers_test::visit(Register::Outgoing, Start::List); // held as the list holds it
    RegisterBookDialog dialog;
    dialog.prepare(false, app::module1().outgoingTable, visit, {});
    home.responder.onModal(QStringLiteral("frmsodangky"), [&](ui::FormBase&) {
        EXPECT_TRUE(test::isAccessible(&dialog));
        EXPECT_EQ(dialog.ui().cboloai->count(), 3); // every type, then the two of the year
        dialog.ui().cboloai->setCurrentText(QStringLiteral("Quyết định"));
        dialog.ui().optkhoangso->setChecked(true);
        dialog.ui().mtuso->setValue(2);
        dialog.ui().mdenso->setValue(3);
        keepForLooking(&dialog, {}, QStringLiteral("frmsodangky-di"));
        dialog.ui().cmdOK->click();
    });
    dialog.showModal();

    const BookOutcome& outcome = dialog.lastOutcome();
    ASSERT_TRUE(outcome.result.ok()) << outcome.refusal.toStdString() << outcome.result.message.toStdString();
    keepForLooking(nullptr, outcome.result.outputFile, QStringLiteral("sodkcvdi"));
    const PdfText pdf = PdfText::read(outcome.result.outputFile);
    ASSERT_EQ(pdf.pageCount(), 2);
    for (const QString& text : {QStringLiteral("SỔ ĐĂNG KÝ VĂN BẢN ĐI"), QStringLiteral("Loại văn bản: Quyết định"),
                                QStringLiteral("Từ số 2 đến số 3"), QStringLiteral("Quyển số: ..........")})
        EXPECT_TRUE(pdf.pages[0].contains(text)) << text.toStdString() << " | " << pdf.pages[0].toStdString();
    EXPECT_TRUE(pdf.pages[1].startsWith(
        QStringLiteral("Số, ký hiệu văn bản Ngày tháng văn bản Tên loại và trích yếu nội dung văn bản Người ký Nơi "
                       "nhận văn bản Đơn vị, người nhận bản lưu Số lượng bản Ngày chuyển Ký nhận Ghi chú (1) (2) (3) "
                       "(4) (5) (6) (7) (8) (9) (10) 2/QĐ-SNV")))
        << pdf.pages[1].toStdString();
    EXPECT_TRUE(pdf.pages[1].contains(QStringLiteral("Quyết định: Quyết định số 3")));
    for (const QString& absent :
         {QStringLiteral("Quyết định số 1"), QStringLiteral("Quyết định số 4"), QStringLiteral("Công văn số")})
        EXPECT_FALSE(pdf.all().contains(absent)) << absent.toStdString();
}

TEST_F(RegisterBookTest, RequestsWithNothingToPrintAreToldAndPrintNoBook)
{
    addIncoming(1, summary(1));
    addIncoming(2, summary(2));
    addOutgoing(1, QStringLiteral("Công văn"), QStringLiteral("Công văn số 1"));
    struct Case
    {
        bool incoming;
        int from, to;
        QString type, message;
    };
    const QList<Case> cases = {
        {true, 5, 9, {}, QStringLiteral("Không có công văn đến nào có số đăng ký từ 5 đến 9 !")},
        {true, 2, 1, {}, QStringLiteral("Số ở ô 'Từ số' phải nhỏ hơn hoặc bằng số ở ô 'Đến số' !")},
        {true, 0, 4, {}, QStringLiteral("Số đăng ký phải là số nguyên từ 1 trở lên !")},
        {false, 0, 0, QStringLiteral("Quyết định"),
         QStringLiteral("Năm 2026 chưa có công văn đi loại Quyết định nào để in sổ đăng ký !")},
        {false, 2, 3, {}, QStringLiteral("Không có công văn đi nào có số đăng ký từ 2 đến 3 !")},
    };
    const SessionPtr visit = registers_test::visit(Register::Incoming, Start::List);
    for (const Case& c : cases) {
        BookRequest request;
        request.incoming = c.incoming;
        request.table = c.incoming ? app::module1().incomingTable : app::module1().outgoingTable;
        request.from = c.from;
        request.to = c.to;
        request.letterType = c.type;
        report::ReportControl control;
        const BookOutcome outcome = printRegisterBook(visit->context(), control, app::module1().letters, request,
                                                      report::Destination::Printer, {});
        EXPECT_EQ(outcome.refusal, c.message);
        EXPECT_TRUE(outcome.result.outputFile.isEmpty());
    }
    // A year table without letters, as a new year's.
    app::module1().letters.execute(QStringLiteral("DELETE FROM ") + app::module1().outgoingTable);
    BookRequest year;
    year.incoming = false;
    year.table = app::module1().outgoingTable;
    report::ReportControl control;
    EXPECT_EQ(
        printRegisterBook(visit->context(), control, app::module1().letters, year, report::Destination::Printer, {})
            .refusal,
        QStringLiteral("Năm 2026 chưa có công văn đi nào để in sổ đăng ký !"));
    EXPECT_TRUE(QDir(pdfDir.path()).isEmpty());
}

} // namespace
