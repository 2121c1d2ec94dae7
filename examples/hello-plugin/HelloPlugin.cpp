// The smallest useful client: "Hello" makes greetings, documents that show
// one line of text, and its profile puts a Hello menu in the main window
// while a greeting is the active document.
#include <QLabel>
#include <QPointer>
#include <iostream>

#include "fwg/actions/Action.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/objects/ClientFolder.h"
#include "fwg/objects/Project.h"
#include "fwg/profiles/Profile.h"
#include "platform/fwc/Plugin.h"
#include "platform/ui/uiLayoutFrameEx.h"

namespace {

const char kProfile[] = "Hello";

class GreetingView : public uiWidgetT<QLabel> {
  UI_OBJECT(GreetingView, uiWidget)

 public:
  explicit GreetingView(const QString& text) : uiWidgetT<QLabel>(text) {
    setAlignment(Qt::AlignCenter);
  }
};

// A document: its view is shown in its layouter, the frame that stands for
// it in the main window.
class Greeting : public fwg::ClientObject {
 public:
  Greeting(fwg::Client* client, const oxString& name, const QString& text)
      : fwg::ClientObject(client, name, true), view_(new GreetingView(text)) {
    GetLayouter()->AddView(view_);
  }
  ~Greeting() override { delete view_.data(); }

 private:
  QPointer<GreetingView> view_;
};

// Filled at its first activation.
class HelloProfile : public fwg::Profile {
 public:
  HelloProfile() : fwg::Profile(kProfile, {}, "hello") {}

  void Build() override {
    // The menu takes its title from its first action, kept hidden there.
    // Paths name menus as the user reads them: translated, without "&".
    const oxString text = tr({}, "&Hello");
    fwg::Action* title = AddAction("hello.menu", text);
    oxString menu = text;
    std::erase(menu, '&');
    AddMenu(title, menu);
    title->SetVisible(false);

    // A last path component that the menu lacks appends the entry.
    fwg::Action* wave = AddAction("hello.wave", tr({}, "&Wave"), {}, "Ctrl+Shift+H");
    AddMenu(wave, menu + "/wave");
    wave->OnActivate().Connect(this, [] { std::cout << "hello: waving\n" << std::flush; });
  }
};

class HelloClient : public fwg::Client {
 public:
  HelloClient() : fwg::Client("Hello") {
    profile_ = new HelloProfile;  // owned by the client
    AddProfile(profile_);
  }

  // New documents go to the current folder or project, made when there
  // is none.
  void New() override {
    fwg::Project::UseCurrent("Hello");
    const oxString name = "Greeting " + std::to_string(++count_);
    const oxString text = profile_->tr({}, "Hello, world!");
    auto* greeting = new Greeting(this, name, QString::fromStdString(text));
    greeting->SetProfile(kProfile);
    greeting->Activate();
    std::cout << "hello: " << name << ": " << text << "\n" << std::flush;
  }

 private:
  HelloProfile* profile_;
  int count_ = 0;
};

// The profile translates within its name; the description names its
// translation files (TRANSLATIONS in CMakeLists.txt), which the host
// installs before this runs.
void LoadHello(const fwc::PluginDescription&) {
  new HelloClient;  // the client manager owns it
}

}  // namespace

FWC_PLUGIN(LoadHello)
