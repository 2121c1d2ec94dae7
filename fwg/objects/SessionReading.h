// What reading one session file needs beyond the elements themselves. Not
// part of the library's interface.
#pragma once

#include <set>

#include "platform/core/oxTypes.h"

namespace oxt {
class FileElement;
}

namespace fwg {

class Project;

// The state of the session being read: the file's name for messages and
// what was already reported, so that each problem is told once however
// many documents it touches. The outermost instance is the one in force;
// instances made while one is in force change nothing, so that every
// ClientFolder::Read can make one whether or not a whole file is being read.
// While it is in force, layout frames are not arranged: the frames of the
// new tree are arranged once, at its end, and only those on screen.
class SessionReading {
 public:
  // `source` names the file in messages; may be empty.
  explicit SessionReading(const oxString& source);
  ~SessionReading();
  SessionReading(const SessionReading&) = delete;
  SessionReading& operator=(const SessionReading&) = delete;

  // The instance in force, or null.
  static SessionReading* Get();

  // Writes "fwg: <source>: <message>" to stderr unless something was
  // reported under `key` already.
  void Report(const oxString& key, const oxString& message);

  // Readies a parsed file for reading: loads, through the client manager,
  // the plug-ins of every client that a "CLIENT" element names, so that
  // the classes they register are known, then takes out each "OBJECT"
  // element whose class still cannot be made (reported once, with the
  // "CLIENT" element just before it) so that the rest of the file reads.
  void Prepare(oxt::FileElement* root);
  // A new project below the default model's root, read from a project's
  // "OBJECT" element; null when its class makes something else.
  Project* ReadProject(oxt::FileElement* element);

 private:
  SessionReading* outer_;
  oxString source_;
  std::set<oxString> reported_;
};

}  // namespace fwg
