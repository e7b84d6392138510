#include "ui/search_binding.h"

#include "data/cp1252.h"
#include "data/criterion.h"

namespace fin::ui {

std::vector<SearchColumn> parseSearchColumns(std::string_view list) {
  std::vector<std::string> items;
  size_t start = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] != '|') continue;
    items.emplace_back(list.substr(start, i - start));
    start = i + 1;
  }
  if (start < list.size()) items.emplace_back(list.substr(start));
  std::vector<SearchColumn> columns;
  for (size_t i = 0; i + 2 < items.size(); i += 3) columns.push_back({items[i], items[i + 1], items[i + 2]});
  return columns;
}

std::optional<View::Filter> compileCriterion(std::string_view text, const TableDef& def,
                                             const std::vector<NamedValue>& named,
                                             const std::vector<SearchColumn>& columns) {
  auto criterion = Criterion::parse(text);
  if (!criterion) return std::nullopt;
  auto pattern = cp1252::fromUtf8(criterion->pattern());
  if (!pattern) return View::Filter([](const Record&) { return false; });  // no stored text can match it

  std::optional<ValueSource> source;
  const int field = def.findField(criterion->name());
  if (field >= 0) source = ValueSource{static_cast<uint16_t>(field), {}, def.field(field).places};
  for (const NamedValue& n : named)
    if (namesEqual(n.name, criterion->name())) source = n.source;
  if (!source) return std::nullopt;

  if (source->isText(def)) {
    const uint16_t f = *source->field;
    return View::Filter([f, p = *pattern](const Record& r) { return wildcardMatch(r.rawText(f), p); });
  }
  std::optional<Picture> picture;
  for (const SearchColumn& c : columns)
    if (namesEqual(c.name, criterion->name())) picture = Picture::parse(c.picture);
  if (!picture) {
    const bool isDate = source->field && def.field(*source->field).type == FieldType::Date;
    picture = Picture::parse(isDate ? "@d6" : "@n-15." + std::to_string(source->places));
  }
  return View::Filter([src = *source, pic = *picture, p = *pattern](const Record& r) {
    std::string shown = formatValue(r, src, pic);
    const size_t first = shown.find_first_not_of(' ');
    shown = first == std::string::npos ? std::string() : shown.substr(first);
    return wildcardMatch(cp1252::fromUtf8(shown).value_or(std::string()), p);
  });
}

}  // namespace fin::ui
