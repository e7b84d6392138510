#include "ui/platform.h"

#include <QCalendarWidget>
#include <QDate>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/icons.h"

namespace fin::ui {
namespace {

class CalendarDialog : public DatePicker {
 public:
  std::optional<Date> pick(QWidget* parent, Date initial) override {
    QDialog dialog(parent);
    dialog.setObjectName("calendar");
    dialog.setWindowTitle(QString::fromUtf8("Elija una fecha"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* calendar = new QCalendarWidget(&dialog);
    calendar->setObjectName("?CALENDAR:WIDGET");
    calendar->setLocale(QLocale(QLocale::Spanish, QLocale::Mexico));
    calendar->setFirstDayOfWeek(Qt::Monday);
    const Date start = initial.isNull() ? today() : initial;
    calendar->setSelectedDate(QDate(start.year(), start.month(), start.day()));
    layout->addWidget(calendar);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* ok = buttons->addButton(QString::fromUtf8("&Aceptar"), QDialogButtonBox::AcceptRole);
    ok->setIcon(icon(Icon::Ok));
    QPushButton* cancel = buttons->addButton(QString::fromUtf8("&Cancelar"), QDialogButtonBox::RejectRole);
    cancel->setIcon(icon(Icon::Cancel));
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(calendar, &QCalendarWidget::activated, &dialog, &QDialog::accept);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QDate d = calendar->selectedDate();
    return Date::fromYmd(d.year(), d.month(), d.day());
  }
};

class DesktopBrowser : public UrlOpener {
 public:
  bool open(const QString& url) override { return QDesktopServices::openUrl(QUrl(url)); }
};

Platform& services() {
  static CalendarDialog calendar;
  static DesktopBrowser browser;
  static Platform p{&calendar, &browser};
  return p;
}

}  // namespace

Platform& platform() { return services(); }

void setPlatform(const Platform& s) {
  if (s.datePicker) services().datePicker = s.datePicker;
  if (s.urlOpener) services().urlOpener = s.urlOpener;
}

Date today() {
  const QDate d = QDate::currentDate();
  return Date::fromYmd(d.year(), d.month(), d.day()).value_or(Date());
}

}  // namespace fin::ui
