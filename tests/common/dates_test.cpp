#include "common/clock.h"
#include "common/date_field.h"
#include "common/dates.h"
#include "common/due_dates.h"
#include "common/time_of_day.h"
#include "common/weeks.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Puts the clock at the given moment, or the middle of the given year, for the life of the object.
class ClockIn
{
public:
    explicit ClockIn(int year) : ClockIn(QDateTime(QDate(year, 6, 15), QTime(12, 0))) {}
    explicit ClockIn(const QDateTime& at) : m_clock(at) { m_old = common::setClock(&m_clock); }
    ~ClockIn() { common::setClock(m_old); }

private:
    common::FixedClock m_clock;
    const common::Clock* m_old = nullptr;
};

struct ParseCase
{
    const char* what;
    int clockYear;
    const char* typed;
    const char* parsed;
};

const ParseCase kParseCases[] = {
    {"DotsAndTwoDigitYear", 2009, "1.2.09", "01/02/2009"},
    {"Dashes", 2009, "1-2-2009", "01/02/2009"},
    {"Slashes", 2009, "1/2/2009", "01/02/2009"},
    {"MixedSeparators", 2009, "1-2.2009", "01/02/2009"},
    {"ThirtyFirstOfApril", 2009, "31/4/2009", ""},
    {"FebruaryTwentyNinthCommonYear", 2009, "29/2/2009", ""},
    {"FebruaryTwentyNinthLeapYear", 2009, "29/2/2008", "29/02/2008"},
    {"FewerThanFourCharacters", 2009, "123", ""},
    {"BlanksAroundTrimmed", 2009, "  1/1/2009  ", "01/01/2009"},
    {"BlanksAroundPartsTrimmed", 2009, "1 / 2 / 2009", "01/02/2009"},
    {"MonthThirteen", 2009, "13/13/2009", ""},
    {"MonthZero", 2009, "1/0/2009", ""},
    {"DayZero", 2009, "0/1/2009", ""},
    {"WindowNinetyFive", 2009, "1/1/95", "01/01/1995"},
    {"WindowTwentyNine", 2009, "1/1/29", "01/01/2029"},
    {"WindowThirty", 2009, "1/1/30", "01/01/1930"},
    {"WindowZeroFive", 2009, "1/1/05", "01/01/2005"},
    {"WindowFollowsTheClock", 2090, "1/1/05", "01/01/2105"},
    {"ThreeSeparatorsMonthIsSecondGroup", 2009, "1/2/3/2009", "01/02/2009"},
    {"NoSeparators", 2009, "01022009", ""},
    {"ThreeDigitYear", 2009, "1/2/209", ""},
    {"FiveDigitYear", 2009, "1/2/20091", ""},
    {"YearBelowOneThousand", 2009, "1/2/0999", ""},
    {"LettersInMonth", 2009, "1/ab/2009", ""},
    {"LettersInTwoDigitYear", 2009, "1/2/ab", ""},
    {"ThreeDigitDay", 2009, "001/2/2009", ""},
    {"EmptyMonth", 2009, "1//2009", ""},
};

TEST(ParseDate, GivesTheDisplayDateOrEmpty)
{
    for (const ParseCase& c : kParseCases) {
        const ClockIn clock(c.clockYear);
        EXPECT_EQ(common::parseDate(QString::fromUtf8(c.typed)), QString::fromUtf8(c.parsed)) << c.what;
    }
}

TEST(Dates, NormalisationAssemblesYearMonthDayWithoutWindow)
{
    const std::pair<const char*, const char*> cases[] = {
        {"01/02/2009", "20090201"}, {"5-3-2009", "20090305"}, {"1/2/09", "19090201"}, {"", ""}, {"123", ""},
        {"12345", "12345"}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(common::normaliseDate(QString::fromLatin1(text)), QString::fromLatin1(expected)) << text;
}

TEST(Dates, MonthTableFallsBackToEnglishWhenLocaleNamesClashAndSpellsTheMonthOfADate)
{
    const QStringList english = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    EXPECT_EQ(common::monthTable(QLocale(QLocale::Vietnamese)), english); // all begin "thg"
    EXPECT_EQ(common::monthTable(QLocale(QLocale::French)), english);     // "juin", "juil."
    EXPECT_EQ(common::monthTable(QLocale(QLocale::German)).at(2), u"Mär"_s);
    QSet<QString> names;
    for (int k = 0; k <= 13; ++k)
        names.insert(common::monthName(k));
    EXPECT_EQ(names.size(), 13); // twelve distinct names and "" for 0 and 13
    EXPECT_EQ(common::monthNameDate(u"05/03/2009"_s), "05/" + common::monthName(3) + "/2009");
    EXPECT_EQ(common::monthNameDate(u"05/13/2009"_s) + common::monthNameDate(u"05/00/2009"_s), QString());
}

TEST(Dates, DateToTextIgnoresTheLocaleOrderAndWeekdaysCountFromSunday)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); // month-first short dates
    EXPECT_EQ(common::dateToText(QDate(2009, 3, 5)), u"05/03/2009"_s);
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(common::dateToText(QDate()), QString());
    EXPECT_EQ(common::dateFromDisplay(common::dateToText(QDate(2008, 2, 29))), QDate(2008, 2, 29));
    // Weekday names count from Sunday.
    const char* names[] = {"", "Chủ nhật", "Thứ hai", "Thứ ba", "Thứ tư", "Thứ năm", "Thứ sáu", "Thứ bảy", ""};
    for (int n = 0; n <= 8; ++n)
        EXPECT_EQ(common::weekdayName(n), QString::fromUtf8(names[n])) << n;
    EXPECT_EQ(std::pair(common::weekdayNumber(QDate(2009, 3, 1)), common::weekdayNumber(QDate(2009, 3, 7))),
              std::pair(1, 7)); // a Sunday, a Saturday
}

TEST(DateField, LeavingTheBoxCompletesRefusesOrIgnores)
{
    using Outcome = common::DateFieldResult::Outcome;
    const ClockIn clock(2009);
    EXPECT_EQ(common::leaveDateField(u"   "_s).outcome, Outcome::Blank);
    const common::DateFieldResult bad = common::leaveDateField(u"31/4/2009"_s);
    EXPECT_EQ(std::tuple(bad.outcome, bad.text, bad.normalised), std::tuple(Outcome::Invalid, QString(), QString()));
    const common::DateFieldResult good = common::leaveDateField(u" 5.3.09"_s);
    EXPECT_EQ(std::tuple(good.outcome, good.text, good.normalised),
              std::tuple(Outcome::Completed, u"05/03/2009"_s, u"20090305"_s));
}

TEST(DateField, StepMovesTheDayWithoutCarryingTheMonth)
{
    const ClockIn clock(2009);
    const std::tuple<const char*, int, const char*> cases[] = {
        {"  ", -1, "15/06/2009"},        {"05/03/2009", 1, "06/03/2009"}, {"10/03/2009", -1, "09/03/2009"},
        {"5/3/2009", 1, "06/03/2009"},   {"31/01/2009", 1, ""},           {"01/03/2009", -1, ""},
        {"28/02/2008", 1, "29/02/2008"},
    };
    for (const auto& [text, step, expected] : cases)
        EXPECT_EQ(common::stepDateField(QString::fromLatin1(text), step), QString::fromLatin1(expected)) << text;
}

// Around midnight the day changes at 00:00 by the program's clock; across New Year the keys of
// two years compare as days do.
TEST(DueDates, StateFollowsTheClockAroundMidnightAndAcrossYears)
{
    using common::Due;
    const auto at = [](int y, int mo, int d, int h, int mi, int s = 0) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
    };
    // what, the program's clock, the deadline key, handled, the state
    const std::tuple<const char*, QDateTime, const char*, bool, Due> cases[] = {
        // midnight
        {"deadline today, last second of the day", at(2026, 12, 7, 23, 59, 59), "20261207", false, Due::DueSoon},
        {"deadline yesterday, first second of the day", at(2026, 12, 8, 0, 0), "20261207", false, Due::Overdue},
        {"third day ahead at midnight", at(2026, 12, 7, 0, 0), "20261210", false, Due::DueSoon},
        {"fourth day ahead just before midnight", at(2026, 12, 6, 23, 59, 59), "20261210", false, Due::NotDue},
        // across years
        {"deadline 2 January seen on 30 December", at(2026, 12, 30, 9, 0), "20270102", false, Due::DueSoon},
        {"deadline 3 January seen on 30 December", at(2026, 12, 30, 9, 0), "20270103", false, Due::NotDue},
        {"deadline 31 December seen on New Year's Day", at(2027, 1, 1, 0, 0), "20261231", false, Due::Overdue},
        {"29 February within three days of 27 February", at(2028, 2, 27, 8, 0), "20280301", false, Due::DueSoon},
        // never due
        {"handled past its deadline", at(2026, 12, 8, 0, 0), "20261201", true, Due::NotDue},
        {"no deadline", at(2026, 12, 8, 0, 0), "", false, Due::NotDue},
        {"a key that is no day", at(2026, 12, 8, 0, 0), "20261332", false, Due::NotDue},
    };
    for (const auto& [what, now, deadlineKey, handled, expected] : cases) {
        const ClockIn clock(now);
        EXPECT_EQ(common::dueState(QString::fromLatin1(deadlineKey), handled, common::clock().today()), expected)
            << what;
    }
}

// The help's date examples go through the date rule: every example before "đều thành" becomes the
// date after it, every example in a sentence that ends "bị từ chối" is refused.
TEST(Dates, HelpExamplesAreWhatTheDateRuleDoes)
{
    const ClockIn clock(2026);
    QFile file(QStringLiteral(SELVARO_DATA_DIR "/huongdan.html"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(file.fileName());
    const QString help = QString::fromUtf8(file.readAll()).simplified();
    static const QRegularExpression code(u"<code>([^<]*)</code>"_s);
    const auto codes = [](const QString& text) {
        QStringList found;
        for (const QRegularExpressionMatch& m : code.globalMatch(text))
            found << m.captured(1);
        return found;
    };
    int checked = 0;
    static const QRegularExpression becomes(u"([^:.]*(?:<code>[^<]*</code>[^<:]*)+)đều thành <code>([^<]*)</code>"_s);
    for (const QRegularExpressionMatch& m : becomes.globalMatch(help)) {
        for (const QString& example : codes(m.captured(1))) {
            EXPECT_EQ(common::parseDate(example), m.captured(2)) << qPrintable(example);
            ++checked;
        }
    }
    static const QRegularExpression refused(u"Ngày thiếu năm[^:]*bị từ chối"_s);
    for (const QRegularExpressionMatch& m : refused.globalMatch(help)) {
        for (const QString& example : codes(m.captured(0))) {
            EXPECT_EQ(common::parseDate(example), QString()) << qPrintable(example);
            ++checked;
        }
    }
    EXPECT_GE(checked, 3) << "the help shows no date examples";
}

// Weeks of the schedule: Monday to Sunday, across the end of a year, stepping and the week of a
// month's first day.
struct WeekCase
{
    const char* what;
    common::Week week;
    QDate monday;
    QDate sunday;
};

TEST(WeekTest, RunsFromMondayToSunday)
{
    const WeekCase cases[] = {
        {"Sunday covers the six days before it", common::weekOf(QDate(2009, 6, 14)), QDate(2009, 6, 8),
         QDate(2009, 6, 14)},
        {"Monday starts its week", common::weekOf(QDate(2009, 6, 15)), QDate(2009, 6, 15), QDate(2009, 6, 21)},
        {"Saturday", common::weekOf(QDate(2009, 6, 20)), QDate(2009, 6, 15), QDate(2009, 6, 21)},
        {"week across the year's end", common::weekOf(QDate(2010, 1, 1)), QDate(2009, 12, 28), QDate(2010, 1, 3)},
        {"back from the first week of January", common::stepWeek(QDate(2026, 1, 5), -1), QDate(2025, 12, 29),
         QDate(2026, 1, 4)},
        {"two weeks back into December", common::stepWeek(QDate(2026, 1, 5), -2), QDate(2025, 12, 22),
         QDate(2025, 12, 28)},
        {"forward over the year's end", common::stepWeek(QDate(2025, 12, 24), 1), QDate(2025, 12, 29),
         QDate(2026, 1, 4)},
        {"March 2005 starts in February", common::weekOfMonth(3, 2005), QDate(2005, 2, 28), QDate(2005, 3, 6)},
        {"a month beginning on a Monday", common::weekOfMonth(6, 2026), QDate(2026, 6, 1), QDate(2026, 6, 7)},
        {"January's week begins in the year before", common::weekOfMonth(1, 2026), QDate(2025, 12, 29),
         QDate(2026, 1, 4)},
        {"invalid day", common::weekOf(QDate()), QDate(), QDate()},
        {"month 13", common::weekOfMonth(13, 2026), QDate(), QDate()},
    };
    for (const WeekCase& c : cases) {
        EXPECT_EQ(std::pair(c.week.monday, c.week.sunday), std::pair(c.monday, c.sunday)) << c.what;
    }
}

TEST(WeekYearsTest, AWeekAcrossTheYearsEndTouchesBothYears)
{
    EXPECT_EQ(common::yearsOf(common::weekOf(QDate(2026, 1, 1))), (QList<int>{2025, 2026}));
    EXPECT_EQ(common::yearsOf(common::weekOf(QDate(2026, 3, 1))), (QList<int>{2026}));
    EXPECT_TRUE(common::yearsOf(common::weekOf(QDate())).isEmpty());
}

// Reading the time of a schedule item as the office types it; anything else is no time.
TEST(TimeOfDayTest, ReadsTheWaysAnOfficeWritesATime)
{
    struct Case
    {
        const char* typed;
        const char* time; // "HH:mm", or nullptr for no time
    };
    const Case cases[] = {
        {"8h30", "08:30"},      {"14h", "14:00"},       {"8:30", "08:30"},          {"8 giờ 30", "08:30"},
        {"14g", "14:00"},       {"7G45", "07:45"},      {" 9H ", "09:00"},          {"0h05", "00:05"},
        {"23h59", "23:59"},     {"8 h 30", "08:30"},    {"8h30 phút", "08:30"},     {"2h chiều", "14:00"},
        {"7h30 sáng", "07:30"}, {"8 GIỜ TỐI", "20:00"}, {"14h chiều", "14:00"},     {"1h trưa", "13:00"},
        {"12h trưa", "12:00"},  {"", nullptr},          {"   ", nullptr},           {"8", nullptr},
        {"8:", nullptr},        {"8:3", nullptr},       {"8h3", nullptr},           {"24h", nullptr},
        {"25h", nullptr},       {"8h60", nullptr},      {"h30", nullptr},           {"khoảng 8h", nullptr},
        {"8h-10h", nullptr},    {"sáng", nullptr},      {"13h sáng", nullptr},      {"830", nullptr},
        {"8.30", nullptr},      {"Cả ngày", nullptr},   {"8h30 sáng mai", nullptr},
    };
    for (const Case& c : cases) {
        const std::optional<QTime> t = common::readTime(QString::fromUtf8(c.typed));
        EXPECT_EQ(t ? t->toString(u"HH:mm"_s) : u"no time"_s, QString::fromLatin1(c.time ? c.time : "no time"))
            << c.typed;
    }
    // Decomposed letters (marks typed after their base letter) read as the composed ones.
    EXPECT_EQ(common::readTime(u"8 giờ 30"_s.normalized(QString::NormalizationForm_D)), QTime(8, 30));
}

} // namespace
