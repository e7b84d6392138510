// The process-wide values: the user's name, the working date and whether
// access was granted. One instance for the whole process, written only on
// the main thread before the main window is shown.
#pragma once

#include <cstdint>
#include <string>

#include "data/date.h"

namespace fin::app {

struct Globals {
  std::string nombre;  // GLO:NOMBRE, 60 characters, blank at start
  Date fecha;          // GLO:FECHA, the working date given to new operations; no date at start
  uint8_t acceso = 0;  // GLO:ACCESO, 1 once access was granted
};

Globals& globals();

}  // namespace fin::app
