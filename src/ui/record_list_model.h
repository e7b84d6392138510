// The rows of the visible page of a list window, formatted by the columns
// of its list format. Rows at odd positions of the page (first, third, ...)
// are shaded pale green; the shading follows the page, not the records.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <set>
#include <vector>

#include "data/view.h"
#include "ui/field_text.h"
#include "ui/list_format.h"
#include "ui/picture.h"

namespace fin::ui {

// Windows colour 0xE7F2D5: red 0xD5, green 0xF2, blue 0xE7.
inline const QColor kShading(0xD5, 0xF2, 0xE7);

struct ModelColumn {
  ListColumn format;
  Picture picture;
  ValueSource value;
};

class RecordListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit RecordListModel(std::vector<ModelColumn> columns, QObject* parent = nullptr);

  void setRows(std::vector<ViewRow> rows);
  const std::vector<ViewRow>& rows() const { return rows_; }
  const ViewRow* row(int i) const;
  const std::vector<ModelColumn>& columns() const { return columns_; }
  // Columns drawn in grey text (a total column while a row is edited in place).
  void setGreyed(std::set<int> columns);
  // Replaces one row's record (in-place editing shows what is typed).
  void setRecord(int row, const Record& record);
  void insertBlankRow(int at, const Record& record);
  void removeRowAt(int at);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<ModelColumn> columns_;
  std::vector<ViewRow> rows_;
  std::set<int> greyed_;
};

}  // namespace fin::ui
