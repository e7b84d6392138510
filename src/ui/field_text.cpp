#include "ui/field_text.h"

namespace fin::ui {

int64_t numberOf(const Record& r, const ValueSource& source) {
  if (source.field) return r.number(*source.field);
  int64_t v = 0;
  for (auto [field, sign] : source.computed.fields) v += sign * r.number(field);
  return v;
}

std::string formatNumber(int64_t units, int places, const Picture& picture) {
  if (picture.kind() == Picture::Kind::Number || picture.kind() == Picture::Kind::Pattern)
    return picture.formatNumber(units, places);
  return Picture::parse("@n-15." + std::to_string(places))->formatNumber(units, places);
}

std::string formatField(const Record& r, uint16_t field, const Picture& picture) {
  const FieldDef& f = r.def().field(field);
  if (f.isText()) return picture.formatText(r.text(field));
  if (f.type == FieldType::Date) return picture.formatDate(r.date(field));
  return formatNumber(r.number(field), f.places, picture);
}

std::string formatValue(const Record& r, const ValueSource& source, const Picture& picture) {
  if (source.field) return formatField(r, *source.field, picture);
  return formatNumber(numberOf(r, source), source.places, picture);
}

bool parseIntoField(Record& r, uint16_t field, const Picture& picture, std::string_view typed) {
  const FieldDef& f = r.def().field(field);
  if (f.isText()) {
    if (picture.isText() && !picture.acceptsText(typed)) return false;
    return r.setText(field, typed).isOk();
  }
  if (f.type == FieldType::Date) {
    auto d = picture.parseDate(typed);
    if (!d) return false;
    r.setDate(field, *d);
    return true;
  }
  auto v = picture.parseNumber(typed, f.places);
  return v && r.setNumber(field, *v).isOk();
}

}  // namespace fin::ui
