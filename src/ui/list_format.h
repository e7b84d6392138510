// List format strings, the way list windows and drop-downs describe their
// columns: one item per column, for example "80L(2)|M*~Nombre~@s40@":
// 80 units wide, left justified with an indent of 2, resizable (M), with
// colour values of its own (*), header "Nombre", picture "@s40".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fin::ui {

enum class Justify { Left, Right, Center, Decimal };

struct ListColumn {
  int width = 0;   // dialog units
  Justify justify = Justify::Left;
  int indent = 0;  // dialog units
  bool resizable = false;
  bool colored = false;  // carries its four colour values
  std::string header;    // UTF-8
  std::string picture;   // "@s40"
};

// The columns of a format string; nullopt when it is malformed.
std::optional<std::vector<ListColumn>> parseListFormat(std::string_view format);

// Dialog units to pixels for a font whose average character is
// `averageCharWidth` pixels wide (a horizontal unit is a quarter of it).
inline int dialogUnitsToPixels(int units, int averageCharWidth) { return (units * averageCharWidth + 2) / 4; }

}  // namespace fin::ui
