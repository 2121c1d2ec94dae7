// Saving and opening sessions, against a bare QXmlStreamWriter/Reader pass
// over an equivalent file in the same run.
//
//   Save/N      Project::SaveSession of a project of N objects
//   BareWrite/N the same XML written from a plain tree with QXmlStreamWriter
//   Open/N      Project::OpenSession of that file, main window shown
//   BareRead/N  QXmlStreamReader building a plain tree from the same file
//   Close/N     deleting the opened project (announced, as a user's close)
//   NestedOpen, NestedClose  a project of kDepth client folders, each inside
//               the one before
//
// A project of N objects is one project holding N/100 client folders of 99
// plain folders each. At the end the program prints the ratios the figures
// are judged by: Save and Open against the bare pass at 10,000 objects, and
// each of them at 100,000 against 10,000.
//
//   cmake -B build -DFWG_BUILD_BENCH=ON && ninja -C build SessionBench
//   QT_QPA_PLATFORM=offscreen build/out/bin/SessionBench
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/CpuTime.h"
#include "fwg/objects/ClientFolder.h"
#include "fwg/objects/Folder.h"
#include "fwg/objects/Project.h"
#include "fwg/shell/Gui.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "platform/ui/uiMainWindow.h"

namespace {

constexpr int kFoldersPerClientFolder = 99;
constexpr int kDepth = 1000;

QTemporaryDir* g_dir = nullptr;
// Mean seconds per iteration of the timed part, by benchmark name.
std::map<std::string, double> g_seconds;

oxString SessionPath(const std::string& name) {
  return (g_dir->path() + "/" + QString::fromStdString(name) + ".session").toStdString();
}

void SetLayout(oxt::Object* folder, int layout) {
  oxt::Property p("Layout", oxt::Variant(layout));
  folder->SetProperty(p);
}

fwg::Project* MakeWideProject(int objects) {
  auto* project = new fwg::Project("Wide");
  project->EmitCreated();
  for (int c = 0; c < objects / (kFoldersPerClientFolder + 1); ++c) {
    auto* folder = new fwg::ClientFolder(project, "Client folder " + std::to_string(c));
    folder->EmitCreated();
    for (int f = 0; f < kFoldersPerClientFolder; ++f) {
      new fwg::Folder(folder, "Folder " + std::to_string(f));
    }
    SetLayout(folder, 1 + c % 12);
  }
  SetLayout(project, 1);
  return project;
}

fwg::Project* MakeDeepProject(int depth) {
  auto* project = new fwg::Project("Deep");
  project->EmitCreated();
  oxt::Object* parent = project;
  for (int d = 0; d < depth; ++d) {
    auto* folder = new fwg::ClientFolder(parent, "Level " + std::to_string(d));
    folder->EmitCreated();
    SetLayout(folder, 1);
    parent = folder;
  }
  return project;
}

void CloseProject(fwg::Project* project) {
  oxt::CurrentObjects::Get()->SetCurrentObject(nullptr);
  project->Delete();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The plain tree of the bare passes: what an element of the file holds.
struct Node {
  QString name, objectClass, objectName;
  std::vector<std::pair<QString, QString>> values;  // name, text
  std::vector<std::unique_ptr<Node>> children;
};

std::unique_ptr<Node> MakeWideTree(int objects) {
  auto object = [](const QString& cls, const QString& name) {
    auto node = std::make_unique<Node>();
    node->name = "OBJECT";
    node->objectClass = cls;
    node->objectName = name;
    return node;
  };
  auto root = std::make_unique<Node>();
  auto project = object("fwg::Project", "Wide");
  project->values.emplace_back("Layout", "1");
  for (int c = 0; c < objects / (kFoldersPerClientFolder + 1); ++c) {
    auto folder = object("fwg::ClientFolder", QString("Client folder %1").arg(c));
    folder->values.emplace_back("Layout", QString::number(1 + c % 12));
    for (int f = 0; f < kFoldersPerClientFolder; ++f) {
      folder->children.push_back(object("fwg::Folder", QString("Folder %1").arg(f)));
    }
    project->children.push_back(std::move(folder));
  }
  root->children.push_back(std::move(project));
  return root;
}

void WriteNode(QXmlStreamWriter& w, const Node& node) {
  w.writeStartElement("element");
  w.writeAttribute("name", node.name);
  if (!node.objectClass.isEmpty()) {
    w.writeAttribute("class", node.objectClass);
    w.writeAttribute("object", node.objectName);
  }
  for (const auto& [name, text] : node.values) {
    w.writeStartElement("value");
    w.writeAttribute("name", name);
    w.writeAttribute("type", "int");
    w.writeCharacters(text);
    w.writeEndElement();
  }
  for (const auto& child : node.children) WriteNode(w, *child);
  w.writeEndElement();
}

void WriteBare(const Node& root, const QString& path) {
  QSaveFile file(path);
  file.open(QIODevice::WriteOnly);
  QXmlStreamWriter w(&file);
  w.setAutoFormatting(true);
  w.setAutoFormattingIndent(2);
  w.writeStartDocument();
  w.writeStartElement("session");
  w.writeAttribute("version", "1");
  WriteNode(w, root);
  w.writeEndElement();
  w.writeEndDocument();
  file.commit();
}

std::unique_ptr<Node> ReadBare(const QString& path) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  QXmlStreamReader r(file.readAll());
  std::unique_ptr<Node> root;
  std::vector<Node*> open;
  while (!r.atEnd()) {
    const QXmlStreamReader::TokenType token = r.readNext();
    if (token == QXmlStreamReader::EndElement) {
      if (r.name() == u"element") open.pop_back();
      continue;
    }
    if (token != QXmlStreamReader::StartElement) continue;
    if (r.name() == u"element") {
      auto node = std::make_unique<Node>();
      const QXmlStreamAttributes a = r.attributes();
      node->name = a.value("name").toString();
      node->objectClass = a.value("class").toString();
      node->objectName = a.value("object").toString();
      Node* raw = node.get();
      if (open.empty()) {
        root = std::move(node);
      } else {
        open.back()->children.push_back(std::move(node));
      }
      open.push_back(raw);
    } else if (r.name() == u"value") {
      const QString name = r.attributes().value("name").toString();
      open.back()->values.emplace_back(name, r.readElementText());
    }
  }
  return root;
}

// Records the mean processor time of the timed part under the name and
// the benchmark's argument.
template <class Before, class Timed, class After>
void Measure(benchmark::State& state, const std::string& name, Before before, Timed timed,
             After after) {
  g_seconds[name + "/" + std::to_string(state.range(0))] = MeasureCpu(state, before, timed, after);
}

void Nothing() {}

// The session the opening benchmarks read, written on first use.
oxString InputPath(const std::string& name, fwg::Project* (*make)(int), int size) {
  const oxString path = SessionPath(name + std::to_string(size));
  if (!QFile::exists(QString::fromStdString(path))) {
    // Made in one go, as reading would.
    uiLayoutFrameEx::HoldArrangement();
    fwg::Project* project = make(size);
    uiLayoutFrameEx::ReleaseArrangement();
    project->SaveSession(path);
    CloseProject(project);
  }
  return path;
}

oxString WidePath(const benchmark::State& state) {
  return InputPath("wide", MakeWideProject, int(state.range(0)));
}

oxString DeepPath(const benchmark::State& state) {
  return InputPath("deep", MakeDeepProject, int(state.range(0)));
}

void Save(benchmark::State& state) {
  uiLayoutFrameEx::HoldArrangement();
  fwg::Project* project = MakeWideProject(int(state.range(0)));
  uiLayoutFrameEx::ReleaseArrangement();
  const oxString path = SessionPath("save" + std::to_string(state.range(0)));
  Measure(state, "Save", Nothing, [&] { project->SaveSession(path); }, Nothing);
  CloseProject(project);
}

void BareWrite(benchmark::State& state) {
  const std::unique_ptr<Node> tree = MakeWideTree(int(state.range(0)));
  const QString path = QString::fromStdString(SessionPath("bare" + std::to_string(state.range(0))));
  Measure(state, "BareWrite", Nothing, [&] { WriteBare(*tree, path); }, Nothing);
}

void BareRead(benchmark::State& state) {
  const QString path = QString::fromStdString(WidePath(state));
  std::unique_ptr<Node> tree;
  Measure(state, "BareRead", Nothing, [&] { tree = ReadBare(path); }, [&] { tree.reset(); });
}

void Open(benchmark::State& state) {
  const oxString path = WidePath(state);
  fwg::Project* project = nullptr;
  Measure(state, "Open", Nothing, [&] { project = fwg::Project::OpenSession(path); },
          [&] { CloseProject(project); });
}

void Close(benchmark::State& state) {
  const oxString path = WidePath(state);
  fwg::Project* project = nullptr;
  Measure(state, "Close", [&] { project = fwg::Project::OpenSession(path); },
          [&] { CloseProject(project); }, Nothing);
}

void NestedOpen(benchmark::State& state) {
  const oxString path = DeepPath(state);
  fwg::Project* project = nullptr;
  Measure(state, "NestedOpen", Nothing, [&] { project = fwg::Project::OpenSession(path); },
          [&] { CloseProject(project); });
}

void NestedClose(benchmark::State& state) {
  const oxString path = DeepPath(state);
  fwg::Project* project = nullptr;
  Measure(state, "NestedClose", [&] { project = fwg::Project::OpenSession(path); },
          [&] { CloseProject(project); }, Nothing);
}

void PrintRatio(const char* what, const std::string& a, const std::string& b) {
  if (!g_seconds.count(a) || !g_seconds.count(b)) return;
  std::printf("%-32s %6.2f  (%s %.1f ms, %s %.1f ms)\n", what, g_seconds[a] / g_seconds[b],
              a.c_str(), g_seconds[a] * 1e3, b.c_str(), g_seconds[b] * 1e3);
}

}  // namespace

BENCHMARK(BareWrite)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(Save)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BareRead)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(Open)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(Close)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(NestedOpen)->Arg(kDepth)->Unit(benchmark::kMillisecond);
BENCHMARK(NestedClose)->Arg(kDepth)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The heap keeps what it once held: otherwise the large cases give their
  // memory back after each round and pay the kernel to fault it in again,
  // which the small ones never do.
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  QTemporaryDir dir;
  g_dir = &dir;
  qputenv("FWG_CONFIG_DIR", dir.path().toUtf8());
  QApplication app(argc, argv);
  auto* gui = new fwg::Gui(0, nullptr);
  gui->GetMainWindow()->show();

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  std::printf("\n");
  PrintRatio("Save vs bare at 10,000", "Save/10000", "BareWrite/10000");
  PrintRatio("Open vs bare at 10,000", "Open/10000", "BareRead/10000");
  PrintRatio("Save 100,000 vs 10,000", "Save/100000", "Save/10000");
  PrintRatio("Open 100,000 vs 10,000", "Open/100000", "Open/10000");
  PrintRatio("Close 100,000 vs 10,000", "Close/100000", "Close/10000");
  PrintRatio("(bare read 100,000 vs 10,000)", "BareRead/100000", "BareRead/10000");
  PrintRatio("(bare write 100,000 vs 10,000)", "BareWrite/100000", "BareWrite/10000");
  for (const char* name : {"NestedOpen/1000", "NestedClose/1000"}) {
    if (g_seconds.count(name)) std::printf("%-32s %6.1f ms\n", name, g_seconds[name] * 1e3);
  }
  delete gui;
  return 0;
}
