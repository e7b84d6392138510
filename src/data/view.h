// A view over one table for a list window: the records of a key in its
// order, or sorted by another field, optionally only those a filter passes,
// read page by page so that only the visible rows are in memory.
//
// In key order without a filter the view reads keyset pages straight from
// the key's index: the first and the last page of a million records cost the
// same. Sorted by another field, or filtered, the view keeps the order of
// its records as record numbers (and sort values), built by reload() in one
// pass that also sums what the window totals.
//
// Pages are addressed by ordinal (0 is the first record of the view), so a
// scroll bar can range over the whole view.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/file_access.h"
#include "data/position.h"
#include "data/record.h"
#include "data/schema.h"
#include "data/status.h"

namespace fin {

struct ViewRow {
  Record record;
  int64_t recno = 0;
};

// A sum over the view: fields added (sign +1) or subtracted (sign -1), as
// LOC:BAL is OPE:INGRESO minus OPE:EGRESO.
struct SumTerm {
  std::vector<std::pair<uint16_t, int>> fields;
};

class View {
 public:
  using Filter = std::function<bool(const Record&)>;

  View(FileAccess& file, KeyId key);

  FileAccess& file() { return file_; }
  KeyId key() const { return key_; }
  // Order of a key (the tab's); clears a field sort.
  void setKey(KeyId key);
  // Order of one field (a header sort); the records are still those of the key's view.
  void sortByField(uint16_t field, bool descending);
  void clearFieldSort();
  std::optional<uint16_t> sortField() const { return sortField_; }
  // The field whose value orders the view: the sort field or the key's first component.
  uint16_t orderField() const;
  // Only records the filter passes; an empty filter lists all.
  void setFilter(Filter filter);
  bool filtered() const { return static_cast<bool>(filter_); }
  void setSums(std::vector<SumTerm> terms);

  // Counts the view again and, when it keeps its own order, rebuilds it.
  // Sums are computed by the store when the view reads straight from a key.
  Status reload();
  int64_t count() const { return count_; }
  const std::vector<int64_t>& sums() const { return sums_; }

  // Rows [first, first + size) of the view (fewer at its end).
  Status page(int64_t first, int size, std::vector<ViewRow>& rows);
  // The ordinal of a record in the view; -1 when the view does not hold it.
  Status ordinalOf(const Record& record, int64_t recno, int64_t& ordinal);
  // The ordinal of the first record whose order field is >= `value` (the
  // locator; a text value compares under the case rule); count() when none.
  Status locate(const KeyValue& value, int64_t& ordinal);
  // The first record at or after `from` that `match` accepts; -1 when none.
  Status find(int64_t from, const Filter& match, int64_t& found);

 private:
  bool keepsOwnOrder() const { return filter_ || sortField_.has_value(); }
  KeyValue orderValue(size_t i) const;
  int compare(const KeyValue& a, const KeyValue& b) const;
  Status rebuildOrder();
  Status sumFromStore();
  Status keysetPage(int64_t first, int size, std::vector<ViewRow>& rows);
  void addToSums(const Record& r);
  void remember(int64_t first, const std::vector<ViewRow>& rows);

  FileAccess& file_;
  KeyId key_;
  std::optional<uint16_t> sortField_;
  bool descending_ = false;
  Filter filter_;
  std::vector<SumTerm> terms_;
  std::vector<int64_t> sums_;
  int64_t count_ = 0;

  // The view's own order, when it keeps one.
  // Sort values beside it: numbers or texts, as the order field is.
  std::vector<int64_t> order_;
  std::vector<int64_t> orderNumbers_;
  std::vector<std::string> orderTexts_;

  // The last page read in keyset mode, to continue from its edges.
  int64_t lastFirst_ = -1;
  std::vector<Position> lastPositions_;
};

}  // namespace fin
