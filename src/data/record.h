// The record buffer: a table's fixed record in its exact packed layout
// (texts in Windows-1252 padded with spaces, zero-ended texts, dates as day,
// month and 16-bit year, little-endian integers, packed decimals) plus the
// memo texts kept beside it.
//
// Typed accessors read and write one field. Writers refuse, and leave the
// buffer unchanged, a value that the field cannot hold: a text that is too
// long or has a character outside Windows-1252, a number beyond the field's
// range or digits. Nothing is ever cut or wrapped.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/date.h"
#include "data/schema.h"
#include "data/status.h"

namespace fin {

class Record {
 public:
  explicit Record(const TableDef& def);
  explicit Record(TableId table);

  const TableDef& def() const { return *def_; }
  TableId table() const { return def_->id; }

  // Blank texts, zero numbers and dates, empty memos.
  void clear();
  // Puts the table's initial values (OPE:TIPO "INGRESO", ...) into the buffer.
  void applyInitialValues();

  // --- typed access by field constant (`ope::FECHA`) ---
  std::string text(FieldId f) const { return text(index(f)); }
  Status setText(FieldId f, std::string_view utf8) { return setText(index(f), utf8); }
  Date date(FieldId f) const { return date(index(f)); }
  void setDate(FieldId f, Date d) { setDate(index(f), d); }
  int64_t decimal(FieldId f) const { return number(index(f)); }
  Status setDecimal(FieldId f, int64_t scaled) { return setNumber(index(f), scaled); }
  int64_t integer(FieldId f) const { return number(index(f)); }
  Status setInteger(FieldId f, int64_t v) { return setNumber(index(f), v); }

  // --- generic access by field index, used by the store and the evaluator ---
  // Text, zero-ended text or memo as UTF-8 without trailing spaces.
  std::string text(uint16_t field) const;
  // The same as Windows-1252 bytes, viewing the buffer (valid until it changes).
  std::string_view rawText(uint16_t field) const;
  Status setText(uint16_t field, std::string_view utf8);
  Status setRawText(uint16_t field, std::string_view cp1252);
  Date date(uint16_t field) const;
  void setDate(uint16_t field, Date d);
  // Int32, Int16, Byte, Decimal (in units of its last place) and Date (its stored form).
  int64_t number(uint16_t field) const;
  Status setNumber(uint16_t field, int64_t value);
  // Blank text, or zero number or date.
  bool isEmpty(uint16_t field) const;

  std::span<const uint8_t> bytes() const { return bytes_; }
  const std::vector<std::string>& memos() const { return memos_; }

  friend bool operator==(const Record& a, const Record& b) {
    return a.def_ == b.def_ && a.bytes_ == b.bytes_ && a.memos_ == b.memos_;
  }

 private:
  uint16_t index(FieldId f) const;
  Status refuse(uint16_t field, const std::string& why) const;
  Status tooLong(uint16_t field) const;

  const TableDef* def_;
  std::vector<uint8_t> bytes_;
  std::vector<std::string> memos_;  // Windows-1252
};

}  // namespace fin
