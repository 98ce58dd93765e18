// Reading the time of a schedule item as the office types it; anything else is no time.
#include "common/time_of_day.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

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
