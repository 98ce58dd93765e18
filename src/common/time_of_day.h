#pragma once

#include <QString>
#include <QTime>

#include <optional>

namespace common {

// The time of day a schedule item's time box (gio) holds, read the ways an office writes it: an
// hour 0 to 23, then "h", "g", "giờ" or ":" (any letter case, blanks around allowed), then
// optionally two digits of minutes 00 to 59 ("phút" may follow them), then optionally the part of
// the day: "sáng" (morning, hour up to 12), "trưa" (noon: 1 to 5 are afternoon hours), "chiều" or
// "tối" (an hour under 12 is after noon).
//   "8h30" 08:30   "14h" 14:00   "8:30" 08:30   "8 giờ 30" 08:30   "14g" 14:00   "2h chiều" 14:00
// Anything else is no time: "", "8", "8:3", "25h", "8h60", "h30", "khoảng 8h", "8h-10h", "sáng".
// A colon needs its minutes ("8:" is no time).
std::optional<QTime> readTime(const QString& text);

} // namespace common
