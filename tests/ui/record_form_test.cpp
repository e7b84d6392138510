// The record form's shared behaviour on a small form of its own: the Enter
// key, the focus marker, entries that refuse what their field cannot hold,
// and the lookup drop-down with type-ahead and adding an unmatched value.
#include <QApplication>
#include <QKeyEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>

#include "data/tables.h"
#include "masterdata/bancos.h"
#include "support/gui_fixture.h"
#include "ui/focus_marker.h"
#include "ui/lookup_combo.h"
#include "ui/record_form.h"

namespace fin {
namespace {

using namespace fin::ui;

// A bank account form with a bank drop-down, as the forms of this program declare one.
FormSpec accountForm() {
  FormSpec decl;
  decl.procedure = "TestAccountForm";
  decl.designedCaption = "Form Cuenta";
  decl.table = TableId::CuenBanc;
  LookupSpec banks{TableId::Bancos, ban::KEYNOMBRE, ban::NOMBRE, "160L(2)|M~Nombre~@s40@",
                   {ValueSource::of(ban::NOMBRE)}, masterdata::UpdateBancos};
  decl.fields = {
      {.field = cba::NUMERO, .prompt = "&Número:", .control = "?CBA:NUMERO", .picture = "@s15",
       .tip = "Número de cuenta", .required = true},
      {.field = cba::BANCO, .prompt = "&Banco:", .control = "?CBA:BANCO", .picture = "@s20",
       .tip = "Nombre del banco", .kind = FieldKind::Lookup, .lookup = banks},
      {.field = cba::NOTAS, .prompt = "Notas:", .control = "?CBA:NOTAS", .tip = "Notas o comentarios",
       .readOnlyInView = false, .kind = FieldKind::Notes},
  };
  return decl;
}

class RecordFormTest : public test::GuiFixture {
 protected:
  // Runs the form for `request` on the buffer as it is, acting on it while it is open.
  Response runForm(Request request, std::function<void(QWidget*)> act) {
    test::whenModal(std::move(act));
    TablesInUse open(ctx, {TableId::CuenBanc});
    if (request == Request::Insert) {
      EXPECT_TRUE(ctx.file(TableId::CuenBanc).prime());
    }
    RecordForm form(ctx, accountForm());
    return form.run(request);
  }
  Record& account() { return ctx.buffer(TableId::CuenBanc); }
};

TEST_F(RecordFormTest, PromptsAreLabelsOfTheirControls) {
  runForm(Request::Insert, [&](QWidget* form) {
    auto* prompt = child<QLabel>(form, "?CBA:NUMERO:PROMPT");
    EXPECT_EQ(prompt->text(), "&Número:");
    EXPECT_EQ(prompt->buddy(), child<QLineEdit>(form, "?CBA:NUMERO"));
    EXPECT_EQ(child<QLineEdit>(form, "?CBA:NUMERO")->toolTip(), "Número de cuenta");
    EXPECT_EQ(child<QPushButton>(form, "?OK")->toolTip(), "Acepta y guarda los datos");
    EXPECT_EQ(child<QPushButton>(form, "?CANCEL")->toolTip(), "Cancela la operación");
    EXPECT_TRUE(child<QPushButton>(form, "?OK")->isDefault());
    child<QPushButton>(form, "?CANCEL")->click();
  });
}

TEST_F(RecordFormTest, TheStatusLineShowsTheFocusedControlsMessage) {
  runForm(Request::Insert, [&](QWidget* form) {
    auto* status = child<QStatusBar>(form, "statusLine");
    EXPECT_EQ(status->currentMessage(), "Número de cuenta");
    child<QComboBox>(form, "?CBA:BANCO")->setFocus();
    EXPECT_EQ(status->currentMessage(), "Nombre del banco");
    child<QPushButton>(form, "?CANCEL")->click();
  });
}

TEST_F(RecordFormTest, EnterMovesOnPressesButtonsAndBreaksLinesInNotes) {
  addNames(TableId::Bancos, ban::NOMBRE, {"Norte"});
  const Response r = runForm(Request::Insert, [&](QWidget* form) {
    auto* number = child<QLineEdit>(form, "?CBA:NUMERO");
    QTest::keyClicks(number, "001");
    QTest::keyClick(number, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), child<QComboBox>(form, "?CBA:BANCO")) << "Enter moves as Tab does";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    auto* notes = child<QPlainTextEdit>(form, "?CBA:NOTAS");
    EXPECT_EQ(QApplication::focusWidget(), notes);
    QTest::keyClicks(notes, "uno");
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(notes, "dos");
    EXPECT_EQ(notes->toPlainText(), "uno\ndos");
    QTest::keyClick(notes, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>(form, "?OK"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // on "Aceptar" Enter saves
  });
  EXPECT_EQ(r, Response::Completed);
  EXPECT_EQ(account().text(cba::NUMERO), "001");
  EXPECT_EQ(account().text(cba::NOTAS), "uno\ndos");
}

TEST_F(RecordFormTest, TheFocusMarkerFollowsTheFocus) {
  runForm(Request::Insert, [&](QWidget* form) {
    auto* number = child<QLineEdit>(form, "?CBA:NUMERO");
    auto* combo = child<QComboBox>(form, "?CBA:BANCO");
    ASSERT_EQ(QApplication::focusWidget(), number);
    EXPECT_EQ(number->font().weight(), QFont::Bold);
    EXPECT_EQ(number->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0x00));
    auto* frame = form->findChild<QWidget*>("focusMarkerFrame");
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->geometry().contains(number->geometry()));
    EXPECT_GT(frame->width(), number->width());
    auto* arrow = form->findChild<QLabel*>("focusMarkerArrow");
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(arrow->text(), "»");
    EXPECT_LT(arrow->geometry().right(), number->geometry().left());

    combo->setFocus();
    EXPECT_NE(number->font().weight(), QFont::Bold) << "unmarked when the focus leaves";
    EXPECT_NE(combo->font().weight(), QFont::Bold) << "a drop-down gets the rectangle, not the bold text";
    frame = form->findChild<QWidget*>("focusMarkerFrame");
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->geometry().contains(combo->geometry()));

    form->resize(form->width() + 200, form->height() + 100);
    QCoreApplication::processEvents();
    EXPECT_TRUE(form->findChild<QWidget*>("focusMarkerFrame")->geometry().contains(combo->geometry()))
        << "the marker follows a resize";
    child<QPushButton>(form, "?CANCEL")->click();
  });
}

TEST_F(RecordFormTest, EntriesRefuseWhatTheFieldCannotHold) {
  runForm(Request::Insert, [&](QWidget* form) {
    auto* number = child<QLineEdit>(form, "?CBA:NUMERO");
    QTest::keyClicks(number, "1234567890123456789");  // the field holds 15
    EXPECT_EQ(number->text(), "123456789012345");
    number->clear();
    QKeyEvent omega(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("Ω"));
    QApplication::sendEvent(number, &omega);
    EXPECT_EQ(number->text(), "") << "no character outside Windows-1252";
    number->setText("ñandú");
    EXPECT_EQ(number->text(), "ñandú");
    presenter.answer({kYes});
    child<QPushButton>(form, "?CANCEL")->click();
  });
}

TEST_F(RecordFormTest, TheDropDownCompletesAndTakesTheEntry) {
  addNames(TableId::Bancos, ban::NOMBRE, {"Banco del Sur", "Banorte", "Citi"});
  const Response r = runForm(Request::Insert, [&](QWidget* form) {
    QTest::keyClicks(child<QLineEdit>(form, "?CBA:NUMERO"), "77");
    auto* combo = child<QComboBox>(form, "?CBA:BANCO");
    combo->setFocus();
    QTest::keyClicks(combo, "bano");
    EXPECT_EQ(combo->currentText(), "Banorte");
    EXPECT_EQ(combo->lineEdit()->selectedText(), "rte") << "the completed part is selected";
    QTest::keyClick(combo, Qt::Key_Backspace);
    EXPECT_EQ(combo->currentText(), "Banco del Sur") << "backspace removes the last typed character";
    child<QPushButton>(form, "?OK")->click();
  });
  EXPECT_EQ(r, Response::Completed);
  EXPECT_EQ(account().text(cba::BANCO), "Banco del Sur");
  EXPECT_TRUE(presenter.boxes.empty());
}

TEST_F(RecordFormTest, AnUnmatchedNameOpensTheBankFormAndIsAdded) {
  addNames(TableId::Bancos, ban::NOMBRE, {"Citi"});
  QString bankCaption;
  QString bankName;
  const Response r = runForm(Request::Insert, [&](QWidget* form) {
    QTest::keyClicks(child<QLineEdit>(form, "?CBA:NUMERO"), "88");
    auto* combo = child<QComboBox>(form, "?CBA:BANCO");
    combo->setFocus();
    QTest::keyClicks(combo, "Banco Nuevo");
    test::whenModal(
        [&](QWidget* bankForm) {
          bankCaption = bankForm->windowTitle();
          bankName = child<QLineEdit>(bankForm, "?BAN:NOMBRE")->text();
          child<QPushButton>(bankForm, "?OK")->click();
        },
        form);
    child<QPushButton>(form, "?OK")->click();
  });
  EXPECT_EQ(bankCaption, "Altas");
  EXPECT_EQ(bankName, "Banco Nuevo");
  EXPECT_EQ(r, Response::Completed);
  EXPECT_EQ(account().text(cba::BANCO), "Banco Nuevo");
  TablesInUse t(ctx, {TableId::Bancos});
  int64_t n = 0;
  ASSERT_TRUE(ctx.file(TableId::Bancos).countAll(n));
  EXPECT_EQ(n, 2);
}

TEST_F(RecordFormTest, CancellingTheBankFormEmptiesTheDropDown) {
  QString after;
  bool focusStays = false;
  runForm(Request::Insert, [&](QWidget* form) {
    auto* combo = child<QComboBox>(form, "?CBA:BANCO");
    combo->setFocus();
    QTest::keyClicks(combo, "Inexistente");
    test::whenModal([&](QWidget* bankForm) { child<QPushButton>(bankForm, "?CANCEL")->click(); }, form);
    child<QLineEdit>(form, "?CBA:NUMERO")->setFocus();  // leaving the drop-down accepts it
    for (int i = 0; i < 50 && form->focusWidget() != combo; ++i) QTest::qWait(10);
    after = combo->currentText();
    focusStays = form->focusWidget() == combo;
    presenter.answer({kYes});
    child<QPushButton>(form, "?CANCEL")->click();
  });
  EXPECT_EQ(after, "");
  EXPECT_TRUE(focusStays);
}

TEST_F(RecordFormTest, AStoredValueThatNamesNoEntryIsKept) {
  addNames(TableId::Bancos, ban::NOMBRE, {"Citi"});
  TablesInUse open(ctx, {TableId::CuenBanc});
  FileAccess& f = ctx.file(TableId::CuenBanc);
  f.buffer().clear();
  ASSERT_TRUE(f.buffer().setText(cba::NUMERO, "500"));
  ASSERT_TRUE(f.buffer().setText(cba::BANCO, "Banco Desaparecido"));
  ASSERT_TRUE(f.insert());
  QString shown;
  const Response r = runForm(Request::Change, [&](QWidget* form) {
    shown = child<QComboBox>(form, "?CBA:BANCO")->currentText();
    auto* notes = child<QPlainTextEdit>(form, "?CBA:NOTAS");
    notes->setFocus();
    QTest::keyClicks(notes, "revisada");
    child<QPushButton>(form, "?OK")->click();
  });
  EXPECT_EQ(shown, "Banco Desaparecido");
  EXPECT_EQ(r, Response::Completed);
  ASSERT_TRUE(f.fetchRecno(f.currentRecno()));
  EXPECT_EQ(f.buffer().text(cba::BANCO), "Banco Desaparecido") << "the link is not wiped";
  EXPECT_EQ(f.buffer().text(cba::NOTAS), "revisada");
}

}  // namespace
}  // namespace fin
