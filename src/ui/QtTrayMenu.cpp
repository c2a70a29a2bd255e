#include "ui/QtTrayMenu.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace nxui {

std::unique_ptr<QMenu> QtTrayMenu::BuildMenu(const std::vector<shell::TrayMenuItem>& items) {
  auto menu = std::make_unique<QMenu>();
  for (const shell::TrayMenuItem& item : items) {
    QAction* action = menu->addAction(QString::fromStdString(item.text));
    action->setData(static_cast<uint>(item.command));
  }
  return menu;
}

UINT QtTrayMenu::TrackPopup(const std::vector<shell::TrayMenuItem>& items) {
  const std::unique_ptr<QMenu> menu = BuildMenu(items);
  const QAction* chosen = menu->exec(QCursor::pos());
  return chosen != nullptr ? static_cast<UINT>(chosen->data().toUInt()) : 0;
}

}  // namespace nxui
