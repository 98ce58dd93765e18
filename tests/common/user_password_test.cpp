#include "common/user_password.h"

#include <gtest/gtest.h>

namespace {

struct Pbkdf2Case
{
    const char* password;
    const char* salt;
    int iterations;
    int length;
    const char* hex;
};

class Pbkdf2Test : public ::testing::TestWithParam<Pbkdf2Case>
{
};

// Published PBKDF2-HMAC-SHA256 vectors (RFC 7914 section 11 and the RFC 6070 inputs run with SHA-256).
TEST_P(Pbkdf2Test, MatchesPublishedVectors)
{
    const Pbkdf2Case& c = GetParam();
    EXPECT_EQ(common::pbkdf2Sha256(c.password, c.salt, c.iterations, c.length).toHex(), QByteArray(c.hex));
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, Pbkdf2Test,
    ::testing::Values(
        Pbkdf2Case{"password", "salt", 1, 32, "120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b"},
        Pbkdf2Case{"password", "salt", 2, 32, "ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43"},
        Pbkdf2Case{"password", "salt", 4096, 32, "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a"},
        Pbkdf2Case{"passwd", "salt", 1, 64,
                   "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
                   "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783"}));

TEST(UserPasswordTest, VerifierHidesThePasswordAndAcceptsItInAnyLetterCase)
{
    const QString password = QStringLiteral("MatKhau2026");
    const QString stored = common::makePasswordVerifier(password);
    EXPECT_TRUE(stored.startsWith(QStringLiteral("pbkdf2-sha256$%1$").arg(common::kPasswordIterations)));
    EXPECT_TRUE(common::isPasswordVerifier(stored));
    EXPECT_NE(stored, password);
    EXPECT_FALSE(stored.contains(password, Qt::CaseInsensitive));
    EXPECT_NE(common::makePasswordVerifier(password), stored) << "every verifier has its own salt";

    EXPECT_TRUE(common::passwordMatches(stored, password));
    EXPECT_TRUE(common::passwordMatches(stored, QStringLiteral("matkhau2026")));
    EXPECT_TRUE(common::passwordMatches(stored, QStringLiteral("MATKHAU2026")));
    EXPECT_FALSE(common::passwordMatches(stored, QStringLiteral("MatKhau2027")));
    EXPECT_FALSE(common::passwordMatches(stored, QString()));
    EXPECT_FALSE(common::passwordMatches(stored, QStringLiteral("' or '1'='1")));
    EXPECT_FALSE(common::passwordMatches(stored, stored)) << "the stored text is not a password";
}

struct StoredCase
{
    const char* what;
    QString stored;
    const char* typed;
    bool verifier;
    bool matches;
};

class StoredPasswordTest : public ::testing::TestWithParam<StoredCase>
{
};

TEST_P(StoredPasswordTest, ClearRowsMatchTheOldWayDamagedVerifiersMatchNothing)
{
    const StoredCase& c = GetParam();
    EXPECT_EQ(common::isPasswordVerifier(c.stored), c.verifier) << c.what;
    EXPECT_EQ(common::passwordMatches(c.stored, QString::fromUtf8(c.typed)), c.matches) << c.what;
}

const QString kGood = common::makePasswordVerifier(QStringLiteral("abc"), 3);

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredPasswordTest,
    ::testing::Values(StoredCase{"clear text, same case", QStringLiteral("matkhau1"), "matkhau1", false, true},
                      StoredCase{"clear text, other case", QStringLiteral("matkhau1"), "MATKHAU1", false, true},
                      StoredCase{"clear text, wrong", QStringLiteral("matkhau1"), "matkhau2", false, false},
                      StoredCase{"clear text, quote", QStringLiteral("bi'nh"), "bi'nh", false, true},
                      StoredCase{"blank stored matches nothing", QStringLiteral("  "), "  ", false, false},
                      StoredCase{"empty stored matches nothing", QString(), "", false, false},
                      StoredCase{"few iterations still a verifier", kGood, "ABC", true, true},
                      StoredCase{"hash cut short", kGood.left(kGood.size() - 4), "abc", false, false},
                      StoredCase{"zero iterations",
                                 QString(kGood).replace(QStringLiteral("$3$"), QStringLiteral("$0$")), "abc", false,
                                 false},
                      StoredCase{"salt not base64",
                                 QStringLiteral("pbkdf2-sha256$3$!!$") + kGood.section(QLatin1Char('$'), 3), "abc",
                                 false, false}));

} // namespace
