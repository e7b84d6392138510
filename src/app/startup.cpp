#include "app/startup.h"

#include <QApplication>
#include <QSettings>
#include <QWidget>
#include <cstdio>

#include "app/data_directory.h"
#include "app/drag_setting.h"
#include "data/context.h"
#include "data/demo_register.h"
#include "ledger/browse_operacio.h"
#include "ui/icons.h"
#include "ui/message_box_presenter.h"

namespace fin::app {
namespace {

constexpr const char* kUsage =
    "Uso: finanzas [--data-dir DIRECTORIO] [--generate-demo N]\n"
    "  --data-dir DIRECTORIO   guarda y lee los datos en DIRECTORIO\n"
    "                          (si no se indica: ~/.local/share/finanzas)\n"
    "  --generate-demo N       agrega un registro de demostración de N operaciones y termina\n";

int generateDemo(Context& ctx, int64_t operations) {
  DemoSize size;
  size.operations = operations;
  size.receivables = std::max<int64_t>(10, operations / 10);
  size.payables = std::max<int64_t>(5, operations / 20);
  size.years = 5;
  std::printf("Generando %lld operaciones en %s\n", static_cast<long long>(operations), ctx.dataDir().c_str());
  Status s = generateDemoRegister(ctx, size, [](int64_t done) {
    std::printf("  %lld operaciones\n", static_cast<long long>(done));
    std::fflush(stdout);
  });
  if (!s) {
    std::fprintf(stderr, "No se pudo generar el registro: %s\n", s.errorText().c_str());
    return 1;
  }
  std::printf("Listo.\n");
  return 0;
}

}  // namespace

Arguments parseArguments(const QStringList& list) {
  Arguments a;
  for (int i = 1; i < list.size(); ++i) {
    const QString& arg = list[i];
    if (arg == "--data-dir" && i + 1 < list.size()) {
      a.dataDir = list[++i].toStdString();
    } else if (arg.startsWith("--data-dir=")) {
      a.dataDir = arg.mid(11).toStdString();
    } else if (arg == "--generate-demo" && i + 1 < list.size()) {
      bool ok = false;
      const qlonglong n = list[++i].toLongLong(&ok);
      if (!ok || n <= 0 || n > 100000000) a.error = "--generate-demo espera un número de operaciones";
      else a.demoOperations = n;
    } else if (arg == "--help" || arg == "-h") {
      a.help = true;
    } else {
      a.error = "Opción desconocida: " + arg.toStdString();
    }
  }
  return a;
}

bool runsWithoutWindows(const Arguments& a) { return a.help || !a.error.empty() || a.demoOperations; }

// A presenter for work on the terminal: messages are printed, not shown.
class TerminalPresenter : public MessagePresenter {
 public:
  Button present(const MessageBoxSpec& box) override {
    std::fprintf(stderr, "%s: %s\n", box.title.c_str(), box.text.c_str());
    return box.defaultButton;
  }
  void endProgram() override {}
};

int runWithoutWindows(const Arguments& arguments) {
  if (arguments.help || !arguments.error.empty()) {
    if (!arguments.error.empty()) std::fprintf(stderr, "%s\n", arguments.error.c_str());
    std::fputs(kUsage, arguments.help ? stdout : stderr);
    return arguments.help ? 0 : 2;
  }
  TerminalPresenter presenter;
  Messages messages(presenter);
  const std::filesystem::path dir = arguments.dataDir.value_or(defaultDataDirectory());
  if (auto reason = prepareDataDirectory(dir)) {
    std::fprintf(stderr, "No se puede usar el directorio %s: %s\n", dir.c_str(), reason->c_str());
    return 1;
  }
  Context context(dir, messages);
  return generateDemo(context, *arguments.demoOperations);
}

int runProgram(const Arguments& arguments) {
  // 1. The message service (the open-window registry lives from its first use).
  ui::MessageBoxPresenter presenter;
  Messages messages(presenter);

  const std::filesystem::path dir = arguments.dataDir.value_or(defaultDataDirectory());
  if (auto reason = prepareDataDirectory(dir)) {
    MessageArgs args;
    args.file = dir.string();
    args.errorText = *reason;
    (void)messages.raise(12, args);  // fatal: it ends the program
    return 1;
  }
  // 2. The settings file beside the data files.
  QSettings settings(QString::fromStdString((dir / "kovar.INI").string()), QSettings::IniFormat);
  // 3. The main thread's sixteen tables; no file is opened yet.
  Context context(dir, messages);
  // 4. The default icon of every window.
  QApplication::setWindowIcon(ui::icon(ui::Icon::Program));
  // 5. The desktop drag setting, switched off while the program runs.
  std::unique_ptr<DragSetting> drag = platformDragSetting();
  DragSettingGuard dragGuard(*drag);
  // 6. The main window, for as long as the program lasts.
  ledger::BrowseOperacio(context);
  // The lists started on their own close with it, releasing their tables while
  // the message service they report to is still there.
  for (QWidget* w : QApplication::topLevelWidgets()) w->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  // 7 and 8: the guard restores the setting; the context, settings and messages go in reverse.
  return 0;
}

}  // namespace fin::app
