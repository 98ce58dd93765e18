// Which translated SELECTs a dynaset can map to the rowids of one table.
#include "platform/db/select_shape.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct ShapeCase
{
    const char* name;
    const char* sql;
    const char* shape; // "schema|table|qualifier|tail" of a single-table SELECT, "-" for any other
};

using SelectShapes = testing::TestWithParam<ShapeCase>;

TEST_P(SelectShapes, TellSingleTableSelectsApart)
{
    const db::SelectShape shape = db::SelectShape::analyse(QString::fromUtf8(GetParam().sql));
    const QString text = QStringList{shape.schema, shape.table, shape.qualifier, shape.tail}.join(u'|');
    EXPECT_EQ(shape.singleTable ? text : u"-"_s, QString::fromUtf8(GetParam().shape));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SelectShapes,
    ::testing::Values(
        ShapeCase{"WholeTable", "SELECT * FROM cvden2009", "|cvden2009|\"cvden2009\"|"},
        ShapeCase{"QuotedWithWhereAndOrder", "SELECT * FROM \"cvden 2009\" WHERE \"loai\" = 'a' ORDER BY \"stt\";",
                  "|cvden 2009|\"cvden 2009\"|WHERE \"loai\" = 'a' ORDER BY \"stt\""},
        ShapeCase{"Attached", "SELECT a.* FROM ext1.\"lich2009\" AS a WHERE a.x = 1",
                  "ext1|lich2009|\"a\"|WHERE a.x = 1"},
        ShapeCase{"BareAlias", "SELECT t.stt FROM cvden2009 t ORDER BY t.stt", "|cvden2009|\"t\"|ORDER BY t.stt"},
        ShapeCase{"FromInsideString", "SELECT 'x FROM y' AS a FROM donvi", "|donvi|\"donvi\"|"},
        ShapeCase{"SubqueryInWhere", "SELECT * FROM a WHERE id IN (SELECT id FROM b GROUP BY id)",
                  "|a|\"a\"|WHERE id IN (SELECT id FROM b GROUP BY id)"},
        ShapeCase{"Join", "SELECT a.* FROM a INNER JOIN b ON a.x = b.x", "-"},
        ShapeCase{"CommaJoin", "SELECT * FROM a, b", "-"},
        ShapeCase{"Distinct", "SELECT DISTINCT loai FROM cvden2009", "-"},
        ShapeCase{"GroupBy", "SELECT loai FROM cvden2009 GROUP BY loai", "-"},
        ShapeCase{"Aggregate", "SELECT max(stt) FROM cvden2009", "-"},
        ShapeCase{"Union", "SELECT a FROM x UNION SELECT a FROM y", "-"},
        ShapeCase{"SubqueryInFrom", "SELECT * FROM (SELECT * FROM x)", "-"}, ShapeCase{"NoFrom", "SELECT 1", "-"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SelectPart, StartsAtTheFirstTopLevelSelect)
{
    EXPECT_EQ(db::selectPart(u"INSERT INTO \"x\" (a) SELECT a FROM b"_s), u"SELECT a FROM b"_s);
    EXPECT_EQ(db::selectPart(u"DELETE FROM x"_s), QString());
}

} // namespace
