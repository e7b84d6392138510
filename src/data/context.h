// A data context: one set of the sixteen tables' access and relation
// objects, each with its own record buffer, use count and open state. The
// main window's chain of windows shares one context; a window that runs on
// its own gets a context of its own, so no window ever sees another's
// buffers. What one context stores is visible to the others once written.
//
// A context is not thread-safe; use each one from a single thread.
#pragma once

#include <array>
#include <filesystem>
#include <initializer_list>
#include <memory>

#include "data/file_access.h"
#include "data/messages.h"
#include "data/relation.h"
#include "data/schema.h"

namespace fin {

class Context {
 public:
  // No file is opened here: each opens at its first real use.
  Context(std::filesystem::path dataDir, Messages& messages);
  ~Context();
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  FileAccess& file(TableId id) { return *files_[static_cast<size_t>(id)]; }
  Relation& relation(TableId id) { return *relations_[static_cast<size_t>(id)]; }
  Record& buffer(TableId id) { return file(id).buffer(); }
  Messages& messages() { return messages_; }
  const std::filesystem::path& dataDir() const { return dataDir_; }

 private:
  std::filesystem::path dataDir_;
  Messages& messages_;
  std::array<std::unique_ptr<FileAccess>, kTableCount> files_;
  std::array<std::unique_ptr<Relation>, kTableCount> relations_;
};

// Opens tables through their relation objects for the life of a scope, as a
// window does for the tables it needs, and closes them at its end.
class TablesInUse {
 public:
  TablesInUse(Context& context, std::initializer_list<TableId> tables);
  TablesInUse(Context& context, std::vector<TableId> tables);
  ~TablesInUse();
  TablesInUse(const TablesInUse&) = delete;
  TablesInUse& operator=(const TablesInUse&) = delete;

 private:
  Context& context_;
  std::vector<TableId> tables_;
};

}  // namespace fin
