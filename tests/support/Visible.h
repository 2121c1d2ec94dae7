// What a user sees of a menu bar, a menu (once it opens) or a toolbar: the
// visible entries in order, texts without '&' and without the shortcut
// after a tab, separators as "-".
#pragma once

#include <QAction>
#include <QMenu>
#include <string>
#include <vector>

using Strings = std::vector<std::string>;

inline Strings Visible(QWidget* widget) {
  Strings entries;
  if (!widget) return entries;
  if (auto* menu = qobject_cast<QMenu*>(widget)) {
    menu->popup(QPoint(0, 0));  // menus synchronise when they open
    menu->hide();
  }
  for (QAction* action : widget->actions()) {
    if (!action->isVisible()) continue;
    const QString text = action->text().remove('&').section('\t', 0, 0);
    entries.push_back(action->isSeparator() ? "-" : text.toStdString());
  }
  return entries;
}
