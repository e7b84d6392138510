// Where the data files and kovar.INI live: the directory given with
// --data-dir, otherwise the user's data location (on Linux
// ~/.local/share/finanzas), created when missing.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace fin::app {

std::filesystem::path defaultDataDirectory();

// Creates `dir` when missing and checks that files can be written in it.
// Returns the reason (an %ErrorText) when it cannot be used, after removing
// whatever it created itself.
std::optional<std::string> prepareDataDirectory(const std::filesystem::path& dir);

}  // namespace fin::app
