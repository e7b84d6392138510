#include "masterdata/category_list.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

#include "ui/paged_table.h"

namespace fin::masterdata {

using namespace fin::ui;

namespace {
enum : uint16_t { kMsgSaveRecord = 38 };
}

CategoryList::CategoryList(Context& context, ListSpec decl, FieldId description, QWidget* parent)
    : ListWindow(context, std::move(decl), parent), description_(description) {}

void CategoryList::insertRecord() {
  if (editing() || !actionsConnected()) return;
  Record blank(context().file(decl().table).def());
  int at = model()->rowCount() == 0 ? 0 : selectedRow() + 1;
  model()->insertBlankRow(at, blank);
  if (model()->rowCount() > pageSize()) {
    if (at >= pageSize()) {  // below the visible page: the list scrolls by one row
      model()->removeRowAt(0);
      --at;
    } else {
      model()->removeRowAt(model()->rowCount() - 1);
    }
  }
  startEditing(at, true);
}

void CategoryList::changeRecord() {
  if (editing() || !actionsConnected() || !selectedRecord()) return;
  startEditing(selectedRow(), false);
}

void CategoryList::deleteRecord() {
  if (editing() || !actionsConnected() || !fetchSelected()) return;
  (void)context().relation(decl().table).remove();  // a failure was reported by the file layer
  reload();
  table()->setFocus();
}

void CategoryList::startEditing(int row, bool isNew) {
  selectRow(row);
  if (!isNew && !fetchSelected()) return;  // gone meanwhile: reported and the list reloaded
  row_ = row;
  isNew_ = isNew;
  recno_ = isNew ? 0 : context().file(decl().table).currentRecno();
  original_ = isNew ? QString() : QString::fromStdString(context().buffer(decl().table).text(description_));
  editor_ = new PictureEdit(Picture::text(fieldDef(description_).capacity()), table()->viewport());
  editor_->setObjectName("?BROWSE:1:EDIT");
  editor_->showValue(original_);
  editor_->setToolTip(table()->toolTip());
  editor_->installEventFilter(this);
  placeEditor();
  editor_->show();
  editor_->setFocus(Qt::OtherFocusReason);
  model()->setGreyed({1});  // the total column is never entered
}

void CategoryList::placeEditor() {
  if (editor_) editor_->setGeometry(table()->visualRect(model()->index(row_, 0)));
}

bool CategoryList::changed() const {
  QString now = editor_->text();
  while (now.endsWith(' ')) now.chop(1);
  return now != original_;
}

bool CategoryList::store() {
  if (!changed()) return true;
  FileAccess& file = context().file(decl().table);
  busy_ = true;
  Status s;
  if (isNew_) {
    file.buffer().clear();
    s = file.buffer().setText(description_, editor_->text().toStdString());
    if (s) s = file.insert();
  } else {  // the buffer holds the row as it was read when the editing started
    s = file.buffer().setText(description_, editor_->text().toStdString());
    if (s) s = context().relation(decl().table).update();
  }
  busy_ = false;
  if (!s) {  // the file layer has shown why; the editing goes on in the description
    editor_->setFocus(Qt::OtherFocusReason);
    return false;
  }
  recno_ = file.currentRecno();
  isNew_ = false;
  original_ = editor_->text().trimmed();
  return true;
}

void CategoryList::finish(Leave how) {
  if (!editor_) return;
  if (how == Leave::Store && !store()) return;
  editor_->removeEventFilter(this);
  editor_->hide();
  editor_->deleteLater();
  editor_ = nullptr;
  model()->setGreyed({});
  reload();  // around the edited record, with the total summed again
  if (recno_) showRecord(recno_);
  table()->setFocus(Qt::OtherFocusReason);
}

void CategoryList::stepTo(int delta) {
  const bool adding = isNew_;
  if (adding && !changed()) return;  // nothing typed yet: the new row stays in editing
  if (!store()) return;
  finish(Leave::Drop);  // stored already
  if (adding) {
    insertRecord();  // a further new row, below the one just stored
    return;
  }
  moveSelection(delta);
  if (selectedRecord()) startEditing(selectedRow(), false);
}

bool CategoryList::endEditing() {
  if (editing()) finish(Leave::Store);
  return !editing();
}

bool CategoryList::eventFilter(QObject* watched, QEvent* event) {
  if (!editor_ || watched != editor_) return ListWindow::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter: finish(Leave::Store); return true;
      case Qt::Key_Escape: finish(Leave::Drop); return true;
      case Qt::Key_Backtab: return true;  // no other column takes the entry
      case Qt::Key_Tab: {
        if (!changed()) {
          finish(Leave::Drop);
          return true;
        }
        busy_ = true;
        const Button answer = context().messages().ask(kMsgSaveRecord, {}, kYes | kNo | kCancel, kYes);
        busy_ = false;
        if (answer == kYes) finish(Leave::Store);
        else if (answer == kNo) finish(Leave::Drop);
        else editor_->setFocus(Qt::OtherFocusReason);
        return true;
      }
      case Qt::Key_Up: stepTo(-1); return true;
      case Qt::Key_Down: stepTo(1); return true;
      default: break;
    }
  }
  if (event->type() == QEvent::FocusOut && !busy_) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
      // Leaving the list stores a changed row, once the focus change is over.
      QTimer::singleShot(0, this, [this] {
        if (editor_ && !editor_->hasFocus() && !busy_) finish(Leave::Store);
      });
    }
  }
  return ListWindow::eventFilter(watched, event);
}

}  // namespace fin::masterdata
