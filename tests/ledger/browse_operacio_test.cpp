// The main window: its totals after an insert, a delete and a filter, the
// menus and the windows they open, the donation button and the web view.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>

#include "app/globals.h"
#include "data/tables.h"
#include "ledger/browse_operacio.h"
#include "support/gui_fixture.h"
#include "ui/platform.h"

namespace fin {
namespace {

using namespace fin::ui;
using ledger::MainWindow;

class RecordingBrowser : public UrlOpener {
 public:
  bool open(const QString& url) override {
    opened << url;
    return true;
  }
  QStringList opened;
};

class MainWindowTest : public test::GuiFixture {
 protected:
  void SetUp() override {
    setPlatform({nullptr, &browser});
    app::globals().nombre = "Ana María";
    app::globals().fecha = *Date::fromYmd(2026, 12, 11);
  }
  void TearDown() override { app::globals() = app::Globals{}; }

  void addOperation(const char* description, int day, int64_t ingreso, int64_t egreso) {
    TablesInUse open(ctx, {TableId::Operacio});
    FileAccess& f = ctx.file(TableId::Operacio);
    ASSERT_TRUE(f.prime());
    Record& r = f.buffer();
    r.setDate(ope::FECHA, *Date::fromYmd(2026, 3, day));
    ASSERT_TRUE(r.setText(ope::CONCEPTO, description));
    ASSERT_TRUE(r.setText(ope::TIPO, ingreso ? "INGRESO" : "EGRESO"));
    ASSERT_TRUE(r.setDecimal(ope::INGRESO, ingreso));
    ASSERT_TRUE(r.setDecimal(ope::EGRESO, egreso));
    ASSERT_TRUE(f.insert());
  }

  MainWindow* open() {
    window = std::make_unique<MainWindow>(ctx);
    EXPECT_TRUE(window->open(Request::None));
    window->show();
    return window.get();
  }
  QStringList totals() {
    return {child<QLineEdit>(window.get(), "?LOC:SI")->text(), child<QLineEdit>(window.get(), "?LOC:SE")->text(),
            child<QLineEdit>(window.get(), "?LOC:BAL")->text()};
  }
  QAction* entry(const char* menu, const char* text) {
    for (QAction* a : window->menu(menu)->actions())
      if (a->text() == QString::fromUtf8(text)) return a;
    ADD_FAILURE() << text;
    return nullptr;
  }
  QTableView* list() { return child<QTableView>(window.get(), "?BROWSE:1"); }

  RecordingBrowser browser;
  std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, AnEmptyRegisterShowsZeroTotalsAndTheUsersName) {
  MainWindow* w = open();
  EXPECT_EQ(w->windowTitle(), "Finanzas personales - Operaciones registradas");
  EXPECT_EQ(w->model()->rowCount(), 0);
  EXPECT_EQ(totals(), (QStringList{"0.00", "0.00", "0.00"}));
  EXPECT_EQ(child<QLineEdit>(w, "?GLO:NOMBRE")->text(), "Ana María");
  EXPECT_FALSE(child<QPushButton>(w, "?CLOSE")->isVisible()) << "Volver is hidden";
  EXPECT_TRUE(presenter.programCaptions) << "message boxes use the program's captions from now on";
  EXPECT_TRUE(std::filesystem::exists(dir / "qz000021.tps")) << "Default is opened so that it exists";
  EXPECT_TRUE(std::filesystem::exists(dir / "LINEAS"));
  EXPECT_EQ(w->webView()->source(), QUrl(ledger::kHomePage));
  EXPECT_FALSE(w->webView()->toPlainText().isEmpty());
}

TEST_F(MainWindowTest, TotalsFollowAnInsertADeleteAndTheFilter) {
  addOperation("Sueldo de marzo", 1, 2500000, 0);
  addOperation("Renta", 2, 0, 800000);
  addOperation("Despensa", 3, 0, 125050);
  MainWindow* w = open();
  EXPECT_EQ(totals(), (QStringList{"25,000.00", "9,250.50", "15,749.50"}));
  EXPECT_EQ(w->model()->data(w->model()->index(1, 4), Qt::DisplayRole).toString(), "") << "a zero income is blank";
  EXPECT_EQ(w->model()->data(w->model()->index(1, 0), Qt::DisplayRole).toString(), "02/03/2026");

  test::whenModal([&](QWidget* form) {
    auto* amount = child<QLineEdit>(form, "?OPE:INGRESO");
    amount->setFocus();
    amount->selectAll();
    QTest::keyClicks(amount, "100");
    child<QPushButton>(form, "?OK")->click();
  });
  child<QPushButton>(w, "?INSERT:3")->click();
  EXPECT_EQ(totals(), (QStringList{"25,100.00", "9,250.50", "15,849.50"}));
  const ViewRow* selected = w->selectedRecord();
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(selected->record.date(ope::FECHA), *Date::fromYmd(2026, 12, 11)) << "the new operation is selected";

  QTest::keyClick(list(), Qt::Key_Home);
  QTest::keyClick(list(), Qt::Key_Down);  // "Renta"
  presenter.answer({kYes});
  child<QPushButton>(w, "?DELETE:3")->click();
  EXPECT_EQ(totals(), (QStringList{"25,100.00", "1,250.50", "23,849.50"}));

  test::whenModal([&](QWidget* find) {
    QTest::keyClicks(child<QLineEdit>(find, "?SEARCHVALUE"), "*sueldo*");
    auto* fields = find->findChild<QComboBox*>("?SEARCHFIELDS");
    fields->setCurrentIndex(fields->findText("Concepto"));
    child<QPushButton>(find, "?FINDNEXT")->click();
  });
  QTest::keyClick(list(), Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(w->model()->rowCount(), 1);
  EXPECT_EQ(totals(), (QStringList{"25,000.00", "0.00", "25,000.00"}));
  test::whenModal([&](QWidget* find) { child<QPushButton>(find, "?FIND")->click(); });
  QTest::keyClick(list(), Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(totals(), (QStringList{"25,100.00", "1,250.50", "23,849.50"})) << "the whole register again";
}

TEST_F(MainWindowTest, HeaderSortingReordersAndTheTotalsStay) {
  addOperation("Bravo", 1, 100, 0);
  addOperation("Alfa", 2, 200, 0);
  addOperation("Charlie", 3, 300, 0);
  MainWindow* w = open();
  list()->horizontalHeader()->sectionClicked(3);  // "Concepto"
  auto conceptAt = [&](int row) { return w->model()->data(w->model()->index(row, 3), Qt::DisplayRole).toString(); };
  EXPECT_EQ(QStringList({conceptAt(0), conceptAt(1), conceptAt(2)}), (QStringList{"Alfa", "Bravo", "Charlie"}));
  list()->horizontalHeader()->sectionClicked(3);
  EXPECT_EQ(conceptAt(0), "Charlie");
  EXPECT_EQ(totals()[0], "6.00");
}

TEST_F(MainWindowTest, TheMenusHoldTheirEntriesAndOpenTheBuiltWindows) {
  MainWindow* w = open();
  QStringList start;
  for (QAction* a : w->menu("start")->actions()) start << a->text() + (a->isEnabled() ? "" : "-");
  EXPECT_EQ(start, (QStringList{"Reportes", "Graficos", "Archivos de datos", "Cuentas por cobrar-",
                                "Cuentas por pagar-", "Cambiar contraseña-", "Salir"}));
  QStringList data;
  for (QAction* a : w->menu("data")->actions()) data << a->text() + (a->isEnabled() ? "" : "-");
  EXPECT_EQ(data, (QStringList{"Acreedores-", "Deudores-", "Cuentas bancarias", "Tipos de cuentas bancarias",
                               "Bancos", "Categorías de ingresos", "Categorías de egresos", "Cambiar contraseña-"}));
  EXPECT_EQ(w->menu("reports")->actions().size(), 9);
  EXPECT_EQ(w->menu("charts")->actions().size(), 4);

  for (const char* name : {"Cuentas bancarias", "Categorías de ingresos", "Categorías de egresos"}) {
    QString opened;
    test::whenModal([&](QWidget* list) {
      opened = list->windowTitle();
      child<QPushButton>(list, "?CLOSE")->click();
    });
    entry("data", name)->trigger();
    EXPECT_EQ(opened, QString::fromUtf8(name));
  }

  // The lists started on their own: the main window goes on at once; a second start brings the first forward.
  entry("data", "Bancos")->trigger();
  entry("data", "Tipos de cuentas bancarias")->trigger();
  entry("data", "Tipos de cuentas bancarias")->trigger();
  int banks = 0, types = 0;
  for (QWidget* t : QApplication::topLevelWidgets()) {
    banks += t->objectName() == "BrowseBancos" && t->isVisible();
    types += t->objectName() == "BrowseTipoCban" && t->isVisible();
  }
  EXPECT_EQ(banks, 1);
  EXPECT_EQ(types, 1);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  entry("start", "Salir")->trigger();
  EXPECT_FALSE(w->isVisible());
}

TEST_F(MainWindowTest, TheMainWindowBlocksNoneWhileTheWindowsItCallsAreModalToIt) {
  bool checked = false;
  QTimer::singleShot(50, [&] {
    auto* main = qobject_cast<MainWindow*>(topLevel("BrowseOperacio"));
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(QGuiApplication::modalWindow(), nullptr) << "the main window is not modal";
    for (QAction* a : main->menu("data")->actions())
      if (a->text() == "Bancos") a->trigger();
    QWidget* banks = topLevel("BrowseBancos");
    ASSERT_NE(banks, nullptr);
    EXPECT_EQ(QGuiApplication::modalWindow(), nullptr) << "the bank list started on its own can be used";
    EXPECT_EQ(banks->parentWidget(), nullptr);
    test::whenModal([&](QWidget* form) {
      EXPECT_EQ(form->parentWidget(), main) << "the form is modal to the window that called it";
      EXPECT_EQ(form->windowModality(), Qt::WindowModal);
      checked = true;
      child<QPushButton>(form, "?CANCEL")->click();
    });
    QApplication::setActiveWindow(main);
    child<QPushButton>(main, "?INSERT:3")->click();
    for (QAction* a : main->menu("start")->actions())
      if (a->text() == "Salir") a->trigger();
  });
  EXPECT_EQ(ledger::BrowseOperacio(ctx), Response::Cancelled);
  EXPECT_TRUE(checked);
}

TEST_F(MainWindowTest, DonationAndLinksOpenTheBrowserWithoutWaiting) {
  MainWindow* w = open();
  child<QPushButton>(w, "?BUTTON35")->click();
  emit w->webView()->anchorClicked(QUrl("https://www.example.org/finanzas/"));
  EXPECT_EQ(browser.opened, (QStringList{ledger::kDonationPage, "https://www.example.org/finanzas/"}));
  EXPECT_EQ(child<QPushButton>(w, "?BUTTON35")->text(), "Quiero Donar");
  EXPECT_EQ(child<QLabel>(w, "?PROMPT2")->text(), "Si este programa te es util, por favor dona 1 dolar.");
}

}  // namespace
}  // namespace fin
