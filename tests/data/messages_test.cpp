// The message table: placeholders, presentation by kind, explicit buttons.
#include <gtest/gtest.h>

#include <set>

#include "data/messages.h"
#include "support/recording_presenter.h"

namespace fin {
namespace {

TEST(MessageTable, HoldsTheNumbersOfTheSystem) {
  std::set<uint16_t> numbers;
  for (const MessageEntry& e : messageTable()) EXPECT_TRUE(numbers.insert(e.number).second) << e.number;
  std::set<uint16_t> expected;
  for (uint16_t n = 1; n <= 53; ++n)
    if (n != 32) expected.insert(n);
  EXPECT_EQ(numbers, expected);
  EXPECT_EQ(findMessage(32), nullptr);
  EXPECT_EQ(findMessage(11)->title, "Confirmar Borrado");
  EXPECT_EQ(findMessage(26)->kind, MessageKind::FatalError);
  EXPECT_EQ(findMessage(42)->kind, MessageKind::ProgramError);
}

TEST(MessageTable, FillsPlaceholdersOnceAndSplitsLines) {
  MessageArgs args;
  args.message = "ban:KeyNombre";
  EXPECT_EQ(prepareMessage(15, args)->text,
            "Agregar este registro crea una clave duplicada para la clave: ban:KeyNombre");

  args = {};
  args.errorText = "bloqueada (5)";
  auto nine = prepareMessage(9, args);
  EXPECT_EQ(nine->text,
            "Este registro fue modificado por otra estación. Los cambios serán mostrados ahora.\n"
            "Error: (bloqueada (5)) ");

  // A value that itself looks like a placeholder is not replaced again.
  args = {};
  args.file = "%ErrorText";
  args.errorText = "x";
  EXPECT_EQ(prepareMessage(1, args)->text,
            "Error: (x) al intentar acceder al registro de tabla %ErrorText .  Regresando a ventana previa.");
}

TEST(Messages, PresentationByKind) {
  struct Case {
    uint16_t number;
    MessageIcon icon;
    Buttons buttons;
    Button defaultButton;
    bool ends;
  } cases[] = {
      {4, MessageIcon::Information, kOk, kOk, false},
      {11, MessageIcon::Exclamation, kYes | kNo, kYes, false},
      {26, MessageIcon::Information, kOk, kOk, true},
      {42, MessageIcon::Information, kOk, kOk, true},
  };
  for (const Case& c : cases) {
    auto box = prepareMessage(c.number, {});
    ASSERT_TRUE(box) << c.number;
    EXPECT_EQ(box->icon, c.icon) << c.number;
    EXPECT_EQ(box->buttons, c.buttons) << c.number;
    EXPECT_EQ(box->defaultButton, c.defaultButton) << c.number;
    EXPECT_EQ(box->endsProgram, c.ends) << c.number;
  }
  MessageArgs args;
  args.file = "kovar07.tps";
  args.errorText = "No se pudo abrir el archivo (14)";
  EXPECT_EQ(prepareMessage(26, args)->text,
            "Archivo (kovar07.tps) no pudo ser abierto.  Error: No se pudo abrir el archivo (14).  Press OK to end this "
            "application");
}

TEST(Messages, RaiseAnswersAndEndsTheProgramOnFatalKinds) {
  test::RecordingPresenter presenter;
  Messages messages(presenter);
  presenter.answer({kNo, kYes});
  EXPECT_FALSE(messages.raise(11)) << "No to a question cancels";
  EXPECT_TRUE(messages.raise(11)) << "Yes lets the operation go on";
  EXPECT_TRUE(messages.raise(4)) << "an information box is acknowledged";
  EXPECT_EQ(presenter.programEnds, 0);
  EXPECT_FALSE(messages.raise(12));
  EXPECT_EQ(presenter.programEnds, 1);
  EXPECT_FALSE(messages.raise(32)) << "an unknown number shows a generic box";
  EXPECT_EQ(presenter.boxes.back().title, "Error");
}

TEST(Messages, AskUsesTheButtonsAndDefaultOfTheCaller) {
  test::RecordingPresenter presenter;
  Messages messages(presenter);
  EXPECT_EQ(messages.ask(37, {}, kYes | kNo | kCancel, kCancel), kCancel);
  EXPECT_EQ(presenter.boxes[0].buttons, kYes | kNo | kCancel);
  EXPECT_EQ(presenter.boxes[0].icon, MessageIcon::Exclamation);
  presenter.answer({kNo});
  EXPECT_EQ(messages.ask(38, {}, kYes | kNo | kCancel, kYes), kNo);
  EXPECT_EQ(presenter.boxes[1].defaultButton, kYes);
  EXPECT_EQ(presenter.boxes[1].title, "Guardar Registro");
}

}  // namespace
}  // namespace fin
