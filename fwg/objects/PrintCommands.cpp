#include "fwg/objects/PrintCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QLibrary>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStatusBar>

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

constexpr int kExportedMessageMs = 5000;

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
  FileCommands::FollowTargets(profile, [print, preview, pdf] {
    for (Action* action : {print, preview, pdf}) action->SetEnabled(ActiveDocument() != nullptr);
  });
}

bool PrintCommands::Paint(ClientObject* document, QPagedPaintDevice* device) {
  Client* client = document ? document->GetClient() : nullptr;
  return client && device && client->Print(document, device);
}

namespace {

// The dialogs live in libfwgprint.so (see PrintDialogs.cpp), loaded once.
using RunFunction = int (*)(int mode, const QString& title, const QString& jobName, QWidget* parent,
                            const std::function<bool(QPagedPaintDevice*)>& paint);

RunFunction PrintModule() {
  static QLibrary module(QString::fromStdString(
      vosLibrary::FindModuleBeside(reinterpret_cast<void*>(&PrintCommands::Paint), "libfwgprint.so")));
  static const auto run = reinterpret_cast<RunFunction>(module.resolve("fwgPrintRun"));
  if (!run) ShowError(QText("Printing is not available: %1").arg(module.errorString()));
  return run;
}

// Mode 0 prints, 1 previews.
bool RunDialog(int mode, ClientObject* document, const QString& title) {
  if (!document) return false;
  const RunFunction run = PrintModule();
  if (!run) return false;
  const int outcome = run(mode, title, QString::fromStdString(document->GetTitle()), FindMainWindow(),
                          [document](QPagedPaintDevice* device) { return PrintCommands::Paint(document, device); });
  if (outcome < 0) ShowError(NothingToPrint(document));
  return outcome > 0;
}

}  // namespace

bool PrintCommands::Print(ClientObject* document) {
  return document && RunDialog(0, document, QText("Print %1").arg(QString::fromStdString(document->GetTitle())));
}

bool PrintCommands::PrintPreview(ClientObject* document) {
  return RunDialog(1, document, QText("Print Preview"));
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
  if (reason.isEmpty()) {
    // Nothing on screen changes: the status bar says where the file went.
    if (uiMainWindow* window = FindMainWindow()) {
      window->statusBar()->showMessage(QText("Exported %1").arg(quoted), kExportedMessageMs);
    }
    return true;
  }
  ShowError(QText("Could not export %1: %2").arg(quoted, reason));
  return false;
}

}  // namespace fwg
