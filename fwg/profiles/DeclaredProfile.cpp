#include "fwg/profiles/DeclaredProfile.h"

#include <QFileInfo>
#include <algorithm>
#include <iostream>
#include <map>
#include <set>
#include <unordered_map>
#include <vector>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/profiles/ProfileDeclaration.h"
#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/shell/FieldsPage.h"
#include "platform/core/oxDiagnostic.h"
#include "platform/fwc/PluginDescription.h"
#include "platform/fwc/PluginManager.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiObject.h"
#include "platform/vos/vosFile.h"

namespace fwg {

namespace {

// A relative name is looked up in the plug-in's resource folders; anything
// else (an absolute path, a Qt resource, a name without plug-in) as it is.
oxString FindFile(const oxString& path, const oxString& pluginName) {
  if (pluginName.empty() || QFileInfo(uiStr(path)).isAbsolute() || path.rfind(":", 0) == 0) {
    return path;
  }
  const fwc::PluginDescription* description =
      fwc::PluginManager::Get()->GetPluginDescription(pluginName);
  if (!description) return path;
  for (const oxString& folder : description->GetResourceFolders()) {
    const oxString candidate = description->GetBaseFolder() + "/" + folder + "/" + path;
    if (QFileInfo::exists(uiStr(candidate))) return candidate;
  }
  return path;
}

// Hands the profile's actions their keys when the profile is first
// entered. Recorded first, so that the edits after it find the keys when
// they take note of them; from then on the edits give and withdraw keys as
// they do for a profile written in C++, whose actions only come to exist
// at that moment.
class KeyItem : public ProfileItem {
 public:
  explicit KeyItem(Profile* owner) : ProfileItem(owner, Add) {}
  void Apply(bool on) override {
    if (!on || given_) return;
    given_ = true;
    for (Action* action : actions) action->SetActive(true);
  }
  std::vector<Action*> actions;  // those with a key; owned by the profile

 private:
  bool given_ = false;
};

// The declared settings page, with its texts in the profile's language;
// it goes with the profile.
void AddSettingsPage(Profile* profile, const DeclaredSettings& declared) {
  if (declared.page.empty()) return;
  const auto tr = [profile](const oxString& text) { return text.empty() ? text : profile->tr({}, text); };
  const oxString category = declared.category.empty() ? oxString("Plug-ins") : declared.category;
  auto page = std::make_unique<FieldsPage>(tr(declared.page), tr(category), declared.section);
  for (const DeclaredField& field : declared.fields) {
    const oxString label = tr(field.label.empty() ? field.key : field.label);
    switch (field.type) {
      case DeclaredField::Bool:
        page->AddBool(field.key, label, field.flag);
        break;
      case DeclaredField::Integer:
        page->AddInteger(field.key, label, field.number, field.min, field.max);
        break;
      case DeclaredField::Text:
        page->AddText(field.key, label, field.text);
        break;
      case DeclaredField::Choice: {
        oxStlVector<FieldsPage::Choice> choices;
        for (const oxString& choice : field.choices) choices.push_back({choice, tr(choice)});
        page->AddChoice(field.key, label, choices, field.text);
        break;
      }
    }
  }
  if (!declared.note.empty()) page->AddNote(tr(declared.note));
  SettingsPages::Add(std::move(page), profile);
}

}  // namespace

struct DeclaredProfile::Internal {
  ProfileDeclaration declaration;
  std::map<oxString, Handler> handlers;
  bool handlersChecked = false;
  // The items each edit recorded, with the edit's index: the line is only
  // looked up for a message.
  std::vector<std::pair<const ProfileItem*, size_t>> editItems;

  // "file:line" of the edit that recorded the item, or "".
  oxString DescribeItem(const ProfileItem* item) const {
    for (const auto& [recorded, edit] : editItems) {
      if (recorded != item) continue;
      const int line = GetDeclarationLine(declaration, "edits", static_cast<int>(edit));
      return EscapeControls(declaration.fileName + ":" + std::to_string(line));
    }
    return {};
  }

  void Record(DeclaredProfile* profile);
  void CheckHandlers();
  // One line naming the file and the line of the entry.
  void Report(const char* list, size_t index, const oxString& message) const {
    const int line = GetDeclarationLine(declaration, list, static_cast<int>(index));
    std::cerr << "fwg: "
              << EscapeControls(declaration.fileName + ":" + std::to_string(line) + ": " + message)
              << std::endl;
  }
};

DeclaredProfile* DeclaredProfile::Read(const oxString& path, const oxString& pluginName) {
  const oxString found = FindFile(path, pluginName);
  // Far beyond any menu a person declares.
  constexpr size_t kMaxSize = 8 << 20;
  QByteArray text;
  oxString reason;
  if (!vosFile::ReadFile(found, kMaxSize, &text, &reason)) {
    std::cerr << "fwg: DeclaredProfile: cannot read '" << found << "': " << reason << std::endl;
    return nullptr;
  }
  return Read(text, found, pluginName);
}

DeclaredProfile* DeclaredProfile::Read(const QByteArray& data, const oxString& fileName,
                                       const oxString& pluginName) {
  ProfileDeclaration declaration;
  oxString error;
  if (!ReadProfileDeclaration(data, fileName, &declaration, &error)) {
    std::cerr << "fwg: " << error << std::endl;
    return nullptr;
  }
  // A second profile of a name is never found by it, and a base read later
  // would leave this one's inherited names unresolved: neither is made.
  const ProfileManager* manager = ProfileManager::Get();
  const char* key = nullptr;
  if (manager->GetProfile(declaration.name)) {
    key = "name";
    error = "a profile named " + oxQuote(declaration.name) + " is registered already";
  } else if (!declaration.base.empty() && !manager->GetProfile(declaration.base)) {
    key = "base";
    error = "the base profile " + oxQuote(declaration.base) + " is not registered (read it first)";
  }
  if (key) {
    oxWarn(EscapeControls(fileName), ":", GetDeclarationLine(declaration, key, -1), ": ", error,
           "; no profile is made");
    return nullptr;
  }
  return new DeclaredProfile(std::move(declaration), pluginName);
}

// Recorded at once, not in Build(): a profile entered only as the base of
// another is never built, and its declared contents must still be there.
// Handlers are checked when the profile is built or, for such a base, when a
// switch first puts it in force, so that the client can register them after
// reading the file.
DeclaredProfile::DeclaredProfile(ProfileDeclaration declaration, const oxString& pluginName)
    : Profile(declaration.name, declaration.base, pluginName),
      internal_(new Internal{std::move(declaration), {}, false, {}}) {
  if (!internal_->declaration.title.empty()) SetTitle(internal_->declaration.title);
  GetInternal(this)->describeItem = [d = internal_](const ProfileItem* item) { return d->DescribeItem(item); };
  internal_->Record(this);
  AddSettingsPage(this, internal_->declaration.settings);
  ProfileManager::Get()->OnProfileActivated().Connect(this, [this](Profile*) {
    if (IsActive()) internal_->CheckHandlers();
  });
}

DeclaredProfile::~DeclaredProfile() {
  GetInternal(this)->describeItem = nullptr;  // it reads what goes now
  delete internal_;
}

void DeclaredProfile::SetHandler(const oxString& name, Handler handler) {
  internal_->handlers[name] = std::move(handler);
}

oxStlVector<oxString> DeclaredProfile::GetHandlerNames() const {
  oxStlVector<oxString> names;
  for (const DeclaredAction& declared : internal_->declaration.actions) {
    const oxString& name = declared.handler;
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return names;
}

void DeclaredProfile::Build() { internal_->CheckHandlers(); }

// Each missing name once, at the first action that uses it.
void DeclaredProfile::Internal::CheckHandlers() {
  if (handlersChecked) return;
  handlersChecked = true;
  std::set<oxString> reported;
  for (size_t i = 0; i < declaration.actions.size(); ++i) {
    const DeclaredAction& declared = declaration.actions[i];
    const oxString& name = declared.handler;
    if (name.empty() || handlers.count(name) || !reported.insert(name).second) continue;
    Report("actions", i, "no handler " + oxQuote(name) + " is registered (action " + oxQuote(declared.name) + ")");
  }
}

namespace {

// A menu or toolbar name as it shows, as paths compare it (uiPlainText).
oxString Shown(const oxString& text) { return oxStr(uiPlainText(uiStr(text))); }

// A declaration names menus in the language it is written in ("View/Tasks");
// the window shows them translated. A name that one of the declaration's own
// actions shows is translated as that action's text is, in the profile's own
// context. Any other name is a base profile's: it is looked up as a source
// text of the bases' contexts, nearest first, with its mnemonic marker at
// any place ("&View", "V&iew", ...), and the first translation found stands
// for it. Names no one translates stay as written. Each name is worked out
// once per build.
class PathTranslator {
 public:
  explicit PathTranslator(const Profile* profile)
      : profile_(profile), bases_(GetBaseChainProfiles(profile)) {
    bases_.erase(std::remove(bases_.begin(), bases_.end(), profile), bases_.end());
  }

  // One of the declaration's own texts, as written and as translated. Kept
  // when it changes, or when it must keep a base's translation from its
  // name.
  void AddOwn(const oxString& text, const oxString& translated) {
    if (text != translated || !bases_.empty()) names_.emplace(Shown(text), Shown(translated));
  }

  // `keepFirst`: a context menu's path starts with the name code pops it
  // up by, which is no text of the window. A name whose translation holds
  // a '/' cannot be named in a path: `splitting` then names both, and what
  // comes back is no path to use.
  oxString Translate(const oxString& path, bool keepFirst, oxString* splitting) {
    if (names_.empty() && bases_.empty()) return path;  // nothing is translated
    oxString translated;
    size_t start = 0;
    for (size_t slash = path.find('/');; slash = path.find('/', start)) {
      const size_t end = slash == oxString::npos ? path.size() : slash;
      const oxString name = path.substr(start, end - start);
      const oxString& shown = keepFirst && start == 0 ? name : Name(name);
      if (shown != name && shown.find('/') != oxString::npos) *splitting = oxQuote(shown) + " of " + oxQuote(name);
      translated += shown;
      if (slash == oxString::npos) break;
      translated += '/';
      start = slash + 1;
    }
    return translated;
  }

 private:
  const oxString& Name(const oxString& name) {
    const auto known = names_.find(name);
    if (known != names_.end()) return known->second;
    oxString found = name;
    for (auto base = bases_.rbegin(); base != bases_.rend() && found == name && !name.empty(); ++base) {
      for (size_t at = 0; at <= name.size() + 1; ++at) {
        // Built piece by piece: insert() makes GCC 12 warn wrongly at -O3.
        oxString source = name.substr(0, std::min(at, name.size()));
        if (at <= name.size()) source += '&';
        if (at < name.size()) source.append(name, at, oxString::npos);
        const oxString translated = (*base)->tr({}, source);
        if (translated != source) {
          found = Shown(translated);
          break;
        }
      }
    }
    return names_.emplace(name, found).first->second;
  }

  const Profile* profile_;
  oxStlVector<Profile*> bases_;                   // root first
  std::unordered_map<oxString, oxString> names_;  // as written, as shown
};

}  // namespace

// The same calls, in the same order, that a Build() written in C++ makes:
// actions and groups in file order, then the groups' members (a member may
// be declared after its group), then the edits in file order.
void DeclaredProfile::Internal::Record(DeclaredProfile* profile) {
  auto* keys = new KeyItem(profile);
  GetInternal(profile)->Record(keys);
  std::vector<std::pair<const DeclaredAction*, ActionGroup*>> groups;
  PathTranslator paths(profile);
  for (const DeclaredAction& declared : declaration.actions) {
    const oxString text = profile->tr({}, declared.text);
    paths.AddOwn(declared.text, text);
    Action* action = nullptr;
    if (declared.isGroup) {
      ActionGroup* group =
          profile->AddActionGroup(declared.name, text, declared.dropDown, declared.icon);
      group->SetExclusive(declared.exclusive);
      groups.emplace_back(&declared, group);
      action = group;
    } else {
      action = profile->AddAction(declared.name, text, declared.icon, declared.shortcut);
      if (!declared.shortcut.empty()) {
        // Held back until the profile is first entered: a profile built
        // in C++ has no actions, and so no keys, before then.
        action->SetActive(false);
        keys->actions.push_back(action);
      }
      if (declared.checkable) action->SetCheckable(true);
      if (declared.checked) action->SetChecked(true);
    }
    if (!declared.tip.empty()) action->SetToolTip(profile->tr({}, declared.tip));
    if (!declared.visible) action->SetVisible(false);
    if (!declared.enabled) action->SetEnabled(false);
    // A script procedure: called with nothing, or with the new state of a
    // checkable action.
    if (!declared.script.empty()) {
      if (declared.checkable) {
        action->OnToggle().Connect(oxScriptCallback(declared.script));
      } else {
        action->OnActivate().Connect(oxScriptCallback(declared.script));
      }
    }
    if (declared.handler.empty()) continue;

    // Looked up at each call, so that a handler may come after the build.
    const oxString name = declared.handler;
    const auto dispatch = [this, name](const Action& source) {
      const auto found = handlers.find(name);
      if (found != handlers.end() && found->second) found->second(source);
    };
    if (declared.checkable) {
      action->OnActionToggle().Connect(profile, [dispatch](const Action& a, bool) { dispatch(a); });
    } else {
      action->OnActionActivate().Connect(profile, dispatch);
    }
  }

  for (const auto& [declared, group] : groups) {
    for (const oxString& member : declared->members) {
      if (member == "-") {
        group->AddSeparator();
      } else if (Action* action = profile->GetAction(member)) {
        group->AddAction(action);
      } else {
        Report("actions", declared - declaration.actions.data(),
               "group " + oxQuote(declared->name) + " names no action " + oxQuote(member));
      }
    }
  }

  for (size_t i = 0; i < declaration.edits.size(); ++i) {
    const DeclaredEdit& edit = declaration.edits[i];
    if (edit.kind == DeclaredEdit::Dock) {
      if (edit.mode == ProfileItem::Add) {
        profile->AddDockWidget(edit.widget, edit.path, edit.shortcut);
      } else {
        profile->RemoveDockWidget(edit.widget);
      }
      continue;
    }
    Action* action = nullptr;
    if (edit.mode != ProfileItem::Remove) {
      action = profile->GetAction(edit.action);
      if (!action) {
        Report("edits", i, "no action " + oxQuote(edit.action) + " for " + oxQuote(edit.path));
        continue;
      }
    }
    using Add = void (Profile::*)(Action*, const oxString&);
    using Remove = void (Profile::*)(const oxString&);
    static const struct {
      Add add;
      Add replace;
      Remove remove;
    } kOperations[] = {
        {&Profile::AddMenu, &Profile::ReplaceMenu, &Profile::RemoveMenu},
        {&Profile::AddToolBar, &Profile::ReplaceToolBar, &Profile::RemoveToolBar},
        {&Profile::AddContextMenu, &Profile::ReplaceContextMenu, &Profile::RemoveContextMenu},
    };
    const auto& operations = kOperations[edit.kind];
    oxString splitting;
    const oxString path = paths.Translate(edit.path, edit.kind == DeclaredEdit::ContextMenu, &splitting);
    if (!splitting.empty()) {
      Report("edits", i, "the translation " + splitting + " holds a '/', which splits the path " +
                             oxQuote(edit.path) + "; the edit is left out");
      continue;
    }
    Profile::Internal* record = GetInternal(profile);
    const size_t before = record->items.size();
    switch (edit.mode) {
      case ProfileItem::Add:
        (profile->*operations.add)(action, path);
        break;
      case ProfileItem::Replace:
        (profile->*operations.replace)(action, path);
        break;
      case ProfileItem::Remove:
        (profile->*operations.remove)(path);
        break;
    }
    for (size_t item = before; item < record->items.size(); ++item) {
      editItems.emplace_back(record->items[item], i);
    }
  }
}

}  // namespace fwg
