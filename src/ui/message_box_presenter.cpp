#include "ui/message_box_presenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <cstdlib>
#include <map>

namespace fin::ui {
namespace {

struct ButtonInfo {
  Button button;
  QMessageBox::StandardButton standard;
  const char* spanish;
};

constexpr ButtonInfo kButtons[] = {
    {kOk, QMessageBox::Ok, "Aceptar"},          {kYes, QMessageBox::Yes, "&Sí"},
    {kNo, QMessageBox::No, "&No"},              {kAbort, QMessageBox::Abort, "&Abortar"},
    {kRetry, QMessageBox::Retry, "&Reintentar"}, {kIgnore, QMessageBox::Ignore, "&Ignorar"},
    {kCancel, QMessageBox::Cancel, "Cancelar"}, {kHelp, QMessageBox::Help, "&Ayuda"},
};

QMessageBox::Icon iconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QString buttonCaption(Button b, bool spanish) {
  for (const ButtonInfo& info : kButtons) {
    if (info.button != b) continue;
    if (spanish) return QString::fromUtf8(info.spanish);
    QMessageBox probe;
    return probe.addButton(info.standard)->text();
  }
  return {};
}

MessageBoxPresenter::MessageBoxPresenter(std::function<void()> endProgram) : endProgram_(std::move(endProgram)) {}

Button MessageBoxPresenter::present(const MessageBoxSpec& box) {
  if (QThread::currentThread() == qApp->thread()) return presentHere(box);
  Button pressed = box.defaultButton;
  QMetaObject::invokeMethod(
      qApp, [&] { pressed = presentHere(box); }, Qt::BlockingQueuedConnection);
  return pressed;
}

Button MessageBoxPresenter::presentHere(const MessageBoxSpec& box) {
  QMessageBox dialog(QApplication::activeWindow());
  dialog.setObjectName(QStringLiteral("message%1").arg(box.number));
  dialog.setWindowTitle(QString::fromStdString(box.title));
  dialog.setText(QString::fromStdString(box.text));
  dialog.setIcon(iconOf(box.icon));
  std::map<QAbstractButton*, Button> pressedOf;
  for (const ButtonInfo& info : kButtons) {
    if (!(box.buttons & info.button)) continue;
    QPushButton* b = dialog.addButton(info.standard);
    if (spanish_) b->setText(QString::fromUtf8(info.spanish));
    pressedOf[b] = info.button;
    if (info.button == box.defaultButton) dialog.setDefaultButton(b);
  }
  dialog.exec();
  auto it = pressedOf.find(dialog.clickedButton());
  if (it != pressedOf.end()) return it->second;
  // Closed without a button (Esc or the close box): the box's "no" answer.
  if (box.buttons & kCancel) return kCancel;
  if (box.buttons & kNo) return kNo;
  return kOk;
}

void MessageBoxPresenter::endProgram() {
  if (endProgram_) {
    endProgram_();
    return;
  }
  std::exit(1);  // committed records are safe on disk; an open transaction is rolled back by the store
}

}  // namespace fin::ui
