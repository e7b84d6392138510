#include "data/record.h"

#include <cassert>
#include <cstring>
#include <limits>

#include "data/cp1252.h"
#include "data/decimal.h"
#include "data/tables.h"

namespace fin {
namespace {

uint32_t readLe(const uint8_t* p, size_t n) {
  uint32_t v = 0;
  for (size_t i = 0; i < n; ++i) v |= static_cast<uint32_t>(p[i]) << (8 * i);
  return v;
}

void writeLe(uint8_t* p, size_t n, uint32_t v) {
  for (size_t i = 0; i < n; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

std::string_view trimRight(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && s[n - 1] == ' ') --n;
  return s.substr(0, n);
}

}  // namespace

Record::Record(const TableDef& def) : def_(&def), bytes_(def.recordSize), memos_(def.memoCount) { clear(); }

Record::Record(TableId table) : Record(tableDef(table)) {}

uint16_t Record::index(FieldId f) const {
  assert(f.table == def_->id && "field of another table");
  return f.index;
}

void Record::clear() {
  for (const FieldDef& f : def_->fields) {
    if (f.isMemo()) continue;
    std::memset(bytes_.data() + f.offset, f.type == FieldType::Text ? ' ' : 0, f.bytes);
  }
  for (std::string& m : memos_) m.clear();
}

void Record::applyInitialValues() {
  for (const InitialValue& v : def_->initialValues) {
    Status s = setText(v.field, v.text);
    assert(s.isOk() && "initial values fit their fields");
    (void)s;
  }
}

Status Record::refuse(uint16_t field, const std::string& why) const {
  return Status::error(Code::Invalid, def_->qualifiedName(field) + ": " + why);
}

Status Record::tooLong(uint16_t field) const {
  return refuse(field, "el texto excede los " + std::to_string(def_->field(field).capacity()) +
                           " caracteres que admite el campo");
}

std::string_view Record::rawText(uint16_t field) const {
  const FieldDef& f = def_->field(field);
  if (f.isMemo()) return memos_[f.memoSlot];
  std::string_view all(reinterpret_cast<const char*>(bytes_.data() + f.offset), f.bytes);
  if (f.type == FieldType::CString) return all.substr(0, all.find('\0'));
  return trimRight(all);
}

std::string Record::text(uint16_t field) const { return cp1252::toUtf8(rawText(field)); }

Status Record::setRawText(uint16_t field, std::string_view value) {
  const FieldDef& f = def_->field(field);
  if (!f.isText()) return refuse(field, "no es un campo de texto");
  if (f.type != FieldType::CString) value = trimRight(value);
  if (value.size() > f.capacity()) return tooLong(field);
  if (value.find('\0') != std::string_view::npos) return refuse(field, "el texto contiene un carácter nulo");
  if (f.isMemo()) {
    memos_[f.memoSlot].assign(value);
    return Status::ok();
  }
  uint8_t* p = bytes_.data() + f.offset;
  std::memcpy(p, value.data(), value.size());
  std::memset(p + value.size(), f.type == FieldType::Text ? ' ' : 0, f.bytes - value.size());
  return Status::ok();
}

Status Record::setText(uint16_t field, std::string_view utf8) {
  // Converted into a local buffer: this runs for every text of every row read.
  const FieldDef& f = def_->field(field);
  if (!f.isText()) return refuse(field, "no es un campo de texto");
  if (f.type != FieldType::CString) utf8 = trimRight(utf8);
  char converted[256];
  size_t n = 0;
  for (size_t pos = 0; pos < utf8.size();) {
    if (n >= sizeof converted) return tooLong(field);
    const auto lead = static_cast<uint8_t>(utf8[pos]);
    if (lead < 0x80) {
      converted[n++] = static_cast<char>(lead);
      ++pos;
      continue;
    }
    auto cp = cp1252::nextCodePoint(utf8, pos);
    auto byte = cp ? cp1252::fromUnicode(*cp) : std::nullopt;
    if (!byte) return refuse(field, "el texto tiene caracteres que no admite Windows-1252");
    converted[n++] = static_cast<char>(*byte);
  }
  return setRawText(field, std::string_view(converted, n));
}

Date Record::date(uint16_t field) const {
  return Date::fromStored(static_cast<uint32_t>(number(field))).value_or(Date());
}

void Record::setDate(uint16_t field, Date d) {
  const FieldDef& f = def_->field(field);
  assert(f.type == FieldType::Date);
  writeLe(bytes_.data() + f.offset, 4, d.stored());
}

int64_t Record::number(uint16_t field) const {
  const FieldDef& f = def_->field(field);
  const uint8_t* p = bytes_.data() + f.offset;
  switch (f.type) {
    case FieldType::Int32: return static_cast<int32_t>(readLe(p, 4));
    case FieldType::Int16: return static_cast<int16_t>(readLe(p, 2));
    case FieldType::Byte: return p[0];
    case FieldType::Date: return readLe(p, 4);
    case FieldType::Decimal: return decimal::decode({p, f.bytes}, f.size);
    default: assert(false && "not a number field"); return 0;
  }
}

Status Record::setNumber(uint16_t field, int64_t v) {
  const FieldDef& f = def_->field(field);
  uint8_t* p = bytes_.data() + f.offset;
  auto outOfRange = [&] { return refuse(field, "el valor " + std::to_string(v) + " está fuera del rango del campo"); };
  switch (f.type) {
    case FieldType::Int32:
      if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max()) return outOfRange();
      writeLe(p, 4, static_cast<uint32_t>(v));
      return Status::ok();
    case FieldType::Int16:
      if (v < std::numeric_limits<int16_t>::min() || v > std::numeric_limits<int16_t>::max()) return outOfRange();
      writeLe(p, 2, static_cast<uint32_t>(v));
      return Status::ok();
    case FieldType::Byte:
      if (v < 0 || v > 255) return outOfRange();
      p[0] = static_cast<uint8_t>(v);
      return Status::ok();
    case FieldType::Date: {
      if (v < 0 || v > std::numeric_limits<uint32_t>::max()) return outOfRange();
      auto d = Date::fromStored(static_cast<uint32_t>(v));
      if (!d) return refuse(field, "la fecha " + std::to_string(v) + " no existe");
      writeLe(p, 4, d->stored());
      return Status::ok();
    }
    case FieldType::Decimal:
      if (!decimal::encode(v, f.size, {p, f.bytes}))
        return refuse(field, "el valor " + decimal::toPlainText(v, f.places) + " excede los " +
                                 std::to_string(f.size) + " dígitos del campo");
      return Status::ok();
    default: return refuse(field, "no es un campo numérico");
  }
}

bool Record::isEmpty(uint16_t field) const {
  const FieldDef& f = def_->field(field);
  if (f.isText()) return rawText(field).empty();
  return number(field) == 0;
}

}  // namespace fin
