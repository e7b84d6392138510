#include "app/globals.h"

namespace fin::app {

Globals& globals() {
  static Globals g;
  return g;
}

}  // namespace fin::app
