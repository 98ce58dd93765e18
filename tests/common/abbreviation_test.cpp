#include "common/abbreviation.h"
#include "common/sortkey.h"
#include "template_file.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A text box as a plain value.
class PlainTextBox : public common::TextBox
{
public:
    PlainTextBox(QString text, int cursor, bool multiLine)
        : m_text(std::move(text)), m_cursor(cursor), m_multi(multiLine)
    {}
    QString text() const override { return m_text; }
    void setText(const QString& text) override
    {
        m_text = text;
        m_cursor = 0; // as an edit box does when its whole text is replaced
    }
    int cursorPosition() const override { return m_cursor; }
    void setCursorPosition(int position) override { m_cursor = position; }
    bool isMultiLine() const override { return m_multi; }

private:
    QString m_text;
    int m_cursor;
    bool m_multi;
};

struct ExpandCase
{
    const char* what;
    const char* text;
    int cursor; // -1: end of text
    bool multiLine;
    int key;
    const char* expected; // nullptr: text unchanged
    int expectedCursor;   // -1: end of the expected text
};

using namespace common::expandkey;

const ExpandCase kCases[] = {
    {"SpaceExpandsCodeBeforeIt", "ubnd ", -1, false, Space, "Ủy ban nhân dân ", -1},
    {"CodeMatchedWhateverItsCase", "UbNd ", -1, false, Space, "Ủy ban nhân dân ", -1},
    {"VietnameseCodeMatchedWhateverItsCase", "đh ", -1, false, Space, "Đại học ", -1},
    {"CommaExpandsAndKeepsComma", "gửi ubnd,", -1, false, Comma, "gửi Ủy ban nhân dân,", -1},
    {"CodeAfterCommaIsFound", "sgd,ubnd ", -1, false, Space, "sgd,Ủy ban nhân dân ", -1},
    {"CodeAfterBracketIsFound", "(ubnd ", -1, false, Space, "(Ủy ban nhân dân ", -1},
    {"CodeAfterQuoteIsFound", "l'ubnd ", -1, false, Space, "l'Ủy ban nhân dân ", -1},
    {"ExpansionIsTrimmed", "tc ", -1, false, Space, "Tài chính ", -1},
    {"TypedInTheMiddleKeepsTheRest", "ubnd tỉnh", 5, false, Space, "Ủy ban nhân dân tỉnh", 16},
    {"LeavingTheBoxExpandsTheLastCode", "gửi đh", -1, false, LeaveField, "gửi Đại học", -1},
    {"EnterInOneLineBox", "ubnd", -1, false, Enter, "Ủy ban nhân dân", -1},
    {"EnterInMultiLineBoxCursorAfterBreak", "dòng 1\nubnd\nsau", 12, true, Enter, "dòng 1\nỦy ban nhân dân\nsau", 23},
    {"EnterAfterWindowsLineBreak", "ubnd\r\n", -1, true, Enter, "Ủy ban nhân dân\r\n", -1},
    {"UnknownCodeLeavesText", "xyz ", -1, false, Space, nullptr, 0},
    {"TextStartingWithBlankIsLeftAlone", " ubnd ", -1, false, Space, nullptr, 0},
    {"SecondBlankFindsNoCode", "ubnd  ", -1, false, Space, nullptr, 0},
    {"CursorAtStartDoesNothing", "ubnd ", 0, false, Space, nullptr, 0},
    {"OtherKeysDoNothing", "ubnd ", -1, false, 65, nullptr, 0},
    {"QuoteAloneIsNoCode", "ubnd' ", -1, false, Space, nullptr, 0},
};

class AbbreviationExpansion : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db::Database& db = m_file.db();
        db.execute(u"DELETE * FROM chutat"_s);
        db::Recordset rs = db.openRecordset(u"chutat"_s);
        const std::pair<const char*, const char*> rows[] = {
            {"sgd", "Sở Giáo dục"}, {"ubnd", "Ủy ban nhân dân"}, {"ĐH", "Đại học"}, {"tc", "  Tài chính  "}};
        for (const auto& [code, text] : rows) {
            rs.addNew();
            rs.setValue(u"chutat"_s, QString::fromUtf8(code));
            rs.setValue(u"chudu"_s, QString::fromUtf8(text));
            rs.setValue(u"matt"_s, common::sortKey(QString::fromUtf8(text)));
            rs.update();
        }
        // As start-up opens the shared abbreviations recordset.
        m_rschutat = db.openRecordset(u"select * from chutat order by matt"_s, db::RecordsetType::Snapshot);
    }

    test::TemplateCopy m_file{u"vemotk.mdb"_s};
    db::Recordset m_rschutat;
};

TEST_F(AbbreviationExpansion, GivesTheListedTextAndCursor)
{
    for (const ExpandCase& c : kCases) {
        SCOPED_TRACE(c.what);
        const QString text = QString::fromUtf8(c.text);
        const int cursor = c.cursor < 0 ? static_cast<int>(text.size()) : c.cursor;
        PlainTextBox box(text, cursor, c.multiLine);
        common::expandAbbreviation(box, c.key, m_rschutat, u"chudu"_s);
        const QString expected = c.expected ? QString::fromUtf8(c.expected) : text;
        EXPECT_EQ(box.text(), expected);
        EXPECT_EQ(box.cursorPosition(), !c.expected            ? cursor
                                        : c.expectedCursor < 0 ? expected.size()
                                                               : c.expectedCursor);
    }
}

TEST(Abbreviation, QtKeysMapToTheExpansionKeys)
{
    QList<int> keys;
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Comma, Qt::Key_Return, Qt::Key_Enter, Qt::Key_A})
        keys << common::expansionKey(key);
    EXPECT_EQ(keys, (QList<int>{Space, Comma, Enter, Enter, 0}));
}

} // namespace
