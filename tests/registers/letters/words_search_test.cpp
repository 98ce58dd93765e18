// Searching letters by the words of their attached documents: the box "Nội dung văn bản có các
// từ" on both letter searches, read by the background reader, combined with the other criteria,
// and the list showing a passage of the current letter's document.
#include "../../support/accessibility_check.h"
#include "../register_fixture.h"
#include "sample_documents.h"

#include "datafiles/attachments.h"
#include "documents/text_indexer.h"
#include "registers/incoming/frmgridcvden.h"
#include "registers/incoming/frmtracuucvden.h"
#include "registers/outgoing/frmtracuucvdi.h"
#include "registers/outgoing/outgoing_forms.h"
#include "ui_frmgridcvden.h"
#include "ui_frmtracuucvden.h"
#include "ui_frmtracuucvdi.h"

namespace {

using registers_test::addLetters;
using registers_test::RegisterTest;

class WordsSearchTest : public RegisterTest
{
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        registers::registerOutgoingForms();
        documents::setProgramIndexer(&reader);
        const QString table = app::module1().incomingTable;
        addLetters(table, {{1, "02/01/2026", "Sở Nội vụ", "Giá cả"},
                           {2, "03/01/2026", "Bộ Tư pháp", "Giống"},
                           {3, "03/01/2026", "Sở Nội vụ", "Dệt may"},
                           {4, "04/01/2026", "Sở Nội vụ", "Họp"}});
        attach(1, u"Báo cáo giá cả thị trường tháng 12. Giá LÚA vụ mùa tăng 5%."_s);
        attach(2, u"Hướng dẫn chọn lúa giống cho vụ đông xuân."_s);
        attach(3, u"Tình hình sản xuất hàng lụa tơ tằm."_s);
        reader.queueFrom(app::module1().letters);
        ASSERT_TRUE(reader.waitIdle(60000));
    }
    void TearDown() override
    {
        RegisterTest::TearDown();
        documents::setProgramIndexer(nullptr);
    }
    void attach(long long id, const QString& text)
    {
        const QString path = files.filePath(QString::number(id) + u".pdf"_s);
        test::writeTextPdf(path, {text});
        app::Module1& m = app::module1();
        datafiles::attachFile(m.letters, datafiles::AttachmentStore::besideLettersFile(m.lettersPath), m.incomingTable,
                              id, path, u"Nguyễn Văn An"_s, QDateTime::currentDateTime());
    }
    registers::IncomingSearchForm* search()
    {
        return registers::form<registers::IncomingSearchForm>(u"frmtracuucvden"_s);
    }
    registers::IncomingListForm* list() { return registers::form<registers::IncomingListForm>(u"frmgridcvden"_s); }
    // The numbers (stt) the list shows after a search with these words and correspondent.
    QStringList found(const QString& words, const QString& sender)
    {
        search()->setSession(registers::programSession(registers::Register::Incoming, registers::Start::Search));
        search()->openWithValueLists({});
        search()->cmdxoa_Click();
        search()->ui().mnoidung->setText(words);
        search()->ui().mnoigui->setText(sender);
        search()->Cmdtracuu_Click();
        return shown(list()->Data1, u"stt"_s);
    }

    QTemporaryDir files;
    documents::TextIndexer reader;
};

TEST_F(WordsSearchTest, BothSearchesShowTheReadingAndWordsCombineWithTheOtherCriteria)
{
    // Opening the search hands the reader the letters' files again; it finds them all read, and
    // both letter searches show the box.
    search()->setSession(registers::programSession(registers::Register::Incoming, registers::Start::Search));
    search()->openWithValueLists({});
    ASSERT_TRUE(reader.waitIdle(60000));
    QCoreApplication::processEvents(); // the reader's progress reaches the form as a queued signal
    EXPECT_EQ(search()->ui().lbldocnoidung->text(), u"Đã đọc xong nội dung các tệp đính kèm."_s);
    EXPECT_TRUE(test::isAccessible(search()));
    shoot(search(), u"frmtracuucvden-words.png"_s);
    auto* outgoing = registers::form<registers::OutgoingSearchForm>(u"frmtracuucvdi"_s);
    outgoing->setSession(registers::programSession(registers::Register::Outgoing, registers::Start::Search));
    outgoing->openWithValueLists({});
    EXPECT_TRUE(outgoing->ui().lbldocnoidung->isVisible());
    EXPECT_TRUE(test::isAccessible(outgoing));
    outgoing->hide();

    struct Row
    {
        const char* what;
        QString words;
        QString sender;
        QStringList numbers;
    };
    const QList<Row> rows = {
        {"words alone, case ignored", "LÚA", {}, {"1", "2"}},
        {"and a correspondent", "lúa", "Nội vụ", {"1"}},
        {"no document holds them", "bão lụt", {}, {}},
        {"no words: the other criteria alone", {}, "Nội vụ", {"1", "3", "4"}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(found(r.words, r.sender), r.numbers) << r.what;

    found(u"lúa"_s, u"Nội vụ"_s);
    QLabel* excerpt = list()->ui().lbldoanvan;
    EXPECT_TRUE(excerpt->isVisible());
    EXPECT_TRUE(excerpt->text().contains(u"Giá «LÚA» vụ mùa"_s)) << excerpt->text().toStdString();
    EXPECT_TRUE(test::isAccessible(list()));
    shoot(list(), u"frmgridcvden-words.png"_s);

    // The list of a search without words shows no passage; "&Xoá ĐKiện" empties the words box.
    found(QString(), u"Nội vụ"_s);
    EXPECT_FALSE(list()->ui().lbldoanvan->isVisible());
    search()->ui().mnoidung->setText(u"lúa"_s);
    search()->cmdxoa_Click();
    EXPECT_TRUE(search()->ui().mnoidung->text().isEmpty());
}

} // namespace
