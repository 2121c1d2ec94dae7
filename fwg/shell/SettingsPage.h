// A page of the Settings dialog (SettingsDialog) and the list of pages the
// host and plug-ins contribute.
//
// A page has a name, a category (the group it is listed under), an icon and
// words the dialog's filter finds it by before its widget exists. Its widget
// is made the first time the dialog shows the page, never before, and goes
// with the dialog; the next dialog makes it again. The page keeps its values
// in the application's settings store (oxapp::Application::GetSettings) and
// loads them into the widget with Reset(); Check() and Apply() store what
// the user changed, RestoreDefaults() puts the widget back to the page's
// defaults (stored only by a later Apply).
//
// Most pages need no widget code: FieldsPage (FieldsPage.h) is a page of
// typed fields bound to settings keys. A page of its own derives from
// SettingsPage:
//
//   class SpellingPage : public fwg::SettingsPage {
//    public:
//     SpellingPage() : SettingsPage("Spelling", "Editing") { AddKeywords({"dictionary"}); }
//     QWidget* CreateWidget() override { ... connect edits to NoteEdited() ... }
//     void Reset() override { ... read the store into the widget ... }
//     void Apply() override { ... write the widget into the store ... }
//     void RestoreDefaults() override { ... }
//   };
//   fwg::SettingsPages::Add(std::make_unique<SpellingPage>(), this);  // goes with `this`
#pragma once

#include <QIcon>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/core/oxTypes.h"
#include "platform/signals/oxSignal.h"

namespace fwg {

class SettingsPage {
 public:
  SettingsPage(const oxString& name, const oxString& category);
  virtual ~SettingsPage();
  SettingsPage(const SettingsPage&) = delete;
  SettingsPage& operator=(const SettingsPage&) = delete;

  const oxString& GetName() const;
  const oxString& GetCategory() const;
  QIcon GetIcon() const;
  void SetIcon(const QIcon& icon);
  // Words the filter finds the page by while its widget is not made; a
  // made widget is searched by every text on it as well.
  void AddKeywords(const oxStlVector<oxString>& words);
  const oxStlVector<oxString>& GetKeywords() const;

  // The widget if made, else null.
  QWidget* GetWidget() const;
  // Makes the widget under `parent` on the first call, loads the stored
  // values into it (Reset) and returns it; later calls return it.
  QWidget* MakeWidget(QWidget* parent);

  // Whether the user changed something since the last Reset or Apply.
  bool IsEdited() const;
  // For the page: the user changed a value on the widget. Ignored while
  // Reset or RestoreDefaults fills the widget.
  void NoteEdited();

  // Called with the widget made. Check says what keeps the page's input
  // from being stored, in one line ("" when nothing does); Apply stores it
  // and is only called after Check found nothing.
  virtual oxString Check() const { return {}; }
  virtual void Apply() {}
  virtual void Reset() {}
  virtual void RestoreDefaults() {}

  // Runs Reset with edits ignored and the page left unedited; what the
  // dialog and the store's watcher call. Does nothing without a widget.
  void Load();
  // Runs Check and, when it finds nothing, Apply; the page is then
  // unedited. The problem otherwise, which changes nothing.
  oxString Store();
  // RestoreDefaults with the widget made; the page counts as edited.
  void LoadDefaults();

  // Emitted after the page stored its values (Store).
  oxiSignal0<void>& OnApplied();

 protected:
  // Makes the page's widget; the page does not own it (the dialog does).
  virtual QWidget* CreateWidget() = 0;

 private:
  struct Internal;
  Internal* internal_;
};

// The pages on offer. The list owns them.
class SettingsPages {
 public:
  // Adds the page and returns it; a page named like one on the list is
  // refused with one stderr line (null). With an `owner` (a client, a
  // profile) the page goes when RemoveOwnedBy(owner) is called, which
  // clients and profiles do when they are deleted.
  static SettingsPage* Add(std::unique_ptr<SettingsPage> page, const void* owner = nullptr);
  // Removes and deletes the page; an open dialog drops it.
  static void Remove(SettingsPage* page);
  static void RemoveOwnedBy(const void* owner);
  // In the order added.
  static oxStlVector<SettingsPage*> GetPages();
  static SettingsPage* Find(const oxString& name);

  // The application's setting at "Section/Key" ("Key" for the root): the
  // stored value, or when none is stored (or it is not of the field's
  // type), the default of the field some FieldsPage binds to it; empty
  // when neither exists.
  static oxVariant GetValue(const oxString& path);

  // Reads the settings file again for changes made outside (another
  // instance, a person editing it): the open dialog's pages the user has
  // not edited show the new values, and OnChanged is emitted. The dialog's
  // watcher calls it when the file changes.
  static void ReadOutsideChanges();
  // Emitted after a page stored values or changes were read from outside:
  // whoever holds a setting reads it again.
  static oxiSignal0<void>& OnChanged();
  // Emitted when the list changes.
  static oxiSignal0<void>& OnPagesChanged();

  // The host's pages: General (autosave interval, recent files, language)
  // and Keyboard (the shortcuts editor), each unless on the list already.
  static void AddHostPages();

  SettingsPages() = delete;
};

}  // namespace fwg
