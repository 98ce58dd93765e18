#include "common/user_password.h"

#include <QList>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Published PBKDF2-HMAC-SHA256 vectors (RFC 7914 section 11 and the RFC 6070 inputs run with SHA-256).
TEST(Pbkdf2Test, MatchesPublishedVectors)
{
    const std::tuple<const char*, int, int, const char*> vectors[] = {
        {"password", 1, 32, "120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b"},
        {"password", 2, 32, "ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43"},
        {"password", 4096, 32, "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a"},
        {"passwd", 1, 64,
         "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
         "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783"},
    };
    for (const auto& [password, iterations, length, hex] : vectors)
        EXPECT_EQ(common::pbkdf2Sha256(password, "salt", iterations, length).toHex(), QByteArray(hex)) << iterations;
}

TEST(UserPasswordTest, VerifierHidesThePasswordAndAcceptsItInAnyLetterCase)
{
    const QString password = u"MatKhau2026"_s;
    const QString stored = common::makePasswordVerifier(password);
    EXPECT_TRUE(stored.startsWith(u"pbkdf2-sha256$%1$"_s.arg(common::kPasswordIterations)));
    EXPECT_TRUE(common::isPasswordVerifier(stored));
    EXPECT_NE(stored, password);
    EXPECT_FALSE(stored.contains(password, Qt::CaseInsensitive));
    EXPECT_NE(common::makePasswordVerifier(password), stored) << "every verifier has its own salt";

    // The last: the stored text is not a password.
    QList<bool> matches;
    for (const QString& typed :
         {password, u"matkhau2026"_s, u"MATKHAU2026"_s, u"MatKhau2027"_s, QString(), u"' or '1'='1"_s, stored})
        matches << common::passwordMatches(stored, typed);
    EXPECT_EQ(matches, (QList<bool>{true, true, true, false, false, false, false}));
}

// Clear-text rows match the old way (any letter case, a blank or empty row matches nothing);
// damaged verifiers match nothing.
TEST(StoredPasswordTest, ClearRowsMatchTheOldWayDamagedVerifiersMatchNothing)
{
    const QString good = common::makePasswordVerifier(u"abc"_s, 3);
    const std::tuple<const char*, QString, const char*, bool, bool> cases[] = {
        {"clear text, same case", u"matkhau1"_s, "matkhau1", false, true},
        {"clear text, other case", u"matkhau1"_s, "MATKHAU1", false, true},
        {"clear text, wrong", u"matkhau1"_s, "matkhau2", false, false},
        {"clear text, only its beginning", u"matkhau1"_s, "matkhau", false, false},
        {"clear text, quote", u"bi'nh"_s, "bi'nh", false, true},
        {"blank stored matches nothing", u"  "_s, "  ", false, false},
        {"empty stored matches nothing", QString(), "", false, false},
        {"few iterations still a verifier", good, "ABC", true, true},
        {"hash cut short", good.left(good.size() - 4), "abc", false, false},
        {"zero iterations", QString(good).replace(u"$3$"_s, u"$0$"_s), "abc", false, false},
        {"salt not base64", u"pbkdf2-sha256$3$!!$"_s + good.section(QLatin1Char('$'), 3), "abc", false, false},
    };
    for (const auto& [what, stored, typed, verifier, matches] : cases) {
        EXPECT_EQ(common::isPasswordVerifier(stored), verifier) << what;
        EXPECT_EQ(common::passwordMatches(stored, QString::fromUtf8(typed)), matches) << what;
    }
}

} // namespace
