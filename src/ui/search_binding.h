// Binds search criteria to a list's records. A list names its searchable
// columns in a column list ("Nombre|@s40|ban:Nombre|": header, picture and
// field name of each column, each followed by "|"); a criterion built by the
// search window is turned here into a filter over the table's records.
//
// A text field is matched as stored; any other value (an amount, a date, a
// computed balance) is matched as its column shows it, through the column's
// picture, without the blanks that align it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/view.h"
#include "ui/field_text.h"

namespace fin::ui {

struct SearchColumn {
  std::string header;
  std::string picture;
  std::string name;  // "ban:Nombre", "loc:saldo"
};

// The columns of a column list (items beyond the last full triple are ignored).
std::vector<SearchColumn> parseSearchColumns(std::string_view list);

// A value known to the evaluator by name besides the table's fields.
struct NamedValue {
  std::string name;  // "loc:saldo"
  ValueSource source;
};

// The filter that evaluates `criterion` on records of `def`; nullopt when
// the criterion is malformed or names no field or value it knows.
std::optional<View::Filter> compileCriterion(std::string_view criterion, const TableDef& def,
                                             const std::vector<NamedValue>& named,
                                             const std::vector<SearchColumn>& columns);

}  // namespace fin::ui
