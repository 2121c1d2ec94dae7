// Blocking message boxes. Hosts without a user (tests, batch runs) install an
// interceptor that answers instead of a dialog.
#pragma once

#include <functional>

#include "platform/ui/uiWidget.h"

class uiMessageBox {
 public:
  enum class Icon { None = 0, Information = 1, Warning = 2, Critical = 3 };
  // Button codes: 0 none, 1 Ok, 2 Cancel, 3 Yes, 4 No, 5 Abort, 6 Retry, 7 Ignore.
  enum Button { NoButton = 0, Ok = 1, Cancel = 2, Yes = 3, No = 4, Abort = 5, Retry = 6, Ignore = 7 };

  using Interceptor = std::function<int(Icon icon, const oxString& caption, const oxString& text)>;

  // Shows a critical message and returns the code of the button pressed.
  static int Critical(uiWidget* parent, const oxString& caption, const oxString& text,
                      int button0, int button1 = 0, int button2 = 0);
  static int Warning(uiWidget* parent, const oxString& caption, const oxString& text,
                     int button0, int button1 = 0, int button2 = 0);
  static int Information(uiWidget* parent, const oxString& caption, const oxString& text,
                         int button0, int button1 = 0, int button2 = 0);

  // An empty function removes the interceptor.
  static void SetInterceptor(Interceptor interceptor);
};
