#include "masterdata/bancos.h"

#include "data/tables.h"
#include "ui/record_form.h"

namespace fin::masterdata {

using namespace fin::ui;

Response UpdateBancos(Context& context, Request request) {
  FormSpec decl;
  decl.procedure = "UpdateBancos";
  decl.designedCaption = "Form Bancos";
  decl.table = TableId::Bancos;
  decl.fields = {
      {.field = ban::NOMBRE, .prompt = "&Nombre:", .control = "?BAN:NOMBRE", .picture = "@s40",
       .tip = "Nombre del banco", .required = true},
      {.field = ban::NOTAS, .prompt = "&Notas:", .control = "?BAN:NOTAS", .tip = "Notas o comentarios",
       .readOnlyInView = false, .kind = FieldKind::Notes},
  };
  RecordForm form(context, std::move(decl));
  return form.run(request);
}

ListSpec bancosList() {
  ListSpec decl;
  decl.procedure = "BrowseBancos";
  decl.title = "Bancos registrados";
  decl.listTip = "Bancos registrados";
  decl.table = TableId::Bancos;
  decl.tabs = {{"Por nombre", ban::KEYNOMBRE}};
  decl.format = "80L(2)|M*~Nombre~@s40@";
  decl.columns = {ValueSource::of(ban::NOMBRE)};
  decl.searchColumns = "Nombre|@s40|ban:Nombre|";
  decl.form = UpdateBancos;
  return decl;
}

Response BrowseBancos(Context& context, Request request) {
  ListWindow window(context, bancosList());
  return window.run(request);
}

bool StartBrowseBancos(const std::filesystem::path& dataDir, Messages& messages) {
  return ListWindow::startOnItsOwn(std::make_unique<Context>(dataDir, messages), bancosList());
}

}  // namespace fin::masterdata
