#include "ui/lookup_combo.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>

#include "data/collation.h"
#include "data/cp1252.h"
#include "ui/list_format.h"
#include "ui/picture_edit.h"

namespace fin::ui {
namespace {

std::string folded(const QString& s) {
  std::string bytes = cp1252::fromUtf8(s.toStdString()).value_or(s.toStdString());
  for (char& c : bytes) c = static_cast<char>(collation::foldByte(static_cast<uint8_t>(c)));
  while (!bytes.empty() && bytes.back() == ' ') bytes.pop_back();
  return bytes;
}

}  // namespace

LookupCombo::LookupCombo(Context& context, LookupSpec decl, int capacity, int shown, QWidget* parent)
    : QComboBox(parent), context_(context), spec_(std::move(decl)), capacity_(capacity) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);  // completion is ours: the case rule of the keys
  setMinimumContentsLength(shown);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  model_ = new QStandardItemModel(this);
  setModel(model_);
  auto columns = parseListFormat(spec_.format).value_or(std::vector<ListColumn>{});
  if (columns.size() > 1) {
    auto* view = new QTableView(this);
    view->horizontalHeader()->setVisible(false);
    view->verticalHeader()->setVisible(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setShowGrid(false);
    setView(view);
    const int avg = fontMetrics().averageCharWidth();
    for (size_t i = 0; i < columns.size(); ++i)
      view->setColumnWidth(static_cast<int>(i), dialogUnitsToPixels(columns[i].width, avg));
    view->setMinimumWidth(view->horizontalHeader()->length() + 24);
  }
  connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
    edited_ = true;
    complete(text.left(lineEdit()->cursorPosition()));
  });
  connect(this, QOverload<int>::of(&QComboBox::activated), this, [this](int) {
    edited_ = false;
    emit valueAccepted();
  });
}

void LookupCombo::fill() {
  const QString keep = currentText();
  auto columns = parseListFormat(spec_.format).value_or(std::vector<ListColumn>{});
  std::vector<Picture> pictures;
  for (const ListColumn& c : columns) pictures.push_back(Picture::parse(c.picture).value_or(Picture::text(30)));
  model_->clear();
  TablesInUse open(context_, {spec_.table});
  FileAccess& file = context_.file(spec_.table);
  Record scratch(file.def());
  (void)file.scan(spec_.key, Direction::Forward, nullptr, false, scratch, [&](const Record& r, int64_t) {
    QList<QStandardItem*> row;
    row << new QStandardItem(QString::fromStdString(r.text(spec_.listField)));
    for (size_t i = 1; i < spec_.columns.size() && i < pictures.size(); ++i) {
      auto* item = new QStandardItem(QString::fromStdString(formatValue(r, spec_.columns[i], pictures[i])).trimmed());
      if (columns[i].justify == Justify::Right) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      row << item;
    }
    model_->appendRow(row);
    return true;
  });  // a failed read was reported by the file layer; the list shows what was read
  showStored(keep);
}

int LookupCombo::findEntry(const QString& text, bool prefix) const {
  const std::string wanted = folded(text);
  for (int i = 0; i < count(); ++i) {
    const std::string entry = folded(itemText(i));
    if (prefix ? entry.compare(0, wanted.size(), wanted) == 0 : entry == wanted) return i;
  }
  return -1;
}

void LookupCombo::showStored(const QString& value) {
  const int i = value.trimmed().isEmpty() ? -1 : findEntry(value, false);
  blockSignals(true);
  setCurrentIndex(i);
  setEditText(i >= 0 ? itemText(i) : value.trimmed());
  blockSignals(false);
  lineEdit()->setCursorPosition(0);
  edited_ = false;
}

void LookupCombo::complete(const QString& typed) {
  const int i = typed.isEmpty() ? -1 : findEntry(typed, true);
  if (i < 0) return;
  const QString full = itemText(i);
  blockSignals(true);
  setCurrentIndex(i);
  setEditText(full);
  blockSignals(false);
  lineEdit()->setSelection(static_cast<int>(typed.size()), static_cast<int>(full.size() - typed.size()));
}

QString LookupCombo::value() const { return currentText().trimmed().left(capacity_); }

bool LookupCombo::addThroughForm(const QString& typed) {
  if (!spec_.form) return false;
  TablesInUse open(context_, {spec_.table});
  FileAccess& file = context_.file(spec_.table);
  if (!file.prime()) return false;
  if (!file.buffer().setText(spec_.listField, typed.toStdString())) return false;
  if (spec_.form(context_, Request::Insert) != Response::Completed) return false;
  const QString added = QString::fromStdString(file.buffer().text(spec_.listField));
  fill();
  showStored(added);
  return true;
}

bool LookupCombo::acceptInput() {
  if (!edited_ || accepting_) return true;
  accepting_ = true;
  const QString typed = currentText().trimmed();
  bool ok = true;
  if (!typed.isEmpty()) {
    const int i = findEntry(typed, false);
    if (i >= 0) {
      showStored(itemText(i));
    } else if (!addThroughForm(typed)) {
      showStored(QString());  // cancelled (or refused): nothing is chosen
      ok = false;
    }
  }
  edited_ = false;
  accepting_ = false;
  emit valueAccepted();
  return ok;
}

void LookupCombo::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  if (!edited_ || event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) return;
  QWidget* next = QApplication::focusWidget();
  if (next && next->property(PictureEdit::kSkipsAcceptance).toBool()) return;
  // After the focus change is over: the lookup table's form may open.
  QTimer::singleShot(0, this, [this] {
    if (!acceptInput()) setFocus(Qt::OtherFocusReason);
  });
}

void LookupCombo::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Backspace && lineEdit()->hasSelectedText()) {
    // Backspace takes away the completion and the last typed character, then completes again.
    const QString typed = currentText().left(lineEdit()->selectionStart());
    const QString shorter = typed.left(typed.size() - 1);
    blockSignals(true);
    setEditText(shorter);
    blockSignals(false);
    edited_ = true;
    complete(shorter);
    return;
  }
  QComboBox::keyPressEvent(event);
}

}  // namespace fin::ui
