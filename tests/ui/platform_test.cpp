// The calendar dialog of the platform layer.
#include "ui/platform.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QDialog>
#include <QPushButton>

#include "support/modal.h"

namespace fin::ui {
namespace {

TEST(Calendar, IsTitledElijaUnaFechaAndReturnsThePickedDate) {
  QString title;
  QDate shown;
  test::whenModal([&](QWidget* w) {
    title = w->windowTitle();
    auto* calendar = w->findChild<QCalendarWidget*>();
    shown = calendar->selectedDate();
    calendar->setSelectedDate(QDate(2026, 7, 4));
    for (auto* b : w->findChildren<QPushButton*>())
      if (b->text() == "&Aceptar") b->click();
  });
  auto picked = platform().datePicker->pick(nullptr, *Date::fromYmd(2026, 3, 1));
  EXPECT_EQ(title, "Elija una fecha");
  EXPECT_EQ(shown, QDate(2026, 3, 1));
  EXPECT_EQ(picked, Date::fromYmd(2026, 7, 4));

  test::whenModal([&](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
  EXPECT_EQ(platform().datePicker->pick(nullptr, Date()), std::nullopt) << "cancelled: no date";
}

}  // namespace
}  // namespace fin::ui
