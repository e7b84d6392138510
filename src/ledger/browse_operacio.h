// The main window, "Finanzas personales - Operaciones registradas": the
// register of operations by date with its income, expense and balance
// totals, the user's name, the "Inicio" menus that reach every other window,
// a page of the program's own and the donation appeal. The program lasts as
// long as this window.
#pragma once

#include <QMenu>
#include <map>

#include "data/context.h"
#include "ui/list_window.h"
#include "ui/request.h"

class QTextBrowser;

namespace fin::ledger {

// Where "Quiero Donar" leads, and the page of the program shown in the window.
extern const char* const kDonationPage;
extern const char* const kHomePage;

class MainWindow : public ui::ListWindow {
  Q_OBJECT
 public:
  explicit MainWindow(Context& context);

  // The four pop-up menus: "start", "data", "reports", "charts".
  QMenu* menu(const std::string& which) const;
  QTextBrowser* webView() const { return web_; }

 protected:
  void addControls(QVBoxLayout* listColumn, QHBoxLayout* outer) override;
  void opened() override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildMenus();
  QPushButton* hiddenButton(const QString& control, std::function<void()> action);
  void addEntry(QMenu* menu, const QString& text, const QString& control);
  void popUp(QMenu* menu);
  void callWindow(const std::function<void()>& call);

  QTextBrowser* web_ = nullptr;
  std::map<std::string, QMenu*> menus_;
  std::map<QString, QPushButton*> hidden_;
};

ui::Response BrowseOperacio(Context& context, ui::Request request = ui::Request::None);

}  // namespace fin::ledger
