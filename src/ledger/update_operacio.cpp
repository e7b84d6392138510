#include "ledger/update_operacio.h"

#include "app/globals.h"
#include "data/tables.h"
#include "masterdata/categorias.h"
#include "masterdata/cuenbanc.h"
#include "ui/record_form.h"

namespace fin::ledger {

using namespace fin::ui;

namespace {

const QString kIncome = QStringLiteral("Ingreso:");
const QString kExpense = QStringLiteral("Egreso:");

LookupSpec categories(TableId table, KeyId key, FieldId field, Procedure form) {
  return {table, key, field, "120L(2)|M~Descripción~@s30@", {ValueSource::of(field)}, std::move(form)};
}

LookupSpec accounts() {
  return {TableId::CuenBanc, cba::KEYNUMERO, cba::NUMERO, "60L(2)|M~Número~@s15@", {ValueSource::of(cba::NUMERO)},
          masterdata::UpdateCuenBanc};
}

// Documents are chosen, never added from here.
LookupSpec documents(TableId table, KeyId key, FieldId reference, FieldId amount, int width) {
  return {table, key, reference, std::to_string(width) + "L(2)|M~Referencia~@s20@48R(1)|M~Importe~@n12.2@",
          {ValueSource::of(reference), ValueSource::of(amount)}, {}};
}

FormSpec operationForm() {
  FormSpec decl;
  decl.procedure = "UpdateOperacio";
  decl.designedCaption = "Form Operacio";
  decl.table = TableId::Operacio;
  decl.tables = {TableId::Operacio, TableId::CateIngr, TableId::CateEgre, TableId::CuenBanc, TableId::cxc,
                 TableId::cxp};
  decl.fields = {
      {.field = ope::TIPO, .prompt = "&Tipo", .control = "?OPE:TIPO", .tip = "Tipo de operación",
       .readOnlyInView = false, .kind = FieldKind::Options, .options = {"INGRESO", "EGRESO"}},
      {.field = ope::FECHA, .prompt = "Fecha:", .control = "?OPE:FECHA", .picture = "@d6",
       .tip = "Fecha de la operación", .required = true, .calendar = true},
      {.field = ope::CONCEPTO, .prompt = "&Concepto:", .control = "?OPE:CONCEPTO", .picture = "@s40",
       .tip = "Concepto de la operación"},
      {.field = ope::FORMA, .prompt = "&Forma", .control = "?OPE:FORMA", .tip = "Forma de pago",
       .kind = FieldKind::Options, .options = {"EFECTIVO", "CHEQUE", "DEPOSITO", "TC"}},

      {.field = ope::INGRESO, .prompt = "I&mporte:", .control = "?OPE:INGRESO", .picture = "@n12.2",
       .tip = "Importe del ingreso", .group = kIncome},
      {.field = ope::CATING, .prompt = "Ca&tegoría:", .control = "?OPE:CATING", .picture = "@s30",
       .tip = "Categoría de ingreso", .kind = FieldKind::Lookup,
       .lookup = categories(TableId::CateIngr, cin::KEYDESCRIPCION, cin::DESCRIPCION, masterdata::UpdateCateIngr),
       .group = kIncome},
      {.field = ope::INGRESOCUENTA, .prompt = "Cuen&ta bancaria:", .control = "?OPE:INGRESOCUENTA",
       .picture = "@s15", .tip = "Cuenta bancaria a la que ingresa el importe", .kind = FieldKind::Lookup,
       .lookup = accounts(), .group = kIncome},
      {.field = ope::ABONOCXC, .prompt = "Abono a cuenta por cobrar:", .control = "?OPE:ABONOCXC",
       .picture = "@s20", .tip = "Documento por cobrar al que se abona", .kind = FieldKind::Lookup,
       .lookup = documents(TableId::cxc, cxc::KEYREFERENCIA, cxc::REFERENCIA, cxc::IMPORTE, 83), .group = kIncome},
      {.field = ope::COMPROBANTEINGRESOS, .prompt = "Comprobante:", .control = "?OPE:COMPROBANTEINGRESOS",
       .picture = "@s10", .tip = "Número de comprobante", .group = kIncome},

      {.field = ope::EGRESO, .prompt = "Im&porte:", .control = "?OPE:EGRESO", .picture = "@n12.2",
       .tip = "Importe del egreso", .group = kExpense},
      {.field = ope::CATEGR, .prompt = "Cate&goría:", .control = "?OPE:CATEGR", .picture = "@s30",
       .tip = "Categoría de egreso", .kind = FieldKind::Lookup,
       .lookup = categories(TableId::CateEgre, ceg::KEYDESCRIPCION, ceg::DESCRIPCION, masterdata::UpdateCateEgre),
       .group = kExpense},
      // The account of an expense keeps the first 10 characters of CBA:NUMERO.
      {.field = ope::CUENTABANCARIAEGRESOS, .prompt = "C&uenta bancaria:", .control = "?OPE:CUENTABANCARIAEGRESOS",
       .picture = "@s15", .tip = "Cuenta de cheques", .kind = FieldKind::Lookup, .lookup = accounts(),
       .group = kExpense},
      {.field = ope::ABONOCXP, .prompt = "Abo&no a cuentas por pagar:", .control = "?OPE:ABONOCXP",
       .picture = "@s20", .tip = "Documento a pagar al que se abona", .kind = FieldKind::Lookup,
       .lookup = documents(TableId::cxp, cxp::KEYREFERENCIA, cxp::REFERENCIA, cxp::IMPORTE, 85), .group = kExpense},
      {.field = ope::COMPROBANTEGASTOS, .prompt = "Comprobante:", .control = "?OPE:COMPROBANTEGASTOS",
       .picture = "@s10", .tip = "Número de comprobante", .group = kExpense},
  };
  return decl;
}

class OperationForm : public RecordForm {
 public:
  OperationForm(Context& context) : RecordForm(context, operationForm()) {}

 protected:
  void opened() override {
    if (request() == Request::Insert) {
      record().setDate(ope::FECHA, app::globals().fecha);
      showField(ope::FECHA);
    }
  }

  // Choosing a side disables and clears the other one; the window opens with both enabled.
  void fieldAccepted(FieldId field) override {
    if (field != ope::TIPO) return;
    static const FieldId income[] = {ope::CATING, ope::INGRESOCUENTA, ope::ABONOCXC, ope::INGRESO,
                                     ope::COMPROBANTEINGRESOS};
    static const FieldId expense[] = {ope::CATEGR, ope::ABONOCXP, ope::EGRESO, ope::CUENTABANCARIAEGRESOS,
                                      ope::COMPROBANTEGASTOS};
    const std::string tipo = record().text(ope::TIPO);
    const bool isIncome = tipo == "INGRESO";
    if (!isIncome && tipo != "EGRESO") return;
    for (FieldId f : income) setFieldEnabled(f, isIncome);
    for (FieldId f : expense) setFieldEnabled(f, !isIncome);
    for (FieldId f : isIncome ? expense : income) {
      if (fieldDef(f).isText())
        (void)record().setText(f, "");  // blank always fits
      else
        (void)record().setDecimal(f, 0);
    }
    showAll();
  }
};

}  // namespace

Response UpdateOperacio(Context& context, Request request) {
  OperationForm form(context);
  return form.run(request);
}

}  // namespace fin::ledger
