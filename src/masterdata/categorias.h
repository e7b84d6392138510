// Income and expense categories: the lists edited in place, with their
// "Suma:" totals, and the forms that the operation form and the first-run
// wizard use to add them.
#pragma once

#include "data/context.h"
#include "ui/list_window.h"
#include "ui/request.h"

namespace fin::masterdata {

ui::Response UpdateCateIngr(Context& context, ui::Request request);
ui::Response UpdateCateEgre(Context& context, ui::Request request);
ui::Response BrowseCateIngr(Context& context, ui::Request request = ui::Request::None);
ui::Response BrowseCateEgre(Context& context, ui::Request request = ui::Request::None);

ui::ListSpec cateIngrList();
ui::ListSpec cateEgreList();

}  // namespace fin::masterdata
