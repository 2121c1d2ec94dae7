#include "fwg/shell/SettingsPage.h"

#include <algorithm>
#include <iostream>

#include "fwg/shell/FieldsPage.h"
#include "platform/oxapp/Application.h"
#include "platform/settings/oxSettings.h"

namespace fwg {

struct SettingsPage::Internal {
  oxString name;
  oxString category;
  QIcon icon;
  oxStlVector<oxString> keywords;
  QPointer<QWidget> widget;
  bool edited = false;
  bool loading = false;  // Reset or RestoreDefaults is filling the widget
  oxiSignal0<void> onApplied;
};

SettingsPage::SettingsPage(const oxString& name, const oxString& category)
    : internal_(new Internal{name, category, {}, {}, {}, false, false, {}}) {}

SettingsPage::~SettingsPage() {
  delete internal_->widget.data();  // a dialog shows it no longer
  delete internal_;
}

const oxString& SettingsPage::GetName() const { return internal_->name; }
const oxString& SettingsPage::GetCategory() const { return internal_->category; }
QIcon SettingsPage::GetIcon() const { return internal_->icon; }
void SettingsPage::SetIcon(const QIcon& icon) { internal_->icon = icon; }

void SettingsPage::AddKeywords(const oxStlVector<oxString>& words) {
  internal_->keywords.insert(internal_->keywords.end(), words.begin(), words.end());
}

const oxStlVector<oxString>& SettingsPage::GetKeywords() const { return internal_->keywords; }

QWidget* SettingsPage::GetWidget() const { return internal_->widget; }

QWidget* SettingsPage::MakeWidget(QWidget* parent) {
  if (internal_->widget) return internal_->widget;
  QWidget* widget = CreateWidget();
  if (!widget) return nullptr;
  widget->setParent(parent);
  internal_->widget = widget;
  Load();
  return widget;
}

bool SettingsPage::IsEdited() const { return internal_->edited; }

void SettingsPage::NoteEdited() {
  if (!internal_->loading) internal_->edited = true;
}

void SettingsPage::Load() {
  if (!internal_->widget) return;
  internal_->loading = true;
  Reset();
  internal_->loading = false;
  internal_->edited = false;
}

oxString SettingsPage::Store() {
  if (!internal_->widget) return {};
  if (oxString problem = Check(); !problem.empty()) return problem;
  Apply();
  internal_->edited = false;
  oxapp::Application::Get()->GetSettings()->Sync();
  internal_->onApplied.Emit();
  SettingsPages::OnChanged().Emit();
  return {};
}

void SettingsPage::LoadDefaults() {
  if (!internal_->widget) return;
  internal_->loading = true;
  RestoreDefaults();
  internal_->loading = false;
  internal_->edited = true;
}

oxiSignal0<void>& SettingsPage::OnApplied() { return internal_->onApplied; }

// ---- the list -----------------------------------------------------------------

namespace {

struct Entry {
  std::unique_ptr<SettingsPage> page;
  const void* owner = nullptr;
};

struct PageList {
  oxStlVector<Entry> entries;
  oxiSignal0<void> onChanged;
  oxiSignal0<void> onPagesChanged;
};

PageList& GetList() {
  static PageList* list = new PageList;  // pages may go after static destruction began
  return *list;
}

// "A/B/Key" into the section "A/B" and the key.
void SplitPath(const oxString& path, oxString* section, oxString* key) {
  const size_t slash = path.rfind('/');
  *section = slash == oxString::npos ? oxString() : path.substr(0, slash);
  *key = slash == oxString::npos ? path : path.substr(slash + 1);
}

}  // namespace

SettingsPage* SettingsPages::Add(std::unique_ptr<SettingsPage> page, const void* owner) {
  if (!page) return nullptr;
  if (Find(page->GetName())) {
    std::cerr << "fwg: SettingsPages::Add: a page named '" << page->GetName() << "' is there already\n";
    return nullptr;
  }
  SettingsPage* added = page.get();
  GetList().entries.push_back({std::move(page), owner});
  GetList().onPagesChanged.Emit();
  return added;
}

void SettingsPages::Remove(SettingsPage* page) {
  auto& entries = GetList().entries;
  const auto found = std::find_if(entries.begin(), entries.end(),
                                  [page](const Entry& entry) { return entry.page.get() == page; });
  if (found == entries.end()) return;
  // Off the list before it goes, so that nobody finds it half deleted.
  std::unique_ptr<SettingsPage> gone = std::move(found->page);
  entries.erase(found);
  gone.reset();
  GetList().onPagesChanged.Emit();
}

void SettingsPages::RemoveOwnedBy(const void* owner) {
  if (!owner) return;
  oxStlVector<SettingsPage*> owned;
  for (const Entry& entry : GetList().entries) {
    if (entry.owner == owner) owned.push_back(entry.page.get());
  }
  for (SettingsPage* page : owned) Remove(page);
}

oxStlVector<SettingsPage*> SettingsPages::GetPages() {
  oxStlVector<SettingsPage*> pages;
  for (const Entry& entry : GetList().entries) pages.push_back(entry.page.get());
  return pages;
}

SettingsPage* SettingsPages::Find(const oxString& name) {
  for (const Entry& entry : GetList().entries) {
    if (entry.page->GetName() == name) return entry.page.get();
  }
  return nullptr;
}

oxVariant SettingsPages::GetValue(const oxString& path) {
  oxString section;
  oxString key;
  SplitPath(path, &section, &key);
  // A field bound to the key knows its type and range.
  for (const Entry& entry : GetList().entries) {
    const auto* fields = dynamic_cast<const FieldsPage*>(entry.page.get());
    if (!fields) continue;
    const oxString& own = fields->GetSection();
    if (path.size() > own.size() && path.compare(0, own.size(), own) == 0 &&
        (own.empty() || path[own.size()] == '/')) {
      const oxString rest = own.empty() ? path : path.substr(own.size() + 1);
      if (fields->HasField(rest)) return fields->GetValue(rest);
    }
  }
  const oxSettings* store = oxapp::Application::Get()->GetSettings()->GetSection(section, false, true);
  return store ? store->Get(key) : oxVariant();
}

void SettingsPages::ReadOutsideChanges() {
  oxapp::Application::Get()->GetSettings()->Sync();
  // A page the user is editing keeps the edits: Apply would write them over
  // the outside change, as the user asked.
  for (SettingsPage* page : GetPages()) {
    if (page->GetWidget() && !page->IsEdited()) page->Load();
  }
  GetList().onChanged.Emit();
}

oxiSignal0<void>& SettingsPages::OnChanged() { return GetList().onChanged; }
oxiSignal0<void>& SettingsPages::OnPagesChanged() { return GetList().onPagesChanged; }

}  // namespace fwg
