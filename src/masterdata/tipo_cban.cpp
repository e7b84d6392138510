#include "masterdata/tipo_cban.h"

#include "data/tables.h"
#include "ui/record_form.h"

namespace fin::masterdata {

using namespace fin::ui;

Response UpdateTipoCban(Context& context, Request request) {
  FormSpec spec;
  spec.procedure = "UpdateTipoCban";
  spec.designedCaption = "Form TipoCban";
  spec.table = TableId::TipoCban;
  spec.fields = {
      {.field = tcb::DESCRIPCION, .prompt = "&Descripción:", .control = "?TCB:DESCRIPCION", .picture = "@s30",
       .tip = "Descripción del tipo de cuenta", .required = true},
  };
  RecordForm form(context, std::move(spec));
  return form.run(request);
}

ListSpec tipoCbanList() {
  ListSpec spec;
  spec.procedure = "BrowseTipoCban";
  spec.title = "Tipos de cuentas bancarias";
  spec.listTip = "Tipos de cuentas";
  spec.table = TableId::TipoCban;
  spec.tabs = {{"Por Descripción", tcb::KEYDESCRIPCION}};
  spec.format = "80L(2)|M*~Descripción~@s30@";
  spec.columns = {ValueSource::of(tcb::DESCRIPCION)};
  spec.searchColumns = "Descripción|@s30|tcb:Descripcion|";
  spec.form = UpdateTipoCban;
  return spec;
}

Response BrowseTipoCban(Context& context, Request request) {
  ListWindow window(context, tipoCbanList());
  return window.run(request);
}

bool StartBrowseTipoCban(const std::filesystem::path& dataDir, Messages& messages) {
  return ListWindow::startOnItsOwn(std::make_unique<Context>(dataDir, messages), tipoCbanList());
}

}  // namespace fin::masterdata
