// The toolkit's process-wide state: the application, the main window that
// parents every action and dock window, image search paths, and the request
// to end the event loop.
#pragma once

#include <QPointer>

#include "platform/ui/uiWidget.h"

class uiApplication;
class uiMainWindow;

class uiManager {
 public:
  static uiManager* Get();

  uiMainWindow* MainWindow() const { return mainWindow_; }
  void SetMainWindow(uiMainWindow* window) { mainWindow_ = window; }
  uiApplication* Application() const { return application_; }
  void SetApplication(uiApplication* application) { application_ = application; }

  // Folders in which images given by file name are looked up, in order.
  void AddToPath(const oxString& folder);
  const oxStlVector<oxString>& GetPath() const { return path_; }
  // Full path of the image in the first folder that has it; a name that is
  // already a path to an existing file is returned as it is; "" otherwise.
  oxString FindImage(const oxString& fileName) const;

  // The system's locale name, such as "de_DE".
  uiString Locale() const;

  // Ends the event loop; asked before the loop runs, the loop returns at once.
  void Exit();
  bool IsExitRequested() const { return exitRequested_; }

  // Used by uiApplication::Exec.
  bool TakeExitRequest();
  void SetRunning(bool running) { running_ = running; }

 private:
  uiManager() = default;

  uiMainWindow* mainWindow_ = nullptr;
  uiApplication* application_ = nullptr;
  oxStlVector<oxString> path_;
  bool exitRequested_ = false;
  bool running_ = false;
};
