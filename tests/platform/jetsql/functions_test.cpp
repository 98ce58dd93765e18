#include "function_cases.h"
#include "test_catalog.h"

#include <gtest/gtest.h>

using jettest::TestCatalog;

namespace {

struct FunctionCase
{
    const char* name;
    const char* sql;      // SQLite text run on a connection with the Jet functions
    const char* expected; // first column of the only row, "NULL" for null, "error" when it fails
};

// The cases of our SQLite connections alone (theirs are in function_cases.h).
const FunctionCase sqliteCases[] = {
    {"TrimKeepsTabs", "SELECT length(trim(char(9) || 'a'))", "2"},
    {"LikeWithEscapeTakesStarLiterally", "SELECT like('a\\*', 'a*', '\\')", "1"},
    {"LikeWithEscapeRefusesOther", "SELECT like('a\\*', 'ab', '\\')", "0"},
    {"LikeOfNullIsNull", "SELECT like('*', NULL)", "NULL"},
    {"LikePercentIsLiteral", "SELECT 'abc' LIKE 'a%'", "0"},
    {"MisspeltColumnIsAnErrorNotAText", "SELECT \"b\" FROM (SELECT 1 AS a)", "error"},
    {"NocaseFoldsVietnamese", "SELECT 'Đức' = 'đức' COLLATE NOCASE", "1"},
    {"NocaseFoldsPrecomposedTones", "SELECT 'ẤP' = 'ấp' COLLATE NOCASE", "1"},
    {"NocaseRespectsAccents", "SELECT 'a' = 'á' COLLATE NOCASE", "0"},
};

// The first column of the only row of sql, "error" when it fails.
QString onlyValue(const QString& sql)
{
    TestCatalog db;
    try {
        const QStringList values = db.column(sql);
        EXPECT_EQ(values.size(), 1) << sql.toStdString();
        return values.value(0);
    } catch (const std::runtime_error&) {
        return u"error"_s;
    }
}

using SqliteFunction = testing::TestWithParam<FunctionCase>;

TEST_P(SqliteFunction, GivesTheOldEnginesResult)
{
    EXPECT_EQ(onlyValue(QString::fromUtf8(GetParam().sql)), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, SqliteFunction, testing::ValuesIn(sqliteCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The cases the server's functions answer too, called as the SQLite translation calls them.
using JetFunction = testing::TestWithParam<test::FunctionCase>;

TEST_P(JetFunction, GivesTheOldEnginesResult)
{
    const QString name = QString::fromUtf8(GetParam().function);
    const QString function = name == u"plus" || name == u"power" ? u"jet_"_s + name : u'"' + name + u'"';
    const QString value = onlyValue(u"SELECT "_s + function + u'(' + QString::fromUtf8(GetParam().args) + u')');
    EXPECT_TRUE(test::sameResult(value, GetParam().expected)) << value.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, JetFunction, testing::ValuesIn(test::functionCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
