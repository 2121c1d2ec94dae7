// A profile read from a JSON file instead of written in C++: its name and
// base, its actions and groups, and its menu, toolbar, context-menu and
// dock edits, recorded in file order as soon as the file is read, exactly
// as the same calls written in C++ would record them. A base must be read
// before the profiles built on it. docs/declared-profiles.md gives the
// schema.
//
// Actions reach the client through handlers it registers by name:
//   fwg::DeclaredProfile* profile = fwg::DeclaredProfile::Read("editor.json", "myplugin");
//   if (profile) {
//     profile->SetHandler("editor.save", [this](const fwg::Action&) { Save(); });
//     AddProfile(profile);   // a client takes ownership as for any profile
//   }
#pragma once

#include <QByteArray>
#include <functional>

#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileDeclaration.h"

namespace fwg {

class DeclaredProfile : public Profile {
 public:
  // Runs when the user triggers the action (for a checkable action: when
  // it is toggled; IsChecked() gives the new state).
  using Handler = std::function<void(const Action&)>;

  // Reads the profile from `path`: a file, a Qt resource (":/..."), or,
  // with a plug-in name, a file name in that plug-in's resource folders.
  // The profile takes the plug-in name as Profile's constructor does and
  // registers with the profile manager, then records its contents (an
  // action name found nowhere along the chain is reported with its line).
  // A file that cannot be read or is broken gives one line on stderr (file,
  // line, column, what is wrong) and null; no profile is made.
  static DeclaredProfile* Read(const oxString& path, const oxString& pluginName = {});
  // The same from text in memory; `fileName` only names it in messages.
  static DeclaredProfile* Read(const QByteArray& data, const oxString& fileName,
                               const oxString& pluginName);

  // Records the declaration read by ReadProfileDeclaration (ProfileDeclaration.h).
  explicit DeclaredProfile(ProfileDeclaration declaration, const oxString& pluginName = {});
  ~DeclaredProfile() override;

  // Registers or replaces the handler of that name; may come before or
  // after the build. A name that no action uses is never called.
  void SetHandler(const oxString& name, Handler handler);
  // The handler names the actions use, each once, in file order.
  oxStlVector<oxString> GetHandlerNames() const;

  // Reports, once, each handler name that no SetHandler has registered by
  // then, with the line of its first action. A profile that is only ever a
  // base is not built; its check runs when a switch first puts it in force.
  void Build() override;

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
