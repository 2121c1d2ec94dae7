// The print dialog and the print preview, in a module of their own
// (libfwgprint.so) that PrintCommands loads with the first print: a program
// that never prints does not load Qt's print support.
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <functional>

namespace {

enum Mode { kPrint = 0, kPreview = 1 };

}  // namespace

// 1 when printed, 0 when the person cancelled, -1 when `paint` had nothing
// to print.
extern "C" __attribute__((visibility("default"))) int fwgPrintRun(
    int mode, const QString& title, const QString& jobName, QWidget* parent,
    const std::function<bool(QPagedPaintDevice*)>& paint) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(jobName);
  if (mode == kPreview) {
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    bool painted = false;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* target) { painted = paint(target) || painted; });
    if (dialog.exec() != QDialog::Accepted) return 0;
    return painted ? 1 : -1;
  }
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(title);
  if (dialog.exec() != QDialog::Accepted) return 0;
  return paint(&printer) ? 1 : -1;
}
