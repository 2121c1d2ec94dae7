#include "fwg/objects/PrintCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>

#include "fwg/LibraryTexts.h"
#include "fwg/Parts.h"
#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/objects/FileCommands.h"
#include "fwg/profiles/Profile.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/vos/vosLibrary.h"

namespace fwg {

namespace {

QString QText(const char* text) { return TranslateLibraryQText(text); }

void ShowError(const QString& message) {
  if (uiMainWindow* window = FindMainWindow()) window->Error(message.toStdString());
}

ClientObject* ActiveDocument() {
  ClientManager* manager = ClientManager::Get();
  return manager ? manager->GetActiveClientObject() : nullptr;
}

QString NothingToPrint(ClientObject* document) {
  return QText("%1 has nothing to print.").arg(QString::fromStdString(document->GetTitle()));
}

// The printer prints what it is given in the document's name (a print
// queue's job, a file printer's suggestion).
void NameJob(QPrinter* printer, ClientObject* document) {
  printer->setDocName(QString::fromStdString(document->GetTitle()));
}

}  // namespace

void PrintCommands::Install(Profile* profile, const oxString& menuPath) {
  if (!profile) return;
  const auto text = [](const char* t) { return TranslateLibraryText(t); };
  ActionGroup* group = profile->AddActionGroup("File.PrintGroup", {});
  group->AddSeparator();
  const QKeySequence key(QKeySequence::Print);
  Action* print = profile->AddAction("File.Print", text("&Print\u2026"), {},
                                     key.toString(QKeySequence::PortableText).toStdString());
  Action* preview = profile->AddAction("File.PrintPreview", text("Print Previe&w\u2026"));
  Action* pdf = profile->AddAction("File.ExportPdf", text("&Export as PDF\u2026"));
  for (Action* action : {print, preview, pdf}) group->AddAction(action);
  profile->AddMenu(group, menuPath + "/" + group->GetName());
  print->OnActivate().Connect(profile, [] { Print(ActiveDocument()); });
  preview->OnActivate().Connect(profile, [] { PrintPreview(ActiveDocument()); });
  pdf->OnActivate().Connect(profile, [] { ExportPdf(ActiveDocument()); });
  // Greyed while there is nothing to print.
  const auto follow = [print, preview, pdf](ClientObject* active) {
    for (Action* action : {print, preview, pdf}) action->SetEnabled(active != nullptr);
  };
  follow(ActiveDocument());
  if (ClientManager* manager = ClientManager::Get())
    manager->OnActiveClientObjectChanged().Connect(profile, follow);
}

bool PrintCommands::Paint(ClientObject* document, QPagedPaintDevice* device) {
  Client* client = document ? document->GetClient() : nullptr;
  return client && device && client->Print(document, device);
}

bool PrintCommands::Print(ClientObject* document) {
  if (!document) return false;
  QPrinter printer(QPrinter::HighResolution);
  NameJob(&printer, document);
  QPrintDialog dialog(&printer, FindMainWindow());
  dialog.setWindowTitle(QText("Print %1").arg(QString::fromStdString(document->GetTitle())));
  if (dialog.exec() != QDialog::Accepted) return false;
  if (Paint(document, &printer)) return true;
  ShowError(NothingToPrint(document));
  return false;
}

bool PrintCommands::PrintPreview(ClientObject* document) {
  if (!document) return false;
  QPrinter printer(QPrinter::HighResolution);
  NameJob(&printer, document);
  QPrintPreviewDialog dialog(&printer, FindMainWindow());
  dialog.setWindowTitle(QText("Print Preview"));
  bool painted = false;
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [document, &painted](QPrinter* target) { painted = Paint(document, target) || painted; });
  const bool printed = dialog.exec() == QDialog::Accepted;
  return printed && painted;
}

bool PrintCommands::ExportPdf(ClientObject* document) {
  if (!document) return false;
  QString offered = QFileInfo(QString::fromStdString(document->GetFilePath())).completeBaseName();
  if (offered.isEmpty()) offered = QString::fromStdString(document->GetTitle());
  const QString folder =
      QString::fromStdString(vosLibrary::GetStartFolder(FileCommands::GetRecentFiles()));
  QString path = QFileDialog::getSaveFileName(FindMainWindow(), QText("Export as PDF"),
                                              QDir(folder).filePath(offered + ".pdf"),
                                              QText("PDF files") + " (*.pdf)");
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += ".pdf";
  return ExportPdf(document, path.toStdString());
}

bool PrintCommands::ExportPdf(ClientObject* document, const oxString& path) {
  if (!document) return false;
  const QString file = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
  const QString quoted = QText("\u201c%1\u201d").arg(QDir::toNativeSeparators(file));
  // Written beside and renamed over the old file once complete.
  QSaveFile out(file);
  QString reason;
  if (!out.open(QIODevice::WriteOnly)) {
    reason = out.errorString();
  } else {
    bool painted = false;
    {
      QPdfWriter writer(&out);
      writer.setTitle(QString::fromStdString(document->GetTitle()));
      writer.setCreator(QCoreApplication::applicationName());
      painted = Paint(document, &writer);
    }  // the writer finishes the file here
    if (!painted) {
      out.cancelWriting();
      reason = NothingToPrint(document);
    } else if (!out.commit()) {
      reason = out.errorString();
    }
  }
  if (reason.isEmpty()) return true;
  ShowError(QText("Could not export %1: %2").arg(quoted, reason));
  return false;
}

}  // namespace fwg
