#include "ui/list_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QEventLoop>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QVBoxLayout>

#include "data/collation.h"
#include "data/cp1252.h"
#include "ui/enter_key.h"
#include "ui/focus_marker.h"
#include "ui/icons.h"
#include "ui/paged_table.h"
#include "ui/status_line.h"
#include "ui/teardown.h"

namespace fin::ui {
namespace {

enum : uint16_t { kMsgRecordGone = 9 };

// Draws a cell with its column's indent.
class IndentDelegate : public QStyledItemDelegate {
 public:
  IndentDelegate(std::vector<int> indents, QObject* parent) : QStyledItemDelegate(parent), indents_(std::move(indents)) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem o(option);
    const int indent = index.column() < static_cast<int>(indents_.size()) ? indents_[index.column()] : 0;
    o.rect.adjust(indent, 0, -indent, 0);
    // The background spans the whole cell; only the text moves in.
    if (auto bg = index.data(Qt::BackgroundRole); bg.isValid() && !(option.state & QStyle::State_Selected))
      painter->fillRect(option.rect, bg.value<QColor>());
    QStyledItemDelegate::paint(painter, o, index);
  }

 private:
  std::vector<int> indents_;
};

// The width a column needs to show its header and a full value of its
// picture in this font; the designed width in dialog units assumed a
// narrower font than the desktop's.
int legibleWidth(const ListColumn& column, const Picture& picture, const QFontMetrics& fm) {
  const int padding = 14;
  int needed = fm.horizontalAdvance(QString::fromStdString(column.header)) + padding;
  switch (picture.kind()) {
    case Picture::Kind::Date: needed = std::max(needed, fm.horizontalAdvance("00/00/0000") + padding); break;
    case Picture::Kind::Text: {
      // A short code (upper case) or a number of up to 15 characters is shown whole; a long text may be cut.
      const int upper = fm.horizontalAdvance(QString(std::min(picture.width(), 10), 'N'));
      const int digits = fm.horizontalAdvance(QString(std::min(picture.width(), 15), '0'));
      needed = std::max(needed, std::max(upper, digits) + padding);
      break;
    }
    default:  // numbers: as many digits as the picture is wide
      needed = std::max(needed, fm.horizontalAdvance(QString(std::min(picture.width(), 15), '0')) + padding);
      break;
  }
  return needed;
}

// Does `text` begin with `typed`, under the case rule?
bool beginsWith(const std::string& text, const std::string& typed) {
  auto a = cp1252::fromUtf8(text);
  auto b = cp1252::fromUtf8(typed);
  if (!a || !b || b->empty() || a->size() < b->size()) return false;
  return collation::compareCp1252(a->substr(0, b->size()), *b) == 0;
}

}  // namespace

ListWindow::ListWindow(Context& context, ListSpec decl, QWidget* parent)
    : QDialog(parent),
      context_(context),
      spec_(std::move(decl)),
      view_(context.file(spec_.table), spec_.tabs.front().key) {
  setObjectName(QString::fromStdString(spec_.procedure));
  setWindowTitle(spec_.title);
  setWindowModality(Qt::WindowModal);
  setSizeGripEnabled(true);
  std::vector<SumTerm> terms;
  for (const ListTotal& t : spec_.totals) terms.push_back(t.term);
  view_.setSums(std::move(terms));
}

ListWindow::~ListWindow() {
  detachChildren(this);
  release();
}

const ViewRow* ListWindow::selectedRecord() const { return model_ ? model_->row(selected_) : nullptr; }

QPushButton* ListWindow::addButton(const QString& control, const QString& caption, const QString& tip,
                                   const QIcon& icon) {
  auto* b = new QPushButton(icon, caption, this);
  b->setObjectName(control);
  b->setToolTip(tip);
  b->setStatusTip(tip);
  b->setAutoDefault(false);
  extraButtons_->addWidget(b);
  return b;
}

void ListWindow::build() {
  auto* outer = new QHBoxLayout(this);
  auto* layout = new QVBoxLayout;
  outer->addLayout(layout, 1);
  tabs_ = new QTabBar(this);
  tabs_->setObjectName("?CURRENTTAB");
  tabs_->setExpanding(false);
  for (const ListTab& t : spec_.tabs) tabs_->addTab(t.caption);
  layout->addWidget(tabs_);

  std::vector<ModelColumn> columns;
  std::vector<int> indents;
  const int avg = fontMetrics().averageCharWidth();
  auto formats = parseListFormat(spec_.format).value_or(std::vector<ListColumn>{});
  for (size_t i = 0; i < formats.size() && i < spec_.columns.size(); ++i) {
    const Picture picture = Picture::parse(formats[i].picture).value_or(Picture::text(30));
    columns.push_back(ModelColumn{formats[i], picture, spec_.columns[i]});
    designedWidths_.push_back(
        std::max(dialogUnitsToPixels(formats[i].width, avg), legibleWidth(formats[i], picture, fontMetrics())));
    indents.push_back(dialogUnitsToPixels(formats[i].indent, avg));
  }
  model_ = new RecordListModel(std::move(columns), this);
  table_ = new PagedTable(this);
  table_->setObjectName("?BROWSE:1");
  table_->setToolTip(spec_.listTip);
  table_->setModel(model_);
  table_->setItemDelegate(new IndentDelegate(indents, table_));
  QHeaderView* header = table_->horizontalHeader();
  header->setHighlightSections(false);
  header->setSectionsClickable(spec_.headerSort);
  header->setSortIndicatorShown(false);
  header->setStretchLastSection(false);
  for (size_t i = 0; i < designedWidths_.size(); ++i) {
    header->setSectionResizeMode(static_cast<int>(i), model_->columns()[i].format.resizable ? QHeaderView::Interactive
                                                                                             : QHeaderView::Fixed);
    table_->setColumnWidth(static_cast<int>(i), designedWidths_[i]);
  }
  designedViewportWidth_ = 0;
  for (int w : designedWidths_) designedViewportWidth_ += w;
  const int rowHeight = table_->verticalHeader()->defaultSectionSize();
  table_->setMinimumSize(designedViewportWidth_ + 2 * table_->frameWidth() + 2,
                         header->sizeHint().height() + rowHeight * spec_.visibleRows + 2 * table_->frameWidth());
  scroll_ = new QScrollBar(Qt::Vertical, this);
  scroll_->setObjectName("?BROWSE:1:SCROLL");
  auto* listRow = new QHBoxLayout;
  listRow->setSpacing(0);
  listRow->addWidget(table_, 1);
  listRow->addWidget(scroll_);
  layout->addLayout(listRow, 1);

  auto* buttons = new QHBoxLayout;
  auto recordButton = [&](const char* control, const char* caption, Icon ic, const char* tip) {
    auto* b = new QPushButton(icon(ic), QString::fromUtf8(caption), this);
    b->setObjectName(control);
    b->setToolTip(QString::fromUtf8(tip));
    b->setStatusTip(b->toolTip());
    b->setAutoDefault(false);
    buttons->addWidget(b);
    return b;
  };
  insert_ = recordButton("?INSERT:3", "Nuevo", Icon::Insert, "Agregar un nuevo registro");
  change_ = recordButton("?CHANGE:3", "Editar", Icon::Change, "Editar el registro seleccionado");
  delete_ = recordButton("?DELETE:3", "Borrar", Icon::Delete, "Eliminar el registro seleccionado");
  view_button_ = recordButton("?VIEW:2", "Ver", Icon::View, "Consultar el registro seleccionado");
  extraButtons_ = new QHBoxLayout;
  buttons->addLayout(extraButtons_);
  for (const ListButton& lb : spec_.buttons) {
    QPushButton* b = addButton(lb.control, lb.caption, lb.tip, icon(Icon::Print));
    b->setEnabled(static_cast<bool>(lb.action));
    connect(b, &QPushButton::clicked, this, [this, action = lb.action] {
      act([&] {
        action(context_);
        fillPage();
        reloaded();
        table_->setFocus();
      });
    });
  }
  buttons->addStretch();
  layout->addLayout(buttons);

  if (!spec_.totals.empty()) {
    auto* totals = new QHBoxLayout;
    totals->addStretch();
    for (const ListTotal& t : spec_.totals) {
      auto* display = new QLineEdit(this);
      display->setObjectName(t.control);
      display->setReadOnly(true);
      display->setFocusPolicy(Qt::NoFocus);
      display->setAlignment(Qt::AlignRight);
      display->setToolTip(t.tip);
      display->setStatusTip(t.tip);
      display->setMinimumWidth(avg * 16);
      if (!t.prompt.isEmpty()) {
        auto* prompt = new QLabel(t.prompt, this);
        prompt->setObjectName(t.control + ":PROMPT");
        prompt->setBuddy(display);
        totals->addWidget(prompt);
      }
      totals->addWidget(display);
      totalDisplays_.push_back(display);
    }
    layout->addLayout(totals);
  }

  auto* bottom = new QHBoxLayout;
  auto* hint = new QLabel(QString::fromUtf8("Control-F: Buscar"), this);
  hint->setObjectName("?STRING1");
  bottom->addWidget(hint);
  bottom->addStretch();
  close_ = new QPushButton(icon(Icon::Close), QString::fromUtf8("Volver"), this);
  close_->setObjectName("?CLOSE");
  close_->setToolTip(QString::fromUtf8("Volver"));
  close_->setStatusTip(close_->toolTip());
  close_->setAutoDefault(false);
  bottom->addWidget(close_);
  layout->addLayout(bottom);
  layout->addWidget(new StatusLine(this));
  addControls(layout, outer);

  connect(insert_, &QPushButton::clicked, this, [this] { act([this] { insertRecord(); }); });
  connect(change_, &QPushButton::clicked, this, [this] { act([this] { changeRecord(); }); });
  connect(delete_, &QPushButton::clicked, this, [this] { act([this] { deleteRecord(); }); });
  connect(view_button_, &QPushButton::clicked, this, [this] { act([this] { viewRecord(); }); });
  connect(close_, &QPushButton::clicked, this, &ListWindow::reject);
  connect(tabs_, &QTabBar::currentChanged, this, &ListWindow::tabChanged);
  connect(header, &QHeaderView::sectionClicked, this, &ListWindow::headerClicked);
  connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) {
    if (v != first_) scrollTo(v);
  });
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& now) {
            if (now.isValid()) selected_ = now.row();
          });

  PagedTable::Handlers h;
  h.key = [this](QKeyEvent* e) { return listKey(e); };
  h.wheel = [this](int steps) { scrollTo(first_ + steps); };
  h.clicked = [this](int row) { selectRow(row); };
  h.doubleClicked = [this](int row) {
    if (!actionsConnected() || !change_->isEnabled() || !model_->row(row)) return;
    selectRow(row);
    act([this] { changeRecord(); });
  };
  h.contextMenu = [this](const QPoint& at, int row) {
    if (row >= 0) selectRow(row);
    contextMenu(at);
  };
  h.resized = [this] {
    recomputePageSize();
    scaleColumns();
  };
  table_->setHandlers(std::move(h));

  EnterKey* enter = EnterKey::install(this, EnterRule::Next);
  if (!spec_.enterMovesFocus) {
    enter->exempt(table_);
    for (QPushButton* b : findChildren<QPushButton*>()) enter->exempt(b);
  }
  FocusMarker::install(this);
  updateButtons();
}

void ListWindow::updateButtons() {
  const bool connected = actionsConnected();
  const bool any = model_ && model_->rowCount() > 0;
  insert_->setEnabled(connected);
  change_->setEnabled(connected && any);
  delete_->setEnabled(connected && any);
  view_button_->setEnabled(any);
}

void ListWindow::recomputePageSize() {
  const int fit = table_->rowsThatFit();
  if (fit == pageSize_) return;
  pageSize_ = fit;
  fillPage();
}

void ListWindow::scaleColumns() {
  const int available = table_->viewport()->width();
  if (designedViewportWidth_ <= 0 || available <= 0) return;
  for (size_t i = 0; i < designedWidths_.size(); ++i)
    table_->setColumnWidth(static_cast<int>(i),
                           static_cast<int>(static_cast<int64_t>(designedWidths_[i]) * available / designedViewportWidth_));
}

void ListWindow::act(const std::function<void()>& action) {
  if (endEditing()) action();
}

void ListWindow::reject() {
  if (!endEditing()) return;
  response_ = Response::Cancelled;
  QDialog::reject();
}

void ListWindow::fillPage() {
  if (!model_) return;
  const int64_t maxFirst = std::max<int64_t>(0, view_.count() - pageSize_);
  first_ = std::clamp<int64_t>(first_, 0, maxFirst);
  std::vector<ViewRow> rows;
  (void)view_.page(first_, pageSize_, rows);  // a failed read was reported; the page shows what was read
  model_->setRows(std::move(rows));
  {
    QSignalBlocker block(scroll_);
    scroll_->setRange(0, static_cast<int>(std::min<int64_t>(maxFirst, INT32_MAX)));
    scroll_->setPageStep(pageSize_);
    scroll_->setValue(static_cast<int>(std::min<int64_t>(first_, INT32_MAX)));
  }
  const int rows_ = model_->rowCount();
  selected_ = rows_ == 0 ? -1 : std::clamp(selected_, 0, rows_ - 1);
  if (selected_ >= 0) table_->selectionModel()->setCurrentIndex(model_->index(selected_, 0),
                                                               QItemSelectionModel::ClearAndSelect |
                                                                   QItemSelectionModel::Rows);
  updateButtons();
}

void ListWindow::selectRow(int row) {
  if (!model_->row(row)) return;
  selected_ = row;
  table_->selectionModel()->setCurrentIndex(model_->index(row, 0),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ListWindow::scrollTo(int64_t first) {
  first_ = first;
  fillPage();
}

void ListWindow::moveSelection(int delta) {
  const int rows = model_->rowCount();
  if (rows == 0) return;
  const int target = selected_ + delta;
  const int64_t maxFirst = std::max<int64_t>(0, view_.count() - pageSize_);
  if (target < 0) {
    selected_ = 0;
    scrollTo(first_ + target);
  } else if (target >= rows) {
    selected_ = rows - 1;  // the page moves up under the selection, or it stays on the last record
    scrollTo(std::min(first_ + target - rows + 1, maxFirst));
  } else {
    selectRow(target);
  }
}

void ListWindow::showOrdinal(int64_t ordinal) {
  if (view_.count() == 0) {
    first_ = 0;
    fillPage();
    return;
  }
  ordinal = std::clamp<int64_t>(ordinal, 0, view_.count() - 1);
  if (ordinal < first_ || ordinal >= first_ + pageSize_) {
    const int keep = std::max(0, selected_);
    first_ = std::max<int64_t>(0, ordinal - keep);
  }
  const int64_t maxFirst = std::max<int64_t>(0, view_.count() - pageSize_);
  first_ = std::min(first_, maxFirst);
  selected_ = static_cast<int>(ordinal - first_);
  fillPage();
}

void ListWindow::showRecord(int64_t recno) {
  FileAccess& file = context_.file(spec_.table);
  Record r(file.def());
  if (!file.read(recno, r)) {
    fillPage();
    return;
  }
  int64_t ordinal = -1;
  if (view_.ordinalOf(r, recno, ordinal) && ordinal >= 0)
    showOrdinal(ordinal);
  else
    fillPage();
}

void ListWindow::reload() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  Status s = view_.reload();
  QApplication::restoreOverrideCursor();
  (void)s;  // reported by the file layer; the list shows what could be read
  fillPage();
  reloaded();
}

void ListWindow::reloaded() {
  const std::vector<int64_t>& sums = view_.sums();
  const Picture picture = *Picture::parse("@n-14.2");
  for (size_t i = 0; i < totalDisplays_.size() && i < sums.size(); ++i)
    totalDisplays_[i]->setText(QString::fromStdString(formatNumber(sums[i], 2, picture)).trimmed());
}

bool ListWindow::fetchSelected() {
  const ViewRow* row = selectedRecord();
  if (!row) return false;
  Status s = context_.file(spec_.table).fetchRecno(row->recno);
  if (s) return true;
  if (s.code() == Code::NotFound) {
    MessageArgs args;
    args.file = std::string(context_.file(spec_.table).name());
    args.errorText = "El registro ya no existe (0)";
    (void)context_.messages().raise(kMsgRecordGone, args);
    reload();
  }
  return false;
}

void ListWindow::callForm(Request request) {
  if (!actionsConnected() || !spec_.form) return;
  if (request == Request::Insert) {
    if (!context_.file(spec_.table).prime()) return;
  } else if (!fetchSelected()) {
    return;
  }
  const Response response = spec_.form(context_, request);
  afterForm(request, response);
}

void ListWindow::afterForm(Request request, Response response) {
  FileAccess& file = context_.file(spec_.table);
  if (response == Response::Completed && request != Request::View) {
    const int64_t recno = file.currentRecno();
    reload();
    if (request == Request::Insert || request == Request::Change) showRecord(recno);
  } else {
    fillPage();
    reloaded();
  }
  table_->setFocus();
}

void ListWindow::insertRecord() { callForm(Request::Insert); }
void ListWindow::changeRecord() { callForm(Request::Change); }
void ListWindow::deleteRecord() { callForm(Request::Delete); }
void ListWindow::viewRecord() { callForm(Request::View); }

void ListWindow::tabChanged(int index) {
  if (index < 0 || index >= static_cast<int>(spec_.tabs.size())) return;
  sortColumn_.reset();
  table_->horizontalHeader()->setSortIndicatorShown(false);
  view_.setKey(spec_.tabs[static_cast<size_t>(index)].key);
  first_ = 0;
  selected_ = 0;
  reload();
}

void ListWindow::headerClicked(int column) {
  if (!spec_.headerSort || column < 0 || column >= static_cast<int>(model_->columns().size())) return;
  const ValueSource& source = model_->columns()[static_cast<size_t>(column)].value;
  if (!source.field) return;  // a computed column has no order
  sortDescending_ = sortColumn_ == column ? !sortDescending_ : false;
  sortColumn_ = column;
  view_.sortByField(*source.field, sortDescending_);
  QHeaderView* header = table_->horizontalHeader();
  header->setSortIndicatorShown(true);
  header->setSortIndicator(column, sortDescending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
  first_ = 0;
  selected_ = 0;
  reload();
}

void ListWindow::contextMenu(const QPoint& at) {
  QMenu menu(this);
  menu.setObjectName("contextMenu");
  for (QPushButton* b : {insert_, change_, delete_, view_button_}) {
    if (!actionsConnected() && b != view_button_) continue;
    QAction* a = menu.addAction(b->icon(), b->text());
    a->setEnabled(b->isEnabled());
    connect(a, &QAction::triggered, b, &QPushButton::click);
  }
  menu.exec(at);
}

void ListWindow::locate(const QString& typed) {
  if (model_->rowCount() == 0) return;
  moveSelection(1);
  const ViewRow* row = selectedRecord();
  const uint16_t field = view_.orderField();
  const FieldDef& def = context_.file(spec_.table).def().field(field);
  if (!row || !def.isText()) return;
  const std::string text = typed.toStdString();
  if (beginsWith(row->record.text(field), text)) return;
  int64_t ordinal = 0;
  if (!view_.locate(KeyValue{true, 0, text}, ordinal)) return;
  showOrdinal(std::min(ordinal, view_.count() - 1));
}

void ListWindow::showSearchBox(const char* title, const char* text, bool informative) {
  MessageBoxSpec box;
  box.title = title;
  box.text = text;
  box.icon = informative ? MessageIcon::Information : MessageIcon::None;
  (void)context_.messages().presenter().present(box);  // one button only
}

void ListWindow::search(int64_t from) {
  if (criterion_.empty()) {
    showSearchBox("Error", "No search criteria specified.", false);
    table_->setFocus();
    return;
  }
  auto filter = compileCriterion(criterion_, context_.file(spec_.table).def(), spec_.named,
                                 parseSearchColumns(spec_.searchColumns));
  int64_t found = -1;
  if (filter) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    (void)view_.find(from, *filter, found);  // a failed read was reported
    QApplication::restoreOverrideCursor();
  }
  if (found >= 0)
    showOrdinal(found);
  else
    showSearchBox("Búsqueda", "No hay más coincidencias.", true);
  table_->setFocus();
}

void ListWindow::openSearch(bool asFilter) {
  bool next = false;
  criterion_ = vsFind(context_.messages(), spec_.searchColumns, memory_, next, this);
  if (!asFilter) {
    search(next && selected_ >= 0 ? first_ + selected_ + 1 : 0);
    return;
  }
  std::optional<View::Filter> filter;
  if (next && !criterion_.empty())
    filter = compileCriterion(criterion_, context_.file(spec_.table).def(), spec_.named,
                              parseSearchColumns(spec_.searchColumns));
  filterCriterion_ = filter ? criterion_ : std::string();
  view_.setFilter(filter ? *filter : View::Filter());
  first_ = 0;
  selected_ = 0;
  reload();
  table_->setFocus();
}

bool ListWindow::listKey(QKeyEvent* key) {
  const auto mods = key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  const bool any = model_->rowCount() > 0;
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  auto press = [&](QPushButton* b, void (ListWindow::*action)()) {
    if (b->isVisible() && b->isEnabled() && (any || b == insert_)) act([&] { (this->*action)(); });
    return true;
  };
  if (mods == Qt::ControlModifier && key->key() == Qt::Key_F) return openSearch(false), true;
  if (mods == Qt::ControlModifier && key->key() == Qt::Key_T) return openSearch(true), true;
  if (mods == Qt::NoModifier && key->key() == Qt::Key_F3) return search(first_ + std::max(0, selected_) + 1), true;
  if (key->key() == Qt::Key_Insert && mods == Qt::NoModifier) return press(insert_, &ListWindow::insertRecord);
  if (key->key() == Qt::Key_Delete && mods == Qt::NoModifier) return press(delete_, &ListWindow::deleteRecord);
  if (enter && mods == Qt::ControlModifier) return press(change_, &ListWindow::changeRecord);
  if (enter && mods == Qt::ShiftModifier) return press(view_button_, &ListWindow::viewRecord);
  if (enter) return !spec_.enterMovesFocus;  // the list keeps Enter unless the window moves the focus with it
  switch (key->key()) {
    case Qt::Key_Up: moveSelection(-1); return true;
    case Qt::Key_Down: moveSelection(1); return true;
    case Qt::Key_PageUp:
      if (first_ == 0) selectRow(0);
      else scrollTo(first_ - pageSize_);
      return true;
    case Qt::Key_PageDown:
      if (first_ + pageSize_ >= view_.count()) selectRow(model_->rowCount() - 1);
      else scrollTo(first_ + pageSize_);
      return true;
    case Qt::Key_Home: showOrdinal(0); return true;
    case Qt::Key_End: showOrdinal(view_.count() - 1); return true;
    default: break;
  }
  const QString text = key->text();
  if (mods == Qt::NoModifier || mods == Qt::ShiftModifier) {
    if (!text.isEmpty() && text.at(0).isPrint() && !text.at(0).isSpace()) {
      locate(text.left(1));
      return true;
    }
  }
  return false;
}

bool ListWindow::open(Request request) {
  registered_ = std::make_unique<RegisteredWindow>(spec_.procedure, request == Request::Select);
  if (!registered_->admitted()) {
    registered_.reset();
    return false;
  }
  registered_->attach(this);
  request_ = request;
  tables_.emplace(context_, spec_.tables.empty() ? std::vector<TableId>{spec_.table} : spec_.tables);
  build();
  reload();
  opened();
  adjustSize();
  setMinimumSize(size());
  return true;
}

void ListWindow::release() {
  tables_.reset();
  registered_.reset();
}

Response ListWindow::run(Request request) {
  if (!open(request)) return Response::Cancelled;
  table_->setFocus();
  if (spec_.modal) {
    exec();
  } else {
    // Waits like exec() without blocking the other windows (the lists started on their own).
    show();
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    loop.exec();
  }
  release();
  return response_;
}

bool ListWindow::startOnItsOwn(std::unique_ptr<Context> context, ListSpec decl) {
  auto* window = new ListWindow(*context, std::move(decl), nullptr);  // a window of its own, blocking none
  window->ownContext_ = std::move(context);
  window->setWindowModality(Qt::NonModal);
  if (!window->open(Request::None)) {
    delete window;
    return false;
  }
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  window->table_->setFocus();
  return true;
}

}  // namespace fin::ui
