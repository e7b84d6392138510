// The generated register the benchmarks run on: 1,000,000 operations and
// 100,000 receivable documents, generated once into a directory that is kept
// between runs (FINANZAS_BENCH_DIR, or /tmp/finanzas-bench-<operations>).
#pragma once

#include <filesystem>

#include "data/messages.h"
#include "data/status.h"

namespace fin::bench {

inline constexpr int64_t kOperations = 1000000;
inline constexpr int64_t kReceivables = 100000;

// A presenter that shows nothing and counts what it was asked to show.
class SilentPresenter : public MessagePresenter {
 public:
  Button present(const MessageBoxSpec& box) override {
    ++shown;
    return box.defaultButton;
  }
  void endProgram() override {}
  int shown = 0;
};

// Generates the register into `dir` (emptied first): the operations over ten
// years, the receivable documents and half as many payable ones.
Status generateRegister(const std::filesystem::path& dir, int64_t operations, int64_t receivables);

// The directory of the generated register, generating it if needed.
std::filesystem::path registerDir(int64_t operations = kOperations, int64_t receivables = kReceivables);

}  // namespace fin::bench
