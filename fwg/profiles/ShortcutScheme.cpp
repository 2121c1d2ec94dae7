#include "fwg/profiles/ShortcutScheme.h"

#include <QKeySequence>
#include <QList>
#include <QString>
#include <set>

#include "platform/settings/oxSettings.h"
#include "platform/settings/oxSettingsText.h"

namespace fwg::ShortcutScheme {

namespace {

const char kHeader[] = "fwg shortcut scheme 1";
constexpr int kMaxStrokes = 4;

// The strokes of the text as the toolkit splits it, without its limit of
// four: ", " or "," between strokes, a comma at the end or doubled being a
// key itself ("Ctrl+,", "Ctrl+,, Shift+,").
int CountStrokes(const QString& text) {
  int count = 0;
  qsizetype start = 0;
  while (start < text.size()) {
    qsizetype comma = text.indexOf(u',', start);
    if (comma < 0 || comma == text.size() - 1) return count + 1;
    if (text.at(comma + 1) == u',') ++comma;
    if (comma + 1 < text.size() && text.at(comma + 1) == u' ') ++comma;
    start = comma + 1;
    ++count;
  }
  return count;
}

bool HasControl(const oxString& text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) return true;
  }
  return false;
}

// Whether the settings can keep the name as a section (a profile's) or a
// key (an action's).
bool FitsSettings(const oxString& name, bool section) {
  const oxString stored = section ? oxSettings::ToSectionName(name) : name;
  return stored.size() <= oxSettingsText::kMaxNameSize;
}

oxString TooLong(const char* what) {
  return oxString(what) + " longer than " + std::to_string(oxSettingsText::kMaxNameSize) +
         " bytes, which the settings cannot keep";
}

}  // namespace

bool ReadKeys(const oxString& text, oxString* keys, oxString* problem) {
  auto fail = [&](const oxString& why) {
    *problem = oxQuote(text) + " " + why;
    return false;
  };
  if (text.size() > kMaxKeysSize) return fail("is longer than " + std::to_string(kMaxKeysSize) + " bytes");
  if (HasControl(text)) return fail("holds a control character");
  const QString trimmed = QString::fromStdString(text).trimmed();
  if (trimmed.isEmpty()) {
    keys->clear();
    return true;
  }
  const int strokes = CountStrokes(trimmed);
  if (strokes > kMaxStrokes) return fail("has more than four strokes");
  const QKeySequence sequence = QKeySequence::fromString(trimmed, QKeySequence::PortableText);
  // An empty stroke ends the toolkit's sequence there: the rest would be lost.
  bool known = !sequence.isEmpty() && sequence.count() == strokes;
  for (int i = 0; known && i < sequence.count(); ++i) known = sequence[i].key() != Qt::Key_unknown;
  if (!known) return fail("is not a key sequence");
  *keys = sequence.toString(QKeySequence::PortableText).toStdString();
  return true;
}

bool Read(const QByteArray& data, const oxString& fileName, oxStlVector<Line>* lines, oxString* error) {
  const QList<QByteArray> text = data.split('\n');
  oxString profile;
  std::set<std::pair<oxString, oxString>> seen;
  oxStlVector<Line> read;
  auto fail = [&](qsizetype line, const oxString& reason) {
    *error = fileName + ":" + std::to_string(line + 1) + ": " + reason;
    return false;
  };
  if (data.isEmpty()) return fail(0, "an empty file");
  for (qsizetype i = 0; i < text.size(); ++i) {
    const oxString line = QString::fromUtf8(text[i]).trimmed().toStdString();
    if (i == 0) {
      if (line != kHeader) return fail(i, "not a shortcut scheme (expected '" + oxString(kHeader) + "')");
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      if (line.back() != ']' || line.size() < 3) return fail(i, "a profile is written [name]");
      profile = line.substr(1, line.size() - 2);
      if (!FitsSettings(profile, true)) return fail(i, TooLong("a profile name"));
      if (HasControl(profile)) return fail(i, "a profile name holds a control character");
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == oxString::npos) return fail(i, "expected 'action = keys'");
    if (profile.empty()) return fail(i, "an action before any [profile]");
    Line entry{profile, QString::fromStdString(line.substr(0, equals)).trimmed().toStdString(), {}};
    if (entry.action.empty()) return fail(i, "an empty action name");
    if (!FitsSettings(entry.action, false)) return fail(i, TooLong("an action name"));
    if (HasControl(entry.action)) return fail(i, "an action name holds a control character");
    oxString problem;
    const oxString keys = QString::fromStdString(line.substr(equals + 1)).trimmed().toStdString();
    if (!ReadKeys(keys, &entry.keys, &problem)) return fail(i, problem);
    if (!seen.insert({profile, entry.action}).second) {
      return fail(i, oxQuote(entry.action) + " of profile " + oxQuote(profile) + " given twice");
    }
    read.push_back(std::move(entry));
  }
  *lines = std::move(read);
  return true;
}

bool CanWrite(const Line& line) {
  auto plain = [](const oxString& name) {
    return !name.empty() && !HasControl(name) &&
           QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toStdString() == name;
  };
  const QString action = QString::fromStdString(line.action);
  return plain(line.profile) && plain(line.action) && line.action.find('=') == oxString::npos &&
         action.trimmed() == action && line.action[0] != '#' && line.action[0] != '[';
}

QByteArray Write(const oxStlVector<Line>& lines) {
  QByteArray text = QByteArray(kHeader) + "\n";
  const oxString* profile = nullptr;
  for (const Line& line : lines) {
    if (!profile || *profile != line.profile) {
      text += "\n[" + QByteArray::fromStdString(line.profile) + "]\n";
      profile = &line.profile;
    }
    text += QByteArray::fromStdString(line.action + " = " + line.keys) + "\n";
  }
  return text;
}

}  // namespace fwg::ShortcutScheme
