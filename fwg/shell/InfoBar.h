// A bar of one message across the top of a window, for what the user should
// know without being stopped: work that is not being saved, a change that
// could not be kept. Unlike a message box it takes no focus and waits for
// nothing; the user reads it, presses one of its buttons or closes it.
//
// A bar shows its kind by an icon and a colour, the text (plain, wrapped),
// up to three buttons and a close button. A button runs its function and
// closes the bar. Bars shown one after another in a window stand one below
// the other.
//
//   fwg::InfoBar::Show(tr("The file could not be saved: disk full"), fwg::InfoBar::Warning,
//                      {{tr("Try &Again"), [this] { Save(); }}});
//
// In the main window the bar lies over the top edge of the central area,
// below the toolbars, and follows it as the window changes. In any other
// widget (a dialog, a document's frame) it goes first into the widget's
// vertical box layout, pushing the contents down, or without such a layout
// lies over the widget's top edge; a document's frame (uiLayoutFrameEx)
// then keeps room for its bars, so that they push its panes down too.
#pragma once

#include <QFrame>
#include <functional>

#include "platform/core/oxTypes.h"
#include "platform/signals/oxSignal.h"

namespace fwg {

class InfoBar : public QFrame {
 public:
  enum Kind { Information, Warning, Error };
  struct Button {
    oxString text;  // translated, with '&' before the mnemonic
    std::function<void()> onClick;
  };
  static constexpr int kMaxButtons = 3;

  // Shows a bar in the main window of the application object; null while
  // there is none. Buttons past the third are left out with one stderr line.
  static InfoBar* Show(const oxString& text, Kind kind, const oxStlVector<Button>& buttons = {});
  // Shows a bar in `parent` (a main window, a dialog, any widget); null for
  // a null parent. The parent owns the bar.
  static InfoBar* Show(QWidget* parent, const oxString& text, Kind kind,
                       const oxStlVector<Button>& buttons = {});

  ~InfoBar() override;
  InfoBar(const InfoBar&) = delete;
  InfoBar& operator=(const InfoBar&) = delete;

  oxString GetText() const;
  // Changes the text of a bar on show, such as a reason that changed.
  void SetText(const oxString& text);
  Kind GetKind() const;
  // The buttons' texts in order, the close button left out.
  oxStlVector<oxString> GetButtonTexts() const;

  // Hides the bar and deletes it later, as its close button does. Emits
  // OnClosed once, while the bar is still whole.
  void Close();
  oxiSignal0<void>& OnClosed();

  // The bars shown now in `parent`, top first.
  static oxStlVector<InfoBar*> GetBars(const QWidget* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  InfoBar(QWidget* parent, const oxString& text, Kind kind, const oxStlVector<Button>& buttons);
  void Place();

  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
