#include "data/view.h"

#include <algorithm>
#include <limits>

#include "data/collation.h"
#include "data/store_file.h"

namespace fin {

View::View(FileAccess& file, KeyId key) : file_(file), key_(key) {}

void View::setKey(KeyId key) {
  key_ = key;
  sortField_.reset();
  lastFirst_ = -1;
}

void View::sortByField(uint16_t field, bool descending) {
  sortField_ = field;
  descending_ = descending;
  lastFirst_ = -1;
}

void View::clearFieldSort() {
  sortField_.reset();
  lastFirst_ = -1;
}

uint16_t View::orderField() const {
  return sortField_ ? *sortField_ : file_.def().key(key_.index).components[0].field;
}

void View::setFilter(Filter filter) {
  filter_ = std::move(filter);
  lastFirst_ = -1;
}

void View::setSums(std::vector<SumTerm> terms) {
  terms_ = std::move(terms);
  sums_.assign(terms_.size(), 0);
}

KeyValue View::orderValue(size_t i) const {
  if (!orderTexts_.empty()) return KeyValue{true, 0, orderTexts_[i]};
  return KeyValue{false, orderNumbers_[i], {}};
}

int View::compare(const KeyValue& a, const KeyValue& b) const {
  if (a.isText && b.isText) return collation::compareUtf8(a.text, b.text);
  if (a.number == b.number) return 0;
  return a.number < b.number ? -1 : 1;
}

void View::addToSums(const Record& r) {
  for (size_t i = 0; i < terms_.size(); ++i)
    for (auto [field, sign] : terms_[i].fields) sums_[i] += sign * r.number(field);
}

Status View::reload() {
  lastFirst_ = -1;
  lastPositions_.clear();
  if (keepsOwnOrder()) return rebuildOrder();
  order_.clear();
  orderNumbers_.clear();
  orderTexts_.clear();
  FIN_RETURN_IF_ERROR(file_.count(key_, count_));
  return terms_.empty() ? Status::ok() : sumFromStore();
}

Status View::sumFromStore() {
  std::vector<uint16_t> fields;
  for (const SumTerm& t : terms_)
    for (auto [field, sign] : t.fields)
      if (std::find(fields.begin(), fields.end(), field) == fields.end()) fields.push_back(field);
  std::vector<int64_t> totals(fields.size(), 0);
  FIN_RETURN_IF_ERROR(file_.sum(key_, fields, totals));  // a failed read keeps the totals shown before
  std::vector<int64_t> sums(terms_.size(), 0);
  for (size_t i = 0; i < terms_.size(); ++i) {
    for (auto [field, sign] : terms_[i].fields) {
      const size_t at = static_cast<size_t>(std::find(fields.begin(), fields.end(), field) - fields.begin());
      sums[i] += sign * totals[at];
    }
  }
  sums_ = std::move(sums);
  return Status::ok();
}

Status View::rebuildOrder() {
  order_.clear();
  orderNumbers_.clear();
  orderTexts_.clear();
  const uint16_t field = orderField();
  const bool text = file_.def().field(field).isText();
  const std::vector<int64_t> before = sums_;
  sums_.assign(terms_.size(), 0);
  Record scratch(file_.def());
  auto keep = [&](const Record& row, int64_t recno) {
    if (filter_ && !filter_(row)) return true;
    order_.push_back(recno);
    if (text)
      orderTexts_.push_back(row.text(field));
    else
      orderNumbers_.push_back(row.number(field));
    addToSums(row);
    return true;
  };
  const bool wasQuick = file_.quickScanOn();
  file_.quickScan(true);
  Status s = sortField_ ? file_.scanSortedBy(field, descending_, key_, scratch, keep)
                        : file_.scan(key_, Direction::Forward, nullptr, false, scratch, keep);
  file_.quickScan(wasQuick);
  count_ = static_cast<int64_t>(order_.size());
  if (!s) sums_ = before;  // a failed read keeps the totals shown before
  return s;
}

void View::remember(int64_t first, const std::vector<ViewRow>& rows) {
  const KeyDef& key = file_.def().key(key_.index);
  lastFirst_ = first;
  lastPositions_.clear();
  for (const ViewRow& r : rows) lastPositions_.push_back(StoreFile::positionOf(key, r.record, r.recno));
}

Status View::keysetPage(int64_t first, int size, std::vector<ViewRow>& rows) {
  const int64_t wanted = std::min<int64_t>(size, count_ - first);
  if (wanted <= 0) return Status::ok();
  Record scratch(file_.def());
  auto collect = [&](const Record& row, int64_t recno) {
    rows.push_back(ViewRow{row, recno});
    return static_cast<int64_t>(rows.size()) < wanted;
  };
  const int64_t cached = static_cast<int64_t>(lastPositions_.size());
  Status s;
  bool backward = false;
  if (lastFirst_ >= 0 && first - 1 >= lastFirst_ && first - 1 < lastFirst_ + cached) {
    s = file_.scan(key_, Direction::Forward, &lastPositions_[first - 1 - lastFirst_], false, scratch, collect);
  } else if (lastFirst_ >= 0 && first + wanted >= lastFirst_ && first + wanted < lastFirst_ + cached) {
    backward = true;
    s = file_.scan(key_, Direction::Backward, &lastPositions_[first + wanted - lastFirst_], false, scratch, collect);
  } else if (first == 0) {
    s = file_.scan(key_, Direction::Forward, nullptr, false, scratch, collect);
  } else if (first + wanted >= count_) {
    backward = true;
    s = file_.scan(key_, Direction::Backward, nullptr, false, scratch, collect);
  } else {
    int64_t recno = 0;
    FIN_RETURN_IF_ERROR(file_.recnoAt(key_, first, recno));
    if (recno == 0) return Status::ok();
    Record start(file_.def());
    FIN_RETURN_IF_ERROR(file_.read(recno, start));
    const Position from = StoreFile::positionOf(file_.def().key(key_.index), start, recno);
    s = file_.scan(key_, Direction::Forward, &from, true, scratch, collect);
  }
  if (!s) return s;
  if (backward) std::reverse(rows.begin(), rows.end());
  remember(first, rows);
  return Status::ok();
}

Status View::page(int64_t first, int size, std::vector<ViewRow>& rows) {
  rows.clear();
  if (first < 0) first = 0;
  if (!keepsOwnOrder()) return keysetPage(first, size, rows);
  const int64_t end = std::min<int64_t>(first + size, count_);
  for (int64_t i = first; i < end; ++i) {
    ViewRow row{Record(file_.def()), order_[static_cast<size_t>(i)]};
    Status s = file_.read(row.recno, row.record);
    if (s.code() == Code::NotFound) continue;  // removed by another user since the view was built
    FIN_RETURN_IF_ERROR(s);
    rows.push_back(std::move(row));
  }
  return Status::ok();
}

Status View::ordinalOf(const Record& record, int64_t recno, int64_t& ordinal) {
  ordinal = -1;
  if (keepsOwnOrder()) {
    auto it = std::find(order_.begin(), order_.end(), recno);
    if (it != order_.end()) ordinal = it - order_.begin();
    return Status::ok();
  }
  const KeyDef& key = file_.def().key(key_.index);
  if (key.skipsEmpty()) {
    bool allEmpty = true;
    for (const KeyComponent& c : key.components) allEmpty = allEmpty && record.isEmpty(c.field);
    if (allEmpty) return Status::ok();
  }
  return file_.countBefore(key_, StoreFile::positionOf(key, record, recno), ordinal);
}

Status View::locate(const KeyValue& value, int64_t& ordinal) {
  if (keepsOwnOrder()) {
    const bool ascending = sortField_ ? !descending_ : !file_.def().key(key_.index).components[0].descending;
    // Ascending: a binary search; descending: the first place at or after the value.
    int64_t lo = 0;
    int64_t hi = count_;
    if (ascending) {
      while (lo < hi) {
        const int64_t mid = (lo + hi) / 2;
        if (compare(orderValue(static_cast<size_t>(mid)), value) < 0) lo = mid + 1;
        else hi = mid;
      }
    } else {
      while (lo < count_ && compare(orderValue(static_cast<size_t>(lo)), value) < 0) ++lo;
    }
    ordinal = lo;
    return Status::ok();
  }
  Position p;
  p.values.push_back(value);
  p.recno = std::numeric_limits<int64_t>::min();
  return file_.countBefore(key_, p, ordinal);
}

Status View::find(int64_t from, const Filter& match, int64_t& found) {
  found = -1;
  if (from < 0) from = 0;
  if (from >= count_) return Status::ok();
  const bool wasQuick = file_.quickScanOn();
  file_.quickScan(true);
  Status s;
  if (keepsOwnOrder()) {
    Record row(file_.def());
    for (int64_t i = from; i < count_ && found < 0; ++i) {
      s = file_.read(order_[static_cast<size_t>(i)], row);
      if (s.code() == Code::NotFound) continue;
      if (!s) break;
      if (match(row)) found = i;
    }
    if (s.code() == Code::NotFound) s = Status::ok();
  } else {
    std::optional<Position> start;
    if (from > 0) {
      int64_t recno = 0;
      s = file_.recnoAt(key_, from, recno);
      Record first(file_.def());
      if (s && recno == 0) {  // the view lost records since it was counted: nothing lies beyond
        file_.quickScan(wasQuick);
        return Status::ok();
      }
      if (s) s = file_.read(recno, first);
      if (s) start = StoreFile::positionOf(file_.def().key(key_.index), first, recno);
    }
    Record scratch(file_.def());
    int64_t at = from;
    if (s)
      s = file_.scan(key_, Direction::Forward, start ? &*start : nullptr, true, scratch,
                     [&](const Record& row, int64_t) {
                       if (match(row)) {
                         found = at;
                         return false;
                       }
                       ++at;
                       return true;
                     });
  }
  file_.quickScan(wasQuick);
  return s;
}

}  // namespace fin
