// A question the library asks the user over the main window, with Qt's
// standard buttons. Escape, or closing the box, answers Cancel. For the
// library's own sources only.
#pragma once

#include <QMessageBox>
#include <QPushButton>

#include "fwg/Parts.h"
#include "platform/ui/uiMainWindow.h"

namespace fwg {

// `okText`, when given, names the Ok button.
inline QMessageBox::StandardButton AskUser(const QString& caption, const QString& text,
                                           const QString& detail, QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton preferred,
                                           const QString& okText = {}) {
  QMessageBox box(QMessageBox::Warning, caption, text, buttons, FindMainWindow());
  box.setInformativeText(detail);
  box.setDefaultButton(preferred);
  if (!okText.isEmpty() && box.button(QMessageBox::Ok)) box.button(QMessageBox::Ok)->setText(okText);
  box.setEscapeButton(QMessageBox::Cancel);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  return clicked ? box.standardButton(clicked) : QMessageBox::Cancel;
}

}  // namespace fwg
