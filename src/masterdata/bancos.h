// The banks: the list "Bancos registrados" and the form of a bank.
#pragma once

#include <filesystem>

#include "data/context.h"
#include "ui/list_window.h"
#include "ui/request.h"

namespace fin::masterdata {

ui::Response UpdateBancos(Context& context, ui::Request request);
ui::Response BrowseBancos(Context& context, ui::Request request = ui::Request::None);
// Starts the list on its own (a data context of its own, modeless); false
// when it was open already and was brought to the front.
bool StartBrowseBancos(const std::filesystem::path& dataDir, Messages& messages);

ui::ListSpec bancosList();

}  // namespace fin::masterdata
