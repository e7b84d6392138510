#include "ledger/browse_operacio.h"

#include <QCursor>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/globals.h"
#include "data/tables.h"
#include "ledger/update_operacio.h"
#include "masterdata/bancos.h"
#include "masterdata/categorias.h"
#include "masterdata/cuenbanc.h"
#include "masterdata/tipo_cban.h"
#include "ui/icons.h"
#include "ui/platform.h"

namespace fin::ledger {

using namespace fin::ui;

const char* const kDonationPage = "https://www.example.org/finanzas/donar";
const char* const kHomePage = "qrc:/home.html";

namespace {

ListSpec operacioList() {
  ListSpec decl;
  decl.procedure = "BrowseOperacio";
  decl.title = "Finanzas personales - Operaciones registradas";
  decl.listTip = "Operaciones registradas";
  decl.table = TableId::Operacio;
  decl.tables = {TableId::Default, TableId::Lineas, TableId::Operacio, TableId::configur};
  decl.tabs = {{"Por fecha", ope::KEYFECHA}};
  decl.format =
      "46R(1)|M*~Fecha~@d6@35L(2)|M*~Tipo~@s7@36L(2)|M*~Forma~@s8@173L(2)|M*~Concepto~@s40@62R(1)|M*~Ingresos~@n12.2b@"
      "48R(1)|M*~Egresos~@n12.2b@";
  decl.columns = {ValueSource::of(ope::FECHA),    ValueSource::of(ope::TIPO),    ValueSource::of(ope::FORMA),
                  ValueSource::of(ope::CONCEPTO), ValueSource::of(ope::INGRESO), ValueSource::of(ope::EGRESO)};
  decl.searchColumns =
      "Fecha|@d6|OPE:Fecha|Tipo|@s7|OPE:Tipo|Forma|@s8|OPE:Forma|Concepto|@s40|OPE:Concepto|Ingresos|@n12.2b|"
      "OPE:Ingreso|Egresos|@n12.2b|OPE:Egreso|";
  decl.form = UpdateOperacio;
  decl.headerSort = true;
  // LOC:SI, LOC:SE and LOC:BAL, exact sums over the whole view (search filter included).
  decl.totals = {{"?LOC:SI", "", "", ValueSource::of(ope::INGRESO).term()},
                 {"?LOC:SE", "", "", ValueSource::of(ope::EGRESO).term()},
                 {"?LOC:BAL", "Balance:", "", ValueSource::difference(ope::INGRESO, ope::EGRESO).term()}};
  decl.visibleRows = 18;
  decl.modal = false;
  return decl;
}

QLabel* text(QWidget* parent, const char* control, const char* words) {
  auto* label = new QLabel(QString::fromUtf8(words), parent);
  label->setObjectName(control);
  return label;
}

}  // namespace

MainWindow::MainWindow(Context& context) : ListWindow(context, operacioList(), nullptr) {
  setWindowIcon(icon(Icon::Program));
  setWindowModality(Qt::NonModal);
}

QMenu* MainWindow::menu(const std::string& which) const {
  auto it = menus_.find(which);
  return it == menus_.end() ? nullptr : it->second;
}

QPushButton* MainWindow::hiddenButton(const QString& control, std::function<void()> action) {
  auto* b = new QPushButton(control, this);
  b->setObjectName(control);
  b->hide();  // never shown: each is the target of a menu entry
  b->setEnabled(static_cast<bool>(action));
  if (action) connect(b, &QPushButton::clicked, this, std::move(action));
  hidden_[control] = b;
  return b;
}

void MainWindow::addEntry(QMenu* menu, const QString& text, const QString& control) {
  QPushButton* target = hidden_.at(control);
  QAction* a = menu->addAction(text);
  a->setObjectName(control);
  a->setEnabled(target->isEnabled());  // the windows still to come are shown disabled
  connect(a, &QAction::triggered, target, &QPushButton::click);
}

void MainWindow::popUp(QMenu* menu) { menu->popup(QCursor::pos()); }

// The main window stores its state, waits for the window it calls, then refreshes itself.
void MainWindow::callWindow(const std::function<void()>& call) {
  call();
  fillPage();
  reloaded();
}

void MainWindow::buildMenus() {
  Context& ctx = context();
  auto call = [this](auto procedure) {
    return [this, procedure] { callWindow([&] { procedure(context(), Request::None); }); };
  };
  // Lists that run on their own, with a data context of their own; the main window goes on at once.
  auto start = [this, &ctx](bool (*procedure)(const std::filesystem::path&, Messages&)) {
    return [this, &ctx, procedure] { callWindow([&] { procedure(ctx.dataDir(), ctx.messages()); }); };
  };
  for (const char* name : {"start", "data", "reports", "charts"}) {
    auto* m = new QMenu(this);
    m->setObjectName(QString("menu:") + name);
    menus_[name] = m;
  }
  hiddenButton("?MENUREPORTES", [this] { popUp(menus_["reports"]); });
  hiddenButton("?GRAFICOS", [this] { popUp(menus_["charts"]); });
  hiddenButton("?DATOS", [this] { popUp(menus_["data"]); });
  hiddenButton("?SALIDA", [this] { closeButton()->click(); });
  hiddenButton("?CTAS", call(masterdata::BrowseCuenBanc));
  hiddenButton("?TIPOS", start(masterdata::StartBrowseTipoCban));
  hiddenButton("?BANCOS", start(masterdata::StartBrowseBancos));
  hiddenButton("?CATING", call(masterdata::BrowseCateIngr));
  hiddenButton("?CATEGRE", call(masterdata::BrowseCateEgre));
  // Windows that come with later parts of the program.
  for (const char* later : {"?CXC", "?CXP", "?CAMBIACONT", "?ACREE", "?DEUD", "?R1", "?R2", "?R3", "?R4", "?R5",
                            "?R6", "?R7", "?R8", "?R9", "?GRINGRESOSANUALES", "?GREGRESOSANUAL", "?GRAFINGRESOSCAT",
                            "?GREGRESOSCATEG"})
    hiddenButton(later, {});

  // The menu table: each entry presses its hidden control.
  struct Entry {
    const char* menu;
    const char* text;
    const char* control;
  };
  static const Entry kEntries[] = {
      {"start", "Reportes", "?MENUREPORTES"},
      {"start", "Graficos", "?GRAFICOS"},
      {"start", "Archivos de datos", "?DATOS"},
      {"start", "Cuentas por cobrar", "?CXC"},
      {"start", "Cuentas por pagar", "?CXP"},
      {"start", "Cambiar contraseña", "?CAMBIACONT"},
      {"start", "Salir", "?SALIDA"},
      {"data", "Acreedores", "?ACREE"},
      {"data", "Deudores", "?DEUD"},
      {"data", "Cuentas bancarias", "?CTAS"},
      {"data", "Tipos de cuentas bancarias", "?TIPOS"},
      {"data", "Bancos", "?BANCOS"},
      {"data", "Categorías de ingresos", "?CATING"},
      {"data", "Categorías de egresos", "?CATEGRE"},
      {"data", "Cambiar contraseña", "?CAMBIACONT"},
      {"reports", "Operaciones bancarias", "?R8"},
      {"reports", "Categorías de ingresos", "?R3"},
      {"reports", "Categorías de egresos", "?R2"},
      {"reports", "Egresos", "?R9"},
      {"reports", "Deudores", "?R7"},
      {"reports", "&Acreedores", "?R1"},
      {"reports", "Cuentas por cobrar", "?R6"},
      {"reports", "Cuentas por pagar", "?R4"},
      {"reports", "Cuentas bancarias", "?R5"},
      {"charts", "Ingresos anuales", "?GRINGRESOSANUALES"},
      {"charts", "Egresos anuales", "?GREGRESOSANUAL"},
      {"charts", "Ingresos por categoría", "?GRAFINGRESOSCAT"},
      {"charts", "Egresos por categoría", "?GREGRESOSCATEG"},
  };
  for (const Entry& e : kEntries) addEntry(menus_[e.menu], QString::fromUtf8(e.text), e.control);
}

void MainWindow::addControls(QVBoxLayout* listColumn, QHBoxLayout* outer) {
  closeButton()->hide();  // the window is closed by "Salir" or its close box

  auto* top = new QHBoxLayout;
  auto* inicio = new QPushButton(icon(Icon::Start), QString::fromUtf8("Inicio"), this);
  inicio->setObjectName("?BUTTON27");
  inicio->setAutoDefault(false);
  auto* name = new QLineEdit(QString::fromStdString(app::globals().nombre), this);
  name->setObjectName("?GLO:NOMBRE");
  name->setReadOnly(true);
  name->setFocusPolicy(Qt::NoFocus);
  name->setMinimumWidth(name->fontMetrics().averageCharWidth() * 40);
  top->addWidget(inicio);
  top->addWidget(name, 1);
  listColumn->insertLayout(0, top);

  auto* side = new QVBoxLayout;
  web_ = new QTextBrowser(this);
  web_->setObjectName("?OLE");
  web_->setOpenLinks(false);  // a link opens in the user's browser
  web_->setMinimumSize(fontMetrics().averageCharWidth() * 44, fontMetrics().height() * 20);
  connect(web_, &QTextBrowser::anchorClicked, this,
          [](const QUrl& url) { (void)platform().urlOpener->open(url.toString()); });
  side->addWidget(web_, 1);
  auto* donation = new QGroupBox(this);
  auto* donationLayout = new QVBoxLayout(donation);
  donationLayout->addWidget(text(donation, "?PROMPT2", "Si este programa te es util, por favor dona 1 dolar."));
  donationLayout->addWidget(text(donation, "?STRING2", "Tu donativo me ayudara a cubrir los gastos y"));
  donationLayout->addWidget(text(donation, "?STRING3", "asi podre seguir mejorando este programa. GRACIAS."));
  auto* donate = new QPushButton(QString::fromUtf8("Quiero Donar"), donation);
  donate->setObjectName("?BUTTON35");
  donate->setAutoDefault(false);
  donationLayout->addWidget(donate, 0, Qt::AlignLeft);
  side->addWidget(donation);
  outer->addLayout(side);

  buildMenus();
  connect(inicio, &QPushButton::clicked, this, [this] { popUp(menus_["start"]); });
  // Started without waiting; should it fail, nothing is shown.
  connect(donate, &QPushButton::clicked, this, [] { (void)platform().urlOpener->open(kDonationPage); });
}

// The first-run decision (first-run wizard or access window) belongs here,
// once those windows exist; until then the window opens directly.
void MainWindow::opened() {
  // Default and Lineas are opened so that their files exist; no record of them is read.
  for (TableId t : {TableId::Default, TableId::Lineas, TableId::configur}) (void)context().file(t).use();
  // From here on the toolkit speaks the program's Spanish.
  context().messages().presenter().useProgramCaptions();
  QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Mexico));
  web_->setSource(QUrl(kHomePage));
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;  // only "Salir" and the close box end the program
  ListWindow::keyPressEvent(event);
}

Response BrowseOperacio(Context& context, Request request) {
  MainWindow window(context);
  return window.run(request);
}

}  // namespace fin::ledger
