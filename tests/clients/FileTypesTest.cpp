// The file types descriptions name: which client opens a file, what the
// dialogs offer, one line for each type a description gets wrong.
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "fwg/clients/FileTypes.h"
#include "platform/fwc/PluginDescription.h"
#include "tests/support/Output.h"

namespace {

std::string Take(fwg::FileTypes& types, const std::string& text, const std::string& file) {
  oxString error;
  const auto description = fwc::PluginDescription::Read(text, "/plugins/" + file, &error);
  EXPECT_TRUE(description) << error;
  return description ? StderrOf([&] { types.AddDescription(*description); }) : error;
}

std::string Clients(const fwg::FileTypes& types) {
  std::string out;
  for (const fwg::FileTypes::Type& type : types.GetTypes()) out += type.mimeType + ">" + type.client + " ";
  return out;
}

TEST(FileTypes, BadOrTakenTypesAreLeftOutWithALineEachAndTheRestIsTaken) {
  fwg::FileTypes types;
  EXPECT_EQ(Take(types, "name = notes\nlibrary = /x.so\nclient = Notes\ntypes = text/plain\n", "notes.plugin"),
            "");
  const std::string lines = Take(types,
                                 "name = other\nlibrary = /y.so\nclient = Other\n"
                                 "types = text/plain, not a type, text/csv, image/x-drawing\n"
                                 "type image/x-drawing = Drawings *.drw\n"
                                 "type image/x-stray = Strays (*.str)\n",
                                 "other.plugin");
  EXPECT_EQ(CountLines(lines), 4) << lines;
  ExpectContains(lines, {"/plugins/other.plugin: file type text/plain is opened by client 'Notes' already",
                         "'not a type' is not a MIME type", "not 'Name (*.suffix ...)'",
                         "the declaration of type 'image/x-stray' names a type"});
  EXPECT_EQ(Clients(types), "text/plain>Notes text/csv>Other ");

  // A type nobody describes is told when the types are first looked at.
  fwg::FileTypes unknown;
  Take(unknown, "name = u\nlibrary = /u.so\nclient = U\ntypes = application/x-nobody-knows\n", "u.plugin");
  ExpectContains(StderrOf([&] { EXPECT_TRUE(unknown.GetTypes().empty()); }),
                 {"u.plugin: file type 'application/x-nobody-knows' is unknown to the MIME database"});
}

TEST(FileTypes, AFileGoesToTheClientNamingItsTypeNearestAndDialogsOfferEveryType) {
  fwg::FileTypes types;
  Take(types, "name = n\nlibrary = /n.so\nclient = Notes\ntypes = text/plain\n", "n.plugin");
  Take(types,
       "name = t\nclient = Tasks\ndeclaration = T.json\nscript = t.js\n"
       "types = text/markdown\ntype text/markdown = Task lists (*.md)\n",
       "t.plugin");
  Take(types,
       "name = s\nlibrary = /s.so\nclient = Sketch\ntypes = application/x-fwg-sketch\n"
       "type application/x-fwg-sketch = Sketches (*.sketch)\n",
       "s.plugin");
  QTemporaryDir dir;
  const auto file = [&dir](const char* name, const char* content) {
    return WriteAll(QDir(dir.path()).filePath(name).toStdString(), content) ? QDir(dir.path()).filePath(name).toStdString() : "";
  };
  oxString type;
  EXPECT_EQ(types.FindClient(file("a.txt", "text\n"), &type), "Notes");
  EXPECT_EQ(type, "text/plain");
  EXPECT_EQ(types.FindClient(file("list.md", "- [ ] bread\n"), &type), "Tasks") << "named exactly";
  EXPECT_EQ(types.FindClient(file("main.cpp", "int main() {}\n")), "Notes") << "text/x-c++src is text";
  EXPECT_EQ(types.FindClient(file("README", "plain words\n")), "Notes") << "told by its content";
  EXPECT_EQ(types.FindClient(file("house.SKETCH", "{}"), &type), "Sketch") << "by the declared pattern";
  EXPECT_EQ(type, "application/x-fwg-sketch");
  EXPECT_EQ(types.FindClient(file("photo.png", "\x89PNG\r\n\x1a\n")), "");

  const QString filters = types.GetOpenFilters();
  EXPECT_TRUE(filters.startsWith("All supported files (*.txt ")) << filters.toStdString();
  EXPECT_TRUE(filters.contains(";;Sketches (*.sketch);;")) << filters.toStdString();
  EXPECT_TRUE(filters.endsWith(";;All files (*)")) << filters.toStdString();
  EXPECT_EQ(types.GetSaveFilters("Sketch"), "Sketches (*.sketch);;All files (*)");
  EXPECT_EQ(types.GetDefaultSuffix("Notes"), "txt");
  EXPECT_EQ(types.GetDefaultSuffix("Nobody"), "");
}

}  // namespace
