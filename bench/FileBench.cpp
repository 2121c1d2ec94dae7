// Opening the user's files, against what the same work costs with Qt alone
// in the same run.
//
//   OpenFile          File > Open of a 10 MB text file into the demo's note:
//                     the type looked up, the notes asked, the file read,
//                     decoded and shown in the note's QPlainTextEdit (the
//                     document closed again, uncounted)
//   SetPlainText      the same file read and shown with
//                     QPlainTextEdit::setPlainText, the editor made and deleted
//   TypesAtStart/N    the client manager reading N plug-in descriptions of
//                     five file types each, as the host does at start-up
//   NoTypesAtStart/N  the same descriptions without types
//
// At the end the program prints OpenFile against SetPlainText (goal: at
// most 1.5x) and the cost of the types themselves at 500 descriptions
// (goal: under 1 ms).
//
//   cmake -B build -DFWG_BUILD_BENCH=ON && ninja -C build FileBench
//   QT_QPA_PLATFORM=offscreen build/out/bin/FileBench
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "bench/CpuTime.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/clients/FileTypes.h"
#include "fwg/objects/FileCommands.h"
#include "fwg/shell/Gui.h"
#include "platform/fwc/PluginDescription.h"
#include "platform/fwc/PluginManager.h"

namespace {

QTemporaryDir* g_dir = nullptr;
std::map<std::string, double> g_seconds;

template <class Before, class Timed, class After>
void Measure(benchmark::State& state, const std::string& name, Before before, Timed timed, After after) {
  g_seconds[name] = MeasureCpu(state, before, timed, after);
}

// 10 MB of lines of prose.
QString TextFile() {
  const QString path = g_dir->path() + "/large.txt";
  if (!QFile::exists(path)) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    const QByteArray line = "The quick brown fox jumps over the lazy dog, and keeps on running.\n";
    for (qint64 written = 0; written < 10 * 1000 * 1000; written += line.size()) file.write(line);
  }
  return path;
}

// The demo's notes open the file, as in the host: the samples' plug-in
// that extends the host is loaded first, as the host loads it at start-up.
void OpenFile(benchmark::State& state) {
  auto* gui = new fwg::Gui(0, nullptr);
  fwc::PluginManager::Get()->LoadPlugin("samples");
  const oxString path = TextFile().toStdString();
  fwg::ClientObject* document = nullptr;
  Measure(
      state, "OpenFile", [] {}, [&] { document = fwg::FileCommands::Open(path); },
      [&] {
        if (document) document->GetParent()->Delete();
        document = nullptr;
      });
  delete gui;
}

void SetPlainText(benchmark::State& state) {
  const QString path = TextFile();
  std::unique_ptr<QPlainTextEdit> view;
  Measure(
      state, "SetPlainText", [] {},
      [&] {
        view = std::make_unique<QPlainTextEdit>();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        view->setPlainText(QString::fromUtf8(file.readAll()));
      },
      [&] { view.reset(); });
}

// N descriptions, each a client of its own, with five types or none.
std::vector<std::unique_ptr<fwc::PluginDescription>> Descriptions(int count, bool withTypes) {
  std::vector<std::unique_ptr<fwc::PluginDescription>> descriptions;
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    std::string text = "name = p" + n + "\nlibrary = /p" + n + ".so\nclient = C" + n + "\n";
    if (withTypes) {
      text += "types = application/x-a" + n + ", application/x-b" + n + ", application/x-c" + n +
              ", application/x-d" + n + ", application/x-e" + n + "\n";
      text += "type application/x-a" + n + " = Kind " + n + " (*.a" + n + ")\n";
    }
    descriptions.push_back(fwc::PluginDescription::Read(text, "/bench/p" + n + ".plugin", nullptr));
  }
  return descriptions;
}

void ReadTypes(benchmark::State& state, bool withTypes, const char* name) {
  const auto descriptions = Descriptions(int(state.range(0)), withTypes);
  std::unique_ptr<fwg::FileTypes> types;
  Measure(
      state, std::string(name) + "/" + std::to_string(state.range(0)), [&] { types.reset(); },
      [&] {
        types = std::make_unique<fwg::FileTypes>();
        for (const auto& description : descriptions) types->AddDescription(*description);
      },
      [] {});
}

void TypesAtStart(benchmark::State& state) { ReadTypes(state, true, "TypesAtStart"); }
void NoTypesAtStart(benchmark::State& state) { ReadTypes(state, false, "NoTypesAtStart"); }

BENCHMARK(SetPlainText)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(OpenFile)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(NoTypesAtStart)->Arg(500)->Unit(benchmark::kMicrosecond);
BENCHMARK(TypesAtStart)->Arg(500)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  g_dir = &dir;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (g_seconds.count("OpenFile") && g_seconds.count("SetPlainText")) {
    std::printf("OpenFile / SetPlainText: %.2fx (goal: at most 1.5x)\n",
                g_seconds["OpenFile"] / g_seconds["SetPlainText"]);
  }
  if (g_seconds.count("TypesAtStart/500") && g_seconds.count("NoTypesAtStart/500")) {
    std::printf("file types of 500 descriptions at start-up: %.3f ms (goal: under 1 ms)\n",
                (g_seconds["TypesAtStart/500"] - g_seconds["NoTypesAtStart/500"]) * 1000);
  }
  return 0;
}
