// Record values as the windows show them and read them back: through their
// display pictures. Money stays in hundredths until this edge.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "data/record.h"
#include "data/schema.h"
#include "data/tables.h"
#include "data/view.h"
#include "ui/picture.h"

namespace fin::ui {

// Where a shown value comes from: a field of the record, or a value computed
// from its fields (LOC:SALDO is CBA:DEBE minus CBA:HABER).
struct ValueSource {
  std::optional<uint16_t> field;
  SumTerm computed;
  int places = 2;

  static ValueSource of(FieldId f) { return ValueSource{f.index, {}, fieldDef(f).places}; }
  static ValueSource difference(FieldId a, FieldId b) {
    return ValueSource{std::nullopt, SumTerm{{{a.index, 1}, {b.index, -1}}}, fieldDef(a).places};
  }
  bool isText(const TableDef& def) const { return field && def.field(*field).isText(); }
  // The sum term that totals this value over a view.
  SumTerm term() const { return field ? SumTerm{{{*field, 1}}} : computed; }
};

int64_t numberOf(const Record& r, const ValueSource& source);

// The value shown through `picture` (UTF-8).
std::string formatValue(const Record& r, const ValueSource& source, const Picture& picture);
std::string formatField(const Record& r, uint16_t field, const Picture& picture);

// Reads what the user typed into the field, through the picture. Returns
// false, leaving the record as it was, for input the picture or the field refuses.
bool parseIntoField(Record& r, uint16_t field, const Picture& picture, std::string_view typed);

// Money and numbers outside a record: `units` in units of 10^-places.
std::string formatNumber(int64_t units, int places, const Picture& picture);

}  // namespace fin::ui
