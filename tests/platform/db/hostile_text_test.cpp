// Names and texts that other code would mangle: %-signs in names (the SQL is never built with
// chained QString::arg), quotes and brackets, NUL characters and lone surrogates.
#include "engine_fixture.h"

#include "platform/db/sql_quote.h"

namespace {

const QChar Nul(u'\0');
const QChar High(u'\xD800');
const QChar Low(u'\xDC00');
const QChar Replacement(QChar::ReplacementCharacter);

} // namespace

// sql_quote.h: "a NUL character is dropped ..., and a lone surrogate ... becomes U+FFFD".
TEST(SqlQuote, CleansEveryQStringTheSameWay)
{
    const QList<QPair<QString, QString>> cases = {
        {u"Hà Nội"_s, u"Hà Nội"_s},
        {u"ab"_s + Nul + u"c"_s, u"abc"_s},
        {QString(Nul), QString()},
        {u"x"_s + High, u"x"_s + Replacement},
        {Low + u"y"_s, Replacement + u"y"_s},
        {QString(High) + Low, QString(High) + Low}, // a whole pair stays
        {QString(Low) + High, QString(Replacement) + Replacement},
    };
    for (const auto& [text, clean] : cases) {
        EXPECT_EQ(db::cleanText(text), clean);
        EXPECT_EQ(db::quoteLiteral(text), QLatin1Char('\'') + clean + QLatin1Char('\''));
    }
    EXPECT_EQ(db::quoteLiteral(u"it's"_s), u"'it''s'"_s);
    EXPECT_EQ(db::quoteIdentifier(u"a\"b"_s), u"\"a\"\"b\""_s);
    EXPECT_EQ(db::quoteJetName(u"a]b"_s), u"[a]]b]"_s);
}

// Tables and fields named with %-signs, quotes and brackets: created, written through a
// recordset, edited and read back through the cursor; no other table is touched.
TEST_P(LayerTest, HostileNamesWorkThroughTablesAndRecordsets)
{
    const QStringList names = {u"bang%1"_s, u"giá %1"_s, u"a%2b"_s, u"x]y"_s, u"q\"t"_s, u"c'd %3"_s};
    Database db = create();
    db.appendTableDef(lettersTable(u"bang2"_s));
    db.execute(u"INSERT INTO bang2 (stt, loai) VALUES (1, 'giữ nguyên')"_s);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        db.appendTableDef(
            table(name, {field(u"id"_s, db::FieldType::Long, 4, db::fieldattr::AutoIncrField),
                         field(name, db::FieldType::Text, 20), field(u"n %1"_s, db::FieldType::Long, 4)}));
        Recordset rs = db.openRecordset(db::quoteJetName(name));
        saveRow(rs, EditMode::AddNew, {{name, u"một"_s}, {u"n %1"_s, 1}});
        rs.moveFirst();
        saveRow(rs, EditMode::Edit, {{name, u"hai %1 %2"_s}});
        EXPECT_EQ(rs.value(name).toString(), u"hai %1 %2"_s);
        EXPECT_EQ(rs.value(u"n %1"_s).toInt(), 1);
        expectDbError(errc::FieldTooSmall, [&] {
            rs.edit();
            rs.setValue(name, QString(21, u'x'));
        });
        rs.cancelUpdate();
        Recordset view = db.openRecordset(u"SELECT * FROM "_s + db::quoteJetName(name) + u" WHERE "_s +
                                          db::quoteJetName(name) + u" Like 'hai*'"_s);
        EXPECT_EQ(view.recordCount(), 1);
    }
    Recordset other = db.openRecordset(u"bang2"_s);
    EXPECT_EQ(other.recordCount(), 1);
    EXPECT_EQ(other.value(u"loai"_s).toString(), u"giữ nguyên"_s);
}

// NUL and lone surrogates in typed text: criteria, statements and bound values follow one rule,
// so nothing raises a syntax error and a lone surrogate is no Like wildcard.
TEST_P(LayerTest, NulAndLoneSurrogatesInTypedText)
{
    Database db = makeLetters(0);
    Recordset rs = db.openRecordset(u"cvden2009"_s);
    const QStringList typed = {u"ab"_s + Nul + u"c"_s, u"Ax"_s + High, u"Axy"_s, u"Axz"_s};
    int number = 0;
    for (const QString& text : typed)
        saveRow(rs, EditMode::AddNew, {{u"stt"_s, ++number}, {u"loai"_s, text}});
    db.execute(u"INSERT INTO cvden2009 (stt, loai) VALUES (5, "_s + db::quoteLiteral(u"Ax"_s + High) +
               QLatin1Char(')'));
    rs.requery();
    const QList<QPair<QString, QList<int>>> cases = {
        {u"loai = "_s + db::quoteLiteral(typed[0]), {1}},
        {u"loai = 'ab"_s + Nul + u"c'"_s, {1}},
        {u"loai Like 'Ax"_s + High + u"'"_s, {2, 5}},
        {u"loai Like "_s + db::quoteLiteral(u"*x"_s + Low), {2, 5}},
    };
    for (const auto& [criterion, expected] : cases) {
        SCOPED_TRACE(criterion.toStdString());
        QList<int> found;
        for (rs.findFirst(criterion); !rs.noMatch(); rs.findNext(criterion))
            found << rs.value(u"stt"_s).toInt();
        EXPECT_EQ(found, expected);
        Recordset view = db.openRecordset(u"SELECT stt FROM cvden2009 WHERE "_s + criterion, RecordsetType::Snapshot);
        EXPECT_EQ(view.recordCount(), expected.size());
    }
    rs.moveFirst();
    EXPECT_EQ(rs.value(u"loai"_s).toString(), u"abc"_s);
    rs.moveNext();
    EXPECT_EQ(rs.value(u"loai"_s).toString(), u"Ax"_s + Replacement);
}
