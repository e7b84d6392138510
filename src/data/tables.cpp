#include "data/tables.h"

#include <array>
#include <cctype>

namespace fin {
namespace {

struct FieldSpec {
  std::string_view name;
  FieldType type;
  uint16_t size;
  uint8_t places;
};

struct KeySpec {
  std::string_view name;
  std::string_view messageName;
  uint8_t flags;
  uint16_t field;
  bool descending;
};

// What differs from table to table besides fields and keys.
struct TableExtras {
  std::string_view diskName;
  std::vector<std::pair<std::string_view, std::string_view>> memoNames;  // field, name
  std::vector<std::pair<std::string_view, std::string_view>> initialValues;  // field, value
  std::vector<RelationEntry> relations;
  bool seeded = false;
};

uint16_t fixedBytes(const FieldSpec& f) {
  switch (f.type) {
    case FieldType::Text:
    case FieldType::CString: return f.size;
    case FieldType::Date:
    case FieldType::Int32: return 4;
    case FieldType::Int16: return 2;
    case FieldType::Byte: return 1;
    case FieldType::Decimal: return static_cast<uint16_t>(f.size / 2 + 1);
    case FieldType::Memo: return 0;
  }
  return 0;
}

TableDef build(TableId id, std::string_view label, std::string_view prefix, std::vector<FieldSpec> fields,
               std::vector<KeySpec> keys, TableExtras extras) {
  TableDef t;
  t.id = id;
  t.label = label;
  t.prefix = prefix;
  t.diskName = extras.diskName;
  t.relations = std::move(extras.relations);
  t.seededWithOneRecord = extras.seeded;
  uint16_t offset = 0;
  for (const FieldSpec& f : fields) {
    FieldDef d{f.name, f.type, f.size, f.places, 0, fixedBytes(f), 0, {}};
    if (f.type == FieldType::Memo) {
      d.memoSlot = t.memoCount++;
      for (auto& [field, name] : extras.memoNames)
        if (field == f.name) d.knownAs = name;
    } else {
      d.offset = offset;
      offset = static_cast<uint16_t>(offset + d.bytes);
    }
    t.fields.push_back(d);
  }
  t.recordSize = offset;
  for (const KeySpec& k : keys) t.keys.push_back(KeyDef{k.name, k.messageName, k.flags, {{k.field, k.descending}}});
  for (auto& [field, value] : extras.initialValues)
    t.initialValues.push_back(InitialValue{static_cast<uint16_t>(t.findField(field)), value});
  return t;
}

#define FIN_FIELD_SPEC(name, type, size, places) FieldSpec{#name, FieldType::type, size, places},
#define FIN_KEY_SPEC(name, message, flags, field, descending) \
  KeySpec{#name, message, static_cast<uint8_t>(flags), field_index::field, descending},
#define FIN_BUILD_TABLE(ns, prefix, id, FIELDS, KEYS)                                     \
  [] {                                                                                    \
    using namespace ns;                                                                   \
    return build(TableId::id, #id, prefix, {FIELDS(FIN_FIELD_SPEC)}, {KEYS(FIN_KEY_SPEC)}, \
                 extras(TableId::id));                                                    \
  }(),

TableExtras extras(TableId id) {
  using T = TableId;
  switch (id) {
    case T::Operacio:
      return {"kovar07.tps",
              {},
              {{"TIPO", "INGRESO"}, {"FORMA", "EFECTIVO"}},
              {{T::CateEgre, true}, {T::CateIngr, true}, {T::CuenBanc, true}, {T::Beneficiarios, true}}};
    case T::Deudores:
      return {"kovar06.tps", {{"DIRECCION", "deu:Direccion"}, {"NOTAS", "deu:Notas"}}, {}, {{T::cxc, false}}};
    case T::Acree:
      return {"kovar01.tps", {{"DIRECCION", "acr:Direccion"}, {"NOTAS", "acr:Notas"}}, {}, {{T::cxp, false}}};
    case T::cxc: return {"kovar04.tps", {}, {}, {{T::Deudores, true}}};
    case T::cxp: return {"kovar05.tps", {}, {}, {{T::Acree, true}}};
    case T::CuenBanc:
      return {"kovar03.tps",
              {{"NOTAS", "cba:Notas"}},
              {},
              {{T::Bancos, true}, {T::Operacio, false}, {T::TipoCban, true}}};
    case T::Bancos: return {"BANCOS", {{"NOTAS", "ban:Notas"}}, {}, {{T::CuenBanc, false}}};
    case T::TipoCban: return {"TIPOCBAN", {}, {}, {{T::CuenBanc, false}}};
    case T::CateIngr: return {"CATEINGR", {}, {}, {{T::Operacio, false}}};
    case T::CateEgre: return {"CATEEGRE", {}, {}, {{T::Operacio, false}}};
    case T::Beneficiarios: return {"kovar02.tps", {{"NOTAS", "ben:Notas"}}, {}, {{T::Operacio, false}}};
    case T::configur: return {"kovar001.tps", {}, {}, {}, true};
    case T::GrafIngresosCateg: return {"GRAFINGR", {}, {}, {}};
    case T::Default:
      return {"qz000021.tps",
              {},
              {{"COMBUSTIBLE", "GASOLINA"}, {"UM", "LITROS"}, {"UD", "KILOMETROS"}, {"UNIDADCARGA", "Litros"}},
              {}};
    case T::Lineas: return {"LINEAS", {}, {}, {}};
    case T::Colorsis: return {"qz000015.tps", {}, {}, {}};
  }
  return {};
}

const std::vector<TableDef>& definitions() {
  static const std::vector<TableDef> all = {FIN_TABLES(FIN_BUILD_TABLE)};
  return all;
}

constexpr std::array<TableId, kTableCount> kInitialisationOrder = {
    TableId::CateEgre, TableId::CateIngr,      TableId::Bancos,   TableId::CuenBanc,
    TableId::TipoCban, TableId::Beneficiarios, TableId::Acree,    TableId::cxp,
    TableId::cxc,      TableId::Deudores,      TableId::Operacio, TableId::configur,
    TableId::Colorsis, TableId::GrafIngresosCateg, TableId::Lineas, TableId::Default};

const std::vector<LinkDef>& linkDefinitions() {
  static const std::vector<LinkDef> all = {
      {TableId::Deudores, TableId::cxc, cxc::KEYDEUDOR, deu::NOMBRE, cxc::DEUDOR, LinkRule::NoAction, LinkRule::NoAction},
      {TableId::Acree, TableId::cxp, cxp::KEYACREEDOR, acr::NOMBRE, cxp::ACREEDOR, LinkRule::NoAction, LinkRule::NoAction},
      {TableId::Beneficiarios, TableId::Operacio, ope::KEYBENEFICIARIO, ben::NOMBRE, ope::BENEFICIARIO,
       LinkRule::NoAction, LinkRule::NoAction},
      {TableId::TipoCban, TableId::CuenBanc, cba::KEYTIPO, tcb::DESCRIPCION, cba::TIPO, LinkRule::NoAction,
       LinkRule::NoAction},
      {TableId::Bancos, TableId::CuenBanc, cba::KEYBANCO, ban::NOMBRE, cba::BANCO, LinkRule::NoAction,
       LinkRule::NoAction},
      {TableId::CuenBanc, TableId::Operacio, ope::KEYINGRESOCUENTA, cba::NUMERO, ope::INGRESOCUENTA,
       LinkRule::NoAction, LinkRule::NoAction},
      {TableId::CateIngr, TableId::Operacio, ope::KEYCATING, cin::DESCRIPCION, ope::CATING, LinkRule::NoAction,
       LinkRule::NoAction},
      {TableId::CateEgre, TableId::Operacio, ope::KEYCATEGR, ceg::DESCRIPCION, ope::CATEGR, LinkRule::NoAction,
       LinkRule::NoAction},
  };
  return all;
}

}  // namespace

bool namesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

int TableDef::findField(std::string_view name) const {
  const size_t colon = name.find(':');
  if (colon != std::string_view::npos) {
    if (!namesEqual(name.substr(0, colon), prefix)) return -1;
    name = name.substr(colon + 1);
  }
  for (size_t i = 0; i < fields.size(); ++i)
    if (namesEqual(fields[i].name, name)) return static_cast<int>(i);
  return -1;
}

int TableDef::findKey(std::string_view name) const {
  for (size_t i = 0; i < keys.size(); ++i)
    if (namesEqual(keys[i].name, name) || namesEqual(keys[i].messageName, name)) return static_cast<int>(i);
  return -1;
}

std::string TableDef::qualifiedName(uint16_t field) const {
  return std::string(prefix) + ":" + std::string(fields[field].name);
}

const TableDef& tableDef(TableId id) { return definitions()[static_cast<size_t>(id)]; }

std::span<const TableDef> allTables() { return definitions(); }

const TableDef* findTable(std::string_view name) {
  for (const TableDef& t : definitions())
    if (namesEqual(t.label, name) || namesEqual(t.prefix, name)) return &t;
  return nullptr;
}

std::span<const TableId> initialisationOrder() { return kInitialisationOrder; }

std::span<const LinkDef> links() { return linkDefinitions(); }

}  // namespace fin
