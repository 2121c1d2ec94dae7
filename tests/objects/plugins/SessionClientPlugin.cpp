// A client whose documents are of a class the plug-in registers itself and
// keep one piece of content. Built twice: "Sketches" (bytes that XML cannot
// carry) and "Lists" (lines of text).
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientObject.h"
#include "platform/fwc/Plugin.h"
#include "platform/oxt/ClassInfo.h"
#include "platform/oxt/FileElement.h"

namespace {

class Document : public fwg::ClientObject {
 public:
  using fwg::ClientObject::ClientObject;
  oxString ClassName() const override { return SESSIONTEST_CLASS; }
  void WriteContent(oxt::FileElement* element) override { AddContent(element, SESSIONTEST_PIECE, content_); }
  void ReadContent(oxt::FileElement* element) override { GetContent(element, SESSIONTEST_PIECE, &content_); }

 private:
  oxString content_;
};

class DocumentClient : public fwg::Client {
 public:
  DocumentClient() : fwg::Client(SESSIONTEST_CLIENT) {}
  void New() override { (new Document(this, "Untitled", true))->Activate(); }
};

void Load(const fwc::PluginDescription&) {
  auto* info = new oxt::ClassInfo(SESSIONTEST_CLASS);  // lives for the process
  info->SetConstructor([](oxt::Object* parent) -> oxt::Object* { return new Document(parent, {}, true); });
  info->AddBase(fwg::ClientObject::S_ClassName());
  new DocumentClient;  // owned by the client manager
}

}  // namespace

FWC_PLUGIN(Load)
