// The register books of both letters registers, read back through the text of the PDF printed:
// cover, numbered column heads repeated on every page, rows whole and in register order, a range
// of numbers, one letter type; the requests that print nothing; and the check of register
// numbers on a year with planted gaps, numbers given twice and dates running backwards, and the
// list of its findings opened from the letters list.
#include "../../platform/export/sheet_xml.h"
#include "../../platform/report/pdf_text.h"
#include "../../support/accessibility_check.h"
#include "../register_fixture.h"

#include "datafiles/forms/file_dialog.h"
#include "registers/incoming/frmgridcvden.h"
#include "registers/letters/number_check.h"
#include "registers/letters/number_check_dialog.h"
#include "registers/letters/register_book_dialog.h"
#include "ui_frmgridcvden.h"
#include "ui_frmkiemtraso.h"
#include "ui_frmsodangky.h"

#include <QDir>

namespace {

using namespace registers;
using registers_test::RegisterTest;

const QString kIncomingHeads = u"Ngày đến Số đến Tác giả Số, ký hiệu Ngày tháng Tên loại và trích yếu "
                               "nội dung Đơn vị hoặc người nhận Ký nhận Ghi chú"_s;
const QString kNine = u"(1) (2) (3) (4) (5) (6) (7) (8) (9)"_s;

class RegisterBookTest : public RegisterTest
{
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        printToPdf();
        for (const char* report : {"sodkcvden.rpt", "sodkcvdi.rpt"})
            copyData(report);
        app::Module1& m = app::module1();
        db::Recordset names = m.lettersReference.openRecordset(u"tendonvi"_s);
        names.edit();
        names.setValue(u"tendonvi"_s, u"VĂN PHÒNG SỞ NỘI VỤ"_s);
        names.setValue(u"tencaptren"_s, u"UBND TỈNH HÀ GIANG"_s);
        names.update();
    }
    // Adds a letter of the year (incoming when type is empty, else outgoing of that type) dated by
    // its date key ("yyyymmdd", none when empty); returns its id.
    static qint64 add(int stt, const QString& summary, const QString& type = {}, const QString& dateKey = {},
                      bool sender = true)
    {
        app::Module1& m = app::module1();
        const bool in = type.isEmpty();
        const QString table = in ? m.incomingTable : m.outgoingTable;
        db::Recordset rs = m.letters.openRecordset(table);
        rs.addNew();
        rs.setValue(u"stt"_s, stt);
        rs.setValue(u"tt_ndung"_s, summary);
        rs.setValue(in ? u"ng_denchuan"_s : u"ng_cvchuan"_s, dateKey.isEmpty() ? QVariant() : QVariant(dateKey));
        if (in) {
            rs.setValue(u"ng_den"_s, u"05/01/2026"_s);
            rs.setValue(u"noigui"_s, sender ? QVariant(u"Sở Tài chính"_s) : QVariant());
        } else {
            rs.setValue(u"so_cv"_s, QString::number(stt) + u"/QĐ-SNV"_s);
            rs.setValue(u"loai"_s, type);
        }
        rs.update();
        return test::scalar(m.letters, u"SELECT Max(id) FROM "_s + table);
    }
    static QString summary(int stt) { return u"Nội dung thư %1"_s.arg(stt, 3, 10, QChar(u'0')); }

    // A year planted with faults: incoming letters missing 3 and 9 to 11, 5 given twice, 6 dated
    // after 7 (and 12 undated, a letter without a number); outgoing "Công văn" 1 to 3 in order,
    // "Quyết định" missing 1, 2 given twice and the second 2 dated after 3.
    struct Planted
    {
        qint64 fiveA, fiveB, six, qdA, qdB;
    };
    static Planted plantYear()
    {
        const QString cv = u"Công văn"_s, qd = u"Quyết định"_s;
        for (const auto& [stt, date] : {std::pair{1, "20260102"}, {2, "20260103"}, {4, "20260105"}, {8, "20260111"}})
            add(stt, summary(stt), {}, QString::fromLatin1(date));
        Planted p{};
        p.fiveA = add(5, summary(5), {}, "20260106");
        p.fiveB = add(5, "Thư trùng số", {}, "20260106");
        p.six = add(6, summary(6), {}, "20260110");
        add(7, summary(7), {}, "20260108");
        add(12, summary(12), {}, QString()); // no date: not judged against 8
        add(0, summary(0), {}, "20260101");  // no number: not judged
        for (int stt = 1; stt <= 3; ++stt)
            add(stt, {}, cv, u"2026010"_s + QString::number(stt));
        p.qdA = add(2, {}, qd, "20260205");
        p.qdB = add(2, {}, qd, "20260207");
        add(3, {}, qd, "20260206");
        return p;
    }
};

// The year's incoming book from the list; before it, requests with nothing to print (no letter in
// the range, a range the wrong way round, no outgoing letter of the year or of the type) are told
// and print no book.
TEST_F(RegisterBookTest, IncomingYearBookHasItsCoverHeadsOnEveryPageAndWholeRowsAndEmptyRequestsAreTold)
{
    // Entered out of order, one letter without sender or number, one summary of 2,000 characters.
    for (int stt = 60; stt >= 1; --stt) {
        if (stt != 30)
            add(stt, summary(stt), {}, {}, stt != 7);
    }
    const QString longText = u"ĐẦUDÀI "_s + u"chữ "_s.repeated(497) + u"CUỐIDÀI"_s;
    ASSERT_GE(longText.size(), 2000);
    add(30, longText);

    app::Module1& m = app::module1();
    struct Case
    {
        bool incoming;
        int from, to;
        QString type, message;
    };
    const QList<Case> cases = {
        {true, 61, 69, {}, u"Không có công văn đến nào có số đăng ký từ 61 đến 69 !"_s},
        {true, 2, 1, {}, u"Số ở ô 'Từ số' phải nhỏ hơn hoặc bằng số ở ô 'Đến số' !"_s},
        {true, 0, 4, {}, u"Số đăng ký phải là số nguyên từ 1 trở lên !"_s},
        {false, 0, 0, {}, u"Năm 2026 chưa có công văn đi nào để in sổ đăng ký !"_s},
        {false, 0, 0, u"Quyết định"_s, u"Năm 2026 chưa có công văn đi loại Quyết định nào để in sổ đăng ký !"_s},
        {false, 2, 3, {}, u"Không có công văn đi nào có số đăng ký từ 2 đến 3 !"_s},
    };
    const SessionPtr visit = programSession(Register::Incoming, Start::List);
    for (const Case& c : cases) {
        const BookRequest request{c.incoming, c.incoming ? m.incomingTable : m.outgoingTable, c.from, c.to, {}, c.type};
        report::ReportControl control;
        EXPECT_EQ(
            printRegisterBook(visit->context(), control, m.letters, request, report::Destination::Printer, {}).refusal,
            c.message);
    }
    EXPECT_TRUE(QDir(pdfDir.path()).isEmpty()); // no book printed

    auto* list = form<IncomingListForm>(u"frmgridcvden"_s);
    list->setSession(visit);
    list->open(m.incomingTable, m.incomingTable, false);
    EXPECT_TRUE(test::isAccessible(list));
    BookOutcome outcome;
    home.responder.onModal(u"frmsodangky"_s, [&](ui::FormBase& form) {
        auto& dialog = dynamic_cast<RegisterBookDialog&>(form);
        EXPECT_TRUE(test::isAccessible(&dialog));
        EXPECT_FALSE(dialog.ui().cboloai->isVisibleTo(&dialog));
        EXPECT_EQ(dialog.ui().mdenso->value(), 60);
        dialog.ui().mquyenso->setText(u"02"_s);
        dialog.ui().cmdOK->click();
        outcome = dialog.lastOutcome();
    });
    list->ui().cmdsodangky->click();

    ASSERT_TRUE(outcome.refusal.isEmpty()) << outcome.refusal.toStdString();
    ASSERT_TRUE(outcome.result.ok()) << outcome.result.message.toStdString();
    EXPECT_TRUE(home.messages().isEmpty()) << home.messageText();
    const PdfText pdf = PdfText::read(outcome.result.outputFile);
    ASSERT_GE(pdf.pageCount(), 3);
    EXPECT_EQ(pdf.pageCount(), outcome.result.pageCount);
    for (const QString& text : {u"UBND TỈNH HÀ GIANG"_s, u"VĂN PHÒNG SỞ NỘI VỤ"_s, u"SỔ ĐĂNG KÝ VĂN BẢN ĐẾN"_s,
                                u"Năm: 2026"_s, u"Từ số 1 đến số 60"_s, u"Quyển số: 02"_s})
        EXPECT_TRUE(pdf.pages[0].contains(text)) << text.toStdString() << " | " << pdf.pages[0].toStdString();
    for (int page = 1; page < pdf.pageCount(); ++page) {
        EXPECT_TRUE(pdf.pages[page].startsWith(kIncomingHeads + u' ' + kNine)) << "page " << page + 1;
        EXPECT_TRUE(pdf.pages[page].endsWith(u' ' + QString::number(page))) << "page " << page + 1;
    }
    int last = -1;
    for (int stt = 1; stt <= 60; ++stt) {
        const qsizetype at = pdf.all().indexOf(stt == 30 ? u"ĐẦUDÀI"_s : summary(stt));
        EXPECT_GT(at, last) << "letter " << stt;
        last = int(at);
    }
    EXPECT_EQ(pdf.pagesContaining(u"ĐẦUDÀI"_s), 1); // the long row whole, on one page
    EXPECT_EQ(std::count_if(pdf.pages.begin(), pdf.pages.end(),
                            [](const QString& p) { return p.contains(u"ĐẦUDÀI") && p.contains(u"CUỐIDÀI"); }),
              1);
    EXPECT_FALSE(pdf.all().contains(u"NULL"_s, Qt::CaseInsensitive));
}

TEST_F(RegisterBookTest, OutgoingBookOfOneTypeAndANumberRangePrintsOnlyThoseLetters)
{
    for (int stt = 1; stt <= 4; ++stt) {
        add(stt, u"Quyết định số %1"_s.arg(stt), "Quyết định");
        add(stt, u"Công văn số %1"_s.arg(stt), "Công văn");
    }
    const SessionPtr visit = programSession(Register::Outgoing, Start::List); // held as the list holds it
    RegisterBookDialog dialog;
    dialog.prepare(false, app::module1().outgoingTable, visit, {});
    home.responder.onModal(u"frmsodangky"_s, [&](ui::FormBase&) {
        EXPECT_TRUE(test::isAccessible(&dialog));
        EXPECT_EQ(dialog.ui().cboloai->count(), 3); // every type, then the two of the year
        dialog.ui().cboloai->setCurrentText(u"Quyết định"_s);
        dialog.ui().optkhoangso->setChecked(true);
        dialog.ui().mtuso->setValue(2);
        dialog.ui().mdenso->setValue(3);
        dialog.ui().cmdOK->click();
    });
    dialog.showModal();

    const BookOutcome& outcome = dialog.lastOutcome();
    ASSERT_TRUE(outcome.result.ok()) << outcome.refusal.toStdString() << outcome.result.message.toStdString();
    const PdfText pdf = PdfText::read(outcome.result.outputFile);
    ASSERT_EQ(pdf.pageCount(), 2);
    for (const QString& text :
         {u"SỔ ĐĂNG KÝ VĂN BẢN ĐI"_s, u"Loại văn bản: Quyết định"_s, u"Từ số 2 đến số 3"_s, u"Quyển số: .........."_s})
        EXPECT_TRUE(pdf.pages[0].contains(text)) << text.toStdString() << " | " << pdf.pages[0].toStdString();
    EXPECT_TRUE(pdf.pages[1].startsWith(
        u"Số, ký hiệu văn bản Ngày tháng văn bản Tên loại và trích yếu nội dung văn bản Người ký Nơi "
        "nhận văn bản Đơn vị, người nhận bản lưu Số lượng bản Ngày chuyển Ký nhận Ghi chú (1) (2) (3) "
        "(4) (5) (6) (7) (8) (9) (10) 2/QĐ-SNV"_s))
        << pdf.pages[1].toStdString();
    EXPECT_TRUE(pdf.pages[1].contains(u"Quyết định: Quyết định số 3"_s));
    for (const QString& absent : {u"Quyết định số 1"_s, u"Quyết định số 4"_s, u"Công văn số"_s})
        EXPECT_FALSE(pdf.all().contains(absent)) << absent.toStdString();
}

// The check of register numbers: a year without letters has nothing wrong; a year planted with
// faults gives its findings per sequence. From the letters list, the dialog shows them, "In"
// prints them through kiemtraso.rpt, "Xuất ra Excel" saves them as the lists are saved (the number
// a number cell, a gap of several numbers its text, the date a date cell), and a double-click
// moves the list to the letter of the row.
TEST_F(RegisterBookTest, NumberCheckFindsGapsDoublesAndBackwardDatesAndItsListPrintsExportsAndMoves)
{
    app::Module1& m = app::module1();
    const SessionPtr outgoing = programSession(Register::Outgoing, Start::List);
    NumberCheckDialog empty;
    empty.prepare(false, m.outgoingTable, outgoing, nullptr);
    QString told;
    home.responder.onModal(u"frmkiemtraso"_s, [&](ui::FormBase&) {
        EXPECT_FALSE(empty.ui().grdsaisot->isVisibleTo(&empty));
        told = empty.ui().lblkhongloi->text();
        empty.ui().cmddong->click();
    });
    empty.showModal();
    EXPECT_EQ(told, u"Không thấy sai sót nào trong số đăng ký năm 2026"_s);
    EXPECT_FALSE(empty.isVisible());

    using P = NumberProblem;
    const QString qd = u"Quyết định"_s;
    const auto [fiveA, fiveB, six, qdA, qdB] = plantYear();
    const QList<NumberFinding> incoming = {{P::Missing, {}, 3, 3, 0, {}, 0, {}},
                                           {P::Repeated, {}, 5, 0, fiveA, u"20260106"_s, 0, {}},
                                           {P::Repeated, {}, 5, 0, fiveB, u"20260106"_s, 0, {}},
                                           {P::DateBackwards, {}, 6, 0, six, u"20260110"_s, 7, u"20260108"_s},
                                           {P::Missing, {}, 9, 11, 0, {}, 0, {}}};
    const QList<NumberFinding> outgoingFound = {{P::Missing, qd, 1, 1, 0, {}, 0, {}},
                                                {P::Repeated, qd, 2, 0, qdA, u"20260205"_s, 0, {}},
                                                {P::Repeated, qd, 2, 0, qdB, u"20260207"_s, 0, {}},
                                                {P::DateBackwards, qd, 2, 0, qdB, u"20260207"_s, 3, u"20260206"_s}};
    for (const auto& [isIncoming, expected] : {std::pair{true, incoming}, {false, outgoingFound}}) {
        const QList<NumberFinding> found =
            checkRegisterNumbers(m.letters, isIncoming ? m.incomingTable : m.outgoingTable, isIncoming);
        ASSERT_EQ(found.size(), expected.size()) << (isIncoming ? "incoming" : "outgoing");
        for (qsizetype i = 0; i < found.size(); ++i)
            EXPECT_TRUE(found[i] == expected[i]) << i << ": " << describeFinding(found[i]).toStdString();
    }
    EXPECT_EQ(describeFinding(incoming[3]), u"Số 6 (10/01/2026) có ngày sau số 7 (08/01/2026)"_s);
    EXPECT_EQ(describeFinding(incoming[4]), u"Thiếu số 9 đến 11"_s);

    copyData("kiemtraso.rpt");
    auto* list = form<IncomingListForm>(u"frmgridcvden"_s);
    list->setSession(programSession(Register::Incoming, Start::List));
    list->open(m.incomingTable, m.incomingTable, false);
    QTemporaryDir dir;
    const QString file = dir.filePath(u"Kiểm tra số.xlsx"_s);
    const datafiles::FileChooser previous =
        datafiles::setSaveFileChooser([&](const datafiles::OpenFileRequest&) { return file; });
    QStringList rows;
    report::ReportResult print;
    QString exported;
    home.responder.clear();
    home.responder.onModal(u"frmkiemtraso"_s, [&](ui::FormBase& form) {
        auto& dialog = dynamic_cast<NumberCheckDialog&>(form);
        EXPECT_TRUE(test::isAccessible(&dialog));
        shoot(&dialog, u"frmkiemtraso.png"_s);
        EXPECT_EQ(dialog.ui().lbltieude->text(), u"Kiểm tra số đăng ký công văn đến năm 2026"_s);
        QTableWidget* grid = dialog.ui().grdsaisot;
        for (int r = 0; r < grid->rowCount(); ++r) {
            QStringList cells;
            for (int c = 1; c < grid->columnCount(); ++c)
                cells << grid->item(r, c)->text();
            rows << cells.join(u'|');
        }
        dialog.ui().cmdin->click();
        dialog.ui().cmdxuatexcel->click();
        print = dialog.lastPrint();
        exported = dialog.lastExport();
        const QRect cell = grid->visualItemRect(grid->item(2, 4));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        EXPECT_FALSE(dialog.isVisible());
    });
    list->ui().cmdkiemtraso->click();
    datafiles::setSaveFileChooser(previous);
    EXPECT_EQ(rows, (QStringList{"3|Thiếu số||", u"5|Trùng số|06/01/2026|"_s + summary(5),
                                 "5|Trùng số|06/01/2026|Thư trùng số",
                                 u"6|Ngày sau số 7 (08/01/2026)|10/01/2026|"_s + summary(6), "9 - 11|Thiếu số||"}));
    EXPECT_EQ(list->Data1->recordset().value(u"id"_s).toLongLong(), fiveB);

    ASSERT_TRUE(print.ok()) << print.message.toStdString();
    const PdfText pdf = PdfText::read(print.outputFile);
    ASSERT_EQ(pdf.pageCount(), 1) << pdf.error.toStdString();
    const QString text = pdf.all();
    qsizetype at = 0;
    for (const QString& part :
         {u"VĂN PHÒNG SỞ NỘI VỤ"_s, u"KIỂM TRA SỐ ĐĂNG KÝ CÔNG VĂN ĐẾN NĂM 2026"_s, u"Loại Số Vấn đề Ngày Trích yếu"_s,
          u"3 Thiếu số"_s, u"5 Trùng số 06/01/2026 Nội dung thư 005"_s, u"5 Trùng số 06/01/2026 Thư trùng số"_s,
          u"10/01/2026 Nội dung thư 006"_s, u"9 - 11 Thiếu số"_s, u"Tổng số: 5 sai sót."_s}) {
        const qsizetype found = text.indexOf(part, at);
        EXPECT_GE(found, at) << part.toStdString() << " | " << text.toStdString();
        at = qMax(at, found);
    }
    EXPECT_TRUE(text.contains(u"(08/01/2026)"_s)) << text.toStdString();

    EXPECT_EQ(exported, file);
    EXPECT_EQ(home.messages(), QStringList{u"Đã xuất danh sách ra file "_s + file + u" !"_s});
    const QString sheet = test::zipMember(file, u"xl/worksheets/sheet1.xml"_s);
    const QString styles = test::zipMember(file, u"xl/styles.xml"_s);
    const QStringList strings = test::sharedStrings(test::zipMember(file, u"xl/sharedStrings.xml"_s));
    // a cell, a string cell's text (empty: a number cell) and the number a number cell holds
    const std::tuple<const char*, QString, int> cells[] = {
        {"A1", u"Số"_s, 0},
        {"B1", u"Vấn đề"_s, 0},
        {"D1", u"Trích yếu"_s, 0},
        {"A2", {}, 3},
        {"B2", u"Thiếu số"_s, 0},
        {"A3", {}, 5},
        {"C3", {}, 46028}, // 6 January 2026
        {"D4", u"Thư trùng số"_s, 0},
        {"B5", u"Ngày sau số 7 (08/01/2026)"_s, 0},
        {"A6", u"9 - 11"_s, 0},
    };
    for (const auto& [cell, text, number] : cells) {
        const QString ref = QString::fromLatin1(cell);
        if (!text.isEmpty()) {
            EXPECT_EQ(test::stringCell(sheet, strings, ref), text) << cell;
        } else {
            const QString xml = test::cellXml(sheet, ref);
            EXPECT_TRUE(xml.contains(u"<v>%1</v>"_s.arg(number)) && !xml.contains(u"t=\"s\""))
                << cell << " " << xml.toStdString();
        }
    }
    EXPECT_EQ(test::numberFormatOf(test::cellXml(sheet, u"C3"_s), styles), u"dd/mm/yyyy"_s);
    EXPECT_TRUE(test::cellXml(sheet, u"C2"_s).isEmpty()) << "a missing number has no date";
    EXPECT_FALSE(sheet.contains(u"<row r=\"7\""_s));
}

} // namespace
