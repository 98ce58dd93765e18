// Double booking: which items clash with one being saved, and the question put to the secretary.
#include "registers/schedule/schedule_clash.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using registers::ScheduleItem;

ScheduleItem item(long long id, const char* dayKey, const char* time, const char* chair, const char* place,
                  const char* table = "lich2026")
{
    ScheduleItem i;
    i.table = QString::fromLatin1(table);
    i.id = id;
    i.dayKey = QString::fromLatin1(dayKey);
    i.day = QDate::fromString(i.dayKey, u"yyyyMMdd"_s).toString(u"dd/MM/yyyy"_s);
    i.time = QString::fromUtf8(time);
    i.chair = QString::fromUtf8(chair);
    i.place = QString::fromUtf8(place);
    i.content = u"Việc "_s + QString::number(id);
    return i;
}

TEST(ScheduleClashTest, SamePersonOrPlaceWithinTwoHoursOfTheSameDayClashes)
{
    // Booked: item 1 at 8h30 chaired by Nguyễn Văn An in Phòng họp 1.
    const QList<ScheduleItem> booked = {item(1, "20261207", "8h30", "Nguyễn Văn An", "Phòng họp 1"),
                                        item(2, "20261207", "Cả ngày", "Trần Bình", "Hội trường")};
    struct Case
    {
        const char* what;
        ScheduleItem saved;
        long long clashesWith; // 0: none
        bool person;
        bool place;
    };
    const Case cases[] = {
        {"same person, other case and blanks", item(0, "20261207", "9h", "  nguyễn  VĂN an ", "Sân"), 1, true, false},
        {"same place", item(0, "20261207", "10:00", "Lê C", "PHÒNG HỌP 1"), 1, false, true},
        {"both", item(0, "20261207", "8 giờ 30", "Nguyễn Văn An", "Phòng họp 1"), 1, true, true},
        {"1h59 apart", item(0, "20261207", "10h29", "Nguyễn Văn An", ""), 1, true, false},
        {"1h59 before", item(0, "20261207", "6h31", "", "Phòng họp 1"), 1, false, true},
        {"2h01 apart", item(0, "20261207", "10h31", "Nguyễn Văn An", "Phòng họp 1"), 0, false, false},
        {"exactly 2h apart", item(0, "20261207", "10h30", "Nguyễn Văn An", ""), 0, false, false},
        {"other day", item(0, "20261208", "8h30", "Nguyễn Văn An", "Phòng họp 1"), 0, false, false},
        {"the item itself, edited", item(1, "20261207", "9h", "Nguyễn Văn An", "Phòng họp 1"), 0, false, false},
        {"same id in another year's table", item(1, "20261207", "9h", "Nguyễn Văn An", "", "lich2027"), 1, true, false},
        {"time that cannot be read", item(0, "20261207", "sáng", "Nguyễn Văn An", "Phòng họp 1"), 0, false, false},
        {"booked time that cannot be read", item(0, "20261207", "9h", "Trần Bình", "Hội trường"), 0, false, false},
        {"other person and place", item(0, "20261207", "8h30", "Lê C", "Sân"), 0, false, false},
        {"empty person and place", item(0, "20261207", "8h30", "", ""), 0, false, false},
    };
    for (const Case& c : cases) {
        const std::optional<registers::ScheduleClash> clash = registers::findClash(c.saved, booked);
        const auto found =
            clash ? std::tuple{clash->other.id, clash->samePerson, clash->samePlace} : std::tuple{0LL, false, false};
        EXPECT_EQ(found, std::tuple(c.clashesWith, c.person, c.place)) << c.what;
    }
}

TEST(ScheduleClashTest, TheQuestionNamesTheOtherItem)
{
    ScheduleItem other = item(1, "20261207", "8h30", "Nguyễn Văn An", "Phòng họp 1");
    other.content = u"Giao ban tuần"_s;
    EXPECT_EQ(registers::clashQuestion({other, false, true}),
              u"Địa điểm Phòng họp 1 đã có lịch \"Giao ban tuần\" lúc 8h30 ngày 07/12/2026.\rVẫn ghi ?"_s);
    EXPECT_EQ(registers::clashQuestion({other, true, true}),
              u"Người chủ trì Nguyễn Văn An và địa điểm Phòng họp 1 đã có lịch \"Giao ban tuần\" lúc 8h30 "
              "ngày 07/12/2026.\rVẫn ghi ?"_s);
}

} // namespace
