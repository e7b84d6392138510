#include "ui/paged_table.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace fin::ui {

PagedTable::PagedTable(QWidget* parent) : QTableView(parent) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // the window's own scroll bar ranges over the view
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  verticalHeader()->setVisible(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  setShowGrid(false);
  setWordWrap(false);
  setTabKeyNavigation(false);
  setContextMenuPolicy(Qt::NoContextMenu);
}

int PagedTable::rowsThatFit() const {
  const int h = verticalHeader()->defaultSectionSize();
  return std::max(1, viewport()->height() / std::max(1, h));
}

void PagedTable::keyPressEvent(QKeyEvent* event) {
  if (handlers_.key && handlers_.key(event)) return;
  QTableView::keyPressEvent(event);
}

void PagedTable::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y() / 40;  // three rows a notch
  if (handlers_.wheel && steps != 0) handlers_.wheel(-steps);
  event->accept();
}

void PagedTable::mousePressEvent(QMouseEvent* event) {
  QTableView::mousePressEvent(event);
  const int row = rowAt(event->position().toPoint().y());
  if (event->button() == Qt::LeftButton && row >= 0 && handlers_.clicked) handlers_.clicked(row);
}

void PagedTable::mouseReleaseEvent(QMouseEvent* event) {
  QTableView::mouseReleaseEvent(event);
  if (event->button() != Qt::RightButton || !handlers_.contextMenu) return;
  const int row = rowAt(event->position().toPoint().y());
  handlers_.contextMenu(event->globalPosition().toPoint(), row);
}

void PagedTable::mouseDoubleClickEvent(QMouseEvent* event) {
  const int row = rowAt(event->position().toPoint().y());
  if (event->button() == Qt::LeftButton && row >= 0 && handlers_.doubleClicked) {
    handlers_.doubleClicked(row);
    return;
  }
  QTableView::mouseDoubleClickEvent(event);
}

void PagedTable::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  if (handlers_.resized) handlers_.resized();
}

}  // namespace fin::ui
