#include "fwg/shell/ProjectTree.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyle>
#include <algorithm>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "fwg/LibraryTexts.h"
#include "fwg/Question.h"
#include "fwg/actions/Action.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/objects/Folder.h"
#include "fwg/objects/Project.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/shell/Gui.h"
#include "fwg/shell/HostCommands.h"
#include "fwg/shell/PropertyEditing.h"
#include "fwg/shell/PropertySheet.h"
#include "fwg/shell/ScriptConsole.h"
#include "platform/oxaw/WidgetManager.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/Model.h"
#include "platform/ui/uiAction.h"

namespace fwg {

namespace {

const char kMimeType[] = "application/x-fwg-objects";
const char kFont[] = "@Font";
const char kParent[] = "@Parent";
const char kName[] = "Name";
const char kDeleteCommand[] = "Fwg_Context_Delete";

bool AskFlag(oxt::Object* object, oxt::Property& p) {
  return object->GetProperty(p) && p.GetValue().GetBoolean();
}

bool AskFlag(oxt::Object* object, const char* name) {
  oxt::Property p(name);
  return AskFlag(object, p);
}

// Whether `parent` refuses a child named `name` besides `object` itself.
bool IsNameTaken(oxt::Object* parent, const oxString& name, const oxt::Object* object) {
  if (!AskFlag(parent, "@NoDuplicateChildNames")) return false;
  const oxStlVector<oxt::Object*>& children = parent->GetChildren();
  return std::any_of(children.begin(), children.end(), [&](const oxt::Object* child) {
    return child != object && child->GetName() == name;
  });
}

// Every application object gets the views in its widget manager as soon
// as its main window exists, so that profiles can dock them by name.
struct Registrar : oxListener<> {
  Registrar() { Gui::OnMainWindowCreated().Connect(this, &Registrar::Register); }
  void Register(uiMainWindow*) {
    oxaw::WidgetManager* manager = oxaw::WidgetManager::Get();
    manager->RegisterWidget(ProjectTree::S_WidgetName(), new oxaw::WidgetCreator<ProjectTree>);
    manager->RegisterWidget(PropertySheet::S_WidgetName(), new oxaw::WidgetCreator<PropertySheet>);
    manager->RegisterWidget(ScriptConsole::S_WidgetName(), new oxaw::WidgetCreator<ScriptConsole>);
  }
};
Registrar g_registrar;

// The rows mirror the object tree in a tree of nodes of their own: the
// model's signals arrive after an object was added (or before it goes), so
// the rows cannot be derived from the live tree while the views need them
// to be announced. A node's object is dereferenced only after checking that
// it is still where the node says (IsLive): objects deleted without being
// announced leave nodes behind until the next change.
class ObjectTreeModel : public QAbstractItemModel, public oxListener<> {
 public:
  explicit ObjectTreeModel(QObject* parent) : QAbstractItemModel(parent) {
    root_.object = oxt::Model::Get()->GetRoot();
    oxt::Model* model = oxt::Model::Get();
    model->OnObjectCreated().Connect(this, &ObjectTreeModel::HandleCreated);
    model->OnObjectsDeleted().Connect(this, &ObjectTreeModel::HandleDeleted);
    model->OnPropertyChanged().Connect(this, &ObjectTreeModel::HandlePropertyChanged);
    ClientObject::OnTitleChanged().Connect(this, [this](ClientObject* document) {
      const auto it = nodes_.find(document);
      if (it == nodes_.end() || dying_.count(document)) return;
      const QModelIndex index = IndexOf(it->second);
      emit dataChanged(index, index, {Qt::DisplayRole});
    });
    Sync(&root_, {});
  }

  // Called with a document whose label turned bold.
  std::function<void(oxt::Object*)> onActivated;

  // True while rows come, go or move: the views' current row may move
  // with them, which is not the user's choice.
  bool IsChanging() const { return changing_ > 0; }

  oxt::Object* GetObject(const QModelIndex& index) const {
    Node* node = GetNode(index);
    return node != &root_ && IsLive(node) ? node->object : nullptr;
  }

  QModelIndex GetIndex(oxt::Object* object) const {
    const auto it = nodes_.find(object);
    return it == nodes_.end() ? QModelIndex() : IndexOf(it->second);
  }

  QModelIndex index(int row, int column, const QModelIndex& parent) const override {
    Node* node = GetNode(parent);
    if (column != 0 || row < 0 || row >= static_cast<int>(node->children.size())) return {};
    return createIndex(row, 0, node->children[row].get());
  }

  QModelIndex parent(const QModelIndex& child) const override {
    Node* node = GetNode(child);
    return node == &root_ ? QModelIndex() : IndexOf(node->parent);
  }

  int rowCount(const QModelIndex& parent) const override {
    return parent.column() > 0 ? 0 : static_cast<int>(GetNode(parent)->children.size());
  }

  int columnCount(const QModelIndex&) const override { return 1; }

  QVariant data(const QModelIndex& index, int role) const override {
    oxt::Object* object = GetObject(index);
    if (!object) return {};
    switch (role) {
      case Qt::DisplayRole:
        // A document as the window title names it; renaming edits the name.
        if (const ClientObject* document = ClientObject::Cast(object)) {
          return QString::fromStdString(document->GetTitle());
        }
        return QString::fromStdString(object->GetName());
      case Qt::EditRole:
        return QString::fromStdString(object->GetName());
      case Qt::FontRole: {
        if (object->GetProperty(oxString(kFont)).GetValue().GetString() != "bold") return {};
        QFont font;
        font.setBold(true);
        return font;
      }
      case Qt::DecorationRole: {
        QStyle* style = QApplication::style();
        if (object->IsA(Project::S_ClassName())) return style->standardIcon(QStyle::SP_DirHomeIcon);
        if (object->IsA(Folder::S_ClassName())) return style->standardIcon(QStyle::SP_DirIcon);
        return style->standardIcon(QStyle::SP_FileIcon);
      }
      default:
        return {};
    }
  }

  // Renaming; refused for an empty name or one the parent already has.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    oxt::Object* object = GetObject(index);
    const oxString name = value.toString().trimmed().toStdString();
    if (!object || role != Qt::EditRole || name.empty()) return false;
    if (name == object->GetName()) return true;
    if (oxt::Object* parent = object->GetParent(); parent && IsNameTaken(parent, name, object)) {
      return false;
    }
    oxt::Property p(kName, name);
    return object->SetProperty(p);
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    oxt::Object* object = GetObject(index);
    if (!object) return Qt::ItemIsDropEnabled;
    Qt::ItemFlags flags =
        Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDropEnabled;
    if (AskFlag(object, "@OkToDrag")) flags |= Qt::ItemIsDragEnabled;
    return flags;
  }

  Qt::DropActions supportedDropActions() const override { return Qt::MoveAction | Qt::CopyAction; }

  QStringList mimeTypes() const override { return {kMimeType}; }

  // The dragged objects by address: drags stay inside this process.
  QMimeData* mimeData(const QModelIndexList& indexes) const override {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    for (const QModelIndex& index : indexes) {
      if (oxt::Object* object = GetObject(index)) stream << quintptr(object);
    }
    auto* data = new QMimeData;
    data->setData(kMimeType, bytes);
    return data;
  }

  bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                       const QModelIndex& parent) const override {
    return !Droppable(data, action, parent).empty();
  }

  bool dropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                    const QModelIndex& parent) override {
    const oxStlVector<oxt::Object*> objects = Droppable(data, action, parent);
    if (objects.empty()) return false;
    oxt::Object* target = parent.isValid() ? GetObject(parent) : root_.object;
    for (oxt::Object* object : objects) {
      if (action == Qt::CopyAction) {
        object->Copy(target);
      } else {
        oxt::Property p(kParent, oxt::Variant(target));
        object->SetProperty(p);
      }
    }
    return true;
  }

 private:
  struct Node {
    oxt::Object* object = nullptr;
    Node* parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;
  };

  Node* GetNode(const QModelIndex& index) const {
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : &root_;
  }

  QModelIndex IndexOf(Node* node) const {
    if (!node || node == &root_) return {};
    const auto& siblings = node->parent->children;
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [node](const auto& sibling) { return sibling.get() == node; });
    return createIndex(static_cast<int>(it - siblings.begin()), 0, node);
  }

  // The node's object is still a child of its parent node's object, all the
  // way up; pointers are only compared until then.
  bool IsLive(const Node* node) const {
    std::vector<const Node*> chain;
    for (const Node* n = node; n && n != &root_; n = n->parent) chain.push_back(n);
    if (root_.object != oxt::Model::Get()->GetRoot()) return false;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      const auto& live = (*it)->parent->object->GetChildren();
      if (std::find(live.begin(), live.end(), (*it)->object) == live.end()) return false;
    }
    return true;
  }

  // The objects of a drop that the target takes: all of them or none.
  oxStlVector<oxt::Object*> Droppable(const QMimeData* data, Qt::DropAction action,
                                      const QModelIndex& parent) const {
    oxt::Object* target = parent.isValid() ? GetObject(parent) : root_.object;
    if (!data || !target || (action != Qt::MoveAction && action != Qt::CopyAction)) return {};
    QByteArray bytes = data->data(kMimeType);
    QDataStream stream(&bytes, QIODevice::ReadOnly);
    oxStlVector<oxt::Object*> objects;
    oxt::Property question("@OkToDrop");
    while (!stream.atEnd()) {
      quintptr address = 0;
      stream >> address;
      const auto it = nodes_.find(reinterpret_cast<oxt::Object*>(address));
      if (it == nodes_.end() || !IsLive(it->second)) return {};
      oxt::Object* object = it->second->object;
      if (object->IsAncestorOf(target) || IsNameTaken(target, object->GetName(), object)) return {};
      objects.push_back(object);
      question.AddValue(oxt::Variant(object));
    }
    if (objects.empty() || !AskFlag(target, question)) return {};
    return objects;
  }

  std::unique_ptr<Node> MakeNode(oxt::Object* object, Node* parent) {
    auto node = std::make_unique<Node>();
    node->object = object;
    node->parent = parent;
    nodes_[object] = node.get();
    for (oxt::Object* child : object->GetChildren()) {
      if (!dying_.count(child)) node->children.push_back(MakeNode(child, node.get()));
    }
    return node;
  }

  void Forget(Node* node) {
    for (const auto& child : node->children) Forget(child.get());
    const auto it = nodes_.find(node->object);
    if (it != nodes_.end() && it->second == node) nodes_.erase(it);
  }

  void RemoveRow(Node* parent, int row) {
    ++changing_;
    beginRemoveRows(IndexOf(parent), row, row);
    Forget(parent->children[row].get());
    parent->children.erase(parent->children.begin() + row);
    endRemoveRows();
    --changing_;
  }

  // Brings the node's rows in line with its (live) object's children:
  // rows of objects gone are removed, rows that moved within the node are
  // moved, new objects get rows with their whole subtree.
  void Sync(Node* node, const QModelIndex& index) {
    oxStlVector<oxt::Object*> live = node->object->GetChildren();
    std::erase_if(live, [this](oxt::Object* object) { return dying_.count(object) > 0; });
    auto& rows = node->children;
    for (int row = static_cast<int>(rows.size()) - 1; row >= 0; --row) {
      if (std::find(live.begin(), live.end(), rows[row]->object) == live.end()) {
        RemoveRow(node, row);
      }
    }
    for (int i = 0; i < static_cast<int>(live.size()); ++i) {
      const auto at = std::find_if(rows.begin() + std::min<std::size_t>(i, rows.size()), rows.end(),
                                   [&](const auto& row) { return row->object == live[i]; });
      const int found = static_cast<int>(at - rows.begin());
      if (found == static_cast<int>(rows.size())) {
        ++changing_;
        beginInsertRows(index, i, i);
        rows.insert(rows.begin() + i, MakeNode(live[i], node));
        endInsertRows();
        --changing_;
        continue;
      }
      if (found != i) {
        ++changing_;
        beginMoveRows(index, found, found, index, i);
        std::unique_ptr<Node> moved = std::move(rows[found]);
        rows.erase(rows.begin() + found);
        rows.insert(rows.begin() + i, std::move(moved));
        endMoveRows();
        --changing_;
      }
      Sync(rows[i].get(), this->index(i, 0, index));
    }
  }

  void HandleCreated(oxt::Object*) {
    // Whatever was announced as going is gone by now; its address may
    // already belong to the new object.
    dying_.clear();
    root_.object = oxt::Model::Get()->GetRoot();
    Sync(&root_, {});
  }

  // The subtree in preorder, still intact: its top rows go.
  void HandleDeleted(const oxStlVector<oxt::Object*>& objects) {
    for (oxt::Object* object : objects) {
      dying_.insert(object);
      const auto it = nodes_.find(object);
      if (it == nodes_.end()) continue;
      Node* node = it->second;
      const QModelIndex index = IndexOf(node);
      RemoveRow(node->parent, index.row());
    }
  }

  void HandlePropertyChanged(oxt::Object* object, oxt::Property& p) {
    if (p.GetName() == kParent) {
      HandleCreated(object);
      return;
    }
    const auto it = nodes_.find(object);
    if (it == nodes_.end() || dying_.count(object)) return;
    const QModelIndex index = IndexOf(it->second);
    emit dataChanged(index, index);
    if (p.GetName() == kFont && p.GetValue().GetString() == "bold" && onActivated) {
      onActivated(object);
    }
  }

  mutable Node root_;
  std::unordered_map<oxt::Object*, Node*> nodes_;
  // Announced as deleted, not yet gone: not to be shown again.
  std::unordered_set<oxt::Object*> dying_;
  int changing_ = 0;
};

}  // namespace

struct ProjectTree::Internal : oxListener<> {
  ProjectTree* owner = nullptr;
  ObjectTreeModel* model = nullptr;
  // Set while the view follows the object model, so that it does not act
  // on its own selection changes.
  bool following = false;
  // Set while a mouse press is handled.
  bool byMouse = false;

  void Select(oxt::Object* object) {
    const QModelIndex index = model->GetIndex(object);
    if (!index.isValid()) return;
    following = true;
    owner->setCurrentIndex(index);
    owner->scrollTo(index);
    following = false;
  }

  // A click on a document activates it; the arrow keys only move the
  // highlight (Enter activates), so the keyboard stays in the tree.
  void HandleCurrentChanged(const QModelIndex& current) {
    if (following || model->IsChanging()) return;
    oxt::Object* object = model->GetObject(current);
    if (!object) return;
    following = true;
    if (ClientObject* document = ClientObject::Cast(object)) {
      if (byMouse) document->Activate();
    } else {
      oxt::CurrentObjects::Get()->SetCurrentObject(object);
      object->EmitSelected();
    }
    following = false;
  }

  // The "A:" entry of an action of the active profile chain, acting on the
  // object: the object is made current before the action runs.
  void AddCommand(QMenu* menu, oxt::Object* object, const oxString& command) {
    if (command == kDeleteCommand) {
      QAction* remove = menu->addAction(TranslateLibraryQText("Delete"));
      remove->setIcon(QApplication::style()->standardIcon(QStyle::SP_TrashIcon));
      QObject::connect(remove, &QAction::triggered, owner, [this, object] {
        if (model->GetIndex(object).isValid()) object->Delete();
      });
      return;
    }
    Profile* profile = ProfileManager::Get()->GetActiveProfile();
    Action* action = profile ? profile->GetAction(command) : nullptr;
    if (!action || !action->GetUiAction()) return;
    const uiAction* source = action->GetUiAction();
    QAction* entry = menu->addAction(source->icon(), source->text());
    entry->setEnabled(source->isEnabled());
    QObject::connect(entry, &QAction::triggered, owner, [this, object, action] {
      if (!model->GetIndex(object).isValid()) return;
      oxt::CurrentObjects::Get()->SetCurrentObject(object);
      action->Activate();
    });
  }

  // The "P:" entry that opens the property's editor under the object's row.
  void AddPropertyEntry(QMenu* menu, oxt::Object* object, const oxString& name) {
    oxt::Property p(name);
    if (!object->GetProperty(p) || p.GetEditorName().empty()) return;
    QAction* entry = menu->addAction(FormatPropertyName(object, name) + QStringLiteral("…"));
    QObject::connect(entry, &QAction::triggered, owner, [this, object, name] {
      const QModelIndex index = model->GetIndex(object);
      if (!index.isValid()) return;
      // The layout chooser counts the views of the current client folder.
      oxt::CurrentObjects::Get()->SetCurrentObject(object);
      const QRect row = owner->visualRect(index);
      const QRect global(owner->viewport()->mapToGlobal(row.topLeft()), row.size());
      OpenPropertyEditor(object, name, owner, global);
    });
  }

  QMenu* MakeContextMenu(oxt::Object* object) {
    oxt::Property entries("@ContextMenu");
    ClientObject* document = ClientObject::Cast(object);
    if (!object->GetProperty(entries) && !document) return nullptr;
    auto* menu = new QMenu(owner);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // Every document can be closed from here.
    if (document) {
      QAction* close = menu->addAction(TranslateLibraryQText("&Close"));
      close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
      QObject::connect(close, &QAction::triggered, owner, [this, document] {
        if (model->GetIndex(document).isValid()) document->Close();
      });
      menu->addSeparator();
    }
    for (const oxt::Variant& value : entries.GetValueList()) {
      const oxString entry = value.GetString();
      if (entry.starts_with("A:")) {
        AddCommand(menu, object, entry.substr(2));
      } else if (entry.starts_with("P:")) {
        AddPropertyEntry(menu, object, entry.substr(2));
      } else if (entry == "S:") {
        menu->addSeparator();  // QMenu hides leading and doubled ones
      }
    }
    GiveLetters(menu->actions());  // a property's name has none: "Layout…"
    return menu;
  }
};

const char* ProjectTree::S_WidgetName() { return "ProjectTree"; }

ProjectTree::ProjectTree(uiWidget* parent, const oxString& name, int)
    : uiWidgetT<QTreeView>(uiImpl(parent)), internal_(new Internal) {
  SetName(name);
  Internal* d = internal_;
  d->owner = this;
  d->model = new ObjectTreeModel(this);
  setModel(d->model);
  header()->hide();
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::MoveAction);
  setDropIndicatorShown(true);
  expandAll();

  d->model->onActivated = [d](oxt::Object* object) { d->Select(object); };
  connect(d->model, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex& parent, int first, int last) {
            if (parent.isValid()) expand(parent);
            for (int row = first; row <= last; ++row)
              expandRecursively(model()->index(row, 0, parent));
          });
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [d](const QModelIndex& current) { d->HandleCurrentChanged(current); });

  if (ClientObject* active = ClientManager::Get()->GetActiveClientObject()) d->Select(active);
}

ProjectTree::~ProjectTree() {
  delete internal_;
  internal_ = nullptr;
}

oxt::Object* ProjectTree::GetObject(const QModelIndex& index) const {
  return internal_->model->GetObject(index);
}

QModelIndex ProjectTree::GetIndex(oxt::Object* object) const {
  return internal_->model->GetIndex(object);
}

void ProjectTree::mousePressEvent(QMouseEvent* event) {
  internal_->byMouse = true;
  QTreeView::mousePressEvent(event);
  internal_->byMouse = false;
}

// Enter activates the highlighted document and hands it the keyboard.
void ProjectTree::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  ClientObject* document = enter ? ClientObject::Cast(GetObject(currentIndex())) : nullptr;
  if (!document || state() == QAbstractItemView::EditingState) {
    QTreeView::keyPressEvent(event);
    return;
  }
  document->Activate();
  HostCommands::FocusDocument(document);
  event->accept();
}

void ProjectTree::contextMenuEvent(QContextMenuEvent* event) {
  oxt::Object* object = GetObject(indexAt(event->pos()));
  QMenu* menu = object ? internal_->MakeContextMenu(object) : nullptr;
  if (!menu || menu->isEmpty()) {
    delete menu;
    return;
  }
  menu->popup(event->globalPos());
  event->accept();
}

}  // namespace fwg
