// The access object of one table: its file, its record buffer, its keys and
// the single-file operations on them (use, fetch, walk, count, prime, insert,
// change, delete, cancel a primed record, quick-scan, flush).
//
// Every failure is returned as a Status and, except "not found", is also
// reported to the user through the message table, naming the table by its
// disk name; such a Status is marked reported(). A failed operation leaves
// the record buffer and the file as they were.
//
// The file is opened lazily: the relation object declares uses (open/close
// raise and lower the use count), and the first read or write opens the file
// physically, by the two-attempt rule (create when missing, rebuild damaged
// keys, fall back to reading only when writing is refused).
//
// Not thread-safe: each data context (one per thread) has its own objects.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "data/messages.h"
#include "data/position.h"
#include "data/record.h"
#include "data/schema.h"
#include "data/status.h"
#include "data/store_file.h"

namespace fin {

class FileAccess {
 public:
  FileAccess(const TableDef& def, std::filesystem::path dataDir, Messages& messages);

  const TableDef& def() const { return def_; }
  TableId id() const { return def_.id; }
  // The name messages give the table: its disk name.
  std::string_view name() const { return def_.diskName; }
  std::filesystem::path path() const { return dataDir_ / std::string(def_.diskName); }

  Record& buffer() { return buffer_; }
  const Record& buffer() const { return buffer_; }

  // --- uses (called by the relation object) ---
  void addUse() { ++useCount_; }
  // Lowers the use count; closes the file when it reaches 0.
  void releaseUse();
  int useCount() const { return useCount_; }
  bool isPhysicallyOpen() const { return store_.isOpen(); }
  bool isReadOnly() const { return store_.isReadOnly(); }

  // Makes sure the file is physically open. Message 42 when the table was
  // never opened; the open messages (12, 26, 29, 30, 2) otherwise.
  Status use();

  // --- reading into the buffer ---
  // The first record, in key order, whose key fields equal those now in the
  // buffer. NotFound leaves the buffer as it was.
  Status fetch(KeyId key);
  // Re-reads the record numbered `recno` (a list's selected row).
  Status fetchRecno(int64_t recno);

  // Walks: set a starting point, then next()/previous() one record at a time
  // into the buffer until NotFound (the end of the key).
  Status set(KeyId key);                  // before the first record
  Status setFromBuffer(KeyId key);        // at the first record >= the buffer's key values
  Status setAfter(KeyId key, const Position& p);  // after (before, going back) a position
  Status next();
  Status previous();

  // Records of the key's view (a key that skips empty values leaves some out).
  Status count(KeyId key, int64_t& n);
  Status countAll(int64_t& n);
  // Exact sums of numeric fields over the key's view.
  Status sum(KeyId key, std::span<const uint16_t> fields, std::span<int64_t> sums);

  // --- reading for views (list pages, totals, searches); the buffer is not touched ---
  Status scan(KeyId key, Direction direction, const Position* from, bool includeFrom, Record& scratch,
              const StoreFile::Visitor& visit);
  Status scanFromValues(KeyId key, Direction direction, const Record& values, Record& scratch,
                        const StoreFile::Visitor& visit);
  Status scanSortedBy(uint16_t field, bool descending, KeyId view, Record& scratch,
                      const StoreFile::Visitor& visit);
  Status read(int64_t recno, Record& out);  // NotFound when the record is gone
  Status recnoAt(KeyId key, int64_t ordinal, int64_t& recno);
  Status countBefore(KeyId key, const Position& position, int64_t& n);

  // The record last read or written: its number and its position in `key`.
  int64_t currentRecno() const { return recno_; }
  Position position(KeyId key) const;

  // --- writing ---
  // Clears the buffer, sets the table's initial values and, for an
  // auto-numbered table, reserves the next number by storing the record at
  // once (retried on collision; message 35 after three refusals in a row).
  Status prime();
  // Stores the buffer as a new record (over the reserved one after prime()).
  // Message 15 names the first duplicated unique key; message 4 otherwise.
  Status insert();
  // Removes the record that prime() stored to reserve its number.
  Status cancelPrimed();
  bool hasReservedRecord() const { return reserved_ != 0; }

  // Writes the buffer over the record last read, in a transaction that waits
  // up to 2 seconds for the lock (message 24). If the stored record differs
  // from the copy read, it is not overwritten: the other version is loaded
  // into the buffer and reported with message 8 and Code::Changed; a record
  // removed meanwhile is message 7 and Code::NotFound. Other failures: message 28.
  Status update();
  // Removes the record last read, in a transaction; on failure reports it
  // (24 or 13) and asks question 36 whether to try again.
  Status remove();

  // A batch runs many inserts, changes and deletions in one transaction
  // (bulk loads, recalculations): each keeps its own checks but none commits
  // on its own. commitBatch() stores them all; rollbackBatch() none.
  Status beginBatch();
  Status commitBatch();
  void rollbackBatch();
  bool inBatch() const { return store_.inTransaction(); }

  void quickScan(bool on);
  bool quickScanOn() const { return quickScan_; }
  Status flush();

 private:
  Status physicalOpen();
  Status checkUse() const;
  Status report(Status s, uint16_t message, std::string field = {}, std::string detail = {});
  MessageArgs args(const Status& s) const;
  bool recoverFromCorruption(const Status& s);
  Status guardedRead(const std::function<Status()>& read);
  Status readAhead();
  Status move(Direction d);
  void rememberRead(int64_t recno);
  Status tryReserveNumber();
  Status writeReserved();

  const TableDef& def_;
  std::filesystem::path dataDir_;
  Messages& messages_;
  StoreFile store_;
  Record buffer_;
  Record readCopy_;      // the record as last read, for the changed-by-another check
  int64_t recno_ = 0;    // the record last read or written
  int64_t reserved_ = 0; // record stored by prime() to reserve its number
  int useCount_ = 0;
  bool quickScan_ = false;

  // Walk state: the key, the direction of the read-ahead, the last position
  // delivered and the rows read ahead of it.
  struct Walk {
    bool active = false;
    const KeyDef* key = nullptr;
    std::optional<Position> last;     // nullopt: before the first
    bool startInclusive = false;      // the first read may return `last` itself
    std::optional<Record> startValues;  // setFromBuffer: the key values to start at
    Direction direction = Direction::Forward;
    std::vector<std::pair<Record, int64_t>> ahead;
    size_t next = 0;
    bool exhausted = false;
  } walk_;
};

}  // namespace fin
