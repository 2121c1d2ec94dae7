// One running instance per user and settings folder. A later start hands
// what its command line asks for (the files named, "-client <name>") to the
// instance already running, through a local socket, and ends; the running
// instance opens the files as its own command line's (FileCommands::Open),
// starts a new document of the client, and brings its window forward.
//
//   int main(int argc, char** argv) {
//     ...
//     if (!commandLine->HasOption("-new-instance") &&
//         fwg::SingleInstance::HandOver(files, commandLine->GetValue("-client")))
//       return 0;  // the running instance has them
//     auto* gui = new fwg::Gui(argc, argv);
//     ...
//     gui->Start();
//     fwg::SingleInstance::Listen();
//     gui->Run();
//   }
//
// The socket is named after the application, the user and the settings
// folder ($FWG_CONFIG_DIR), so that runs with settings of their own never
// meet. It is made readable by its user only. A socket an instance left
// behind when it was killed is found out (nobody answers on it) and made
// anew.
#pragma once

#include "platform/core/oxTypes.h"
#include "platform/signals/oxSignal.h"

namespace fwg {

class SingleInstance {
 public:
  // How long a later start waits for the running instance to take its
  // request before it starts on its own: a bound for a hung instance.
  static constexpr int kAnswerMs = 10000;

  // The socket's full path for this application, user and settings folder.
  static oxString GetServerName();

  // Sends `files` (made absolute against the current folder) and `client`
  // (may be empty) to the running instance. True once it confirmed it took
  // them; false when no instance runs (or none answered in time). Works
  // before the application object exists.
  static bool HandOver(const oxStlVector<oxString>& files, const oxString& client);

  // Takes requests of later starts from now on, replacing a socket left
  // behind by an instance that ended without removing it. False, with
  // nothing changed, when another instance listens already or the socket
  // cannot be made; true when this one listens (again).
  static bool Listen();
  // Stops taking requests and removes the socket; also at exit.
  static void StopListening();
  static bool IsListening();

  // After a request was carried out: the files it named (absolute) and its
  // client.
  static oxiSignal2<void, const oxStlVector<oxString>&, const oxString&>& OnHandedOver();
};

}  // namespace fwg
