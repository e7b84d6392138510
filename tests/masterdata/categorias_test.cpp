// The category lists edited in place, through every key of their key table,
// with the "Suma:" total after each change; and the category forms.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "data/tables.h"
#include "masterdata/categorias.h"
#include "masterdata/category_list.h"
#include "support/gui_fixture.h"

namespace fin {
namespace {

using namespace fin::ui;
using masterdata::CategoryList;

class Categorias : public test::GuiFixture {
 protected:
  void SetUp() override {
    TablesInUse t(ctx, {TableId::CateIngr});
    FileAccess& f = ctx.file(TableId::CateIngr);
    for (auto [name, total] : {std::pair{"Honorarios", 150000}, {"Sueldo", 1200000}, {"Ventas", 35050}}) {
      f.buffer().clear();
      ASSERT_TRUE(f.buffer().setText(cin::DESCRIPCION, name));
      ASSERT_TRUE(f.buffer().setDecimal(cin::TOTALINGRESOS, total));
      ASSERT_TRUE(f.insert());
    }
  }

  // Runs BrowseCateIngr and acts on it while it is open; the action closes it.
  void withList(std::function<void(CategoryList*)> act) {
    test::whenModal([&](QWidget* w) {
      auto* list = qobject_cast<CategoryList*>(w);
      ASSERT_NE(list, nullptr);
      act(list);
      child<QPushButton>(list, "?CLOSE")->click();
    });
    masterdata::BrowseCateIngr(ctx);
  }

  static QStringList rows(CategoryList* w) {
    QStringList out;
    for (const ViewRow& r : w->model()->rows()) out << QString::fromStdString(r.record.text(cin::DESCRIPCION));
    return out;
  }
  static QString suma(CategoryList* w) { return child<QLineEdit>(w, "?LOC:SUMA")->text(); }
  static QString selected(CategoryList* w) {
    const ViewRow* r = w->selectedRecord();
    return r ? QString::fromStdString(r->record.text(cin::DESCRIPCION)) : QString();
  }
  static void key(CategoryList* w, int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QWidget* target = w->editing() ? static_cast<QWidget*>(w->editor()) : child<QTableView>(w, "?BROWSE:1");
    QTest::keyClick(target, static_cast<Qt::Key>(k), m);
  }
  static void typeInEditor(CategoryList* w, const QString& text) {
    ASSERT_TRUE(w->editing());
    w->editor()->selectAll();
    QTest::keyClicks(w->editor(), text);
  }

  std::vector<std::pair<std::string, int64_t>> stored() {
    std::vector<std::pair<std::string, int64_t>> out;
    TablesInUse t(ctx, {TableId::CateIngr});
    FileAccess& f = ctx.file(TableId::CateIngr);
    EXPECT_TRUE(f.set(cin::KEYDESCRIPCION));
    while (f.next()) out.emplace_back(f.buffer().text(cin::DESCRIPCION), f.buffer().decimal(cin::TOTALINGRESOS));
    return out;
  }
};

TEST_F(Categorias, ShowsItsColumnsTotalAndADisabledPrintButton) {
  withList([&](CategoryList* w) {
    EXPECT_EQ(w->windowTitle(), "Categorías de ingresos");
    EXPECT_EQ(rows(w), (QStringList{"Honorarios", "Sueldo", "Ventas"}));
    EXPECT_EQ(suma(w), "13,850.50");
    EXPECT_EQ(child<QLineEdit>(w, "?LOC:SUMA")->toolTip(), "Total de ingresos");
    auto* print = child<QPushButton>(w, "?BUTTON6");
    EXPECT_EQ(print->text(), "&Reporte");
    EXPECT_FALSE(print->isEnabled());
    const QModelIndex total = w->model()->index(1, 1);
    EXPECT_EQ(w->model()->data(total, Qt::DisplayRole).toString(), "12,000.00");
  });
}

TEST_F(Categorias, NuevoAndEnterAddsTheCategoryWithZeroTotal) {
  withList([&](CategoryList* w) {
    key(w, Qt::Key_Down);  // on "Sueldo"
    key(w, Qt::Key_Insert);
    ASSERT_TRUE(w->editing());
    EXPECT_EQ(w->selectedRow(), 2) << "the new row stands below the selected one";
    EXPECT_EQ(w->model()->data(w->model()->index(0, 1), Qt::ForegroundRole).value<QColor>(),
              QApplication::palette().color(QPalette::Disabled, QPalette::Text))
        << "the total column is greyed while a row is edited";
    typeInEditor(w, "Intereses");
    key(w, Qt::Key_Return);
    EXPECT_FALSE(w->editing());
    EXPECT_EQ(selected(w), "Intereses");
    EXPECT_EQ(suma(w), "13,850.50") << "a new category adds 0.00";
    EXPECT_FALSE(w->model()->data(w->model()->index(0, 1), Qt::ForegroundRole).isValid());
  });
  EXPECT_EQ(stored()[1], (std::pair<std::string, int64_t>{"Intereses", 0}));
  EXPECT_TRUE(presenter.boxes.empty());
}

TEST_F(Categorias, EscOrAnUnchangedNewRowLeavesTheTableAsItWas) {
  withList([&](CategoryList* w) {
    child<QPushButton>(w, "?INSERT:3")->click();
    typeInEditor(w, "Regalos");
    key(w, Qt::Key_Escape);
    EXPECT_FALSE(w->editing());
    EXPECT_EQ(rows(w), (QStringList{"Honorarios", "Sueldo", "Ventas"}));
    key(w, Qt::Key_Insert);
    key(w, Qt::Key_Return);
    EXPECT_EQ(rows(w), (QStringList{"Honorarios", "Sueldo", "Ventas"}));
  });
  EXPECT_EQ(stored().size(), 3u);
}

TEST_F(Categorias, DownStoresAndGoesOnInTheNextRowUpInThePrevious) {
  withList([&](CategoryList* w) {
    key(w, Qt::Key_Return, Qt::ControlModifier);  // Ctrl+Enter: as "Editar"
    typeInEditor(w, "Honorarios medicos");
    key(w, Qt::Key_Down);
    ASSERT_TRUE(w->editing());
    EXPECT_EQ(w->editor()->text(), "Sueldo");
    typeInEditor(w, "Salario");
    key(w, Qt::Key_Up);
    ASSERT_TRUE(w->editing());
    EXPECT_EQ(w->editor()->text(), "Honorarios medicos");
    key(w, Qt::Key_Escape);
  });
  EXPECT_EQ(stored(), (std::vector<std::pair<std::string, int64_t>>{
                          {"Honorarios medicos", 150000}, {"Salario", 1200000}, {"Ventas", 35050}}));
}

TEST_F(Categorias, DownWhileAddingStartsAFurtherNewRow) {
  withList([&](CategoryList* w) {
    key(w, Qt::Key_Insert);
    typeInEditor(w, "Bonos");
    key(w, Qt::Key_Down);
    ASSERT_TRUE(w->editing());
    EXPECT_EQ(w->editor()->text(), "");
    typeInEditor(w, "Comisiones");
    key(w, Qt::Key_Return);
    EXPECT_EQ(rows(w), (QStringList{"Bonos", "Comisiones", "Honorarios", "Sueldo", "Ventas"}));
  });
}

TEST_F(Categorias, TabAsksWhetherToSaveAChangedRow) {
  withList([&](CategoryList* w) {
    key(w, Qt::Key_Return, Qt::ControlModifier);
    typeInEditor(w, "Uno");
    presenter.answer({kCancel});
    key(w, Qt::Key_Tab);
    EXPECT_TRUE(w->editing()) << "Cancelar goes on editing";
    presenter.answer({kNo});
    key(w, Qt::Key_Tab);
    EXPECT_FALSE(w->editing());
    EXPECT_EQ(rows(w)[0], "Honorarios") << "No ends without storing";

    key(w, Qt::Key_Return, Qt::ControlModifier);
    typeInEditor(w, "Dos");
    key(w, Qt::Key_Backtab);
    EXPECT_TRUE(w->editing()) << "Shift+Tab does nothing";
    presenter.answer({kYes});
    key(w, Qt::Key_Tab);
    EXPECT_FALSE(w->editing());

    key(w, Qt::Key_Return, Qt::ControlModifier);
    key(w, Qt::Key_Tab);  // unchanged: ends without a question
    EXPECT_FALSE(w->editing());
  });
  ASSERT_EQ(presenter.boxes.size(), 3u);
  EXPECT_EQ(presenter.boxes[0].number, 38);
  EXPECT_EQ(presenter.boxes[0].title, "Guardar Registro");
  EXPECT_EQ(presenter.boxes[0].defaultButton, kYes);
  EXPECT_EQ(presenter.boxes[0].buttons, kYes | kNo | kCancel);
  EXPECT_EQ(stored()[0].first, "Dos");
}

TEST_F(Categorias, ADuplicateInOtherCaseIsMessage15AndTheEntryStaysOpen) {
  withList([&](CategoryList* w) {
    key(w, Qt::Key_Insert);
    typeInEditor(w, "SUELDO");
    key(w, Qt::Key_Return);
    EXPECT_TRUE(w->editing());
    EXPECT_EQ(w->editor()->text(), "SUELDO");
    key(w, Qt::Key_Escape);
  });
  ASSERT_EQ(presenter.boxes.size(), 1u);
  EXPECT_EQ(presenter.boxes[0].text,
            "Agregar este registro crea una clave duplicada para la clave: cin:KeyDescripcion");
  EXPECT_EQ(stored().size(), 3u);
}

TEST_F(Categorias, AChangeByAnotherUserWhileEditingIsNotOverwritten) {
  withList([&](CategoryList* w) {
    key(w, Qt::Key_Return, Qt::ControlModifier);  // editing "Honorarios"
    {
      test::RecordingPresenter p;
      Messages m(p);
      Context other(dir.path(), m);
      TablesInUse t(other, {TableId::CateIngr});
      ASSERT_TRUE(other.file(TableId::CateIngr).fetchRecno(1));
      ASSERT_TRUE(other.buffer(TableId::CateIngr).setDecimal(cin::TOTALINGRESOS, 999));
      ASSERT_TRUE(other.relation(TableId::CateIngr).update());
    }
    typeInEditor(w, "Honorarios 2");
    key(w, Qt::Key_Return);
    EXPECT_TRUE(w->editing()) << "the other version was reported; the editing goes on";
    key(w, Qt::Key_Escape);
  });
  EXPECT_EQ(presenter.numbers(), std::vector<uint16_t>{8});
  EXPECT_EQ(stored()[0], (std::pair<std::string, int64_t>{"Honorarios", 999}));
}

TEST_F(Categorias, ClosingEndsTheEditingAndStaysOpenWhenTheRowCannotBeStored) {
  bool stayed = false;
  test::whenModal([&](QWidget* w) {
    auto* list = qobject_cast<CategoryList*>(w);
    key(list, Qt::Key_Insert);
    typeInEditor(list, "sueldo");  // a duplicate
    list->close();
    stayed = list->isVisible() && list->editing();
    typeInEditor(list, "Rentas");
    list->close();  // the close box stores the row, then closes
  });
  masterdata::BrowseCateIngr(ctx);
  EXPECT_TRUE(stayed);
  EXPECT_EQ(presenter.numbers(), std::vector<uint16_t>{15});
  EXPECT_EQ(stored().size(), 4u);
  EXPECT_EQ(stored()[1].first, "Rentas");
}

TEST_F(Categorias, BorrarDeletesAtOnceAndTheTotalFollows) {
  withList([&](CategoryList* w) {
    key(w, Qt::Key_Down);
    child<QPushButton>(w, "?DELETE:3")->click();
    EXPECT_EQ(rows(w), (QStringList{"Honorarios", "Ventas"}));
    EXPECT_EQ(suma(w), "1,850.50");
  });
  EXPECT_TRUE(presenter.boxes.empty()) << "no question";
}

TEST_F(Categorias, LeavingTheListOrPressingAButtonStoresTheRow) {
  withList([&](CategoryList* w) {
    key(w, Qt::Key_Return, Qt::ControlModifier);
    typeInEditor(w, "Hon");
    child<QPushButton>(w, "?VIEW:2")->click();  // a button first ends the editing, storing it
    ASSERT_TRUE(w->editing()) << "and then \"Ver\" edits in place again";
    EXPECT_EQ(w->editor()->text(), "Hon");
    typeInEditor(w, "Hono");
    child<QPushButton>(w, "?CLOSE")->setFocus();  // the focus leaves the list
    for (int i = 0; i < 20 && w->editing(); ++i) QTest::qWait(10);
    EXPECT_FALSE(w->editing());
  });
  EXPECT_EQ(stored()[0].first, "Hono");
}

TEST_F(Categorias, AnExistingCategoryEmptiedInPlaceIsStoredAndLeavesTheList) {
  withList([&](CategoryList* w) {
    key(w, Qt::Key_Return, Qt::ControlModifier);
    w->editor()->clear();
    key(w, Qt::Key_Return);
    EXPECT_EQ(rows(w), (QStringList{"Sueldo", "Ventas"}));
  });
  TablesInUse t(ctx, {TableId::CateIngr});
  int64_t all = 0;
  ASSERT_TRUE(ctx.file(TableId::CateIngr).countAll(all));
  EXPECT_EQ(all, 3);
}

TEST_F(Categorias, TheFormsRequireOrAcceptAnEmptyDescription) {
  // UpdateCateIngr: required.
  bool ingrStaysOpen = false;
  test::whenModal([&](QWidget* form) {
    EXPECT_EQ(form->windowTitle(), "Altas");
    child<QPushButton>(form, "?OK")->click();
    ingrStaysOpen = form->isVisible();
    child<QPushButton>(form, "?CANCEL")->click();
  });
  {
    TablesInUse t(ctx, {TableId::CateIngr});
    ASSERT_TRUE(ctx.file(TableId::CateIngr).prime());
    EXPECT_EQ(masterdata::UpdateCateIngr(ctx, Request::Insert), Response::Cancelled);
  }
  EXPECT_TRUE(ingrStaysOpen);

  // UpdateCateEgre: an empty description is stored, and its list does not show it.
  test::whenModal([&](QWidget* form) { child<QPushButton>(form, "?OK")->click(); });
  TablesInUse t(ctx, {TableId::CateEgre});
  ASSERT_TRUE(ctx.file(TableId::CateEgre).prime());
  EXPECT_EQ(masterdata::UpdateCateEgre(ctx, Request::Insert), Response::Completed);
  int64_t all = 0;
  int64_t listed = 0;
  ASSERT_TRUE(ctx.file(TableId::CateEgre).countAll(all));
  ASSERT_TRUE(ctx.file(TableId::CateEgre).count(ceg::KEYDESCRIPCION, listed));
  EXPECT_EQ(all, 1);
  EXPECT_EQ(listed, 0);
  QStringList egre;
  test::whenModal([&](QWidget* w) {
    auto* list = qobject_cast<ListWindow*>(w);
    egre << QString::number(list->model()->rowCount()) << child<QLineEdit>(w, "?LOC:SUMA")->toolTip()
         << child<QPushButton>(w, "?BUTTON6")->text();
    child<QPushButton>(w, "?CLOSE")->click();
  });
  masterdata::BrowseCateEgre(ctx);
  EXPECT_EQ(egre, (QStringList{"0", "Suma de egresos", "Im&primir"}));
}

}  // namespace
}  // namespace fin
