// Names and texts that other code would mangle: %-signs in names (the SQL is never built with
// chained QString::arg), quotes and brackets, NUL characters and lone surrogates.
#include "db_fixture.h"

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
        {QStringLiteral("Hà Nội"), QStringLiteral("Hà Nội")},
        {QStringLiteral("ab") + Nul + QStringLiteral("c"), QStringLiteral("abc")},
        {QString(Nul), QString()},
        {QStringLiteral("x") + High, QStringLiteral("x") + Replacement},
        {Low + QStringLiteral("y"), Replacement + QStringLiteral("y")},
        {QString(High) + Low, QString(High) + Low}, // a whole pair stays
        {QString(Low) + High, QString(Replacement) + Replacement},
    };
    for (const auto& [text, clean] : cases) {
        EXPECT_EQ(db::cleanText(text), clean);
        EXPECT_EQ(db::quoteLiteral(text), QLatin1Char('\'') + clean + QLatin1Char('\''));
    }
    EXPECT_EQ(db::quoteLiteral(QStringLiteral("it's")), QStringLiteral("'it''s'"));
    EXPECT_EQ(db::quoteIdentifier(QStringLiteral("a\"b")), QStringLiteral("\"a\"\"b\""));
    EXPECT_EQ(db::quoteJetName(QStringLiteral("a]b")), QStringLiteral("[a]]b]"));
}

// Tables and fields named with %-signs, quotes and brackets: created, written through a
// recordset, edited and read back through the cursor; no other table is touched.
TEST_F(DbTest, HostileNamesWorkThroughTablesAndRecordsets)
{
    const QStringList names = {QStringLiteral("bang%1"), QStringLiteral("giá %1"), QStringLiteral("a%2b"),
                               QStringLiteral("x]y"),    QStringLiteral("q\"t"),   QStringLiteral("c'd %3")};
    Database db = Database::create(path(), Password);
    db.appendTableDef(lettersTable(QStringLiteral("bang2")));
    db.execute(QStringLiteral("INSERT INTO bang2 (stt, loai) VALUES (1, 'giữ nguyên')"));
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        db::TableDef t;
        t.name = name;
        t.fields = {field(QStringLiteral("id"), db::FieldType::Long, 4, db::fieldattr::AutoIncrField),
                    field(name, db::FieldType::Text, 20), field(QStringLiteral("n %1"), db::FieldType::Long, 4)};
        db.appendTableDef(t);
        Recordset rs = db.openRecordset(db::quoteJetName(name));
        rs.addNew();
        rs.setValue(name, QStringLiteral("một"));
        rs.setValue(QStringLiteral("n %1"), 1);
        rs.update();
        rs.moveFirst();
        rs.edit();
        rs.setValue(name, QStringLiteral("hai %1 %2"));
        rs.update();
        EXPECT_EQ(rs.value(name).toString(), QStringLiteral("hai %1 %2"));
        EXPECT_EQ(rs.value(QStringLiteral("n %1")).toInt(), 1);
        expectDbError(errc::FieldTooSmall, [&] {
            rs.edit();
            rs.setValue(name, QString(21, u'x'));
        });
        rs.cancelUpdate();
        Recordset view =
            db.openRecordset(QStringLiteral("SELECT * FROM ") + db::quoteJetName(name) + QStringLiteral(" WHERE ") +
                             db::quoteJetName(name) + QStringLiteral(" Like 'hai*'"));
        EXPECT_EQ(view.recordCount(), 1);
    }
    Recordset other = db.openRecordset(QStringLiteral("bang2"));
    EXPECT_EQ(other.recordCount(), 1);
    EXPECT_EQ(other.value(QStringLiteral("loai")).toString(), QStringLiteral("giữ nguyên"));
}

// NUL and lone surrogates in typed text: criteria, statements and bound values follow one rule,
// so nothing raises a syntax error and a lone surrogate is no Like wildcard.
TEST_F(DbTest, NulAndLoneSurrogatesInTypedText)
{
    Database db = makeLetters(0);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"));
    const QStringList typed = {QStringLiteral("ab") + Nul + QStringLiteral("c"), QStringLiteral("Ax") + High,
                               QStringLiteral("Axy"), QStringLiteral("Axz")};
    int number = 0;
    for (const QString& text : typed) {
        rs.addNew();
        rs.setValue(QStringLiteral("stt"), ++number);
        rs.setValue(QStringLiteral("loai"), text);
        rs.update();
    }
    db.execute(QStringLiteral("INSERT INTO cvden2009 (stt, loai) VALUES (5, ") +
               db::quoteLiteral(QStringLiteral("Ax") + High) + QLatin1Char(')'));
    rs.requery();
    const QList<QPair<QString, QList<int>>> cases = {
        {QStringLiteral("loai = ") + db::quoteLiteral(typed[0]), {1}},
        {QStringLiteral("loai = 'ab") + Nul + QStringLiteral("c'"), {1}},
        {QStringLiteral("loai Like 'Ax") + High + QStringLiteral("'"), {2, 5}},
        {QStringLiteral("loai Like ") + db::quoteLiteral(QStringLiteral("*x") + Low), {2, 5}},
    };
    for (const auto& [criterion, expected] : cases) {
        SCOPED_TRACE(criterion.toStdString());
        QList<int> found;
        rs.findFirst(criterion);
        while (!rs.noMatch()) {
            found << rs.value(QStringLiteral("stt")).toInt();
            rs.findNext(criterion);
        }
        EXPECT_EQ(found, expected);
        Recordset view =
            db.openRecordset(QStringLiteral("SELECT stt FROM cvden2009 WHERE ") + criterion, RecordsetType::Snapshot);
        EXPECT_EQ(view.recordCount(), expected.size());
    }
    rs.moveFirst();
    EXPECT_EQ(rs.value(QStringLiteral("loai")).toString(), QStringLiteral("abc"));
    rs.moveNext();
    EXPECT_EQ(rs.value(QStringLiteral("loai")).toString(), QStringLiteral("Ax") + Replacement);
}
