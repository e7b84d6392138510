#include "data/demo_register.h"

#include <random>
#include <string>
#include <vector>

#include "data/tables.h"

namespace fin {
namespace {

const char* const kIncomeCategories[] = {"Sueldo", "Honorarios", "Ventas", "Intereses", "Rentas cobradas",
                                         "Reembolsos", "Regalos recibidos", "Dividendos"};
const char* const kExpenseCategories[] = {"Alimentos", "Renta", "Luz", "Agua", "Gas", "Teléfono", "Internet",
                                          "Transporte", "Gasolina", "Médico", "Farmacia", "Escuela", "Ropa",
                                          "Diversión", "Restaurantes", "Impuestos", "Seguros", "Mantenimiento"};
const char* const kBanks[] = {"Banco del Sur", "Banco Nacional", "Caja Popular", "Banco de Occidente",
                              "Banco Mercantil del Norte"};
const char* const kAccountTypes[] = {"Cheques", "Ahorro", "Inversión", "Tarjeta de crédito"};
const char* const kForms[] = {"EFECTIVO", "CHEQUE", "DEPOSITO", "TC"};
const char* const kIncomeConcepts[] = {"Pago de nómina", "Cobro de factura", "Venta de mostrador",
                                       "Intereses del mes", "Renta del local"};
const char* const kExpenseConcepts[] = {"Compra del súper", "Pago de renta", "Recibo de luz", "Recarga de gasolina",
                                        "Consulta médica", "Colegiatura", "Comida con clientes", "Pago de seguro"};

template <size_t N>
const char* pick(std::mt19937_64& rng, const char* const (&list)[N]) {
  return list[rng() % N];
}

class Writer {
 public:
  Writer(Context& ctx, TableId table) : file_(ctx.file(table)) {}
  Record& record() { return file_.buffer(); }
  // Whether the table already holds a record with the buffer's value of the
  // unique key, so that a second run over the same files adds only what is new.
  bool exists(KeyId key) {
    if (!startedFull_) return false;
    const Record wanted = file_.buffer();
    const bool found = file_.fetch(key).isOk();
    file_.buffer() = wanted;
    return found;
  }
  Status begin() {
    int64_t n = 0;
    FIN_RETURN_IF_ERROR(file_.countAll(n));
    startedFull_ = n > 0;
    return file_.beginBatch();
  }
  Status add() {
    Status s = file_.insert();
    ++pending_;
    if (s && pending_ >= 100000) {
      s = file_.commitBatch();
      if (s) s = file_.beginBatch();
      pending_ = 0;
    }
    return s;
  }
  Status end(Status s) {
    if (!s) {
      file_.rollbackBatch();
      return s;
    }
    return file_.commitBatch();
  }

 private:
  FileAccess& file_;
  int64_t pending_ = 0;
  bool startedFull_ = false;
};

// The first key of a catalogue is the unique key on its name.
Status addNames(Context& ctx, TableId table, FieldId field, std::vector<std::string> names) {
  Writer w(ctx, table);
  const KeyId key{table, 0};
  FIN_RETURN_IF_ERROR(w.begin());
  Status s;
  for (const std::string& n : names) {
    w.record().clear();
    s = w.record().setText(field, n);
    if (s && !w.exists(key)) s = w.add();
    if (!s) break;
  }
  return w.end(s);
}

template <size_t N>
std::vector<std::string> names(const char* const (&list)[N]) {
  return {std::begin(list), std::end(list)};
}

std::vector<std::string> numbered(const std::string& stem, int64_t count) {
  std::vector<std::string> out;
  for (int64_t i = 1; i <= count; ++i) out.push_back(stem + " " + std::to_string(i));
  return out;
}

std::string reference(const char* prefix, int64_t n) {
  std::string digits = std::to_string(n);
  return prefix + std::string(digits.size() < 6 ? 6 - digits.size() : 0, '0') + digits;
}

}  // namespace

Status generateDemoRegister(Context& ctx, const DemoSize& size, const std::function<void(int64_t)>& progress) {
  TablesInUse open(ctx, {TableId::Operacio, TableId::Deudores, TableId::Acree});
  std::mt19937_64 rng(size.seed);
  const int64_t last = size.lastDay.dayCount();
  const int64_t first = last - 365LL * size.years;

  FIN_RETURN_IF_ERROR(addNames(ctx, TableId::Bancos, ban::NOMBRE, names(kBanks)));
  FIN_RETURN_IF_ERROR(addNames(ctx, TableId::TipoCban, tcb::DESCRIPCION, names(kAccountTypes)));
  FIN_RETURN_IF_ERROR(addNames(ctx, TableId::CateIngr, cin::DESCRIPCION, names(kIncomeCategories)));
  FIN_RETURN_IF_ERROR(addNames(ctx, TableId::CateEgre, ceg::DESCRIPCION, names(kExpenseCategories)));
  const std::vector<std::string> debtors = numbered("Cliente", 40);
  const std::vector<std::string> creditors = numbered("Proveedor", 25);
  FIN_RETURN_IF_ERROR(addNames(ctx, TableId::Deudores, deu::NOMBRE, debtors));
  FIN_RETURN_IF_ERROR(addNames(ctx, TableId::Acree, acr::NOMBRE, creditors));

  std::vector<std::string> accounts;
  {
    Writer w(ctx, TableId::CuenBanc);
    FIN_RETURN_IF_ERROR(w.begin());
    Status s;
    for (int i = 0; s && i < 6; ++i) {
      accounts.push_back("0" + std::to_string(4410000000000LL + 7919LL * i));  // 14 digits
      Record& r = w.record();
      r.clear();
      s = r.setText(cba::NUMERO, accounts.back());
      if (s) s = r.setText(cba::BANCO, kBanks[i % std::size(kBanks)]);
      if (s) s = r.setText(cba::TIPO, kAccountTypes[i % std::size(kAccountTypes)]);
      if (s && !w.exists(cba::KEYNUMERO)) s = w.add();
    }
    FIN_RETURN_IF_ERROR(w.end(s));
  }

  auto documents = [&](TableId table, FieldId ref, FieldId party, FieldId date, FieldId due, FieldId invoice,
                       FieldId conceptField, FieldId amount, const char* prefix, const std::vector<std::string>& parties,
                       int64_t count) {
    Writer w(ctx, table);
    FIN_RETURN_IF_ERROR(w.begin());
    Status s;
    for (int64_t i = 1; s && i <= count; ++i) {
      Record& r = w.record();
      r.clear();
      const int64_t day = first + static_cast<int64_t>(rng() % static_cast<uint64_t>(last - first + 1));
      s = r.setText(ref, reference(prefix, i));
      if (s) s = r.setText(party, parties[rng() % parties.size()]);
      r.setDate(date, Date::fromDayCount(day));
      r.setDate(due, Date::fromDayCount(day + 30));
      if (s) s = r.setText(invoice, std::to_string(100000 + i));
      if (s) s = r.setText(conceptField, "Documento " + std::to_string(i));
      if (s) s = r.setDecimal(amount, 10000 + static_cast<int64_t>(rng() % 5000000));
      if (s && !w.exists(KeyId{table, 0})) s = w.add();
    }
    return w.end(s);
  };
  FIN_RETURN_IF_ERROR(documents(TableId::cxc, cxc::REFERENCIA, cxc::DEUDOR, cxc::FECHA, cxc::VENCIMIENTO,
                                cxc::NOFACTURA, cxc::CONCEPTO, cxc::IMPORTE, "FC-", debtors, size.receivables));
  FIN_RETURN_IF_ERROR(documents(TableId::cxp, cxp::REFERENCIA, cxp::ACREEDOR, cxp::FECHA, cxp::VENCIMIENTO,
                                cxp::NOFACTURA, cxp::CONCEPTO, cxp::IMPORTE, "FP-", creditors, size.payables));

  FileAccess& ops = ctx.file(TableId::Operacio);
  ops.buffer().clear();
  int64_t lastId = 0;
  {
    int64_t n = 0;
    FIN_RETURN_IF_ERROR(ops.count(ope::KEYID, n));
    if (n > 0) {
      FIN_RETURN_IF_ERROR(ops.set(ope::KEYID));
      FIN_RETURN_IF_ERROR(ops.previous());
      lastId = ops.buffer().integer(ope::ID);
    }
  }
  Writer w(ctx, TableId::Operacio);
  FIN_RETURN_IF_ERROR(w.begin());
  Status s;
  const int64_t span = last - first + 1;
  for (int64_t i = 0; s && i < size.operations; ++i) {
    Record& r = w.record();
    r.clear();
    const bool income = rng() % 100 < 35;
    const int64_t day = first + (size.operations > 1 ? i * (span - 1) / (size.operations - 1) : 0);
    s = r.setInteger(ope::ID, lastId + i + 1);
    r.setDate(ope::FECHA, Date::fromDayCount(day));
    if (s) s = r.setText(ope::TIPO, income ? "INGRESO" : "EGRESO");
    if (s) s = r.setText(ope::FORMA, pick(rng, kForms));
    if (s) s = r.setText(ope::CONCEPTO, std::string(income ? pick(rng, kIncomeConcepts) : pick(rng, kExpenseConcepts)) +
                                           " " + std::to_string(i + 1));
    const std::string& account = accounts[rng() % accounts.size()];
    if (income) {
      if (s) s = r.setText(ope::CATING, pick(rng, kIncomeCategories));
      if (s) s = r.setText(ope::INGRESOCUENTA, account);
      if (s && size.receivables > 0 && rng() % 5 == 0)
        s = r.setText(ope::ABONOCXC, reference("FC-", 1 + static_cast<int64_t>(rng() % size.receivables)));
      if (s) s = r.setDecimal(ope::INGRESO, 10000 + static_cast<int64_t>(rng() % 5000000));
      if (s) s = r.setText(ope::COMPROBANTEINGRESOS, std::to_string(rng() % 100000));
    } else {
      if (s) s = r.setText(ope::CATEGR, pick(rng, kExpenseCategories));
      if (s) s = r.setText(ope::CUENTABANCARIAEGRESOS, account.substr(0, 10));
      if (s && size.payables > 0 && rng() % 8 == 0)
        s = r.setText(ope::ABONOCXP, reference("FP-", 1 + static_cast<int64_t>(rng() % size.payables)));
      if (s) s = r.setDecimal(ope::EGRESO, 1000 + static_cast<int64_t>(rng() % 800000));
      if (s) s = r.setText(ope::COMPROBANTEGASTOS, std::to_string(rng() % 100000));
    }
    if (s) s = w.add();
    if (progress && (i + 1) % 100000 == 0) progress(i + 1);
  }
  return w.end(s);
}

}  // namespace fin
