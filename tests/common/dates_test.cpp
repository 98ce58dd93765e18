#include "common/clock.h"
#include "common/date_field.h"
#include "common/dates.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

// Puts the clock at noon of the given day for the life of the object.
class ClockAt
{
public:
    explicit ClockAt(QDate day) : m_clock(QDateTime(day, QTime(12, 0))) { m_previous = common::setClock(&m_clock); }
    ~ClockAt() { common::setClock(m_previous); }

private:
    common::FixedClock m_clock;
    const common::Clock* m_previous = nullptr;
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
    {"AlreadyComplete", 2009, "29/12/2009", "29/12/2009"},
    {"ThirtyFirstOfApril", 2009, "31/4/2009", ""},
    {"TwentyNinthFebruaryCommonYear", 2009, "29/2/2009", ""},
    {"TwentyNinthFebruaryLeapYear", 2009, "29/2/2008", "29/02/2008"},
    {"FewerThanFourCharacters", 2009, "123", ""},
    {"BlanksAroundAreTrimmed", 2009, "   1/1/2009  ", "01/01/2009"},
    {"BlanksAroundPartsAreTrimmed", 2009, "1 / 2 / 2009", "01/02/2009"},
    {"MonthThirteen", 2009, "13/13/2009", ""},
    {"MonthZero", 2009, "1/0/2009", ""},
    {"DayZero", 2009, "0/1/2009", ""},
    {"WindowNinetyFiveIsLastCentury", 2009, "1/1/95", "01/01/1995"},
    {"WindowTwentyNineIsThisCentury", 2009, "1/1/29", "01/01/2029"},
    {"WindowThirtyIsLastCentury", 2009, "1/1/30", "01/01/1930"},
    {"WindowZeroFiveIsThisCentury", 2009, "1/1/05", "01/01/2005"},
    {"WindowMovesOnWithTheClock", 2090, "1/1/05", "01/01/2105"},
    {"WindowAtTheCentury", 2000, "1/1/99", "01/01/1999"},
    {"ThreeSeparatorsMonthIsSecondGroup", 2009, "1/2/3/2009", "01/02/2009"},
    {"NoSeparators", 2009, "01022009", ""},
    {"ThreeDigitYear", 2009, "1/2/209", ""},
    {"FiveDigitYear", 2009, "1/2/20091", ""},
    {"YearBeforeOneThousand", 2009, "1/2/0999", ""},
    {"LettersInMonth", 2009, "1/ab/2009", ""},
    {"LettersInTwoDigitYear", 2009, "1/2/ab", ""},
    {"ThreeDigitDay", 2009, "001/2/2009", ""},
    {"EmptyMonth", 2009, "1//2009", ""},
};

class ParseDateCase : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(ParseDateCase, GivesTheDisplayDateOrEmpty)
{
    const ParseCase& c = GetParam();
    const ClockAt clock(QDate(c.clockYear, 6, 15));
    EXPECT_EQ(common::parseDate(QString::fromUtf8(c.typed)), QString::fromUtf8(c.parsed));
}

INSTANTIATE_TEST_SUITE_P(Dates, ParseDateCase, ::testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(Dates, NormalisationAssemblesYearMonthDay)
{
    const std::pair<const char*, const char*> cases[] = {
        {"01/02/2009", "20090201"}, {"05/03/2009", "20090305"}, {"1/2/09", "19090201"},
        {"1-2-2009", "20090201"},   {"", ""},                   {"123", ""},
        {"12345", "12345"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(common::normaliseDate(QString::fromLatin1(text)), QString::fromLatin1(expected)) << text;
}

TEST(Dates, NormalisedDatesSortLikeTheDates)
{
    const ClockAt clock(QDate(2009, 6, 15));
    const QString earlier = common::normaliseDate(common::parseDate(QStringLiteral("31/12/08")));
    const QString later = common::normaliseDate(common::parseDate(QStringLiteral("1/1/09")));
    EXPECT_LT(earlier, later);
}

TEST(Dates, MonthTableFallsBackWhenLocaleNamesAreNotDistinct)
{
    const QStringList english = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    EXPECT_EQ(common::monthTable(QLocale(QLocale::English)), english);
    // Vietnamese abbreviations all begin "thg"; French has "juin"/"juil.".
    EXPECT_EQ(common::monthTable(QLocale(QLocale::Vietnamese)), english);
    EXPECT_EQ(common::monthTable(QLocale(QLocale::French)), english);
    const QStringList german = common::monthTable(QLocale(QLocale::German));
    EXPECT_EQ(german.at(2), QStringLiteral("Mär"));
}

TEST(Dates, ProgramMonthTableHasTwelveDistinctNames)
{
    QSet<QString> names;
    for (int k = 1; k <= 12; ++k)
        names.insert(common::tenthang(k));
    EXPECT_EQ(names.size(), 12);
    EXPECT_FALSE(names.contains(QString()));
    EXPECT_EQ(common::tenthang(0), QString());
    EXPECT_EQ(common::tenthang(13), QString());
}

TEST(Dates, MonthNameDateSpellsTheMonth)
{
    EXPECT_EQ(common::monthNameDate(QStringLiteral("05/03/2009")),
              QStringLiteral("05/") + common::tenthang(3) + QStringLiteral("/2009"));
    EXPECT_EQ(common::monthNameDate(QStringLiteral("05/13/2009")), QString());
    EXPECT_EQ(common::monthNameDate(QStringLiteral("05/00/2009")), QString());
    EXPECT_EQ(common::monthNameDate(QString()), QString());
}

TEST(Dates, DateToTextIgnoresTheLocaleOrder)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));  // month-first short dates
    EXPECT_EQ(common::dateToText(QDate(2009, 3, 5)), QStringLiteral("05/03/2009"));
    QLocale::setDefault(previous);
    EXPECT_EQ(common::dateToText(QDate(2008, 12, 31)), QStringLiteral("31/12/2008"));
    EXPECT_EQ(common::dateToText(QDate()), QString());
    EXPECT_EQ(common::dateFromDisplay(common::dateToText(QDate(2008, 2, 29))), QDate(2008, 2, 29));
}

TEST(Dates, WeekdayNamesFromSunday)
{
    const char* names[] = {"", "Chủ nhật", "Thứ hai", "Thứ ba", "Thứ tư", "Thứ năm", "Thứ sáu", "Thứ bảy", ""};
    for (int n = 0; n <= 8; ++n)
        EXPECT_EQ(common::weekdayName(n), QString::fromUtf8(names[n])) << n;
    EXPECT_EQ(common::weekdayName(-1), QString());
    EXPECT_EQ(common::weekdayNumber(QDate(2009, 3, 1)), 1);  // a Sunday
    EXPECT_EQ(common::weekdayNumber(QDate(2009, 3, 7)), 7);  // a Saturday
    EXPECT_EQ(common::weekdayNumber(QDate()), 0);
}

TEST(DateField, BlankTextChangesNothing)
{
    const common::DateFieldResult r = common::leaveDateField(QStringLiteral("   "));
    EXPECT_EQ(r.outcome, common::DateFieldResult::Outcome::Blank);
}

TEST(DateField, InvalidDateIsRefused)
{
    const common::DateFieldResult r = common::leaveDateField(QStringLiteral("31/4/2009"));
    EXPECT_EQ(r.outcome, common::DateFieldResult::Outcome::Invalid);
    EXPECT_TRUE(r.text.isEmpty());
    EXPECT_TRUE(r.normalised.isEmpty());
}

TEST(DateField, ValidDateIsCompletedWithItsNormalisedForm)
{
    const ClockAt clock(QDate(2009, 6, 15));
    const common::DateFieldResult r = common::leaveDateField(QStringLiteral(" 5.3.09"));
    EXPECT_EQ(r.outcome, common::DateFieldResult::Outcome::Completed);
    EXPECT_EQ(r.text, QStringLiteral("05/03/2009"));
    EXPECT_EQ(r.normalised, QStringLiteral("20090305"));
}

TEST(DateField, StepMovesTheDayWithoutCarryingTheMonth)
{
    const ClockAt clock(QDate(2009, 6, 15));
    const std::tuple<const char*, int, const char*> cases[] = {
        {"", 1, "15/06/2009"},          {"  ", -1, "15/06/2009"},       {"05/03/2009", 1, "06/03/2009"},
        {"10/03/2009", -1, "09/03/2009"}, {"5/3/2009", 1, "06/03/2009"}, {"31/01/2009", 1, ""},
        {"01/03/2009", -1, ""},          {"28/02/2008", 1, "29/02/2008"},
    };
    for (const auto& [text, step, expected] : cases)
        EXPECT_EQ(common::stepDateField(QString::fromLatin1(text), step), QString::fromLatin1(expected))
            << text << " " << step;
}

} // namespace
