#pragma once

// Double booking: an item whose person chairing (nguoictri) or place (diadiem) already has another
// item on the same day less than two hours before or after it. Widget-free.

#include "schedule_item.h"

#include <QList>
#include <optional>

namespace registers {

struct ScheduleClash
{
    ScheduleItem other; // the item already booked
    bool samePerson = false;
    bool samePlace = false;
};

// The first item of others that clashes with item: same day (ngaychuan), both times readable
// (common::readTime) and less than two hours apart (an item at 8h and one at 10h do not clash),
// and the same person chairing or the same place, compared without regard to letter case and
// to blanks at the ends or doubled inside; an empty person or place clashes with nothing. An item
// whose time cannot be read is never said to clash. The item itself (same table and id, id > 0)
// is passed over, so an item being corrected does not clash with its stored self.
std::optional<ScheduleClash> findClash(const ScheduleItem& item, const QList<ScheduleItem>& others);

// The question put to the secretary before the item is written anyway:
// "Người chủ trì Nguyễn Văn An đã có lịch "Giao ban" lúc 8h30 ngày 07/12/2026 tại Phòng họp 1.
// Vẫn ghi ?"
QString clashQuestion(const ScheduleClash& clash);

} // namespace registers
