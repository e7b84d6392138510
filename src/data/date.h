// Calendar dates as the records keep them.
//
// Stored form: four bytes, day (1 byte), month (1 byte), year (16-bit), which
// read as one little-endian 32-bit number is year*65536 + month*256 + day.
// Zero means "no date". Stored forms compare in calendar order.
// Arithmetic (differences, adding days) works on a day count: the number of
// days since 1 January 1970, which may be negative.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>

namespace fin {

class Date {
 public:
  Date() = default;  // no date

  // The date of the stored form, or nullopt when it names no real day.
  static std::optional<Date> fromStored(uint32_t stored);
  static std::optional<Date> fromYmd(int year, int month, int day);
  static Date fromDayCount(int64_t days);

  bool isNull() const { return stored_ == 0; }
  uint32_t stored() const { return stored_; }
  int year() const { return static_cast<int>(stored_ >> 16); }
  int month() const { return static_cast<int>((stored_ >> 8) & 0xFF); }
  int day() const { return static_cast<int>(stored_ & 0xFF); }
  // Days since 1970-01-01; precondition: not null.
  int64_t dayCount() const;

  static bool isLeapYear(int year);
  static int daysInMonth(int year, int month);

  friend bool operator==(Date, Date) = default;
  friend auto operator<=>(Date a, Date b) { return a.stored_ <=> b.stored_; }

 private:
  explicit Date(uint32_t stored) : stored_(stored) {}
  uint32_t stored_ = 0;
};

}  // namespace fin
