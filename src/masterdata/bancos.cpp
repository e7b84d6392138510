#include "masterdata/bancos.h"

#include "data/tables.h"
#include "ui/record_form.h"

namespace fin::masterdata {

using namespace fin::ui;

Response UpdateBancos(Context& context, Request request) {
  FormSpec spec;
  spec.procedure = "UpdateBancos";
  spec.designedCaption = "Form Bancos";
  spec.table = TableId::Bancos;
  spec.fields = {
      {.field = ban::NOMBRE, .prompt = "&Nombre:", .control = "?BAN:NOMBRE", .picture = "@s40",
       .tip = "Nombre del banco", .required = true},
      {.field = ban::NOTAS, .prompt = "&Notas:", .control = "?BAN:NOTAS", .tip = "Notas o comentarios",
       .readOnlyInView = false, .kind = FieldKind::Notes},
  };
  RecordForm form(context, std::move(spec));
  return form.run(request);
}

ListSpec bancosList() {
  ListSpec spec;
  spec.procedure = "BrowseBancos";
  spec.title = "Bancos registrados";
  spec.listTip = "Bancos registrados";
  spec.table = TableId::Bancos;
  spec.tabs = {{"Por nombre", ban::KEYNOMBRE}};
  spec.format = "80L(2)|M*~Nombre~@s40@";
  spec.columns = {ValueSource::of(ban::NOMBRE)};
  spec.searchColumns = "Nombre|@s40|ban:Nombre|";
  spec.form = UpdateBancos;
  return spec;
}

Response BrowseBancos(Context& context, Request request) {
  ListWindow window(context, bancosList());
  return window.run(request);
}

bool StartBrowseBancos(const std::filesystem::path& dataDir, Messages& messages) {
  return ListWindow::startOnItsOwn(std::make_unique<Context>(dataDir, messages), bancosList());
}

}  // namespace fin::masterdata
