// The vocabulary in which the tables are described: field types, fields,
// keys, relations and table definitions. The sixteen definitions themselves
// are data, in tables.h / tables.cpp; everything else about a table (its SQL,
// its record layout, the names the evaluator and the messages know) is
// derived from them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fin {

enum class TableId : uint8_t {
  Operacio,
  Deudores,
  Acree,
  cxc,
  cxp,
  CuenBanc,
  Bancos,
  TipoCban,
  CateIngr,
  CateEgre,
  Beneficiarios,
  configur,
  GrafIngresosCateg,
  Default,
  Lineas,
  Colorsis,
};
inline constexpr size_t kTableCount = 16;

enum class FieldType : uint8_t {
  Text,      // text N: N characters padded with spaces
  CString,   // zero-ended text N: at most N-1 characters and a zero byte
  Date,      // 4 bytes: day, month, 16-bit year
  Int32,
  Int16,
  Byte,      // unsigned 8 bits
  Decimal,   // decimal D.P, packed, sign nibble
  Memo,      // up to 255 characters kept beside the fixed record
};

// A field of a table: the table and the field's position in its definition.
struct FieldId {
  TableId table;
  uint16_t index;
  friend constexpr bool operator==(FieldId, FieldId) = default;
};

// A key of a table: the table and the key's position in declaration order.
struct KeyId {
  TableId table;
  uint16_t index;
  friend constexpr bool operator==(KeyId, KeyId) = default;
};

struct FieldDef {
  std::string_view name;  // upper case, without prefix: "FECHA"
  FieldType type;
  uint16_t size;          // characters of a text, digits of a decimal
  uint8_t places;         // decimal places of a decimal
  uint16_t offset;        // byte offset in the fixed record (memos: 0)
  uint16_t bytes;         // bytes in the fixed record (memos: 0)
  uint16_t memoSlot;      // for a memo, its slot among the table's memos
  std::string_view knownAs;  // memo name made known to the evaluator ("deu:Notas")
  bool isText() const { return type == FieldType::Text || type == FieldType::CString || type == FieldType::Memo; }
  bool isMemo() const { return type == FieldType::Memo; }
  // Characters a text holds (a zero-ended text keeps one byte for its zero).
  uint16_t capacity() const { return type == FieldType::CString ? size - 1 : size; }
};

enum KeyFlag : uint8_t {
  kUnique = 1,
  kSkipEmpty = 2,
  kNoCase = 4,
  kAutoNumber = 8,
  kDuplicates = 0,  // the absence of kUnique, named for readability
};

struct KeyComponent {
  uint16_t field;
  bool descending;
};

struct KeyDef {
  std::string_view name;         // "KEYFECHA": also the SQL index name
  std::string_view messageName;  // "OPE:KeyFecha": what the messages show
  uint8_t flags;
  std::vector<KeyComponent> components;
  bool unique() const { return flags & kUnique; }
  bool skipsEmpty() const { return flags & kSkipEmpty; }
  bool caseInsensitive() const { return flags & kNoCase; }
  bool autoNumbered() const { return flags & kAutoNumber; }
};

struct InitialValue {
  uint16_t field;
  std::string_view text;
};

enum class LinkRule : uint8_t { NoAction };

// One parent-to-children link by equal text values through the child's key.
struct LinkDef {
  TableId parent;
  TableId child;
  KeyId childKey;
  FieldId parentField;
  FieldId childField;
  LinkRule onChange;
  LinkRule onDelete;
};

// An entry of a table's relation list: the other table and its role.
struct RelationEntry {
  TableId other;
  bool otherIsParent;
};

struct TableDef {
  TableId id;
  std::string_view label;     // "Operacio": also the SQL table name
  std::string_view prefix;    // "OPE"
  std::string_view diskName;  // "kovar07.tps": the file, and %File in messages
  uint16_t recordSize;        // bytes of the fixed record
  std::vector<FieldDef> fields;
  std::vector<KeyDef> keys;
  std::vector<InitialValue> initialValues;
  std::vector<RelationEntry> relations;
  // A table that must never be empty receives this record when created.
  bool seededWithOneRecord = false;
  uint16_t memoCount = 0;

  const FieldDef& field(uint16_t i) const { return fields[i]; }
  const KeyDef& key(uint16_t i) const { return keys[i]; }
  // Looks a field up by its name with or without prefix, in any letter case
  // ("ope:Fecha", "FECHA"); returns -1 when there is none.
  int findField(std::string_view name) const;
  // The key named, in any case, by its name ("KEYFECHA") or message name.
  int findKey(std::string_view name) const;
  // The field's prefixed name as messages write it: "OPE:FECHA".
  std::string qualifiedName(uint16_t field) const;
};

// Case-insensitive comparison of ASCII names.
bool namesEqual(std::string_view a, std::string_view b);

}  // namespace fin
