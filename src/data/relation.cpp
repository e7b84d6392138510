#include "data/relation.h"

#include <algorithm>

#include "data/context.h"
#include "data/tables.h"

namespace fin {

Relation::Relation(FileAccess& file, Context& context) : file_(file), context_(context) {}

std::vector<TableId> Relation::group() const {
  std::vector<TableId> visited{file_.id()};
  for (size_t i = 0; i < visited.size(); ++i) {
    for (const RelationEntry& e : tableDef(visited[i]).relations)
      if (std::find(visited.begin(), visited.end(), e.other) == visited.end()) visited.push_back(e.other);
  }
  return visited;
}

void Relation::open() {
  for (TableId t : group()) context_.file(t).addUse();
}

void Relation::close() {
  for (TableId t : group()) context_.file(t).releaseUse();
}

}  // namespace fin
