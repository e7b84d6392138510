// The sixteen table definitions against the layouts, keys and names of the
// system's data documentation: every record size, field offset, field type
// and key attribute.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "data/relation.h"
#include "data/context.h"
#include "data/tables.h"
#include "support/recording_presenter.h"
#include "support/temp_dir.h"

namespace fin {
namespace {

struct FieldLayout {
  const char* name;
  int offset;  // -1: a memo
  const char* type;
};
struct KeyLayout {
  const char* name;
  const char* component;
  bool descending;
  const char* attributes;
};
struct TableLayout {
  const char* label;
  const char* prefix;
  const char* file;
  int recordBytes;
  std::vector<FieldLayout> fields;
  std::vector<KeyLayout> keys;
};

const std::vector<TableLayout> kDocumented = {
    {"Operacio", "OPE", "kovar07.tps", 263,
     {{"ID", 0, "int32"}, {"FECHA", 4, "date"}, {"TIPO", 8, "text 7"}, {"FORMA", 15, "text 8"}, {"CONCEPTO", 23, "text 40"}, {"CATING", 63, "text 30"}, {"CATEGR", 93, "text 30"}, {"INGRESOCUENTA", 123, "text 30"}, {"ABONOCXC", 153, "text 20"}, {"ABONOCXP", 173, "text 20"}, {"INGRESO", 193, "decimal 9.2"}, {"EGRESO", 198, "decimal 9.2"}, {"BENEFICIARIO", 203, "text 30"}, {"CUENTABANCARIAEGRESOS", 233, "text 10"}, {"COMPROBANTEGASTOS", 243, "text 10"}, {"COMPROBANTEINGRESOS", 253, "text 10"}},
     {{"KEYCUENTAEGRESOS", "CUENTABANCARIAEGRESOS", false, "duplicates, skips empty, case-insensitive"}, {"KEYFECHA", "FECHA", false, "duplicates, skips empty, case-insensitive"}, {"KEYBENEFICIARIO", "BENEFICIARIO", false, "duplicates, skips empty, case-insensitive"}, {"KEYID", "ID", false, "unique, skips empty, case-insensitive; numbered automatically"}, {"KEYCATING", "CATING", false, "duplicates, case-insensitive"}, {"KEYCATEGR", "CATEGR", false, "duplicates, case-insensitive"}, {"KEYINGRESOCUENTA", "INGRESOCUENTA", false, "duplicates, case-insensitive"}}},
    {"Deudores", "DEU", "kovar06.tps", 142,
     {{"NOMBRE", 0, "text 40"}, {"TELEFONOS", 40, "text 30"}, {"EMAIL", 70, "text 60"}, {"DEBE", 130, "decimal 11.2"}, {"HABER", 136, "decimal 11.2"}, {"DIRECCION", -1, "memo 255"}, {"NOTAS", -1, "memo 255"}},
     {{"KEYNOMBRE", "NOMBRE", false, "unique, skips empty, case-insensitive"}}},
    {"Acree", "ACR", "kovar01.tps", 142,
     {{"NOMBRE", 0, "text 40"}, {"TELEFONOS", 40, "text 30"}, {"EMAIL", 70, "text 60"}, {"DEBE", 130, "decimal 11.2"}, {"HABER", 136, "decimal 11.2"}, {"DIRECCION", -1, "memo 255"}, {"NOTAS", -1, "memo 255"}},
     {{"KEYNOMBRE", "NOMBRE", false, "unique, skips empty, case-insensitive"}}},
    {"cxc", "CXC", "kovar04.tps", 374,
     {{"REFERENCIA", 0, "text 20"}, {"DEUDOR", 20, "text 30"}, {"FECHA", 50, "date"}, {"VENCIMIENTO", 54, "date"}, {"NOFACTURA", 58, "text 10"}, {"CONCEPTO", 68, "text 40"}, {"IMPORTE", 108, "decimal 9.2"}, {"ABONOS", 113, "decimal 11.2"}, {"NOTAS", 119, "text 255"}},
     {{"KEYREFERENCIA", "REFERENCIA", false, "unique, skips empty, case-insensitive"}, {"KEYDEUDOR", "DEUDOR", false, "duplicates, case-insensitive"}, {"KEYFECHA", "FECHA", false, "duplicates, case-insensitive"}}},
    {"cxp", "CXP", "kovar05.tps", 374,
     {{"REFERENCIA", 0, "text 20"}, {"ACREEDOR", 20, "text 30"}, {"FECHA", 50, "date"}, {"VENCIMIENTO", 54, "date"}, {"NOFACTURA", 58, "text 10"}, {"CONCEPTO", 68, "text 40"}, {"IMPORTE", 108, "decimal 9.2"}, {"ABONOS", 113, "decimal 11.2"}, {"NOTAS", 119, "text 255"}},
     {{"KEYREFERENCIA", "REFERENCIA", false, "unique, skips empty, case-insensitive"}, {"KEYACREEDOR", "ACREEDOR", false, "duplicates, case-insensitive"}, {"KEYFECHA", "FECHA", false, "duplicates, case-insensitive"}}},
    {"CuenBanc", "CBA", "kovar03.tps", 87,
     {{"NUMERO", 0, "text 15"}, {"BANCO", 15, "text 30"}, {"TIPO", 45, "text 30"}, {"DEBE", 75, "decimal 11.2"}, {"HABER", 81, "decimal 11.2"}, {"NOTAS", -1, "memo 255"}},
     {{"KEYNUMERO", "NUMERO", false, "unique, skips empty, case-insensitive"}, {"KEYBANCO", "BANCO", false, "duplicates, case-insensitive"}, {"KEYTIPO", "TIPO", false, "duplicates, case-insensitive"}}},
    {"Bancos", "BAN", "BANCOS", 40,
     {{"NOMBRE", 0, "text 40"}, {"NOTAS", -1, "memo 255"}},
     {{"KEYNOMBRE", "NOMBRE", false, "unique, skips empty, case-insensitive"}}},
    {"TipoCban", "TCB", "TIPOCBAN", 30,
     {{"DESCRIPCION", 0, "text 30"}},
     {{"KEYDESCRIPCION", "DESCRIPCION", false, "unique, skips empty, case-insensitive"}}},
    {"CateIngr", "CIN", "CATEINGR", 36,
     {{"DESCRIPCION", 0, "text 30"}, {"TOTALINGRESOS", 30, "decimal 11.2"}},
     {{"KEYDESCRIPCION", "DESCRIPCION", false, "unique, skips empty, case-insensitive"}}},
    {"CateEgre", "CEG", "CATEEGRE", 36,
     {{"DESCRIPCION", 0, "text 30"}, {"TOTALEGRESOS", 30, "decimal 11.2"}},
     {{"KEYDESCRIPCION", "DESCRIPCION", false, "unique, skips empty, case-insensitive"}}},
    {"Beneficiarios", "BEN", "kovar02.tps", 40,
     {{"NOMBRE", 0, "text 40"}, {"NOTAS", -1, "memo 255"}},
     {{"KEYNOMBRE", "NOMBRE", false, "unique, skips empty, case-insensitive"}}},
    {"configur", "CFG", "kovar001.tps", 73,
     {{"NOMBRE", 0, "text 60"}, {"FECHA", 60, "date"}, {"CONTRASENA", 64, "text 8"}, {"INICIADO", 72, "byte"}},
     {{"KEYNOMBRE", "NOMBRE", false, "unique, skips empty, case-insensitive"}}},
    {"GrafIngresosCateg", "GIC", "GRAFINGR", 35,
     {{"CATEGORIA", 0, "text 30"}, {"TOTAL", 30, "decimal 9.2"}},
     {{"KEYTOTAL", "TOTAL", true, "duplicates, skips empty, case-insensitive"}, {"KEYCATEGORIA", "CATEGORIA", false, "unique, skips empty, case-insensitive"}}},
    {"Default", "DEF", "qz000021.tps", 294,
     {{"ID", 0, "decimal 1.0"}, {"ESTACION", 1, "text 10"}, {"COMBUSTIBLE", 11, "text 8"}, {"GASOLINA", 19, "text 20"}, {"UM", 39, "text 7"}, {"UD", 46, "text 10"}, {"UNIDADCARGA", 56, "zero-ended text 8"}, {"FECHAACTUAL", 64, "date"}, {"CCIUDAD", 68, "text 40"}, {"CZONA", 108, "zero-ended text 41"}, {"CCATEGORIA", 149, "zero-ended text 41"}, {"CLIMITECREDITO", 190, "zero-ended text 41"}, {"CPLAZO", 231, "int16"}, {"CCREDITO", 233, "decimal 7.2"}, {"CCREDITOEXCEDIDO", 237, "byte"}, {"CDESCUENTO", 238, "byte"}, {"CPAGOTARJETA", 239, "byte"}, {"CPAGOCHEQUE", 240, "byte"}, {"PFFORMAPAGO", 241, "text 40"}, {"PFCUENTABANCARIA", 281, "text 10"}, {"PORCENTAJEIMPUESTO", 291, "decimal 5.2"}},
     {{"KEYID", "ID", false, "unique, skips empty, case-insensitive"}}},
    {"Lineas", "LIN", "LINEAS", 180,
     {{"EMPRESA", 0, "text 60"}, {"DR", 60, "text 60"}, {"CPOSTAL", 120, "text 60"}},
     {{"KEYEMPRESA", "EMPRESA", false, "unique, skips empty, case-insensitive"}}},
    {"Colorsis", "CSI", "qz000015.tps", 37,
     {{"ID", 0, "decimal 1.0"}, {"FONDOVENTANA", 1, "int32"}, {"TAB1", 5, "int32"}, {"TAB2", 9, "int32"}, {"TAB3", 13, "int32"}, {"TAB4", 17, "int32"}, {"TAB5", 21, "int32"}, {"TAB6", 25, "int32"}, {"TAB7", 29, "int32"}, {"TAB8", 33, "int32"}},
     {{"KEYID", "ID", false, "unique, skips empty, case-insensitive"}}},
};

std::string typeText(const FieldDef& f) {
  switch (f.type) {
    case FieldType::Text: return "text " + std::to_string(f.size);
    case FieldType::CString: return "zero-ended text " + std::to_string(f.size);
    case FieldType::Date: return "date";
    case FieldType::Int32: return "int32";
    case FieldType::Int16: return "int16";
    case FieldType::Byte: return "byte";
    case FieldType::Decimal: return "decimal " + std::to_string(f.size) + "." + std::to_string(f.places);
    case FieldType::Memo: return "memo " + std::to_string(f.size);
  }
  return "?";
}

std::string attributesText(const KeyDef& k) {
  std::string s = k.unique() ? "unique" : "duplicates";
  if (k.skipsEmpty()) s += ", skips empty";
  if (k.caseInsensitive()) s += ", case-insensitive";
  if (k.autoNumbered()) s += "; numbered automatically";
  return s;
}

TEST(Tables, EveryLayoutMatchesTheDocumentation) {
  ASSERT_EQ(allTables().size(), kDocumented.size());
  for (const TableLayout& doc : kDocumented) {
    SCOPED_TRACE(doc.label);
    const TableDef* t = findTable(doc.label);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->prefix, doc.prefix);
    EXPECT_EQ(t->diskName, doc.file);
    EXPECT_EQ(t->recordSize, doc.recordBytes);
    ASSERT_EQ(t->fields.size(), doc.fields.size());
    int memoBytes = 0;
    for (size_t i = 0; i < doc.fields.size(); ++i) {
      const FieldDef& f = t->fields[i];
      SCOPED_TRACE(doc.fields[i].name);
      EXPECT_EQ(f.name, doc.fields[i].name);
      EXPECT_EQ(typeText(f), doc.fields[i].type);
      if (doc.fields[i].offset < 0) {
        EXPECT_TRUE(f.isMemo());
        memoBytes += f.bytes;
      } else {
        EXPECT_EQ(f.offset, doc.fields[i].offset);
      }
    }
    EXPECT_EQ(memoBytes, 0) << "memos live outside the fixed record";
    ASSERT_EQ(t->keys.size(), doc.keys.size());
    for (size_t i = 0; i < doc.keys.size(); ++i) {
      const KeyDef& k = t->keys[i];
      SCOPED_TRACE(doc.keys[i].name);
      EXPECT_EQ(k.name, doc.keys[i].name);
      ASSERT_EQ(k.components.size(), 1u);
      EXPECT_EQ(t->field(k.components[0].field).name, doc.keys[i].component);
      EXPECT_EQ(k.components[0].descending, doc.keys[i].descending);
      EXPECT_EQ(attributesText(k), doc.keys[i].attributes);
    }
  }
}

TEST(Tables, KeysCarryTheNamesTheMessagesShowInDeclarationOrder) {
  const std::vector<std::string> expected = {
      "OPE:KeyCuentaEgresos", "OPE:KeyFecha", "OPE:KeyBeneficiario", "OPE:KeyId", "OPE:KeyCatIng",
      "OPE:KeyCatEgr", "OPE:KeyIngresoCuenta", "deu:KeyNombre", "cxc:KeyReferencia", "cxc:KeyDeudor",
      "cxc:KeyFecha", "cxp:KeyReferencia", "cxp:KeyAcreedor", "cxp:KeyFecha", "acr:KeyNombre",
      "ben:KeyNombre", "tcb:KeyDescripcion", "cba:KeyNumero", "cba:KeyBanco", "cba:KeyTipo",
      "ban:KeyNombre", "cin:KeyDescripcion", "ceg:KeyDescripcion", "cfg:KeyNombre", "csi:KeyId",
      "gic:KeyTotal", "gic:KeyCategoria", "LIN:KeyEmpresa", "def:Keyid"};
  // The documentation lists them grouped by table in this order.
  const TableId order[] = {TableId::Operacio, TableId::Deudores, TableId::cxc, TableId::cxp,
                           TableId::Acree, TableId::Beneficiarios, TableId::TipoCban, TableId::CuenBanc,
                           TableId::Bancos, TableId::CateIngr, TableId::CateEgre, TableId::configur,
                           TableId::Colorsis, TableId::GrafIngresosCateg, TableId::Lineas, TableId::Default};
  std::vector<std::string> actual;
  for (TableId t : order)
    for (const KeyDef& k : tableDef(t).keys) actual.emplace_back(k.messageName);
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(keyDef(ope::KEYID).messageName, "OPE:KeyId");
  EXPECT_TRUE(keyDef(ope::KEYID).autoNumbered());
}

TEST(Tables, MemosInitialValuesAndSeeding) {
  std::vector<std::string> memos;
  for (const TableDef& t : allTables())
    for (const FieldDef& f : t.fields)
      if (f.isMemo()) memos.emplace_back(f.knownAs);
  EXPECT_EQ(memos, (std::vector<std::string>{"deu:Direccion", "deu:Notas", "acr:Direccion", "acr:Notas", "cba:Notas",
                                             "ban:Notas", "ben:Notas"}));

  Record op(TableId::Operacio);
  op.applyInitialValues();
  EXPECT_EQ(op.text(ope::TIPO), "INGRESO");
  EXPECT_EQ(op.text(ope::FORMA), "EFECTIVO");
  Record def(TableId::Default);
  def.applyInitialValues();
  EXPECT_EQ(def.text(def::COMBUSTIBLE), "GASOLINA");
  EXPECT_EQ(def.text(def::UM), "LITROS");
  EXPECT_EQ(def.text(def::UD), "KILOMETROS");
  EXPECT_EQ(def.text(def::UNIDADCARGA), "Litros");
  for (const TableDef& t : allTables()) EXPECT_EQ(t.seededWithOneRecord, t.id == TableId::configur) << t.label;
}

TEST(Tables, InitialisationOrderAndLinks) {
  std::vector<std::string> order;
  for (TableId id : initialisationOrder()) order.emplace_back(tableDef(id).label);
  EXPECT_EQ(order, (std::vector<std::string>{"CateEgre", "CateIngr", "Bancos", "CuenBanc", "TipoCban", "Beneficiarios",
                                             "Acree", "cxp", "cxc", "Deudores", "Operacio", "configur", "Colorsis",
                                             "GrafIngresosCateg", "Lineas", "Default"}));
  ASSERT_EQ(links().size(), 8u);
  for (const LinkDef& l : links()) {
    EXPECT_EQ(l.childKey.table, l.child);
    EXPECT_EQ(keyDef(l.childKey).components[0].field, l.childField.index);
    EXPECT_EQ(l.onChange, LinkRule::NoAction);
    EXPECT_EQ(l.onDelete, LinkRule::NoAction);
    // Every link appears in both tables' relation lists with the right roles.
    const auto& parentRel = tableDef(l.parent).relations;
    const auto& childRel = tableDef(l.child).relations;
    EXPECT_TRUE(std::any_of(parentRel.begin(), parentRel.end(),
                            [&](const RelationEntry& e) { return e.other == l.child && !e.otherIsParent; }));
    EXPECT_TRUE(std::any_of(childRel.begin(), childRel.end(),
                            [&](const RelationEntry& e) { return e.other == l.parent && e.otherIsParent; }));
  }
}

TEST(Tables, RelationGroupsOpenTogether) {
  test::TempDir dir;
  test::RecordingPresenter presenter;
  Messages messages(presenter);
  Context ctx(dir.path(), messages);
  auto sorted = [](std::vector<TableId> v) {
    std::sort(v.begin(), v.end());
    return v;
  };
  const std::vector<TableId> operacioGroup = {TableId::Operacio, TableId::CateEgre, TableId::CateIngr,
                                              TableId::CuenBanc, TableId::Bancos, TableId::TipoCban,
                                              TableId::Beneficiarios};
  EXPECT_EQ(sorted(ctx.relation(TableId::Operacio).group()), sorted(operacioGroup));
  EXPECT_EQ(sorted(ctx.relation(TableId::Bancos).group()), sorted(operacioGroup));
  EXPECT_EQ(sorted(ctx.relation(TableId::Deudores).group()), sorted({TableId::Deudores, TableId::cxc}));
  EXPECT_EQ(sorted(ctx.relation(TableId::cxp).group()), sorted({TableId::cxp, TableId::Acree}));
  for (TableId alone : {TableId::configur, TableId::Colorsis, TableId::GrafIngresosCateg, TableId::Lineas,
                        TableId::Default})
    EXPECT_EQ(ctx.relation(alone).group(), std::vector<TableId>{alone});

  // Opening visits each table of the group once; nothing is opened physically yet.
  ctx.relation(TableId::Operacio).open();
  for (TableId t : operacioGroup) {
    EXPECT_EQ(ctx.file(t).useCount(), 1) << tableDef(t).label;
    EXPECT_FALSE(ctx.file(t).isPhysicallyOpen());
  }
  EXPECT_EQ(ctx.file(TableId::Deudores).useCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "kovar07.tps"));
  ctx.relation(TableId::Operacio).close();
  for (TableId t : operacioGroup) EXPECT_EQ(ctx.file(t).useCount(), 0);
}

}  // namespace
}  // namespace fin
