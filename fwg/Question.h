// A question the library asks the user over the main window, with Qt's
// standard buttons, each with a letter to press (Alt+S for Save). Escape,
// or closing the box, answers Cancel. For the library's own sources only.
#pragma once

#include <QMessageBox>
#include <QPushButton>

#include "fwg/Parts.h"
#include "platform/ui/uiMainWindow.h"

namespace fwg {

// Gives each of `items` (buttons, menu entries) without a letter to press
// the first of its letters that none of the others has.
template <class Item>
void GiveLetters(const QList<Item*>& items) {
  QString taken;
  for (const Item* item : items) {
    const QString text = item->text();
    const qsizetype marker = text.indexOf(QLatin1Char('&'));
    if (marker >= 0 && marker + 1 < text.size()) taken += text.at(marker + 1).toLower();
  }
  for (Item* item : items) {
    QString text = item->text();
    if (text.contains(QLatin1Char('&'))) continue;
    for (qsizetype i = 0; i < text.size(); ++i) {
      if (!text.at(i).isLetter() || taken.contains(text.at(i).toLower())) continue;
      taken += text.at(i).toLower();
      item->setText(text.insert(i, QLatin1Char('&')));
      break;
    }
  }
}

// The toolkit's own texts (translated) name the standard buttons without
// a letter to press: Save S, Discard D; Cancel A beside Close.
inline void GiveLetters(QMessageBox& box) { GiveLetters(box.buttons()); }

// `okText`, when given, names the Ok button.
inline QMessageBox::StandardButton AskUser(const QString& caption, const QString& text,
                                           const QString& detail, QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton preferred,
                                           const QString& okText = {}) {
  QMessageBox box(QMessageBox::Warning, caption, text, buttons, FindMainWindow());
  box.setInformativeText(detail);
  box.setDefaultButton(preferred);
  if (!okText.isEmpty() && box.button(QMessageBox::Ok)) box.button(QMessageBox::Ok)->setText(okText);
  GiveLetters(box);
  box.setEscapeButton(QMessageBox::Cancel);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  return clicked ? box.standardButton(clicked) : QMessageBox::Cancel;
}

}  // namespace fwg
