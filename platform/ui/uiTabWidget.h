// Pages shown one at a time behind a row of tabs. Its tab bar measures
// each tab once (again when its text, the font or the style change):
// Qt lays every tab of a bar out again for each tab added or removed,
// shown or not, and measuring the tabs was most of that work.
#pragma once

#include <QTabBar>
#include <QTabWidget>
#include <utility>

#include "platform/ui/uiWidget.h"

class uiTabWidget : public uiWidgetT<QTabWidget> {
  UI_OBJECT(uiTabWidget, uiWidget)

 public:
  uiTabWidget(uiWidget* parent, const oxString& name, int flags = 0);

  // Inserts the widget as a page at `index` (-1 or past the end appends).
  // A widget that is already a page stays where it is. Returns its index.
  int InsertTab(uiWidget* widget, const oxString& label, int index = -1);
  // Appends pages in one go, each under its label: the tab bar then lays
  // its tabs out about once rather than once per page.
  void AppendPages(const oxStlVector<std::pair<uiWidget*, oxString>>& pages);
  // Takes the widget's page out; the widget is hidden, not deleted.
  void RemovePage(uiWidget* widget);
  // The page's index, or -1 for a widget that is not a page.
  int IndexOf(uiWidget* widget) const;
  int Count() const { return count(); }
  uiWidget* Page(int index) const { return dynamic_cast<uiWidget*>(widget(index)); }
  void SetCurrentPage(int index) { setCurrentIndex(index); }
  int CurrentPageIndex() const { return currentIndex(); }
  QTabBar* TabBar() const { return tabBar(); }

  // Emitted with the new current page (null when the last page left).
  oxiSignal1<void, uiWidget*>& OnCurrentChange() { return onCurrentChange_; }

 private:
  oxiSignal1<void, uiWidget*> onCurrentChange_;
};
