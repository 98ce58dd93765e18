#include "common/tcvn3.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QStringList>
#include <iconv.h>

using namespace Qt::StringLiterals;

using common::decodeTcvn3;
using common::encodeTcvn3;

namespace {

// glibc's converter for TCVN 5712:1993. It implements VN1, the superset of VN3 that also holds
// the capitals with tones and the combining tone marks; it serves here as the independent
// reference for the part of the table where VN1 and VN3 agree.
QByteArray iconvConvert(const QByteArray& input, const char* to, const char* from)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv cannot convert from " << from << " to " << to;
        return {};
    }
    QByteArray in = input;
    QByteArray out(input.size() * 8 + 16, '\0');
    char* inPtr = in.data();
    size_t inLeft = static_cast<size_t>(in.size());
    char* outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1))
        ADD_FAILURE() << "iconv failed on " << input.toHex().constData();
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft); // flush a letter held back for composition
    iconv_close(cd);
    out.truncate(out.size() - static_cast<qsizetype>(outLeft));
    return out;
}

QString iconvDecode(const QByteArray& bytes)
{
    return QString::fromUtf8(iconvConvert(bytes, "UTF-8", "TCVN5712-1"));
}

QByteArray iconvEncode(const QString& text)
{
    return iconvConvert(text.toUtf8(), "TCVN5712-1", "UTF-8");
}

QByteArray byte(int b)
{
    return QByteArray(1, static_cast<char>(b));
}

const QString Vowels = u"aăâeêioôơuưy"_s;
// Grave, hook above, tilde, acute, dot below.
const QList<char16_t> ToneMarks = {u'\u0300', u'\u0309', u'\u0303', u'\u0301', u'\u0323'};

// The 60 lower-case vowels with a tone mark, built from Unicode's composition, not from a table.
QStringList tonedLowerVowels()
{
    QStringList letters;
    for (const QChar v : Vowels) {
        for (const char16_t mark : ToneMarks)
            letters << (QString(v) + QChar(mark)).normalized(QString::NormalizationForm_C);
    }
    return letters;
}

// VN3's letters above ASCII: 67 lower-case and 7 capitals.
QStringList vn3Letters()
{
    QStringList letters = tonedLowerVowels();
    for (const QChar c : u"ăâêôơưđĂÂÊÔƠƯĐ"_s)
        letters << QString(c);
    return letters;
}

} // namespace

// Each of VN3's 74 letters encodes exactly to the one byte iconv gives it and decodes back.
TEST(Tcvn3, EveryVn3LetterEncodesToTheByteIconvGivesAndDecodesBack)
{
    const QStringList letters = vn3Letters();
    EXPECT_EQ(QSet<QString>(letters.begin(), letters.end()).size(), 74);
    for (const QString& letter : letters) {
        const QByteArray reference = iconvEncode(letter);
        ASSERT_EQ(reference.size(), 1) << "iconv does not give one byte for " << letter.toStdString();
        EXPECT_GE(static_cast<unsigned char>(reference[0]), 0xA1) << letter.toStdString();
        bool exact = false;
        EXPECT_EQ(encodeTcvn3(letter, &exact), reference) << letter.toStdString();
        EXPECT_TRUE(exact) << letter.toStdString();
        EXPECT_EQ(decodeTcvn3(reference), letter) << letter.toStdString();
        EXPECT_EQ(iconvDecode(reference), letter) << letter.toStdString();
    }
}

// Every byte: an assigned one round-trips exactly; above 0xA0 only the VN3 letters and the
// no-break space are assigned, and the 21 holes are where glibc's TCVN5712-1 (VN1) reads a
// combining tone or a toned capital, which a VN3 text cannot hold.
TEST(Tcvn3, AssignedBytesRoundTripAndTheHolesAreVn1Only)
{
    const QStringList letters = vn3Letters();
    int assignedHigh = 0;
    int holes = 0;
    for (int b = 0; b <= 0xFF; ++b) {
        const QString text = decodeTcvn3(byte(b));
        ASSERT_EQ(text.size(), 1);
        if (text.at(0).unicode() != 0xFFFD) {
            bool exact = false;
            EXPECT_EQ(encodeTcvn3(text, &exact), byte(b)) << std::hex << b;
            EXPECT_TRUE(exact) << std::hex << b;
            if (b >= 0xA0) {
                ++assignedHigh;
                EXPECT_TRUE(letters.contains(text) || (b == 0xA0 && text == QString(QChar(0xA0)))) << std::hex << b;
            }
        } else if (b > 0xA0) {
            ++holes;
            const QString vn1 = iconvDecode(byte(b));
            ASSERT_EQ(vn1.size(), 1) << std::hex << b;
            const QChar c = vn1.at(0);
            EXPECT_TRUE(ToneMarks.contains(c.unicode()) || (c.isUpper() && c.decomposition().size() >= 2))
                << std::hex << b << " iconv: " << vn1.toStdString();
        }
    }
    EXPECT_EQ(assignedHigh, 75);
    EXPECT_EQ(holes, 21);
}

// Bytes where our decoder (VN3, Windows-1252 below 0xA0) and glibc's VN1 read differently.
TEST(Tcvn3, DecodesAsVn3WhereIconvReadsVn1)
{
    const std::tuple<const char*, int, char16_t, char16_t> cases[] = {
        {"control code 01 stays a control", 0x01, u'\u0001', u'Ú'},
        {"control code 17 stays a control", 0x17, u'\u0017', u'Ỵ'},
        {"80 is the euro of Windows-1252", 0x80, u'€', u'À'},
        {"93 is the opening curly quote", 0x93, u'“', u'Ỏ'},
        {"96 is the en dash", 0x96, u'–', u'Ọ'},
        {"81 is empty in Windows-1252", 0x81, u'\uFFFD', u'Ả'},
        {"B0 is not a combining grave", 0xB0, u'\uFFFD', u'\u0300'},
        {"C4 is not capital A with circumflex and acute", 0xC4, u'\uFFFD', u'Ấ'},
        {"FF is not capital O with circumflex and acute", 0xFF, u'\uFFFD', u'Ố'},
    };
    for (const auto& [what, b, ours, vn1] : cases) {
        EXPECT_EQ(decodeTcvn3(byte(b)), QString(QChar(ours))) << what;
        EXPECT_EQ(iconvDecode(byte(b)), QString(QChar(vn1))) << what;
    }
}

// VN3 has no combining marks: a decomposed letter is encoded as the precomposed one, and a byte
// iconv (VN1) would compose with the letter before it is never composed.
TEST(Tcvn3, NoCombiningMarksEitherWay)
{
    EXPECT_EQ(iconvDecode(QByteArray("a\xB3")), u"á"_s);
    EXPECT_EQ(decodeTcvn3(QByteArray("a\xB3")), u"a\uFFFD"_s);
    bool exact = false;
    EXPECT_EQ(encodeTcvn3(u"a\u0301 \u01B0\u0300"_s, &exact), encodeTcvn3(u"á ừ"_s));
    EXPECT_TRUE(exact);
}

// A capital with a tone encodes as its lower-case letter (iconv's VN1 code is not VN3); a
// character outside VN3 becomes one question mark. Neither is exact.
TEST(Tcvn3, InexactEncodings)
{
    for (const QString& lower : tonedLowerVowels()) {
        const QString capital = lower.toUpper();
        bool exact = true;
        EXPECT_EQ(encodeTcvn3(capital, &exact), encodeTcvn3(lower)) << capital.toStdString();
        EXPECT_FALSE(exact) << capital.toStdString();
        EXPECT_NE(decodeTcvn3(iconvEncode(capital)), capital) << capital.toStdString();
    }
    const std::pair<QString, QByteArray> outside[] = {
        {u"ç"_s, "?"},
        {u"Ç"_s, "?"},
        {u"x漢y"_s, "x?y"},
        {u"a\U0001F600b"_s, "a?b"},
        {QString(QChar(0xFFFD)), "?"},
        {u"n\u0300"_s, "?"}, // a tone on a consonant
    };
    for (const auto& [text, expected] : outside) {
        bool exact = true;
        EXPECT_EQ(encodeTcvn3(text, &exact), expected) << text.toStdString();
        EXPECT_FALSE(exact) << text.toStdString();
    }
}

TEST(Tcvn3, DecodesAnOldRegisterEntry)
{
    // "Công văn đến" as the .VnTime font stored it, followed by a curly-quoted letter type.
    const QByteArray stored("C\xABng v\xA8n \xAE\xD5n \x93Quy\xD5t \xAE\xDEnh\x94");
    EXPECT_EQ(decodeTcvn3(stored), u"Công văn đến “Quyết định”"_s);
    EXPECT_EQ(encodeTcvn3(decodeTcvn3(stored)), stored);
    bool exact = false;
    EXPECT_TRUE(encodeTcvn3(QString(), &exact).isEmpty());
    EXPECT_TRUE(exact);
    EXPECT_TRUE(decodeTcvn3(QByteArray()).isEmpty());
}
