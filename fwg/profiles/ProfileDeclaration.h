// A profile written as data: the JSON form of a profile's name, base,
// actions and recorded edits (docs/declared-profiles.md gives the schema),
// read into plain records that DeclaredProfile builds from.
//
// The reader checks the whole text before it answers: a text that is not
// JSON, or not this schema, gives one message naming the line and column,
// and no records.
#pragma once

#include <QByteArray>

#include "fwg/profiles/ProfileItem.h"
#include "platform/core/oxTypes.h"

namespace fwg {

struct DeclaredAction {
  oxString name;
  oxString text;
  oxString icon;
  oxString shortcut;
  oxString tip;
  oxString handler;  // "" for none
  oxString script;   // a script procedure run as the handler is; "" for none
  bool checkable = false;
  bool checked = false;
  bool visible = true;
  bool enabled = true;
  // A group: its members by name, "-" for a separator.
  bool isGroup = false;
  oxStlVector<oxString> members;
  bool exclusive = false;
  bool dropDown = false;
};

struct DeclaredEdit {
  enum Kind { Menu, ToolBar, ContextMenu, Dock };
  Kind kind = Menu;
  ProfileItem::Mode mode = ProfileItem::Add;
  oxString path;    // menu, toolbar or context-menu path; dock path of a dock add
  oxString action;  // add and replace
  oxString widget;  // dock edits
  oxString shortcut;  // dock add: the toggle action's key
};

// One typed field of a declared settings page (FieldsPage).
struct DeclaredField {
  enum Type { Bool, Integer, Text, Choice };
  Type type = Bool;
  oxString key;
  oxString label;
  bool flag = false;        // a bool's default
  int64_t number = 0;       // an integer's default, within [min, max]
  int64_t min = 0;
  int64_t max = 0;
  oxString text;            // a text's or a choice's default
  oxStlVector<oxString> choices;
};

// A settings page of typed fields ("settings" in the file); `page` empty
// for none.
struct DeclaredSettings {
  oxString page;
  oxString category;
  oxString section;  // the profile's name unless given
  oxString note;
  oxStlVector<DeclaredField> fields;
};

struct ProfileDeclaration {
  oxString fileName;  // as given to the reader, for messages
  oxString name;
  oxString base;
  oxString title;
  oxStlVector<DeclaredAction> actions;  // in file order
  oxStlVector<DeclaredEdit> edits;      // in file order
  DeclaredSettings settings;
  QByteArray text;                      // what was read, for the lines of later messages
};

// The line of entry `index` of the file's list `list` ("actions" or
// "edits"), or with a negative index, of the top-level key `list` ("name");
// the last line when there is none.
int GetDeclarationLine(const ProfileDeclaration& declaration, const char* list, int index);

// `text` with control characters written out (\n, \t, \xNN), so that a
// message quoting the file stays on one line.
oxString EscapeControls(const oxString& text);

// Reads `data`. On success fills `declaration` and returns true; otherwise
// leaves it alone, sets `error` to "<fileName>:<line>:<column>: <what is
// wrong>" and returns false. Lines and columns count from 1; columns count
// characters.
bool ReadProfileDeclaration(const QByteArray& data, const oxString& fileName,
                            ProfileDeclaration* declaration, oxString* error);

}  // namespace fwg
