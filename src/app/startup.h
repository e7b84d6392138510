// The program's entry: start-up in its order, the main window, and the
// release of what start-up prepared, in reverse.
#pragma once

#include <QStringList>
#include <filesystem>
#include <optional>
#include <string>

namespace fin::app {

struct Arguments {
  std::optional<std::filesystem::path> dataDir;  // --data-dir DIR
  std::optional<int64_t> demoOperations;         // --generate-demo N
  bool help = false;
  std::string error;  // a command line the program does not understand
};

Arguments parseArguments(const QStringList& arguments);

// Whether the command line asks for work without windows (help, an error, a demo register).
bool runsWithoutWindows(const Arguments& arguments);
// That work, reporting on the terminal; returns the exit code.
int runWithoutWindows(const Arguments& arguments);
// Runs the program with its main window; returns the process exit code.
int runProgram(const Arguments& arguments);

}  // namespace fin::app
