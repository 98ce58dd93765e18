// Which translated SELECTs a dynaset can map to the rowids of one table.
#include "platform/db/select_shape.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct ShapeCase
{
    const char* name;
    const char* sql;
    bool single;
    const char* schema;
    const char* table;
    const char* qualifier;
    const char* tail;
};

class SelectShapes : public ::testing::TestWithParam<ShapeCase>
{
};

TEST_P(SelectShapes, TellSingleTableSelectsApart)
{
    const ShapeCase& c = GetParam();
    const db::SelectShape shape = db::SelectShape::analyse(QString::fromUtf8(c.sql));
    EXPECT_EQ(shape.singleTable, c.single);
    if (c.single) {
        EXPECT_EQ(shape.schema, QString::fromUtf8(c.schema));
        EXPECT_EQ(shape.table, QString::fromUtf8(c.table));
        EXPECT_EQ(shape.qualifier, QString::fromUtf8(c.qualifier));
        EXPECT_EQ(shape.tail, QString::fromUtf8(c.tail));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SelectShapes,
    ::testing::Values(
        ShapeCase{"WholeTable", "SELECT * FROM cvden2009", true, "", "cvden2009", "\"cvden2009\"", ""},
        ShapeCase{"QuotedWithWhereAndOrder", "SELECT * FROM \"cvden 2009\" WHERE \"loai\" = 'a' ORDER BY \"stt\";",
                  true, "", "cvden 2009", "\"cvden 2009\"", "WHERE \"loai\" = 'a' ORDER BY \"stt\""},
        ShapeCase{"Attached", "SELECT a.* FROM ext1.\"lich2009\" AS a WHERE a.x = 1", true, "ext1", "lich2009", "\"a\"",
                  "WHERE a.x = 1"},
        ShapeCase{"BareAlias", "SELECT t.stt FROM cvden2009 t ORDER BY t.stt", true, "", "cvden2009", "\"t\"",
                  "ORDER BY t.stt"},
        ShapeCase{"FromInsideString", "SELECT 'x FROM y' AS a FROM donvi", true, "", "donvi", "\"donvi\"", ""},
        ShapeCase{"SubqueryInWhere", "SELECT * FROM a WHERE id IN (SELECT id FROM b GROUP BY id)", true, "", "a",
                  "\"a\"", "WHERE id IN (SELECT id FROM b GROUP BY id)"},
        ShapeCase{"Join", "SELECT a.* FROM a INNER JOIN b ON a.x = b.x", false, "", "", "", ""},
        ShapeCase{"CommaJoin", "SELECT * FROM a, b", false, "", "", "", ""},
        ShapeCase{"Distinct", "SELECT DISTINCT loai FROM cvden2009", false, "", "", "", ""},
        ShapeCase{"GroupBy", "SELECT loai FROM cvden2009 GROUP BY loai", false, "", "", "", ""},
        ShapeCase{"Aggregate", "SELECT max(stt) FROM cvden2009", false, "", "", "", ""},
        ShapeCase{"Union", "SELECT a FROM x UNION SELECT a FROM y", false, "", "", "", ""},
        ShapeCase{"SubqueryInFrom", "SELECT * FROM (SELECT * FROM x)", false, "", "", "", ""},
        ShapeCase{"NoFrom", "SELECT 1", false, "", "", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SelectPart, StartsAtTheFirstTopLevelSelect)
{
    EXPECT_EQ(db::selectPart(u"INSERT INTO \"x\" (a) SELECT a FROM b"_s), u"SELECT a FROM b"_s);
    EXPECT_EQ(db::selectPart(u"DELETE FROM x"_s), QString());
}

} // namespace
