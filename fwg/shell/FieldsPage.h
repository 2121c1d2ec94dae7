// A settings page of typed fields, each bound to a key of the application's
// settings store with a default: the page most plug-ins need, without a line
// of widget code.
//
//   auto page = std::make_unique<fwg::FieldsPage>("Notes", "Documents", "Notes");
//   page->AddFont("Font", tr("Font"), QFont("Monospace", 10));
//   page->AddBool("WordWrap", tr("Wrap long lines"), true);
//   page->OnApplied().Connect(this, [this] { ApplyToOpenNotes(); });
//   fwg::SettingsPages::Add(std::move(page), this);
//   ...
//   const bool wrap = fwg::SettingsPages::GetValue("Notes/WordWrap").GetBoolean();
//
// A key is read in the page's section ("Notes" above; "" for the root); a
// key with slashes ("Sessions/AutosaveSeconds") names sections of its own
// below it. Values are stored with their type: bool, integer, text; a choice
// stores the chosen value's text, a font QFont::toString(). A stored value
// that does not fit its field (a number out of range, a choice not offered)
// shows the default. Fields are laid out in the order added, a label beside
// each (a check box carries its own).
//
// A whole number is typed; input that is not one within the range is
// refused with one line naming the field and the range, and nothing is
// stored.
#pragma once

#include <QFont>

#include "fwg/shell/SettingsPage.h"

namespace fwg {

class FieldsPage : public SettingsPage {
 public:
  struct Choice {
    oxString value;  // what is stored
    oxString text;   // what the user sees, translated
  };

  FieldsPage(const oxString& name, const oxString& category, const oxString& section = {});
  ~FieldsPage() override;

  // Each field once per key; a key added twice is refused with one stderr
  // line. Fields added after the widget is made show in the next dialog.
  void AddBool(const oxString& key, const oxString& label, bool fallback);
  void AddInteger(const oxString& key, const oxString& label, int64_t fallback, int64_t min, int64_t max);
  void AddText(const oxString& key, const oxString& label, const oxString& fallback);
  void AddChoice(const oxString& key, const oxString& label, const oxStlVector<Choice>& choices,
                 const oxString& fallback);
  // Choices whose texts are their values.
  void AddChoice(const oxString& key, const oxString& label, const oxStlVector<oxString>& choices,
                 const oxString& fallback);
  void AddFont(const oxString& key, const oxString& label, const QFont& fallback);
  // A line of explanation below the fields ("Takes effect at the next start.").
  void AddNote(const oxString& text);

  // The section's path in the store, as given.
  const oxString& GetSection() const;
  // Whether a field is bound to `key` (as given to Add...).
  bool HasField(const oxString& key) const;
  // The field's value: stored and fitting, else its default; empty for no
  // such field.
  oxVariant GetValue(const oxString& key) const;
  oxVariant GetDefault(const oxString& key) const;
  // The value on the widget, as it would be stored (a number typed wrongly
  // reads empty); empty without a widget.
  oxVariant GetShownValue(const oxString& key) const;
  // Puts `value` on the widget, as the user would; the page is then edited.
  // False without a widget or field, or for a value of the wrong type.
  bool SetShownValue(const oxString& key, const oxVariant& value);

  oxString Check() const override;
  void Apply() override;
  void Reset() override;
  void RestoreDefaults() override;

 protected:
  QWidget* CreateWidget() override;

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
