// The category lists, whose rows are edited in place: "Nuevo", "Editar" and
// "Ver" open an entry box over the row's description; "Borrar" deletes at
// once. Enter stores a changed row, Esc drops the editing, Tab asks
// "Guardar Registro" for a changed row, Up and Down store and go on in the
// next row (or in a further new row while adding), and leaving the list
// stores a changed row. A failed store shows its message and the editing
// goes on. Every reload sums the category totals into "Suma:".
#pragma once

#include <optional>

#include "ui/list_window.h"
#include "ui/picture_edit.h"

namespace fin::masterdata {

class CategoryList : public ui::ListWindow {
  Q_OBJECT
 public:
  // `description` is the field edited in place (column 0 of the list).
  CategoryList(Context& context, ui::ListSpec decl, FieldId description, QWidget* parent = ui::callerWindow());

  bool editing() const { return editor_ != nullptr; }
  ui::PictureEdit* editor() const { return editor_; }

 protected:
  void insertRecord() override;
  void changeRecord() override;
  void deleteRecord() override;
  void viewRecord() override { changeRecord(); }
  bool endEditing() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Leave { Store, Drop };
  // Opens the entry over the row; an existing row is first read again, so
  // that storing it finds out whether another user changed it meanwhile.
  void startEditing(int row, bool isNew);
  void placeEditor();
  bool changed() const;
  // Stores the row when changed; false (editing goes on) when the store failed.
  bool store();
  void finish(Leave how);
  void stepTo(int delta);

  FieldId description_;
  ui::PictureEdit* editor_ = nullptr;
  int row_ = -1;
  bool isNew_ = false;
  int64_t recno_ = 0;
  QString original_;
  bool busy_ = false;  // a question or a store is under way: focus changes do not end the editing
};

}  // namespace fin::masterdata
