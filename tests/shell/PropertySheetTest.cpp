// The property sheet shows the selected object's properties on one row
// each, follows their changes and renames the object in place.
#include "fwg/shell/PropertySheet.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include "tests/support/WithProjects.h"

namespace {

using Sheet = WithProjects;

QString Cell(const fwg::PropertySheet& sheet, const QString& name) {
  for (int row = 0; row < sheet.rowCount(); ++row) {
    if (sheet.item(row, 0)->text() == name) return sheet.item(row, 1)->text();
  }
  return "(no row)";
}

void Set(oxt::Object* object, const oxString& name, const oxString& value) {
  oxt::Property p(name, value);
  object->SetProperty(p);
}

TEST_F(Sheet, ShowsTheSelectionFollowsChangesAndRenamesInPlace) {
  fwg::PropertySheet sheet(nullptr, "Properties");
  auto* work = Make<fwg::Project>("Work");
  Set(work, "Text", "Shopping list\nmilk\neggs\n");
  Set(work, "@Font", "bold");  // attributes are not shown
  oxt::Model::Get()->SetSelection({work});
  ASSERT_EQ(sheet.GetObject(), work);
  EXPECT_EQ(Cell(sheet, "Name"), "Work");
  EXPECT_EQ(Cell(sheet, "Text"), "Shopping list \u21b5 milk \u21b5 eggs")
      << "every line shows, marked, on one row";
  EXPECT_EQ(Cell(sheet, "@Font"), "(no row)");
  EXPECT_EQ(Cell(sheet, "Layout"), "none") << "no layout chosen yet, not a bare 0";
  oxt::Property sideBySide("Layout", 3);
  work->SetProperty(sideBySide);
  EXPECT_EQ(Cell(sheet, "Layout"), "2 Horizontal") << "a layout reads as its picture's name";

  // Return on the Layout row opens the layout chooser, as a double click does.
  for (int row = 0; row < sheet.rowCount(); ++row) {
    if (sheet.item(row, 0)->text() == "Layout") sheet.setCurrentCell(row, 1);
  }
  QTest::keyClick(&sheet, Qt::Key_Return);
  QWidget* chooser = QApplication::activePopupWidget();
  ASSERT_NE(chooser, nullptr);
  EXPECT_NE(chooser->findChild<QAbstractButton*>("Full"), nullptr);
  chooser->close();

  Set(work, "Text", std::string(400, 'x'));
  EXPECT_EQ(Cell(sheet, "Text"), QString(300, 'x') + QChar(0x2026)) << "a long value is cut";

  // Name is edited in place; an empty one is refused and the row put back.
  QTableWidgetItem* name = sheet.findItems("Work", Qt::MatchExactly).value(0);
  ASSERT_NE(name, nullptr);
  name->setText("Home");
  EXPECT_EQ(work->GetName(), "Home");
  sheet.findItems("Home", Qt::MatchExactly).value(0)->setText("  ");
  EXPECT_EQ(work->GetName(), "Home");
  EXPECT_EQ(Cell(sheet, "Name"), "Home");

  work->Delete();
  EXPECT_EQ(sheet.GetObject(), nullptr);
  EXPECT_EQ(sheet.rowCount(), 0);
}

}  // namespace
