// Autosave and crash recovery of the open projects.
//
// While a SessionRecovery lives (the host makes one after the application
// object and deletes it when the run ends), every interval in which some
// project holds unsaved work (what quitting would ask about:
// UnsavedWork::IsUnsaved, or a document whose file lacks its changes), all
// open projects are written atomically to
// the recovery file beside the settings, <config folder>/<application
// name>.recovery (oxSettings::GetConfigFolder, $FWG_CONFIG_DIR when set).
// The interval is 60 seconds, or "AutosaveSeconds" of the application
// settings' section "Sessions" (0: no autosave); a new interval stored
// through a settings page (SettingsPages::OnChanged) is in force at once. Once nothing is unsaved,
// the file is removed; deleting the SessionRecovery (a clean exit) removes
// it too. A run that ends otherwise leaves it for the next start, whose
// Offer() brings the work back.
//
// One process of the application keeps the file at a time (a lock file
// beside it); a second one running at the same time neither offers,
// autosaves nor removes anything. The interval is read with its range (0
// to a day); a value outside it is reported on stderr and 60 used.
//
// A save that fails, or a lock file that cannot be written at start (a
// full disk, a read-only folder), is told once: one stderr line for each
// new reason and an information bar in the main window (InfoBar) with the
// reason and "Try Now". Saving is tried again at every interval, the lock
// taken once it can be written; the bar goes when a save works.
#pragma once

#include "platform/core/oxTypes.h"

namespace fwg {

class Project;

class SessionRecovery {
 public:
  // The interval's setting, its default and its most, in seconds.
  static constexpr char kIntervalKey[] = "Sessions/AutosaveSeconds";
  static constexpr int kDefaultInterval = 60;
  static constexpr int kMaxInterval = 86400;

  SessionRecovery();
  ~SessionRecovery();
  SessionRecovery(const SessionRecovery&) = delete;
  SessionRecovery& operator=(const SessionRecovery&) = delete;

  // Offers the work of a run that ended without cleaning up, if it left a
  // recovery file: "-recover" on the command line restores it without
  // asking; "-norecover" leaves the file alone for a later start (and this
  // run then neither autosaves over it nor removes it); otherwise a message
  // box asks: "Restore", "Discard" (the only answer that removes the file)
  // or "Ask Later" (also Escape and closing the box: as "-norecover"). Restored projects keep their
  // session files and count as unsaved; each restored document says so in
  // an information bar in its frame, with a Save button. Returns them.
  oxStlVector<Project*> Offer();

  // Writes the recovery file now if a project has unsaved changes, removes
  // it if none has. False when the work could not be written (the previous
  // file then stays as it was) or the lock file still cannot be; told as
  // above. True while another process keeps the work.
  bool Autosave();

  static oxString GetRecoveryFile();
  // The interval in force, in seconds; 0 while nothing is autosaved by this
  // process.
  int GetInterval() const;
  // True while the recovery file is written: documents showing files then
  // keep the changes their files lack as well, so that a crash loses none.
  static bool IsWriting();

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
