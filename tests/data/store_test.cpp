// The store through the access and relation objects: creation, keys,
// walks, numbering, writes with their checks, and recovery of damaged files.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "data/context.h"
#include "data/tables.h"
#include "support/recording_presenter.h"
#include "support/temp_dir.h"

namespace fin {
namespace {

// A plain SQLite connection, as another tool or a damaged disk would use the file.
class RawDb {
 public:
  explicit RawDb(const std::filesystem::path& path) {
    EXPECT_EQ(sqlite3_open(path.c_str(), &db_), SQLITE_OK);
    StoreFile::registerCollation(db_);
    sqlite3_busy_timeout(db_, 5000);
  }
  ~RawDb() { sqlite3_close(db_); }
  int exec(const std::string& sql) { return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr); }
  int64_t scalar(const std::string& sql) {
    sqlite3_stmt* st = nullptr;
    int64_t v = -1;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
      v = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    return v;
  }

 private:
  sqlite3* db_ = nullptr;
};

class StoreTest : public ::testing::Test {
 protected:
  StoreTest() : messages(presenter), ctx(dir.path(), messages) {}

  // Inserts a bank with the given name through the access object.
  Status addBank(const std::string& name) {
    FileAccess& f = ctx.file(TableId::Bancos);
    f.buffer().clear();
    EXPECT_TRUE(f.buffer().setText(ban::NOMBRE, name));
    return f.insert();
  }

  Status addOperation(int64_t id, Date date, const std::string& category, int64_t ingreso = 0) {
    FileAccess& f = ctx.file(TableId::Operacio);
    Record& r = f.buffer();
    r.clear();
    EXPECT_TRUE(r.setInteger(ope::ID, id));
    r.setDate(ope::FECHA, date);
    EXPECT_TRUE(r.setText(ope::CATING, category));
    EXPECT_TRUE(r.setDecimal(ope::INGRESO, ingreso));
    return f.insert();
  }

  // Walks a key and collects one field of every record.
  std::vector<std::string> walk(FileAccess& f, KeyId key, FieldId field, Direction d = Direction::Forward) {
    std::vector<std::string> out;
    EXPECT_TRUE(f.set(key));
    for (;;) {
      Status s = d == Direction::Forward ? f.next() : f.previous();
      if (!s) {
        EXPECT_EQ(s.code(), Code::NotFound);
        break;
      }
      const FieldDef& fd = fieldDef(field);
      out.push_back(fd.isText() ? f.buffer().text(field) : std::to_string(f.buffer().number(field.index)));
    }
    return out;
  }

  static Date day(int d) { return *Date::fromYmd(2026, 1, d); }

  test::TempDir dir;
  test::RecordingPresenter presenter;
  Messages messages;
  Context ctx;
};

TEST_F(StoreTest, UseBeforeOpeningIsMessage42) {
  Status s = ctx.file(TableId::Bancos).use();
  EXPECT_EQ(s.code(), Code::NotOpen);
  EXPECT_TRUE(s.reported());
  ASSERT_EQ(presenter.numbers(), std::vector<uint16_t>{42});
  EXPECT_EQ(presenter.boxes[0].text,
            "Se ha intentado utilizar la tabla (BANCOS) antes de estar ABIERTA  Press OK to end this application");
  EXPECT_EQ(presenter.programEnds, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "BANCOS"));
}

TEST_F(StoreTest, MissingFilesAreCreatedAtFirstUseWithTheirSchema) {
  TablesInUse open(ctx, {TableId::Operacio, TableId::configur});
  int64_t n = -1;
  ASSERT_TRUE(ctx.file(TableId::Operacio).countAll(n));
  EXPECT_EQ(n, 0);
  EXPECT_TRUE(std::filesystem::exists(dir / "kovar07.tps"));
  EXPECT_FALSE(std::filesystem::exists(dir / "BANCOS")) << "a related table opens only when used";
  RawDb raw(dir / "kovar07.tps");
  EXPECT_EQ(raw.scalar("PRAGMA user_version"), 1);
  EXPECT_EQ(raw.scalar("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name LIKE 'KEY%'"), 7);
  EXPECT_EQ(raw.scalar("SELECT count(*) FROM pragma_journal_mode WHERE journal_mode = 'wal'"), 1);

  // configur receives its single record, so the first run can be completed.
  FileAccess& cfg = ctx.file(TableId::configur);
  ASSERT_TRUE(cfg.countAll(n));
  EXPECT_EQ(n, 1);
  EXPECT_TRUE(presenter.boxes.empty());
}

TEST_F(StoreTest, DuplicateUniqueKeyIsRefusedIgnoringCaseWithMessage15) {
  TablesInUse open(ctx, {TableId::Bancos, TableId::Deudores});
  ASSERT_TRUE(addBank("Banco del Sur"));
  Status s = addBank("BANCO DEL SUR  ");
  EXPECT_EQ(s.code(), Code::Duplicate);
  ASSERT_EQ(presenter.numbers(), std::vector<uint16_t>{15});
  EXPECT_EQ(presenter.boxes[0].text, "Agregar este registro crea una clave duplicada para la clave: ban:KeyNombre");
  EXPECT_EQ(ctx.file(TableId::Bancos).buffer().text(ban::NOMBRE), "BANCO DEL SUR") << "the buffer stays";

  FileAccess& deu = ctx.file(TableId::Deudores);
  ASSERT_TRUE(deu.buffer().setText(deu::NOMBRE, "ana"));
  ASSERT_TRUE(deu.insert());
  ASSERT_TRUE(deu.buffer().setText(deu::NOMBRE, "ANA"));
  EXPECT_EQ(deu.insert().code(), Code::Duplicate);
  EXPECT_EQ(presenter.boxes.back().text, "Agregar este registro crea una clave duplicada para la clave: deu:KeyNombre");
  ASSERT_TRUE(deu.buffer().setText(deu::NOMBRE, "Ñandú"));
  ASSERT_TRUE(deu.insert());
  ASSERT_TRUE(deu.buffer().setText(deu::NOMBRE, "ñANDÚ"));
  EXPECT_EQ(deu.insert().code(), Code::Duplicate) << "accented pairs fold too";
}

TEST_F(StoreTest, AUniqueKeyThatSkipsEmptyValuesAdmitsManyBlanks) {
  TablesInUse open(ctx, {TableId::cxc});
  FileAccess& f = ctx.file(TableId::cxc);
  for (const char* ref : {"", "", "F-1", ""}) {
    f.buffer().clear();
    ASSERT_TRUE(f.buffer().setText(cxc::REFERENCIA, ref));
    ASSERT_TRUE(f.insert()) << ref;
  }
  ASSERT_TRUE(f.buffer().setText(cxc::REFERENCIA, "f-1"));
  EXPECT_EQ(f.insert().code(), Code::Duplicate);
  EXPECT_EQ(presenter.boxes.back().text,
            "Agregar este registro crea una clave duplicada para la clave: cxc:KeyReferencia");
  int64_t inKey = 0;
  int64_t all = 0;
  ASSERT_TRUE(f.count(cxc::KEYREFERENCIA, inKey));
  ASSERT_TRUE(f.countAll(all));
  EXPECT_EQ(inKey, 1);
  EXPECT_EQ(all, 4);
}

TEST_F(StoreTest, FetchByKeyReadsTheMatchingRecordIgnoringCase) {
  TablesInUse open(ctx, {TableId::Bancos});
  ASSERT_TRUE(addBank("Norte"));
  ASSERT_TRUE(addBank("Sur"));
  FileAccess& f = ctx.file(TableId::Bancos);
  f.buffer().clear();
  ASSERT_TRUE(f.buffer().setText(ban::NOMBRE, "sur"));
  ASSERT_TRUE(f.fetch(ban::KEYNOMBRE));
  EXPECT_EQ(f.buffer().text(ban::NOMBRE), "Sur");
  ASSERT_TRUE(f.buffer().setText(ban::NOMBRE, "Este"));
  EXPECT_EQ(f.fetch(ban::KEYNOMBRE).code(), Code::NotFound);
  EXPECT_EQ(f.buffer().text(ban::NOMBRE), "Este") << "not found leaves the buffer";
  EXPECT_TRUE(presenter.boxes.empty()) << "not found is not an error to report";
}

TEST_F(StoreTest, WalksFollowTheirKeysInBothDirections) {
  TablesInUse open(ctx, {TableId::Operacio});
  FileAccess& f = ctx.file(TableId::Operacio);
  ASSERT_TRUE(addOperation(1, day(5), "Sueldo"));
  ASSERT_TRUE(addOperation(2, Date(), "Renta"));  // no date: left out of OPE:KEYFECHA
  ASSERT_TRUE(addOperation(3, day(2), ""));        // blank category: first in OPE:KEYCATING
  ASSERT_TRUE(addOperation(4, day(5), "sueldo"));  // a duplicate date after its elder
  ASSERT_TRUE(addOperation(5, day(1), "Ahorro"));

  EXPECT_EQ(walk(f, ope::KEYFECHA, ope::ID), (std::vector<std::string>{"5", "3", "1", "4"}));
  EXPECT_EQ(walk(f, ope::KEYFECHA, ope::ID, Direction::Backward), (std::vector<std::string>{"4", "1", "3", "5"}));
  EXPECT_EQ(walk(f, ope::KEYID, ope::ID), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(walk(f, ope::KEYCATING, ope::CATING),
            (std::vector<std::string>{"", "Ahorro", "Renta", "Sueldo", "sueldo"}));

  // Starting from key values, and changing direction in the middle.
  f.buffer().setDate(ope::FECHA, day(3));
  ASSERT_TRUE(f.setFromBuffer(ope::KEYFECHA));
  ASSERT_TRUE(f.next());
  EXPECT_EQ(f.buffer().integer(ope::ID), 1);
  ASSERT_TRUE(f.next());
  EXPECT_EQ(f.buffer().integer(ope::ID), 4);
  ASSERT_TRUE(f.previous());
  EXPECT_EQ(f.buffer().integer(ope::ID), 1);
  ASSERT_TRUE(f.previous());
  EXPECT_EQ(f.buffer().integer(ope::ID), 3);

  // After a position, in quick-scan mode.
  ASSERT_TRUE(f.fetchRecno(1));
  Position p = f.position(ope::KEYFECHA);
  f.quickScan(true);
  ASSERT_TRUE(f.setAfter(ope::KEYFECHA, p));
  ASSERT_TRUE(f.next());
  EXPECT_EQ(f.buffer().integer(ope::ID), 4);
  EXPECT_EQ(f.next().code(), Code::NotFound);
  f.quickScan(false);

  int64_t sums[2] = {};
  const uint16_t fields[] = {ope::ID.index, ope::INGRESO.index};
  ASSERT_TRUE(f.sum(ope::KEYFECHA, fields, sums));
  EXPECT_EQ(sums[0], 13) << "the view of OPE:KEYFECHA leaves out operation 2";
}

TEST_F(StoreTest, ADescendingKeyReadsTheLargestFirstAndKeepsTiesInInsertionOrder) {
  TablesInUse open(ctx, {TableId::GrafIngresosCateg});
  FileAccess& f = ctx.file(TableId::GrafIngresosCateg);
  const std::pair<const char*, int64_t> rows[] = {{"A", 500}, {"B", 9000}, {"C", 500}, {"D", 0}, {"E", 12000}};
  for (auto [name, total] : rows) {
    f.buffer().clear();
    ASSERT_TRUE(f.buffer().setText(gic::CATEGORIA, name));
    ASSERT_TRUE(f.buffer().setDecimal(gic::TOTAL, total));
    ASSERT_TRUE(f.insert());
  }
  EXPECT_EQ(walk(f, gic::KEYTOTAL, gic::CATEGORIA), (std::vector<std::string>{"E", "B", "A", "C"}));
}

TEST_F(StoreTest, PrimeNumbersOperationsAndReservesTheNumberAtOnce) {
  TablesInUse open(ctx, {TableId::Operacio});
  FileAccess& f = ctx.file(TableId::Operacio);
  ASSERT_TRUE(f.prime());
  EXPECT_EQ(f.buffer().integer(ope::ID), 1) << "the first operation of an empty register";
  EXPECT_EQ(f.buffer().text(ope::TIPO), "INGRESO");
  EXPECT_EQ(f.buffer().text(ope::FORMA), "EFECTIVO");
  int64_t n = 0;
  ASSERT_TRUE(f.countAll(n));
  EXPECT_EQ(n, 1) << "the number is reserved by storing the record";

  ASSERT_TRUE(f.buffer().setText(ope::CONCEPTO, "Primera"));
  ASSERT_TRUE(f.insert()) << "the form's insert writes over the reservation";
  ASSERT_TRUE(f.countAll(n));
  EXPECT_EQ(n, 1);

  ASSERT_TRUE(f.prime());
  EXPECT_EQ(f.buffer().integer(ope::ID), 2);
  ASSERT_TRUE(f.cancelPrimed());
  ASSERT_TRUE(f.countAll(n));
  EXPECT_EQ(n, 1) << "cancelling leaves no record behind";

  ASSERT_TRUE(f.prime());
  EXPECT_EQ(f.buffer().integer(ope::ID), 2);
  ASSERT_TRUE(f.insert());
  ASSERT_TRUE(f.remove());
  ASSERT_TRUE(f.prime());
  EXPECT_EQ(f.buffer().integer(ope::ID), 2) << "the number of a deleted last operation is given again";
  ASSERT_TRUE(f.insert());

  f.buffer().clear();
  ASSERT_TRUE(f.buffer().setInteger(ope::ID, 1));
  ASSERT_TRUE(f.fetch(ope::KEYID));
  EXPECT_EQ(f.buffer().text(ope::CONCEPTO), "Primera");
  EXPECT_TRUE(presenter.boxes.empty());
}

TEST_F(StoreTest, ChangeDetectsARecordChangedOrRemovedByAnotherUser) {
  test::RecordingPresenter otherPresenter;
  Messages otherMessages(otherPresenter);
  Context other(dir.path(), otherMessages);
  TablesInUse open(ctx, {TableId::Bancos});
  TablesInUse openOther(other, {TableId::Bancos});
  ASSERT_TRUE(addBank("Central"));
  FileAccess& mine = ctx.file(TableId::Bancos);
  FileAccess& theirs = other.file(TableId::Bancos);
  const int64_t recno = mine.currentRecno();

  ASSERT_TRUE(mine.fetchRecno(recno));
  ASSERT_TRUE(theirs.fetchRecno(recno));
  ASSERT_TRUE(theirs.buffer().setText(ban::NOTAS, "cambiado por otro"));
  ASSERT_TRUE(other.relation(TableId::Bancos).update());

  ASSERT_TRUE(mine.buffer().setText(ban::NOTAS, "mi cambio"));
  Status s = ctx.relation(TableId::Bancos).update();
  EXPECT_EQ(s.code(), Code::Changed);
  EXPECT_EQ(presenter.numbers(), std::vector<uint16_t>{8});
  EXPECT_EQ(mine.buffer().text(ban::NOTAS), "cambiado por otro") << "the other version is shown";

  // Changed again on the version now read, it goes through.
  ASSERT_TRUE(mine.buffer().setText(ban::NOTAS, "mi cambio"));
  ASSERT_TRUE(ctx.relation(TableId::Bancos).update());
  ASSERT_TRUE(theirs.fetchRecno(recno));
  EXPECT_EQ(theirs.buffer().text(ban::NOTAS), "mi cambio");

  ASSERT_TRUE(other.relation(TableId::Bancos).remove());
  ASSERT_TRUE(mine.buffer().setText(ban::NOTAS, "tarde"));
  EXPECT_EQ(ctx.relation(TableId::Bancos).update().code(), Code::NotFound);
  EXPECT_EQ(presenter.numbers().back(), 7);
}

TEST_F(StoreTest, AChangeThatDuplicatesAUniqueKeyIsMessage28) {
  TablesInUse open(ctx, {TableId::Bancos});
  ASSERT_TRUE(addBank("Uno"));
  ASSERT_TRUE(addBank("Dos"));
  FileAccess& f = ctx.file(TableId::Bancos);
  ASSERT_TRUE(f.buffer().setText(ban::NOMBRE, "uno"));
  Status s = ctx.relation(TableId::Bancos).update();
  EXPECT_EQ(s.code(), Code::Duplicate);
  EXPECT_EQ(presenter.numbers(), std::vector<uint16_t>{28});
  EXPECT_NE(presenter.boxes[0].text.find("BANCOS"), std::string::npos);
  EXPECT_EQ(f.buffer().text(ban::NOMBRE), "uno") << "the buffer keeps what the user typed";
  f.buffer().clear();
  ASSERT_TRUE(f.buffer().setText(ban::NOMBRE, "Dos"));
  ASSERT_TRUE(f.fetch(ban::KEYNOMBRE)) << "the stored record is unchanged";
}

TEST_F(StoreTest, ATransactionThatCannotGetTheLockChangesNothing) {
  TablesInUse open(ctx, {TableId::Bancos});
  ASSERT_TRUE(addBank("Central"));
  RawDb holder(dir / "BANCOS");
  ASSERT_EQ(holder.exec("BEGIN IMMEDIATE"), SQLITE_OK);

  FileAccess& f = ctx.file(TableId::Bancos);
  ASSERT_TRUE(f.buffer().setText(ban::NOTAS, "no llega"));
  const auto start = std::chrono::steady_clock::now();
  Status s = ctx.relation(TableId::Bancos).update();
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(s.code(), Code::Locked);
  EXPECT_GE(waited, std::chrono::milliseconds(1900)) << "it waits for the lock first";
  ASSERT_EQ(presenter.numbers(), std::vector<uint16_t>{24});
  EXPECT_NE(presenter.boxes[0].text.find("bloqueada"), std::string::npos);

  presenter.answer({kOk, kNo});  // message 24, then "No" to question 36
  s = ctx.relation(TableId::Bancos).remove();
  EXPECT_EQ(s.code(), Code::Locked);
  EXPECT_EQ(presenter.numbers(), (std::vector<uint16_t>{24, 24, 36}));

  ASSERT_EQ(holder.exec("ROLLBACK"), SQLITE_OK);
  EXPECT_EQ(holder.scalar("SELECT count(*) FROM Bancos WHERE NOTAS = ''"), 1);
}

TEST_F(StoreTest, ValuesThatDoNotFitAreRefusedByTheFileToo) {
  TablesInUse open(ctx, {TableId::Bancos});
  ASSERT_TRUE(addBank("Central"));
  RawDb raw(dir / "BANCOS");
  EXPECT_NE(raw.exec("UPDATE Bancos SET NOMBRE = '" + std::string(41, 'x') + "'"), SQLITE_OK);
  TablesInUse cat(ctx, {TableId::CateIngr});
  int64_t n = 0;
  ASSERT_TRUE(ctx.file(TableId::CateIngr).countAll(n));
  RawDb cin(dir / "CATEINGR");
  EXPECT_EQ(cin.exec("INSERT INTO CateIngr (DESCRIPCION, TOTALINGRESOS) VALUES ('x', 99999999999)"), SQLITE_OK);
  EXPECT_NE(cin.exec("INSERT INTO CateIngr (DESCRIPCION, TOTALINGRESOS) VALUES ('y', 100000000000)"), SQLITE_OK);
}

TEST_F(StoreTest, ADroppedIndexIsReportedAndRebuiltWithoutLosingRecords) {
  {
    TablesInUse open(ctx, {TableId::Bancos});
    for (int i = 0; i < 50; ++i) ASSERT_TRUE(addBank("Banco " + std::to_string(i)));
  }
  {
    RawDb raw(dir / "BANCOS");
    ASSERT_EQ(raw.exec("DROP INDEX KEYNOMBRE"), SQLITE_OK);
  }
  TablesInUse open(ctx, {TableId::Bancos});
  FileAccess& f = ctx.file(TableId::Bancos);
  int64_t n = 0;
  ASSERT_TRUE(f.count(ban::KEYNOMBRE, n));
  EXPECT_EQ(n, 50);
  EXPECT_EQ(presenter.numbers(), std::vector<uint16_t>{30});
  EXPECT_EQ(presenter.boxes[0].text, "BANCOS : Clave inválida. Clave debe ser reconstruida.");
  EXPECT_EQ(addBank("banco 7").code(), Code::Duplicate) << "the rebuilt key is unique again";
}

TEST_F(StoreTest, AnIndexWithUnreadablePagesIsRebuiltFromTheRecords) {
  {
    TablesInUse open(ctx, {TableId::Bancos});
    for (int i = 0; i < 2000; ++i) ASSERT_TRUE(addBank("Banco número " + std::to_string(i)));
    ASSERT_TRUE(ctx.file(TableId::Bancos).flush());
  }
  int64_t root = 0;
  int64_t pageSize = 0;
  {
    RawDb raw(dir / "BANCOS");
    ASSERT_EQ(raw.exec("PRAGMA wal_checkpoint(TRUNCATE)"), SQLITE_OK);
    root = raw.scalar("SELECT rootpage FROM sqlite_master WHERE name = 'KEYNOMBRE'");
    pageSize = raw.scalar("PRAGMA page_size");
    ASSERT_GT(root, 1);
  }
  {
    std::fstream file(dir / "BANCOS", std::ios::in | std::ios::out | std::ios::binary);
    file.seekp((root - 1) * pageSize);
    const std::string garbage(static_cast<size_t>(pageSize), '\xA5');
    file.write(garbage.data(), pageSize);
  }
  TablesInUse open(ctx, {TableId::Bancos});
  FileAccess& f = ctx.file(TableId::Bancos);
  std::vector<std::string> names;
  ASSERT_TRUE(f.set(ban::KEYNOMBRE)) << (presenter.boxes.empty() ? "" : presenter.boxes.back().text);
  while (f.next()) names.push_back(f.buffer().text(ban::NOMBRE));
  EXPECT_EQ(names.size(), 2000u) << "no record is lost";
  EXPECT_EQ(presenter.numbers(), std::vector<uint16_t>{30});
  RawDb check(dir / "BANCOS");
  EXPECT_EQ(check.scalar("SELECT count(*) FROM pragma_integrity_check WHERE integrity_check = 'ok'"), 1);
}

TEST_F(StoreTest, AFileThatIsNotATableIsAFatalOpenError) {
  {
    std::ofstream junk(dir / "TIPOCBAN");
    junk << std::string(8192, 'j');
  }
  TablesInUse open(ctx, {TableId::TipoCban});
  Status s = ctx.file(TableId::TipoCban).use();
  EXPECT_FALSE(s);
  EXPECT_EQ(presenter.numbers(), std::vector<uint16_t>{26});
  EXPECT_EQ(presenter.programEnds, 1);
  std::ifstream still(dir / "TIPOCBAN");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(still), {}), std::string(8192, 'j')) << "nothing overwritten";
}

TEST_F(StoreTest, AFileThatCannotBeCreatedIsMessage12AndLeavesNothing) {
  test::RecordingPresenter p;
  Messages m(p);
  Context missingDir(dir / "no" / "such" / "dir", m);
  TablesInUse open(missingDir, {TableId::Bancos});
  EXPECT_FALSE(missingDir.file(TableId::Bancos).use());
  EXPECT_EQ(p.numbers(), std::vector<uint16_t>{12});
  EXPECT_FALSE(std::filesystem::exists(dir / "no"));
}

// Permissions do not bind the superuser, so the check runs in a child
// process that gives up its privileges first.
TEST_F(StoreTest, AFileThatRefusesWritingOpensForReadingOnly) {
  {
    TablesInUse open(ctx, {TableId::Bancos});
    ASSERT_TRUE(addBank("Central"));
  }
  std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
  std::filesystem::permissions(dir / "BANCOS", std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                                   std::filesystem::perms::others_read);
  pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(10);
    test::RecordingPresenter p;
    Messages m(p);
    Context c(dir.path(), m);
    TablesInUse open(c, {TableId::Bancos});
    FileAccess& f = c.file(TableId::Bancos);
    int64_t n = 0;
    if (!f.countAll(n) || n != 1) _exit(11);
    if (!f.isReadOnly()) _exit(12);
    if (p.numbers() != std::vector<uint16_t>{2}) _exit(13);
    f.buffer().clear();
    if (!f.buffer().setText(ban::NOMBRE, "Otro") || f.insert()) _exit(14);
    if (p.numbers().back() != 4) _exit(15);
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace fin
