#include "data/context.h"

#include "data/tables.h"

namespace fin {

Context::Context(std::filesystem::path dataDir, Messages& messages)
    : dataDir_(std::move(dataDir)), messages_(messages) {
  for (TableId id : initialisationOrder()) {
    const auto i = static_cast<size_t>(id);
    files_[i] = std::make_unique<FileAccess>(tableDef(id), dataDir_, messages_);
    relations_[i] = std::make_unique<Relation>(*files_[i], *this);
  }
}

// Releases in the reverse order, closing whatever is still open.
Context::~Context() {
  auto order = initialisationOrder();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const auto i = static_cast<size_t>(*it);
    while (files_[i]->useCount() > 0) files_[i]->releaseUse();
    relations_[i].reset();
    files_[i].reset();
  }
}

TablesInUse::TablesInUse(Context& context, std::initializer_list<TableId> tables)
    : TablesInUse(context, std::vector<TableId>(tables)) {}

TablesInUse::TablesInUse(Context& context, std::vector<TableId> tables)
    : context_(context), tables_(std::move(tables)) {
  for (TableId t : tables_) context_.relation(t).open();
}

TablesInUse::~TablesInUse() {
  for (auto it = tables_.rbegin(); it != tables_.rend(); ++it) context_.relation(*it).close();
}

}  // namespace fin
