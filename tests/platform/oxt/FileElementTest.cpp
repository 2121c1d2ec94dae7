#include "platform/oxt/FileElement.h"
#include "platform/oxt/Model.h"
#include "tests/platform/oxt/TestClasses.h"
#include "tests/support/TestBasics.h"

using oxt::FileElement;
using oxttest::Doc;
using oxttest::Folder;
using oxttest::Project;

namespace {

class SessionFile : public ::testing::Test {
 protected:
  void SetUp() override {
    oxttest::RegisterTestClasses();
    ASSERT_TRUE(dir_.isValid());
    sandbox_ = new oxt::Object(oxt::Model::Get()->GetRoot(), "sandbox");
  }
  void TearDown() override { delete sandbox_; }
  oxString PathOf(const char* name) const { return dir_.filePath(name).toStdString(); }

  QTemporaryDir dir_;
  oxt::Object* sandbox_ = nullptr;
};

TEST_F(SessionFile, ObjectTreeRoundTripsThroughAFileWithTypedValues) {
  auto* project = new Project(sandbox_, "Project <1> & \"more\"");
  project->AddProperty(oxt::Property("Layout", 4));
  project->AddProperty(oxt::Property("Created", 1700000000123LL));
  project->AddProperty(oxt::Property("Locked", true));
  project->AddProperty(oxt::Property("Empty", oxt::Variant()));
  project->AddProperty(oxt::Property("Owner", oxt::Variant(sandbox_)));  // pointers stay behind
  auto* folder = new Folder(project, "  spaced  ");
  folder->AddProperty(oxt::Property("Notes", "line one\n\tline two\r\n"));
  folder->AddProperty(oxt::Property("Raw", oxString("ctl\x01 bad\xff utf8 \xc3\xa9", sizeof("ctl\x01 bad\xff utf8 \xc3\xa9") - 1)));
  folder->AddProperty(oxt::Property("Text", ""));
  new Doc(folder, "doc\x02one");
  auto* hidden = new Doc(project, "hidden");
  hidden->AddProperty(oxt::Property("@Persistable", false));
  new Doc(hidden, "lost with its parent");
  auto* last = new Doc(project, "last");
  last->AddProperty(oxt::Property("Count", -7));

  FileElement session("session");
  ASSERT_TRUE(project->Write(&session));
  oxString error;
  ASSERT_TRUE(session.WriteFile(PathOf("a.session"), &error)) << error;

  std::unique_ptr<FileElement> read = FileElement::ReadFile(PathOf("a.session"), &error);
  ASSERT_TRUE(read) << error;
  EXPECT_EQ(read->WriteString(), session.WriteString());
  ASSERT_EQ(read->GetElementList().size(), 1u);
  FileElement* projectElement = read->GetElementList()[0];
  EXPECT_FALSE(projectElement->HasValue("Name"));

  auto* fresh = new oxt::Object(sandbox_, "fresh");
  oxt::Object* created = projectElement->CreateObject(fresh);
  ASSERT_NE(created, nullptr);
  ASSERT_TRUE(created->Read(projectElement));

  // What was left out: the non-persistable subtree and the pointer value.
  hidden->Delete();
  oxString expected = oxttest::DumpTree(project);
  const oxString pointer = " Owner=pointer:";
  ASSERT_NE(expected.find(pointer), oxString::npos);
  expected.erase(expected.find(pointer), pointer.size());
  EXPECT_EQ(oxttest::DumpTree(created), expected);
}

TEST_F(SessionFile, ValuesKeepTheirPositionAndObjectIdentityStaysOutOfThem) {
  FileElement root;
  FileElement* object = root.AddObject(sandbox_);
  object->AddValue("b", 1);
  object->AddValue("a", "x");
  object->AddValue("b", 2);  // replaces in place
  ASSERT_EQ(object->GetValues().size(), 2u);
  EXPECT_EQ(object->GetValues()[0], (std::pair<oxString, oxt::Variant>{"b", 2}));
  EXPECT_TRUE(object->GetValue("missing").IsEmpty());

  (new FileElement(object, "CLIENT", "some text"))->AddValue("type", "Editor");
  oxString error;
  auto back = FileElement::ReadString(root.WriteString(), &error);
  ASSERT_TRUE(back) << error;
  const FileElement* client = back->GetElementList()[0]->GetElementList()[0];
  EXPECT_EQ(client->GetText() + "|" + client->GetValue("type").GetString() + "|" + client->GetObjectClass(),
            "some text|Editor|");
}

struct BrokenCase { const char *label, *xml, *reason; };

void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.label; }

class BrokenSession : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenSession, IsRefusedWithOnePositionedError) {
  const BrokenCase& c = GetParam();
  oxString error;
  // The caller owns the message.
  EXPECT_EQ(StderrOf([&] { EXPECT_EQ(FileElement::ReadString(c.xml, &error), nullptr); }), "");
  EXPECT_NE(error.find(c.reason), oxString::npos) << error;
  EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(error[0]))) << error;
  EXPECT_EQ(CountLines(error), 0);
}

#define SESSION(body) "<session version=\"1\"><element name=\"\">" body "</element></session>"
#define VALUE(type, text) SESSION("<value name=\"a\" type=\"" type "\">" text "</value>")

const BrokenCase kBrokenCases[] = {
    {"Truncated", "<session version=\"1\"><element name=\"\"><value name=\"a\" type=\"int\">3",
     "end of document"},
    {"UnknownType", VALUE("float", "1.5"), "unknown value type 'float'"},
    {"PointerType", VALUE("pointer", "0x1"), "unknown value type 'pointer'"},
    {"BadInteger", VALUE("int", "12abc"), "bad int value"},
    {"IntegerOverflow", VALUE("int", "99999999999"), "bad int value"},
    {"BadBoolean", VALUE("bool", "yes"), "bad bool value"},
    {"BadBase64", SESSION("<value name=\"a\" type=\"string\" encoding=\"base64\">*</value>"), "bad base64"},
    {"UnknownElement", SESSION("<widget/>"), "unexpected element <widget>"},
    {"StrayText", SESSION("hello"), "unexpected text"},
    {"NotASession", "<project/>", "not a session"},
    {"NewerVersion", "<session version=\"9\"/>", "unsupported session version"},
    {"Empty", "", "end of document"},
    {"TwoRoots", "<session><element/><element/></session>", "more than one root"},
    {"NewlineInEchoedInput", VALUE("in&#10;t", "1"), "unknown value type 'in t'"},
    {"LongEchoedInput", VALUE("int", "12345678901234567890123456789012345678901234567890"),
     "value '1234567890123456789012345678901234567890...'"},
    {"Entities", "<!DOCTYPE s [<!ENTITY x \"y\">]><session/>", "not allowed"},
};

INSTANTIATE_TEST_SUITE_P(Inputs, BrokenSession, ::testing::ValuesIn(kBrokenCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(SessionFile, BrokenFileNamesPathLineAndColumnAndWritesReplaceTheWholeFile) {
  const oxString path = PathOf("broken.session");
  ASSERT_TRUE(WriteAll(path, "<session version=\"1\">\n  <element name=\"root\">\n    <value name=\"a\" "));
  oxString error;
  EXPECT_EQ(FileElement::ReadFile(path, &error), nullptr);
  EXPECT_EQ(error.rfind(path + ":3:", 0), 0u) << error;

  const oxString printed = StderrOf([&] { EXPECT_EQ(FileElement::ReadFile(PathOf("gone"), nullptr), nullptr); });
  EXPECT_TRUE(printed.starts_with("fwg: " + PathOf("gone")) && CountLines(printed) == 1) << printed;

  FileElement replacement("new");
  ASSERT_TRUE(replacement.WriteFile(path, &error)) << error;
  EXPECT_EQ(ReadAll(path), replacement.WriteString());
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"broken.session"});
  EXPECT_FALSE(replacement.WriteFile(PathOf("no/such/dir/x.session"), &error));
  EXPECT_EQ(error.rfind(PathOf("no/such/dir/x.session") + ": ", 0), 0u) << error;
}

TEST_F(SessionFile, UnknownClassAnywhereBelowLeavesTheTargetUntouched) {
  auto* project = new Project(sandbox_, "P");
  new Doc(new Folder(project, "F"), "D");
  FileElement session;
  project->Write(&session);
  oxString xml = session.WriteString();
  const auto doc = xml.find("test::Doc");
  ASSERT_NE(doc, oxString::npos);
  xml.replace(doc, strlen("test::Doc"), "test::Gone");
  oxString error;
  auto read = FileElement::ReadString(xml, &error);
  ASSERT_TRUE(read) << error;  // the file itself is sound; the class is missing

  auto* target = new Project(sandbox_, "T");
  target->AddProperty(oxt::Property("Layout", 1));
  FileElement* projectElement = read->GetElementList()[0];
  projectElement->AddValue("Layout", 9);
  const oxString printed = StderrOf([&] { EXPECT_FALSE(target->Read(projectElement)); });
  EXPECT_TRUE(Contains(printed, "test::Gone") && CountLines(printed) == 1) << printed;
  EXPECT_TRUE(target->GetChildren().empty());
  EXPECT_EQ(target->oxt::Object::GetProperty("Layout").GetValue(), oxt::Variant(1));

  FileElement* docElement = projectElement->GetElementList()[0]->GetElementList()[0];
  FileElement plain("CLIENT");
  EXPECT_EQ(CountLines(StderrOf([&] {
              EXPECT_EQ(docElement->CreateObject(target), nullptr);
              EXPECT_EQ(plain.CreateObject(target), nullptr);
            })),
            2);
  EXPECT_TRUE(target->GetChildren().empty());
}

}  // namespace
