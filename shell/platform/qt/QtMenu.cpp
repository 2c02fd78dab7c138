// The main window's menu under Qt: built from the menu resource, with its check marks.
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <map>

#include "resources/Resources.h"
#include "shell/platform/Menu.h"
#include "shell/platform/Messages.h"
#include "shell/platform/qt/QtBackend.h"

// Number of the menu bar's menus now pulled down.
static int g_menusDown = 0;

// The main window's commands; its menu bar owns them.
static std::map<int, QAction*> g_actions;

// Alt alone, or Escape out of a pulled-down menu, would leave the menu bar in
// its keyboard mode, holding the keys with no mark of it on the screen; the
// game's keys stay the game's. Alt with a menu's letter still opens that menu.
class MenuBarStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == SH_MenuBar_AltKeyNavigation) return 0;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
};

void BuildMenu(QMainWindow* f) {
  g_actions.clear();
  auto* style = new MenuBarStyle;
  style->setParent(f);
  f->menuBar()->setStyle(style);
  QMenu* popups[2];
  for (int i = 0; i < 2; ++i) {
    popups[i] = f->menuBar()->addMenu(FromCp1252(MenuPopups[i]));
    QObject::connect(popups[i], &QMenu::aboutToShow, [] { ++g_menusDown; });
    QObject::connect(popups[i], &QMenu::aboutToHide, [] {
      --g_menusDown;
      EndWait();
    });
  }
  for (int i = 0; i < MainMenuCount; ++i) {
    const MenuItem& item = MainMenu[i];
    if (item.command == 0) {
      popups[item.popup]->addSeparator();
      continue;
    }
    QAction* a = popups[item.popup]->addAction(FromCp1252(item.text));
    a->setCheckable(item.checked);
    a->setChecked(item.checked);
    int command = item.command;
    // The check mark changes only when the program says so.
    QObject::connect(a, &QAction::triggered, [a, command] {
      if (a->isCheckable()) a->setChecked(!a->isChecked());
      PostMessage(MsgCommand, command);
    });
    g_actions[command] = a;
  }
}

bool MenuPulledDown() { return g_menusDown > 0; }

void CheckMenuCommand(int command, bool checked) {
  if (!MainWindowWidget()) return;
  auto it = g_actions.find(command);
  if (it != g_actions.end()) it->second->setChecked(checked);
}

bool MenuCommandChecked(int command) {
  if (!MainWindowWidget()) return false;
  auto it = g_actions.find(command);
  return it != g_actions.end() && it->second->isChecked();
}
