// The text of a shortcut scheme (docs/shortcut-schemes.md) and of the keys
// it holds, apart from files, settings and profiles, so that any bytes can
// be read with it. For the library's own sources.
#pragma once

#include <QByteArray>

#include "platform/core/oxTypes.h"

namespace fwg::ShortcutScheme {

// Beyond these a scheme is refused: the file's size, and the length of the
// text of one key sequence (four strokes with every modifier fit easily).
constexpr size_t kMaxFileSize = 1 << 20;
constexpr size_t kMaxKeysSize = 256;

struct Line {
  oxString profile, action, keys;  // keys in portable text, "" for none
  bool operator==(const Line& other) const = default;
};

// Reads a whole scheme. False, with "<fileName>:<line>: <reason>" in `error`,
// at the first broken line; input quoted in the reason is cut short.
// Names the settings cannot hold (longer than oxSettingsText::kMaxNameSize)
// and names with control characters break the line they are on, so that a
// scheme is applied whole or not at all.
bool Read(const QByteArray& text, const oxString& fileName, oxStlVector<Line>* lines, oxString* error);
// The scheme of the lines, a [profile] header before each run of lines of
// one profile.
QByteArray Write(const oxStlVector<Line>& lines);
// Whether Read gives the line back as it is once written: names in UTF-8
// without control characters, an action name without '=', blanks at its
// ends or a leading '#' or '['.
bool CanWrite(const Line& line);

// A key sequence as a person writes it ("ctrl+k, ctrl+b"; "" for none) in
// portable text. False, with what is wrong in `problem` (the text quoted
// short), for text that is too long, holds control characters, more than
// four strokes, an empty stroke or a key the toolkit does not know.
bool ReadKeys(const oxString& text, oxString* keys, oxString* problem);

}  // namespace fwg::ShortcutScheme
