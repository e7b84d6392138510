#include "masterdata/tipo_cban.h"

#include "data/tables.h"
#include "ui/record_form.h"

namespace fin::masterdata {

using namespace fin::ui;

Response UpdateTipoCban(Context& context, Request request) {
  FormSpec decl;
  decl.procedure = "UpdateTipoCban";
  decl.designedCaption = "Form TipoCban";
  decl.table = TableId::TipoCban;
  decl.fields = {
      {.field = tcb::DESCRIPCION, .prompt = "&Descripción:", .control = "?TCB:DESCRIPCION", .picture = "@s30",
       .tip = "Descripción del tipo de cuenta", .required = true},
  };
  RecordForm form(context, std::move(decl));
  return form.run(request);
}

ListSpec tipoCbanList() {
  ListSpec decl;
  decl.procedure = "BrowseTipoCban";
  decl.title = "Tipos de cuentas bancarias";
  decl.listTip = "Tipos de cuentas";
  decl.table = TableId::TipoCban;
  decl.tabs = {{"Por Descripción", tcb::KEYDESCRIPCION}};
  decl.format = "80L(2)|M*~Descripción~@s30@";
  decl.columns = {ValueSource::of(tcb::DESCRIPCION)};
  decl.searchColumns = "Descripción|@s30|tcb:Descripcion|";
  decl.form = UpdateTipoCban;
  return decl;
}

Response BrowseTipoCban(Context& context, Request request) {
  ListWindow window(context, tipoCbanList());
  return window.run(request);
}

bool StartBrowseTipoCban(const std::filesystem::path& dataDir, Messages& messages) {
  return ListWindow::startOnItsOwn(std::make_unique<Context>(dataDir, messages), tipoCbanList());
}

}  // namespace fin::masterdata
