// Bank accounts: the list's six columns and three totals, Enter moving the
// focus, and the account form through both of its drop-downs.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include "data/tables.h"
#include "masterdata/cuenbanc.h"
#include "support/gui_fixture.h"
#include "ui/list_window.h"

namespace fin {
namespace {

using namespace fin::ui;

class CuentasBancarias : public test::GuiFixture {
 protected:
  void SetUp() override {
    addNames(TableId::Bancos, ban::NOMBRE, {"Banco del Sur", "Banorte", "Citi"});
    addNames(TableId::TipoCban, tcb::DESCRIPCION, {"Ahorro", "Cheques"});
  }

  void addAccount(const char* number, int64_t debe, int64_t haber) {
    TablesInUse t(ctx, {TableId::CuenBanc});
    FileAccess& f = ctx.file(TableId::CuenBanc);
    f.buffer().clear();
    ASSERT_TRUE(f.buffer().setText(cba::NUMERO, number));
    ASSERT_TRUE(f.buffer().setDecimal(cba::DEBE, debe));
    ASSERT_TRUE(f.buffer().setDecimal(cba::HABER, haber));
    ASSERT_TRUE(f.insert());
  }

  void withList(std::function<void(ListWindow*)> act) {
    test::whenModal([&](QWidget* w) {
      act(qobject_cast<ListWindow*>(w));
      child<QPushButton>(w, "?CLOSE")->click();
    });
    masterdata::BrowseCuenBanc(ctx);
  }

  static QStringList totals(ListWindow* w) {
    return {child<QLineEdit>(w, "?LOC:SUMADEBE")->text(), child<QLineEdit>(w, "?SUMAHABER")->text(),
            child<QLineEdit>(w, "?SUMASALDO")->text()};
  }
  static QStringList row(ListWindow* w, int r) {
    QStringList out;
    for (int c = 0; c < w->model()->columnCount(); ++c)
      out << w->model()->data(w->model()->index(r, c), Qt::DisplayRole).toString();
    return out;
  }

  Record storedAccount(const char* number) {
    TablesInUse t(ctx, {TableId::CuenBanc});
    FileAccess& f = ctx.file(TableId::CuenBanc);
    f.buffer().clear();
    EXPECT_TRUE(f.buffer().setText(cba::NUMERO, number));
    EXPECT_TRUE(f.fetch(cba::KEYNUMERO));
    return f.buffer();
  }
};

TEST_F(CuentasBancarias, SixColumnsAndThreeTotalsOverTheWholeView) {
  addAccount("001", 100000, 25050);
  addAccount("002", 0, 120000);
  withList([&](ListWindow* w) {
    EXPECT_EQ(w->windowTitle(), "Cuentas bancarias");
    EXPECT_EQ(row(w, 0), (QStringList{"001", "", "", "1,000.00", "250.50", "749.50"}));
    EXPECT_EQ(row(w, 1), (QStringList{"002", "", "", "0.00", "1,200.00", "-1,200.00"}));
    EXPECT_EQ(totals(w), (QStringList{"1,000.00", "1,450.50", "-450.50"}));
    EXPECT_EQ(child<QLineEdit>(w, "?SUMASALDO")->toolTip(), "Suma de saldos");
    EXPECT_FALSE(child<QPushButton>(w, "?BUTTON6")->isEnabled());

    // A new account shows 0.00 in its amounts, and the totals do not change.
    test::whenModal([&](QWidget* form) {
      QTest::keyClicks(child<QLineEdit>(form, "?CBA:NUMERO"), "003");
      child<QPushButton>(form, "?OK")->click();
    });
    child<QPushButton>(w, "?INSERT:3")->click();
    EXPECT_EQ(row(w, 2), (QStringList{"003", "", "", "0.00", "0.00", "0.00"}));
    EXPECT_EQ(totals(w), (QStringList{"1,000.00", "1,450.50", "-450.50"}));

    // The totals follow a search filter; the balance is searched as it is shown.
    test::whenModal([&](QWidget* find) {
      auto* fields = child<QComboBox>(find, "?SEARCHFIELDS");
      fields->setCurrentIndex(fields->findText("Saldo"));
      QTest::keyClicks(child<QLineEdit>(find, "?SEARCHVALUE"), "-1,200.00");
      child<QPushButton>(find, "?FINDNEXT")->click();
    });
    QTest::keyClick(child<QTableView>(w, "?BROWSE:1"), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(w->model()->rowCount(), 1);
    EXPECT_EQ(totals(w), (QStringList{"0.00", "1,200.00", "-1,200.00"}));
  });
}

TEST_F(CuentasBancarias, EnterMovesTheFocusOnEveryControl) {
  addAccount("001", 0, 0);
  withList([&](ListWindow* w) {
    auto* list = child<QTableView>(w, "?BROWSE:1");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>(w, "?INSERT:3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>(w, "?CHANGE:3")) << "Enter on a button moves on too";
    EXPECT_EQ(QApplication::activeModalWidget(), w) << "and presses nothing";
  });
}

TEST_F(CuentasBancarias, TheFormTakesBanksAndTypesFromItsDropDowns) {
  QString caption;
  withList([&](ListWindow* w) {
    test::whenModal([&](QWidget* form) {
      caption = form->windowTitle();
      QTest::keyClicks(child<QLineEdit>(form, "?CBA:NUMERO"), "0441-77");
      auto* bank = child<QComboBox>(form, "?CBA:BANCO");
      bank->setFocus();
      QTest::keyClicks(bank, "ban");
      EXPECT_EQ(bank->currentText(), "Banco del Sur") << "completed to the first bank in name order";
      auto* type = child<QComboBox>(form, "?CBA:TIPO");
      type->setFocus();
      QTest::keyClicks(type, "CH");
      EXPECT_EQ(type->currentText(), "Cheques");
      child<QPushButton>(form, "?OK")->click();
    });
    child<QPushButton>(w, "?INSERT:3")->click();
  });
  EXPECT_EQ(caption, "Altas");
  Record r = storedAccount("0441-77");
  EXPECT_EQ(r.text(cba::BANCO), "Banco del Sur");
  EXPECT_EQ(r.text(cba::TIPO), "Cheques");
}

TEST_F(CuentasBancarias, UnmatchedNamesOpenTheirFormsAndALongBankNameIsCut) {
  const QString longName = "Banco Internacional de Desarrollo S";  // 35 characters
  QStringList opened;
  withList([&](ListWindow* w) {
    test::whenModal([&](QWidget* form) {
      QTest::keyClicks(child<QLineEdit>(form, "?CBA:NUMERO"), "900");
      auto* bank = child<QComboBox>(form, "?CBA:BANCO");
      bank->setFocus();
      QTest::keyClicks(bank, longName);
      test::whenModal(
          [&](QWidget* bankForm) {
            opened << bankForm->objectName() + " " + bankForm->windowTitle() + " " +
                          child<QLineEdit>(bankForm, "?BAN:NOMBRE")->text();
            child<QPushButton>(bankForm, "?OK")->click();
          },
          form);
      auto* type = child<QComboBox>(form, "?CBA:TIPO");
      type->setFocus();  // leaving the bank drop-down opens the bank form
      for (int i = 0; i < 100 && opened.size() < 1; ++i) QTest::qWait(10);
      QApplication::setActiveWindow(form);  // back from the bank form
      type->setFocus();
      QTest::keyClicks(type, "Plazo fijo");
      test::whenModal(
          [&](QWidget* typeForm) {
            opened << typeForm->objectName() + " " + typeForm->windowTitle();
            child<QPushButton>(typeForm, "?CANCEL")->click();
          },
          form);
      child<QPlainTextEdit>(form, "?CBA:NOTAS")->setFocus();
      for (int i = 0; i < 100 && opened.size() < 2; ++i) QTest::qWait(10);
      EXPECT_EQ(type->currentText(), "") << "cancelling the type form empties the drop-down";
      child<QPushButton>(form, "?OK")->click();
    });
    child<QPushButton>(w, "?INSERT:3")->click();
  });
  EXPECT_EQ(opened, (QStringList{"UpdateBancos Altas " + longName, "UpdateTipoCban Altas"}));
  Record r = storedAccount("900");
  EXPECT_EQ(QString::fromStdString(r.text(cba::BANCO)), longName.left(30));
  EXPECT_EQ(r.text(cba::TIPO), "");
}

TEST_F(CuentasBancarias, ADuplicateNumberInOtherCaseIsMessage15) {
  addAccount("ABC-1", 0, 0);
  bool stillOpen = false;
  withList([&](ListWindow* w) {
    test::whenModal([&](QWidget* form) {
      QTest::keyClicks(child<QLineEdit>(form, "?CBA:NUMERO"), "abc-1");
      child<QPushButton>(form, "?OK")->click();
      stillOpen = form->isVisible();
      presenter.answer({kYes});
      child<QPushButton>(form, "?CANCEL")->click();
    });
    child<QPushButton>(w, "?INSERT:3")->click();
  });
  EXPECT_TRUE(stillOpen);
  ASSERT_FALSE(presenter.boxes.empty());
  EXPECT_EQ(presenter.boxes[0].text, "Agregar este registro crea una clave duplicada para la clave: cba:KeyNumero");
}

TEST_F(CuentasBancarias, ViewModeChangesNothing) {
  addAccount("001", 0, 0);
  withList([&](ListWindow* w) {
    test::whenModal([&](QWidget* form) {
      EXPECT_TRUE(child<QLineEdit>(form, "?CBA:NUMERO")->isReadOnly());
      EXPECT_FALSE(child<QComboBox>(form, "?CBA:BANCO")->isEnabled());
      EXPECT_FALSE(child<QComboBox>(form, "?CBA:TIPO")->isEnabled());
      auto* notes = child<QPlainTextEdit>(form, "?CBA:NOTAS");
      notes->setFocus();
      QTest::keyClicks(notes, "no se guarda");
      child<QPushButton>(form, "?OK")->click();
    });
    child<QPushButton>(w, "?VIEW:2")->click();
  });
  EXPECT_EQ(storedAccount("001").text(cba::NOTAS), "");
}

}  // namespace
}  // namespace fin
