// The list window: what every list of the program shares. A list shows the
// records of its table in the order of the selected tab's key, page by page
// (only the visible rows are read; the scroll bar ranges over the whole
// view), and calls the table's form to add, change, delete and view them.
//
// A window declares only what is its own (ListSpec): title, tabs and keys,
// list format and the value of each column, the search column list, the
// form, totals. This class gives it the record buttons "Nuevo", "Editar",
// "Borrar", "Ver" and "Volver", the keys and mouse actions, the context menu,
// the key locator, the search (Ctrl+F, F3) and search filter (Ctrl+T), the
// row shading, header sorting, the refresh after a form, proportional
// resizing with the opening size as minimum, the focus marker and the
// open-window rule. Windows that edit rows in place (the category lists)
// override the record actions.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/context.h"
#include "data/view.h"
#include "ui/field_text.h"
#include "ui/find_dialog.h"
#include "ui/record_list_model.h"
#include "ui/request.h"
#include "ui/search_binding.h"
#include "ui/window_registry.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTabBar;
class QHBoxLayout;
class QVBoxLayout;

namespace fin::ui {

class PagedTable;

struct ListTab {
  QString caption;  // "Por nombre"
  KeyId key;
};

// A read-only display of a sum over the whole view, under the list.
struct ListTotal {
  QString control;  // "?LOC:SUMA"
  QString prompt;   // "Suma:" (may be empty)
  QString tip;
  SumTerm term;
};

// A button of the window's own (a print button), after the record buttons.
// Without an action it is shown disabled (its window comes later).
struct ListButton {
  QString control;  // "?BUTTON6"
  QString caption;  // "Im&primir"
  QString tip;
  std::function<void(Context&)> action;  // called modally; the list refreshes afterwards
};

struct ListSpec {
  std::string procedure;  // "BrowseBancos"
  QString title;
  QString listTip;
  TableId table;
  std::vector<ListTab> tabs;
  std::string format;               // "80L(2)|M*~Nombre~@s40@"
  std::vector<ValueSource> columns;  // the value of each column of the format
  std::string searchColumns;        // "Nombre|@s40|ban:Nombre|"
  std::vector<NamedValue> named;    // values known to the search besides the fields
  Procedure form;                   // UpdateBancos
  bool headerSort = false;
  bool enterMovesFocus = false;
  std::vector<ListTotal> totals;
  std::vector<ListButton> buttons;
  std::vector<TableId> tables;      // opened for the window's life (the table itself when empty)
  int visibleRows = 12;             // rows at the designed size
  bool modal = true;                // false: the main window, which blocks no other window
};

class ListWindow : public QDialog {
  Q_OBJECT
 public:
  // The window is modal to `parent`, by default the window that calls it.
  ListWindow(Context& context, ListSpec decl, QWidget* parent = callerWindow());
  ~ListWindow() override;

  // Runs the window modally; Response::Cancelled when it was already open.
  Response run(Request request = Request::None);
  // Registers the window, opens its tables and fills its first page without
  // waiting for the user (run() calls it); false when it was already open.
  bool open(Request request);
  // Closes its tables and leaves the registry (run() and the destructor call it).
  void release();
  // Shows the window without waiting, with a data context of its own, and
  // deletes it when it closes. False (and nothing shown) when it was already
  // open: that window was brought to the front.
  static bool startOnItsOwn(std::unique_ptr<Context> context, ListSpec decl);

  // --- state, for the windows built on this class and for tests ---
  const View& view() const { return view_; }
  int64_t firstOrdinal() const { return first_; }
  int pageSize() const { return pageSize_; }
  // The selected row of the page (-1 when the list is empty).
  int selectedRow() const { return selected_; }
  const ViewRow* selectedRecord() const;
  RecordListModel* model() const { return model_; }
  const std::vector<int64_t>& totals() const { return view_.sums(); }

 protected:
  // The record actions; by default they open the table's form.
  virtual void insertRecord();
  virtual void changeRecord();
  virtual void deleteRecord();
  virtual void viewRecord();
  // After every reload of the view (totals are shown here).
  virtual void reloaded();
  // Called before a button acts or the window closes, so that an edit in
  // progress can end; false when it cannot (its row could not be stored),
  // and then nothing else happens.
  virtual bool endEditing() { return true; }
  // Lets a window add controls of its own: under the list (`listColumn`) or
  // beside it (`outer`). Called once, when the window is built.
  virtual void addControls(QVBoxLayout* listColumn, QHBoxLayout* outer) {
    (void)listColumn;
    (void)outer;
  }
  // Called once the window shows its first page, before the user works.
  virtual void opened() {}
  QPushButton* closeButton() const { return close_; }

  Context& context() { return context_; }
  const ListSpec& decl() const { return spec_; }
  PagedTable* table() const { return table_; }
  QHBoxLayout* extraButtons() const { return extraButtons_; }
  QPushButton* addButton(const QString& control, const QString& caption, const QString& tip, const QIcon& icon);

  // Reloads the view (counts, order, totals) and shows the page again.
  void reload();
  // Shows the page that holds `ordinal` with that row selected.
  void showOrdinal(int64_t ordinal);
  void showRecord(int64_t recno);
  // Makes the selected record current in the buffer; false when it is gone.
  bool fetchSelected();
  // What the window does after its form returns (refresh rules of the lists).
  void afterForm(Request request, Response response);
  void fillPage();
  void selectRow(int row);
  void moveSelection(int delta);
  bool actionsConnected() const { return request_ != Request::View; }

  // The keys of the list (its control hands them over); true when handled.
  bool listKey(QKeyEvent* key);
  // "Volver" and the close box: the window closes once any editing has ended.
  void reject() override;

 private:
  friend class PagedTable;
  void build();
  void updateButtons();
  void scrollTo(int64_t first);
  void tabChanged(int index);
  void act(const std::function<void()>& action);
  void headerClicked(int column);
  void contextMenu(const QPoint& at);
  void locate(const QString& typed);
  void openSearch(bool filter);
  void search(int64_t from);
  void showSearchBox(const char* title, const char* text, bool informative);
  void recomputePageSize();
  void scaleColumns();
  void callForm(Request request);

  Context& context_;
  std::unique_ptr<Context> ownContext_;
  ListSpec spec_;
  Request request_ = Request::None;
  Response response_ = Response::Cancelled;
  std::unique_ptr<RegisteredWindow> registered_;
  std::optional<TablesInUse> tables_;
  View view_;
  RecordListModel* model_ = nullptr;
  PagedTable* table_ = nullptr;
  QScrollBar* scroll_ = nullptr;
  QTabBar* tabs_ = nullptr;
  QHBoxLayout* extraButtons_ = nullptr;
  QPushButton* insert_ = nullptr;
  QPushButton* change_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* view_button_ = nullptr;
  QPushButton* close_ = nullptr;
  std::vector<QLineEdit*> totalDisplays_;
  std::vector<int> designedWidths_;
  int designedViewportWidth_ = 0;
  int64_t first_ = 0;
  int pageSize_ = 12;
  int selected_ = -1;
  std::optional<int> sortColumn_;
  bool sortDescending_ = false;
  std::string criterion_;
  SearchMemory memory_;
  std::string filterCriterion_;
};

}  // namespace fin::ui
