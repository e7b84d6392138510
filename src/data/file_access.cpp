#include "data/file_access.h"

#include <utility>

namespace fin {
namespace {

// Messages of the file layer.
enum : uint16_t {
  kMsgReadError = 1,
  kMsgWriteDenied = 2,
  kMsgInsertError = 4,
  kMsgMaybeChanged = 7,
  kMsgChangedByOther = 8,
  kMsgCreateError = 12,
  kMsgDeleteError = 13,
  kMsgDuplicateKey = 15,
  kMsgTransactionError = 24,
  kMsgOpenError = 26,
  kMsgUpdateError = 28,
  kMsgRebuildError = 29,
  kMsgBadKey = 30,
  kMsgAutoNumber = 35,
  kMsgRetryDelete = 36,
  kMsgNotOpen = 42,
};

// Rows read ahead by a walk: a few for ordinary walks, many in quick-scan.
constexpr size_t kReadAhead = 16;
constexpr size_t kQuickScanReadAhead = 1000;
// Reservations of a new number tried before the user is asked.
constexpr int kNumberingAttempts = 3;

const KeyDef* autoNumberKey(const TableDef& def) {
  for (const KeyDef& k : def.keys)
    if (k.autoNumbered()) return &k;
  return nullptr;
}

}  // namespace

FileAccess::FileAccess(const TableDef& def, std::filesystem::path dataDir, Messages& messages)
    : def_(def), dataDir_(std::move(dataDir)), messages_(messages), store_(def), buffer_(def), readCopy_(def) {}

void FileAccess::releaseUse() {
  if (useCount_ == 0) return;
  if (--useCount_ == 0) {
    if (reserved_) (void)cancelPrimed();  // never leave a reservation behind
    walk_ = Walk{};
    store_.close();
  }
}

MessageArgs FileAccess::args(const Status& s) const {
  MessageArgs a;
  a.file = std::string(def_.diskName);
  a.errorText = s.errorText();
  a.message = s.detail();
  return a;
}

Status FileAccess::report(Status s, uint16_t message, std::string field, std::string detail) {
  if (!detail.empty()) s.withDetail(std::move(detail));
  s.withMessage(message);
  MessageArgs a = args(s);
  a.field = std::move(field);
  (void)messages_.raise(message, a);  // information and fatal kinds have nothing to answer
  return s.markReported();
}

Status FileAccess::checkUse() const {
  if (useCount_ > 0) return Status::ok();
  return Status::error(Code::NotOpen, "La tabla no fue abierta (0)");
}

Status FileAccess::use() {
  Status s = checkUse();
  if (!s) return report(s, kMsgNotOpen);
  if (store_.isOpen()) return Status::ok();
  return physicalOpen();
}

// At most two attempts: a missing file is created, damaged keys are rebuilt,
// and a file that refuses writing is opened for reading only; each then
// opens again once.
Status FileAccess::physicalOpen() {
  const std::string file = path().string();
  bool readOnly = false;
  for (int attempt = 0; attempt < 2; ++attempt) {
    switch (store_.open(file, readOnly)) {
      case StoreFile::OpenOutcome::Opened:
        if (quickScan_) store_.setQuickScan(true);
        return Status::ok();
      case StoreFile::OpenOutcome::Missing: {
        Status created = store_.create(file);
        if (!created) return report(created, kMsgCreateError);
        break;
      }
      case StoreFile::OpenOutcome::AccessRefused:
        (void)report(Status::error(Code::ReadOnly, store_.lastError()), kMsgWriteDenied);  // and go on read-only
        readOnly = true;
        break;
      case StoreFile::OpenOutcome::KeysDamaged: {
        (void)report(Status::error(Code::Failed, store_.lastError()), kMsgBadKey);  // then rebuild
        Status rebuilt = store_.rebuildKeys();
        store_.close();
        if (!rebuilt) return report(rebuilt, kMsgRebuildError);
        break;
      }
      case StoreFile::OpenOutcome::Failed:
        return report(Status::error(Code::Failed, store_.lastError()), kMsgOpenError);
    }
  }
  return report(Status::error(Code::Failed, store_.lastError()), kMsgOpenError);
}

// A store failure that shows a damaged index: tells the user, rebuilds the
// keys and says whether the operation may be tried again.
bool FileAccess::recoverFromCorruption(const Status& s) {
  if (s.isOk() || !store_.lastErrorWasCorrupt()) return false;
  (void)report(Status::error(Code::Failed, s.errorText()), kMsgBadKey);  // then rebuild
  Status rebuilt = store_.rebuildKeys();
  if (!rebuilt) {
    (void)report(rebuilt, kMsgRebuildError);  // the caller reports its own failure
    return false;
  }
  return true;
}

void FileAccess::rememberRead(int64_t recno) {
  recno_ = recno;
  readCopy_ = buffer_;
}

Status FileAccess::fetch(KeyId key) {
  Record found(def_);
  int64_t recno = 0;
  Status s = guardedRead([&] { return store_.fetchByKey(def_.key(key.index), buffer_, found, recno); });
  if (!s) return s;
  buffer_ = found;
  rememberRead(recno);
  return s;
}

Status FileAccess::fetchRecno(int64_t recno) {
  Record found(def_);
  Status s = read(recno, found);
  if (!s) return s;
  buffer_ = found;
  rememberRead(recno);
  return s;
}

Status FileAccess::set(KeyId key) {
  FIN_RETURN_IF_ERROR(use());
  walk_ = Walk{};
  walk_.active = true;
  walk_.key = &def_.key(key.index);
  return Status::ok();
}

Status FileAccess::setFromBuffer(KeyId key) {
  FIN_RETURN_IF_ERROR(set(key));
  walk_.startValues = buffer_;
  return Status::ok();
}

Status FileAccess::setAfter(KeyId key, const Position& p) {
  FIN_RETURN_IF_ERROR(set(key));
  walk_.last = p;
  return Status::ok();
}

Status FileAccess::readAhead() {
  const size_t batch = quickScan_ ? kQuickScanReadAhead : kReadAhead;
  size_t filled = 0;
  Record scratch(def_);
  auto keep = [&](const Record& row, int64_t recno) {
    if (filled < walk_.ahead.size()) {
      walk_.ahead[filled].first = row;
      walk_.ahead[filled].second = recno;
    } else {
      walk_.ahead.emplace_back(row, recno);
    }
    return ++filled < batch;
  };
  auto scan = [&] {
    if (walk_.last) return store_.scan(walk_.key, walk_.direction, &*walk_.last, false, scratch, keep);
    if (walk_.startValues) return store_.scanFromValues(*walk_.key, walk_.direction, *walk_.startValues, scratch, keep);
    return store_.scan(walk_.key, walk_.direction, nullptr, false, scratch, keep);
  };
  Status s = scan();
  if (recoverFromCorruption(s)) {
    filled = 0;
    s = scan();
  }
  if (!s) return report(s, kMsgReadError);
  walk_.ahead.resize(filled, {Record(def_), 0});
  walk_.next = 0;
  walk_.exhausted = filled < batch;
  return Status::ok();
}

Status FileAccess::move(Direction d) {
  if (!walk_.active) return Status::error(Code::Failed, "No se ha fijado un recorrido (0)");
  FIN_RETURN_IF_ERROR(use());
  if (d != walk_.direction) {
    walk_.direction = d;
    walk_.ahead.clear();
    walk_.next = 0;
    walk_.exhausted = false;
  }
  if (walk_.next >= walk_.ahead.size()) {
    if (walk_.exhausted) return Status::error(Code::NotFound);
    FIN_RETURN_IF_ERROR(readAhead());
    if (walk_.ahead.empty()) return Status::error(Code::NotFound);
  }
  auto& [row, recno] = walk_.ahead[walk_.next++];
  buffer_ = row;
  rememberRead(recno);
  walk_.last = StoreFile::positionOf(*walk_.key, buffer_, recno);
  walk_.startValues.reset();
  return Status::ok();
}

Status FileAccess::next() { return move(Direction::Forward); }

Status FileAccess::previous() { return move(Direction::Backward); }

Status FileAccess::count(KeyId key, int64_t& n) {
  return guardedRead([&] { return store_.count(&def_.key(key.index), n); });
}

Status FileAccess::countAll(int64_t& n) {
  return guardedRead([&] { return store_.count(nullptr, n); });
}

Status FileAccess::sum(KeyId key, std::span<const uint16_t> fields, std::span<int64_t> sums) {
  return guardedRead([&] { return store_.sum(&def_.key(key.index), fields, sums); });
}

// Runs a read, rebuilding damaged keys once, and reports a failure other than not found.
Status FileAccess::guardedRead(const std::function<Status()>& read) {
  FIN_RETURN_IF_ERROR(use());
  Status s = read();
  if (recoverFromCorruption(s)) s = read();
  if (s.isOk() || s.code() == Code::NotFound) return s;
  return report(s, kMsgReadError);
}

Status FileAccess::scan(KeyId key, Direction direction, const Position* from, bool includeFrom, Record& scratch,
                        const StoreFile::Visitor& visit) {
  return guardedRead([&] { return store_.scan(&def_.key(key.index), direction, from, includeFrom, scratch, visit); });
}

Status FileAccess::scanFromValues(KeyId key, Direction direction, const Record& values, Record& scratch,
                                  const StoreFile::Visitor& visit) {
  return guardedRead([&] { return store_.scanFromValues(def_.key(key.index), direction, values, scratch, visit); });
}

Status FileAccess::scanSortedBy(uint16_t field, bool descending, KeyId view, Record& scratch,
                                const StoreFile::Visitor& visit) {
  return guardedRead([&] { return store_.scanSortedBy(field, descending, &def_.key(view.index), scratch, visit); });
}

Status FileAccess::read(int64_t recno, Record& out) {
  return guardedRead([&] { return store_.fetchRecno(recno, out); });
}

Status FileAccess::recnoAt(KeyId key, int64_t ordinal, int64_t& recno) {
  return guardedRead([&] { return store_.recnoAt(&def_.key(key.index), ordinal, recno); });
}

Status FileAccess::countBefore(KeyId key, const Position& position, int64_t& n) {
  return guardedRead([&] { return store_.countBefore(def_.key(key.index), position, n); });
}

Position FileAccess::position(KeyId key) const {
  return StoreFile::positionOf(def_.key(key.index), buffer_, recno_);
}

// --- writing ---

Status FileAccess::prime() {
  FIN_RETURN_IF_ERROR(use());
  if (reserved_) FIN_RETURN_IF_ERROR(cancelPrimed());
  buffer_.clear();
  buffer_.applyInitialValues();
  recno_ = 0;
  if (!autoNumberKey(def_)) return Status::ok();
  for (;;) {
    Status last;
    for (int attempt = 0; attempt < kNumberingAttempts; ++attempt) {
      last = tryReserveNumber();
      if (last) return last;
      if (last.code() == Code::Invalid) return report(last, kMsgInsertError);
    }
    MessageArgs a = args(last);
    if (!messages_.raise(kMsgAutoNumber, a))
      return Status::error(Code::Cancelled, last.errorText(), kMsgAutoNumber).markReported();
  }
}

// One attempt to store a new record with the next free number, inside a
// transaction so that the number read and the record stored go together.
Status FileAccess::tryReserveNumber() {
  const KeyDef& key = *autoNumberKey(def_);
  const uint16_t field = key.components[0].field;
  const Record untouched = buffer_;
  const bool ownTransaction = !store_.inTransaction();
  if (ownTransaction) FIN_RETURN_IF_ERROR(store_.beginImmediate());
  int64_t highest = 0;
  Status s = store_.maxOf(key, highest);
  if (s) s = buffer_.setNumber(field, highest + 1);
  int64_t recno = 0;
  if (s) s = store_.insert(buffer_, recno);
  if (s && ownTransaction) s = store_.commit();
  if (!s) {
    if (ownTransaction) store_.rollback();
    buffer_ = untouched;
    return s;
  }
  reserved_ = recno;
  rememberRead(recno);
  return Status::ok();
}

Status FileAccess::writeReserved() {
  Status s = store_.update(reserved_, buffer_);
  if (s.code() == Code::NotFound) {  // the reservation was removed by someone else
    reserved_ = 0;
    return insert();
  }
  if (s.code() == Code::Duplicate) {
    const KeyDef* conflict = nullptr;
    (void)store_.findUniqueConflict(buffer_, reserved_, conflict);
    return report(s, kMsgDuplicateKey, {}, conflict ? std::string(conflict->messageName) : std::string());
  }
  if (!s) return report(s, kMsgInsertError);
  rememberRead(reserved_);
  reserved_ = 0;
  return Status::ok();
}

Status FileAccess::insert() {
  FIN_RETURN_IF_ERROR(use());
  if (reserved_) return writeReserved();
  int64_t recno = 0;
  Status s = store_.insert(buffer_, recno);
  if (recoverFromCorruption(s)) s = store_.insert(buffer_, recno);
  if (s.code() == Code::Duplicate) {
    const KeyDef* conflict = nullptr;
    (void)store_.findUniqueConflict(buffer_, 0, conflict);  // the message names the key when found
    return report(s, kMsgDuplicateKey, {}, conflict ? std::string(conflict->messageName) : std::string());
  }
  if (!s) return report(s, kMsgInsertError);
  rememberRead(recno);
  return Status::ok();
}

Status FileAccess::cancelPrimed() {
  if (!reserved_) return Status::ok();
  FIN_RETURN_IF_ERROR(use());
  Status s = store_.remove(reserved_);
  if (!s) return report(s, kMsgDeleteError);
  reserved_ = 0;
  recno_ = 0;
  return Status::ok();
}

Status FileAccess::update() {
  FIN_RETURN_IF_ERROR(use());
  if (recno_ == 0)
    return report(Status::error(Code::Failed, "No hay un registro leído para cambiar (0)"), kMsgUpdateError);
  const bool ownTransaction = !store_.inTransaction();
  Status s = ownTransaction ? store_.beginImmediate() : Status::ok();
  if (!s) return report(s, kMsgTransactionError);
  auto undo = [&] {
    if (ownTransaction) store_.rollback();
  };
  Record stored(def_);
  s = store_.fetchRecno(recno_, stored);
  if (s.code() == Code::NotFound) {
    undo();
    return report(Status::error(Code::NotFound, "El registro ya no existe (0)"), kMsgMaybeChanged);
  }
  if (s && !(stored == readCopy_)) {
    undo();
    buffer_ = stored;
    rememberRead(recno_);
    return report(Status::error(Code::Changed, "El registro fue modificado por otro usuario (0)"),
                  kMsgChangedByOther);
  }
  if (s) s = store_.updateChanged(recno_, buffer_, stored);
  if (s && ownTransaction) s = store_.commit();
  if (!s) {
    undo();
    return report(s, kMsgUpdateError);
  }
  readCopy_ = buffer_;
  return Status::ok();
}

Status FileAccess::remove() {
  FIN_RETURN_IF_ERROR(use());
  if (recno_ == 0)
    return report(Status::error(Code::Failed, "No hay un registro leído para borrar (0)"), kMsgDeleteError);
  const bool ownTransaction = !store_.inTransaction();
  for (;;) {
    Status s = ownTransaction ? store_.beginImmediate() : Status::ok();
    uint16_t message = kMsgTransactionError;
    if (s) {
      message = kMsgDeleteError;
      s = store_.remove(recno_);
      if (s && ownTransaction) s = store_.commit();
      if (!s && ownTransaction) store_.rollback();
    }
    if (s) {
      recno_ = 0;
      return s;
    }
    s = report(s, message);
    if (!ownTransaction || !messages_.raise(kMsgRetryDelete, args(s))) return s;
  }
}

Status FileAccess::beginBatch() {
  FIN_RETURN_IF_ERROR(use());
  store_.setQuickScan(true);
  Status s = store_.beginImmediate();
  return s ? s : report(s, kMsgTransactionError);
}

Status FileAccess::commitBatch() {
  Status s = store_.commit();
  if (s) return s;
  store_.rollback();
  return report(s, kMsgUpdateError);
}

void FileAccess::rollbackBatch() { store_.rollback(); }

void FileAccess::quickScan(bool on) {
  quickScan_ = on;
  if (store_.isOpen()) store_.setQuickScan(on);
}

Status FileAccess::flush() {
  if (!store_.isOpen()) return Status::ok();
  Status s = store_.checkpoint();
  return s ? s : report(s, kMsgUpdateError);
}

}  // namespace fin
