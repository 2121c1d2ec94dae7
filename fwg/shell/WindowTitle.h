// The main window's title, kept by the application object from its
// construction on: the active document's title (ClientObject::GetTitle,
// with Qt's "[*]" mark, shown while it is modified), the session's (Project::GetTitle: its file's
// name, "*" for unsaved changes) and the host's caption:
//   "notes.txt[*] - work* - Tavrix 10.0"
// A part that is missing is left out. A caption the host sets itself
// (uiWidget::SetCaption) becomes the host's part.
#pragma once

#include "platform/core/oxTypes.h"

namespace fwg {

class WindowTitle {
 public:
  // Starts following documents and projects; later calls do nothing.
  static void Keep();
  // Writes the title now.
  static void Update();
  // The title as it would be written now.
  static oxString Compose();
};

}  // namespace fwg
