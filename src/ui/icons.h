// The program's own icons (SVG, in resources/icons).
#pragma once

#include <QIcon>

namespace fin::ui {

enum class Icon { Insert, Change, Delete, View, Close, Ok, Cancel, Print, Search, Program, Start };

QIcon icon(Icon which);

}  // namespace fin::ui
