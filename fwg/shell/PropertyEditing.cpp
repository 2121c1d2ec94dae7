#include "fwg/shell/PropertyEditing.h"

#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <memory>

#include "fwg/LibraryTexts.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/profiles/Profile.h"
#include "platform/oxapp/Application.h"
#include "platform/oxaw/IconPropertyEditorWidget.h"
#include "platform/oxaw/PropertyEditorWidget.h"
#include "platform/oxaw/PropertyEditorWidgetManager.h"
#include "platform/oxt/Model.h"
#include "platform/oxt/Object.h"

namespace fwg {

namespace {

// The one open editor, with the property it edits (the editor keeps a
// pointer to it) and the object the value goes to. A child of the window it
// was opened from, so that its widget goes while the toolkit still runs.
struct OpenEditor : QObject, oxListener<> {
  OpenEditor(QObject* window, oxt::Object* edited, const oxt::Property& p)
      : QObject(window), object(edited), property(p) {
    oxt::Model::Get()->OnObjectsDeleted().Connect(this, &OpenEditor::HandleDeleted);
  }

  void HandleDeleted(const oxStlVector<oxt::Object*>& objects) {
    if (std::find(objects.begin(), objects.end(), object) == objects.end()) return;
    object = nullptr;
    if (editor) editor->HideEditorWidget();
  }

  void HandleValueChanged(oxt::Property& p) {
    if (!object) return;
    oxt::Property value(p.GetName(), p.GetValue());
    object->SetProperty(value);
  }

  oxt::Object* object;
  oxt::Property property;
  std::unique_ptr<oxaw::PropertyEditorWidget> editor;
};

QPointer<OpenEditor>& CurrentEditor() {
  static QPointer<OpenEditor> current;
  return current;
}

}  // namespace

QString FormatPropertyName(oxt::Object* object, const oxString& name) {
  ClientObject* document = ClientObject::Cast(object);
  Client* client = document ? document->GetClient() : nullptr;
  Profile* profile = client ? client->GetProfile(client->GetDefaultProfile()) : nullptr;
  const oxString translated = profile ? profile->tr({}, name) : name;
  return translated != name ? QString::fromStdString(translated) : TranslateLibraryQText(name.c_str());
}

QString FormatPropertyValue(oxt::Object* object, const oxString& name) {
  oxt::Property p(name);
  if (!object || !object->GetProperty(p)) return {};
  const oxt::Variant& value = p.GetValue();
  // A value chosen from pictures reads as the picture's name ("2 Horizontal");
  // one that no picture has (a folder's layout before any was chosen) as
  // "none", not as a bare number.
  if (!p.GetEditorName().empty()) {
    auto* manager = oxaw::PropertyEditorWidgetManager::Get();
    const std::unique_ptr<oxaw::PropertyEditorWidget> editor(manager->CreateEditor(p.GetEditorName()));
    if (const auto* icons = dynamic_cast<const oxaw::IconPropertyEditorWidget*>(editor.get())) {
      for (const auto& entry : icons->GetIconEntries()) {
        if (entry.value.GetString() == value.GetString()) return QString::fromStdString(entry.label);
      }
      return TranslateLibraryQText("none");
    }
  }
  switch (value.GetType()) {
    case oxt::Variant::Type::Boolean:
      return TranslateLibraryQText(value.GetBoolean() ? "yes" : "no");
    case oxt::Variant::Type::Pointer:
      return value.GetPointer() ? QStringLiteral("…") : QString();
    default:
      return QString::fromStdString(value.GetString());
  }
}

bool OpenPropertyEditor(oxt::Object* object, const oxString& name, QWidget* anchor,
                        const QRect& globalRect) {
  oxt::Property p(name);
  if (!object || !object->GetProperty(p)) return false;
  auto* manager = oxaw::PropertyEditorWidgetManager::Get();
  std::unique_ptr<oxaw::PropertyEditorWidget> editor(manager->CreateEditor(p.GetEditorName()));
  if (!editor) return false;

  // The previous editor goes first: its popup may still be up.
  delete CurrentEditor().data();
  auto* open = new OpenEditor(anchor ? anchor->window() : nullptr, object, p);
  open->editor = std::move(editor);
  oxaw::PropertyEditorWidget* e = open->editor.get();
  e->Init(nullptr, open->property);
  e->SetValue(open->property);
  e->OnValueChanged().Connect(open, &OpenEditor::HandleValueChanged);
  uiWidget* widget = e->CreateEditorWidget(uiRect());
  if (QWidget* popup = uiImpl(widget)) {
    // A popup closes when the user clicks elsewhere, like a menu.
    popup->setWindowFlags(Qt::Popup);
    popup->adjustSize();
    popup->move(globalRect.bottomLeft());
  }
  e->ShowEditorWidget(widget);
  CurrentEditor() = open;
  return true;
}


}  // namespace fwg
