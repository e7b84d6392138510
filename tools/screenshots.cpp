// Renders the program's windows into PNG files, over a small demonstration
// register, for the README and for looking at the windows without a desktop:
//   build/tools/finanzas_screenshots DIRECTORY
// (runs offscreen; `make screenshots` writes docs/images).
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/globals.h"
#include "data/context.h"
#include "data/demo_register.h"
#include "data/tables.h"
#include "ledger/browse_operacio.h"

using namespace fin;

namespace {

// The boxes are answered with their default button at once: nobody is there to press one.
class AnsweringPresenter : public MessagePresenter {
 public:
  Button present(const MessageBoxSpec& box) override { return box.defaultButton; }
  void endProgram() override {}
};

QString outDir;
std::vector<std::function<void()>> steps;

void save(QWidget* w, const QString& name) {
  QCoreApplication::processEvents();
  w->grab().save(outDir + "/" + name + ".png");
}

QWidget* topLevel(const QString& name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == name && w->isVisible()) return w;
  return nullptr;
}

// Runs the steps one after another, each once the previous one's window is up.
void next() {
  if (steps.empty()) return;
  auto step = steps.front();
  steps.erase(steps.begin());
  QTimer::singleShot(250, [step] {
    step();
    next();
  });
}

// Opens a modal window with `open` and, once it shows, `shoot`s it and closes it.
void modal(std::function<void()> open, std::function<void(QWidget*)> shoot) {
  QTimer::singleShot(300, [shoot] {
    QWidget* w = QApplication::activeModalWidget();
    if (!w) return;
    shoot(w);
    if (!w->isVisible()) return;
    if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->done(QDialog::Rejected);  // no questions: it is a picture
    else w->close();
  });
  open();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  outDir = argc > 1 ? argv[1] : "screenshots";
  QDir().mkpath(outDir);
  const auto dir = std::filesystem::temp_directory_path() / "finanzas-screenshots";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  AnsweringPresenter presenter;
  Messages messages(presenter);
  Context ctx(dir, messages);
  DemoSize size;
  size.operations = 400;
  size.receivables = 30;
  size.payables = 15;
  size.years = 2;
  if (!generateDemoRegister(ctx, size)) return 1;
  app::globals().nombre = "Ana María Pérez";
  app::globals().fecha = *Date::fromYmd(2026, 12, 11);

  ledger::MainWindow main(ctx);
  if (!main.open(ui::Request::None)) return 1;
  main.show();
  auto click = [&](const char* control) { QMetaObject::invokeMethod(main.findChild<QObject*>(control), "click"); };
  steps = {
      [&] { save(&main, "main-window"); },
      [&] {
        main.resize(main.width() * 5 / 4, main.height() * 5 / 4);
        save(&main, "main-window-resized");
      },
      [&] {
        modal([&] { click("?INSERT:3"); },
              [](QWidget* form) {
                auto* entry = form->findChild<QLineEdit*>("?OPE:CONCEPTO");
                entry->setFocus();
                QTest::keyClicks(entry, "Pago de honorarios");
                save(form, "update-operacio");
              });
      },
      [&] { modal([&] { click("?CTAS"); }, [](QWidget* w) { save(w, "browse-cuenbanc"); }); },
      [&] {
        modal([&] { click("?CATING"); },
              [](QWidget* w) {
                QTest::keyClick(w->findChild<QWidget*>("?BROWSE:1"), Qt::Key_Insert);
                QTest::keyClicks(QApplication::focusWidget(), "Regalos");
                save(w, "browse-cateingr-editing");
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
              });
      },
      [&] {
        click("?BANCOS");
        if (QWidget* w = topLevel("BrowseBancos")) save(w, "browse-bancos");
        click("?TIPOS");
        if (QWidget* w = topLevel("BrowseTipoCban")) save(w, "browse-tipocban");
      },
      [&] {
        QWidget* banks = topLevel("BrowseBancos");
        if (!banks) return;
        modal([banks] { QMetaObject::invokeMethod(banks->findChild<QObject*>("?CHANGE:3"), "click"); },
              [](QWidget* w) { save(w, "update-bancos"); });
      },
      [&] {
        modal([&] { QTest::keyClick(main.findChild<QWidget*>("?BROWSE:1"), Qt::Key_F, Qt::ControlModifier); },
              [](QWidget* w) {
                QTest::keyClicks(w->findChild<QLineEdit*>("?SEARCHVALUE"), "renta");
                save(w, "vsfind");
                QMetaObject::invokeMethod(w->findChild<QObject*>("?CANCEL"), "click");
              });
      },
      [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
        app.quit();
      },
  };
  next();
  return app.exec();
}
