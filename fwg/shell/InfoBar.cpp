#include "fwg/shell/InfoBar.h"

#include <QBoxLayout>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

#include "fwg/LibraryTexts.h"
#include "fwg/Parts.h"
#include "platform/core/oxDiagnostic.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "platform/ui/uiMainWindow.h"

namespace fwg {

namespace {

// Light enough behind dark text in light and dark styles alike.
QColor Background(InfoBar::Kind kind) {
  switch (kind) {
    case InfoBar::Warning: return {0xff, 0xf1, 0xc2};
    case InfoBar::Error: return {0xf8, 0xd3, 0xd1};
    case InfoBar::Information: break;
  }
  return {0xd8, 0xe8, 0xf8};
}

QStyle::StandardPixmap IconOf(InfoBar::Kind kind) {
  switch (kind) {
    case InfoBar::Warning: return QStyle::SP_MessageBoxWarning;
    case InfoBar::Error: return QStyle::SP_MessageBoxCritical;
    case InfoBar::Information: break;
  }
  return QStyle::SP_MessageBoxInformation;
}

// A document's frame places its panes by hand: it keeps room for the bars
// at its top, so that they push its contents down rather than hide them.
void KeepRoom(QWidget* parent, int height) {
  if (auto* frame = dynamic_cast<uiLayoutFrameEx*>(parent)) frame->SetTopMargin(height);
}

// A vertical box layout of the parent, where a bar goes first.
QBoxLayout* ColumnOf(QWidget* parent) {
  auto* box = qobject_cast<QBoxLayout*>(parent->layout());
  return box && box->direction() == QBoxLayout::TopToBottom ? box : nullptr;
}

}  // namespace

struct InfoBar::Internal {
  Kind kind = Information;
  QLabel* icon = nullptr;
  QLabel* text = nullptr;
  oxStlVector<QPushButton*> buttons;
  // Bars are ordered as they were shown: raise() reorders the parent's
  // children.
  uint64_t shown = 0;
  bool overlay = false;  // laid over the parent rather than in its layout
  bool closed = false;
  QPointer<QWidget> watched;  // a main window's central widget, followed
  oxiSignal0<void> onClosed;
};

InfoBar* InfoBar::Show(const oxString& text, Kind kind, const oxStlVector<Button>& buttons) {
  return Show(FindMainWindow(), text, kind, buttons);
}

InfoBar* InfoBar::Show(QWidget* parent, const oxString& text, Kind kind, const oxStlVector<Button>& buttons) {
  if (!parent) return nullptr;
  auto* bar = new InfoBar(parent, text, kind, buttons);
  bar->show();
  return bar;
}

InfoBar::InfoBar(QWidget* parent, const oxString& text, Kind kind, const oxStlVector<Button>& buttons)
    : QFrame(parent), internal_(new Internal) {
  Internal* d = internal_;
  static uint64_t shownSoFar = 0;
  d->shown = ++shownSoFar;
  d->kind = kind;
  setObjectName("fwgInfoBar");
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Background(kind));
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(8, 4, 4, 4);
  d->icon = new QLabel(this);
  d->icon->setPixmap(style()->standardIcon(IconOf(kind), nullptr, this).pixmap(20, 20));
  d->text = new QLabel(this);
  // Reasons come from the system and from files: never rich text.
  d->text->setTextFormat(Qt::PlainText);
  d->text->setWordWrap(true);
  d->text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  d->text->setText(QString::fromStdString(text));
  row->addWidget(d->icon, 0, Qt::AlignTop);
  row->addWidget(d->text, 1);
  if (buttons.size() > static_cast<size_t>(kMaxButtons)) {
    oxWarn("InfoBar::Show: ", buttons.size(), " buttons; only the first ", kMaxButtons, " are shown");
  }
  for (size_t i = 0; i < buttons.size() && i < static_cast<size_t>(kMaxButtons); ++i) {
    auto* button = new QPushButton(QString::fromStdString(buttons[i].text), this);
    button->setAutoDefault(false);  // Return in a dialog still means the dialog's button
    const std::function<void()> onClick = buttons[i].onClick;
    connect(button, &QPushButton::clicked, this, [this, onClick] {
      Close();  // first: the function may show the next bar
      if (onClick) onClick();
    });
    d->buttons.push_back(button);
    row->addWidget(button, 0, Qt::AlignTop);
  }
  auto* close = new QToolButton(this);
  close->setObjectName("fwgInfoBarClose");
  close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, this));
  close->setAutoRaise(true);
  close->setToolTip(TranslateLibraryQText("Close"));
  close->setAccessibleName(TranslateLibraryQText("Close"));
  connect(close, &QToolButton::clicked, this, [this] { Close(); });
  row->addWidget(close, 0, Qt::AlignTop);

  if (QBoxLayout* column = ColumnOf(parent)) {
    column->insertWidget(static_cast<int>(GetBars(parent).size()) - 1, this);  // below the earlier bars
  } else {
    d->overlay = true;
    parent->installEventFilter(this);
  }
  if (d->overlay) {
    // Placed now, again once the parent has laid itself out, and whenever
    // it changes.
    Place();
    QMetaObject::invokeMethod(this, [this] { Place(); }, Qt::QueuedConnection);
  }
}

InfoBar::~InfoBar() {
  if (internal_->watched) internal_->watched->removeEventFilter(this);
  delete internal_;
}

oxString InfoBar::GetText() const { return internal_->text->text().toStdString(); }

void InfoBar::SetText(const oxString& text) {
  internal_->text->setText(QString::fromStdString(text));
  Place();
}

InfoBar::Kind InfoBar::GetKind() const { return internal_->kind; }

oxStlVector<oxString> InfoBar::GetButtonTexts() const {
  oxStlVector<oxString> texts;
  for (const QPushButton* button : internal_->buttons) texts.push_back(button->text().toStdString());
  return texts;
}

void InfoBar::Close() {
  Internal* d = internal_;
  if (d->closed) return;
  d->closed = true;
  hide();
  d->onClosed.Emit();
  // The bars below move up.
  for (InfoBar* other : GetBars(parentWidget())) other->Place();
  if (GetBars(parentWidget()).empty()) KeepRoom(parentWidget(), 0);
  deleteLater();
}

oxiSignal0<void>& InfoBar::OnClosed() { return internal_->onClosed; }

oxStlVector<InfoBar*> InfoBar::GetBars(const QWidget* parent) {
  oxStlVector<InfoBar*> bars;
  if (!parent) return bars;
  for (QObject* child : parent->children()) {
    auto* bar = dynamic_cast<InfoBar*>(child);
    if (bar && !bar->internal_->closed) bars.push_back(bar);
  }
  std::sort(bars.begin(), bars.end(),
            [](const InfoBar* a, const InfoBar* b) { return a->internal_->shown < b->internal_->shown; });
  return bars;
}

bool InfoBar::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::LayoutRequest:
    case QEvent::Show:
      Place();
      break;
    default:
      break;
  }
  return QFrame::eventFilter(watched, event);
}

// Over a parent without a column: the bar follows the area it lies over
// (a main window's central widget, else the whole parent) and stands below
// the bars made before it.
void InfoBar::Place() {
  Internal* d = internal_;
  QWidget* parent = parentWidget();
  if (!d->overlay || d->closed || !parent) return;
  QRect area = dynamic_cast<uiLayoutFrameEx*>(parent) ? parent->contentsRect() : parent->rect();
  if (auto* window = qobject_cast<QMainWindow*>(parent)) {
    QWidget* central = window->centralWidget();
    if (central != d->watched) {
      if (d->watched) d->watched->removeEventFilter(this);
      d->watched = central;
      if (central) central->installEventFilter(this);
    }
    if (central && !central->geometry().isEmpty()) area = central->geometry();
  }
  int top = area.top();
  for (InfoBar* bar : GetBars(parent)) {
    if (bar == this) break;
    top += bar->height();
  }
  const int height = hasHeightForWidth() ? heightForWidth(area.width()) : sizeHint().height();
  setGeometry(area.left(), top, area.width(), std::max(height, minimumSizeHint().height()));
  raise();
  int room = 0;
  for (const InfoBar* bar : GetBars(parent)) room += bar == this ? this->height() : bar->height();
  KeepRoom(parent, room);
}

}  // namespace fwg
