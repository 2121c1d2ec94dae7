#include "fwg/shell/FieldsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <charconv>
#include <cstdint>
#include <iostream>

#include "fwg/LibraryTexts.h"
#include "platform/oxapp/Application.h"
#include "platform/settings/oxSettings.h"

namespace fwg {

namespace {

enum class Kind { Bool, Integer, Text, Choice, Font };

struct Field {
  Kind kind = Kind::Text;
  oxString key;
  oxString label;
  oxVariant fallback;
  int64_t min = 0;
  int64_t max = 0;
  oxStlVector<FieldsPage::Choice> choices;
  // On the widget while it lives; a font needs two.
  QPointer<QWidget> editor;
  QPointer<QSpinBox> fontSize;
};

QString Q(const oxString& text) { return QString::fromStdString(text); }

// The label without its mnemonic and colon, for a message.
QString PlainLabel(const oxString& label) {
  QString text = Q(label);
  text.remove(QRegularExpression("&(?!&)"));
  while (text.endsWith(':')) text.chop(1);
  return text.trimmed();
}

bool ReadInteger(const oxString& text, int64_t* number) {
  const oxString trimmed = QString::fromStdString(text).trimmed().toStdString();
  const auto [end, status] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), *number);
  return !trimmed.empty() && status == std::errc() && end == trimmed.data() + trimmed.size();
}

// The stored value as the field's type, or empty when it does not fit.
oxVariant Fit(const Field& field, const oxVariant& stored) {
  using T = oxVariant::Type;
  const T type = stored.GetType();
  switch (field.kind) {
    case Kind::Bool:
      if (type == T::Boolean) return stored;
      if (type == T::String) {  // written by hand: "WordWrap=false"
        const QString text = Q(stored.GetString()).trimmed().toLower();
        if (text == "true" || text == "1") return true;
        if (text == "false" || text == "0") return false;
      }
      return {};
    case Kind::Integer: {
      int64_t number = 0;
      const bool read = type == T::Integer || type == T::Long ? (number = stored.GetLong(), true)
                        : type == T::String                  ? ReadInteger(stored.GetString(), &number)
                                                             : false;
      if (!read || number < field.min || number > field.max) return {};
      return static_cast<long long>(number);
    }
    case Kind::Text:
      return type == T::String ? stored : oxVariant();
    case Kind::Choice:
      if (type != T::String) return {};
      for (const FieldsPage::Choice& choice : field.choices) {
        if (choice.value == stored.GetString()) return stored;
      }
      return {};
    case Kind::Font: {
      QFont font;
      return type == T::String && font.fromString(Q(stored.GetString())) ? stored : oxVariant();
    }
  }
  return {};
}

// Whole numbers are stored as int when they fit, as the program's other
// settings are ("AutosaveSeconds=@int 60").
oxVariant Normal(const oxVariant& value) {
  const oxVariant::Type type = value.GetType();
  if (type != oxVariant::Type::Integer && type != oxVariant::Type::Long) return value;
  const int64_t number = value.GetLong();
  if (number >= INT32_MIN && number <= INT32_MAX) return static_cast<int>(number);
  return static_cast<long long>(number);
}

}  // namespace

struct FieldsPage::Internal {
  oxString section;
  oxStlVector<Field> fields;
  oxStlVector<oxString> notes;

  Field* FindField(const oxString& key) {
    for (Field& field : fields) {
      if (field.key == key) return &field;
    }
    return nullptr;
  }
  // The section holding the field's key, and the key in it.
  oxSettings* Store(const oxString& key, bool create, oxString* name) const {
    oxString path = section.empty() ? key : section + "/" + key;
    const size_t slash = path.rfind('/');
    *name = slash == oxString::npos ? path : path.substr(slash + 1);
    path = slash == oxString::npos ? oxString() : path.substr(0, slash);
    return oxapp::Application::Get()->GetSettings()->GetSection(path, create, true);
  }
  bool Add(FieldsPage* page, Field field) {
    if (FindField(field.key) || field.key.empty()) {
      std::cerr << "fwg: FieldsPage::Add: page '" << page->GetName() << "' has a field '" << field.key
                << "' already\n";
      return false;
    }
    page->AddKeywords({PlainLabel(field.label).toStdString()});
    fields.push_back(std::move(field));
    return true;
  }
};

FieldsPage::FieldsPage(const oxString& name, const oxString& category, const oxString& section)
    : SettingsPage(name, category), internal_(new Internal{section, {}, {}}) {}

FieldsPage::~FieldsPage() { delete internal_; }

void FieldsPage::AddBool(const oxString& key, const oxString& label, bool fallback) {
  internal_->Add(this, {Kind::Bool, key, label, fallback, 0, 0, {}, {}, {}});
}

void FieldsPage::AddInteger(const oxString& key, const oxString& label, int64_t fallback, int64_t min,
                            int64_t max) {
  internal_->Add(this, {Kind::Integer, key, label, static_cast<long long>(fallback), min, max, {}, {}, {}});
}

void FieldsPage::AddText(const oxString& key, const oxString& label, const oxString& fallback) {
  internal_->Add(this, {Kind::Text, key, label, fallback, 0, 0, {}, {}, {}});
}

void FieldsPage::AddChoice(const oxString& key, const oxString& label, const oxStlVector<Choice>& choices,
                           const oxString& fallback) {
  if (!internal_->Add(this, {Kind::Choice, key, label, fallback, 0, 0, choices, {}, {}})) return;
  for (const Choice& choice : choices) AddKeywords({choice.text});
}

void FieldsPage::AddChoice(const oxString& key, const oxString& label, const oxStlVector<oxString>& choices,
                           const oxString& fallback) {
  oxStlVector<Choice> pairs;
  for (const oxString& choice : choices) pairs.push_back({choice, choice});
  AddChoice(key, label, pairs, fallback);
}

void FieldsPage::AddFont(const oxString& key, const oxString& label, const QFont& fallback) {
  internal_->Add(this, {Kind::Font, key, label, fallback.toString().toStdString(), 0, 0, {}, {}, {}});
}

void FieldsPage::AddNote(const oxString& text) {
  internal_->notes.push_back(text);
  AddKeywords({text});
}

const oxString& FieldsPage::GetSection() const { return internal_->section; }

bool FieldsPage::HasField(const oxString& key) const { return internal_->FindField(key) != nullptr; }

oxVariant FieldsPage::GetDefault(const oxString& key) const {
  const Field* field = internal_->FindField(key);
  return field ? field->fallback : oxVariant();
}

oxVariant FieldsPage::GetValue(const oxString& key) const {
  const Field* field = internal_->FindField(key);
  if (!field) return {};
  oxString name;
  const oxSettings* store = internal_->Store(key, false, &name);
  const oxVariant stored = store ? Fit(*field, store->Get(name)) : oxVariant();
  return stored.IsEmpty() ? field->fallback : stored;
}

oxVariant FieldsPage::GetShownValue(const oxString& key) const {
  const Field* field = internal_->FindField(key);
  if (!field || !field->editor) return {};
  switch (field->kind) {
    case Kind::Bool:
      return static_cast<QCheckBox*>(field->editor.data())->isChecked();
    case Kind::Integer: {
      int64_t number = 0;
      const oxString text = static_cast<QLineEdit*>(field->editor.data())->text().toStdString();
      return ReadInteger(text, &number) ? Fit(*field, static_cast<long long>(number)) : oxVariant();
    }
    case Kind::Text:
      return static_cast<QLineEdit*>(field->editor.data())->text().toStdString();
    case Kind::Choice:
      return static_cast<QComboBox*>(field->editor.data())->currentData().toString().toStdString();
    case Kind::Font: {
      QFont font = static_cast<QFontComboBox*>(field->editor.data())->currentFont();
      font.setPointSize(field->fontSize->value());
      return font.toString().toStdString();
    }
  }
  return {};
}

bool FieldsPage::SetShownValue(const oxString& key, const oxVariant& value) {
  Field* field = internal_->FindField(key);
  if (!field || !field->editor) return false;
  using T = oxVariant::Type;
  const T type = value.GetType();
  switch (field->kind) {
    case Kind::Bool:
      if (type != T::Boolean) return false;
      static_cast<QCheckBox*>(field->editor.data())->setChecked(value.GetBoolean());
      break;
    case Kind::Integer:
      // Typed as a person would, in range or not: Check judges it.
      if (type == T::Integer || type == T::Long) {
        static_cast<QLineEdit*>(field->editor.data())->setText(QString::number(value.GetLong()));
      } else if (type == T::String) {
        static_cast<QLineEdit*>(field->editor.data())->setText(Q(value.GetString()));
      } else {
        return false;
      }
      break;
    case Kind::Text:
      if (type != T::String) return false;
      static_cast<QLineEdit*>(field->editor.data())->setText(Q(value.GetString()));
      break;
    case Kind::Choice: {
      auto* box = static_cast<QComboBox*>(field->editor.data());
      const int at = type == T::String ? box->findData(Q(value.GetString())) : -1;
      if (at < 0) return false;
      box->setCurrentIndex(at);
      break;
    }
    case Kind::Font: {
      QFont font;
      if (type != T::String || !font.fromString(Q(value.GetString()))) return false;
      static_cast<QFontComboBox*>(field->editor.data())->setCurrentFont(font);
      field->fontSize->setValue(font.pointSize() > 0 ? font.pointSize() : 10);
      break;
    }
  }
  NoteEdited();
  return true;
}

oxString FieldsPage::Check() const {
  for (const Field& field : internal_->fields) {
    if (field.kind != Kind::Integer || !field.editor) continue;
    if (GetShownValue(field.key).IsEmpty()) {
      return TranslateLibraryQText("%1: enter a whole number from %2 to %3.")
          .arg(PlainLabel(field.label))
          .arg(field.min)
          .arg(field.max)
          .toStdString();
    }
  }
  return {};
}

void FieldsPage::Apply() {
  for (const Field& field : internal_->fields) {
    const oxVariant shown = GetShownValue(field.key);
    // Fields added after the widget was made are not on it; a value left as
    // it was is not written, so that a change made meanwhile outside stays.
    if (shown.IsEmpty() || Normal(shown) == Normal(GetValue(field.key))) continue;
    oxString name;
    oxSettings* store = internal_->Store(field.key, true, &name);
    if (store) store->Set(name, Normal(shown));
  }
}

void FieldsPage::Reset() {
  for (const Field& field : internal_->fields) {
    if (field.editor) SetShownValue(field.key, GetValue(field.key));
  }
}

void FieldsPage::RestoreDefaults() {
  for (const Field& field : internal_->fields) {
    if (field.editor) SetShownValue(field.key, field.fallback);
  }
}

QWidget* FieldsPage::CreateWidget() {
  auto* widget = new QWidget;
  auto* form = new QFormLayout(widget);
  const auto edited = [this] { NoteEdited(); };
  for (Field& field : internal_->fields) {
    const QString label = Q(field.label);
    switch (field.kind) {
      case Kind::Bool: {
        auto* box = new QCheckBox(label);
        QObject::connect(box, &QCheckBox::toggled, widget, edited);
        field.editor = box;
        form->addRow(box);
        continue;
      }
      case Kind::Integer:
      case Kind::Text: {
        auto* edit = new QLineEdit;
        QObject::connect(edit, &QLineEdit::textChanged, widget, edited);
        field.editor = edit;
        break;
      }
      case Kind::Choice: {
        auto* box = new QComboBox;
        for (const Choice& choice : field.choices) box->addItem(Q(choice.text), Q(choice.value));
        QObject::connect(box, &QComboBox::currentIndexChanged, widget, edited);
        field.editor = box;
        break;
      }
      case Kind::Font: {
        auto* family = new QFontComboBox;
        auto* size = new QSpinBox;
        size->setRange(4, 96);
        size->setSuffix(TranslateLibraryQText(" pt"));
        QObject::connect(family, &QFontComboBox::currentFontChanged, widget, edited);
        QObject::connect(size, &QSpinBox::valueChanged, widget, edited);
        field.editor = family;
        field.fontSize = size;
        auto* row = new QHBoxLayout;
        row->addWidget(family, 1);
        row->addWidget(size);
        auto* caption = new QLabel(label);
        caption->setBuddy(family);
        form->addRow(caption, row);
        continue;
      }
    }
    auto* caption = new QLabel(label);
    caption->setBuddy(field.editor);
    form->addRow(caption, field.editor);
  }
  for (const oxString& note : internal_->notes) {
    auto* line = new QLabel(Q(note));
    line->setWordWrap(true);
    form->addRow(line);
  }
  return widget;
}

}  // namespace fwg
