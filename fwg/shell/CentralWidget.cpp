#include "fwg/shell/CentralWidget.h"

#include <QPointer>
#include <unordered_map>

#include "fwg/clients/ClientObject.h"
#include "fwg/objects/ClientFolder.h"
#include "fwg/objects/Project.h"
#include "fwg/shell/Gui.h"
#include "fwg/shell/LayoutPropertyEditor.h"
#include "platform/oxaw/PropertyEditorWidgetManager.h"
#include "platform/oxt/Model.h"
#include "platform/signals/oxSignal.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiWidgetStack.h"

namespace fwg {

namespace {

const char kClientObjectClass[] = "fwg::ClientObject";

// The frame a document brings along: its layouter, which stays the
// document's. Null once Qt deleted it with the main window.
uiLayoutFrameEx* GetDocumentFrame(oxt::Object* object) {
  ClientObject* document = ClientObject::Cast(object);
  return document ? document->GetLayouter() : nullptr;
}

}  // namespace

struct CentralWidget::Internal : oxListener<> {
  explicit Internal(CentralWidget* centralWidget) : owner(centralWidget) {}

  CentralWidget* owner;
  uiMainWindow* window = nullptr;
  // Object -> its frame. Frames of projects and client folders are ours, a
  // document's frame is its layouter. Watched, because a document may
  // delete its layouter, and an object deleted without being announced
  // leaves its entry behind.
  struct Entry {
    QPointer<uiLayoutFrameEx> frame;
    bool isDocument = false;  // else the frame is ours
  };
  // Looked up for every object a close deletes: hashed.
  std::unordered_map<oxt::Object*, Entry> frames;
  uiWidgetStack* stack = nullptr;  // owned; the main window's central widget

  // Null for an object without an entry or whose frame is gone.
  uiLayoutFrameEx* GetFrame(oxt::Object* object) const {
    if (!object) return nullptr;
    const auto it = frames.find(object);
    return it == frames.end() ? nullptr : it->second.frame.data();
  }

  uiLayoutFrameEx* AddPage(oxt::Object* object) {
    auto* frame = new uiLayoutFrameEx(stack, object->GetName(), nullptr, true);
    stack->AddWidget(frame, -1);
    stack->RaiseWidget(frame);
    return frame;
  }

  void HandleCreated(oxt::Object* object) {
    if (!object || GetFrame(object)) return;
    uiLayoutFrameEx* parentFrame = GetFrame(object->GetParent());
    uiLayoutFrameEx* frame = nullptr;
    // A project is a client folder too, so it is tested first.
    const bool isProject = object->IsA(Project::S_ClassName());
    if (isProject) {
      frame = AddPage(object);
      frame->HideHeader(true);
    } else if (object->IsA(ClientFolder::S_ClassName())) {
      if (parentFrame) {
        frame = new uiLayoutFrameEx(parentFrame, object->GetName(), parentFrame, true);
        parentFrame->AddView(frame);
        parentFrame->Pagify();
      } else {
        frame = AddPage(object);
      }
    } else if (object->IsA(kClientObjectClass)) {
      frame = GetDocumentFrame(object);
      if (!frame) return;
      // Without a framed parent the layouter stays where its document put it.
      if (parentFrame) {
        frame->SetParent(parentFrame);
        frame->OnActivate().Connect(this, &Internal::HandleFrameActivated);
        parentFrame->Pagify();
      }
    } else {
      return;
    }
    const bool isDocument = !isProject && !object->IsA(ClientFolder::S_ClassName());
    frames[object] = {frame, isDocument};
    // The borders the user drags are the folder's, kept in its session.
    if (!isDocument) frame->OnPaneEdgesChanged().Connect(this, &Internal::HandlePaneEdgesChanged);
    // A project's page is raised but not made the active frame.
    if (!isProject) frame->Activate();
  }

  // A document's tab and header read what the window title reads, "*"
  // after it while its file has changes.
  void ShowTitle(ClientObject* document) {
    uiLayoutFrameEx* frame = document->GetLayouter();
    if (!frame) return;
    const oxString title = document->GetTitle();
    frame->SetCaption(document->IsModified() ? title + "*" : title);
  }

  void HandlePaneEdgesChanged(uiLayoutFrameEx* frame) {
    for (const auto& [object, entry] : frames) {
      if (entry.frame != frame || entry.isDocument) continue;
      oxt::Property sizes("@PaneSizes", frame->GetPaneEdges());
      object->SetProperty(sizes);
      return;
    }
  }

  void HandlePropertyChanged(oxt::Object* object, oxt::Property& p) {
    if (!object) return;
    if (p.GetName() == "@PaneSizes") {
      uiLayoutFrameEx* frame = GetFrame(object);
      const oxString edges = p.GetValue().GetString();
      if (frame && frame->GetPaneEdges() != edges && !edges.empty()) frame->SetPaneEdges(edges);
    }
    if (p.GetName() == "Layout" && object->IsA(ClientFolder::S_ClassName())) {
      // Passed on unchecked: the frame refuses what is not a layout.
      if (uiLayoutFrameEx* frame = GetFrame(object)) {
        frame->Layout(static_cast<uiLayoutFrameEx::FixedLayouts>(p.GetValue().GetInteger()));
      }
    }
    // A renamed object's frame (a document's tab and header) reads the new
    // name, or the document's title.
    if (p.GetName() == "Name") {
      if (ClientObject* document = ClientObject::Cast(object)) return ShowTitle(document);
      if (uiLayoutFrameEx* frame = GetFrame(object)) frame->SetCaption(p.GetValue().GetString());
    }
    if (p.GetName() == "@Parent") {
      auto* parent = static_cast<oxt::Object*>(p.GetValue().GetPointer());
      uiLayoutFrameEx* frame = GetFrame(object);
      uiLayoutFrameEx* parentFrame = GetFrame(parent);
      if (frame && parentFrame) frame->SetParent(parentFrame);
    }
  }

  // The objects arrive as a subtree in preorder, parents before children,
  // while they are still intact; every one but the first goes with its
  // parent. They are handled children first, and our frames are deleted
  // together at the end: no frame is taken out of a frame that goes too,
  // which for a project of thousands of folders, or a deep nest, would
  // cost the square of their number.
  void HandleDeleted(const oxStlVector<oxt::Object*>& objects) {
    if (objects.empty()) return;
    const oxt::Object* top = objects.front();
    const auto parentGoes = [top](const oxt::Object* object) { return object != top; };
    uiLayoutFrameEx::HoldArrangement();
    // Out of sight first, and ready to lose their views: no tab bar then
    // lays its tabs out again for every frame that leaves it.
    for (oxt::Object* object : objects) {
      uiLayoutFrameEx* frame = GetFrame(object);
      if (!frame) continue;
      if (!parentGoes(object)) frame->hide();
      frame->Pagify();
    }
    oxStlVector<uiLayoutFrameEx*> ours;
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
      oxt::Object* object = *it;
      const auto at = frames.find(object);
      if (at == frames.end()) continue;
      const Entry entry = at->second;
      frames.erase(at);
      uiLayoutFrameEx* frame = entry.frame;
      if (!frame) continue;
      oxt::Object* parent = object->GetParent();
      // A frame that goes hands the documents' layouters back itself.
      uiLayoutFrameEx* parentFrame = parentGoes(object) ? nullptr : GetFrame(parent);
      if (parentFrame) parentFrame->RemoveChild(frame);
      if (entry.isDocument) {
        // The layouter goes with its document.
        frame->OnActivate().Disconnect(this, &Internal::HandleFrameActivated);
      } else {
        ours.push_back(frame);
      }
    }
    uiLayoutFrameEx::DeleteFrames(ours);
    uiLayoutFrameEx::ReleaseArrangement();
  }

  void HandleSelected(const oxStlVector<oxt::Object*>& objects) {
    if (objects.size() == 1) owner->ActivateObject(objects.front());
  }

  // A document's frame was activated (clicked into, say): its project
  // becomes the selection of the object model.
  void HandleFrameActivated(uiLayoutFrameEx* frame) {
    oxStlVector<oxt::Object*> projects;
    for (const auto& [object, entry] : frames) {
      if (entry.frame != frame || !entry.isDocument) continue;
      if (oxt::Object* project = object->GetParent(Project::S_ClassName())) {
        projects.push_back(project);
      }
    }
    // Selecting may reach back into this map; emit once the walk is done.
    for (oxt::Object* project : projects) project->EmitSelected();
  }
};

CentralWidget::CentralWidget() : internal_(new Internal(this)) {
  Internal* d = internal_;
  ClientObject::OnTitleChanged().Connect(d, &Internal::ShowTitle);
  oxt::Model* model = oxt::Model::Get();
  model->OnObjectCreated().Connect(d, &Internal::HandleCreated);
  model->OnPropertyChanged().Connect(d, &Internal::HandlePropertyChanged);
  model->OnObjectsDeleted().Connect(d, &Internal::HandleDeleted);
  model->OnObjectsSelected().Connect(d, &Internal::HandleSelected);

  // The "Layout" property names this editor; replaces any earlier one.
  oxaw::PropertyEditorWidgetManager::Get()->RegisterEditor(
      "LayoutEditor", new oxaw::PropertyEditorWidgetManager::EditorCreator<LayoutPropertyEditor>);

  d->window = Gui::Get()->GetMainWindow();
  d->stack = new uiWidgetStack(d->window, "CentralWidget");
  ShowWidget(d->stack);
}

CentralWidget::~CentralWidget() {
  Internal* d = internal_;
  d->DisconnectAllSignals();
  // Pages go with the stack. A frame that sat inside a page is handed back
  // by it rather than deleted, so the client folders' frames are deleted
  // here; documents' layouters are left to their documents.
  delete d->stack;
  for (const auto& [object, entry] : d->frames) {
    if (!entry.isDocument) delete entry.frame.data();
  }
  d->frames.clear();
  delete d;
}

void CentralWidget::ActivateObject(oxt::Object* object) {
  Internal* d = internal_;
  uiLayoutFrameEx* frame = d->GetFrame(object);
  if (!frame) return;
  // The active frame is only brought forward again (a tab turned by hand
  // may hide it); any other is activated.
  frame->Activate();
  oxt::Object* project =
      Project::Cast(object) ? object : object->GetParent(Project::S_ClassName());
  if (!project) return;
  if (uiLayoutFrameEx* page = d->GetFrame(project)) d->stack->RaiseWidget(page);
}

void CentralWidget::ShowDocuments() { ShowWidget(internal_->stack); }

void CentralWidget::ShowWidget(uiWidget* widget) {
  uiMainWindow* window = internal_->window;
  uiWidget* current = window->CentralWidget();
  if (current == widget) return;
  if (current) current->Hide();
  window->SetCentralWidget(widget);
  if (widget) widget->Show();
}

}  // namespace fwg
