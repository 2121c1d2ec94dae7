#include "fwg/shell/PropertySheet.h"

#include <QHeaderView>
#include <QTimer>
#include <algorithm>

#include "fwg/LibraryTexts.h"
#include "fwg/shell/PropertyEditing.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/Model.h"
#include "platform/oxt/Object.h"

namespace fwg {

namespace {

const char kName[] = "Name";

// Whether the object is still in the default model's tree: the sheet may
// outlive an object deleted without being announced, and only compares
// the pointer until this says yes.
bool IsInTree(const oxt::Object* object) {
  if (!object) return false;
  const oxStlVector<oxt::Object*> all =
      oxt::Model::Get()->GetRoot()->GetChildren({}, {}, true, false);
  return std::find(all.begin(), all.end(), object) != all.end();
}

// A value on one row: its line breaks marked, so that a text of several
// lines shows more than its first one; the tooltip has it as it is.
QString OneLine(const QString& text) {
  constexpr int kShown = 300;
  QString line = text.left(kShown);
  if (line.endsWith('\n')) line.chop(1);
  line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  line.replace('\n', QStringLiteral(" \u21b5 "));
  return text.size() > kShown ? line + QChar(0x2026) : line;
}

}  // namespace

struct PropertySheet::Internal : oxListener<> {
  PropertySheet* owner = nullptr;
  oxt::Object* object = nullptr;
  bool filling = false;  // the sheet's own changes are not edits

  void Fill() {
    filling = true;
    owner->setRowCount(0);
    oxt::Object* shown = owner->GetObject();
    if (shown) {
      for (const oxString& name : shown->GetPropertyNames()) {
        if (name.starts_with('@')) continue;
        const int row = owner->rowCount();
        owner->insertRow(row);
        auto* key = new QTableWidgetItem(FormatPropertyName(shown, name));
        key->setData(Qt::UserRole, QString::fromStdString(name));
        key->setFlags(Qt::ItemIsEnabled);
        const QString text = FormatPropertyValue(shown, name);
        auto* value = new QTableWidgetItem(OneLine(text));
        value->setToolTip(text.left(1000));
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (name == kName) flags |= Qt::ItemIsEditable;
        value->setFlags(flags);
        owner->setItem(row, 0, key);
        owner->setItem(row, 1, value);
      }
    }
    filling = false;
  }

  oxString NameAt(int row) const {
    const QTableWidgetItem* key = owner->item(row, 0);
    return key ? key->data(Qt::UserRole).toString().toStdString() : oxString();
  }

  // A selection shows the current object: activating a document also
  // selects its project (its frame was activated), while the document
  // stays the current object; a folder picked in a tree becomes current.
  void HandleSelected(const oxStlVector<oxt::Object*>& objects) {
    if (objects.empty()) return;
    oxt::Object* current = oxt::CurrentObjects::Get()->GetCurrentObject();
    owner->SetObject(current ? current : objects.front());
  }

  void HandleChanged(oxt::Object* changed, oxt::Property& p) {
    if (p.GetName() == "@Font" && p.GetValue().GetString() == "bold") {
      owner->SetObject(changed);
    } else if (changed == object && !p.GetName().starts_with('@')) {
      Fill();
    }
  }

  // Content typed or drawn shows in its property once the typing pauses
  // for the event loop: one refill for a burst of changes.
  void HandleModified(oxt::Object* changed) {
    if (changed != object || refillPending) return;
    refillPending = true;
    QTimer::singleShot(0, owner, [this] {
      refillPending = false;
      Fill();
    });
  }
  bool refillPending = false;

  void HandleDeleted(const oxStlVector<oxt::Object*>& objects) {
    if (std::find(objects.begin(), objects.end(), object) != objects.end())
      owner->SetObject(nullptr);
  }

  void HandleEdited(QTableWidgetItem* item) {
    oxt::Object* shown = owner->GetObject();
    if (filling || !shown || item->column() != 1 || NameAt(item->row()) != kName) return;
    const oxString name = item->text().trimmed().toStdString();
    oxt::Property p(kName, name);
    if (name.empty() || !shown->SetProperty(p)) Fill();
  }

  void HandleActivated(int row, int) {
    oxt::Object* shown = owner->GetObject();
    const QTableWidgetItem* value = owner->item(row, 1);
    if (!shown || !value) return;
    const QRect cell = owner->visualItemRect(value);
    OpenPropertyEditor(shown, NameAt(row), owner,
                       QRect(owner->viewport()->mapToGlobal(cell.topLeft()), cell.size()));
  }
};

const char* PropertySheet::S_WidgetName() { return "PropertySheet"; }

PropertySheet::PropertySheet(uiWidget* parent, const oxString& name, int)
    : uiWidgetT<QTableWidget>(uiImpl(parent)), internal_(new Internal) {
  SetName(name);
  Internal* d = internal_;
  d->owner = this;
  setColumnCount(2);
  setHorizontalHeaderLabels({TranslateLibraryQText("Property"), TranslateLibraryQText("Value")});
  horizontalHeader()->setStretchLastSection(true);
  verticalHeader()->hide();
  setWordWrap(false);  // long values are cut, the tooltip has them whole
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  connect(this, &QTableWidget::itemChanged, this,
          [d](QTableWidgetItem* item) { d->HandleEdited(item); });
  // A double click or Return on a row opens the property's editor, if it
  // has one (a double click on the name edits it instead).
  connect(this, &QTableWidget::cellActivated, this,
          [d](int row, int column) { d->HandleActivated(row, column); });
  oxt::Model* model = oxt::Model::Get();
  model->OnObjectsSelected().Connect(d, &Internal::HandleSelected);
  model->OnPropertyChanged().Connect(d, &Internal::HandleChanged);
  model->OnObjectModified().Connect(d, &Internal::HandleModified);
  model->OnObjectsDeleted().Connect(d, &Internal::HandleDeleted);
}

PropertySheet::~PropertySheet() {
  delete internal_;
  internal_ = nullptr;
}

oxt::Object* PropertySheet::GetObject() const {
  return IsInTree(internal_->object) ? internal_->object : nullptr;
}

void PropertySheet::SetObject(oxt::Object* object) {
  internal_->object = object;
  internal_->Fill();
}

}  // namespace fwg
