// A fixture for window tests: a fresh data directory, a context on it and a
// message presenter that records the boxes and answers from a script.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "data/context.h"
#include "support/modal.h"
#include "support/recording_presenter.h"
#include "support/temp_dir.h"

namespace fin::test {

class GuiFixture : public ::testing::Test {
 protected:
  GuiFixture() : messages(presenter), ctx(dir.path(), messages) {}
  ~GuiFixture() override { closeAllWindows(); }

  // The open top-level window with this object name, or nullptr.
  static QWidget* topLevel(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == name && w->isVisible()) return w;
    return nullptr;
  }

  template <typename T = QWidget>
  static T* child(QWidget* parent, const QString& name) {
    T* found = parent ? parent->findChild<T*>(name) : nullptr;
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
  }

  static void closeAllWindows() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible()) w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }

  // Adds records with one text field set, through the store.
  void addNames(TableId table, FieldId field, std::initializer_list<const char*> names) {
    TablesInUse open(ctx, {table});
    FileAccess& f = ctx.file(table);
    for (const char* n : names) {
      f.buffer().clear();
      ASSERT_TRUE(f.buffer().setText(field, n));
      ASSERT_TRUE(f.insert());
    }
  }

  TempDir dir;
  RecordingPresenter presenter;
  Messages messages;
  Context ctx;
};

}  // namespace fin::test
