#include "ui/icons.h"

static void loadResources() { Q_INIT_RESOURCE(resources); }

namespace fin::ui {

QIcon icon(Icon which) {
  static const bool loaded = (loadResources(), true);
  (void)loaded;
  switch (which) {
    case Icon::Insert: return QIcon(":/icons/agregar.svg");
    case Icon::Change: return QIcon(":/icons/editar.svg");
    case Icon::Delete: return QIcon(":/icons/borrar.svg");
    case Icon::View: return QIcon(":/icons/ver.svg");
    case Icon::Close: return QIcon(":/icons/volver.svg");
    case Icon::Ok: return QIcon(":/icons/aceptar.svg");
    case Icon::Cancel: return QIcon(":/icons/cancelar.svg");
    case Icon::Print: return QIcon(":/icons/imprimir.svg");
    case Icon::Search: return QIcon(":/icons/buscar.svg");
    case Icon::Program: return QIcon(":/icons/finanzas.svg");
    case Icon::Start: return QIcon(":/icons/inicio.svg");
  }
  return {};
}

}  // namespace fin::ui
