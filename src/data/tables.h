// The sixteen tables of the system, as data.
//
// Each table's fields and keys are listed once, in the lists below; the
// lists produce both the definitions (tables.cpp) and the constants that the
// rest of the program names them by: fields `ope::FECHA`, keys
// `ope::KEYFECHA`. A field list entry is (name, type, size, places): size is
// the characters of a text, the digits of a decimal and the bytes of a
// number. A key list entry is (name, message name, attributes, field,
// descending).
#pragma once

#include "data/schema.h"

// clang-format off
#define FIN_FIELDS_OPERACIO(X) \
  X(ID, Int32, 4, 0) \
  X(FECHA, Date, 4, 0) \
  X(TIPO, Text, 7, 0) \
  X(FORMA, Text, 8, 0) \
  X(CONCEPTO, Text, 40, 0) \
  X(CATING, Text, 30, 0) \
  X(CATEGR, Text, 30, 0) \
  X(INGRESOCUENTA, Text, 30, 0) \
  X(ABONOCXC, Text, 20, 0) \
  X(ABONOCXP, Text, 20, 0) \
  X(INGRESO, Decimal, 9, 2) \
  X(EGRESO, Decimal, 9, 2) \
  X(BENEFICIARIO, Text, 30, 0) \
  X(CUENTABANCARIAEGRESOS, Text, 10, 0) \
  X(COMPROBANTEGASTOS, Text, 10, 0) \
  X(COMPROBANTEINGRESOS, Text, 10, 0)
#define FIN_KEYS_OPERACIO(X) \
  X(KEYCUENTAEGRESOS, "OPE:KeyCuentaEgresos", kDuplicates | kSkipEmpty | kNoCase, CUENTABANCARIAEGRESOS, false) \
  X(KEYFECHA, "OPE:KeyFecha", kDuplicates | kSkipEmpty | kNoCase, FECHA, false) \
  X(KEYBENEFICIARIO, "OPE:KeyBeneficiario", kDuplicates | kSkipEmpty | kNoCase, BENEFICIARIO, false) \
  X(KEYID, "OPE:KeyId", kUnique | kSkipEmpty | kNoCase | kAutoNumber, ID, false) \
  X(KEYCATING, "OPE:KeyCatIng", kDuplicates | kNoCase, CATING, false) \
  X(KEYCATEGR, "OPE:KeyCatEgr", kDuplicates | kNoCase, CATEGR, false) \
  X(KEYINGRESOCUENTA, "OPE:KeyIngresoCuenta", kDuplicates | kNoCase, INGRESOCUENTA, false)

#define FIN_FIELDS_DEUDORES(X) \
  X(NOMBRE, Text, 40, 0) \
  X(TELEFONOS, Text, 30, 0) \
  X(EMAIL, Text, 60, 0) \
  X(DEBE, Decimal, 11, 2) \
  X(HABER, Decimal, 11, 2) \
  X(DIRECCION, Memo, 255, 0) \
  X(NOTAS, Memo, 255, 0)
#define FIN_KEYS_DEUDORES(X) \
  X(KEYNOMBRE, "deu:KeyNombre", kUnique | kSkipEmpty | kNoCase, NOMBRE, false)

#define FIN_FIELDS_ACREE(X) FIN_FIELDS_DEUDORES(X)
#define FIN_KEYS_ACREE(X) \
  X(KEYNOMBRE, "acr:KeyNombre", kUnique | kSkipEmpty | kNoCase, NOMBRE, false)

#define FIN_FIELDS_CXC(X) \
  X(REFERENCIA, Text, 20, 0) \
  X(DEUDOR, Text, 30, 0) \
  X(FECHA, Date, 4, 0) \
  X(VENCIMIENTO, Date, 4, 0) \
  X(NOFACTURA, Text, 10, 0) \
  X(CONCEPTO, Text, 40, 0) \
  X(IMPORTE, Decimal, 9, 2) \
  X(ABONOS, Decimal, 11, 2) \
  X(NOTAS, Text, 255, 0)
#define FIN_KEYS_CXC(X) \
  X(KEYREFERENCIA, "cxc:KeyReferencia", kUnique | kSkipEmpty | kNoCase, REFERENCIA, false) \
  X(KEYDEUDOR, "cxc:KeyDeudor", kDuplicates | kNoCase, DEUDOR, false) \
  X(KEYFECHA, "cxc:KeyFecha", kDuplicates | kNoCase, FECHA, false)

#define FIN_FIELDS_CXP(X) \
  X(REFERENCIA, Text, 20, 0) \
  X(ACREEDOR, Text, 30, 0) \
  X(FECHA, Date, 4, 0) \
  X(VENCIMIENTO, Date, 4, 0) \
  X(NOFACTURA, Text, 10, 0) \
  X(CONCEPTO, Text, 40, 0) \
  X(IMPORTE, Decimal, 9, 2) \
  X(ABONOS, Decimal, 11, 2) \
  X(NOTAS, Text, 255, 0)
#define FIN_KEYS_CXP(X) \
  X(KEYREFERENCIA, "cxp:KeyReferencia", kUnique | kSkipEmpty | kNoCase, REFERENCIA, false) \
  X(KEYACREEDOR, "cxp:KeyAcreedor", kDuplicates | kNoCase, ACREEDOR, false) \
  X(KEYFECHA, "cxp:KeyFecha", kDuplicates | kNoCase, FECHA, false)

#define FIN_FIELDS_CUENBANC(X) \
  X(NUMERO, Text, 15, 0) \
  X(BANCO, Text, 30, 0) \
  X(TIPO, Text, 30, 0) \
  X(DEBE, Decimal, 11, 2) \
  X(HABER, Decimal, 11, 2) \
  X(NOTAS, Memo, 255, 0)
#define FIN_KEYS_CUENBANC(X) \
  X(KEYNUMERO, "cba:KeyNumero", kUnique | kSkipEmpty | kNoCase, NUMERO, false) \
  X(KEYBANCO, "cba:KeyBanco", kDuplicates | kNoCase, BANCO, false) \
  X(KEYTIPO, "cba:KeyTipo", kDuplicates | kNoCase, TIPO, false)

#define FIN_FIELDS_BANCOS(X) \
  X(NOMBRE, Text, 40, 0) \
  X(NOTAS, Memo, 255, 0)
#define FIN_KEYS_BANCOS(X) \
  X(KEYNOMBRE, "ban:KeyNombre", kUnique | kSkipEmpty | kNoCase, NOMBRE, false)

#define FIN_FIELDS_TIPOCBAN(X) \
  X(DESCRIPCION, Text, 30, 0)
#define FIN_KEYS_TIPOCBAN(X) \
  X(KEYDESCRIPCION, "tcb:KeyDescripcion", kUnique | kSkipEmpty | kNoCase, DESCRIPCION, false)

#define FIN_FIELDS_CATEINGR(X) \
  X(DESCRIPCION, Text, 30, 0) \
  X(TOTALINGRESOS, Decimal, 11, 2)
#define FIN_KEYS_CATEINGR(X) \
  X(KEYDESCRIPCION, "cin:KeyDescripcion", kUnique | kSkipEmpty | kNoCase, DESCRIPCION, false)

#define FIN_FIELDS_CATEEGRE(X) \
  X(DESCRIPCION, Text, 30, 0) \
  X(TOTALEGRESOS, Decimal, 11, 2)
#define FIN_KEYS_CATEEGRE(X) \
  X(KEYDESCRIPCION, "ceg:KeyDescripcion", kUnique | kSkipEmpty | kNoCase, DESCRIPCION, false)

#define FIN_FIELDS_BENEFICIARIOS(X) \
  X(NOMBRE, Text, 40, 0) \
  X(NOTAS, Memo, 255, 0)
#define FIN_KEYS_BENEFICIARIOS(X) \
  X(KEYNOMBRE, "ben:KeyNombre", kUnique | kSkipEmpty | kNoCase, NOMBRE, false)

#define FIN_FIELDS_CONFIGUR(X) \
  X(NOMBRE, Text, 60, 0) \
  X(FECHA, Date, 4, 0) \
  X(CONTRASENA, Text, 8, 0) \
  X(INICIADO, Byte, 1, 0)
#define FIN_KEYS_CONFIGUR(X) \
  X(KEYNOMBRE, "cfg:KeyNombre", kUnique | kSkipEmpty | kNoCase, NOMBRE, false)

#define FIN_FIELDS_GRAFINGRESOSCATEG(X) \
  X(CATEGORIA, Text, 30, 0) \
  X(TOTAL, Decimal, 9, 2)
#define FIN_KEYS_GRAFINGRESOSCATEG(X) \
  X(KEYTOTAL, "gic:KeyTotal", kDuplicates | kSkipEmpty | kNoCase, TOTAL, true) \
  X(KEYCATEGORIA, "gic:KeyCategoria", kUnique | kSkipEmpty | kNoCase, CATEGORIA, false)

#define FIN_FIELDS_DEFAULT(X) \
  X(ID, Decimal, 1, 0) \
  X(ESTACION, Text, 10, 0) \
  X(COMBUSTIBLE, Text, 8, 0) \
  X(GASOLINA, Text, 20, 0) \
  X(UM, Text, 7, 0) \
  X(UD, Text, 10, 0) \
  X(UNIDADCARGA, CString, 8, 0) \
  X(FECHAACTUAL, Date, 4, 0) \
  X(CCIUDAD, Text, 40, 0) \
  X(CZONA, CString, 41, 0) \
  X(CCATEGORIA, CString, 41, 0) \
  X(CLIMITECREDITO, CString, 41, 0) \
  X(CPLAZO, Int16, 2, 0) \
  X(CCREDITO, Decimal, 7, 2) \
  X(CCREDITOEXCEDIDO, Byte, 1, 0) \
  X(CDESCUENTO, Byte, 1, 0) \
  X(CPAGOTARJETA, Byte, 1, 0) \
  X(CPAGOCHEQUE, Byte, 1, 0) \
  X(PFFORMAPAGO, Text, 40, 0) \
  X(PFCUENTABANCARIA, Text, 10, 0) \
  X(PORCENTAJEIMPUESTO, Decimal, 5, 2)
#define FIN_KEYS_DEFAULT(X) \
  X(KEYID, "def:Keyid", kUnique | kSkipEmpty | kNoCase, ID, false)

#define FIN_FIELDS_LINEAS(X) \
  X(EMPRESA, Text, 60, 0) \
  X(DR, Text, 60, 0) \
  X(CPOSTAL, Text, 60, 0)
#define FIN_KEYS_LINEAS(X) \
  X(KEYEMPRESA, "LIN:KeyEmpresa", kUnique | kSkipEmpty | kNoCase, EMPRESA, false)

#define FIN_FIELDS_COLORSIS(X) \
  X(ID, Decimal, 1, 0) \
  X(FONDOVENTANA, Int32, 4, 0) \
  X(TAB1, Int32, 4, 0) \
  X(TAB2, Int32, 4, 0) \
  X(TAB3, Int32, 4, 0) \
  X(TAB4, Int32, 4, 0) \
  X(TAB5, Int32, 4, 0) \
  X(TAB6, Int32, 4, 0) \
  X(TAB7, Int32, 4, 0) \
  X(TAB8, Int32, 4, 0)
#define FIN_KEYS_COLORSIS(X) \
  X(KEYID, "csi:KeyId", kUnique | kSkipEmpty | kNoCase, ID, false)

// (namespace, prefix, TableId, field list, key list)
#define FIN_TABLES(T) \
  T(ope, "OPE", Operacio, FIN_FIELDS_OPERACIO, FIN_KEYS_OPERACIO) \
  T(deu, "DEU", Deudores, FIN_FIELDS_DEUDORES, FIN_KEYS_DEUDORES) \
  T(acr, "ACR", Acree, FIN_FIELDS_ACREE, FIN_KEYS_ACREE) \
  T(cxc, "CXC", cxc, FIN_FIELDS_CXC, FIN_KEYS_CXC) \
  T(cxp, "CXP", cxp, FIN_FIELDS_CXP, FIN_KEYS_CXP) \
  T(cba, "CBA", CuenBanc, FIN_FIELDS_CUENBANC, FIN_KEYS_CUENBANC) \
  T(ban, "BAN", Bancos, FIN_FIELDS_BANCOS, FIN_KEYS_BANCOS) \
  T(tcb, "TCB", TipoCban, FIN_FIELDS_TIPOCBAN, FIN_KEYS_TIPOCBAN) \
  T(cin, "CIN", CateIngr, FIN_FIELDS_CATEINGR, FIN_KEYS_CATEINGR) \
  T(ceg, "CEG", CateEgre, FIN_FIELDS_CATEEGRE, FIN_KEYS_CATEEGRE) \
  T(ben, "BEN", Beneficiarios, FIN_FIELDS_BENEFICIARIOS, FIN_KEYS_BENEFICIARIOS) \
  T(cfg, "CFG", configur, FIN_FIELDS_CONFIGUR, FIN_KEYS_CONFIGUR) \
  T(gic, "GIC", GrafIngresosCateg, FIN_FIELDS_GRAFINGRESOSCATEG, FIN_KEYS_GRAFINGRESOSCATEG) \
  T(def, "DEF", Default, FIN_FIELDS_DEFAULT, FIN_KEYS_DEFAULT) \
  T(lin, "LIN", Lineas, FIN_FIELDS_LINEAS, FIN_KEYS_LINEAS) \
  T(csi, "CSI", Colorsis, FIN_FIELDS_COLORSIS, FIN_KEYS_COLORSIS)
// clang-format on

#define FIN_FIELD_INDEX(name, type, size, places) name,
#define FIN_FIELD_CONSTANT(name, type, size, places) \
  inline constexpr ::fin::FieldId name{kTable, field_index::name};
#define FIN_KEY_INDEX(name, message, flags, field, descending) name,
#define FIN_KEY_CONSTANT(name, message, flags, field, descending) \
  inline constexpr ::fin::KeyId name{kTable, key_index::name};
#define FIN_TABLE_CONSTANTS(ns, prefix, id, FIELDS, KEYS)                     \
  namespace ns {                                                      \
  inline constexpr ::fin::TableId kTable = ::fin::TableId::id;        \
  namespace field_index {                                             \
  enum : uint16_t { FIELDS(FIN_FIELD_INDEX) };                        \
  }                                                                   \
  namespace key_index {                                               \
  enum : uint16_t { KEYS(FIN_KEY_INDEX) };                            \
  }                                                                   \
  FIELDS(FIN_FIELD_CONSTANT)                                          \
  KEYS(FIN_KEY_CONSTANT)                                              \
  }

namespace fin {

FIN_TABLES(FIN_TABLE_CONSTANTS)

// The definition of a table; valid for the whole run of the program.
const TableDef& tableDef(TableId id);
// All sixteen, in TableId order.
std::span<const TableDef> allTables();
// The table whose label (or prefix) is `name`, in any letter case; nullptr if none.
const TableDef* findTable(std::string_view name);
// The order in which the relation objects are initialised at start-up.
std::span<const TableId> initialisationOrder();
// The links between tables on which the relations are built.
std::span<const LinkDef> links();

inline const FieldDef& fieldDef(FieldId f) { return tableDef(f.table).field(f.index); }
inline const KeyDef& keyDef(KeyId k) { return tableDef(k.table).key(k.index); }

}  // namespace fin
