// "Jotter": plain text documents and a dock of snippets to insert, made of
// ordinary Qt widgets. A QPlainTextEdit is each document's view and a
// QListWidget the dock; the snippets come from the plug-in's resource
// folder.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QPlainTextEdit>
#include <iostream>

#include "fwg/actions/Action.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/objects/ClientFolder.h"
#include "fwg/objects/Project.h"
#include "fwg/profiles/Profile.h"
#include "platform/fwc/Plugin.h"
#include "platform/oxt/FileElement.h"

namespace {

const char kProfile[] = "Jotter";

// A document whose view is a plain text editor; its text is kept in the
// session.
class Jot : public fwg::ClientObject {
 public:
  Jot(fwg::Client* client, const oxString& name)
      : fwg::ClientObject(client, name, true), editor_(new QPlainTextEdit) {
    SetView(editor_);  // the document owns the editor from now on
    QObject::connect(editor_, &QPlainTextEdit::textChanged, [this] { EmitModified(); });
  }

  QPlainTextEdit* GetEditor() const { return editor_; }

  void WriteContent(oxt::FileElement* element) override {
    AddContent(element, "text", editor_->toPlainText().toStdString());
  }
  void ReadContent(oxt::FileElement* element) override {
    oxString text;
    if (GetContent(element, "text", &text)) editor_->setPlainText(QString::fromStdString(text));
  }

 private:
  QPlainTextEdit* editor_;
};

Jot* GetActiveJot() {
  return dynamic_cast<Jot*>(fwg::ClientManager::Get()->GetActiveClientObject());
}

class JotterProfile : public fwg::Profile {
 public:
  // The third argument names the plug-in: its resource folders are this
  // profile's.
  JotterProfile() : fwg::Profile(kProfile, {}, "jotter") {}

  // The snippets listed in the resource folder's snippets.json.
  QStringList ReadSnippets() const {
    QFile file(QString::fromStdString(GetResource("snippets.json")));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList snippets;
    for (const QJsonValue& value : QJsonDocument::fromJson(file.readAll())["snippets"].toArray()) {
      snippets << value.toString();
    }
    return snippets;
  }

  void Build() override {
    // A menu takes its title from its first action, which stays hidden.
    fwg::Action* title = AddAction("jotter.menu", "&Jotter");
    AddMenu(title, "Jotter");
    title->SetVisible(false);

    fwg::Action* clear = AddAction("jotter.clear", "&Clear", {}, "Ctrl+Shift+K");
    clear->SetStatusTip("Clears the active jot");
    AddMenu(clear, "Jotter/Clear");
    AddToolBar(clear, "Jotter");
    clear->OnActivate().Connect(this, [] {
      if (Jot* jot = GetActiveJot()) jot->GetEditor()->clear();
    });

    // The dock: any Qt widget with a window title, docked in one call.
    auto* list = new QListWidget;
    list->setWindowTitle("Snippets");
    list->addItems(ReadSnippets());
    QObject::connect(list, &QListWidget::itemActivated, [](QListWidgetItem* item) {
      if (Jot* jot = GetActiveJot()) jot->GetEditor()->insertPlainText(item->text() + "\n");
    });
    AddDockWidget(list, "RIGHT");
  }
};

class JotterClient : public fwg::Client {
 public:
  JotterClient() : fwg::Client("Jotter") {
    profile_ = new JotterProfile;  // owned by the client
    AddProfile(profile_);
  }

  // New jots go to the current folder or project, made when there is
  // none.
  void New() override {
    fwg::Project::UseCurrent("Jots");
    const oxString name = "Jot " + std::to_string(++count_);
    auto* jot = new Jot(this, name);
    jot->SetProfile(kProfile);
    jot->Activate();
    std::cout << "jotter: " << name << " with " << profile_->ReadSnippets().size()
              << " snippets\n" << std::flush;
  }

 private:
  JotterProfile* profile_;
  int count_ = 0;
};

void LoadJotter(const fwc::PluginDescription&) { new JotterClient; }  // the manager owns it

}  // namespace

FWC_PLUGIN(LoadJotter)
