#include "ui/find_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "data/criterion.h"
#include "data/messages.h"
#include "ui/enter_key.h"
#include "ui/focus_marker.h"
#include "ui/picture_edit.h"
#include "ui/search_binding.h"
#include "ui/teardown.h"
#include "ui/window_registry.h"

namespace fin::ui {
namespace {

// The working value: a text column's value without wildcards is looked for anywhere in the text.
std::string workingValue(const std::string& typed, const Picture& current) {
  const bool wildcards = typed.find_first_of("*?") != std::string::npos;
  const bool textColumn = current.written().find('s') != std::string::npos || current.written().find('S') != std::string::npos;
  if (wildcards || !textColumn) return typed;
  std::string trimmed = typed;
  while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
  return "*" + trimmed + "*";
}

}  // namespace

std::string vsFind(Messages& messages, const std::string& columnList, SearchMemory& memory, bool& nextMatch,
                   QWidget* parent) {
  RegisteredWindow registered("vsFind");
  if (!registered.admitted()) return {};
  const std::vector<SearchColumn> columns = parseSearchColumns(columnList);

  QDialog dialog(parent);
  registered.attach(&dialog);
  dialog.setObjectName("vsFind");
  dialog.setWindowTitle(QString::fromUtf8("Buscar:"));
  dialog.setWindowModality(Qt::WindowModal);
  auto* grid = new QGridLayout(&dialog);
  auto* fieldsPrompt = new QLabel(QString::fromUtf8("&Buscar en la columna:"), &dialog);
  fieldsPrompt->setObjectName("?SEARCHFIELDS:PROMPT");
  auto* fields = new QComboBox(&dialog);
  fields->setObjectName("?SEARCHFIELDS");
  for (const SearchColumn& c : columns) fields->addItem(QString::fromStdString(c.header));
  fieldsPrompt->setBuddy(fields);
  auto* valuePrompt = new QLabel(QString::fromUtf8("&Dato:"), &dialog);
  valuePrompt->setObjectName("?SEARCHVALUE:PROMPT");

  // The current picture: the remembered column's, else the last column's.
  Picture current = Picture::text(60);
  Picture entryPicture = Picture::text(60);
  if (!columns.empty()) current = Picture::parse(columns.back().picture).value_or(current);
  if (!memory.column.empty()) {
    for (size_t i = 0; i < columns.size(); ++i) {
      if (columns[i].header != memory.column) continue;
      fields->setCurrentIndex(static_cast<int>(i));
      current = Picture::parse(columns[i].picture).value_or(current);
      entryPicture = current;
    }
  }
  auto* value = new PictureEdit(entryPicture, &dialog);
  value->setObjectName("?SEARCHVALUE");
  value->setToolTip("Search for this value (wildcards accepted)\n(Eg. *computer*, Computer, Co??uter)");
  value->setStatusTip("Search for this value (wildcards accepted)");
  value->setMinimumWidth(value->fontMetrics().averageCharWidth() * 40);
  valuePrompt->setBuddy(value);
  if (!memory.value.empty()) value->showValue(QString::fromStdString(memory.value));
  auto* criterionDisplay = new QLabel(&dialog);
  criterionDisplay->setObjectName("?MATCHCRITERIA");
  criterionDisplay->hide();

  std::string criterion;
  auto rebuild = [&] {
    const int i = fields->currentIndex();
    criterion = i < 0 ? std::string()
                      : Criterion::build(columns[static_cast<size_t>(i)].name,
                                         workingValue(value->text().toStdString(), current));
    criterionDisplay->setText(QString::fromStdString(criterion));
  };
  rebuild();
  QObject::connect(value, &QLineEdit::textChanged, &dialog, [&] { rebuild(); });
  QObject::connect(fields, QOverload<int>::of(&QComboBox::currentIndexChanged), &dialog, [&] { rebuild(); });

  auto* find = new QPushButton(QString::fromUtf8("&Encontrar"), &dialog);
  find->setObjectName("?FIND");
  find->setDefault(true);
  auto* findNext = new QPushButton(QString::fromUtf8("&Siguiente"), &dialog);
  findNext->setObjectName("?FINDNEXT");
  auto* cancel = new QPushButton(QString::fromUtf8("Cancelar"), &dialog);
  cancel->setObjectName("?CANCEL");
  cancel->setProperty(PictureEdit::kSkipsAcceptance, true);
  for (QPushButton* b : {find, findNext, cancel}) b->setAutoDefault(false);

  grid->addWidget(fieldsPrompt, 0, 0);
  grid->addWidget(fields, 0, 1);
  grid->addWidget(valuePrompt, 1, 0);
  grid->addWidget(value, 1, 1);
  grid->addWidget(criterionDisplay, 2, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(find);
  buttons->addWidget(findNext);
  buttons->addWidget(cancel);
  grid->addLayout(buttons, 3, 0, 1, 2);

  auto leave = [&](bool next) {
    if (!value->acceptInput()) return;
    rebuild();
    if (fields->currentIndex() < 0) {
      MessageBoxSpec box;
      box.title = "Error";
      box.text = "Select a field first.";
      box.icon = MessageIcon::None;
      (void)messages.presenter().present(box);  // one button only
      return;
    }
    memory.column = fields->currentText().toStdString();
    memory.value = value->acceptedText();
    if (next) nextMatch = true;
    dialog.accept();
  };
  QObject::connect(find, &QPushButton::clicked, &dialog, [&] { leave(false); });
  QObject::connect(findNext, &QPushButton::clicked, &dialog, [&] { leave(true); });
  QObject::connect(cancel, &QPushButton::clicked, &dialog, [&] {
    criterion.clear();
    dialog.reject();
  });

  EnterKey::install(&dialog, EnterRule::Next);
  FocusMarker::install(&dialog);
  value->setFocus();
  dialog.exec();
  detachChildren(&dialog);  // the lambdas above refer to locals that go before the dialog does
  return criterion;
}

}  // namespace fin::ui
