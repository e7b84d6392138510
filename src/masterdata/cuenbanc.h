// Bank accounts: the list "Cuentas bancarias" with its three totals and the
// account form with its bank and account-type drop-downs.
#pragma once

#include "data/context.h"
#include "ui/list_window.h"
#include "ui/request.h"

namespace fin::masterdata {

ui::Response UpdateCuenBanc(Context& context, ui::Request request);
ui::Response BrowseCuenBanc(Context& context, ui::Request request = ui::Request::None);

ui::ListSpec cuenBancList();

}  // namespace fin::masterdata
