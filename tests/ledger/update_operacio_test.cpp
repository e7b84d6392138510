// The operation form in its four modes, the type switch both ways, the
// drop-downs with adding a category, and the entries that refuse bad input.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "app/globals.h"
#include "data/tables.h"
#include "ledger/update_operacio.h"
#include "support/gui_fixture.h"
#include "ui/platform.h"

namespace fin {
namespace {

using namespace fin::ui;
using ledger::UpdateOperacio;

const FieldId kIncomeFields[] = {ope::CATING, ope::INGRESOCUENTA, ope::ABONOCXC, ope::INGRESO,
                                 ope::COMPROBANTEINGRESOS};
const FieldId kExpenseFields[] = {ope::CATEGR, ope::ABONOCXP, ope::EGRESO, ope::CUENTABANCARIAEGRESOS,
                                  ope::COMPROBANTEGASTOS};

QString controlName(FieldId f) { return "?OPE:" + QString::fromUtf8(fieldDef(f).name.data(), fieldDef(f).name.size()); }

class FixedDate : public DatePicker {
 public:
  std::optional<Date> pick(QWidget*, Date initial) override {
    shown = initial;
    return answer;
  }
  Date shown;
  std::optional<Date> answer;
};

class OperationForm : public test::GuiFixture {
 protected:
  void SetUp() override {
    app::globals().fecha = *Date::fromYmd(2026, 12, 11);
    addNames(TableId::CateIngr, cin::DESCRIPCION, {"Sueldo", "Ventas"});
    addNames(TableId::CateEgre, ceg::DESCRIPCION, {"Renta"});
    addNames(TableId::CuenBanc, cba::NUMERO, {"044100000012345", "777"});
    setPlatform({&calendar, nullptr});
  }
  void TearDown() override { app::globals() = app::Globals{}; }

  // Primes (for an insert) and runs the form, acting on it while it is open.
  Response run(Request request, std::function<void(QWidget*)> act) {
    TablesInUse open(ctx, {TableId::Operacio});
    if (request == Request::Insert) {
      EXPECT_TRUE(ctx.file(TableId::Operacio).prime());
    }
    test::whenModal(std::move(act));
    return UpdateOperacio(ctx, request);
  }

  // Stores an operation through the store and makes it current.
  void storeExpense() {
    TablesInUse open(ctx, {TableId::Operacio});
    FileAccess& f = ctx.file(TableId::Operacio);
    ASSERT_TRUE(f.prime());
    Record& r = f.buffer();
    ASSERT_TRUE(r.setText(ope::TIPO, "EGRESO"));
    r.setDate(ope::FECHA, *Date::fromYmd(2026, 5, 1));
    ASSERT_TRUE(r.setText(ope::CATEGR, "Renta"));
    ASSERT_TRUE(r.setText(ope::CUENTABANCARIAEGRESOS, "777"));
    ASSERT_TRUE(r.setText(ope::COMPROBANTEGASTOS, "C-9"));
    ASSERT_TRUE(r.setDecimal(ope::EGRESO, 150000));
    ASSERT_TRUE(f.insert());
  }

  int64_t operations() {
    TablesInUse open(ctx, {TableId::Operacio});
    int64_t n = 0;
    EXPECT_TRUE(ctx.file(TableId::Operacio).countAll(n));
    return n;
  }
  Record& op() { return ctx.buffer(TableId::Operacio); }

  FixedDate calendar;
};

TEST_F(OperationForm, InsertStartsAsAnIncomeInCashOnTheWorkingDate) {
  QStringList seen;
  const Response r = run(Request::Insert, [&](QWidget* form) {
    seen << form->windowTitle();
    seen << (child<QRadioButton>(form, "?OPE:TIPO:1")->isChecked() ? "INGRESO" : "?");
    seen << (child<QRadioButton>(form, "?OPE:FORMA:1")->isChecked() ? "EFECTIVO" : "?");
    seen << child<QLineEdit>(form, "?OPE:FECHA")->text();
    seen << (QApplication::focusWidget() == child<QRadioButton>(form, "?OPE:TIPO:1") ? "focus" : "no focus");
    for (FieldId f : kIncomeFields) EXPECT_TRUE(child<QWidget>(form, controlName(f))->isEnabled());
    for (FieldId f : kExpenseFields) EXPECT_TRUE(child<QWidget>(form, controlName(f))->isEnabled());
    auto* amount = child<QLineEdit>(form, "?OPE:INGRESO");
    amount->setFocus();
    amount->selectAll();
    QTest::keyClicks(amount, "1234.5");
    auto* category = child<QComboBox>(form, "?OPE:CATING");
    category->setFocus();
    QTest::keyClicks(category, "su");
    child<QPushButton>(form, "?OK")->click();
  });
  EXPECT_EQ(seen, (QStringList{"Altas", "INGRESO", "EFECTIVO", "11/12/2026", "focus"}));
  EXPECT_EQ(r, Response::Completed);
  EXPECT_EQ(op().integer(ope::ID), 1);
  EXPECT_EQ(op().decimal(ope::INGRESO), 123450);
  EXPECT_EQ(op().text(ope::CATING), "Sueldo");
  EXPECT_EQ(op().date(ope::FECHA), *Date::fromYmd(2026, 12, 11));
  EXPECT_EQ(operations(), 1);
}

TEST_F(OperationForm, CancelGivesTheReservedNumberBack) {
  run(Request::Insert, [&](QWidget* form) {
    EXPECT_EQ(operations(), 1) << "the number is reserved while the form is open";
    child<QPushButton>(form, "?CANCEL")->click();
  });
  EXPECT_EQ(operations(), 0);
  TablesInUse open(ctx, {TableId::Operacio});
  ASSERT_TRUE(ctx.file(TableId::Operacio).prime());
  EXPECT_EQ(op().integer(ope::ID), 1);
  ASSERT_TRUE(ctx.file(TableId::Operacio).cancelPrimed());
}

TEST_F(OperationForm, TheDateIsRequiredAndTheCalendarSetsIt) {
  app::globals().fecha = Date();  // as on a first run
  bool focusInDate = false;
  const Response r = run(Request::Insert, [&](QWidget* form) {
    child<QPushButton>(form, "?OK")->click();
    focusInDate = QApplication::focusWidget() == child<QLineEdit>(form, "?OPE:FECHA");
    calendar.answer = Date::fromYmd(2026, 2, 14);
    child<QToolButton>(form, "?CALENDAR")->click();
    EXPECT_EQ(child<QLineEdit>(form, "?OPE:FECHA")->text(), "14/02/2026");
    child<QPushButton>(form, "?OK")->click();
  });
  EXPECT_TRUE(focusInDate);
  EXPECT_TRUE(presenter.boxes.empty()) << "a required field shows no message";
  EXPECT_EQ(r, Response::Completed);
  EXPECT_EQ(op().date(ope::FECHA), *Date::fromYmd(2026, 2, 14));
}

TEST_F(OperationForm, EntriesRefuseADateOrAnAmountTheirPictureDoesNotTake) {
  run(Request::Insert, [&](QWidget* form) {
    auto* date = child<QLineEdit>(form, "?OPE:FECHA");
    date->setFocus();
    date->selectAll();
    QTest::keyClicks(date, "31/02/2026");
    auto* amount = child<QLineEdit>(form, "?OPE:INGRESO");
    amount->setFocus();  // leaving the date accepts it: refused, shown again, the focus stays
    QTest::qWait(20);
    EXPECT_EQ(date->text(), "11/12/2026");
    EXPECT_EQ(QApplication::focusWidget(), date);
    amount->setFocus();
    amount->selectAll();
    QTest::keyClicks(amount, "10000000");  // beyond 9,999,999.99: the eighth digit is not taken
    EXPECT_EQ(amount->text(), "1000000");
    QTest::keyClicks(amount, "x-");
    EXPECT_EQ(amount->text(), "1000000");
    child<QPushButton>(form, "?CANCEL")->click();
    presenter.answer({kYes});
  });
}

TEST_F(OperationForm, ChoosingIncomeClearsTheExpenseSideAndDisablesIt) {
  storeExpense();
  QStringList after;
  const Response r = run(Request::Change, [&](QWidget* form) {
    EXPECT_EQ(form->windowTitle(), "Modificaciones");
    for (FieldId f : kIncomeFields) EXPECT_TRUE(child<QWidget>(form, controlName(f))->isEnabled()) << "at opening";
    child<QRadioButton>(form, "?OPE:TIPO:1")->click();  // INGRESO
    EXPECT_TRUE(child<QRadioButton>(form, "?OPE:TIPO:1")->isChecked());
    for (FieldId f : kExpenseFields) EXPECT_FALSE(child<QWidget>(form, controlName(f))->isEnabled());
    for (FieldId f : kIncomeFields) EXPECT_TRUE(child<QWidget>(form, controlName(f))->isEnabled());
    after << child<QComboBox>(form, "?OPE:CATEGR")->currentText() << child<QLineEdit>(form, "?OPE:EGRESO")->text();
    child<QRadioButton>(form, "?OPE:TIPO:2")->click();  // EGRESO again
    for (FieldId f : kExpenseFields) EXPECT_TRUE(child<QWidget>(form, controlName(f))->isEnabled());
    for (FieldId f : kIncomeFields) EXPECT_FALSE(child<QWidget>(form, controlName(f))->isEnabled());
    after << child<QComboBox>(form, "?OPE:CATEGR")->currentText();
    child<QPushButton>(form, "?OK")->click();
  });
  EXPECT_EQ(after, (QStringList{"", "0.00", ""})) << "choosing EGRESO again does not bring the values back";
  EXPECT_EQ(r, Response::Completed);
  EXPECT_EQ(op().text(ope::CATEGR), "");
  EXPECT_EQ(op().decimal(ope::EGRESO), 0);
  EXPECT_EQ(op().text(ope::COMPROBANTEGASTOS), "");
}

TEST_F(OperationForm, EnterOnARadioMovesOnWithoutChoosingIt) {
  storeExpense();
  const Response r = run(Request::Change, [&](QWidget* form) {
    auto* income = child<QRadioButton>(form, "?OPE:TIPO:1");
    income->setFocus();
    QTest::keyClick(income, Qt::Key_Return);
    EXPECT_FALSE(income->isChecked());
    EXPECT_NE(QApplication::focusWidget(), income);
    child<QPushButton>(form, "?OK")->click();
  });
  EXPECT_EQ(r, Response::Completed);
  EXPECT_EQ(op().decimal(ope::EGRESO), 150000) << "the expense was not cleared";
}

TEST_F(OperationForm, ViewIsReadOnlyAndDeleteAsksFirst) {
  storeExpense();
  run(Request::View, [&](QWidget* form) {
    child<QRadioButton>(form, "?OPE:TIPO:1")->click();  // choosing a side in view mode changes nothing
    EXPECT_FALSE(child<QComboBox>(form, "?OPE:CATING")->isEnabled());
    EXPECT_EQ(child<QLineEdit>(form, "?OPE:EGRESO")->text(), "1,500.00");
    EXPECT_EQ(form->windowTitle(), "Consulta");
    EXPECT_TRUE(child<QLineEdit>(form, "?OPE:FECHA")->isReadOnly());
    EXPECT_TRUE(child<QLineEdit>(form, "?OPE:EGRESO")->isReadOnly());
    EXPECT_FALSE(child<QComboBox>(form, "?OPE:CATEGR")->isEnabled());
    EXPECT_FALSE(child<QRadioButton>(form, "?OPE:FORMA:2")->isEnabled());
    EXPECT_FALSE(child<QToolButton>(form, "?CALENDAR")->isEnabled());
    child<QPushButton>(form, "?OK")->click();
  });
  {
    TablesInUse open(ctx, {TableId::Operacio});
    ASSERT_TRUE(ctx.file(TableId::Operacio).fetchRecno(1));
  }
  presenter.answer({kNo});
  EXPECT_EQ(run(Request::Delete, [](QWidget*) {}), Response::Cancelled);
  EXPECT_EQ(operations(), 1);
  {
    TablesInUse open(ctx, {TableId::Operacio});
    ASSERT_TRUE(ctx.file(TableId::Operacio).fetchRecno(1));
  }
  presenter.answer({kYes});
  EXPECT_EQ(run(Request::Delete, [](QWidget*) {}), Response::Completed);
  EXPECT_EQ(presenter.numbers(), (std::vector<uint16_t>{11, 11}));
  EXPECT_EQ(operations(), 0);
}

TEST_F(OperationForm, AnExpenseAccountKeepsTenCharactersAndANewCategoryIsAdded) {
  QString categoryCaption;
  const Response r = run(Request::Insert, [&](QWidget* form) {
    child<QRadioButton>(form, "?OPE:TIPO:2")->click();
    auto* account = child<QComboBox>(form, "?OPE:CUENTABANCARIAEGRESOS");
    account->setFocus();
    QTest::keyClicks(account, "0441");
    EXPECT_EQ(account->currentText(), "044100000012345");
    auto* category = child<QComboBox>(form, "?OPE:CATEGR");
    category->setFocus();
    QTest::keyClicks(category, "Vacaciones");
    test::whenModal(
        [&](QWidget* categoryForm) {
          categoryCaption = categoryForm->objectName() + " " + categoryForm->windowTitle() + " " +
                            child<QLineEdit>(categoryForm, "?CEG:DESCRIPCION")->text();
          child<QPushButton>(categoryForm, "?OK")->click();
        },
        form);
    child<QPushButton>(form, "?OK")->click();
  });
  EXPECT_EQ(categoryCaption, "UpdateCateEgre Altas Vacaciones");
  EXPECT_EQ(r, Response::Completed);
  EXPECT_EQ(op().text(ope::CUENTABANCARIAEGRESOS), "0441000000");
  EXPECT_EQ(op().text(ope::CATEGR), "Vacaciones");
  TablesInUse open(ctx, {TableId::CateEgre});
  int64_t n = 0;
  ASSERT_TRUE(ctx.file(TableId::CateEgre).countAll(n));
  EXPECT_EQ(n, 2);
}

TEST_F(OperationForm, HistoryRecallsTheLastSavedOperation) {
  run(Request::Insert, [&](QWidget* form) {
    QTest::keyClicks(child<QLineEdit>(form, "?OPE:CONCEPTO"), "Renta de oficina");
    child<QPushButton>(form, "?OK")->click();
  });
  QString recalled;
  run(Request::Insert, [&](QWidget* form) {
    auto* entry = child<QLineEdit>(form, "?OPE:CONCEPTO");
    entry->setFocus();
    QTest::keyClick(entry, Qt::Key_H, Qt::ControlModifier);
    recalled = entry->text();
    presenter.answer({kYes});
    child<QPushButton>(form, "?CANCEL")->click();
  });
  EXPECT_EQ(recalled, "Renta de oficina");
}

}  // namespace
}  // namespace fin
