#include "ui/record_list_model.h"

#include <QApplication>
#include <QPalette>

namespace fin::ui {

RecordListModel::RecordListModel(std::vector<ModelColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {}

void RecordListModel::setRows(std::vector<ViewRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

const ViewRow* RecordListModel::row(int i) const {
  return i >= 0 && i < static_cast<int>(rows_.size()) ? &rows_[static_cast<size_t>(i)] : nullptr;
}

void RecordListModel::setGreyed(std::set<int> columns) {
  greyed_ = std::move(columns);
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void RecordListModel::setRecord(int row, const Record& record) {
  if (row < 0 || row >= rowCount()) return;
  rows_[static_cast<size_t>(row)].record = record;
  emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void RecordListModel::insertBlankRow(int at, const Record& record) {
  at = std::clamp(at, 0, rowCount());
  beginInsertRows({}, at, at);
  rows_.insert(rows_.begin() + at, ViewRow{record, 0});
  endInsertRows();
}

void RecordListModel::removeRowAt(int at) {
  if (at < 0 || at >= rowCount()) return;
  beginRemoveRows({}, at, at);
  rows_.erase(rows_.begin() + at);
  endRemoveRows();
}

int RecordListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RecordListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  const ModelColumn& c = columns_[static_cast<size_t>(index.column())];
  switch (role) {
    case Qt::DisplayRole: {
      const ViewRow& r = rows_[static_cast<size_t>(index.row())];
      return QString::fromStdString(formatValue(r.record, c.value, c.picture)).trimmed();
    }
    case Qt::TextAlignmentRole: {
      Qt::Alignment h = Qt::AlignLeft;
      if (c.format.justify == Justify::Right || c.format.justify == Justify::Decimal) h = Qt::AlignRight;
      if (c.format.justify == Justify::Center) h = Qt::AlignHCenter;
      return QVariant::fromValue(h | Qt::AlignVCenter);
    }
    case Qt::BackgroundRole:
      if (index.row() % 2 == 0) return kShading;  // positions 1, 3, 5, ... of the page
      return {};
    case Qt::ForegroundRole:
      if (greyed_.count(index.column())) return QApplication::palette().color(QPalette::Disabled, QPalette::Text);
      return {};
    default: return {};
  }
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  if (role == Qt::DisplayRole) return QString::fromStdString(columns_[static_cast<size_t>(section)].format.header);
  return {};
}

}  // namespace fin::ui
