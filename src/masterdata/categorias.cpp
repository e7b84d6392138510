#include "masterdata/categorias.h"

#include "data/tables.h"
#include "masterdata/category_list.h"
#include "ui/record_form.h"

namespace fin::masterdata {

using namespace fin::ui;

namespace {

Response categoryForm(Context& context, Request request, const char* procedure, const char* caption, TableId table,
                      FieldId description, const char* control, bool required) {
  FormSpec decl;
  decl.procedure = procedure;
  decl.designedCaption = caption;
  decl.table = table;
  decl.fields = {{.field = description, .prompt = "&Descripción:", .control = control, .picture = "@s30",
                  .tip = "Descripción de la categoría", .required = required}};
  RecordForm form(context, std::move(decl));
  return form.run(request);
}

Response runCategoryList(Context& context, Request request, ListSpec decl, FieldId description) {
  CategoryList window(context, std::move(decl), description);
  return window.run(request);
}

}  // namespace

Response UpdateCateIngr(Context& context, Request request) {
  return categoryForm(context, request, "UpdateCateIngr", "Form CateIngr", TableId::CateIngr, cin::DESCRIPCION,
                      "?CIN:DESCRIPCION", true);
}

// An empty expense description may be stored; its key leaves it out of the list.
Response UpdateCateEgre(Context& context, Request request) {
  return categoryForm(context, request, "UpdateCateEgre", "Form CateEgre", TableId::CateEgre, ceg::DESCRIPCION,
                      "?CEG:DESCRIPCION", false);
}

ListSpec cateIngrList() {
  ListSpec decl;
  decl.procedure = "BrowseCateIngr";
  decl.title = "Categorías de ingresos";
  decl.listTip = "Categorías de ingresos";
  decl.table = TableId::CateIngr;
  decl.tabs = {{"Por descripción", cin::KEYDESCRIPCION}};
  decl.format = "187L(2)|M*~Descripción~@s30@56R(1)|M*~Ingresos~@n-14.2@";
  decl.columns = {ValueSource::of(cin::DESCRIPCION), ValueSource::of(cin::TOTALINGRESOS)};
  decl.searchColumns = "Descripción|@s30|cin:Descripcion|Ingresos|@n-14.2|cin:TotalIngresos|";
  decl.totals = {{"?LOC:SUMA", "Suma:", "Total de ingresos", ValueSource::of(cin::TOTALINGRESOS).term()}};
  // ReporteCatIngresos comes with the listings; until then the button is shown disabled.
  decl.buttons = {{"?BUTTON6", "&Reporte", "Impresión del reporte de categorías de ingresos", {}}};
  return decl;
}

ListSpec cateEgreList() {
  ListSpec decl;
  decl.procedure = "BrowseCateEgre";
  decl.title = "Categorías de egresos";
  decl.listTip = "Categorías de egresos";
  decl.table = TableId::CateEgre;
  decl.tabs = {{"Por descripción", ceg::KEYDESCRIPCION}};
  decl.format = "185L(2)|M*~Descripción~@s30@56R(2)|M*~Egresos~@n-14.2@";
  decl.columns = {ValueSource::of(ceg::DESCRIPCION), ValueSource::of(ceg::TOTALEGRESOS)};
  decl.searchColumns = "Descripción|@s30|ceg:Descripcion|Egresos|@n-14.2|ceg:TotalEgresos|";
  decl.totals = {{"?LOC:SUMA", "Suma:", "Suma de egresos", ValueSource::of(ceg::TOTALEGRESOS).term()}};
  decl.buttons = {{"?BUTTON6", "Im&primir", "Impresión del reporte de categorías de egresos", {}}};
  return decl;
}

Response BrowseCateIngr(Context& context, Request request) {
  return runCategoryList(context, request, cateIngrList(), cin::DESCRIPCION);
}

Response BrowseCateEgre(Context& context, Request request) {
  return runCategoryList(context, request, cateEgreList(), ceg::DESCRIPCION);
}

}  // namespace fin::masterdata
