// A frame that shows views (widgets) tiled in one of twelve fixed layouts,
// under an optional caption header. The user drags the borders between the
// panes to share the room otherwise; a new layout shares it evenly again. Frames nest: a frame can be a view of
// another frame. One frame in the process is the active one; clicking or
// focusing inside a frame makes the innermost frame there active.
//
// Ownership: the frame shows its views but does not own them. A view that
// is removed, or whose frame is deleted, is handed back hidden and without
// a Qt parent, so each view dies with whoever created it.
//
// Arranging (building the panes and putting the views into them) is done
// when it is seen: at once for a frame on screen, otherwise when the frame
// is first shown or asked where a view is. A caller that changes many
// frames at once (reading a session, closing a project) holds arrangement
// meanwhile, so that each frame is arranged once, at the end, and only if
// it is on screen by then.
#pragma once

#include <QFrame>

class QTabWidget;

#include "platform/signals/oxSignal.h"
#include "platform/ui/uiWidget.h"

class uiLayoutFrameEx : public uiWidgetT<QFrame> {
  UI_OBJECT(uiLayoutFrameEx, uiWidget)

 public:
  // Panes are numbered in reading order of their top-left corners. As in
  // Qt, "Vertical" stacks panes top to bottom and "Horizontal" places them
  // side by side; "N By M" is N columns by M rows; a "Split" layout splits
  // the named side in two.
  //
  //   Full  2 Vertical  2 Horizontal  3 Vertical  3 Horizontal
  //   +---+   +---+       +-+-+        +---+        +-+-+-+
  //   | 0 |   | 0 |       |0|1|        | 0 |        |0|1|2|
  //   |   |   +---+       | | |        +---+        | | | |
  //   |   |   | 1 |       | | |        | 1 |        | | | |
  //   +---+   +---+       +-+-+        +---+        +-+-+-+
  //                                    | 2 |
  //                                    +---+
  //   Split Left  Split Right  Split Top  Split Bottom  2 x 2   2 By 3  3 By 2
  //   +-+-+       +-+-+        +-+-+      +---+         +-+-+   +-+-+   +-+-+-+
  //   |0| |       | |1|        |0|1|      | 0 |         |0|1|   |0|1|   |0|1|2|
  //   +-+1|       |0+-+        +-+-+      +-+-+         +-+-+   +-+-+   +-+-+-+
  //   |2| |       | |2|        | 2 |      |1|2|         |2|3|   |2|3|   |3|4|5|
  //   +-+-+       +-+-+        +---+      +-+-+         +-+-+   +-+-+   +-+-+-+
  //                                                             |4|5|
  //                                                             +-+-+
  enum FixedLayouts {
    Full = 1,
    TwoVertical = 2,
    TwoHorizontal = 3,
    ThreeVertical = 4,
    ThreeHorizontal = 5,
    SplitLeft = 6,
    SplitRight = 7,
    SplitTop = 8,
    SplitBottom = 9,
    TwoByTwo = 10,
    TwoByThree = 11,
    ThreeByTwo = 12,
  };

  // The frame that is active now, or null. Cleared when it is deleted.
  static uiLayoutFrameEx* m_pActiveInstance;

  // While a hold is in force, frames only note that they need arranging.
  // Releasing the last hold arranges the noted frames that are on screen;
  // the others wait until they are shown. Holds nest.
  static void HoldArrangement();
  static void ReleaseArrangement();

  // `parentWidget` is the Qt parent until the frame is shown inside
  // another frame. With a `parentFrame` the new frame becomes one of its
  // views. `showHeader` decides whether the caption header starts visible.
  uiLayoutFrameEx(uiWidget* parentWidget, const oxString& name, uiLayoutFrameEx* parentFrame,
                  bool showHeader);
  // Hands the views back (see above) and stops being active.
  ~uiLayoutFrameEx() override;
  // Deletes the frames together, as deleting each in the order given
  // would, except that a frame's views that are among them are not handed
  // back but go with it, in one go with its panes: taking thousands of
  // views out of a frame one by one costs the square of their number.
  // Every other view is handed back as by the destructor, in the same
  // order. Delivers the application's pending polish and update-later
  // requests first (see the .cpp).
  static void DeleteFrames(const oxStlVector<uiLayoutFrameEx*>& frames);
  uiLayoutFrameEx(const uiLayoutFrameEx&) = delete;
  uiLayoutFrameEx& operator=(const uiLayoutFrameEx&) = delete;

  // The number of panes of a layout; 0 for a value that is not a layout.
  static int GetPaneCount(int layout);

  // The header shows the caption (SetCaption), or the name while the frame
  // has no caption.
  void HideHeader(bool hide);
  bool IsHeaderHidden() const;
  // Room kept at the top, above the header and the panes, for what is laid
  // over the frame there (information bars); 0 by default.
  void SetTopMargin(int height);
  int GetTopMargin() const;

  // Appends the view and re-arranges; a view already held stays where it
  // is. A frame added as a view takes this frame as its parent frame.
  void AddView(uiWidget* view);
  // Takes the view out (not deleted: hidden, without a Qt parent) and
  // re-arranges the rest. Does nothing for a view this frame does not hold.
  void RemoveChild(uiWidget* view);
  // The views in the order they were added.
  oxStlVector<uiWidget*> GetViews() const;
  // The pane that shows the view, or -1 when the frame does not hold it.
  int GetPaneIndex(uiWidget* view) const;

  // Moves this frame into `parent` as its last view, out of the frame that
  // held it before. Null takes it out of its parent frame.
  void SetParent(uiLayoutFrameEx* parent);
  uiLayoutFrameEx* GetParentFrame() const;

  // Re-arranges the views in the current layout: view i goes to pane i,
  // and the views beyond the last pane become tabs of the last pane. Done
  // when seen (see above).
  void Pagify();
  // Stores the layout and re-arranges. A value outside 1..12 is refused
  // and the layout kept; 0 (no layout chosen yet) quietly, others with an
  // error line.
  void Layout(FixedLayouts layout);
  FixedLayouts GetLayout() const;

  // Makes this the active frame, draws it highlighted, brings it forward
  // in the frames that hold it and emits OnActivate, unless it holds the
  // active frame (a page keeps its active document). The active frame
  // itself is only brought forward again.
  void Activate();
  bool IsActive() const { return m_pActiveInstance == this; }

  // Carries the frame that became active.
  oxiSignal1<void, uiLayoutFrameEx*>& OnActivate();
  // Where the user dragged the borders between the panes: the column
  // borders, ';', the row borders, each a ','-separated list of fractions
  // of the frame ("0.3;" for 2 Horizontal); empty while they are even.
  oxString GetPaneEdges() const;
  // Puts such borders back; false (and nothing changes) when they do not
  // fit the layout in force or do not read. A new layout starts even again.
  bool SetPaneEdges(const oxString& edges);
  // Carries the frame once the user has dragged a border.
  oxiSignal1<void, uiLayoutFrameEx*>& OnPaneEdgesChanged();
  // Carries a frame whose tab's close button was pressed; the frame itself
  // does nothing. Only frames with a listener get a close button.
  oxiSignal1<void, uiLayoutFrameEx*>& OnCloseRequest();
  // Clicks and focus activate frames only while enabled (the default); an
  // application turns it off while it tears down.
  static void SetActivationEnabled(bool enabled);
  // True while the frame being activated was chosen by the user: clicked
  // into, focused or its tab chosen (not activated by a call).
  static bool IsActivatingByUser();
  // Gives the keyboard to the view inside that had it last, else to the
  // first that takes it by Tab. False when none does.
  bool FocusView();

  // A frame tiles whatever room it is given, so its size does not follow
  // its content: laying a frame out never asks the frames nested in it,
  // which for a deep nest would recurse (and cost) once per level. Its
  // minimum is room for the header.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  bool hasHeightForWidth() const override { return false; }

 protected:
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // Builds the panes and puts the views into them, now; on screen, with
  // the frames inside that will show.
  void Arrange();
  void BuildPanes();
  void ShowPanes();
  void AdoptViews();
  void PlaceContents();
  void EnsureArranged() const;
  void ShowView(uiWidget* view);
  void BringForward();
  void ReleaseView(uiWidget* view);
  void ReleaseViews();
  void UpdateHighlight();
  void ConnectTabs(QTabWidget* tabs);
  QRect PaneArea() const;

  struct Internal;
  Internal* internal_;
};
