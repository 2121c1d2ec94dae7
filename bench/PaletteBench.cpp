// The command palette and declared profiles, each against a baseline in the
// same run and window.
//
// Typing: the palette lists kMenus x kEntries = 2,000 commands; every
// iteration is one keystroke (the next letter of a query, or clearing it)
// followed by one round of event processing, so the repaint counts.
//   PaletteKeystroke  the palette itself: fuzzy scoring, ranking, list
//   PaletteFilterOnly the scoring and ranking without widgets
//   QtProxyKeystroke  baseline: QSortFilterProxyModel over a QStringListModel
//                     of the same texts with a "letters in order" regular
//                     expression, in a QTreeView of the same window
//
// Building: a profile of kActions actions, each placed in a menu, its texts
// translated (Profile::tr) in both forms.
//   BuildDeclared / BuildCpp                  reading the JSON and Build(),
//                                             against the same calls in C++
//   BuildDeclaredActivated / BuildCppActivated  the same plus the first
//                                             activation, which makes the menus
//
//   cmake -B build-bench -DFWG_BUILD_BENCH=ON && ninja -C build-bench PaletteBench
//   QT_QPA_PLATFORM=offscreen build-bench/out/bin/PaletteBench
#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QTreeView>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "fwg/actions/Action.h"
#include "fwg/profiles/DeclaredProfile.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileDeclaration.h"
#include "fwg/shell/CommandPalette.h"
#include "fwg/shell/Gui.h"
#include "platform/ui/uiMainWindow.h"

namespace {

constexpr int kMenus = 20;
constexpr int kEntries = 100;
constexpr int kActions = 1000;

// Command texts as an application has them: a verb and one or two nouns.
std::string CommandText(int n) {
  static const char* const kVerbs[] = {"Export", "Import", "Show",   "Hide",  "Toggle",
                                        "Select", "Delete", "Insert", "Align", "Rename",
                                        "Merge",  "Split",  "Copy",   "Paste", "Convert"};
  static const char* const kNouns[] = {"Layer",  "Page",  "Document", "Selection", "Grid",
                                       "Guides", "Ruler", "Comment",  "Bookmark",  "Table",
                                       "Image",  "Shape", "Group",    "Column",    "Row",
                                       "Style",  "Font",  "Color",    "Outline",   "Symbol"};
  std::string text = kVerbs[n % 15];
  text += " ";
  text += kNouns[(n / 15) % 20];
  if (n >= 300) text += std::string(" ") + kNouns[(n / 300 + n) % 20];
  return text + " " + std::to_string(n / 600);
}

// "a12": built by appending, which GCC 12 does not misread at -O3.
std::string Numbered(const char* prefix, int n) {
  std::string name = prefix;
  name += std::to_string(n);
  return name;
}

class CommandsProfile : public fwg::Profile {
 public:
  CommandsProfile() : fwg::Profile("Commands") {}
  void Build() override {
    int n = 0;
    for (int m = 0; m < kMenus; ++m) {
      const oxString menu = Numbered("Menu", m);
      fwg::Action* title = AddAction(menu, menu);
      AddMenu(title, menu);
      title->SetVisible(false);
      for (int e = 0; e < kEntries; ++e, ++n) {
        AddMenu(AddAction(Numbered("c", n), CommandText(n)), menu + "/" + menu);
      }
    }
  }
};

// Typing "export lay" and clearing it, over and over.
const char kQuery[] = "exportlay";

struct PaletteWorld {
  PaletteWorld() {
    gui = new fwg::Gui(0, nullptr);
    gui->GetMainWindow()->resize(1200, 900);
    gui->GetMainWindow()->show();
    (new CommandsProfile)->Activate();
    palette = fwg::CommandPalette::Install();
    palette->Open();
    edit = palette->findChild<QLineEdit*>();
    QCoreApplication::processEvents();
  }
  ~PaletteWorld() { delete gui; }
  QString NextQuery() {
    typed = typed % static_cast<int>(sizeof(kQuery)) + 1;
    return QString::fromLatin1(kQuery, typed % static_cast<int>(sizeof(kQuery)));
  }
  fwg::Gui* gui;
  fwg::CommandPalette* palette;
  QLineEdit* edit;
  int typed = 0;
};

void PaletteKeystroke(benchmark::State& state) {
  PaletteWorld world;
  state.counters["commands"] = static_cast<double>(world.palette->GetListedCommands().size());
  for (auto _ : state) {
    world.edit->setText(world.NextQuery());
    QCoreApplication::processEvents();
  }
}
BENCHMARK(PaletteKeystroke)->Unit(benchmark::kMicrosecond);

void PaletteFilterOnly(benchmark::State& state) {
  PaletteWorld world;
  fwg::PaletteFilter filter;
  filter.SetCommands(fwg::CollectPaletteCommands());
  for (auto _ : state) benchmark::DoNotOptimize(filter.Filter(world.NextQuery()).size());
}
BENCHMARK(PaletteFilterOnly)->Unit(benchmark::kMicrosecond);

void QtProxyKeystroke(benchmark::State& state) {
  PaletteWorld world;
  world.palette->Close();
  QStringList texts;
  for (const fwg::PaletteCommand& command : fwg::CollectPaletteCommands()) {
    texts << command.place + " " + command.text;
  }
  QStringListModel source(texts);
  QSortFilterProxyModel proxy;
  proxy.setSourceModel(&source);
  proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
  auto* view = new QTreeView(world.gui->GetMainWindow());
  view->setUniformRowHeights(true);
  view->setModel(&proxy);
  view->setGeometry(200, 60, 700, 400);
  view->show();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    QString pattern;
    for (const QChar c : world.NextQuery()) pattern += QRegularExpression::escape(c) + ".*";
    proxy.setFilterRegularExpression(
        QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption));
    QCoreApplication::processEvents();
  }
  delete view;
}
BENCHMARK(QtProxyKeystroke)->Unit(benchmark::kMicrosecond);

// The same profile twice: as JSON, and as a Build() written in C++.
QByteArray DeclaredJson() {
  std::string json = R"({"name": "Declared", "actions": [)";
  std::string edits;
  for (int n = 0; n < kActions; ++n) {
    const std::string name = Numbered("a", n);
    const std::string menu = Numbered("Menu", n / 50);
    json += (n ? ",\n" : "\n") + std::string(R"({"name": ")") + name + R"(", "text": ")" +
            CommandText(n) + "\"" + (n % 5 == 0 ? R"(, "checkable": true)" : "") + "}";
    edits += (n ? ",\n" : "\n") + std::string(R"({"op": "add", "menu": ")") + menu +
             R"(", "action": ")" + name + "\"}";
  }
  return QByteArray::fromStdString(json + "],\n\"edits\": [" + edits + "]}");
}

// Translated as the declared profile's texts are, as any profile whose
// menus follow the locale.
class CppProfile : public fwg::Profile {
 public:
  CppProfile() : fwg::Profile("Written") {}
  void Build() override {
    for (int n = 0; n < kActions; ++n) {
      const oxString name = Numbered("a", n);
      fwg::Action* action = AddAction(name, tr({}, CommandText(n)));
      if (n % 5 == 0) action->SetCheckable(true);
    }
    for (int n = 0; n < kActions; ++n) {
      AddMenu(GetAction(Numbered("a", n)), Numbered("Menu", n / 50));
    }
  }
};

template <class Make>
void BuildCase(benchmark::State& state, Make make, bool activate) {
  auto* gui = new fwg::Gui(0, nullptr);
  for (auto _ : state) {
    fwg::Profile* profile = make();
    if (activate) {
      profile->Activate();
    } else {
      profile->Build();
    }
    state.PauseTiming();
    delete gui;  // the menus the activation made go with the window
    gui = new fwg::Gui(0, nullptr);
    state.ResumeTiming();
  }
  delete gui;
}

const QByteArray& Json() {
  static const QByteArray json = DeclaredJson();
  return json;
}

void BuildDeclared(benchmark::State& state) {
  BuildCase(state, [] { return fwg::DeclaredProfile::Read(Json(), "bench.json", {}); }, false);
}
BENCHMARK(BuildDeclared)->Unit(benchmark::kMillisecond);

void BuildCpp(benchmark::State& state) {
  BuildCase(state, [] { return new CppProfile; }, false);
}
BENCHMARK(BuildCpp)->Unit(benchmark::kMillisecond);

void BuildDeclaredActivated(benchmark::State& state) {
  BuildCase(state, [] { return fwg::DeclaredProfile::Read(Json(), "bench.json", {}); }, true);
}
BENCHMARK(BuildDeclaredActivated)->Unit(benchmark::kMillisecond);

void BuildCppActivated(benchmark::State& state) {
  BuildCase(state, [] { return new CppProfile; }, true);
}
BENCHMARK(BuildCppActivated)->Unit(benchmark::kMillisecond);

}  // namespace
