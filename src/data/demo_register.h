// A demonstration register: catalogues, debtors and creditors with their
// documents, and a number of operations spread over several years, written
// through the store. For trying the program and for the benchmarks.
#pragma once

#include <cstdint>
#include <functional>

#include "data/context.h"
#include "data/date.h"
#include "data/status.h"

namespace fin {

struct DemoSize {
  int64_t operations = 1000;
  int64_t receivables = 100;  // cxc documents
  int64_t payables = 50;      // cxp documents
  int years = 5;              // the operations end on `lastDay`, this many years after they start
  Date lastDay = *Date::fromYmd(2026, 12, 31);
  uint64_t seed = 42;
};

// Adds the demo records to the tables of `context` (which must be able to
// open them). Operations are numbered after the highest existing number.
// `progress`, when given, receives the operations written so far.
Status generateDemoRegister(Context& context, const DemoSize& size,
                            const std::function<void(int64_t)>& progress = {});

}  // namespace fin
