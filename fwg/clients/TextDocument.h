// A file of plain text shown by a QPlainTextEdit or QTextEdit: the text
// document's content is the file's text, and its own modified state is the
// document's.
//
//   auto* view = new QPlainTextEdit;
//   SetView(view);                                       // the ClientObject's
//   SetDocument(new fwg::TextDocument(view->document()));
//
// The file's encoding is kept: UTF-8 (with its byte-order mark when the file
// had one), else ISO-8859-1, whose bytes all read as text; so are its line
// ends (CR LF when its first line ended so). Files holding NUL bytes are
// not text and are refused.
#pragma once

#include "fwg/clients/Document.h"

class QTextDocument;

namespace fwg {

class TextDocument : public Document {
 public:
  // `text` is not owned; the document does nothing once it is gone.
  explicit TextDocument(QTextDocument* text);
  ~TextDocument() override;

  bool Load(const QByteArray& data, oxString* error) override;
  bool Store(QByteArray* data, oxString* error) override;
  // The text document's own modified state.
  bool IsModified() const override;
  void SetModified(bool modified) override;

  QTextDocument* GetTextDocument() const;

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
