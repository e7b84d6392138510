// The relation object of one table: it wraps the table's access object,
// knows the tables related to it, opens and closes them together with it,
// and applies the relation rules to changes and deletions, which the access
// object then runs inside a transaction (2-second lock wait).
//
// Every relation of the system is "no action" on change and on delete, so
// applying the rules reads and writes no related record; the relation list
// decides only which tables open together.
#pragma once

#include <span>

#include "data/file_access.h"
#include "data/schema.h"
#include "data/status.h"

namespace fin {

class Context;

class Relation {
 public:
  Relation(FileAccess& file, Context& context);

  FileAccess& file() { return file_; }
  TableId id() const { return file_.id(); }

  // Declares a use of this table and of every table reachable through the
  // relation lists, each once (Operacio opens its group of seven).
  void open();
  // Releases what open() declared; a file closes when its use count is 0.
  void close();

  // Changes and deletions through the relation rules, in a transaction.
  Status update() { return file_.update(); }
  Status remove() { return file_.remove(); }

  // The tables that open together with this one, this one first.
  std::vector<TableId> group() const;

 private:
  FileAccess& file_;
  Context& context_;
};

}  // namespace fin
