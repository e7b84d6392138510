// Finanzas personales: the program's entry.
#include <QApplication>
#include <QCoreApplication>

#include "app/startup.h"

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const fin::app::Arguments parsed = fin::app::parseArguments(arguments);
  if (fin::app::runsWithoutWindows(parsed)) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("finanzas");
    return fin::app::runWithoutWindows(parsed);
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("finanzas");
  QApplication::setApplicationDisplayName("Finanzas personales");
  return fin::app::runProgram(parsed);
}
