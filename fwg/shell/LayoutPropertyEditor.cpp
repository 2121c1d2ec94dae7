#include "fwg/shell/LayoutPropertyEditor.h"

#include "fwg/objects/ClientFolder.h"

namespace fwg {

namespace {

struct LayoutEntry {
  int value;  // uiLayoutFrameEx::FixedLayouts
  const char* label;
  const char* iconFile;
  int row, column;
};

// Grouped by number of panes, one row of the chooser per group; the order
// is the order in which CountOfferedLayouts cuts the list.
const LayoutEntry kLayouts[] = {
    {1, "Full", "layout1.png", 0, 0},
    {3, "2 Horizontal", "layout2h.png", 1, 0},
    {2, "2 Vertical", "layout2v.png", 1, 1},
    {5, "3 Horizontal", "layout3h.png", 2, 0},
    {4, "3 Vertical", "layout3v.png", 2, 1},
    {7, "Split Right", "layout3r.png", 3, 0},
    {6, "Split Left", "layout3l.png", 3, 1},
    {8, "Split Top", "layout3t.png", 3, 2},
    {9, "Split Bottom", "layout3b.png", 3, 3},
    {10, "2 x 2", "layout2x2.png", 4, 0},
    {11, "2 By 3", "layout2x3.png", 4, 1},
    {12, "3 By 2", "layout3x2.png", 4, 2},
};

// Views of the current client folder: its client objects and client
// folders; 0 without a current client folder.
int CountCurrentViews() {
  oxt::Object* current = oxt::Object::GetCurrentObjectFromType(ClientFolder::S_ClassName());
  auto* folder = dynamic_cast<ClientFolder*>(current);
  if (!folder) return 0;
  int views = 0;
  for (oxt::Object* child : folder->GetChildren()) {
    if (child->IsA("fwg::ClientObject") || child->IsA("fwg::ClientFolder")) ++views;
  }
  return views;
}

// Leading entries of kLayouts worth offering for that many views.
std::size_t CountOfferedLayouts(int views) {
  if (views <= 1) return 1;
  if (views == 2) return 3;
  if (views == 3) return 9;
  if (views <= 5) return 10;
  return 12;
}

}  // namespace

LayoutPropertyEditor::LayoutPropertyEditor() : IconPropertyEditorWidget("fwg") {
  for (const LayoutEntry& layout : kLayouts) {
    AddIcon(layout.iconFile, tr(layout.label), layout.row, layout.column, layout.value);
  }
}

LayoutPropertyEditor::~LayoutPropertyEditor() = default;

uiWidget* LayoutPropertyEditor::CreateEditorWidget(const uiRect& rect) {
  // The base builds from its own list, so shorten that for the one call and
  // put every layout back afterwards.
  oxStlVector<IconEntry>& entries = GetIconEntries();
  const oxStlVector<IconEntry> all = entries;
  const std::size_t offered = CountOfferedLayouts(CountCurrentViews());
  if (entries.size() > offered) entries.resize(offered);
  uiWidget* chooser = IconPropertyEditorWidget::CreateEditorWidget(rect);
  entries = all;
  return chooser;
}

}  // namespace fwg
