#include "data/messages.h"

#include <array>

namespace fin {
namespace {

constexpr MessageKind Q = MessageKind::Question;
constexpr MessageKind P = MessageKind::ProgramError;
constexpr MessageKind F = MessageKind::FatalError;
constexpr MessageKind I = MessageKind::Information;

// Entries 44 to 47, 52 and 53 belong to facilities the program does not have
// (queries by example, mail, news, network, a report writer); no window
// raises them, and their texts are our own.
constexpr MessageEntry kTable[] = {
    {1, I, "Error de Retribución",
     "Error: (%ErrorText) al intentar acceder al registro de tabla %File .  Regresando a ventana previa."},
    {2, I, "Acceso Denegado",
     "No pudo obtener acceso de escritura en Tabla %File"},
    {3, Q, "Registro Agregado",
     "Refistro agregado al archivo. ¿ Desea agregar otro ?"},
    {4, I, "Error en Agregar",
     "Un error fue experimentado durante la creación del registro. Error: %ErrorText."},
    {5, I, "¿Agregar nuevo registro?",
     "Registro no encontrado, ¿desea agregar una nuevo?"},
    {6, I, "Error de Acceso",
     "El Archivo %File no puede ser cerrado.  Error: %ErrorText."},
    {7, I, "Registro no fue Actualizado",
     "El registro puede haber sido fue modificado por otra estación."},
    {8, I, "Registro no Actualizado",
     "Este registro fue modificado por otra estación. Los cambios serán mostrados ahora. Use el botón Ditto or Ctrl+' para restaurar sus cambios."},
    {9, I, "Error al traer el Regisro",
     "Este registro fue modificado por otra estación. Los cambios serán mostrados ahora.|Error: (%ErrorText) "},
    {10, Q, "Cambios no seran Realizados!",
     "¿Desea Ud.cancelar?"},
    {11, Q, "Confirmar Borrado",
     "¿ Está seguro que desea eliminar el registro seleccionado?"},
    {12, F, "Error en creación de Tabla",
     "Error: (%ErrorText) creando %File."},
    {13, I, "Registro no fue Borrado",
     "Un error (%ErrorText) fue experimentado al borrar del Archivo %File ."},
    {14, I, "Pedido Inválido",
     "Esta Ficha no puede ser usada para Borrar un registro"},
    {15, I, "Error Clave Duplicada",
     "Agregar este registro crea una clave duplicada para la clave: %Message"},
    {16, I, "Error en Contenido de campo",
     "El valor de %Field debe existir en tabla %Message."},
    {17, I, "Error en Valor",
     "El valor del campo %Field debe estar en esta lista : %Message."},
    {18, I, "Error de Rango",
     "El valor de %Field debe ser entre %Message."},
    {19, I, "Error en Rango",
     "El valor de %Field debe ser menor que %Message."},
    {20, I, "Error de Rango",
     "El valor de %Field debe ser mayor que %Message."},
    {21, I, "Error Carga Archivo",
     "Archivo %File no pudo cargarse.  Error: %ErrorText."},
    {22, F, "WMF Error",
     "La lectura del siguiente registro de %File ha fallado."},
    {23, I, "Pedido Inválido",
     "Esta Ficha no puede ser usada para insertar un registro"},
    {24, I, "Transacción Cancelada",
     "Error: (%ErrorText) al intentar enmarcar una transacción sobre tabla %File."},
    {25, I, "No hay Registros",
     "No se encontraron registros disponibles para procesar."},
    {26, F, "Error de Acceso",
     "Archivo (%File) no pudo ser abierto.  Error: %ErrorText."},
    {27, I, "Procedimiento no definido",
     "El Procedimiento %Message no fue definido."},
    {28, I, "Registro no fue Actualizado",
     "Un error (%ErrorText) fue experimentado al realizar cambioses to the %File file."},
    {29, F, "Clave no fue reconstruida",
     "Error: (%ErrorText) reparando clave para tabla: %File."},
    {30, I, "Clave Inválida",
     "%File : Clave inválida. Clave debe ser reconstruida."},
    {31, I, "Registro NO leido",
     "Un registro bloqueado por otra terminal fue encontrado al leer de tabla %File ."},
    {33, I, "Error de Integridad Referencial (Borrado)",
     "Este registro esta siendo referenciado desde la tabla %File. Este registro no puede ser eliminado mientras exista esta referencia."},
    {34, I, "Error de Integridad Referencial (Actualización)",
     "Este registro esta siendo referenciado desde la tabla %File. Los campo(s) linkeado(s) fueron configurados para que no permitan el cambio (RESTRICT en DCT) y serán vueltos a su valor original."},
    {35, Q, "Error AutoNumeración",
     "Los intentos para numerar automaticamente han fallado. Error: %ErrorText. ¿ Intentar nuevamente?"},
    {36, Q, "Error en Borrar Registro",
     "Un error fue experimentado al borrar el registro. ¿Desea intentar borrar nuevamente?"},
    {37, Q, "Error al Actualizar",
     "Un error se ha producido al grabar el registro. ¿Desea intentar grabarlo nuevamente?"},
    {38, Q, "Guardar Registro",
     "¿ Desea guardar los cambios?"},
    {39, Q, "Comienzo de Archivo",
     "El comienzo del archivo fue encontrado. ¿ Desea comenzar nuevamente desde el final del archivo?"},
    {40, Q, "Error Fin de Archivo",
     "El fin de Archivo fue encontrado . ¿ Desea comenzar nuevamente desde el comienzo ?"},
    {41, I, "Pedido Inválido",
     "Esta Ficha no puede ser usada para Actualizar un registro"},
    {42, P, "Error de Uso",
     "Se ha intentado utilizar la tabla (%File) antes de estar ABIERTA"},
    {43, I, "Error al Abrir Vista",
     "Error: (%ErrorText) al intentar abrir la vista (VIEW) actual. Filtros y Rangos serán ignorados."},
    {44, I, "Error de Consulta",
     "Error: (%ErrorText) al ejecutar la consulta sobre la tabla %File."},
    {45, I, "Error de Correo",
     "Error: (%ErrorText) al enviar el correo."},
    {46, I, "Error de Noticias",
     "Error: (%ErrorText) al leer las noticias."},
    {47, I, "Error de Red",
     "Error: (%ErrorText) en la conexión de red."},
    {48, F, "WMF Parser Error",
     "Adding record to queue failed. Parsing %File."},
    {49, F, "WMF Error",
     "El Archivo %File no es un WMF Valido."},
    {50, F, "WMF Error",
     "Invalid %Field control found. Parsing %File."},
    {51, F, "WMF Error",
     "No se ha encontrado el campo %Field en el Archivo %File."},
    {52, I, "Error de Reporte",
     "Error: (%ErrorText) al preparar el reporte %File."},
    {53, I, "Error de Reporte",
     "Error: (%ErrorText) al imprimir el reporte %File."},
};

constexpr std::string_view kFatalSuffix = "  Press OK to end this application";

}  // namespace

std::span<const MessageEntry> messageTable() { return kTable; }

const MessageEntry* findMessage(uint16_t number) {
  for (const MessageEntry& e : kTable)
    if (e.number == number) return &e;
  return nullptr;
}

std::string fillPlaceholders(std::string_view text, const MessageArgs& args) {
  struct Placeholder {
    std::string_view name;
    const std::string* value;
  };
  const Placeholder placeholders[] = {{"%ErrorText", &args.errorText},
                                      {"%Message", &args.message},
                                      {"%Field", &args.field},
                                      {"%File", &args.file}};
  std::string out;
  out.reserve(text.size() + 32);
  for (size_t i = 0; i < text.size();) {
    if (text[i] == '|') {
      out.push_back('\n');
      ++i;
      continue;
    }
    bool replaced = false;
    if (text[i] == '%') {
      for (const Placeholder& p : placeholders) {
        if (text.substr(i, p.name.size()) == p.name) {
          out += *p.value;
          i += p.name.size();
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) out.push_back(text[i++]);
  }
  return out;
}

std::optional<MessageBoxSpec> prepareMessage(uint16_t number, const MessageArgs& args) {
  const MessageEntry* entry = findMessage(number);
  if (!entry) return std::nullopt;
  MessageBoxSpec box;
  box.number = number;
  box.title = std::string(entry->title);
  box.text = fillPlaceholders(entry->text, args);
  switch (entry->kind) {
    case MessageKind::Information:
      box.icon = MessageIcon::Information;
      break;
    case MessageKind::Question:
      box.icon = MessageIcon::Exclamation;
      box.buttons = kYes | kNo;
      box.defaultButton = kYes;
      break;
    case MessageKind::ProgramError:
    case MessageKind::FatalError:
      box.icon = MessageIcon::Information;
      box.text += kFatalSuffix;
      box.endsProgram = true;
      break;
  }
  return box;
}

bool Messages::raise(uint16_t number, const MessageArgs& args) {
  std::optional<MessageBoxSpec> box = prepareMessage(number, args);
  if (!box) {
    MessageBoxSpec unknown;
    unknown.number = number;
    unknown.title = "Error";
    unknown.text = "Mensaje " + std::to_string(number) + " no definido.";
    unknown.icon = MessageIcon::Information;
    (void)presenter_.present(unknown);  // only one button to press
    return false;
  }
  const Button pressed = presenter_.present(*box);
  if (box->endsProgram) {
    presenter_.endProgram();
    return false;
  }
  return pressed == kYes || (pressed == kOk && box->buttons == kOk);
}

Button Messages::ask(uint16_t number, const MessageArgs& args, Buttons buttons, Button defaultButton) {
  std::optional<MessageBoxSpec> box = prepareMessage(number, args);
  if (!box) return defaultButton;
  box->icon = MessageIcon::Exclamation;
  box->buttons = buttons;
  box->defaultButton = defaultButton;
  box->endsProgram = false;
  return presenter_.present(*box);
}

}  // namespace fin
