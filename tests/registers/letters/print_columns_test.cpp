// A letters file keeps its form while it may only be read (an older file on a read-only share is
// never upgraded), but the print tables of the local scratch file may already have the columns
// added since. Printing the marked letters and the register book copy the columns both have.
#include "../register_fixture.h"

#include "registers/incoming/frmgridcvden.h"
#include "registers/letters/register_book.h"

#include <QTemporaryDir>

namespace {

using namespace registers;
using registers_test::RegisterTest;

class PrintColumnsTest : public RegisterTest
{
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        qputenv("SELVARO_PRINT_TO", pdfDir.path().toUtf8());
        QFile::copy(QStringLiteral(SELVARO_DATA_DIR "/sodkcvden.rpt"), home.data(QStringLiteral("sodkcvden.rpt")));
        app::module1().scratch.appendField(QStringLiteral("incvden"),
                                           {QStringLiteral("hanmoi"), db::FieldType::Text, 20});
    }
    void TearDown() override
    {
        qunsetenv("SELVARO_PRINT_TO");
        RegisterTest::TearDown();
    }
    static int printRows()
    {
        return app::module1()
            .scratch.openRecordset(QStringLiteral("select count(*) from incvden"), db::RecordsetType::Snapshot)
            .value(0)
            .toInt();
    }
    QTemporaryDir pdfDir;
};

TEST_F(PrintColumnsTest, MarkedLettersAndTheBookPrintIntoAWiderPrintTable)
{
    app::Module1& m = app::module1();
    registers_test::addLetters(
        m.incomingTable, {{1, QStringLiteral("02/01/2026"), QStringLiteral("Sở Nội vụ"), QStringLiteral("Tuyển dụng")},
                          {2, QStringLiteral("03/01/2026"), QStringLiteral("Bộ Tư pháp"),
                           QStringLiteral("Phổ biến luật"), QStringLiteral("X")}});

    auto* list = form<IncomingListForm>(QStringLiteral("frmgridcvden"));
    list->setSession(registers_test::visit(Register::Incoming, Start::List));
    list->open(m.incomingTable, m.incomingTable, false);
    home.responder.answer(QStringLiteral("no")); // the printer (a PDF here), not the preview
    list->Cmdin_Click();
    EXPECT_TRUE(list->CrystalReport1.lastResult().ok()) << home.messageText();
    EXPECT_EQ(printRows(), 1);

    const SessionPtr visit = registers_test::visit(Register::Incoming, Start::List);
    report::ReportControl control;
    const BookOutcome book =
        printRegisterBook(visit->context(), control, m.letters, BookRequest{true, m.incomingTable, 0, 0, {}, {}},
                          report::Destination::Printer, {});
    EXPECT_TRUE(book.refusal.isEmpty()) << book.refusal.toStdString();
    EXPECT_TRUE(book.result.ok()) << book.result.message.toStdString();
    EXPECT_EQ(book.letters, 2);
    EXPECT_EQ(printRows(), 2);
}

} // namespace
