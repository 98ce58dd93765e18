#include "sortkey.h"

#include <QHash>

namespace common {
namespace {

// The 88 letters, in table order, and their codes in the same order. The codes are stored in
// data files and must never change, irregular entries included (ẻ e04, ỡ o44).
constexpr const char16_t* kLetters = u"AaàáảãạÂâầấẩẫậĂăằắẳẵặDdĐđEeèéẻẽẹÊêềếểễệIiìíỉĩịOoòóỏõọÔôồốổỗộƠơờớởỡợ"
                                     u"UuùúủũụƯưừứửữựYyỳýỷỹỵ";
constexpr const char* kCodes[] = {
    "A00", "a00", "a01", "a02", "a03", "a04", "a05", // A a à á ả ã ạ
    "A10", "a10", "a11", "a12", "a13", "a14", "a15", // Â â ầ ấ ẩ ẫ ậ
    "A20", "a20", "a21", "a22", "a23", "a24", "a25", // Ă ă ằ ắ ẳ ẵ ặ
    "D00", "d00", "D10", "d10",                      // D d Đ đ
    "E00", "e00", "e01", "e02", "e04", "e04", "e05", // E e è é ẻ ẽ ẹ
    "E10", "e10", "e11", "e12", "e13", "e14", "e15", // Ê ê ề ế ể ễ ệ
    "I00", "i00", "i01", "i02", "i03", "i04", "i05", // I i ì í ỉ ĩ ị
    "O00", "o00", "o01", "o02", "o03", "o04", "o05", // O o ò ó ỏ õ ọ
    "O10", "o10", "o11", "o12", "o13", "o14", "o15", // Ô ô ồ ố ổ ỗ ộ
    "O30", "o30", "o31", "o32", "o33", "o44", "o35", // Ơ ơ ờ ớ ở ỡ ợ
    "U00", "u00", "u01", "u02", "u03", "u04", "u05", // U u ù ú ủ ũ ụ
    "U30", "u30", "u31", "u32", "u33", "u34", "u35", // Ư ư ừ ứ ử ữ ự
    "Y00", "y00", "y01", "y02", "y03", "y04", "y05", // Y y ỳ ý ỷ ỹ ỵ
};
constexpr int kLetterCount = sizeof(kCodes) / sizeof(kCodes[0]);
static_assert(kLetterCount == 88);

// Built on first use and kept for the rest of the run (function-local static: thread-safe).
const QHash<QChar, QString>& codeTable()
{
    static const QHash<QChar, QString> table = [] {
        const QString letters = QString::fromUtf16(kLetters);
        Q_ASSERT(letters.size() == kLetterCount);
        QHash<QChar, QString> t;
        for (int i = 0; i < kLetterCount; ++i)
            t.insert(letters.at(i), QString::fromLatin1(kCodes[i]));
        return t;
    }();
    return table;
}

} // namespace

QString sortKey(const QString& text, bool baseLetterMode)
{
    if (text.trimmed().isEmpty())
        return {};
    const QHash<QChar, QString>& table = codeTable();
    const QString composed = text.normalized(QString::NormalizationForm_C);
    QString key;
    key.reserve(composed.size() * 3);
    for (const QChar c : composed) {
        const auto it = table.constFind(c);
        if (it == table.constEnd())
            key += c;
        else if (baseLetterMode)
            key += it->at(0);
        else
            key += *it;
    }
    return key;
}

} // namespace common
