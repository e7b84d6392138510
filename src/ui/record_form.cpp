#include "ui/record_form.h"

#include <QApplication>
#include <algorithm>
#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "data/cp1252.h"
#include "ui/enter_key.h"
#include "ui/field_text.h"
#include "ui/focus_marker.h"
#include "ui/icons.h"
#include "ui/picture_edit.h"
#include "ui/platform.h"
#include "ui/status_line.h"
#include "ui/teardown.h"

namespace fin::ui {
namespace {

enum : uint16_t { kMsgCancelChanges = 10, kMsgConfirmDelete = 11, kMsgRetryUpdate = 37 };

// History records per form, per thread, for the whole run.
std::map<std::string, Record>& histories() {
  thread_local std::map<std::string, Record> perThread;
  return perThread;
}

// A notes box that holds what a memo can: 255 Windows-1252 characters.
class NotesEdit : public QPlainTextEdit {
 public:
  explicit NotesEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
      const std::string text = toPlainText().toStdString();
      auto bytes = cp1252::fromUtf8(text);
      if (bytes && bytes->size() <= 255) {
        last_ = toPlainText();
        return;
      }
      QApplication::beep();
      QSignalBlocker block(this);
      setPlainText(last_);
      moveCursor(QTextCursor::End);
    });
  }
  void show(const QString& text) {
    last_ = text;
    QSignalBlocker block(this);
    setPlainText(text);
  }

 private:
  QString last_;
};

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

const Record* formHistory(const std::string& procedure) {
  auto it = histories().find(procedure);
  return it == histories().end() ? nullptr : &it->second;
}

QString RecordForm::captionFor(Request request) {
  switch (request) {
    case Request::Insert: return QString::fromUtf8("Altas");
    case Request::Change: return QString::fromUtf8("Modificaciones");
    case Request::View: return QString::fromUtf8("Consulta");
    default: return {};
  }
}

RecordForm::RecordForm(Context& context, FormSpec decl, QWidget* parent)
    : QDialog(parent), context_(context), spec_(std::move(decl)) {
  setObjectName(QString::fromStdString(spec_.procedure));
  setWindowTitle(spec_.designedCaption);
  setWindowModality(Qt::WindowModal);
  setSizeGripEnabled(true);
}

RecordForm::~RecordForm() { detachChildren(this); }

QWidget* RecordForm::makeControl(const FormField& f, QWidget* parent) {
  const FieldDef& def = fieldDef(f.field);
  switch (f.kind) {
    case FieldKind::Entry: {
      auto picture = Picture::parse(f.picture).value_or(Picture::text(def.capacity()));
      auto* edit = new PictureEdit(picture, parent);
      if (picture.kind() == Picture::Kind::Number) edit->setAlignment(Qt::AlignRight);
      const int chars = std::min(std::max(picture.width(), 6), 60);
      edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * (chars + 2));
      connect(edit, &PictureEdit::valueAccepted, this, [this, &f] { accepted(f); });
      return edit;
    }
    case FieldKind::Notes: {
      auto* notes = new NotesEdit(parent);
      notes->setMinimumHeight(notes->fontMetrics().height() * 4);
      notes->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
      connect(notes, &QPlainTextEdit::textChanged, this, [this, &f] { accepted(f); });
      return notes;
    }
    case FieldKind::Lookup: {
      const int shown = Picture::parse(f.picture).value_or(Picture::text(def.capacity())).width();
      auto* combo = new LookupCombo(context_, *f.lookup, def.capacity(), shown, parent);
      connect(combo, &LookupCombo::valueAccepted, this, [this, &f] { accepted(f); });
      return combo;
    }
    case FieldKind::Options: {
      auto* box = new QGroupBox(f.prompt, parent);
      auto* layout = new QHBoxLayout(box);
      auto* group = new QButtonGroup(box);
      for (int i = 0; i < f.options.size(); ++i) {
        auto* radio = new QRadioButton(f.options[i], box);
        radio->setObjectName(f.control + ":" + QString::number(i + 1));
        radio->setToolTip(f.tip);
        group->addButton(radio, i);
        layout->addWidget(radio);
      }
      connect(group, &QButtonGroup::idClicked, this, [this, &f](int) { accepted(f); });
      return box;
    }
  }
  return nullptr;
}

void RecordForm::build() {
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("?CURRENTTAB");
  auto* page = new QWidget(tabs_);
  auto* pageLayout = new QVBoxLayout(page);
  tabs_->addTab(page, QString::fromUtf8("Datos"));
  layout->addWidget(tabs_);

  QFormLayout* form = nullptr;
  QString currentGroup;
  for (const FormField& f : spec_.fields) {
    if (!form || f.group != currentGroup) {
      currentGroup = f.group;
      QWidget* holder = page;
      if (!f.group.isEmpty()) {
        auto* box = new QGroupBox(f.group, page);
        holder = box;
        pageLayout->addWidget(box);
      }
      form = new QFormLayout;
      form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
      form->setHorizontalSpacing(fontMetrics().averageCharWidth() * 4);  // room for the focus marker's "»"
      if (holder == page)
        pageLayout->addLayout(form);
      else
        holder->setLayout(form);
    }
    QWidget* parent = form->parentWidget() ? form->parentWidget() : page;
    QWidget* w = makeControl(f, parent);
    w->setObjectName(f.control);
    w->setToolTip(f.tip);
    w->setStatusTip(f.tip);
    Bound b{&f, w, nullptr};
    if (f.kind == FieldKind::Options) {
      form->addRow(w);
    } else {
      b.prompt = new QLabel(f.prompt, parent);
      b.prompt->setObjectName(f.control + ":PROMPT");
      b.prompt->setBuddy(w);
      if (f.calendar) {
        auto* row = new QHBoxLayout;
        row->addWidget(w);
        auto* calendar = new QToolButton(parent);
        calendar->setObjectName("?CALENDAR");
        calendar->setIcon(icon(Icon::Search));
        calendar->setToolTip(QString::fromUtf8("Buscar fecha"));
        calendar->setStatusTip(calendar->toolTip());
        connect(calendar, &QToolButton::clicked, this, [this, &f, w] {
          auto* edit = static_cast<PictureEdit*>(w);
          edit->acceptInput();
          (void)storeField(Bound{&f, w, nullptr}, record(), true);
          if (auto picked = platform().datePicker->pick(this, record().date(f.field))) {
            record().setDate(f.field, *picked);
            showField(f.field);
            accepted(f);
          }
        });
        row->addWidget(calendar);
        row->addStretch();
        form->addRow(b.prompt, row);
      } else {
        form->addRow(b.prompt, w);
      }
    }
    w->installEventFilter(this);
    bound_.push_back(b);
  }
  const bool hasNotes = std::any_of(spec_.fields.begin(), spec_.fields.end(),
                                    [](const FormField& f) { return f.kind == FieldKind::Notes; });
  if (!hasNotes) pageLayout->addStretch();  // otherwise the notes take what the window grows

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  ok_ = new QPushButton(icon(Icon::Ok), QString::fromUtf8("Aceptar"), this);
  ok_->setObjectName("?OK");
  ok_->setToolTip(spec_.okTip);
  ok_->setStatusTip(spec_.okTip);
  ok_->setDefault(true);
  cancel_ = new QPushButton(icon(Icon::Cancel), QString::fromUtf8("Cancelar"), this);
  cancel_->setObjectName("?CANCEL");
  cancel_->setToolTip(spec_.cancelTip);
  cancel_->setStatusTip(spec_.cancelTip);
  cancel_->setProperty(PictureEdit::kSkipsAcceptance, true);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  layout->addLayout(buttons);
  layout->addWidget(new StatusLine(this));
  connect(ok_, &QPushButton::clicked, this, &RecordForm::save);
  connect(cancel_, &QPushButton::clicked, this, &RecordForm::reject);

  EnterKey::install(this, EnterRule::Form);
  FocusMarker::install(this);
}

QWidget* RecordForm::control(FieldId field) const {
  for (const Bound& b : bound_)
    if (b.decl->field == field) return b.widget;
  return nullptr;
}

void RecordForm::showField(FieldId field) {
  for (const Bound& b : bound_) {
    if (b.decl->field != field) continue;
    const Record& r = record();
    switch (b.decl->kind) {
      case FieldKind::Entry: {
        auto* edit = static_cast<PictureEdit*>(b.widget);
        edit->showValue(qs(formatField(r, field.index, edit->picture())).trimmed());
        break;
      }
      case FieldKind::Notes: static_cast<NotesEdit*>(b.widget)->show(qs(r.text(field))); break;
      case FieldKind::Lookup: static_cast<LookupCombo*>(b.widget)->showStored(qs(r.text(field))); break;
      case FieldKind::Options: {
        const QString value = qs(r.text(field));
        for (auto* radio : b.widget->findChildren<QRadioButton*>()) {
          QSignalBlocker block(radio);
          radio->setAutoExclusive(false);
          radio->setChecked(radio->text() == value);
          radio->setAutoExclusive(true);
        }
        break;
      }
    }
  }
}

void RecordForm::showAll() {
  for (const Bound& b : bound_) showField(b.decl->field);
}

void RecordForm::setFieldEnabled(FieldId field, bool enabled) {
  if (QWidget* w = control(field)) w->setEnabled(enabled);
}

// Reads a control into `into`; false when its text is refused.
bool RecordForm::storeField(const Bound& b, Record& into, bool quietly) {
  const uint16_t field = b.decl->field.index;
  switch (b.decl->kind) {
    case FieldKind::Entry: {
      auto* edit = static_cast<PictureEdit*>(b.widget);
      if (!quietly && !edit->isReadOnly() && !edit->acceptInput()) return false;
      const std::string text = quietly ? edit->text().toStdString() : edit->acceptedText();
      return parseIntoField(into, field, edit->picture(), text);
    }
    case FieldKind::Notes:
      return into.setText(field, static_cast<NotesEdit*>(b.widget)->toPlainText().toStdString()).isOk();
    case FieldKind::Lookup:
      return into.setText(field, static_cast<LookupCombo*>(b.widget)->value().toStdString()).isOk();
    case FieldKind::Options:
      for (auto* radio : b.widget->findChildren<QRadioButton*>())
        if (radio->isChecked()) return into.setText(field, radio->text().toStdString()).isOk();
      return true;
  }
  return true;
}

void RecordForm::accepted(const FormField& f) {
  for (const Bound& b : bound_) {
    if (b.decl != &f) continue;
    if (request_ == Request::View) return;  // nothing done in view mode is stored or acted upon
    if (storeField(b, record(), true)) fieldAccepted(f.field);
  }
}

bool RecordForm::isEmpty(const Bound& b) const {
  return context_.buffer(spec_.table).isEmpty(b.decl->field.index);
}

// Every field is accepted once more in screen order, so its own checks run.
bool RecordForm::acceptAllFields() {
  for (const Bound& b : bound_) {
    if (!b.widget->isEnabled()) continue;
    if (b.decl->kind == FieldKind::Lookup) {
      auto* combo = static_cast<LookupCombo*>(b.widget);
      if (combo->needsAcceptance() && !combo->acceptInput()) {
        combo->setFocus();
        return false;
      }
    }
    if (!storeField(b, record(), false)) {
      b.widget->setFocus();
      return false;
    }
  }
  return true;
}

bool RecordForm::recordChanged() {
  Record current = record();
  for (const Bound& b : bound_)
    if (!storeField(b, current, true)) return true;  // a text not yet accepted is a change too
  return !(current == *original_);
}

void RecordForm::focusFirstField() {
  for (const Bound& b : bound_) {
    if (!b.widget->isEnabled()) continue;
    if (b.decl->kind == FieldKind::Options) {
      auto radios = b.widget->findChildren<QRadioButton*>();
      if (!radios.isEmpty()) radios.front()->setFocus(Qt::OtherFocusReason);
    } else {
      b.widget->setFocus(Qt::OtherFocusReason);
    }
    return;
  }
}

void RecordForm::save() {
  if (request_ == Request::View) {
    response_ = Response::Cancelled;
    QDialog::reject();
    return;
  }
  if (!acceptAllFields()) return;
  for (const Bound& b : bound_) {
    if (b.decl->required && isEmpty(b)) {
      b.widget->setFocus(Qt::OtherFocusReason);  // no message; nothing stored
      return;
    }
  }
  histories().insert_or_assign(spec_.procedure, record());
  FileAccess& file = context_.file(spec_.table);
  if (request_ == Request::Insert) {
    if (!file.insert()) {  // the file layer has shown why
      focusFirstField();
      return;
    }
  } else if (!(record() == *original_)) {
    for (;;) {
      Status s = context_.relation(spec_.table).update();
      if (s) break;
      if (s.code() == Code::Changed) {  // the other user's version is now shown
        original_ = record();
        showAll();
        focusFirstField();
        return;
      }
      if (s.code() != Code::Locked) {
        focusFirstField();
        return;
      }
      const Button answer = context_.messages().ask(kMsgRetryUpdate, {}, kYes | kNo | kCancel, kCancel);
      if (answer == kYes) continue;
      if (answer == kNo) {
        response_ = Response::Cancelled;
        QDialog::reject();
        return;
      }
      focusFirstField();
      return;
    }
  }
  response_ = Response::Completed;
  QDialog::accept();
}

void RecordForm::reject() {
  if (request_ != Request::View && recordChanged() && !context_.messages().raise(kMsgCancelChanges)) {
    focusFirstField();
    return;
  }
  if (request_ == Request::Insert) (void)context_.file(spec_.table).cancelPrimed();  // a failure was reported
  response_ = Response::Cancelled;
  QDialog::reject();
}

void RecordForm::recallHistory(const Bound& b) {
  if (!b.decl->history || !b.widget->isEnabled()) return;
  if (b.decl->kind == FieldKind::Entry && static_cast<PictureEdit*>(b.widget)->isReadOnly()) return;
  const Record* history = formHistory(spec_.procedure);
  Record empty(record().def());
  const Record& from = history ? *history : empty;
  const uint16_t f = b.decl->field.index;
  const FieldDef& def = record().def().field(f);
  if (def.isText())
    (void)record().setRawText(f, from.rawText(f));  // same table, same width: it fits
  else
    (void)record().setNumber(f, from.number(f));  // it came from the same field
  showField(b.decl->field);
  fieldAccepted(b.decl->field);
}

bool RecordForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_H && key->modifiers() == Qt::ControlModifier) {
      for (const Bound& b : bound_)
        if (b.widget == watched || b.widget->isAncestorOf(qobject_cast<QWidget*>(watched))) {
          recallHistory(b);
          return true;
        }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void RecordForm::applyViewMode() {
  for (const Bound& b : bound_) {
    if (!b.decl->readOnlyInView) continue;
    if (auto* edit = qobject_cast<PictureEdit*>(b.widget))
      edit->setReadOnly(true);
    else
      b.widget->setEnabled(false);
  }
  for (auto* calendar : findChildren<QToolButton*>("?CALENDAR")) calendar->setEnabled(false);
}

Response RecordForm::deleteWithoutWindow() {
  if (!context_.messages().raise(kMsgConfirmDelete)) return Response::Cancelled;
  return context_.relation(spec_.table).remove() ? Response::Completed : Response::Cancelled;
}

Response RecordForm::run(Request request) {
  RegisteredWindow registered(spec_.procedure);
  if (!registered.admitted()) {
    // Open elsewhere: the number a caller reserved for a new record is given back.
    if (request == Request::Insert) (void)context_.file(spec_.table).cancelPrimed();  // a failure was reported
    return Response::Cancelled;
  }
  registered.attach(this);
  TablesInUse tables(context_, spec_.tables.empty() ? std::vector<TableId>{spec_.table} : spec_.tables);

  request_ = request;
  if (request == Request::Delete) return deleteWithoutWindow();
  build();
  for (const Bound& b : bound_)
    if (b.decl->kind == FieldKind::Lookup) static_cast<LookupCombo*>(b.widget)->fill();
  setWindowTitle(captionFor(request));
  original_ = record();
  showAll();
  if (request == Request::View) applyViewMode();
  opened();
  original_ = record();
  adjustSize();
  setMinimumSize(size());
  focusFirstField();
  exec();
  return response_;
}

}  // namespace fin::ui
