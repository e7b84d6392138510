// The list and form machinery driven through the banks windows, offscreen:
// the record buttons and their form, the questions, history, the locator,
// the search and its filter, the shading and the open-window rule.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <sqlite3.h>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include "data/tables.h"
#include "masterdata/bancos.h"
#include "masterdata/tipo_cban.h"
#include "support/gui_fixture.h"
#include "ui/list_window.h"
#include "ui/record_form.h"
#include "ui/window_registry.h"

namespace fin {
namespace {

using namespace fin::ui;
using masterdata::StartBrowseBancos;

class BancosWindow : public test::GuiFixture {
 protected:
  ListWindow* open() {
    EXPECT_TRUE(StartBrowseBancos(dir.path(), messages));
    auto* w = qobject_cast<ListWindow*>(topLevel("BrowseBancos"));
    EXPECT_NE(w, nullptr);
    return w;
  }

  static QStringList names(ListWindow* w) {
    QStringList out;
    for (const ViewRow& r : w->model()->rows()) out << QString::fromStdString(r.record.text(ban::NOMBRE));
    return out;
  }
  static QString selectedName(ListWindow* w) {
    const ViewRow* r = w->selectedRecord();
    return r ? QString::fromStdString(r->record.text(ban::NOMBRE)) : QString();
  }
  static QTableView* list(ListWindow* w) { return child<QTableView>(w, "?BROWSE:1"); }
  static void press(ListWindow* w, const char* button) { child<QPushButton>(w, button)->click(); }

  // Fills the bank form when it opens and presses one of its buttons.
  void whenForm(std::function<void(QWidget*)> act) { test::whenModal(std::move(act)); }
  static void type(QWidget* form, const char* control, const QString& text) {
    auto* edit = child<QLineEdit>(form, control);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }

  std::vector<std::string> storedNames() {
    std::vector<std::string> out;
    TablesInUse t(ctx, {TableId::Bancos});
    FileAccess& f = ctx.file(TableId::Bancos);
    EXPECT_TRUE(f.set(ban::KEYNOMBRE));
    while (f.next()) out.push_back(f.buffer().text(ban::NOMBRE));
    return out;
  }
};

TEST_F(BancosWindow, OpensWithItsCaptionsAndTheFirstRowSelected) {
  addNames(TableId::Bancos, ban::NOMBRE, {"Sur", "Norte", "Centro"});
  ListWindow* w = open();
  EXPECT_EQ(w->windowTitle(), "Bancos registrados");
  EXPECT_EQ(names(w), (QStringList{"Centro", "Norte", "Sur"}));
  EXPECT_EQ(w->selectedRow(), 0);
  EXPECT_EQ(list(w)->toolTip(), "Bancos registrados");
  EXPECT_EQ(child<QPushButton>(w, "?INSERT:3")->text(), "Nuevo");
  EXPECT_EQ(child<QPushButton>(w, "?CHANGE:3")->toolTip(), "Editar el registro seleccionado");
  EXPECT_EQ(child<QPushButton>(w, "?DELETE:3")->text(), "Borrar");
  EXPECT_EQ(child<QPushButton>(w, "?VIEW:2")->statusTip(), "Consultar el registro seleccionado");
  EXPECT_EQ(child<QPushButton>(w, "?CLOSE")->text(), "Volver");
  EXPECT_FALSE(child<QPushButton>(w, "?INSERT:3")->icon().isNull());
  EXPECT_EQ(child<QLabel>(w, "?STRING1")->text(), "Control-F: Buscar");
  EXPECT_EQ(w->minimumSize(), w->size()) << "the opening size is the smallest";
}

TEST_F(BancosWindow, AddsAndSelectsTheNewRecordThenHistoryRecallsIt) {
  addNames(TableId::Bancos, ban::NOMBRE, {"Norte"});
  ListWindow* w = open();
  QString caption;
  whenForm([&](QWidget* form) {
    caption = form->windowTitle();
    type(form, "?BAN:NOMBRE", "Banco Azul");
    child<QPushButton>(form, "?OK")->click();
  });
  press(w, "?INSERT:3");
  EXPECT_EQ(caption, "Altas");
  EXPECT_EQ(names(w), (QStringList{"Banco Azul", "Norte"}));
  EXPECT_EQ(selectedName(w), "Banco Azul");

  // Ctrl+H in a new form brings back the name last accepted.
  QString recalled;
  whenForm([&](QWidget* form) {
    auto* name = child<QLineEdit>(form, "?BAN:NOMBRE");
    name->setFocus();
    QTest::keyClick(name, Qt::Key_H, Qt::ControlModifier);
    recalled = name->text();
    presenter.answer({kYes});  // "¿Desea Ud.cancelar?"
    child<QPushButton>(form, "?CANCEL")->click();
  });
  press(w, "?INSERT:3");
  EXPECT_EQ(recalled, "Banco Azul");
  EXPECT_EQ(presenter.numbers(), std::vector<uint16_t>{10});
  EXPECT_EQ(storedNames(), (std::vector<std::string>{"Banco Azul", "Norte"}));
}

TEST_F(BancosWindow, ADuplicateNameIsMessage15AndTheFormStaysOpen) {
  addNames(TableId::Bancos, ban::NOMBRE, {"Norte"});
  ListWindow* w = open();
  bool stillOpen = false;
  whenForm([&](QWidget* form) {
    type(form, "?BAN:NOMBRE", "NORTE");
    child<QPushButton>(form, "?OK")->click();
    stillOpen = form->isVisible();
    presenter.answer({kYes});
    child<QPushButton>(form, "?CANCEL")->click();
  });
  press(w, "?INSERT:3");
  EXPECT_TRUE(stillOpen);
  ASSERT_GE(presenter.boxes.size(), 1u);
  EXPECT_EQ(presenter.boxes[0].number, 15);
  EXPECT_EQ(presenter.boxes[0].text, "Agregar este registro crea una clave duplicada para la clave: ban:KeyNombre");
  EXPECT_EQ(storedNames(), std::vector<std::string>{"Norte"});
}

TEST_F(BancosWindow, ARequiredNameKeepsTheFocusWithoutAMessage) {
  ListWindow* w = open();
  bool focusInName = false;
  whenForm([&](QWidget* form) {
    child<QPushButton>(form, "?OK")->click();
    focusInName = QApplication::focusWidget() == child<QLineEdit>(form, "?BAN:NOMBRE");
    child<QPushButton>(form, "?CANCEL")->click();  // nothing was changed: no question
  });
  press(w, "?INSERT:3");
  EXPECT_TRUE(focusInName);
  EXPECT_TRUE(presenter.boxes.empty());
  EXPECT_TRUE(storedNames().empty());
}

TEST_F(BancosWindow, ChangeKeepsTheRowSelectedAndCancelAsksOnlyAfterAChange) {
  addNames(TableId::Bancos, ban::NOMBRE, {"Centro", "Norte", "Sur"});
  ListWindow* w = open();
  w->findChild<QTableView*>("?BROWSE:1")->setFocus();
  QTest::keyClick(list(w), Qt::Key_Down);
  ASSERT_EQ(selectedName(w), "Norte");

  // No change: Cancelar closes at once.
  QString caption;
  whenForm([&](QWidget* form) {
    caption = form->windowTitle();
    child<QPushButton>(form, "?CANCEL")->click();
  });
  press(w, "?CHANGE:3");
  EXPECT_EQ(caption, "Modificaciones");
  EXPECT_TRUE(presenter.boxes.empty());

  // A change and Cancelar: the question; "No" returns to the form with the change on screen.
  QString afterNo;
  whenForm([&](QWidget* form) {
    type(form, "?BAN:NOMBRE", "Noroeste");
    presenter.answer({kNo});
    child<QPushButton>(form, "?CANCEL")->click();
    afterNo = child<QLineEdit>(form, "?BAN:NOMBRE")->text();
    child<QPushButton>(form, "?OK")->click();
  });
  press(w, "?CHANGE:3");
  EXPECT_EQ(afterNo, "Noroeste");
  EXPECT_EQ(presenter.numbers(), std::vector<uint16_t>{10});
  EXPECT_EQ(names(w), (QStringList{"Centro", "Noroeste", "Sur"}));
  EXPECT_EQ(selectedName(w), "Noroeste");
}

TEST_F(BancosWindow, ViewModeIsReadOnlyAndStoresNothing) {
  addNames(TableId::Bancos, ban::NOMBRE, {"Centro"});
  ListWindow* w = open();
  bool readOnly = false;
  QString caption;
  whenForm([&](QWidget* form) {
    caption = form->windowTitle();
    readOnly = child<QLineEdit>(form, "?BAN:NOMBRE")->isReadOnly();
    auto* notes = child<QPlainTextEdit>(form, "?BAN:NOTAS");
    notes->setFocus();
    QTest::keyClicks(notes, "escrito en consulta");
    child<QPushButton>(form, "?OK")->click();
  });
  QTest::keyClick(list(w), Qt::Key_Return, Qt::ShiftModifier);  // Shift+Enter: as "Ver"
  EXPECT_EQ(caption, "Consulta");
  EXPECT_TRUE(readOnly);
  TablesInUse t(ctx, {TableId::Bancos});
  ASSERT_TRUE(ctx.file(TableId::Bancos).fetchRecno(1));
  EXPECT_EQ(ctx.buffer(TableId::Bancos).text(ban::NOTAS), "");
}

TEST_F(BancosWindow, DeleteAsksOnlyTheConfirmation) {
  addNames(TableId::Bancos, ban::NOMBRE, {"Centro", "Norte", "Sur"});
  ListWindow* w = open();
  QTest::keyClick(list(w), Qt::Key_Down);
  presenter.answer({kNo});
  QTest::keyClick(list(w), Qt::Key_Delete);
  EXPECT_EQ(presenter.numbers(), std::vector<uint16_t>{11});
  EXPECT_EQ(names(w), (QStringList{"Centro", "Norte", "Sur"}));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no form window for a deletion";
  presenter.answer({kYes});
  press(w, "?DELETE:3");
  EXPECT_EQ(names(w), (QStringList{"Centro", "Sur"}));
  EXPECT_EQ(selectedName(w), "Sur");
}

TEST_F(BancosWindow, EmptyListActsOnlyOnInsert) {
  ListWindow* w = open();
  EXPECT_FALSE(child<QPushButton>(w, "?CHANGE:3")->isEnabled());
  QTest::keyClick(list(w), Qt::Key_Delete);
  QTest::keyClick(list(w), Qt::Key_Return, Qt::ControlModifier);
  EXPECT_TRUE(presenter.boxes.empty());
  bool opened = false;
  whenForm([&](QWidget* form) {
    opened = true;
    child<QPushButton>(form, "?CANCEL")->click();
  });
  QTest::keyClick(list(w), Qt::Key_Insert);
  EXPECT_TRUE(opened);
}

TEST_F(BancosWindow, TheLocatorStepsThroughTheNamesThatBeginWithTheCharacter) {
  addNames(TableId::Bancos, ban::NOMBRE, {"Azteca", "banorte", "BBVA", "Citi", "HSBC"});
  ListWindow* w = open();
  QTest::keyClicks(list(w), "b");
  EXPECT_EQ(selectedName(w), "banorte");
  QTest::keyClicks(list(w), "b");
  EXPECT_EQ(selectedName(w), "BBVA");
  QTest::keyClicks(list(w), "b");
  EXPECT_EQ(selectedName(w), "banorte") << "after the last it returns to the first";
  QTest::keyClicks(list(w), "h");
  EXPECT_EQ(selectedName(w), "HSBC");
}

TEST_F(BancosWindow, FindFindNextAndTheFilter) {
  addNames(TableId::Bancos, ban::NOMBRE, {"Banco del Sur", "Norte", "Sureste", "Surtidora (sur)", "O'Higgins Sur"});
  ListWindow* w = open();
  QString title;
  test::whenModal([&](QWidget* find) {
    title = find->windowTitle();
    auto* value = child<QLineEdit>(find, "?SEARCHVALUE");
    QTest::keyClicks(value, "sur");
    child<QPushButton>(find, "?FIND")->click();
  });
  QTest::keyClick(list(w), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(title, "Buscar:");
  EXPECT_EQ(selectedName(w), "Banco del Sur");
  QTest::keyClick(list(w), Qt::Key_F3);
  EXPECT_EQ(selectedName(w), "O'Higgins Sur");
  QTest::keyClick(list(w), Qt::Key_F3);
  EXPECT_EQ(selectedName(w), "Sureste");
  QTest::keyClick(list(w), Qt::Key_F3);
  EXPECT_EQ(selectedName(w), "Surtidora (sur)");
  QTest::keyClick(list(w), Qt::Key_F3);
  ASSERT_EQ(presenter.boxes.size(), 1u);
  EXPECT_EQ(presenter.boxes[0].title, "Búsqueda");
  EXPECT_EQ(presenter.boxes[0].text, "No hay más coincidencias.");
  EXPECT_EQ(selectedName(w), "Surtidora (sur)") << "the selection stays";

  // The filter, with a quote and parentheses in the value; the search window remembers the value.
  QString remembered;
  test::whenModal([&](QWidget* find) {
    auto* value = child<QLineEdit>(find, "?SEARCHVALUE");
    remembered = value->text();
    value->selectAll();
    QTest::keyClicks(value, "O'H*");
    child<QPushButton>(find, "?FINDNEXT")->click();
  });
  QTest::keyClick(list(w), Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(remembered, "sur");
  EXPECT_EQ(names(w), QStringList{"O'Higgins Sur"});
  test::whenModal([&](QWidget* find) {
    auto* value = child<QLineEdit>(find, "?SEARCHVALUE");
    value->selectAll();
    QTest::keyClicks(value, "(sur)");
    child<QPushButton>(find, "?FINDNEXT")->click();
  });
  QTest::keyClick(list(w), Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(names(w), QStringList{"Surtidora (sur)"});
  test::whenModal([&](QWidget* find) { child<QPushButton>(find, "?FIND")->click(); });
  QTest::keyClick(list(w), Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(names(w).size(), 5) << "Ctrl+T and Encontrar clear the filter";
}

TEST_F(BancosWindow, SearchWithoutCriterionIsAnError) {
  addNames(TableId::Bancos, ban::NOMBRE, {"Centro", "Norte"});
  ListWindow* w = open();
  QTest::keyClick(list(w), Qt::Key_F3);
  ASSERT_EQ(presenter.boxes.size(), 1u);
  EXPECT_EQ(presenter.boxes[0].title, "Error");
  EXPECT_EQ(presenter.boxes[0].text, "No search criteria specified.");
  EXPECT_EQ(presenter.boxes[0].icon, MessageIcon::None);
  test::whenModal([&](QWidget* find) { child<QPushButton>(find, "?CANCEL")->click(); });
  QTest::keyClick(list(w), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(presenter.boxes.size(), 2u);
  EXPECT_EQ(presenter.boxes[1].text, "No search criteria specified.");
  EXPECT_EQ(selectedName(w), "Centro");
}

TEST_F(BancosWindow, ShadingFollowsThePositionsOfThePage) {
  TablesInUse t(ctx, {TableId::Bancos});
  FileAccess& f = ctx.file(TableId::Bancos);
  for (int i = 0; i < 40; ++i) {
    f.buffer().clear();
    ASSERT_TRUE(f.buffer().setText(ban::NOMBRE, "Banco " + std::to_string(100 + i)));
    ASSERT_TRUE(f.insert());
  }
  ListWindow* w = open();
  RecordListModel* m = w->model();
  auto shaded = [&](int row) { return m->data(m->index(row, 0), Qt::BackgroundRole).value<QColor>() == kShading; };
  ASSERT_GE(m->rowCount(), 7);
  EXPECT_TRUE(shaded(0));
  EXPECT_FALSE(shaded(1));
  EXPECT_TRUE(shaded(2));
  EXPECT_EQ(kShading, QColor(0xD5, 0xF2, 0xE7));
  const QString first = names(w)[0];
  for (int i = 0; i < w->pageSize(); ++i) QTest::keyClick(list(w), Qt::Key_Down);  // one row past the page
  EXPECT_EQ(w->firstOrdinal(), 1);
  EXPECT_EQ(names(w)[0], "Banco 101");
  EXPECT_TRUE(shaded(0)) << "the first position is shaded whatever record it shows";
  QTest::keyClick(list(w), Qt::Key_End);
  EXPECT_EQ(selectedName(w), "Banco 139");
  QTest::keyClick(list(w), Qt::Key_Home);
  EXPECT_EQ(selectedName(w), first);
}

TEST_F(BancosWindow, DoubleClickEditsAndTheRightButtonSelectsThenOpensTheMenu) {
  addNames(TableId::Bancos, ban::NOMBRE, {"Centro", "Norte", "Sur"});
  ListWindow* w = open();
  QTableView* table = list(w);
  const QPoint third = table->visualRect(w->model()->index(2, 0)).center();
  QStringList items;
  QTimer::singleShot(50, [&] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      for (QAction* a : menu->actions()) items << a->text() + (a->isEnabled() ? "" : " (off)");
      menu->close();
    }
  });
  QTest::mouseClick(table->viewport(), Qt::RightButton, {}, third);
  EXPECT_EQ(selectedName(w), "Sur");
  EXPECT_EQ(items, (QStringList{"Nuevo", "Editar", "Borrar", "Ver"}));

  QString caption;
  whenForm([&](QWidget* form) {
    caption = form->windowTitle() + " " + child<QLineEdit>(form, "?BAN:NOMBRE")->text();
    child<QPushButton>(form, "?CANCEL")->click();
  });
  const QPoint second = table->visualRect(w->model()->index(1, 0)).center();
  QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, second);
  EXPECT_EQ(caption, "Modificaciones Norte");
}

TEST_F(BancosWindow, AChangeThatCannotGetTheLockAsksWhetherToTryAgain) {
  addNames(TableId::Bancos, ban::NOMBRE, {"Centro"});
  ListWindow* w = open();
  sqlite3* holder = nullptr;
  ASSERT_EQ(sqlite3_open((dir.path() / "BANCOS").c_str(), &holder), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  bool openAfterCancel = false;
  whenForm([&](QWidget* form) {
    type(form, "?BAN:NOMBRE", "Centro Historico");
    presenter.answer({kOk, kCancel});  // message 24, then "Cancelar" to question 37
    child<QPushButton>(form, "?OK")->click();
    openAfterCancel = form->isVisible();
    presenter.answer({kOk, kNo});  // message 24, then "No": the form closes without saving
    child<QPushButton>(form, "?OK")->click();
  });
  press(w, "?CHANGE:3");
  sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(holder);
  EXPECT_TRUE(openAfterCancel);
  EXPECT_EQ(presenter.numbers(), (std::vector<uint16_t>{24, 37, 24, 37}));
  EXPECT_EQ(presenter.boxes[1].buttons, kYes | kNo | kCancel);
  EXPECT_EQ(presenter.boxes[1].defaultButton, kCancel);
  EXPECT_EQ(storedNames(), std::vector<std::string>{"Centro"});
}

TEST_F(BancosWindow, ARecordRemovedByAnotherUserIsNotReportedAsSaved) {
  addNames(TableId::Bancos, ban::NOMBRE, {"Centro"});
  ListWindow* w = open();
  bool stillOpen = false;
  whenForm([&](QWidget* form) {
    {
      test::RecordingPresenter p;
      Messages m(p);
      Context other(dir.path(), m);
      TablesInUse t(other, {TableId::Bancos});
      ASSERT_TRUE(other.file(TableId::Bancos).fetchRecno(1));
      ASSERT_TRUE(other.relation(TableId::Bancos).remove());
    }
    type(form, "?BAN:NOMBRE", "Centro Sur");
    child<QPushButton>(form, "?OK")->click();
    child<QPushButton>(form, "?OK")->click();  // a second time: still not saved
    stillOpen = form->isVisible();
    presenter.answer({kYes});
    child<QPushButton>(form, "?CANCEL")->click();
  });
  press(w, "?CHANGE:3");
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(presenter.numbers(), (std::vector<uint16_t>{7, 7, 10}));
  EXPECT_TRUE(storedNames().empty());
}

TEST_F(BancosWindow, OpenedToViewItConnectsNoChanges) {
  addNames(TableId::Bancos, ban::NOMBRE, {"Centro"});
  QStringList enabled;
  test::whenModal([&](QWidget* w) {
    for (const char* b : {"?INSERT:3", "?CHANGE:3", "?DELETE:3", "?VIEW:2"})
      enabled << QString(b) + (child<QPushButton>(w, b)->isEnabled() ? "" : "-");
    QTest::keyClick(child<QTableView>(w, "?BROWSE:1"), Qt::Key_Insert);
    QTest::keyClick(child<QTableView>(w, "?BROWSE:1"), Qt::Key_Delete);
    child<QPushButton>(w, "?CLOSE")->click();
  });
  EXPECT_EQ(masterdata::BrowseBancos(ctx, Request::View), Response::Cancelled);
  EXPECT_EQ(enabled, (QStringList{"?INSERT:3-", "?CHANGE:3-", "?DELETE:3-", "?VIEW:2"}));
  EXPECT_TRUE(presenter.boxes.empty());
  EXPECT_EQ(storedNames(), std::vector<std::string>{"Centro"});
}

TEST_F(BancosWindow, ColumnsScaleWithTheWindowWhichKeepsItsOpeningSizeAsMinimum) {
  ListWindow* w = open();
  const int before = list(w)->columnWidth(0);
  const QSize opening = w->size();
  w->resize(opening.width() * 2, opening.height() + 100);
  QCoreApplication::processEvents();
  EXPECT_GT(list(w)->columnWidth(0), before * 3 / 2);
  EXPECT_GT(w->pageSize(), 12) << "a taller list shows more rows";
  w->resize(opening.width() / 2, opening.height() / 2);
  QCoreApplication::processEvents();
  EXPECT_GE(w->width(), opening.width());
  EXPECT_GE(w->height(), opening.height());
}

TEST_F(BancosWindow, ASecondStartBringsTheOpenWindowForward) {
  ListWindow* w = open();
  w->showMinimized();
  EXPECT_FALSE(StartBrowseBancos(dir.path(), messages));
  QCoreApplication::processEvents();
  EXPECT_FALSE(w->isMinimized());
  int windows = 0;
  for (QWidget* t : QApplication::topLevelWidgets()) windows += t->objectName() == "BrowseBancos";
  EXPECT_EQ(windows, 1);
  EXPECT_EQ(masterdata::BrowseBancos(ctx), Response::Cancelled);
}

}  // namespace
}  // namespace fin
