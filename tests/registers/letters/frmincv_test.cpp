// The print-by-date dialog for both letter registers: the range, its title, the register chosen
// by the caller, and the refusals.
#include "../../platform/report/pdf_text.h"
#include "../register_fixture.h"

#include "registers/letters/frmincv.h"
#include "ui_frmincv.h"

#include <QFile>

namespace {

using namespace registers;
using registers_test::addLetters;
using registers_test::RegisterTest;

class FrmincvTest : public RegisterTest
{
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        printToPdf();
        addLetters(app::module1().incomingTable, {{1, "01/01/2026", "Sở Nội vụ", "Ngày đầu năm"},
                                                  {2, "03/01/2026", "Bộ Tư pháp", "Ngày thứ ba"},
                                                  {3, "06/01/2026", "Sở Tài chính", "Sau khoảng"}});
    }
    // Opens the dialog as caller would and prints the range.
    DatePrintDialog* print(const QString& caller, const QString& from, const QString& to)
    {
        const bool outgoing = caller.contains(u"cvdi"_s);
        m_visit = programSession(outgoing ? Register::Outgoing : Register::Incoming, Start::Entry);
        auto* d = dynamic_cast<DatePrintDialog*>(datePrintDialog(caller, m_visit, QString()));
        d->ui().mngay1->setText(from);
        d->ui().mngay2->setText(to);
        home.responder.clear();
        d->cmdok_Click();
        return d;
    }
    QString printedText(DatePrintDialog* d) const
    {
        const QString file = d->CrystalReport1.lastResult().outputFile;
        return file.isEmpty() ? QString() : PdfText::read(file).all();
    }

    SessionPtr m_visit; // the caller's visit, held as its forms hold it
};

// The caller chooses the register: the incoming forms print incoming letters by arrival date, the
// outgoing ones outgoing letters by letter date, each range under its title.
TEST_F(FrmincvTest, RangesPrintTheCallersRegisterUnderTheirTitle)
{
    app::Module1& m = app::module1();
    test::insertRow(m.letters, m.outgoingTable,
                    {{"stt", 1}, {"ng_cv", "02/01/2026"}, {"ng_cvchuan", "20260102"}, {"tt_ndung", "Công văn gửi đi"}});
    struct Case
    {
        QString caller, from, to, title;
        QStringList in, out;
    };
    // clang-format off
    const QList<Case> cases = {
        {"frmcvden", "01/01/2026", "05/01/2026", "(Từ ngày 01/01/2026 đến 05/01/2026)", {"Ngày đầu năm", "Ngày thứ ba"},
         {"Sau khoảng", "Công văn gửi đi"}},
        {"frmcvden", "3/1/26", {}, "(Ngày 03/01/2026)", {"Ngày thứ ba"}, {"Ngày đầu năm"}},
        {"frmgridcvdi", "01/01/2026", "03/01/2026", "(Từ ngày 01/01/2026 đến 03/01/2026)", {"Công văn gửi đi"},
         {"Ngày đầu năm", "Ngày thứ ba"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caller.toStdString() + " " + c.from.toStdString());
        DatePrintDialog* d = print(c.caller, c.from, c.to);
        const bool incoming = !c.caller.contains(u"cvdi"_s);
        EXPECT_EQ(d->incoming(), incoming);
        EXPECT_EQ(d->ui().Label1->text(), incoming ? u"Chọn ngày in công văn đến"_s : u"Chọn ngày in công văn đi"_s);
        EXPECT_TRUE(home.messages().isEmpty()) << home.messageText();
        const QString text = printedText(d);
        EXPECT_TRUE(text.contains(c.title)) << text.toStdString();
        for (const QString& s : c.in)
            EXPECT_TRUE(text.contains(s)) << s.toStdString();
        for (const QString& s : c.out)
            EXPECT_FALSE(text.contains(s)) << s.toStdString();
        EXPECT_FALSE(d->isVisible());
    }
    db::Recordset printTable = m.scratch.openRecordset(u"incvdi"_s, db::RecordsetType::Snapshot);
    EXPECT_EQ(printTable.recordCount(), 1);
}

TEST_F(FrmincvTest, RefusalsChangeNothing)
{
    // from, to, message
    // clang-format off
    const std::tuple<QString, QString, QString> cases[] = {
        {{}, "05/01/2026", "Phải nạp ngày định in vào ô 'Từ ngày'"},
        {"05/01/2026", "01/01/2026", "Không tìm thấy công văn nào trong khoảng thời gian này!"},
        {"31/02/2026", {}, " Bạn cần nạp lại ngày tháng năm cho đúng! "},
        {"01/01/2026", "1/1/2026'--", " Bạn cần nạp lại ngày tháng năm cho đúng!  "},
    };
    // clang-format on
    for (const auto& [from, to, message] : cases) {
        DatePrintDialog* d = print(u"frmgridcvden"_s, from, to);
        EXPECT_EQ(home.messages(), QStringList{message}) << from.toStdString();
        EXPECT_TRUE(d->CrystalReport1.lastResult().outputFile.isEmpty());
    }
    // A missing report file.
    QFile::remove(home.data(u"brcvden.rpt"_s));
    print(u"frmcvden"_s, u"01/01/2026"_s, QString());
    ASSERT_EQ(home.messages().size(), 1);
    EXPECT_TRUE(home.messages().first().startsWith(u"Không tìm thấy file report (brcvden.rpt,brcvdi.rpt). "_s));
}

} // namespace
