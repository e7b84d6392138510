// The store on a register of 1,000,000 operations, each figure beside the
// raw sqlite3 C API doing the same work on the same file ("Raw" benchmarks).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <random>
#include <string>

#include "bench_register.h"
#include "data/context.h"
#include "data/demo_register.h"
#include "data/store_file.h"
#include "data/tables.h"

namespace fin::bench {
namespace {

const std::string kOperacioColumns =
    "RECNO, ID, FECHA, TIPO, FORMA, CONCEPTO, CATING, CATEGR, INGRESOCUENTA, ABONOCXC, ABONOCXP, INGRESO, EGRESO, "
    "BENEFICIARIO, CUENTABANCARIAEGRESOS, COMPROBANTEGASTOS, COMPROBANTEINGRESOS";

struct Raw {
  explicit Raw(const std::filesystem::path& file) {
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    StoreFile::registerCollation(db);
    sqlite3_busy_timeout(db, 2000);
    sqlite3_exec(db, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA cache_size = -32768", nullptr, nullptr, nullptr);  // as the store sets for long work
  }
  ~Raw() { sqlite3_close(db); }
  sqlite3_stmt* prepare(const std::string& sql) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
    return st;
  }
  // Steps a statement to its end, reading every column; returns a checksum.
  static int64_t drain(sqlite3_stmt* st) {
    int64_t sum = 0;
    const int n = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
      for (int c = 0; c < n; ++c) {
        if (sqlite3_column_type(st, c) == SQLITE_TEXT) {
          sqlite3_column_text(st, c);
          sum += sqlite3_column_bytes(st, c);
        } else {
          sum += sqlite3_column_int64(st, c);
        }
      }
    }
    return sum;
  }
  sqlite3* db = nullptr;
};

// Reads every field of the buffer, as a list or report would.
int64_t readAll(const Record& r) {
  int64_t sum = 0;
  for (size_t i = 0; i < r.def().fields.size(); ++i) {
    const auto f = static_cast<uint16_t>(i);
    sum += r.def().field(f).isText() ? static_cast<int64_t>(r.rawText(f).size()) : r.number(f);
  }
  return sum;
}

struct Ledger {
  Ledger() : dir(registerDir()), messages(presenter), ctx(dir, messages), open(ctx, {TableId::Operacio}) {}
  FileAccess& ops() { return ctx.file(TableId::Operacio); }
  std::filesystem::path dir;
  SilentPresenter presenter;
  Messages messages;
  Context ctx;
  TablesInUse open;
};

Ledger& ledger() {
  static Ledger l;
  return l;
}

void BM_BulkLoad(benchmark::State& state) {
  for (auto _ : state) {
    const auto dir = std::filesystem::temp_directory_path() / "finanzas-bench-load";
    if (!generateRegister(dir, kOperations, kReceivables)) state.SkipWithError("generation failed");
  }
  state.SetItemsProcessed(state.iterations() * kOperations);
}
BENCHMARK(BM_BulkLoad)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_BulkLoadRaw(benchmark::State& state) {
  for (auto _ : state) {
    const auto dir = std::filesystem::temp_directory_path() / "finanzas-bench-load-raw";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    StoreFile schema(tableDef(TableId::Operacio));
    if (!schema.create((dir / "kovar07.tps").string())) state.SkipWithError("create failed");
    Raw raw(dir / "kovar07.tps");
    sqlite3_exec(raw.db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = raw.prepare(
        "INSERT INTO Operacio (ID, FECHA, TIPO, FORMA, CONCEPTO, CATING, CATEGR, INGRESOCUENTA, ABONOCXC, ABONOCXP, "
        "INGRESO, EGRESO, BENEFICIARIO, CUENTABANCARIAEGRESOS, COMPROBANTEGASTOS, COMPROBANTEINGRESOS) VALUES "
        "(?1, ?2, 'EGRESO', 'EFECTIVO', ?3, '', 'Alimentos', '', '', '', 0, ?4, '', '0441000000', ?5, '')");
    std::mt19937_64 rng(42);
    for (int64_t i = 1; i <= kOperations; ++i) {
      const std::string text = "Compra del súper " + std::to_string(i);
      const std::string voucher = std::to_string(rng() % 100000);
      sqlite3_bind_int64(st, 1, i);
      sqlite3_bind_int64(st, 2, Date::fromDayCount(16000 + i * 3650 / kOperations).stored());
      sqlite3_bind_text(st, 3, text.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_int64(st, 4, 1000 + static_cast<int64_t>(rng() % 800000));
      sqlite3_bind_text(st, 5, voucher.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_step(st);
      sqlite3_reset(st);
      if (i % 100000 == 0) {
        sqlite3_exec(raw.db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_exec(raw.db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
      }
    }
    sqlite3_finalize(st);
    sqlite3_exec(raw.db, "COMMIT", nullptr, nullptr, nullptr);
  }
  state.SetItemsProcessed(state.iterations() * kOperations);
}
BENCHMARK(BM_BulkLoadRaw)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_WalkKeyFecha(benchmark::State& state) {
  FileAccess& f = ledger().ops();
  int64_t rows = 0;
  for (auto _ : state) {
    int64_t sum = 0;
    rows = 0;
    f.quickScan(true);
    if (!f.set(ope::KEYFECHA)) state.SkipWithError("set failed");
    while (f.next()) {
      sum += readAll(f.buffer());
      ++rows;
    }
    f.quickScan(false);
    benchmark::DoNotOptimize(sum);
  }
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_WalkKeyFecha)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WalkKeyFechaRaw(benchmark::State& state) {
  Raw raw(ledger().dir / "kovar07.tps");
  sqlite3_stmt* st =
      raw.prepare("SELECT " + kOperacioColumns + " FROM Operacio WHERE FECHA <> 0 ORDER BY FECHA, RECNO");
  for (auto _ : state) {
    benchmark::DoNotOptimize(Raw::drain(st));
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
}
BENCHMARK(BM_WalkKeyFechaRaw)->Unit(benchmark::kMillisecond)->Iterations(3);

// A page of 30 rows at the start or at the end of the date order.
void BM_Page(benchmark::State& state) {
  FileAccess& f = ledger().ops();
  const bool atEnd = state.range(0) == 1;
  for (auto _ : state) {
    int64_t sum = 0;
    if (!f.set(ope::KEYFECHA)) state.SkipWithError("set failed");
    for (int i = 0; i < 30; ++i) {
      if (!(atEnd ? f.previous() : f.next())) break;
      sum += readAll(f.buffer());
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_Page)->Arg(0)->Arg(1)->ArgNames({"last"})->Unit(benchmark::kMicrosecond);

void BM_PageRaw(benchmark::State& state) {
  Raw raw(ledger().dir / "kovar07.tps");
  const bool atEnd = state.range(0) == 1;
  sqlite3_stmt* st = raw.prepare("SELECT " + kOperacioColumns + " FROM Operacio WHERE FECHA <> 0 ORDER BY FECHA" +
                                 (atEnd ? " DESC, RECNO DESC" : ", RECNO") + " LIMIT 30");
  for (auto _ : state) {
    benchmark::DoNotOptimize(Raw::drain(st));
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
}
BENCHMARK(BM_PageRaw)->Arg(0)->Arg(1)->ArgNames({"last"})->Unit(benchmark::kMicrosecond);

void BM_FetchByUniqueKey(benchmark::State& state) {
  FileAccess& f = ledger().ops();
  std::mt19937_64 rng(7);
  for (auto _ : state) {
    f.buffer().clear();
    (void)f.buffer().setInteger(ope::ID, 1 + static_cast<int64_t>(rng() % kOperations));
    if (!f.fetch(ope::KEYID)) state.SkipWithError("fetch failed");
    benchmark::DoNotOptimize(readAll(f.buffer()));
  }
}
BENCHMARK(BM_FetchByUniqueKey)->Unit(benchmark::kMicrosecond);

void BM_FetchByUniqueKeyRaw(benchmark::State& state) {
  Raw raw(ledger().dir / "kovar07.tps");
  sqlite3_stmt* st = raw.prepare("SELECT " + kOperacioColumns + " FROM Operacio WHERE ID <> 0 AND ID = ?1");
  std::mt19937_64 rng(7);
  for (auto _ : state) {
    sqlite3_bind_int64(st, 1, 1 + static_cast<int64_t>(rng() % kOperations));
    benchmark::DoNotOptimize(Raw::drain(st));
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
}
BENCHMARK(BM_FetchByUniqueKeyRaw)->Unit(benchmark::kMicrosecond);

// Rewrites the voucher of `count` operations spread over the register.
void BM_ChangesInOneBatch(benchmark::State& state) {
  FileAccess& f = ledger().ops();
  const int64_t count = state.range(0);
  int round = 0;
  for (auto _ : state) {
    const bool batch = count > 1;
    if (batch && !f.beginBatch()) state.SkipWithError("batch failed");
    for (int64_t i = 0; i < count; ++i) {
      const int64_t recno = 1 + (i * 9973 + round * 7) % kOperations;
      if (!f.fetchRecno(recno)) state.SkipWithError("fetch failed");
      (void)f.buffer().setText(ope::COMPROBANTEGASTOS, "B" + std::to_string(round % 10));
      if (!f.update()) state.SkipWithError("update failed");
    }
    if (batch && !f.commitBatch()) state.SkipWithError("commit failed");
    ++round;
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ChangesInOneBatch)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ChangesInOneBatch)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ChangesInOneBatchRaw(benchmark::State& state) {
  Raw raw(ledger().dir / "kovar07.tps");
  const int64_t count = state.range(0);
  sqlite3_stmt* read = raw.prepare("SELECT " + kOperacioColumns + " FROM Operacio WHERE RECNO = ?1");
  sqlite3_stmt* write = raw.prepare("UPDATE Operacio SET COMPROBANTEGASTOS = ?1 WHERE RECNO = ?2");
  int round = 0;
  for (auto _ : state) {
    sqlite3_exec(raw.db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    const std::string voucher = "R" + std::to_string(round % 10);
    for (int64_t i = 0; i < count; ++i) {
      const int64_t recno = 1 + (i * 9973 + round * 7) % kOperations;
      sqlite3_bind_int64(read, 1, recno);
      benchmark::DoNotOptimize(Raw::drain(read));
      sqlite3_reset(read);
      sqlite3_bind_text(write, 1, voucher.c_str(), -1, SQLITE_STATIC);
      sqlite3_bind_int64(write, 2, recno);
      sqlite3_step(write);
      sqlite3_reset(write);
    }
    sqlite3_exec(raw.db, "COMMIT", nullptr, nullptr, nullptr);
    ++round;
  }
  sqlite3_finalize(read);
  sqlite3_finalize(write);
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ChangesInOneBatchRaw)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ChangesInOneBatchRaw)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SumOfTheRegister(benchmark::State& state) {
  FileAccess& f = ledger().ops();
  const uint16_t fields[] = {ope::INGRESO.index, ope::EGRESO.index};
  for (auto _ : state) {
    int64_t sums[2] = {};
    if (!f.sum(ope::KEYFECHA, fields, sums)) state.SkipWithError("sum failed");
    benchmark::DoNotOptimize(sums);
  }
}
BENCHMARK(BM_SumOfTheRegister)->Unit(benchmark::kMillisecond);

void BM_SumOfTheRegisterRaw(benchmark::State& state) {
  Raw raw(ledger().dir / "kovar07.tps");
  sqlite3_stmt* st = raw.prepare("SELECT SUM(INGRESO), SUM(EGRESO) FROM Operacio WHERE FECHA <> 0");
  for (auto _ : state) {
    benchmark::DoNotOptimize(Raw::drain(st));
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
}
BENCHMARK(BM_SumOfTheRegisterRaw)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fin::bench

BENCHMARK_MAIN();
