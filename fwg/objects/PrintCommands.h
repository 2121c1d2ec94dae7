// Printing the active document, for whatever client it belongs to:
//
//   Print…            Ctrl+P   the platform's print dialog, then the pages
//   Print Preview…             the pages as they will print, with a Print button
//   Export as PDF…             a PDF file of the same pages
//
// The pages are the client's to paint (Client::Print, which by default
// prints the text of a text view over as many pages as it takes, or the
// view as it shows). The entries are greyed while no document is active.
// A failed export says why and leaves an older file of that name as it was.
#pragma once

#include "platform/core/oxTypes.h"

class QPagedPaintDevice;

namespace fwg {

class ClientObject;
class Profile;

class PrintCommands {
 public:
  // Adds the actions "File.Print", "File.PrintPreview" and "File.ExportPdf"
  // to the profile, after a separator, at the end of the menu at `menuPath`
  // ("File"). Call it from a common base profile's Build(), as
  // FileCommands::Install.
  static void Install(Profile* profile, const oxString& menuPath);

  // The document's pages on `device`, through its client. False (nothing
  // printed) for no document, or when the client had nothing to print.
  static bool Paint(ClientObject* document, QPagedPaintDevice* device);
  // Asks for a printer in the print dialog and prints. False when the user
  // cancelled or nothing printed.
  static bool Print(ClientObject* document);
  // Shows the pages in a preview dialog, from which they may be printed.
  static bool PrintPreview(ClientObject* document);
  // Asks for a PDF file (the document's name with ".pdf" offered), then
  // exports.
  static bool ExportPdf(ClientObject* document);
  // Writes the pages as a PDF file at `path`. False, with the reason shown,
  // when the file could not be written; an older file stays as it was.
  static bool ExportPdf(ClientObject* document, const oxString& path);
};

}  // namespace fwg
