// BrowseBancos over 100,000 banks: opening to the first page, the jump to
// the end, and a Ctrl+T filter that reads the whole table.
#include <benchmark/benchmark.h>

#include <fstream>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "bench_register.h"
#include "data/context.h"
#include "data/tables.h"
#include "data/view.h"
#include "masterdata/bancos.h"
#include "ui/list_window.h"

namespace fin::bench {
namespace {

constexpr int kBanks = 100000;

std::filesystem::path banksDir() {
  const auto dir = std::filesystem::temp_directory_path() / "finanzas-bench-banks";
  if (std::filesystem::exists(dir / "generated")) return dir;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  SilentPresenter p;
  Messages m(p);
  Context ctx(dir, m);
  TablesInUse open(ctx, {TableId::Bancos});
  FileAccess& f = ctx.file(TableId::Bancos);
  (void)f.beginBatch();
  for (int i = 0; i < kBanks; ++i) {
    f.buffer().clear();
    (void)f.buffer().setText(ban::NOMBRE, "Banco " + std::to_string(1000000 + i * 7919 % kBanks) +
                                              (i % 10 == 0 ? " del Sur" : " de Comercio"));
    (void)f.insert();
  }
  (void)f.commitBatch();
  std::ofstream(dir / "generated") << "ok\n";
  return dir;
}

ui::ListWindow* openBanks(Messages& messages) {
  if (!masterdata::StartBrowseBancos(banksDir(), messages)) return nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "BrowseBancos" && w->isVisible()) return qobject_cast<ui::ListWindow*>(w);
  return nullptr;
}

void closeAll() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible()) w->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_BrowseBancosOpen(benchmark::State& state) {
  banksDir();
  SilentPresenter p;
  Messages m(p);
  for (auto _ : state) {
    ui::ListWindow* w = openBanks(m);
    if (!w || w->model()->rowCount() == 0) state.SkipWithError("no first page");
    state.PauseTiming();
    closeAll();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BrowseBancosOpen)->Unit(benchmark::kMillisecond);

void BM_BrowseBancosJumpToEnd(benchmark::State& state) {
  SilentPresenter p;
  Messages m(p);
  ui::ListWindow* w = openBanks(m);
  QWidget* list = w->findChild<QWidget*>("?BROWSE:1");
  for (auto _ : state) {
    QTest::keyClick(list, Qt::Key_End);
    if (w->firstOrdinal() + w->pageSize() < kBanks) state.SkipWithError("not at the end");
    state.PauseTiming();
    QTest::keyClick(list, Qt::Key_Home);
    state.ResumeTiming();
  }
  closeAll();
}
BENCHMARK(BM_BrowseBancosJumpToEnd)->Unit(benchmark::kMillisecond);

void BM_BrowseBancosFilter(benchmark::State& state) {
  SilentPresenter p;
  Messages m(p);
  ui::ListWindow* w = openBanks(m);
  QWidget* list = w->findChild<QWidget*>("?BROWSE:1");
  int64_t matches = 0;
  for (auto _ : state) {
    // Ctrl+T, then "sur" and "Siguiente" in the search window.
    QTimer::singleShot(0, [] {
      QWidget* find = QApplication::activeModalWidget();
      auto* value = find->findChild<QLineEdit*>("?SEARCHVALUE");
      value->setText("sur");
      find->findChild<QPushButton*>("?FINDNEXT")->click();
    });
    QTest::keyClick(list, Qt::Key_T, Qt::ControlModifier);
    matches = w->view().count();
  }
  state.counters["matches"] = static_cast<double>(matches);
  if (matches != kBanks / 10) state.SkipWithError("wrong number of matches");
  closeAll();
}
BENCHMARK(BM_BrowseBancosFilter)->Unit(benchmark::kMillisecond);

// The "Suma:" of a category list: the sum of CIN:TOTALINGRESOS over the
// whole view, as every reload of BrowseCateIngr computes it.
void BM_CategorySum(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() / "finanzas-bench-categories";
  SilentPresenter p;
  Messages m(p);
  if (!std::filesystem::exists(dir / "generated")) {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    Context ctx(dir, m);
    TablesInUse open(ctx, {TableId::CateIngr});
    FileAccess& f = ctx.file(TableId::CateIngr);
    (void)f.beginBatch();
    for (int i = 0; i < 100000; ++i) {
      f.buffer().clear();
      (void)f.buffer().setText(cin::DESCRIPCION, "Categoría " + std::to_string(i));
      (void)f.buffer().setDecimal(cin::TOTALINGRESOS, 1000 + i % 997 * 13);
      (void)f.insert();
    }
    (void)f.commitBatch();
    std::ofstream(dir / "generated") << "ok\n";
  }
  Context ctx(dir, m);
  TablesInUse open(ctx, {TableId::CateIngr});
  View view(ctx.file(TableId::CateIngr), cin::KEYDESCRIPCION);
  view.setSums({SumTerm{{{cin::TOTALINGRESOS.index, 1}}}});
  for (auto _ : state) {
    if (!view.reload()) state.SkipWithError("reload failed");
    benchmark::DoNotOptimize(view.sums()[0]);
  }
  state.counters["categories"] = static_cast<double>(view.count());
}
BENCHMARK(BM_CategorySum)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fin::bench
