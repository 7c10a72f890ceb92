// Access to the packed lunar year table (see lunar_year_table.cpp for the packing).
#pragma once

#include <cstdint>
#include <optional>

namespace velto_common::utils::calendar::internal {

inline constexpr int kFirstLunarYear = 1901;
inline constexpr int kLastLunarYear = 2099;
inline constexpr int kLunarYearCount = kLastLunarYear - kFirstLunarYear + 1;

extern const uint32_t kLunarYearTable[kLunarYearCount];

// The entry of a lunar year; nullopt outside the table, which is never read beyond its ends.
inline std::optional<uint32_t> LunarYearEntry(int year) {
  if (year < kFirstLunarYear || year > kLastLunarYear) return std::nullopt;
  return kLunarYearTable[year - kFirstLunarYear];
}

inline int NewYearDay(uint32_t entry) { return static_cast<int>(entry & 0x1f); }
inline int NewYearMonth(uint32_t entry) { return static_cast<int>((entry >> 5) & 0x3); }
inline int LeapMonthOf(uint32_t entry) { return static_cast<int>((entry >> 20) & 0xf); }
// Month sequence number 1 to 13.
inline bool IsLongMonth(uint32_t entry, int sequence) { return (entry & (0x80000u >> (sequence - 1))) != 0; }

}  // namespace velto_common::utils::calendar::internal
