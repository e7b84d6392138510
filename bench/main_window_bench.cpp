// The main window over the generated register of 1,000,000 operations:
// opening with its first page and its three totals, the jump to the end,
// a Ctrl+T filter over the million, and the resident memory.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "bench_register.h"
#include "data/context.h"
#include "ledger/browse_operacio.h"

namespace fin::bench {
namespace {

// Resident memory of this process, in MiB.
double residentMiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  return 0;
}

struct Session {
  Session() : dir(registerDir()), messages(presenter), ctx(dir, messages) {}
  std::filesystem::path dir;
  SilentPresenter presenter;
  Messages messages;
  Context ctx;
};

void BM_MainWindowOpen(benchmark::State& state) {
  Session s;
  double rss = 0;
  for (auto _ : state) {
    ledger::MainWindow w(s.ctx);
    if (!w.open(ui::Request::None) || w.model()->rowCount() == 0) state.SkipWithError("no first page");
    w.show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(w.totals());
    state.PauseTiming();
    rss = std::max(rss, residentMiB());
    w.hide();
    state.ResumeTiming();
  }
  state.counters["rss_MiB"] = rss;
}
BENCHMARK(BM_MainWindowOpen)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MainWindowJumpToEnd(benchmark::State& state) {
  Session s;
  ledger::MainWindow w(s.ctx);
  (void)w.open(ui::Request::None);
  w.show();
  QWidget* list = w.findChild<QWidget*>("?BROWSE:1");
  for (auto _ : state) {
    QTest::keyClick(list, Qt::Key_End);
    if (w.firstOrdinal() + w.pageSize() < w.view().count()) state.SkipWithError("not at the end");
    state.PauseTiming();
    QTest::keyClick(list, Qt::Key_Home);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MainWindowJumpToEnd)->Unit(benchmark::kMillisecond);

// Ctrl+T with "*súper*" in the Concepto column and "Siguiente": about one in
// seven operations matches; the totals follow the filter.
void BM_MainWindowFilter(benchmark::State& state) {
  Session s;
  ledger::MainWindow w(s.ctx);
  (void)w.open(ui::Request::None);
  w.show();
  QWidget* list = w.findChild<QWidget*>("?BROWSE:1");
  double rss = 0;
  for (auto _ : state) {
    QTimer::singleShot(0, [] {
      QWidget* find = QApplication::activeModalWidget();
      auto* fields = find->findChild<QComboBox*>("?SEARCHFIELDS");
      fields->setCurrentIndex(fields->findText("Concepto"));
      find->findChild<QLineEdit*>("?SEARCHVALUE")->setText(QString::fromUtf8("*súper*"));
      find->findChild<QPushButton*>("?FINDNEXT")->click();
    });
    QTest::keyClick(list, Qt::Key_T, Qt::ControlModifier);
    state.PauseTiming();
    rss = std::max(rss, residentMiB());
    state.ResumeTiming();
  }
  state.counters["matches"] = static_cast<double>(w.view().count());
  state.counters["rss_MiB"] = rss;
}
BENCHMARK(BM_MainWindowFilter)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace fin::bench
