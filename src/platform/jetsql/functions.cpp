#include "functions.h"

#include "fold.h"
#include "like_pattern.h"

#include <QDateTime>
#include <QString>
#include <cmath>
#include <limits>
#include <sqlite3.h>

namespace jetsql {

namespace {

QString textArg(sqlite3_value* value)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return QString::fromUtf8(text, sqlite3_value_bytes(value));
}

void resultText(sqlite3_context* context, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(context, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

int nocaseCompare(void*, int aLength, const void* a, int bLength, const void* b)
{
    return compareFolded(static_cast<const char*>(a), aLength, static_cast<const char*>(b), bLength);
}

void deleteFoldedPattern(void* p)
{
    delete static_cast<LikePattern*>(p);
}

// Whether the text value, folded, matches the folded pattern. Most texts are folded into a buffer
// kept for the thread, with no QString made per row.
bool likeFolded(sqlite3_value* text, const LikePattern& foldedPattern)
{
    thread_local std::u16string folded;
    const auto* utf8 = reinterpret_cast<const char*>(sqlite3_value_text(text));
    if (foldSimpleUtf8(utf8, sqlite3_value_bytes(text), folded))
        return foldedPattern.matches(QStringView(folded.data(), qsizetype(folded.size())));
    return foldedPattern.matches(foldCase(textArg(text)));
}

// like(pattern, text [, escape]): SQLite passes the pattern first for "text LIKE pattern".
// Both sides are folded, so letter case is ignored as in every text comparison of ours.
// With an escape character the character after it stands for itself.
void likeFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    auto* pattern = static_cast<LikePattern*>(sqlite3_get_auxdata(context, 0));
    if (!pattern || argc == 3) {
        QString folded = foldCase(textArg(argv[0]));
        if (argc == 3 && sqlite3_value_type(argv[2]) != SQLITE_NULL) {
            const QString escape = textArg(argv[2]);
            if (escape.size() != 1) {
                sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
                return;
            }
            // Rewrite "<esc>c" as the one-character list "[c]".
            QString rewritten;
            for (qsizetype i = 0; i < folded.size(); ++i) {
                if (folded[i] == escape[0] && i + 1 < folded.size()) {
                    rewritten += u'[' + QString(folded[i + 1]) + u']';
                    ++i;
                } else {
                    rewritten += folded[i];
                }
            }
            folded = rewritten;
        }
        sqlite3_set_auxdata(context, 0, new LikePattern(folded), deleteFoldedPattern);
        pattern = static_cast<LikePattern*>(sqlite3_get_auxdata(context, 0));
        if (!pattern) {
            // SQLite may drop auxiliary data at once (the pattern is not constant).
            sqlite3_result_int(context, likeFolded(argv[1], LikePattern(folded)) ? 1 : 0);
            return;
        }
    }
    sqlite3_result_int(context, likeFolded(argv[1], *pattern) ? 1 : 0);
}

bool anyNull(int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    }
    return false;
}

// left(text, n): the first n characters.
void leftFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const qint64 n = sqlite3_value_int64(argv[1]);
    if (n < 0) {
        sqlite3_result_error(context, "left(): negative length", -1);
        return;
    }
    resultText(context, textArg(argv[0]).left(n));
}

// right(text, n): the last n characters.
void rightFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const qint64 n = sqlite3_value_int64(argv[1]);
    if (n < 0) {
        sqlite3_result_error(context, "right(): negative length", -1);
        return;
    }
    resultText(context, textArg(argv[0]).right(n));
}

// mid(text, start [, length]): characters from the 1-based start.
void midFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const qint64 start = sqlite3_value_int64(argv[1]);
    if (start < 1) {
        sqlite3_result_error(context, "mid(): start before the first character", -1);
        return;
    }
    const QString text = textArg(argv[0]);
    if (argc == 3) {
        const qint64 length = sqlite3_value_int64(argv[2]);
        if (length < 0) {
            sqlite3_result_error(context, "mid(): negative length", -1);
            return;
        }
        resultText(context, text.mid(start - 1, length));
    } else {
        resultText(context, text.mid(start - 1));
    }
}

// len(text): number of characters; null for null.
void lenFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_int64(context, textArg(argv[0]).size());
}

enum class TrimSide
{
    Both,
    Left,
    Right
};

template <TrimSide side> void trimFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    // Only spaces are removed, as the old engine did (tabs and line breaks stay).
    const QString text = textArg(argv[0]);
    qsizetype begin = 0;
    qsizetype end = text.size();
    if (side != TrimSide::Right) {
        while (begin < end && text[begin] == u' ')
            ++begin;
    }
    if (side != TrimSide::Left) {
        while (end > begin && text[end - 1] == u' ')
            --end;
    }
    resultText(context, text.mid(begin, end - begin));
}

template <bool upper> void caseFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const QString text = textArg(argv[0]);
    resultText(context, upper ? text.toUpper() : text.toLower());
}

// nz(value [, otherwise]): value, or otherwise ("" when not given) for null.
void nzFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) != SQLITE_NULL)
        sqlite3_result_value(context, argv[0]);
    else if (argc == 2)
        sqlite3_result_value(context, argv[1]);
    else
        sqlite3_result_text(context, "", 0, SQLITE_STATIC);
}

// val(text): the number at the start of the text, spaces ignored; 0 when there is none.
void valFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        sqlite3_result_value(context, argv[0]);
        return;
    }
    QString digits;
    const QString text = textArg(argv[0]);
    bool seenDot = false;
    for (QChar c : text) {
        if (c == u' ' || c == u'\t')
            continue;
        if ((c == u'-' || c == u'+') && digits.isEmpty()) {
            digits += c;
        } else if (c.isDigit() && c.unicode() < 128) {
            digits += c;
        } else if (c == u'.' && !seenDot) {
            seenDot = true;
            digits += c;
        } else {
            break;
        }
    }
    bool ok = false;
    if (!seenDot) {
        const qint64 n = digits.toLongLong(&ok);
        if (ok) {
            sqlite3_result_int64(context, n);
            return;
        }
    }
    const double d = digits.toDouble(&ok);
    sqlite3_result_double(context, ok ? d : 0.0);
}

// cstr(value): the value as text.
void cstrFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    resultText(context, textArg(argv[0]));
}

bool isNumeric(sqlite3_value* value)
{
    const int type = sqlite3_value_type(value);
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

// A text read as a number the way "+" of the old engine reads it: blanks around it allowed.
bool textAsNumber(sqlite3_value* value, qint64& integer, double& real, bool& isInteger)
{
    const QString text = textArg(value).trimmed();
    bool ok = false;
    integer = text.toLongLong(&ok);
    if (ok) {
        isInteger = true;
        return true;
    }
    real = text.toDouble(&ok);
    isInteger = false;
    return ok && std::isfinite(real);
}

// jet_plus(a, b): the "+" of the old engine. Two texts are joined; anything else is added, a
// text that reads as a number counting as that number. Null when either side is null; an error
// when a text that is not a number meets a number.
void plusFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (anyNull(2, argv)) {
        sqlite3_result_null(context);
        return;
    }
    if (!isNumeric(argv[0]) && !isNumeric(argv[1])) {
        resultText(context, textArg(argv[0]) + textArg(argv[1]));
        return;
    }
    qint64 ints[2] = {0, 0};
    double reals[2] = {0, 0};
    bool integral[2] = {true, true};
    for (int i = 0; i < 2; ++i) {
        const int type = sqlite3_value_type(argv[i]);
        if (type == SQLITE_INTEGER) {
            ints[i] = sqlite3_value_int64(argv[i]);
            reals[i] = double(ints[i]);
        } else if (type == SQLITE_FLOAT) {
            reals[i] = sqlite3_value_double(argv[i]);
            integral[i] = false;
        } else if (textAsNumber(argv[i], ints[i], reals[i], integral[i])) {
            if (integral[i])
                reals[i] = double(ints[i]);
        } else {
            sqlite3_result_error(context, "Data type mismatch in expression: text added to a number", -1);
            return;
        }
    }
    qint64 sum = 0;
    if (integral[0] && integral[1] && !__builtin_add_overflow(ints[0], ints[1], &sum))
        sqlite3_result_int64(context, sum);
    else
        sqlite3_result_double(context, reals[0] + reals[1]);
}

// jet_power(a, b): the "^" operator.
void powerFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (anyNull(2, argv)) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_double(context, std::pow(sqlite3_value_double(argv[0]), sqlite3_value_double(argv[1])));
}

// Number format of format(): "0" a digit always shown, "#" a digit shown when needed, "," thousands
// grouping, "." the decimal point. Returns false when the format is not of that kind.
bool formatNumber(double number, const QString& format, QString& out)
{
    for (QChar c : format) {
        if (c != u'0' && c != u'#' && c != u',' && c != u'.')
            return false;
    }
    const qsizetype dot = format.indexOf(u'.');
    const QString integerPart = dot < 0 ? format : format.left(dot);
    const QString fractionPart = dot < 0 ? QString() : format.mid(dot + 1);
    const int decimals = int(fractionPart.count(u'0') + fractionPart.count(u'#'));
    const int minDigits = int(integerPart.count(u'0'));
    const bool grouping = integerPart.contains(u',');
    QString text = QString::number(std::fabs(number), 'f', decimals);
    QString whole = text.section(u'.', 0, 0);
    const QString fraction = decimals > 0 ? text.section(u'.', 1, 1) : QString();
    if (whole == QLatin1String("0") && minDigits == 0)
        whole.clear();
    while (whole.size() < minDigits)
        whole.prepend(u'0');
    if (grouping) {
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, u',');
    }
    out = (number < 0 ? QStringLiteral("-") : QString()) + whole;
    if (decimals > 0)
        out += u'.' + fraction;
    return true;
}

// Date format of format(): d dd m mm yy yyyy h hh n nn s ss, other characters as written.
QString formatDateTime(const QDateTime& when, const QString& format)
{
    QString out;
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i].toLower();
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run].toLower() == c)
            ++run;
        const auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
        if (c == u'd')
            out += run >= 2 ? two(when.date().day()) : QString::number(when.date().day());
        else if (c == u'm')
            out += run >= 2 ? two(when.date().month()) : QString::number(when.date().month());
        else if (c == u'y')
            out += run >= 3 ? QString::number(when.date().year()) : two(when.date().year() % 100);
        else if (c == u'h')
            out += run >= 2 ? two(when.time().hour()) : QString::number(when.time().hour());
        else if (c == u'n')
            out += run >= 2 ? two(when.time().minute()) : QString::number(when.time().minute());
        else if (c == u's')
            out += run >= 2 ? two(when.time().second()) : QString::number(when.time().second());
        else
            out += format.mid(i, run);
        i += run;
    }
    return out;
}

// format(value [, format]): the value as text, numbers and ISO dates laid out by the format.
void formatFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const QString value = textArg(argv[0]);
    if (argc < 2 || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        resultText(context, value);
        return;
    }
    const QString format = textArg(argv[1]);
    qint64 integer = 0;
    double real = 0;
    bool integral = false;
    if (isNumeric(argv[0]) || textAsNumber(argv[0], integer, real, integral)) {
        const double number = isNumeric(argv[0]) ? sqlite3_value_double(argv[0]) : (integral ? double(integer) : real);
        QString out;
        if (formatNumber(number, format, out)) {
            resultText(context, out);
            return;
        }
    }
    QDateTime when = QDateTime::fromString(value, Qt::ISODate);
    if (!when.isValid())
        when = QDateTime::fromString(value, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!when.isValid()) {
        const QDate date = QDate::fromString(value, Qt::ISODate);
        if (date.isValid())
            when = QDateTime(date, QTime(0, 0));
    }
    resultText(context, when.isValid() ? formatDateTime(when, format) : value);
}

void create(sqlite3* connection, const char* name, int argc, void (*function)(sqlite3_context*, int, sqlite3_value**))
{
    sqlite3_create_function_v2(connection, name, argc, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, function, nullptr,
                               nullptr, nullptr);
}

} // namespace

void registerCollation(sqlite3* connection)
{
    sqlite3_create_collation_v2(connection, "NOCASE", SQLITE_UTF8, nullptr, nocaseCompare, nullptr);
}

void registerLike(sqlite3* connection)
{
    create(connection, "like", 2, likeFunction);
    create(connection, "like", 3, likeFunction);
}

void registerJetFunctions(sqlite3* connection)
{
    create(connection, "left", 2, leftFunction);
    create(connection, "right", 2, rightFunction);
    create(connection, "mid", 2, midFunction);
    create(connection, "mid", 3, midFunction);
    create(connection, "len", 1, lenFunction);
    create(connection, "trim", 1, trimFunction<TrimSide::Both>);
    create(connection, "ltrim", 1, trimFunction<TrimSide::Left>);
    create(connection, "rtrim", 1, trimFunction<TrimSide::Right>);
    create(connection, "ucase", 1, caseFunction<true>);
    create(connection, "lcase", 1, caseFunction<false>);
    create(connection, "nz", 1, nzFunction);
    create(connection, "nz", 2, nzFunction);
    create(connection, "val", 1, valFunction);
    create(connection, "cstr", 1, cstrFunction);
    create(connection, "format", 1, formatFunction);
    create(connection, "format", 2, formatFunction);
    create(connection, "jet_plus", 2, plusFunction);
    create(connection, "jet_power", 2, powerFunction);
}

} // namespace jetsql
