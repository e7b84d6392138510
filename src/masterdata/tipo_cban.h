// The bank account types: the list "Tipos de cuentas bancarias" and its form.
#pragma once

#include <filesystem>

#include "data/context.h"
#include "ui/list_window.h"
#include "ui/request.h"

namespace fin::masterdata {

ui::Response UpdateTipoCban(Context& context, ui::Request request);
ui::Response BrowseTipoCban(Context& context, ui::Request request = ui::Request::None);
bool StartBrowseTipoCban(const std::filesystem::path& dataDir, Messages& messages);

ui::ListSpec tipoCbanList();

}  // namespace fin::masterdata
