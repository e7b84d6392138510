// The platform pieces the windows use, each behind a small interface with a
// Qt implementation and a test double: the calendar dialog and opening a web
// address in the user's browser. Tests install their doubles with
// setPlatform(); the program uses the Qt ones.
#pragma once

#include <QString>
#include <optional>

#include "data/date.h"

class QWidget;

namespace fin::ui {

class DatePicker {
 public:
  virtual ~DatePicker() = default;
  // Shows the calendar titled "Elija una fecha" on `initial` (today when it
  // is no date); the date picked, or nullopt when the user cancelled.
  virtual std::optional<Date> pick(QWidget* parent, Date initial) = 0;
};

class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  // Opens the address in the user's browser without waiting; false when it could not be started.
  virtual bool open(const QString& url) = 0;
};

struct Platform {
  DatePicker* datePicker = nullptr;
  UrlOpener* urlOpener = nullptr;
};

// The services in use (the Qt ones unless a test installed others).
Platform& platform();
// Installs services; a null member keeps the one in use.
void setPlatform(const Platform& services);

// Today's date on this machine.
Date today();

}  // namespace fin::ui
