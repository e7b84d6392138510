// The list control of a list window: a table that shows one page of rows
// and hands every key, wheel turn and click that moves through the view to
// its window, which reads the next page from the store.
#pragma once

#include <QTableView>
#include <functional>

namespace fin::ui {

class PagedTable : public QTableView {
  Q_OBJECT
 public:
  struct Handlers {
    std::function<bool(QKeyEvent*)> key;      // true when handled
    std::function<void(int steps)> wheel;     // rows to scroll, negative upwards
    std::function<void(int row)> clicked;     // a row chosen with the mouse
    std::function<void(int row)> doubleClicked;
    std::function<void(const QPoint& global, int row)> contextMenu;
    std::function<void()> resized;
  };

  explicit PagedTable(QWidget* parent = nullptr);
  void setHandlers(Handlers h) { handlers_ = std::move(h); }
  // Rows of the current height that fit the viewport.
  int rowsThatFit() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  Handlers handlers_;
};

}  // namespace fin::ui
