#include "masterdata/categorias.h"

#include "data/tables.h"
#include "masterdata/category_list.h"
#include "ui/record_form.h"

namespace fin::masterdata {

using namespace fin::ui;

namespace {

Response categoryForm(Context& context, Request request, const char* procedure, const char* caption, TableId table,
                      FieldId description, const char* control, bool required) {
  FormSpec spec;
  spec.procedure = procedure;
  spec.designedCaption = caption;
  spec.table = table;
  spec.fields = {{.field = description, .prompt = "&Descripción:", .control = control, .picture = "@s30",
                  .tip = "Descripción de la categoría", .required = required}};
  RecordForm form(context, std::move(spec));
  return form.run(request);
}

Response runCategoryList(Context& context, Request request, ListSpec spec, FieldId description) {
  CategoryList window(context, std::move(spec), description);
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
  ListSpec spec;
  spec.procedure = "BrowseCateIngr";
  spec.title = "Categorías de ingresos";
  spec.listTip = "Categorías de ingresos";
  spec.table = TableId::CateIngr;
  spec.tabs = {{"Por descripción", cin::KEYDESCRIPCION}};
  spec.format = "187L(2)|M*~Descripción~@s30@56R(1)|M*~Ingresos~@n-14.2@";
  spec.columns = {ValueSource::of(cin::DESCRIPCION), ValueSource::of(cin::TOTALINGRESOS)};
  spec.searchColumns = "Descripción|@s30|cin:Descripcion|Ingresos|@n-14.2|cin:TotalIngresos|";
  spec.totals = {{"?LOC:SUMA", "Suma:", "Total de ingresos", ValueSource::of(cin::TOTALINGRESOS).term()}};
  // ReporteCatIngresos comes with the listings; until then the button is shown disabled.
  spec.buttons = {{"?BUTTON6", "&Reporte", "Impresión del reporte de categorías de ingresos", {}}};
  return spec;
}

ListSpec cateEgreList() {
  ListSpec spec;
  spec.procedure = "BrowseCateEgre";
  spec.title = "Categorías de egresos";
  spec.listTip = "Categorías de egresos";
  spec.table = TableId::CateEgre;
  spec.tabs = {{"Por descripción", ceg::KEYDESCRIPCION}};
  spec.format = "185L(2)|M*~Descripción~@s30@56R(2)|M*~Egresos~@n-14.2@";
  spec.columns = {ValueSource::of(ceg::DESCRIPCION), ValueSource::of(ceg::TOTALEGRESOS)};
  spec.searchColumns = "Descripción|@s30|ceg:Descripcion|Egresos|@n-14.2|ceg:TotalEgresos|";
  spec.totals = {{"?LOC:SUMA", "Suma:", "Suma de egresos", ValueSource::of(ceg::TOTALEGRESOS).term()}};
  spec.buttons = {{"?BUTTON6", "Im&primir", "Impresión del reporte de categorías de egresos", {}}};
  return spec;
}

Response BrowseCateIngr(Context& context, Request request) {
  return runCategoryList(context, request, cateIngrList(), cin::DESCRIPCION);
}

Response BrowseCateEgre(Context& context, Request request) {
  return runCategoryList(context, request, cateEgreList(), ceg::DESCRIPCION);
}

}  // namespace fin::masterdata
