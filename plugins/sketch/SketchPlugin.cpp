// The demo's "Sketch" client. Each New() makes a sketch: a document with a
// drawing view. Its profile, SketchEditor, builds on the samples' base
// profile and adds a Sketch menu, a Tools toolbar whose drawing tools are
// one exclusive drop-down group, a Colours dock, a context menu on the
// drawing, and Undo and Redo on the sketch's own undo stack. A sketch is a
// file of its own (a small JSON file, type application/x-fwg-sketch, as the
// plug-in's description declares it) read and written by its SketchFile; a
// sketch without a file keeps its strokes in the session, as the property
// "Strokes".
#include <QButtonGroup>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMouseEvent>
#include <algorithm>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPointer>
#include <QScrollArea>
#include <QToolButton>
#include <QUndoStack>
#include <QWidget>
#include <sstream>
#include <vector>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/clients/Document.h"
#include "fwg/shell/InfoBar.h"
#include "fwg/shell/Tasks.h"
#include "platform/fwc/Plugin.h"
#include "platform/oxaw/WidgetManager.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "plugins/common/SampleProfile.h"

namespace {

const char kProfile[] = "SketchEditor";
const char kStrokes[] = "Strokes";
const char kContextMenu[] = "Sketch";

enum class Tool { Pen, Line, Rectangle, Ellipse };

struct ToolInfo {
  Tool tool;
  char letter;  // in the "Strokes" text, and the tool's shortcut
  const char* name;
  const char* text;
  const char* icon;
};

const ToolInfo kTools[] = {
    {Tool::Pen, 'P', "pen", "&Pen", "pen.png"},
    {Tool::Line, 'L', "line", "&Line", "line.png"},
    {Tool::Rectangle, 'R', "rectangle", "&Rectangle", "rectangle.png"},
    {Tool::Ellipse, 'E', "ellipse", "&Ellipse", "ellipse.png"},
};

struct Stroke {
  Tool tool = Tool::Pen;
  QColor colour;
  std::vector<QPoint> points;  // the pen's path; two corners for the others
};

// "P #ff0000 1,2 3,4;L #000000 5,6 7,8;..."; unreadable strokes are left
// out.
oxString WriteStrokes(const std::vector<Stroke>& strokes) {
  std::ostringstream out;
  for (const Stroke& stroke : strokes) {
    out << kTools[static_cast<int>(stroke.tool)].letter << ' '
        << stroke.colour.name().toStdString();
    for (const QPoint& p : stroke.points) out << ' ' << p.x() << ',' << p.y();
    out << ';';
  }
  return out.str();
}

std::vector<Stroke> ReadStrokes(const oxString& text) {
  std::vector<Stroke> strokes;
  for (const oxString& part : oxSplit(text, ';')) {
    std::istringstream in(part);
    char letter = 0;
    std::string colour;
    in >> letter >> colour;
    Stroke stroke;
    const auto* tool = std::find_if(std::begin(kTools), std::end(kTools),
                                    [letter](const ToolInfo& t) { return t.letter == letter; });
    stroke.colour = QColor(QString::fromStdString(colour));
    if (tool == std::end(kTools) || !stroke.colour.isValid()) continue;
    stroke.tool = tool->tool;
    int x = 0, y = 0;
    char comma = 0;
    while (in >> x >> comma >> y && comma == ',') stroke.points.emplace_back(x, y);
    if (!stroke.points.empty()) strokes.push_back(stroke);
  }
  return strokes;
}

// A pen stroke with each inner point moved to the mean of its neighbours
// within two points, the ends kept; the shapes stay as they are.
Stroke Smooth(const Stroke& stroke) {
  if (stroke.tool != Tool::Pen || stroke.points.size() < 3) return stroke;
  Stroke smooth = stroke;
  const int count = static_cast<int>(stroke.points.size());
  for (int i = 1; i + 1 < count; ++i) {
    QPoint sum;
    int taken = 0;
    for (int j = std::max(0, i - 2); j <= std::min(count - 1, i + 2); ++j, ++taken) sum += stroke.points[j];
    smooth.points[i] = sum / taken;
  }
  return smooth;
}

void DrawStroke(QPainter& p, const Stroke& stroke) {
  p.setPen(QPen(stroke.colour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  const QPoint first = stroke.points.front();
  const QPoint last = stroke.points.back();
  const QRect box = QRect(first, last).normalized();
  switch (stroke.tool) {
    case Tool::Pen:
      p.drawPolyline(stroke.points.data(), static_cast<int>(stroke.points.size()));
      break;
    case Tool::Line:
      p.drawLine(first, last);
      break;
    case Tool::Rectangle:
      p.drawRect(box);
      break;
    case Tool::Ellipse:
      p.drawEllipse(box);
      break;
  }
}

class Sketch;
class SketchClient;

class SketchView : public uiWidgetT<QWidget> {
  UI_OBJECT(SketchView, uiWidget)

 public:
  SketchView(Sketch* sketch, const oxString& name) : sketch_(sketch) {
    SetName(name);
    setMinimumSize(160, 120);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  Sketch* sketch_;
  bool drawing_ = false;
  Stroke current_;
};

// The drawing in a pane of any size: scroll bars where the pane is smaller
// than the drawing, rather than a drawing cut off.
class SketchScroller : public uiWidgetT<QScrollArea> {
  UI_OBJECT(SketchScroller, uiWidget)

 public:
  explicit SketchScroller(SketchView* view) {
    SetName(view->Name());
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setFocusProxy(view);
    setWidget(view);
  }
};

// A sketch owns its view and its undo stack; every change of its strokes
// goes through the stack.
class Sketch : public fwg::ClientObject {
 public:
  Sketch(fwg::Client* client, const oxString& name)
      : fwg::ClientObject(client, name, true), view_(new SketchView(this, name)),
        scroller_(new SketchScroller(view_)) {
    if (uiLayoutFrameEx* layouter = GetLayouter()) layouter->AddView(scroller_);
  }
  // Widgets cannot be deleted once the toolkit application is gone (the
  // object tree may outlive it).
  ~Sketch() override {
    if (QCoreApplication::instance()) delete scroller_.data();
  }

  SketchView* GetView() const { return view_; }
  QUndoStack* GetUndoStack() { return &undo_; }
  // Strokes read from a file: a new history, clean.
  void LoadStrokes(std::vector<Stroke> strokes) {
    undo_.clear();
    SetStrokes(std::move(strokes));
    undo_.setClean();
  }
  const std::vector<Stroke>& GetStrokes() const { return strokes_; }
  SketchClient* GetSketchClient() const;

  void AddStroke(const Stroke& stroke) {
    Change(stroke.points.size() > 1 ? "Draw" : "Dot", [stroke](auto& s) { s.push_back(stroke); });
  }
  void Clear() {
    if (!strokes_.empty()) Change("Clear", [](auto& s) { s.clear(); });
  }
  // Smooths every stroke in the background, one undoable step when done.
  // Strokes drawn meanwhile would be lost by taking the result: then the
  // sketch stays as it is and says so. Closing the sketch cancels the work.
  void SmoothAll(const oxString& title, const oxString& changed) {
    const int at = undo_.index();
    const int steps = undo_.count();
    fwg::Tasks::Start(
        title,
        [strokes = strokes_](fwg::TaskProgress& progress) {
          std::vector<Stroke> smooth;
          progress.SetRange(0, static_cast<int>(strokes.size()));
          for (const Stroke& stroke : strokes) {
            if (progress.IsCanceled()) break;
            smooth.push_back(Smooth(stroke));
            progress.SetValue(static_cast<int>(smooth.size()));
          }
          return smooth;
        },
        [this, at, steps, changed](std::vector<Stroke> smooth) {
          if (undo_.index() != at || undo_.count() != steps) {
            fwg::InfoBar::Show(GetLayouter(), changed, fwg::InfoBar::Warning);
            return;
          }
          Change("Smooth All Strokes", [&smooth](auto& s) { s = std::move(smooth); });
        },
        scroller_.data());
  }

  // A property while the session keeps the strokes; a file keeps its own.
  oxStlVector<oxString> GetPropertyNames() override {
    oxStlVector<oxString> names = fwg::ClientObject::GetPropertyNames();
    if (GetFilePath().empty()) names.push_back(kStrokes);
    return names;
  }
  bool GetProperty(oxt::Property& p) override {
    if (p.GetName() != kStrokes) return fwg::ClientObject::GetProperty(p);
    p.SetValue(WriteStrokes(strokes_));
    return true;
  }
  // A sketch read from a session starts a new history.
  bool SetProperty(oxt::Property& p) override {
    if (p.GetName() != kStrokes) return fwg::ClientObject::SetProperty(p);
    undo_.clear();
    SetStrokes(ReadStrokes(p.GetValue().GetString()));
    EmitModified(p);
    return true;
  }
  using oxt::Object::GetProperty;

 private:
  // One undoable step: the strokes before and after the change.
  class Step : public QUndoCommand {
   public:
    Step(Sketch* sketch, const QString& text, std::vector<Stroke> after)
        : QUndoCommand(text),
          sketch_(sketch),
          before_(sketch->strokes_),
          after_(std::move(after)) {}
    // Each step is a change of the content: the project counts as changed,
    // autosave keeps it and closing the sketch asks first.
    void undo() override { sketch_->Edit(before_); }
    void redo() override { sketch_->Edit(after_); }

   private:
    Sketch* sketch_;
    std::vector<Stroke> before_, after_;
  };

  template <class F>
  void Change(const char* text, F change) {
    std::vector<Stroke> after = strokes_;
    change(after);
    undo_.push(new Step(this, text, std::move(after)));
  }

  void SetStrokes(std::vector<Stroke> strokes) {
    strokes_ = std::move(strokes);
    if (!view_) return;
    // As large as what is drawn, so that all of it can be scrolled to.
    QRect drawn(0, 0, 160, 120);
    for (const Stroke& stroke : strokes_) {
      for (const QPoint& point : stroke.points) drawn |= QRect(point, QSize(12, 12));
    }
    view_->setMinimumSize(drawn.right() + 1, drawn.bottom() + 1);
    view_->update();
  }
  // A sketch's file knows its changes from the undo stack.
  void Edit(std::vector<Stroke> strokes) {
    SetStrokes(std::move(strokes));
    if (GetFilePath().empty()) EmitModified();
  }

  QUndoStack undo_;
  std::vector<Stroke> strokes_;
  QPointer<SketchView> view_;
  QPointer<SketchScroller> scroller_;  // holds the view
};

// A sketch's file: {"format": "fwg-sketch", "version": 1, "strokes": "..."}.
// It holds changes its file lacks while the undo stack is away from where
// the file was read or written.
class SketchFile : public fwg::Document {
 public:
  explicit SketchFile(Sketch* sketch) : sketch_(sketch) {
    QObject::connect(sketch->GetUndoStack(), &QUndoStack::cleanChanged, &guard_,
                     [this](bool) { Changed(); });
  }

  bool Load(const QByteArray& data, oxString* error) override {
    QJsonParseError parse;
    const QJsonObject file = QJsonDocument::fromJson(data, &parse).object();
    if (parse.error != QJsonParseError::NoError || file.value("format").toString() != kFormat) {
      *error = "it is not a sketch file";
      return false;
    }
    if (file.value("version").toInt() > 1) {
      *error = "it was written by a newer version of the sketches";
      return false;
    }
    sketch_->LoadStrokes(ReadStrokes(file.value("strokes").toString().toStdString()));
    return true;
  }
  bool Store(QByteArray* data, oxString*) override {
    const QJsonObject file{{"format", kFormat},
                           {"version", 1},
                           {"strokes", QString::fromStdString(WriteStrokes(sketch_->GetStrokes()))}};
    *data = QJsonDocument(file).toJson();
    return true;
  }
  bool IsModified() const override {
    return fwg::Document::IsModified() || !sketch_->GetUndoStack()->isClean();
  }
  void SetModified(bool modified) override {
    if (!modified) sketch_->GetUndoStack()->setClean();
    fwg::Document::SetModified(modified);
  }

 private:
  static constexpr char kFormat[] = "fwg-sketch";
  Sketch* sketch_;
  QObject guard_;
};

class SketchEditor : public samples::SampleProfile {
 public:
  explicit SketchEditor(SketchClient* client)
      : samples::SampleProfile(kProfile, "sketch"), client_(client) {
    SetTitle(Tr("Sketch editor"));
  }
  void Build() override;
  // Undo and Redo as the active sketch's stack allows.
  void UpdateActions(Sketch* sketch);

 private:
  SketchClient* client_;
  fwg::Action* undo_ = nullptr;
  fwg::Action* redo_ = nullptr;
};

// The Colours dock: a swatch per colour; the checked one is the colour of
// the next stroke.
class Colours : public uiWidgetT<QWidget> {
  UI_OBJECT(Colours, uiWidget)

 public:
  Colours(uiWidget* parent, const oxString& name, SketchClient* client);
};

class SketchClient : public fwg::Client {
 public:
  SketchClient() : fwg::Client("Sketch") {
    samples::EnsureBaseProfile();
    editor_ = new SketchEditor(this);  // owned by the client
    AddProfile(editor_);
    SetDefaultProfile(kProfile);
  }

  void New() override {
    Show(MakeSketch(uiStr(editor_->Tr("Sketch %1")).arg(++count_).toStdString()));
    fwg::Client::New();
  }

  // A sketch of the file, or none when it cannot be read: the framework
  // tells the user why.
  void OpenFile(const oxString& path) override {
    Sketch* sketch = MakeSketch(oxStr(QFileInfo(uiStr(path)).fileName()));
    if (!sketch->GetDocument()->Open(path, nullptr)) {
      sketch->Delete();
      return;
    }
    Show(sketch);
    fwg::Client::OpenFile(path);
  }

  // The whole drawing on one page, as lines rather than pixels, scaled to
  // fit the page (never enlarged past its size on screen) and centred.
  bool Print(fwg::ClientObject* object, QPagedPaintDevice* device) override {
    auto* sketch = dynamic_cast<Sketch*>(object);
    if (!sketch) return fwg::Client::Print(object, device);
    QPainter p(device);
    if (!p.isActive()) return false;
    QRect drawn;
    for (const Stroke& stroke : sketch->GetStrokes())
      for (const QPoint& point : stroke.points) drawn |= QRect(point, QSize(1, 1));
    if (drawn.isEmpty()) return true;  // an empty page, as the sketch is
    drawn.adjust(-3, -3, 3, 3);       // the pen's width
    const QRect page = p.viewport();
    const qreal scale = std::min({1.0 * page.width() / drawn.width(), 1.0 * page.height() / drawn.height(),
                                  device->logicalDpiX() / 96.0});
    p.setRenderHint(QPainter::Antialiasing);
    p.translate((page.width() - drawn.width() * scale) / 2, 0);
    p.scale(scale, scale);
    p.translate(-drawn.topLeft());
    for (const Stroke& stroke : sketch->GetStrokes()) DrawStroke(p, stroke);
    return true;
  }

  static Sketch* GetActiveSketch() {
    return dynamic_cast<Sketch*>(fwg::ClientManager::Get()->GetActiveClientObject());
  }

  Tool GetTool() const { return tool_; }
  void SetTool(Tool tool) { tool_ = tool; }
  QColor GetColour() const { return colour_; }
  void SetColour(const QColor& colour) { colour_ = colour; }
  SketchEditor* GetEditor() const { return editor_; }

 private:
  Sketch* MakeSketch(const oxString& name) {
    samples::UseProject();
    auto* sketch = new Sketch(this, name);
    sketch->SetDocument(new SketchFile(sketch));
    const auto update = [this, sketch] {
      if (GetActiveSketch() == sketch) editor_->UpdateActions(sketch);
    };
    QObject::connect(sketch->GetUndoStack(), &QUndoStack::indexChanged, &guard_, update);
    QObject::connect(sketch->GetUndoStack(), &QUndoStack::cleanChanged, &guard_, update);
    sketch->OnActivate().Connect(editor_, [update](fwg::ClientObject*) { update(); });
    return sketch;
  }
  static void Show(Sketch* sketch) {
    sketch->SetProfile(kProfile);
    sketch->Activate();
  }

  SketchEditor* editor_ = nullptr;
  Tool tool_ = Tool::Pen;
  QColor colour_ = Qt::black;
  int count_ = 0;
  // Ends the connections to the sketches with the client: sketches may
  // outlive it.
  QObject guard_;
};

SketchClient* Sketch::GetSketchClient() const { return dynamic_cast<SketchClient*>(GetClient()); }

void SketchView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), Qt::white);
  for (const Stroke& stroke : sketch_->GetStrokes()) DrawStroke(p, stroke);
  if (drawing_) DrawStroke(p, current_);
}

void SketchView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  SketchClient* client = sketch_->GetSketchClient();
  current_ = {client ? client->GetTool() : Tool::Pen,
              client ? client->GetColour() : Qt::black,
              {event->position().toPoint()}};
  drawing_ = true;
}

void SketchView::mouseMoveEvent(QMouseEvent* event) {
  if (!drawing_) return;
  const QPoint at = event->position().toPoint();
  if (current_.tool == Tool::Pen || current_.points.size() < 2) {
    current_.points.push_back(at);
  } else {
    current_.points.back() = at;
  }
  update();
}

void SketchView::mouseReleaseEvent(QMouseEvent* event) {
  if (!drawing_ || event->button() != Qt::LeftButton) return;
  drawing_ = false;
  // A click without a move draws nothing, so it adds nothing to undo.
  const QPoint first = current_.points.front();
  const bool moved = std::any_of(current_.points.begin(), current_.points.end(),
                                 [first](const QPoint& p) { return p != first; });
  if (moved) sketch_->AddStroke(current_);
  update();
}

void SketchView::contextMenuEvent(QContextMenuEvent* event) {
  if (SketchClient* client = sketch_->GetSketchClient()) {
    client->GetEditor()->PopupContextMenu(kContextMenu, event->globalPos().x(),
                                          event->globalPos().y());
  }
}

Colours::Colours(uiWidget* parent, const oxString& name, SketchClient* client)
    : uiWidgetT<QWidget>(uiImpl(parent)) {
  SetName(name);
  static const std::pair<const char*, QColor> kColours[] = {
      {"Black", Qt::black},
      {"Grey", QColor(128, 128, 128)},
      {"Red", QColor(210, 40, 40)},
      {"Orange", QColor(240, 140, 20)},
      {"Yellow", QColor(240, 210, 0)},
      {"Green", QColor(40, 160, 60)},
      {"Blue", QColor(40, 100, 210)},
      {"Purple", QColor(140, 60, 180)},
  };
  auto* grid = new QGridLayout(this);
  auto* buttons = new QButtonGroup(this);
  int index = 0;
  for (const auto& [text, colour] : kColours) {
    QPixmap swatch(24, 24);
    swatch.fill(colour);
    auto* button = new QToolButton(this);
    button->setIcon(swatch);
    button->setIconSize(swatch.size());
    button->setCheckable(true);
    button->setChecked(colour == client->GetColour());
    button->setToolTip(uiStr(client->GetEditor()->Tr(text)));
    buttons->addButton(button);
    grid->addWidget(button, index / 4, index % 4);
    const QColor chosen = colour;
    QObject::connect(button, &QToolButton::clicked, this,
                     [client, chosen] { client->SetColour(chosen); });
    ++index;
  }
  grid->setRowStretch(2, 1);
}

class ColoursMaker : public oxaw::IWidgetCreator {
 public:
  explicit ColoursMaker(SketchClient* client) : client_(client) {}
  uiWidget* Create(uiWidget* parent, const oxString& name) override {
    return new Colours(parent, name, client_);
  }

 private:
  SketchClient* client_;
};

void SketchEditor::Build() {
  SketchClient* client = client_;

  // The base's Undo and Redo, when the base is there to give them.
  undo_ = ReplaceAction("undo");
  redo_ = ReplaceAction("redo");
  if (undo_) {
    undo_->OnActivate().Connect(this, [] {
      if (Sketch* sketch = SketchClient::GetActiveSketch()) sketch->GetUndoStack()->undo();
    });
  }
  if (redo_) {
    redo_->OnActivate().Connect(this, [] {
      if (Sketch* sketch = SketchClient::GetActiveSketch()) sketch->GetUndoStack()->redo();
    });
  }

  // The tools: one checked at a time, behind one drop-down button whose
  // icon shows the tool in use.
  fwg::ActionGroup* tools = AddActionGroup("tools", Tr("&Tools"), true, "pen.png");
  tools->SetExclusive(true);
  for (const ToolInfo& info : kTools) {
    fwg::Action* tool = AddAction(info.name, Tr(info.text), info.icon, oxString(1, info.letter));
    tool->SetCheckable(true);
    tool->SetChecked(info.tool == client->GetTool());
    tools->AddAction(tool);
    const ToolInfo* picked = &info;
    tool->OnToggle().Connect(this, [client, tools, picked](bool on) {
      if (!on) return;
      client->SetTool(picked->tool);
      tools->SetIcon(picked->icon);
    });
  }
  fwg::Action* clear = AddAction("clear", Tr("&Clear"), "clear.png", "Ctrl+Delete");
  fwg::Action* smooth = AddAction("smooth", Tr("S&mooth All Strokes"));
  smooth->OnActivate().Connect(this, [this] {
    if (Sketch* sketch = SketchClient::GetActiveSketch()) sketch->SmoothAll(Tr("Smoothing strokes"), Tr("The sketch changed while it was smoothed; it was left as it is"));
  });
  clear->OnActivate().Connect(this, [] {
    if (Sketch* sketch = SketchClient::GetActiveSketch()) sketch->Clear();
  });

  // In the menu each tool is an entry of its own: the shortcuts of a
  // drop-down's members are not given and withdrawn with the profile, those
  // of menu entries are.
  const oxString menu = AddTopMenu("sketch", Tr("&Sketch"));
  for (fwg::Action* tool : tools->GetActionList()) {
    AddMenu(tool, menu + "/" + samples::MenuName(tool->GetText()));
  }
  fwg::ActionGroup* clearing = AddActionGroup("clearing", {});
  clearing->AddSeparator();
  clearing->AddAction(smooth);
  clearing->AddAction(clear);
  AddMenu(clearing, menu + "/" + samples::MenuName(clear->GetText()));

  AddToolBar(tools, Tr("Tools"));
  // Clear goes into the base's Main toolbar, while sketches are active only.
  AddToolBarButton(clear, samples::MainToolBar());

  // The drawing's context menu, popped up by the view.
  fwg::ActionGroup* context = AddActionGroup("context", {});
  for (fwg::Action* action : {undo_, redo_}) context->AddAction(action);
  context->AddSeparator();
  context->AddAction(clear);
  AddContextMenu(context, kContextMenu);

  const oxString colours = Tr("Colours");
  RegisterWidget(colours, new ColoursMaker(client));
  AddDock(colours, "RIGHT", "Ctrl+Alt+C");
}

void SketchEditor::UpdateActions(Sketch* sketch) {
  if (!undo_ || !redo_) return;
  undo_->SetEnabled(sketch->GetUndoStack()->canUndo());
  redo_->SetEnabled(sketch->GetUndoStack()->canRedo());
}

// The manager owns the client from its construction on.
void LoadSketch(const fwc::PluginDescription&) { new SketchClient; }

}  // namespace

FWC_PLUGIN(LoadSketch)
