#include "masterdata/cuenbanc.h"

#include "data/tables.h"
#include "masterdata/bancos.h"
#include "masterdata/tipo_cban.h"
#include "ui/record_form.h"

namespace fin::masterdata {

using namespace fin::ui;

Response UpdateCuenBanc(Context& context, Request request) {
  FormSpec decl;
  decl.procedure = "UpdateCuenBanc";
  decl.designedCaption = "Form CuenBanc";
  decl.table = TableId::CuenBanc;
  // A bank name is copied cut to the 30 characters of CBA:BANCO; the entries show 20 (their picture).
  const LookupSpec banks{TableId::Bancos,           ban::KEYNOMBRE, ban::NOMBRE, "160L(2)|M~Nombre~@s40@",
                         {ValueSource::of(ban::NOMBRE)}, UpdateBancos};
  const LookupSpec types{TableId::TipoCban, tcb::KEYDESCRIPCION, tcb::DESCRIPCION, "120L(2)|M~Descripción~@s30@",
                         {ValueSource::of(tcb::DESCRIPCION)}, UpdateTipoCban};
  decl.fields = {
      {.field = cba::NUMERO, .prompt = "&Número:", .control = "?CBA:NUMERO", .picture = "@s15",
       .tip = "Número de cuenta", .required = true},
      {.field = cba::BANCO, .prompt = "&Banco:", .control = "?CBA:BANCO", .picture = "@s20",
       .tip = "Nombre del banco", .kind = FieldKind::Lookup, .lookup = banks},
      {.field = cba::TIPO, .prompt = "&Tipo:", .control = "?CBA:TIPO", .picture = "@s20", .tip = "Tipo de cuenta",
       .kind = FieldKind::Lookup, .lookup = types},
      {.field = cba::NOTAS, .prompt = "Notas:", .control = "?CBA:NOTAS", .tip = "Notas o comentarios",
       .readOnlyInView = false, .kind = FieldKind::Notes},
  };
  RecordForm form(context, std::move(decl));
  return form.run(request);
}

ListSpec cuenBancList() {
  ListSpec decl;
  decl.procedure = "BrowseCuenBanc";
  decl.title = "Cuentas bancarias";
  decl.listTip = "Cuentas bancarias";
  decl.table = TableId::CuenBanc;
  decl.tabs = {{"Por Número", cba::KEYNUMERO}};
  decl.format =
      "65L(2)|M*~Número~@s15@125L(2)|M*~Banco~@s30@80L(2)|M*~Tipo~@s30@56R(1)|M*~Debe~@n-14.2@56R(1)|M*~Haber~@n-14.2@"
      "56R(1)|M*~Saldo~@n-14.2@";
  const ValueSource saldo = ValueSource::difference(cba::DEBE, cba::HABER);  // LOC:SALDO
  decl.columns = {ValueSource::of(cba::NUMERO), ValueSource::of(cba::BANCO), ValueSource::of(cba::TIPO),
                  ValueSource::of(cba::DEBE),   ValueSource::of(cba::HABER), saldo};
  decl.searchColumns =
      "Número|@s15|cba:Numero|Banco|@s30|cba:Banco|Tipo|@s30|cba:Tipo|Debe|@n-14.2|cba:Debe|Haber|@n-14.2|cba:Haber|"
      "Saldo|@n-14.2|loc:saldo|";
  decl.named = {{"loc:saldo", saldo}};
  decl.form = UpdateCuenBanc;
  decl.enterMovesFocus = true;
  decl.totals = {{"?LOC:SUMADEBE", "", "Suma el debe", ValueSource::of(cba::DEBE).term()},
                 {"?SUMAHABER", "", "Suma el haber", ValueSource::of(cba::HABER).term()},
                 {"?SUMASALDO", "", "Suma de saldos", saldo.term()}};
  // ReporteCuentasBancarias comes with the listings; until then the button is shown disabled.
  decl.buttons = {{"?BUTTON6", "Im&primir", "Imprime el reporte de cuentas bancarias", {}}};
  return decl;
}

Response BrowseCuenBanc(Context& context, Request request) {
  ListWindow window(context, cuenBancList());
  return window.run(request);
}

}  // namespace fin::masterdata
