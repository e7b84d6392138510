#include "app/data_directory.h"

#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

namespace fin::app {

std::filesystem::path defaultDataDirectory() {
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return std::filesystem::path(base.toStdString()) / "finanzas";
}

std::optional<std::string> prepareDataDirectory(const std::filesystem::path& dir) {
  std::error_code ec;
  // The components that do not exist yet, so that a failure can take them away again.
  std::vector<std::filesystem::path> created;
  for (std::filesystem::path p = std::filesystem::absolute(dir, ec); !p.empty() && !std::filesystem::exists(p, ec);
       p = p.parent_path()) {
    created.push_back(p);
    if (p == p.parent_path()) break;
  }
  auto undo = [&] {
    std::error_code ignored;
    for (const auto& p : created) std::filesystem::remove(p, ignored);  // innermost first; only empty ones go
  };
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    undo();
    return ec.message() + " (" + std::to_string(ec.value()) + ")";
  }
  if (!std::filesystem::is_directory(dir, ec)) {
    undo();
    return "No es un directorio (20)";
  }
  const auto probe = dir / ".finanzas-escritura";
  {
    std::ofstream out(probe);
    if (!out) {
      const int code = errno;
      undo();
      return std::string(std::strerror(code)) + " (" + std::to_string(code) + ")";
    }
  }
  std::filesystem::remove(probe, ec);
  return std::nullopt;
}

}  // namespace fin::app
