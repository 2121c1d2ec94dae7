#include "fwg/clients/TextDocument.h"

#include <QPointer>
#include <QStringConverter>
#include <QTextDocument>

#include "fwg/LibraryTexts.h"

namespace fwg {

struct TextDocument::Internal {
  QPointer<QTextDocument> text;
  QObject guard;  // ends the connection to the text with the document
  bool utf8 = true;
  bool byteOrderMark = false;
  bool crlf = false;
};

TextDocument::TextDocument(QTextDocument* text) : internal_(new Internal) {
  internal_->text = text;
  if (text) {
    QObject::connect(text, &QTextDocument::modificationChanged, &internal_->guard,
                     [this](bool) { Changed(); });
  }
}

TextDocument::~TextDocument() { delete internal_; }

bool TextDocument::Load(const QByteArray& data, oxString* error) {
  QTextDocument* text = internal_->text;
  if (!text) return false;
  if (data.contains('\0')) {
    if (error) *error = TranslateLibraryText("it is not a text file");
    return false;
  }
  const bool byteOrderMark = data.startsWith("\xEF\xBB\xBF");
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  QString content = utf8.decode(byteOrderMark ? data.sliced(3) : data);
  const bool isUtf8 = !utf8.hasError();
  if (!isUtf8) content = QString::fromLatin1(data);
  const qsizetype firstEnd = content.indexOf(QLatin1Char('\n'));
  internal_->crlf = firstEnd > 0 && content.at(firstEnd - 1) == QLatin1Char('\r');
  if (internal_->crlf) content.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  internal_->utf8 = isUtf8;
  internal_->byteOrderMark = byteOrderMark;
  text->setPlainText(content);
  text->setModified(false);
  return true;
}

bool TextDocument::Store(QByteArray* data, oxString* error) {
  QTextDocument* text = internal_->text;
  if (!text) return false;
  QString content = text->toPlainText();
  if (internal_->crlf) content.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  if (internal_->utf8) {
    *data = (internal_->byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + content.toUtf8();
    return true;
  }
  QStringEncoder latin1(QStringConverter::Latin1);
  *data = latin1.encode(content);
  if (latin1.hasError()) {
    if (error) {
      *error = TranslateLibraryText(
          "the text holds characters its encoding (ISO-8859-1) cannot hold");
    }
    return false;
  }
  return true;
}

bool TextDocument::IsModified() const {
  return internal_->text ? internal_->text->isModified() : false;
}

void TextDocument::SetModified(bool modified) {
  if (internal_->text) internal_->text->setModified(modified);  // tells through the text
}

QTextDocument* TextDocument::GetTextDocument() const { return internal_->text; }

}  // namespace fwg
