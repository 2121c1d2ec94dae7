// What a file is, apart from the view that shows it: where it lies, what
// type it is, whether the content holds changes the file lacks, and how the
// file's bytes become content and back.
//
// A client's document (ClientObject, the frame and its view) that shows a
// file holds one (ClientObject::SetDocument). The framework opens, saves,
// reverts and watches files through it (FileCommands), so a client only
// says how its content is read from bytes and written to bytes:
//
//   class Drawing : public fwg::Document {
//     bool Load(const QByteArray& data, oxString* error) override;  // bytes in
//     bool Store(QByteArray* data, oxString* error) override;       // bytes out
//   };
//
// and calls SetModified(true) when its content changes. Plain and rich text
// views need no class of their own: TextDocument serves a QTextDocument.
//
// Every write is checked and atomic: a save that fails leaves the old file
// byte for byte and says why.
#pragma once

#include <QByteArray>

#include "platform/core/oxTypes.h"
#include "platform/signals/oxSignal.h"

namespace fwg {

class Document {
 public:
  // The largest file Open reads (512 MiB): larger ones are refused with a
  // reason rather than exhausting memory.
  static constexpr qint64 kMaxFileSize = qint64(512) << 20;

  Document();
  virtual ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // Replaces the content with `data`, the bytes of the file. False, with a
  // reason the user can read in `error`, when the bytes are not such a
  // document; the content must not change then.
  virtual bool Load(const QByteArray& data, oxString* error) = 0;
  // The bytes the file is to hold. False with a reason in `error` when the
  // content cannot be written (nothing is written then).
  virtual bool Store(QByteArray* data, oxString* error) = 0;

  // Whether the content holds changes its file lacks. The base keeps a
  // flag; a document whose content keeps its own (a QTextDocument) answers
  // from there and calls Changed() when it turns.
  virtual bool IsModified() const;
  virtual void SetModified(bool modified);

  // Absolute path of the file; "" while the content has none (a document
  // made with New before it is saved).
  const oxString& GetFilePath() const;
  // The file's name without its folder ("notes.txt"); "" without a file.
  oxString GetFileName() const;
  bool HasFile() const { return !GetFilePath().empty(); }
  // Points the document at `path` without reading it (a session naming a
  // file that is missing keeps it that way). An empty path detaches it.
  void SetFilePath(const oxString& path);
  // The file's MIME type as the framework found it when opening ("" when
  // it was not looked up); kept for the client, not read by the library.
  const oxString& GetMimeType() const;
  void SetMimeType(const oxString& type);

  // Reads `path` (a regular file, at most kMaxFileSize) into the content
  // through Load; the document then stands for that file and is not
  // modified. On failure false, the reason in `error`, and nothing changes.
  bool Open(const oxString& path, oxString* error);
  // Writes the content to the document's file (SaveAs to its path). False
  // without a file.
  bool Save(oxString* error);
  // Writes the content to `path` through Store, atomically; the document
  // then stands for that file and is not modified. A failed save leaves the
  // old file as it was, the document as it was, and the reason in `error`.
  bool SaveAs(const oxString& path, oxString* error);
  // Reads the document's file again, dropping changes the file lacks.
  bool Reload(oxString* error);

  // What the document last read from or wrote to its file: its size, the
  // time of its last change and which file it was, or "gone". A file whose
  // stamp differs was changed, or replaced, by someone else.
  struct Stamp {
    bool exists = false;
    qint64 size = -1;
    qint64 modified = -1;  // nanoseconds since the epoch
    qint64 inode = -1;
    bool operator==(const Stamp&) const = default;
  };
  const Stamp& GetStamp() const;
  // Takes the file's present stamp as known (after the user decided to
  // keep the content although the file changed).
  void AcceptStamp();
  static Stamp ReadStamp(const oxString& path);

  // Emitted when the file path or the modified state changes.
  oxiSignal1<void, Document*>& OnChanged();

 protected:
  // Tells the listeners; for documents that keep the modified state
  // themselves.
  void Changed();

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
