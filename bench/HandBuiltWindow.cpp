// A start-up benchmark's second baseline: the window the demo host shows at
// start with its sample plug-ins, built by hand with Qt alone: the same
// menus, keys, toolbar and icons, the welcome page, the status line, the
// project tree and property sheet docked left and the script console
// docked below, hidden. What the host takes beyond this program is the
// framework's own cost; what this program takes beyond the empty window is
// the cost of the content.
#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "bench/FirstPaint.h"

namespace {

struct Entry {
  const char* text;
  const char* keys;
};

void AddEntries(QMenu* menu, std::initializer_list<Entry> entries) {
  for (const Entry& entry : entries) {
    if (!entry.text) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(QString::fromUtf8(entry.text));
    if (entry.keys) action->setShortcut(QKeySequence(QString::fromLatin1(entry.keys)));
  }
}

QIcon Icon(const char* name) { return QIcon(QStringLiteral(BENCH_SAMPLE_ICONS "/") + name); }

QDockWidget* Dock(QMainWindow* window, const QString& title, QWidget* content,
                  Qt::DockWidgetArea area) {
  auto* dock = new QDockWidget(title, window);
  dock->setObjectName(title);
  auto* stack = new QStackedWidget(dock);
  stack->addWidget(content);
  dock->setWidget(stack);
  window->addDockWidget(area, dock);
  return dock;
}

}  // namespace

int main(int argc, char** argv) {
  LocalMarks::Mark("main");
  QApplication app(argc, argv);
  LocalMarks::Mark("toolkit");
  QMainWindow window;
  window.setWindowTitle("Tavrix");
  window.setGeometry(20, 50, 1000, 800);

  QMenu* file = window.menuBar()->addMenu("&File");
  QMenu* create = file->addMenu(Icon("new.png"), "&New");
  create->addAction(Icon("Notes.png"), "Notes");
  create->addAction(Icon("Sketch.png"), "Sketch");
  create->addAction("Tasks");
  create->addAction("Scratch");
  AddEntries(file, {{"&Save Session", "Ctrl+S"},
                    {"Save Session &As\u2026", "Ctrl+Shift+S"},
                    {"&Open Session\u2026", "Ctrl+O"}});
  file->addMenu("&Recent Sessions");
  AddEntries(file, {{nullptr, nullptr}, {"&Close", "Ctrl+W"}, {"E&xit", "Ctrl+Q"}});
  QMenu* edit = window.menuBar()->addMenu("&Edit");
  QAction* undo = edit->addAction(Icon("undo.png"), "&Undo");
  undo->setShortcut(QKeySequence("Ctrl+Z"));
  QAction* redo = edit->addAction(Icon("redo.png"), "&Redo");
  redo->setShortcut(QKeySequence("Ctrl+Shift+Z"));
  AddEntries(edit, {{nullptr, nullptr},
                    {"Cu&t", "Ctrl+X"},
                    {"&Copy", "Ctrl+C"},
                    {"&Paste", "Ctrl+V"},
                    {"Select &All", "Ctrl+A"}});
  for (QAction* action : edit->actions()) action->setEnabled(false);
  QMenu* view = window.menuBar()->addMenu("&View");
  AddEntries(view, {{"Customize &Toolbars...", nullptr}});
  QMenu* help = window.menuBar()->addMenu("&Help");
  AddEntries(help, {{"&Command Palette...", "Ctrl+Shift+P"},
                    {"&Keyboard Shortcuts...", nullptr},
                    {"&About Tavrix", nullptr}});

  QToolBar* toolBar = window.addToolBar("Main");
  auto* newButton = new QToolButton(toolBar);
  newButton->setIcon(Icon("new.png"));
  newButton->setMenu(create);
  newButton->setPopupMode(QToolButton::MenuButtonPopup);
  toolBar->addWidget(newButton);
  toolBar->addAction(undo);
  toolBar->addAction(redo);

  auto* pages = new QStackedWidget(&window);
  auto* welcome = new QWidget(pages);
  auto* layout = new QVBoxLayout(welcome);
  auto* title = new QLabel("Welcome to Tavrix", welcome);
  QFont font = title->font();
  font.setPointSize(font.pointSize() * 2);
  title->setFont(font);
  layout->addStretch();
  layout->addWidget(title, 0, Qt::AlignCenter);
  layout->addWidget(new QLabel("Choose File > New to make a document.", welcome), 0,
                    Qt::AlignCenter);
  layout->addStretch();
  pages->addWidget(welcome);
  window.setCentralWidget(pages);
  window.statusBar()->showMessage("Ready");

  auto* tree = new QTreeView;
  tree->setModel(new QStandardItemModel(tree));
  tree->setHeaderHidden(true);
  auto* properties = new QTableWidget(0, 2);
  properties->setHorizontalHeaderLabels({"Property", "Value"});
  properties->horizontalHeader()->setStretchLastSection(true);
  properties->verticalHeader()->hide();
  auto* console = new QWidget;
  auto* consoleLayout = new QVBoxLayout(console);
  consoleLayout->addWidget(new QPlainTextEdit(console));
  consoleLayout->addWidget(new QLineEdit(console));
  QDockWidget* projects = Dock(&window, "Projects", tree, Qt::LeftDockWidgetArea);
  QDockWidget* sheet = Dock(&window, "Properties", properties, Qt::LeftDockWidgetArea);
  QDockWidget* scripts = Dock(&window, "Script Console", console, Qt::BottomDockWidgetArea);
  scripts->hide();
  window.splitDockWidget(projects, sheet, Qt::Vertical);
  for (QDockWidget* dock : {projects, sheet, scripts}) view->addAction(dock->toggleViewAction());

  FirstPaint ready(&window, [] { QCoreApplication::quit(); }, &LocalMarks::Report);
  window.show();
  LocalMarks::Mark("shown");
  return app.exec();
}
