#include "ui/message_box_presenter.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

#include "support/modal.h"

namespace fin::ui {
namespace {

QStringList captions(QMessageBox* box) {
  QStringList out;
  for (QAbstractButton* b : box->buttons()) out << b->text();
  out.sort();
  return out;
}

TEST(MessageBoxPresenter, ShowsTheBoxAndReturnsTheButtonPressed) {
  MessageBoxPresenter presenter;
  Messages messages(presenter);
  QString title, text, defaultCaption;
  QMessageBox::Icon icon{};
  test::whenModal([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    defaultCaption = box->defaultButton()->text();
    box->button(QMessageBox::No)->click();
  });
  EXPECT_FALSE(messages.raise(11)) << "No cancels";
  EXPECT_EQ(title, "Confirmar Borrado");
  EXPECT_EQ(text, "¿ Está seguro que desea eliminar el registro seleccionado?");
  EXPECT_EQ(icon, QMessageBox::Warning);
  EXPECT_EQ(defaultCaption, buttonCaption(kYes, false));
}

TEST(MessageBoxPresenter, CaptionsTurnSpanishOnceTheMainWindowHasOpened) {
  MessageBoxPresenter presenter;
  Messages messages(presenter);
  QStringList before, after;
  test::whenModal([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    before = captions(box);
    box->button(QMessageBox::Cancel)->click();
  });
  EXPECT_EQ(messages.ask(37, {}, kYes | kNo | kCancel, kCancel), kCancel);
  presenter.setSpanishCaptions(true);
  test::whenModal([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    after = captions(box);
    EXPECT_EQ(box->defaultButton()->text(), "Cancelar");
    box->button(QMessageBox::Yes)->click();
  });
  EXPECT_EQ(messages.ask(37, {}, kYes | kNo | kCancel, kCancel), kYes);
  EXPECT_EQ(after, (QStringList{"&No", "&Sí", "Cancelar"}));
  EXPECT_NE(before, after) << "before the switch the toolkit's own captions are used";
  const Button all[] = {kOk, kYes, kNo, kAbort, kRetry, kIgnore, kCancel, kHelp};
  QStringList spanish;
  for (Button b : all) spanish << buttonCaption(b, true);
  EXPECT_EQ(spanish.join(","), "Aceptar,&Sí,&No,&Abortar,&Reintentar,&Ignorar,Cancelar,&Ayuda");
}

TEST(MessageBoxPresenter, AFatalMessageEndsTheProgramAfterAceptar) {
  int ended = 0;
  MessageBoxPresenter presenter([&] { ++ended; });
  Messages messages(presenter);
  presenter.setSpanishCaptions(true);
  QString text;
  test::whenModal([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    text = box->text();
    ASSERT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->buttons()[0]->text(), "Aceptar");
    box->buttons()[0]->click();
  });
  MessageArgs args;
  args.file = "kovar07.tps";
  args.errorText = "Permiso denegado (3)";
  EXPECT_FALSE(messages.raise(26, args));
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(text,
            "Archivo (kovar07.tps) no pudo ser abierto.  Error: Permiso denegado (3).  Press OK to end this application");
}

TEST(MessageBoxPresenter, MessageNineShowsTwoLines) {
  MessageBoxPresenter presenter;
  Messages messages(presenter);
  QString text;
  test::whenModal([&](QWidget* w) {
    text = qobject_cast<QMessageBox*>(w)->text();
    qobject_cast<QMessageBox*>(w)->accept();
  });
  MessageArgs args;
  args.errorText = "x (1)";
  (void)messages.raise(9, args);
  EXPECT_EQ(text.count('\n'), 1);
  EXPECT_TRUE(text.endsWith("\nError: (x (1)) "));
}

}  // namespace
}  // namespace fin::ui
