// The record form: what every form of the program shares. A form edits the
// record buffer of its table, is opened with a request (insert, change,
// delete, view) and returns completed or cancelled.
//
//   insert  caption "Altas"; the caller prepared the buffer (prime)
//   change  caption "Modificaciones"; the record is current in the buffer
//   view    caption "Consulta"; entries read-only, nothing is ever stored
//   delete  no window: "Confirmar Borrado", then the deletion
//
// A form declares only its fields (FormSpec); this class builds the tab
// "Datos" with a prompt (a label whose buddy is the control) for each,
// the buttons "Aceptar" and "Cancelar", the Enter-key rule, the focus
// marker, field history with Ctrl+H, required fields, the lookups and the
// questions on saving and cancelling. A form with behaviour of its own (the
// operation form) overrides the hooks.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/context.h"
#include "ui/lookup_combo.h"
#include "ui/picture.h"
#include "ui/request.h"
#include "ui/window_registry.h"

class QPushButton;
class QTabWidget;
class QLabel;
class QGroupBox;

namespace fin::ui {

enum class FieldKind { Entry, Notes, Lookup, Options };

struct FormField {
  FieldId field{};
  QString prompt{};          // "&Nombre:" (for options, the group's title "&Tipo")
  QString control{};         // "?BAN:NOMBRE"
  std::string picture{};     // "@s40" (entries and lookups)
  QString tip{};             // tooltip and status message
  bool required = false;
  bool readOnlyInView = true;
  bool history = true;
  FieldKind kind = FieldKind::Entry;
  std::optional<LookupSpec> lookup{};
  QStringList options{};     // radio texts, which are the stored values
  QString group{};           // fields with the same group stand in one group box
  bool calendar = false;    // a "Buscar fecha" button follows the entry
};

struct FormSpec {
  std::string procedure;    // "UpdateBancos"
  QString designedCaption;  // "Form Bancos"
  TableId table;
  std::vector<TableId> tables;  // opened for the form's life (the table itself when empty)
  std::vector<FormField> fields;
  QString okTip = QString::fromUtf8("Acepta y guarda los datos");
  QString cancelTip = QString::fromUtf8("Cancela la operación");
};

class RecordForm : public QDialog {
  Q_OBJECT
 public:
  // The form is modal to `parent`, by default the window that calls it.
  RecordForm(Context& context, FormSpec decl, QWidget* parent = callerWindow());
  ~RecordForm() override;

  // Runs the form for `request`; see the header comment.
  Response run(Request request);

  // The caption for a request ("Altas", "Modificaciones", "Consulta").
  static QString captionFor(Request request);

 protected:
  // Called after the user accepted a field (typed and left it, chose a radio).
  virtual void fieldAccepted(FieldId) {}
  // Called once the controls show the record, before the user works.
  virtual void opened() {}

  Context& context() { return context_; }
  Record& record() { return context_.buffer(spec_.table); }
  Request request() const { return request_; }
  const FormSpec& decl() const { return spec_; }
  QWidget* control(FieldId field) const;
  // Shows the buffer's value of `field` (or of every field) in its control.
  void showField(FieldId field);
  void showAll();
  // Enables or disables a field's control (its prompt stays as it is).
  void setFieldEnabled(FieldId field, bool enabled);

  void reject() override;

 private:
  struct Bound {
    const FormField* decl;
    QWidget* widget;
    QLabel* prompt = nullptr;
  };

  void build();
  QWidget* makeControl(const FormField& f, QWidget* parent);
  void applyViewMode();
  void accepted(const FormField& f);
  bool storeField(const Bound& b, Record& into, bool quietly);
  bool acceptAllFields();
  bool isEmpty(const Bound& b) const;
  bool recordChanged();
  void save();
  void focusFirstField();
  void recallHistory(const Bound& b);
  bool eventFilter(QObject* watched, QEvent* event) override;
  Response deleteWithoutWindow();

  Context& context_;
  FormSpec spec_;
  Request request_ = Request::None;
  Response response_ = Response::Cancelled;
  std::optional<Record> original_;
  std::vector<Bound> bound_;
  QTabWidget* tabs_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

// The history record of a form on this thread: the record last accepted with
// "Aceptar" in that form during this run (nullptr before any).
const Record* formHistory(const std::string& procedure);

}  // namespace fin::ui
