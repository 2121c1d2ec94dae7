// "Mdi": text documents side by side or one in front of the others, as
// many as the user opens. The samples' base profile gives File (New, Open
// File, Save As, Close, Exit), Edit (Undo to Select All, routed to the
// editor with the keyboard) and View; this client adds New Document, its
// own Save (a new document asks for a name) and a Window menu: Tile,
// Cascade, Close All and the list of its documents.
#include <QFileInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <iostream>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/clients/TextDocument.h"
#include "fwg/objects/ClientFolder.h"
#include "fwg/objects/FileCommands.h"
#include "fwg/objects/Project.h"
#include "fwg/profiles/Profile.h"
#include "fwg/shell/Gui.h"
#include "platform/fwc/Plugin.h"
#include "platform/oxt/Property.h"
#include "platform/ui/uiMainWindow.h"

namespace {

const char kProfile[] = "MdiEditor";
const char kClient[] = "Mdi";

// One document: an editor of a text that has a file, or will have one
// once saved ("document1.txt" until then).
class MdiChild : public fwg::ClientObject {
 public:
  MdiChild(fwg::Client* client, const oxString& name) : fwg::ClientObject(client, name, true) {
    editor_ = new QPlainTextEdit;
    SetView(editor_);  // the document owns the editor from now on
    SetDocument(new fwg::TextDocument(editor_->document()));
    // A file's changes are its TextDocument's; a new document's are told
    // here, so that closing it or quitting asks.
    QObject::connect(editor_->document(), &QTextDocument::modificationChanged, editor_,
                     [this](bool changed) {
                       if (GetFilePath().empty()) SetModified(changed);
                     });
  }

  bool IsUntitled() const { return GetFilePath().empty(); }

  // A new document has no file to write to: Save asks for one.
  bool Save() { return IsUntitled() ? fwg::FileCommands::SaveAs(this) : fwg::FileCommands::Save(this); }

  bool ConfirmClose() override {
    const auto answer = QMessageBox::warning(
        editor_, "MDI", QString("'%1' has been modified.\nDo you want to save your changes?")
                            .arg(QString::fromStdString(GetTitle())),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save) return Save();
    return answer == QMessageBox::Discard;
  }

  QPlainTextEdit* GetEditor() const { return editor_; }

 private:
  QPlainTextEdit* editor_;
};

MdiChild* ActiveChild() {
  return dynamic_cast<MdiChild*>(fwg::ClientManager::Get()->GetActiveClientObject());
}

// A menu of the base profile by the hidden action that titles it ("file",
// "view"), as the user reads it in their language.
oxString MenuOf(const fwg::Profile* profile, const oxString& titleAction) {
  oxString name = profile->GetAction(titleAction)->GetText();
  std::erase(name, '&');
  return name;
}

class MdiEditor : public fwg::Profile {
 public:
  explicit MdiEditor(fwg::Client* client) : fwg::Profile(kProfile, "Samples", "mdi"), client_(client) {}

  void Build() override {
    const oxString file = MenuOf(this, "file");

    fwg::Action* create = AddAction("mdi.new", "New &Document", {}, "Ctrl+N");
    create->SetStatusTip("Create a new file");
    create->OnActivate().Connect(this, [this] { client_->New(); });
    AddMenu(create, file + "/" + MenuOf(this, "new"));  // just after File > New

    // The base's Save, on its key and in its places, while a document of
    // ours is active.
    fwg::Action* save = ReplaceAction("File.Save");
    save->SetStatusTip("Save the document to disk");
    save->OnActivate().Connect(this, [] {
      if (MdiChild* child = ActiveChild()) child->Save();
    });

    // The Window menu, between View and Help.
    fwg::Action* title = AddAction("mdi.window", "&Window");
    AddMenu(title, MenuOf(this, "view"));
    title->SetVisible(false);
    const oxString window = "Window";

    fwg::Action* tile = AddAction("mdi.tile", "&Tile");
    tile->SetStatusTip("Tile the windows");
    tile->OnActivate().Connect(this, [this] { Arrange(TileLayout()); });
    AddMenu(tile, window + "/Tile");

    fwg::Action* cascade = AddAction("mdi.cascade", "&Cascade");
    cascade->SetStatusTip("Cascade the windows");
    cascade->OnActivate().Connect(this, [this] { Arrange(fwg::ClientFolder::Full); });
    AddMenu(cascade, window + "/Cascade");

    fwg::Action* closeAll = AddAction("mdi.closeAll", "Close &All");
    closeAll->SetStatusTip("Close all the windows");
    closeAll->OnActivate().Connect(this, [this] {
      for (fwg::ClientObject* document : client_->GetClientObjectsList()) {
        if (!document->Close()) return;  // the user kept this one, and the rest
      }
    });
    fwg::ActionGroup* closing = AddActionGroup("mdi.closing", {});
    closing->AddSeparator();
    closing->AddAction(closeAll);
    AddMenu(closing, window + "/Closing");

    // The documents, made afresh each time the menu opens.
    AddActionList("mdi.windows", "&Documents", window + "/Documents", [this] {
      oxStlVector<fwg::Profile::ListEntry> entries;
      const fwg::ClientObject* active = fwg::ClientManager::Get()->GetActiveClientObject();
      int number = 0;
      for (fwg::ClientObject* document : client_->GetClientObjectsList()) {
        ++number;  // "&1 document1.txt": the digit is the mnemonic, up to 9
        const oxString text = (number < 10 ? "&" : "") + std::to_string(number) + " " + document->GetTitle();
        entries.push_back({text, document == active, [document] { document->Activate(); }});
      }
      return entries;
    });
  }

 private:
  // As many panes as there are documents, up to six.
  fwg::ClientFolder::Layout TileLayout() const {
    switch (client_->GetClientObjectsList().size()) {
      case 0:
      case 1: return fwg::ClientFolder::Full;
      case 2: return fwg::ClientFolder::TwoHorizontal;
      case 3: return fwg::ClientFolder::ThreeHorizontal;
      case 4: return fwg::ClientFolder::TwoByTwo;
      default: return fwg::ClientFolder::ThreeByTwo;
    }
  }

  // The layout of the folder or project the active document is in.
  static void Arrange(fwg::ClientFolder::Layout layout) {
    MdiChild* child = ActiveChild();
    if (!child || !child->GetParent()) return;
    oxt::Property property("Layout", static_cast<int>(layout));
    child->GetParent()->SetProperty(property);
  }

  fwg::Client* client_;
};

class MdiClient : public fwg::Client {
 public:
  MdiClient() : fwg::Client(kClient) {
    AddProfile(new MdiEditor(this));  // the client owns it
    SetDefaultProfile(kProfile);
  }

  void New() override {
    MdiChild* child = Make("document" + std::to_string(++count_) + ".txt");
    Show(child);
    std::cout << "mdi: " << child->GetName() << "\n" << std::flush;
  }

  // A document for the file, or none when it cannot be read: the framework
  // then tells the user why.
  void OpenFile(const oxString& path) override {
    MdiChild* child = Make(QFileInfo(QString::fromStdString(path)).fileName().toStdString());
    if (!child->GetDocument()->Open(path, nullptr)) {
      child->Delete();
      return;
    }
    Show(child);
    std::cout << "mdi: opened " << child->GetTitle() << " (" << child->GetEditor()->blockCount()
              << " lines)\n" << std::flush;
  }

 private:
  MdiChild* Make(const oxString& name) {
    fwg::Project::UseCurrent("Documents");
    return new MdiChild(this, name);
  }
  static void Show(MdiChild* child) {
    child->SetProfile(kProfile);
    child->Activate();
  }

  int count_ = 0;
};

void LoadMdi(const fwc::PluginDescription&) { new MdiClient; }  // the client manager owns it

}  // namespace

FWC_PLUGIN(LoadMdi)
