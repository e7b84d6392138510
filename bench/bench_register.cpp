#include "bench_register.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "data/context.h"
#include "data/demo_register.h"

namespace fin::bench {

Status generateRegister(const std::filesystem::path& dir, int64_t operations, int64_t receivables) {
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  SilentPresenter presenter;
  Messages messages(presenter);
  Context ctx(dir, messages);
  DemoSize size;
  size.operations = operations;
  size.receivables = receivables;
  size.payables = receivables / 2;
  size.years = 10;
  return generateDemoRegister(ctx, size);
}

std::filesystem::path registerDir(int64_t operations, int64_t receivables) {
  std::filesystem::path dir;
  if (const char* env = std::getenv("FINANZAS_BENCH_DIR"))
    dir = env;
  else
    dir = std::filesystem::temp_directory_path() / ("finanzas-bench-" + std::to_string(operations));
  const auto done = dir / "generated";
  if (std::filesystem::exists(done)) return dir;
  std::fprintf(stderr, "generating %lld operations in %s ...\n", static_cast<long long>(operations), dir.c_str());
  if (!generateRegister(dir, operations, receivables)) {
    std::fprintf(stderr, "generation failed\n");
    std::exit(1);
  }
  std::ofstream(done) << "ok\n";
  return dir;
}

}  // namespace fin::bench
