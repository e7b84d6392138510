// The column search window vsFind ("Buscar:"): the user chooses a column of
// a list and types a value; the window returns the search criterion
// MATCH(field,'value',17) that the list evaluates record by record.
#pragma once

#include <string>

class QWidget;

namespace fin {
class Messages;
}

namespace fin::ui {

// What a list window keeps of its searches while it is open.
struct SearchMemory {
  std::string column;  // header of the column last chosen (60 characters)
  std::string value;   // value last typed there (60 characters)
};

// Opens the search window over `columnList` ("Nombre|@s40|ban:Nombre|"),
// starting from `memory`. Returns the criterion: empty after "Cancelar", or
// when another search window is already open. "&Encontrar" and "&Siguiente"
// update `memory`; "&Siguiente" also sets `nextMatch`.
std::string vsFind(Messages& messages, const std::string& columnList, SearchMemory& memory, bool& nextMatch,
                   QWidget* parent);

}  // namespace fin::ui
