#include "data/store_file.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <limits>
#include <map>
#include <system_error>

#include "data/collation.h"
#include "data/cp1252.h"
#include "data/decimal.h"

namespace fin {
namespace {

int collate(void*, int na, const void* a, int nb, const void* b) {
  return collation::compareUtf8({static_cast<const char*>(a), static_cast<size_t>(na)},
                                {static_cast<const char*>(b), static_cast<size_t>(nb)});
}

std::string quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

// Spanish wording of the store's error codes, for %ErrorText.
std::string errorWording(int rc) {
  switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return "La tabla está bloqueada por otro usuario";
    case SQLITE_CONSTRAINT: return "El registro viola una restricción de la tabla";
    case SQLITE_READONLY: return "La tabla está abierta solo para lectura";
    case SQLITE_CORRUPT: return "El archivo está dañado";
    case SQLITE_NOTADB: return "El archivo no es una tabla de este sistema";
    case SQLITE_FULL: return "El disco está lleno";
    case SQLITE_CANTOPEN: return "No se pudo abrir el archivo";
    case SQLITE_PERM:
    case SQLITE_AUTH: return "Permiso denegado";
    case SQLITE_IOERR: return "Error de lectura o escritura en el disco";
    case SQLITE_NOMEM: return "Memoria insuficiente";
    default: return sqlite3_errstr(rc);
  }
}

bool fileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

}  // namespace

static std::string afterCondition(const TableDef& def, const KeyDef* key, Direction direction, bool include);

// A cached prepared statement, reset and unbound when it goes out of scope.
class StoreFile::Statement {
 public:
  Statement(sqlite3_stmt* st, int rc) : st_(st), rc_(rc) {}
  Statement(Statement&& o) noexcept : st_(o.st_), rc_(o.rc_) { o.st_ = nullptr; }
  ~Statement() {
    if (st_) {
      sqlite3_reset(st_);
      sqlite3_clear_bindings(st_);
    }
  }
  sqlite3_stmt* get() const { return st_; }
  int rc() const { return rc_; }
  bool ok() const { return st_ != nullptr; }

 private:
  sqlite3_stmt* st_;
  int rc_;
};

StoreFile::StoreFile(const TableDef& def) : def_(def) {
  std::string names;
  std::string params;
  std::string sets;
  for (size_t i = 0; i < def_.fields.size(); ++i) {
    const std::string name = quoted(def_.fields[i].name);
    const std::string param = "?" + std::to_string(i + 1);
    names += (i ? ", " : "") + name;
    params += (i ? ", " : "") + param;
    sets += (i ? ", " : "") + name + " = " + param;
  }
  const std::string table = quoted(def_.label);
  insertSql_ = "INSERT INTO " + table + " (" + names + ") VALUES (" + params + ")";
  updateSql_ = "UPDATE " + table + " SET " + sets + " WHERE RECNO = ?" + std::to_string(def_.fields.size() + 1);
  fetchRecnoSql_ = "SELECT " + selectColumns() + " FROM " + table + " WHERE RECNO = ?1";
  removeSql_ = "DELETE FROM " + table + " WHERE RECNO = ?1";
}

void StoreFile::registerCollation(sqlite3* db) {
  sqlite3_create_collation_v2(db, collation::kCollationName, SQLITE_UTF8, nullptr, collate, nullptr);
}

StoreFile::~StoreFile() { close(); }

void StoreFile::close() {
  for (auto& [sql, st] : statements_) sqlite3_finalize(st);
  statements_.clear();
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

StoreFile::Statement StoreFile::prepare(const std::string& sql) {
  auto it = statements_.find(sql);
  if (it != statements_.end()) return Statement(it->second, SQLITE_OK);
  sqlite3_stmt* st = nullptr;
  int rc = sqlite3_prepare_v3(db_, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_finalize(st);
    return Statement(nullptr, rc);
  }
  statements_.emplace(sql, st);
  return Statement(st, SQLITE_OK);
}

void StoreFile::recordError(int rc) {
  lastCorrupt_ = (rc & 0xFF) == SQLITE_CORRUPT;
  lastError_ = errorWording(rc) + " (" + std::to_string(rc) + ")";
}

void StoreFile::recordError(const std::string& text) {
  lastCorrupt_ = false;
  lastError_ = text;
}

Status StoreFile::fail(int rc) {
  recordError(rc);
  Code code = Code::Failed;
  switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: code = Code::Locked; break;
    case SQLITE_READONLY: code = Code::ReadOnly; break;
    case SQLITE_CONSTRAINT:
      code = (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY) ? Code::Duplicate : Code::Invalid;
      break;
    default: break;
  }
  return Status::error(code, lastError_);
}

Status StoreFile::failWith(Code code, const std::string& text) {
  recordError(text);
  return Status::error(code, text);
}

Status StoreFile::execute(const char* sql) {
  char* err = nullptr;
  int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &err);
  sqlite3_free(err);
  return rc == SQLITE_OK ? Status::ok() : fail(rc);
}

// --- schema ---

std::string StoreFile::createTableSql() const {
  std::string sql = "CREATE TABLE " + quoted(def_.label) + " (RECNO INTEGER PRIMARY KEY AUTOINCREMENT";
  std::vector<bool> inKey(def_.fields.size(), false);
  for (const KeyDef& k : def_.keys)
    for (const KeyComponent& c : k.components) inKey[c.field] = true;
  for (size_t i = 0; i < def_.fields.size(); ++i) {
    const FieldDef& f = def_.fields[i];
    const std::string name = quoted(f.name);
    sql += ", " + name;
    if (f.isText()) {
      sql += " TEXT NOT NULL DEFAULT ''";
      if (inKey[i]) sql += std::string(" COLLATE ") + collation::kCollationName;
      sql += " CHECK(length(" + name + ") <= " + std::to_string(f.capacity()) + ")";
      continue;
    }
    int64_t lo = 0;
    int64_t hi = 0;
    switch (f.type) {
      case FieldType::Int32: lo = std::numeric_limits<int32_t>::min(); hi = std::numeric_limits<int32_t>::max(); break;
      case FieldType::Int16: lo = std::numeric_limits<int16_t>::min(); hi = std::numeric_limits<int16_t>::max(); break;
      case FieldType::Byte: hi = 255; break;
      case FieldType::Date: hi = std::numeric_limits<uint32_t>::max(); break;
      case FieldType::Decimal: hi = decimal::maxMagnitude(f.size); lo = -hi; break;
      default: break;
    }
    sql += " INTEGER NOT NULL DEFAULT 0 CHECK(" + name + " BETWEEN " + std::to_string(lo) + " AND " +
           std::to_string(hi) + ")";
  }
  return sql + ")";
}

std::string StoreFile::skipCondition(const KeyDef& key) const {
  if (!key.skipsEmpty()) return {};
  std::string cond;
  for (const KeyComponent& c : key.components) {
    const FieldDef& f = def_.field(c.field);
    if (!cond.empty()) cond += " OR ";
    cond += quoted(f.name) + (f.isText() ? " <> ''" : " <> 0");
  }
  return key.components.size() > 1 ? "(" + cond + ")" : cond;
}

std::string StoreFile::createIndexSql(const KeyDef& key) const {
  std::string sql = std::string("CREATE ") + (key.unique() ? "UNIQUE " : "") + "INDEX " + quoted(key.name) + " ON " +
                    quoted(def_.label) + " (";
  for (size_t i = 0; i < key.components.size(); ++i) {
    if (i) sql += ", ";
    sql += quoted(def_.field(key.components[i].field).name);
    if (key.components[i].descending) sql += " DESC";
  }
  sql += ")";
  if (key.skipsEmpty()) sql += " WHERE " + skipCondition(key);
  return sql;
}

std::string StoreFile::selectColumns() const {
  std::string cols = "RECNO";
  for (const FieldDef& f : def_.fields) cols += ", " + quoted(f.name);
  return cols;
}

std::string StoreFile::orderBy(const KeyDef* key, Direction direction) const {
  const bool back = direction == Direction::Backward;
  std::string sql = " ORDER BY ";
  if (key) {
    for (const KeyComponent& c : key->components)
      sql += quoted(def_.field(c.field).name) + ((c.descending != back) ? " DESC, " : ", ");
  }
  return sql + (back ? "RECNO DESC" : "RECNO");
}

bool StoreFile::verifySchema(bool& keysDamaged) {
  keysDamaged = false;
  int version = 0;
  {
    Statement st = prepare("PRAGMA user_version");
    if (!st.ok()) return recordError(st.rc()), false;
    int rc = sqlite3_step(st.get());
    if (rc != SQLITE_ROW) return recordError(rc), false;
    version = sqlite3_column_int(st.get(), 0);
  }
  if (version == 0) {
    // An empty file (for instance one created by hand) receives the table.
    Statement st = prepare("SELECT count(*) FROM sqlite_master");
    if (!st.ok()) return recordError(st.rc()), false;
    int rc = sqlite3_step(st.get());
    if (rc != SQLITE_ROW) return recordError(rc), false;
    if (sqlite3_column_int(st.get(), 0) != 0 || readOnly_) {
      recordError("El archivo no tiene el formato de esta tabla (0)");
      return false;
    }
    return true;  // the caller creates the schema
  }
  if (version > kSchemaVersion) {
    recordError("El archivo fue escrito por una versión más reciente del programa (" +
                               std::to_string(version) + ")");
    return false;
  }
  {
    Statement st = prepare("SELECT name FROM pragma_table_info(?1)");
    if (!st.ok()) return recordError(st.rc()), false;
    sqlite3_bind_text(st.get(), 1, def_.label.data(), static_cast<int>(def_.label.size()), SQLITE_STATIC);
    std::vector<std::string> columns;
    int rc;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW)
      columns.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0)));
    if (rc != SQLITE_DONE) return recordError(rc), false;
    bool matches = columns.size() == def_.fields.size() + 1 && columns[0] == "RECNO";
    for (size_t i = 0; matches && i < def_.fields.size(); ++i) matches = columns[i + 1] == def_.fields[i].name;
    if (!matches) {
      recordError("Las columnas del archivo no son las de la tabla " + std::string(def_.label) + " (0)");
      return false;
    }
  }
  Statement st = prepare("SELECT name, sql FROM sqlite_master WHERE type = 'index' AND tbl_name = ?1");
  if (!st.ok()) return recordError(st.rc()), false;
  sqlite3_bind_text(st.get(), 1, def_.label.data(), static_cast<int>(def_.label.size()), SQLITE_STATIC);
  std::map<std::string, std::string> indices;
  int rc;
  while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
    const auto* sql = sqlite3_column_text(st.get(), 1);
    indices[reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0))] =
        sql ? reinterpret_cast<const char*>(sql) : "";
  }
  if (rc != SQLITE_DONE) return recordError(rc), false;
  for (const KeyDef& k : def_.keys) {
    auto it = indices.find(std::string(k.name));
    if (it == indices.end() || it->second != createIndexSql(k)) keysDamaged = true;
  }
  return true;
}

// Touches both ends of every index, which finds an index whose pages were
// damaged without reading the whole file.
bool StoreFile::probeKeys() {
  for (const KeyDef& k : def_.keys) {
    for (Direction d : {Direction::Forward, Direction::Backward}) {
      std::string sql = "SELECT RECNO FROM " + quoted(def_.label) + " INDEXED BY " + quoted(k.name);
      if (k.skipsEmpty()) sql += " WHERE " + skipCondition(k);
      sql += orderBy(&k, d) + " LIMIT 1";
      Statement st = prepare(sql);
      int rc = st.ok() ? sqlite3_step(st.get()) : st.rc();
      if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        recordError(rc);
        return false;
      }
    }
  }
  return true;
}

int StoreFile::connect(const std::string& path, int flags) {
  // Memory statistics cost a global mutex on every allocation; the program reads none.
  static const bool configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;
  (void)configured;
  close();
  path_ = path;
  int rc = sqlite3_open_v2(path.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    close();
    return rc;
  }
  sqlite3_extended_result_codes(db_, 1);
  registerCollation(db_);
  sqlite3_busy_timeout(db_, kLockRecoveryMs);
  return SQLITE_OK;
}

StoreFile::OpenOutcome StoreFile::open(const std::string& path, bool readOnly) {
  close();
  lastCorrupt_ = false;
  if (!fileExists(path)) {
    recordError("El archivo no existe (2)");
    return OpenOutcome::Missing;
  }
  readOnly_ = readOnly;
  int rc = connect(path, readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
  if (rc != SQLITE_OK) {
    recordError(rc);
    return (rc & 0xFF) == SQLITE_CANTOPEN || (rc & 0xFF) == SQLITE_PERM ? OpenOutcome::AccessRefused
                                                                        : OpenOutcome::Failed;
  }
  if (!readOnly && sqlite3_db_readonly(db_, "main") == 1) {
    recordError("Permiso de escritura denegado (8)");
    close();
    return OpenOutcome::AccessRefused;
  }
  bool keysDamaged = false;
  if (!verifySchema(keysDamaged)) {
    const int code = sqlite3_extended_errcode(db_) & 0xFF;
    close();
    return code == SQLITE_BUSY ? OpenOutcome::AccessRefused : OpenOutcome::Failed;
  }
  sqlite3_busy_timeout(db_, kTransactionWaitMs);
  if (!readOnly) (void)execute("PRAGMA synchronous = FULL");  // the default stays if refused
  bool emptyFile = false;
  {
    Statement st = prepare("SELECT count(*) FROM sqlite_master");
    emptyFile = st.ok() && sqlite3_step(st.get()) == SQLITE_ROW && sqlite3_column_int(st.get(), 0) == 0;
  }
  if (emptyFile) {
    close();
    Status created = create(path);
    if (!created) return OpenOutcome::Failed;
    return open(path, readOnly);
  }
  if (keysDamaged || !probeKeys()) {
    if (lastError_.empty() || !lastCorrupt_) lastError_ = "Las claves del archivo no coinciden con la tabla (11)";
    return OpenOutcome::KeysDamaged;
  }
  return OpenOutcome::Opened;
}

Status StoreFile::create(const std::string& path) {
  close();
  const bool existed = fileExists(path);
  readOnly_ = false;
  int rc = connect(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  auto abandon = [&](Status s) {
    close();
    if (!existed) {
      std::error_code ec;
      std::filesystem::remove(path, ec);
      std::filesystem::remove(path + "-wal", ec);
      std::filesystem::remove(path + "-shm", ec);
    }
    return s;
  };
  if (rc != SQLITE_OK) return abandon(fail(rc));
  Status s = execute("PRAGMA journal_mode = WAL");
  if (!s) return abandon(s);
  s = beginImmediate();
  if (!s) return abandon(s);
  int version = 0;
  int versionRc = SQLITE_OK;
  {
    Statement st = prepare("PRAGMA user_version");
    versionRc = !st.ok() ? st.rc() : sqlite3_step(st.get());
    if (versionRc == SQLITE_ROW) version = sqlite3_column_int(st.get(), 0);
  }  // the statement is reset here, before a failure closes the file
  if (versionRc != SQLITE_ROW) {
    s = fail(versionRc);
    rollback();
    return abandon(s);
  }
  if (version == 0) {  // nobody else created it meanwhile
    s = execute(createTableSql().c_str());
    for (size_t i = 0; s && i < def_.keys.size(); ++i) s = execute(createIndexSql(def_.keys[i]).c_str());
    if (s && def_.seededWithOneRecord) {
      Record seed(def_);
      int64_t recno = 0;
      s = insert(seed, recno);
    }
    if (s) s = execute(("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
    if (!s) {
      rollback();
      return abandon(s);
    }
  }
  s = commit();
  if (!s) return abandon(s);
  close();
  return Status::ok();
}

Status StoreFile::rebuildKeys() {
  Status s = beginImmediate();
  if (!s) return s;
  for (const KeyDef& k : def_.keys) {
    s = execute(("DROP INDEX IF EXISTS " + quoted(k.name)).c_str());
    if (s) s = execute(createIndexSql(k).c_str());
    if (!s) break;
  }
  if (s) s = commit();
  if (s) return s;
  rollback();
  if (!lastCorrupt_) return s;
  // The pages of an index are unreadable, so it can be neither dropped nor
  // copied. Its entries are taken out of the schema (the schema cookie is
  // raised so every connection reloads it), the keys are built anew from the
  // table's rows, and VACUUM then frees the pages the old index left behind.
  s = forgetKeys();
  if (s) s = beginImmediate();
  for (size_t i = 0; s && i < def_.keys.size(); ++i) s = execute(createIndexSql(def_.keys[i]).c_str());
  if (s) s = commit();
  if (!s) {
    rollback();
    return s;
  }
  (void)execute("VACUUM");  // only reclaims space; other readers may make it wait for another time
  return Status::ok();
}

Status StoreFile::forgetKeys() {
  int version = 0;
  {
    Statement st = prepare("PRAGMA schema_version");
    if (!st.ok() || sqlite3_step(st.get()) != SQLITE_ROW) return fail(st.ok() ? sqlite3_errcode(db_) : st.rc());
    version = sqlite3_column_int(st.get(), 0);
  }
  for (auto& [sql, st] : statements_) sqlite3_finalize(st);
  statements_.clear();
  FIN_RETURN_IF_ERROR(execute("PRAGMA writable_schema = ON"));
  Status s = beginImmediate();
  for (size_t i = 0; s && i < def_.keys.size(); ++i) {
    Statement st = prepare("DELETE FROM sqlite_master WHERE type = 'index' AND name = ?1");
    if (!st.ok()) {
      s = fail(st.rc());
      break;
    }
    const std::string_view name = def_.keys[i].name;
    sqlite3_bind_text(st.get(), 1, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
    const int rc = sqlite3_step(st.get());
    if (rc != SQLITE_DONE) s = fail(rc);
  }
  for (auto& [sql, st] : statements_) sqlite3_finalize(st);
  statements_.clear();
  if (s) s = execute(("PRAGMA schema_version = " + std::to_string(version + 1)).c_str());
  if (s) s = commit();
  if (!s) rollback();
  (void)execute("PRAGMA writable_schema = OFF");
  if (!s) return s;
  // This connection keeps the schema it had; a new one reads the edited schema.
  const int rc = connect(path_, SQLITE_OPEN_READWRITE);
  if (rc == SQLITE_OK) sqlite3_busy_timeout(db_, kTransactionWaitMs);
  return rc == SQLITE_OK ? Status::ok() : fail(rc);
}

// --- reading ---

Status StoreFile::decodeRow(sqlite3_stmt* st, Record& out, int64_t& recno) {
  recno = sqlite3_column_int64(st, 0);
  for (size_t i = 0; i < def_.fields.size(); ++i) {
    const int col = static_cast<int>(i + 1);
    const auto field = static_cast<uint16_t>(i);
    Status s;
    if (def_.fields[i].isText()) {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
      s = out.setText(field, std::string_view(text ? text : "", static_cast<size_t>(sqlite3_column_bytes(st, col))));
    } else {
      s = out.setNumber(field, sqlite3_column_int64(st, col));
    }
    if (!s) return failWith(Code::Invalid, "Valor inválido en el registro " + std::to_string(recno) + ": " + s.errorText());
  }
  return Status::ok();
}

void StoreFile::bindField(sqlite3_stmt* st, int param, const Record& record, uint16_t field) {
  // The texts stay in bindTexts_ until the statement has run, so SQLite need not copy them.
  if (def_.fields[field].isText()) {
    bindTexts_.resize(def_.fields.size());
    std::string& utf8 = bindTexts_[field];
    utf8.clear();
    cp1252::appendUtf8(record.rawText(field), utf8);
    sqlite3_bind_text(st, param, utf8.data(), static_cast<int>(utf8.size()), SQLITE_STATIC);
  } else {
    sqlite3_bind_int64(st, param, record.number(field));
  }
}

void StoreFile::bindRecord(sqlite3_stmt* st, const Record& record, int firstParam) {
  for (size_t i = 0; i < def_.fields.size(); ++i)
    bindField(st, firstParam + static_cast<int>(i), record, static_cast<uint16_t>(i));
}

Position StoreFile::positionOf(const KeyDef& key, const Record& record, int64_t recno) {
  Position p;
  p.recno = recno;
  for (const KeyComponent& c : key.components) {
    KeyValue v;
    v.isText = record.def().field(c.field).isText();
    if (v.isText)
      v.text = record.text(c.field);
    else
      v.number = record.number(c.field);
    p.values.push_back(std::move(v));
  }
  return p;
}

void StoreFile::bindKeyValues(sqlite3_stmt* st, const KeyDef& key, const Position& from, int firstParam,
                              bool withRecno) {
  for (size_t i = 0; i < key.components.size() && i < from.values.size(); ++i) {
    const KeyValue& v = from.values[i];
    const int param = firstParam + static_cast<int>(i);
    if (v.isText)
      sqlite3_bind_text(st, param, v.text.data(), static_cast<int>(v.text.size()), SQLITE_TRANSIENT);
    else
      sqlite3_bind_int64(st, param, v.number);
  }
  if (withRecno) sqlite3_bind_int64(st, firstParam + static_cast<int>(key.components.size()), from.recno);
}

Status StoreFile::runScan(const std::string& sql, const std::function<void(sqlite3_stmt*)>& bind, Record& scratch,
                          const Visitor& visit) {
  Statement st = prepare(sql);
  if (!st.ok()) return fail(st.rc());
  bind(st.get());
  int rc;
  while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
    int64_t recno = 0;
    FIN_RETURN_IF_ERROR(decodeRow(st.get(), scratch, recno));
    if (!visit(scratch, recno)) return Status::ok();
  }
  return rc == SQLITE_DONE ? Status::ok() : fail(rc);
}

// The condition "after `from` in the order of the key": for components
// c1..ck and RECNO it reads c1 >= ?1 AND (c1 > ?1 OR (c1 = ?1 AND (... RECNO > ?k+1))),
// whose leading range lets the index seek straight to the position.
static std::string afterCondition(const TableDef& def, const KeyDef* key, Direction direction, bool include) {
  const bool back = direction == Direction::Backward;
  const std::string recnoOp = back ? (include ? "<=" : "<") : (include ? ">=" : ">");
  if (!key) return "RECNO " + recnoOp + " ?1";
  const size_t k = key->components.size();
  std::string inner = "RECNO " + recnoOp + " ?" + std::to_string(k + 1);
  for (size_t i = k; i-- > 0;) {
    const KeyComponent& c = key->components[i];
    const std::string col = quoted(def.field(c.field).name);
    const std::string param = "?" + std::to_string(i + 1);
    const bool greater = c.descending == back;
    inner = "(" + col + (greater ? " > " : " < ") + param + " OR (" + col + " = " + param + " AND " + inner + "))";
  }
  const KeyComponent& first = key->components[0];
  const bool greater = first.descending == back;
  return quoted(def.field(first.field).name) + (greater ? " >= ?1" : " <= ?1") + " AND " + inner;
}

Status StoreFile::scan(const KeyDef* key, Direction direction, const Position* from, bool includeFrom,
                       Record& scratch, const Visitor& visit) {
  std::string sql = "SELECT " + selectColumns() + " FROM " + quoted(def_.label);
  std::string where = key ? skipCondition(*key) : std::string();
  if (from) {
    if (!where.empty()) where += " AND ";
    where += afterCondition(def_, key, direction, includeFrom);
  }
  if (!where.empty()) sql += " WHERE " + where;
  sql += orderBy(key, direction);
  return runScan(
      sql,
      [&](sqlite3_stmt* st) {
        if (!from) return;
        if (key)
          bindKeyValues(st, *key, *from, 1, true);
        else
          sqlite3_bind_int64(st, 1, from->recno);
      },
      scratch, visit);
}

Status StoreFile::scanFromValues(const KeyDef& key, Direction direction, const Record& values, Record& scratch,
                                 const Visitor& visit) {
  Position from = positionOf(key, values, 0);
  from.recno = direction == Direction::Forward ? std::numeric_limits<int64_t>::min()
                                               : std::numeric_limits<int64_t>::max();
  return scan(&key, direction, &from, true, scratch, visit);
}

Status StoreFile::fetchRecno(int64_t recno, Record& out) {
  Statement st = prepare(fetchRecnoSql_);
  if (!st.ok()) return fail(st.rc());
  sqlite3_bind_int64(st.get(), 1, recno);
  int rc = sqlite3_step(st.get());
  if (rc == SQLITE_DONE) return Status::error(Code::NotFound);
  if (rc != SQLITE_ROW) return fail(rc);
  int64_t got = 0;
  return decodeRow(st.get(), out, got);
}

Status StoreFile::fetchByKey(const KeyDef& key, const Record& values, Record& out, int64_t& recno) {
  std::string sql = "SELECT " + selectColumns() + " FROM " + quoted(def_.label) + " WHERE ";
  std::string skip = skipCondition(key);
  if (!skip.empty()) sql += skip + " AND ";
  for (size_t i = 0; i < key.components.size(); ++i) {
    if (i) sql += " AND ";
    sql += quoted(def_.field(key.components[i].field).name) + " = ?" + std::to_string(i + 1);
  }
  sql += orderBy(&key, Direction::Forward) + " LIMIT 1";
  bool found = false;
  Status s = runScan(
      sql, [&](sqlite3_stmt* st) { bindKeyValues(st, key, positionOf(key, values, 0), 1, false); }, out,
      [&](const Record&, int64_t r) {
        found = true;
        recno = r;
        return false;
      });
  if (!s) return s;
  return found ? Status::ok() : Status::error(Code::NotFound);
}

Status StoreFile::count(const KeyDef* key, int64_t& n) {
  std::string sql = "SELECT count(*) FROM " + quoted(def_.label);
  if (key && key->skipsEmpty()) sql += " WHERE " + skipCondition(*key);
  Statement st = prepare(sql);
  if (!st.ok()) return fail(st.rc());
  int rc = sqlite3_step(st.get());
  if (rc != SQLITE_ROW) return fail(rc);
  n = sqlite3_column_int64(st.get(), 0);
  return Status::ok();
}

Status StoreFile::sum(const KeyDef* key, std::span<const uint16_t> fields, std::span<int64_t> sums) {
  std::string sql = "SELECT ";
  for (size_t i = 0; i < fields.size(); ++i) sql += (i ? ", SUM(" : "SUM(") + quoted(def_.field(fields[i]).name) + ")";
  sql += " FROM " + quoted(def_.label);
  if (key && key->skipsEmpty()) sql += " WHERE " + skipCondition(*key);
  Statement st = prepare(sql);
  if (!st.ok()) return fail(st.rc());
  int rc = sqlite3_step(st.get());
  if (rc != SQLITE_ROW) return fail(rc);
  for (size_t i = 0; i < fields.size(); ++i) sums[i] = sqlite3_column_int64(st.get(), static_cast<int>(i));
  return Status::ok();
}

Status StoreFile::maxOf(const KeyDef& key, int64_t& max) {
  std::string sql = "SELECT " + quoted(def_.field(key.components[0].field).name) + " FROM " + quoted(def_.label);
  if (key.skipsEmpty()) sql += " WHERE " + skipCondition(key);
  sql += orderBy(&key, Direction::Backward) + " LIMIT 1";
  Statement st = prepare(sql);
  if (!st.ok()) return fail(st.rc());
  int rc = sqlite3_step(st.get());
  if (rc == SQLITE_DONE) {
    max = 0;
    return Status::ok();
  }
  if (rc != SQLITE_ROW) return fail(rc);
  max = sqlite3_column_int64(st.get(), 0);
  return Status::ok();
}

Status StoreFile::countBefore(const KeyDef& key, const Position& position, int64_t& n) {
  std::string sql = "SELECT count(*) FROM " + quoted(def_.label) + " WHERE ";
  if (key.skipsEmpty()) sql += skipCondition(key) + " AND ";
  sql += afterCondition(def_, &key, Direction::Backward, false);
  Statement st = prepare(sql);
  if (!st.ok()) return fail(st.rc());
  bindKeyValues(st.get(), key, position, 1, true);
  int rc = sqlite3_step(st.get());
  if (rc != SQLITE_ROW) return fail(rc);
  n = sqlite3_column_int64(st.get(), 0);
  return Status::ok();
}

Status StoreFile::scanSortedBy(uint16_t field, bool descending, const KeyDef* view, Record& scratch,
                               const Visitor& visit) {
  const FieldDef& f = def_.field(field);
  std::string sql = "SELECT " + selectColumns() + " FROM " + quoted(def_.label);
  if (view && view->skipsEmpty()) sql += " WHERE " + skipCondition(*view);
  sql += " ORDER BY " + quoted(f.name);
  if (f.isText()) sql += std::string(" COLLATE ") + collation::kCollationName;
  sql += descending ? " DESC, RECNO" : ", RECNO";
  return runScan(sql, [](sqlite3_stmt*) {}, scratch, visit);
}

Status StoreFile::recnoAt(const KeyDef* key, int64_t ordinal, int64_t& recno) {
  std::string sql = "SELECT RECNO FROM " + quoted(def_.label);
  if (key && key->skipsEmpty()) sql += " WHERE " + skipCondition(*key);
  sql += orderBy(key, Direction::Forward) + " LIMIT 1 OFFSET ?1";
  Statement st = prepare(sql);
  if (!st.ok()) return fail(st.rc());
  sqlite3_bind_int64(st.get(), 1, ordinal);
  int rc = sqlite3_step(st.get());
  recno = rc == SQLITE_ROW ? sqlite3_column_int64(st.get(), 0) : 0;
  return rc == SQLITE_ROW || rc == SQLITE_DONE ? Status::ok() : fail(rc);
}

Status StoreFile::findUniqueConflict(const Record& record, int64_t exceptRecno, const KeyDef*& conflict) {
  conflict = nullptr;
  for (const KeyDef& k : def_.keys) {
    if (!k.unique()) continue;
    bool allEmpty = true;
    for (const KeyComponent& c : k.components) allEmpty = allEmpty && record.isEmpty(c.field);
    if (allEmpty && k.skipsEmpty()) continue;
    std::string sql = "SELECT RECNO FROM " + quoted(def_.label) + " WHERE RECNO <> ?1";
    for (size_t i = 0; i < k.components.size(); ++i)
      sql += " AND " + quoted(def_.field(k.components[i].field).name) + " = ?" + std::to_string(i + 2);
    if (k.skipsEmpty()) sql += " AND " + skipCondition(k);
    sql += " LIMIT 1";
    Statement st = prepare(sql);
    if (!st.ok()) return fail(st.rc());
    sqlite3_bind_int64(st.get(), 1, exceptRecno);
    bindKeyValues(st.get(), k, positionOf(k, record, 0), 2, false);
    int rc = sqlite3_step(st.get());
    if (rc == SQLITE_ROW) {
      conflict = &k;
      return Status::ok();
    }
    if (rc != SQLITE_DONE) return fail(rc);
  }
  return Status::ok();
}

// --- writing ---

Status StoreFile::beginImmediate() { return execute("BEGIN IMMEDIATE"); }

Status StoreFile::commit() { return execute("COMMIT"); }

void StoreFile::rollback() {
  if (db_ && !sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

bool StoreFile::inTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

Status StoreFile::insert(const Record& record, int64_t& recno) {
  Statement st = prepare(insertSql_);
  if (!st.ok()) return fail(st.rc());
  bindRecord(st.get(), record, 1);
  int rc = sqlite3_step(st.get());
  if (rc != SQLITE_DONE) return fail(rc);
  recno = sqlite3_last_insert_rowid(db_);
  return Status::ok();
}

Status StoreFile::update(int64_t recno, const Record& record) {
  Statement st = prepare(updateSql_);
  if (!st.ok()) return fail(st.rc());
  bindRecord(st.get(), record, 1);
  sqlite3_bind_int64(st.get(), static_cast<int>(def_.fields.size() + 1), recno);
  int rc = sqlite3_step(st.get());
  if (rc != SQLITE_DONE) return fail(rc);
  return sqlite3_changes(db_) == 1 ? Status::ok() : Status::error(Code::NotFound);
}

Status StoreFile::updateChanged(int64_t recno, const Record& record, const Record& stored) {
  // Only the changed columns are written, so the indices of the others are left alone.
  std::vector<uint16_t> changed;
  for (size_t i = 0; i < def_.fields.size(); ++i) {
    const auto f = static_cast<uint16_t>(i);
    const bool differs = def_.fields[i].isText() ? record.rawText(f) != stored.rawText(f)
                                                 : record.number(f) != stored.number(f);
    if (differs) changed.push_back(f);
  }
  if (changed.empty()) return Status::ok();
  std::string sql = "UPDATE " + quoted(def_.label) + " SET ";
  for (size_t i = 0; i < changed.size(); ++i)
    sql += (i ? ", " : "") + quoted(def_.fields[changed[i]].name) + " = ?" + std::to_string(i + 1);
  sql += " WHERE RECNO = ?" + std::to_string(changed.size() + 1);
  Statement st = prepare(sql);
  if (!st.ok()) return fail(st.rc());
  for (size_t i = 0; i < changed.size(); ++i) bindField(st.get(), static_cast<int>(i + 1), record, changed[i]);
  sqlite3_bind_int64(st.get(), static_cast<int>(changed.size() + 1), recno);
  int rc = sqlite3_step(st.get());
  if (rc != SQLITE_DONE) return fail(rc);
  return sqlite3_changes(db_) == 1 ? Status::ok() : Status::error(Code::NotFound);
}

Status StoreFile::remove(int64_t recno) {
  Statement st = prepare(removeSql_);
  if (!st.ok()) return fail(st.rc());
  sqlite3_bind_int64(st.get(), 1, recno);
  int rc = sqlite3_step(st.get());
  return rc == SQLITE_DONE ? Status::ok() : fail(rc);
}

Status StoreFile::checkpoint() { return execute("PRAGMA wal_checkpoint(PASSIVE)"); }

void StoreFile::setQuickScan(bool on) {
  (void)execute(on ? "PRAGMA cache_size = -32768" : "PRAGMA cache_size = -2000");  // a hint only
}

}  // namespace fin
