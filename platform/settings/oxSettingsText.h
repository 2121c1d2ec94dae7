// The text of a settings file, apart from the file itself so that any bytes
// can be read with it:
//
//   ; fwg settings
//   Top=@int 5              keys before the first header are the root's
//   [Corvane/demo/main]
//   Visible=@bool true
//   Width=@int 800
//   Flags=@long 5000000000
//   Title=Main window
//   Mail=@@home             text that starts with '@' doubles it
//
// Section names and keys are written with %XX for blanks, control bytes,
// bytes outside ASCII and the characters %/\=[];# so that they never clash
// with the syntax. Values escape '\', line breaks, tabs, other control bytes
// (\xHH) and blanks at either end, so any text reads back as it was written.
// Every line ends in a line break: a last line without one was cut short and
// is not read.
//
// Files of the earlier form ("# fwg settings" first, "key:type = value"
// lines under "[/section]" headers) are read too, so that they can be
// written again in this form.
#pragma once

#include <QSettings>

#include "platform/core/oxTypes.h"

class oxSettingsText {
 public:
  // Beyond these a section or key is refused: a path of sections deeper than
  // kMaxDepth, or a section name or key longer than kMaxNameSize bytes.
  static constexpr int kMaxDepth = 64;
  static constexpr size_t kMaxNameSize = 1024;

  // What reading found besides the values.
  struct Findings {
    int badLines = 0;        // lines not read: cut short, malformed or beyond the limits
    int firstBadLine = 0;    // counted from 1
    oxString firstProblem;   // what is wrong with that line
    bool earlierForm = false;
  };

  // Keys of the map are the encoded section names and the encoded key joined
  // by '/'; values are QVariants holding bool, int, qlonglong or QByteArray
  // (text). Every good line is read, whatever the bad ones around it.
  static QSettings::SettingsMap Read(const QByteArray& text, Findings* findings);
  // Values that are not valid QVariants are left out.
  static QByteArray Write(const QSettings::SettingsMap& values);

  // One section name or key in its encoded form and back. Decoding fails on
  // a bad %XX and on a bare character that Encode would have encoded.
  static QString EncodeName(const oxString& name);
  static bool DecodeName(const QString& encoded, oxString* name);

  // Between the store's values and the map's.
  static QVariant ToQt(const oxVariant& value);
  static oxVariant FromQt(const QVariant& value);
};
