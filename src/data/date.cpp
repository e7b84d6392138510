#include "data/date.h"

namespace fin {

bool Date::isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int Date::daysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m == 2 && isLeapYear(y)) return 29;
  return kDays[m - 1];
}

std::optional<Date> Date::fromYmd(int y, int m, int d) {
  if (y < 1 || y > 0xFFFF || m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m)) return std::nullopt;
  return Date(static_cast<uint32_t>(y) << 16 | static_cast<uint32_t>(m) << 8 | static_cast<uint32_t>(d));
}

std::optional<Date> Date::fromStored(uint32_t stored) {
  if (stored == 0) return Date();
  return fromYmd(static_cast<int>(stored >> 16), static_cast<int>((stored >> 8) & 0xFF),
                 static_cast<int>(stored & 0xFF));
}

// Days from civil and civil from days, after H. Hinnant's public-domain algorithms.
int64_t Date::dayCount() const {
  int64_t y = year();
  const int64_t m = month();
  const int64_t d = day();
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

Date Date::fromDayCount(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const int64_t m = mp + (mp < 10 ? 3 : -9);
  const int64_t y = yoe + era * 400 + (m <= 2);
  auto date = fromYmd(static_cast<int>(y), static_cast<int>(m), static_cast<int>(d));
  return date.value_or(Date());
}

}  // namespace fin
