// The user's commands for files, the work people keep outside sessions:
//
//   Open File…     Ctrl+O        one dialog for every client's file types
//   Save           Ctrl+S        the active document's file; the session
//                                when the document's content lives there
//   Save As…       Ctrl+Shift+S  a new file for the active document
//   Save All                     every document with changes its file lacks
//   Revert                       the active document's file read again
//   Recent Files                 the last files (ten unless the General
//                                settings page says otherwise), missing
//                                ones marked
//
// A file's type (FileTypes) picks the client that opens it, whose plug-ins
// load on demand; the client's OpenFile(path) makes the document, which
// shows the file through its Document (ClientObject::SetDocument). A file
// already open brings its document forward instead. The same happens for
// files named on the host's command line and files dropped on the main
// window. Files of open documents are watched: when another program
// changes or removes one, an information bar in the document's frame
// (InfoBar) tells so once, with "Reload" and "Keep Mine" (or "Save" for a
// removed file); nothing waits for the answer, and a document with unsaved
// changes is never reloaded without one.
//
// Failures are told to the user in one message naming the file and the
// reason; nothing else changes then.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

#include "platform/core/oxTypes.h"

namespace fwg {

class Action;
class ClientObject;
class Profile;

class FileCommands {
 public:
  // The recent files list holds "RecentCount" of the application settings'
  // section "Files" entries: kDefaultRecent unless set, kMaxRecent at most.
  static constexpr int kMaxRecent = 20;
  static constexpr int kDefaultRecent = 10;
  static constexpr char kRecentCountKey[] = "Files/RecentCount";
  static int GetRecentCount();

  // Adds the actions "File.OpenFile", "File.Save", "File.SaveAs",
  // "File.SaveAll", "File.Revert" and the drop-down group
  // "File.RecentFiles" to the profile and records their entries at the end
  // of the menu at `menuPath` ("File"). Call it from a common base
  // profile's Build(), once per profile chain, before SessionCommands.
  static void Install(Profile* profile, const oxString& menuPath);
  // Files dropped anywhere on the main window open as File > Open File
  // does them. Once per run; the host commands install it.
  static void AcceptDrops();

  // The document showing `path`, brought forward (activated, given the
  // keyboard) when it is open already; otherwise the file is opened by the
  // client of its type and its document made active. Null when it could
  // not be opened; the user was told why.
  static ClientObject* Open(const oxString& path);
  // Opens each file as Open(path) does; those that could not be opened are
  // told together, in one message with a line for each. True when at least
  // one opened.
  static bool OpenFiles(const oxStlVector<oxString>& paths);
  // Asks for files ("Open File", every client's types) and opens each.
  // False when the user cancels or none opened.
  static bool Open();

  // Saves the document's work: its file; a document of a client that
  // saves its own way (no Document, modified) through the client's Save();
  // otherwise (a new document whose content lives in the session) the
  // session that holds it. With no document, the session. False when it was not saved (the user was
  // told why) or the user cancelled.
  static bool Save(ClientObject* document);
  // Asks for a file with the client's file types, then writes the document
  // there; a document that keeps its content in the session saves the
  // session as. False when the user cancels or the save fails.
  static bool SaveAs(ClientObject* document);
  // Writes the document to `path`: it then shows that file, takes its name
  // and leads the recent files. False, with the reason shown, on failure;
  // the old file and the document stay as they were then.
  static bool SaveAs(ClientObject* document, const oxString& path);
  // Saves every document with changes its file lacks. False when one was
  // not saved (the rest are).
  static bool SaveAll();
  // Reads the document's file again, after asking while it has changes.
  // False when it has no file, the user kept the changes, or reading failed.
  static bool Revert(ClientObject* document);

  // The open document showing `path` (compared as absolute paths); null.
  static ClientObject* FindDocument(const oxString& path);

  // Most recent first, at most GetRecentCount(); kept in the application's
  // settings (section "Files", keys "Recent1"...).
  static oxStlVector<oxString> GetRecentFiles();
  // What the entry at `index` (from 0) of a list of recent files reads: a
  // number underlined up to ten ("&1", ..., "1&0"), the file's name as it
  // stands ("&" shown, not underlining), "(missing)" after it when the
  // file is gone.
  static oxString RecentEntryText(size_t index, const oxString& path);
  // Shows the first entries of a list of recent files or sessions, one per
  // path, with RecentEntryText and the whole path as status tip, and hides
  // the rest. The entries are list entries (Action::SetListEntry): no key
  // or toolbar button is given to them.
  static void ShowRecentEntries(const oxStlVector<Action*>& entries, const oxStlVector<oxString>& paths);
  // Calls `update` now and whenever what document commands act on may have
  // changed: the active document, a document's file or title, sessions made
  // or deleted. The file commands grey themselves with it while there is
  // nothing for them; commands of a client's own can do the same. The calls
  // end when the profile is deleted.
  static void FollowTargets(Profile* profile, std::function<void()> update);
  // Moves `path` to the front.
  static void AddRecentFile(const oxString& path);
  static void RemoveRecentFile(const oxString& path);
  static void ClearRecentFiles();

  // For the library: follows the document's file (watching it for other
  // programs' changes) after it changed; and reopens the file a session
  // names for the document, or keeps the path and notes the reason when it
  // cannot, for TakeReopenFailures.
  static void Watch(ClientObject* document);
  static void Reopen(ClientObject* document, const oxString& path);
  // The document shows `path` again with `content`, changes its file lacks
  // (kept by the recovery file): modified, the file untouched.
  static void Restore(ClientObject* document, const oxString& path, const QByteArray& content);
  // "<file>: <reason>" for each file a session named that did not open
  // since the last call.
  static oxStlVector<oxString> TakeReopenFailures();
};

}  // namespace fwg
