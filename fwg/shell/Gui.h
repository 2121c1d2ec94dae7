// The application object: one per process. It owns the toolkit application,
// the main window and the three managers, runs the event loop, decides how
// the process ends, shows errors and loads translations.
#pragma once

#include "platform/fwc/GuiBase.h"
#include "platform/signals/oxSignal.h"

class uiApplication;
class uiMainWindow;

namespace fwg {

class CentralWidget;
class ClientManager;
class ProfileManager;
struct Parts;

class Gui : public fwc::GuiBase {
 public:
  // Builds the application and registers it with the framework core. With
  // argc 0 the arguments come from the process's command line services.
  Gui(int argc, char** argv);
  ~Gui() override;
  Gui(const Gui&) = delete;
  Gui& operator=(const Gui&) = delete;

  // The registered application object; made from the command line services
  // on first use when the host made none. Before the main window is shown,
  // each call lets the toolkit handle pending events once.
  static Gui* Get();

  uiApplication* GetApplication() const;
  uiMainWindow* GetMainWindow() const;
  ClientManager* GetClientManager() const;
  ProfileManager* GetProfileManager() const;
  CentralWidget* GetCentralWidget() const;

  // Shows the main window, emits OnRun and starts the client named by
  // "-client", if any.
  void Start() override;
  // Runs the event loop until the application ends.
  void Run() override;
  // Lets the toolkit handle pending events once.
  void Share() override;
  // Ends the application, or, while anybody listens to OnExit, only asks
  // them: a listener ends it by calling Exit() again from its slot.
  void Exit();
  // Shows an error to the user: in the main window once it is shown,
  // otherwise in a message box captioned "Tavrix".
  void Error(const oxString& message) override;

  // Process-wide modeless-dialog switch (guiTrapableDialog).
  void SetModelessDialogs(bool on);
  bool IsModelessDialogs() const;
  bool IsActiveModeless() const;
  void ActivateTopModeless();

  // Static so that plug-ins and the host can connect before any
  // application object exists.
  static oxSignal0<void>& OnApplicationCreated();
  static oxSignal1<void, uiMainWindow*>& OnMainWindowCreated();
  oxSignal0<void>& OnRun();
  oxSignal0<void>& OnExit();

 private:
  friend const Parts& GetParts();
  friend const Parts* FindParts();
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
