// Vietnamese letter case folded as Jet compares texts, and Jet's Like: the pattern matcher on its
// own (as the old Like operator matched), and the SQL like() of our connections, which folds most
// texts straight from their UTF-8 bytes and leaves the rest (combining marks, characters beyond
// U+FFFF, malformed bytes) to foldCase(). Each SQL case checks the operator's answer and that the
// quick fold, where it takes the text, gives exactly what foldCase() gives.
#include "fold_cases.h"
#include "like_cases.h"
#include "platform/jetsql/fold.h"
#include "platform/jetsql/functions.h"
#include "platform/jetsql/like_pattern.h"
#include "platform/jetsql/server_prefilter.h"

#include <QString>
#include <algorithm>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <string>

using namespace Qt::StringLiterals;

namespace {

using test::LikeCase;
using test::likeCases;
using LikePattern = testing::TestWithParam<LikeCase>;

TEST_P(LikePattern, MatchesAsTheOldLikeOperator)
{
    const LikeCase& c = GetParam();
    const QString pattern = QString::fromUtf16(c.pattern);
    const jetsql::LikePattern kept(pattern); // as like() keeps it for the rows of a statement
    if (c.matches) {
        const QString text = QString::fromUtf16(c.matches);
        EXPECT_TRUE(jetsql::likeMatch(text, pattern) && kept.matches(text)) << text.toStdString();
    }
    if (c.misses) {
        const QString text = QString::fromUtf16(c.misses);
        EXPECT_FALSE(jetsql::likeMatch(text, pattern) || kept.matches(text)) << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LikePattern, testing::ValuesIn(likeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LikePatternCost, ManyStarsOverLongTextFinishQuickly)
{
    // A pattern that defeats naive backtracking: with resumption from the last star only, the
    // work stays near text length times pattern length.
    const QString text = QString(20000, u'a');
    const QString pattern = u"*a*a*a*a*a*a*a*a*a*a*a*b"_s;
    EXPECT_FALSE(jetsql::likeMatch(text, pattern));
    EXPECT_TRUE(jetsql::likeMatch(text + u'b', pattern));
}

using test::SqlLikeCase;
using test::sqlLikeCases;
using LikeFold = testing::TestWithParam<SqlLikeCase>;

TEST_P(LikeFold, MatchesAsFoldCaseDoes)
{
    const SqlLikeCase& c = GetParam();
    std::u16string quick;
    const bool took = jetsql::foldSimpleUtf8(c.text.data(), int(c.text.size()), quick);
    EXPECT_EQ(took, c.quick);
    if (took) {
        const QString full = jetsql::foldCase(QString::fromUtf8(c.text.data(), qsizetype(c.text.size())));
        EXPECT_EQ(QStringView(quick.data(), qsizetype(quick.size())), full);
    }

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    jetsql::registerLike(db);
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT ?1 LIKE ?2", -1, &stmt, nullptr), SQLITE_OK);
    sqlite3_bind_text(stmt, 1, c.text.data(), int(c.text.size()), SQLITE_STATIC);
    sqlite3_bind_text(stmt, 2, c.pattern, -1, SQLITE_STATIC);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(stmt, 0) != 0, c.matches);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

INSTANTIATE_TEST_SUITE_P(Cases, LikeFold, testing::ValuesIn(sqlLikeCases),
                         [](const auto& info) { return std::string(info.param.name); });

int compareUtf8(const QString& a, const QString& b)
{
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    const int r = jetsql::compareFolded(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

using test::FoldCase;
using test::foldCases;
using VietnameseFold = testing::TestWithParam<FoldCase>;

TEST_P(VietnameseFold, ComparesIgnoringCaseOnly)
{
    const FoldCase& c = GetParam();
    const QString a = QString::fromUtf16(c.a);
    const QString b = QString::fromUtf16(c.b);
    EXPECT_EQ(compareUtf8(a, b), c.expected);
    EXPECT_EQ(compareUtf8(b, a), -c.expected);
    const int q = jetsql::compareFolded(a, b);
    EXPECT_EQ(q < 0 ? -1 : (q > 0 ? 1 : 0), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, VietnameseFold, testing::ValuesIn(foldCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VietnameseFold, FoldCaseLowersAndComposes)
{
    EXPECT_EQ(jetsql::foldCase(u"ĐỨC ẤP"), u"đức ấp"_s);
    EXPECT_EQ(jetsql::foldCase(QStringView(u"A\u0301")), u"á"_s);
}

// A server's prefilter looks for a pattern's ASCII characters in the stored text; the ones that
// some other character becomes, folded alone or composed, it must not look for.
TEST(VietnameseFold, TheAsciiOtherCharactersFoldOrComposeToAreKnown)
{
    QString reached;
    for (char32_t c = 0x80; c < 0x30000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const QString alone = QString::fromUcs4(&c, 1);
        for (const QString& folded :
             {jetsql::foldCase(alone), jetsql::foldCase(alone.normalized(QString::NormalizationForm_C))}) {
            for (const QChar f : folded) {
                if (f.unicode() < 0x80 && !reached.contains(f))
                    reached += f;
            }
        }
    }
    std::sort(reached.begin(), reached.end());
    QString listed = QString::fromLatin1(jetsql::kReachedFromBeyondAscii);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(reached, listed);
}

TEST(VietnameseFold, MalformedUtf8ComparesWithoutCrashing)
{
    const char bad[] = {'\xE1', '\xBA'}; // a cut three-byte sequence
    const char good[] = {'a'};
    EXPECT_NE(jetsql::compareFolded(bad, 2, good, 1), 0);
    EXPECT_EQ(jetsql::compareFolded(bad, 2, bad, 2), 0);
}

} // namespace
