// One table's file in the store: an SQLite database holding one SQL table
// named by the table's label, one column per field, and one index per key.
//
// This class is the only place that sees SQLite. Every statement is built
// from the table's definition and takes its values as bound parameters.
// Failures come back as Status values carrying the store's error text; the
// class raises no messages (the access object does).
//
// Not thread-safe: one StoreFile belongs to one access object, which belongs
// to one data context.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>

#include "data/position.h"
#include "data/record.h"
#include "data/schema.h"
#include "data/status.h"

struct sqlite3;
struct sqlite3_stmt;

namespace fin {

// The version of the file format, kept in PRAGMA user_version.
inline constexpr int kSchemaVersion = 1;
// How long a change or deletion waits for the transaction lock.
inline constexpr int kTransactionWaitMs = 2000;
// How long opening waits for locks left by another process.
inline constexpr int kLockRecoveryMs = 10000;

class StoreFile {
 public:
  explicit StoreFile(const TableDef& def);
  ~StoreFile();
  StoreFile(const StoreFile&) = delete;
  StoreFile& operator=(const StoreFile&) = delete;

  enum class OpenOutcome { Opened, Missing, AccessRefused, KeysDamaged, Failed };

  // Opens an existing file for reading and writing (or reading only) and
  // checks its format and its keys. On any outcome but Opened the file is
  // left closed, except KeysDamaged, which leaves it open for rebuildKeys().
  OpenOutcome open(const std::string& path, bool readOnly);
  // Creates a new file with the table, its indices and, for a table that
  // must hold one record, that record. Fails if the file exists.
  Status create(const std::string& path);
  // Rebuilds every index of the open file from the table's rows.
  Status rebuildKeys();
  void close();

  bool isOpen() const { return db_ != nullptr; }
  bool isReadOnly() const { return readOnly_; }
  // The last failure as %ErrorText shows it: text and code in parentheses.
  const std::string& lastError() const { return lastError_; }
  bool lastErrorWasCorrupt() const { return lastCorrupt_; }

  // --- reading ---
  // Receives each row; returns false to stop the scan.
  using Visitor = std::function<bool(const Record& row, int64_t recno)>;

  // Reads rows in the order of `key` (nullptr: file order, by RECNO) in the
  // given direction, starting after `from` (or at it when `includeFrom`), or
  // from the first row when `from` is null. A key that skips empty values
  // never yields the rows it leaves out. Each row is decoded into `scratch`.
  Status scan(const KeyDef* key, Direction direction, const Position* from, bool includeFrom, Record& scratch,
              const Visitor& visit);
  // Like scan, but starts at the first row whose key values are >= those of
  // `values` (<= going backward), whatever its RECNO.
  Status scanFromValues(const KeyDef& key, Direction direction, const Record& values, Record& scratch,
                        const Visitor& visit);
  Status fetchRecno(int64_t recno, Record& out);
  // The first row, in key order, whose key values equal those in `values`.
  Status fetchByKey(const KeyDef& key, const Record& values, Record& out, int64_t& recno);
  // Rows of the key's view (all rows for nullptr).
  Status count(const KeyDef* key, int64_t& n);
  // Exact sums of numeric fields over the rows of the key's view.
  Status sum(const KeyDef* key, std::span<const uint16_t> fields, std::span<int64_t> sums);
  // The largest value of the key's first component (0 for an empty view).
  Status maxOf(const KeyDef& key, int64_t& max);
  // Rows of the key's view that come before `position` in its order.
  Status countBefore(const KeyDef& key, const Position& position, int64_t& n);
  // Reads the rows of the key's view (all rows for nullptr) sorted by one
  // field (texts under the system's case rule), ties in RECNO order.
  Status scanSortedBy(uint16_t field, bool descending, const KeyDef* view, Record& scratch, const Visitor& visit);
  // The RECNO at an ordinal place of the key's view (0-based), or 0 beyond its end.
  Status recnoAt(const KeyDef* key, int64_t ordinal, int64_t& recno);
  // The first unique key, in declaration order, whose value in `record` is
  // already held by another row than `exceptRecno`; nullptr when none.
  Status findUniqueConflict(const Record& record, int64_t exceptRecno, const KeyDef*& conflict);

  // --- writing ---
  Status beginImmediate();
  Status commit();
  void rollback();
  bool inTransaction() const;
  Status insert(const Record& record, int64_t& recno);
  // Writes `record` over the row `recno`; NotFound when there is no such row.
  Status update(int64_t recno, const Record& record);
  // Writes only the fields in which `record` differs from `stored`, the row
  // as it is in the file; nothing when they are equal.
  Status updateChanged(int64_t recno, const Record& record, const Record& stored);
  Status remove(int64_t recno);
  Status checkpoint();
  // A larger page cache for long forward walks.
  void setQuickScan(bool on);

  // Registers the system's case rule on a connection (for tools and tests).
  static void registerCollation(sqlite3* db);

  static Position positionOf(const KeyDef& key, const Record& record, int64_t recno);

  // The SQL that creates the table and its indices (documented in storage.md).
  std::string createTableSql() const;
  std::string createIndexSql(const KeyDef& key) const;

 private:
  class Statement;
  int connect(const std::string& path, int flags);
  Statement prepare(const std::string& sql);
  void recordError(int rc);
  void recordError(const std::string& text);
  Status fail(int rc);
  Status failWith(Code code, const std::string& text);
  Status execute(const char* sql);
  Status decodeRow(sqlite3_stmt* st, Record& out, int64_t& recno);
  void bindField(sqlite3_stmt* st, int param, const Record& record, uint16_t field);
  void bindRecord(sqlite3_stmt* st, const Record& record, int firstParam);
  void bindKeyValues(sqlite3_stmt* st, const KeyDef& key, const Position& from, int firstParam, bool withRecno);
  Status runScan(const std::string& sql, const std::function<void(sqlite3_stmt*)>& bind, Record& scratch,
                 const Visitor& visit);
  Status forgetKeys();
  bool verifySchema(bool& keysDamaged);
  bool probeKeys();
  std::string selectColumns() const;
  std::string skipCondition(const KeyDef& key) const;
  std::string orderBy(const KeyDef* key, Direction direction) const;

  const TableDef& def_;
  sqlite3* db_ = nullptr;
  std::string path_;
  bool readOnly_ = false;
  bool lastCorrupt_ = false;
  std::string lastError_;
  std::string insertSql_, updateSql_, fetchRecnoSql_, removeSql_;  // built once: they run for every row
  std::vector<std::string> bindTexts_;
  std::unordered_map<std::string, sqlite3_stmt*> statements_;
};

}  // namespace fin
