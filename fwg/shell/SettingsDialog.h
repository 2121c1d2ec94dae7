// The "Settings" dialog: the pages of SettingsPages listed by category on
// the left, the chosen page on the right, a filter box above the list that
// keeps the pages with the typed text on them (a page not made yet is found
// by its name, category and keywords: a FieldsPage's field labels), and OK,
// Cancel, Apply and Restore Defaults below.
//
// A page's widget is made when the page is first shown. OK and Apply store
// every edited page; a page whose input is refused shows its one line above
// the buttons, comes forward, and nothing of any page is stored. Restore
// Defaults puts the shown page back to its defaults, stored by OK or Apply.
// Cancel and closing drop the edits.
//
// While it is open the dialog watches the settings file: a change made
// outside (another instance, a person editing the file) is read in and
// shown on the pages the user has not edited; edited pages keep the user's
// edits, which Apply then stores over the change.
//
// There is one dialog at a time: Edit > Preferences… (host commands) calls
// SettingsDialog::Open().
#pragma once

#include <QDialog>
#include <QKeySequence>

#include "platform/core/oxTypes.h"

namespace fwg {

class SettingsPage;

class SettingsDialog : public QDialog {
 public:
  // Shows the dialog (made when none is open, else brought forward) on the
  // named page, or on the last page shown when "" or unknown. The dialog is
  // a child of the main window and deletes itself when closed.
  static SettingsDialog* Open(const oxString& pageName = {});
  // The open dialog, or null.
  static SettingsDialog* Get();
  // The key that opens it: the platform's QKeySequence::Preferences, and
  // where the platform has none (Qt 6.4 on Linux and Windows give none),
  // Ctrl+, as on the other platforms.
  static QKeySequence GetShortcut();

  explicit SettingsDialog(QWidget* parent = nullptr);
  ~SettingsDialog() override;
  SettingsDialog(const SettingsDialog&) = delete;
  SettingsDialog& operator=(const SettingsDialog&) = delete;

  // Shows the page, making its widget first; false when no listed page has
  // the name (a filtered-out page is shown: the filter is cleared).
  bool ShowPage(const oxString& name);
  SettingsPage* GetCurrentPage() const;
  // Keeps only the pages holding `text` (case ignored) in the list.
  void SetFilter(const oxString& text);
  // The pages listed now, in list order.
  oxStlVector<oxString> GetListedPageNames() const;

  // Stores every edited page as Apply does; false when a page refused its
  // input (its line is shown, nothing stored).
  bool ApplyAll();
  // The line shown about refused input; "" when none is.
  oxString GetProblemText() const;

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
