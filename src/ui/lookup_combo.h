// A lookup drop-down: an editable drop-down bound to a field of a form's
// record, listing a field of another table (the lookup table) in the order
// of its key, with type-ahead completion, and adding a typed value that the
// table lacks through that table's own form.
//
// A stored value that names no entry (its record was renamed or deleted) is
// shown as it is and kept unless the user changes it; only text the user
// typed can open the lookup table's form.
#pragma once

#include <QComboBox>
#include <optional>
#include <string>
#include <vector>

#include "data/context.h"
#include "data/schema.h"
#include "ui/field_text.h"
#include "ui/request.h"

class QStandardItemModel;

namespace fin::ui {

struct LookupSpec {
  TableId table;        // Bancos
  KeyId key;            // BAN:KEYNOMBRE, the order of the list
  FieldId listField;    // BAN:NOMBRE, the value taken into the form's field
  std::string format;   // "160L(2)|M~Nombre~@s40@": the list's columns
  std::vector<ValueSource> columns;  // what each column of the format shows (the first is listField)
  Procedure form;       // UpdateBancos, to add an unmatched value; empty: no adding
};

class LookupCombo : public QComboBox {
  Q_OBJECT
 public:
  // `capacity`: characters of the form's field; a longer entry is copied cut
  // to it. `shown`: characters the entry part shows.
  LookupCombo(Context& context, LookupSpec decl, int capacity, int shown, QWidget* parent = nullptr);

  // Reads the lookup table again.
  void fill();
  // Shows a value from the record: its entry when one matches, else the text itself.
  void showStored(const QString& value);
  // The value for the form's field (cut to its capacity).
  QString value() const;
  // True while the text was typed by the user and not yet accepted.
  bool needsAcceptance() const { return edited_; }
  // Accepts the text: a matching entry is chosen; an unmatched one opens the
  // lookup table's form (insert) and, when it completes, chooses the new
  // entry; when it is cancelled the field is emptied and false is returned.
  bool acceptInput();

 signals:
  void valueAccepted();

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void complete(const QString& typed);
  int findEntry(const QString& text, bool prefix) const;
  bool addThroughForm(const QString& typed);

  Context& context_;
  LookupSpec spec_;
  int capacity_;
  QStandardItemModel* model_;
  bool edited_ = false;
  bool accepting_ = false;
};

}  // namespace fin::ui
