#include "platform/settings/oxSettingsText.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <map>

namespace {

const char kFirstLine[] = "; fwg settings\n";
const char kEarlierFirstLine[] = "# fwg settings";
const char kHex[] = "0123456789ABCDEF";

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The byte written as two hex digits at `at`, or -1.
int HexByte(const char* at, const char* end) {
  if (end - at < 2) return -1;
  const int high = HexDigit(at[0]);
  const int low = HexDigit(at[1]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}

bool NeedsPercent(unsigned char c) {
  return c <= 0x20 || c >= 0x7f || std::strchr("%/\\=[];#", c) != nullptr;
}

template <class Int>
bool ParseInteger(const QByteArray& text, Int* out) {
  const char* end = text.constData() + text.size();
  const auto [ptr, ec] = std::from_chars(text.constData(), end, *out);
  return !text.isEmpty() && ec == std::errc() && ptr == end;
}

// ---- the current form -------------------------------------------------------

QByteArray EscapeValue(const QByteArray& raw) {
  QByteArray out;
  out.reserve(raw.size());
  for (qsizetype i = 0; i < raw.size(); ++i) {
    const auto c = static_cast<unsigned char>(raw[i]);
    const bool atEdge = i == 0 || i == raw.size() - 1;
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\t') out += "\\t";
    else if (c < 0x20 || c == 0x7f || (c == ' ' && atEdge)) out.append("\\x").append(kHex[c >> 4]).append(kHex[c & 15]);
    else out += static_cast<char>(c);
  }
  return out;
}

bool UnescapeValue(const QByteArray& text, QByteArray* out) {
  const char* at = text.constData();
  const char* end = at + text.size();
  for (; at < end; ++at) {
    if (*at != '\\') {
      *out += *at;
      continue;
    }
    if (++at == end) return false;
    switch (*at) {
      case '\\': *out += '\\'; break;
      case 'n': *out += '\n'; break;
      case 'r': *out += '\r'; break;
      case 't': *out += '\t'; break;
      case 'x': {
        const int byte = HexByte(at + 1, end);
        if (byte < 0) return false;
        *out += static_cast<char>(byte);
        at += 2;
        break;
      }
      default: return false;
    }
  }
  return true;
}

QByteArray EncodeValue(const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::Bool: return value.toBool() ? "@bool true" : "@bool false";
    case QMetaType::Int: return "@int " + QByteArray::number(value.toInt());
    case QMetaType::LongLong: return "@long " + QByteArray::number(value.toLongLong());
    default: break;
  }
  QByteArray text = EscapeValue(value.toByteArray());
  if (text.startsWith('@')) text.prepend('@');
  return text;
}

bool DecodeValue(const QByteArray& written, QVariant* value, oxString* problem) {
  QByteArray text;
  if (!UnescapeValue(written, &text)) {
    *problem = "bad '\\' escape in the value";
    return false;
  }
  if (!text.startsWith('@') || text.startsWith("@@")) {
    *value = text.startsWith('@') ? text.mid(1) : text;
    return true;
  }
  const qsizetype space = text.indexOf(' ');
  const QByteArray tag = text.mid(1, space < 0 ? -1 : space - 1);
  const QByteArray number = space < 0 ? QByteArray() : text.mid(space + 1);
  int integer = 0;
  long long longInteger = 0;
  if (tag == "bool" && (number == "true" || number == "false")) *value = number == "true";
  else if (tag == "int" && ParseInteger(number, &integer)) *value = integer;
  else if (tag == "long" && ParseInteger(number, &longInteger)) *value = static_cast<qlonglong>(longInteger);
  else *problem = "bad typed value " + oxQuote(text.toStdString());
  return problem->empty();
}

bool DecodeBytes(const char* at, const char* end, oxString* name) {
  name->clear();
  for (; at < end; ++at) {
    if (*at == '%') {
      const int byte = HexByte(at + 1, end);
      if (byte < 0) return false;
      *name += static_cast<char>(byte);
      at += 2;
    } else if (NeedsPercent(static_cast<unsigned char>(*at))) {
      return false;
    } else {
      *name += *at;
    }
  }
  return true;
}

// A name as written, in its canonical encoded form ("%41" and "A" are one key).
bool CanonicalName(const QByteArray& written, const char* what, QString* name, oxString* problem) {
  constexpr size_t kMax = oxSettingsText::kMaxNameSize;
  const oxString tooLong = oxString(what) + " longer than " + std::to_string(kMax) + " bytes";
  // No byte takes more than three characters, so longer text is refused
  // before it is decoded.
  if (static_cast<size_t>(written.size()) > 3 * kMax) {
    *problem = tooLong;
    return false;
  }
  oxString decoded;
  if (!DecodeBytes(written.constData(), written.constData() + written.size(), &decoded)) {
    *problem = oxString("bad ") + what + " " + oxQuote(written.toStdString());
    return false;
  }
  if (decoded.empty() || decoded.size() > kMax) {
    *problem = decoded.empty() ? oxString("empty ") + what : tooLong;
    return false;
  }
  *name = oxSettingsText::EncodeName(decoded);
  return true;
}

// The path of sections named by a header ("[a/b]"), as a key prefix.
bool ParsePrefix(const QList<QByteArray>& names, QString* prefix, oxString* problem) {
  if (names.size() > oxSettingsText::kMaxDepth) {
    *problem = "sections nested deeper than " + std::to_string(oxSettingsText::kMaxDepth) + " levels";
    return false;
  }
  prefix->clear();
  for (const QByteArray& written : names) {
    QString name;
    if (!CanonicalName(written, "section name", &name, problem)) return false;
    *prefix += name + '/';
  }
  return true;
}

bool ParseHeader(const QByteArray& line, QString* prefix, oxString* problem) {
  if (!line.endsWith(']') || line.size() < 2) {
    *problem = "expected ']' at the end of the section header";
    return false;
  }
  QList<QByteArray> names = line.mid(1, line.size() - 2).split('/');
  names.removeAll(QByteArray());
  return ParsePrefix(names, prefix, problem);
}

bool ParseEntry(const QByteArray& line, QString* key, QVariant* value, oxString* problem) {
  const qsizetype equals = line.indexOf('=');
  if (equals <= 0) {
    *problem = "expected 'key=value'";
    return false;
  }
  return CanonicalName(line.left(equals).trimmed(), "key", key, problem) &&
         DecodeValue(line.mid(equals + 1).trimmed(), value, problem);
}

// ---- the earlier form ---------------------------------------------------------
// "key:type = value" under "[/a/b]"; a backslash makes the next character
// plain text (\n, \r and \t being line breaks and a tab).

struct Glyph {
  char c;
  bool escaped;
};
using Glyphs = oxStlVector<Glyph>;

bool DecodeGlyphs(const QByteArray& line, Glyphs* out) {
  for (qsizetype i = 0; i < line.size(); ++i) {
    if (line[i] != '\\') {
      out->push_back({line[i], false});
      continue;
    }
    if (++i == line.size()) return false;
    const char c = line[i];
    out->push_back({c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c, true});
  }
  return true;
}

bool IsBare(const Glyph& g, char c) { return !g.escaped && g.c == c; }

Glyphs TrimGlyphs(Glyphs::const_iterator begin, Glyphs::const_iterator end) {
  auto blank = [](const Glyph& g) { return !g.escaped && (g.c == ' ' || g.c == '\t'); };
  while (begin != end && blank(*begin)) ++begin;
  while (begin != end && blank(*(end - 1))) --end;
  return Glyphs(begin, end);
}

QByteArray GlyphText(const Glyphs& glyphs) {
  QByteArray text;
  for (const Glyph& g : glyphs) text += g.c;
  return text;
}

bool ParseEarlierHeader(const Glyphs& glyphs, QString* prefix, oxString* problem) {
  if (glyphs.size() < 2 || !IsBare(glyphs.back(), ']')) {
    *problem = "expected ']' at the end of the section header";
    return false;
  }
  QList<QByteArray> names{{}};
  for (size_t i = 1; i + 1 < glyphs.size(); ++i) {
    if (IsBare(glyphs[i], '/')) names.append(QByteArray());
    else names.back() += glyphs[i].c;
  }
  names.removeAll(QByteArray());
  for (QByteArray& name : names) name = oxSettingsText::EncodeName(name.toStdString()).toLatin1();
  return ParsePrefix(names, prefix, problem);
}

bool ParseEarlierEntry(const Glyphs& glyphs, QString* key, QVariant* value, oxString* problem) {
  const auto equals = std::find_if(glyphs.begin(), glyphs.end(), [](const Glyph& g) { return IsBare(g, '='); });
  auto colon = equals;
  while (colon != glyphs.begin() && !IsBare(*(colon - 1), ':')) --colon;
  if (equals == glyphs.end() || colon == glyphs.begin()) {
    *problem = "expected 'key:type = value'";
    return false;
  }
  const QByteArray name = GlyphText(TrimGlyphs(glyphs.begin(), colon - 1));
  const QByteArray type = GlyphText(TrimGlyphs(colon, equals));
  const QByteArray text = GlyphText(TrimGlyphs(equals + 1, glyphs.end()));
  const QByteArray encoded = oxSettingsText::EncodeName(name.toStdString()).toLatin1();
  if (!CanonicalName(encoded, "key", key, problem)) return false;
  int integer = 0;
  long long longInteger = 0;
  if (type == "string") *value = text;
  else if (type == "bool" && (text == "true" || text == "false")) *value = text == "true";
  else if (type == "int" && ParseInteger(text, &integer)) *value = integer;
  else if (type == "long" && ParseInteger(text, &longInteger)) *value = static_cast<qlonglong>(longInteger);
  else *problem = "bad value of type " + oxQuote(type.toStdString());
  return problem->empty();
}

}  // namespace

QString oxSettingsText::EncodeName(const oxString& name) {
  QString encoded;
  encoded.reserve(static_cast<qsizetype>(name.size()));
  for (const char byte : name) {
    const auto c = static_cast<unsigned char>(byte);
    if (NeedsPercent(c)) encoded.append(u'%').append(QLatin1Char(kHex[c >> 4])).append(QLatin1Char(kHex[c & 15]));
    else encoded.append(QLatin1Char(static_cast<char>(c)));
  }
  return encoded;
}

bool oxSettingsText::DecodeName(const QString& encoded, oxString* name) {
  const QByteArray bytes = encoded.toLatin1();
  if (QString::fromLatin1(bytes) != encoded) return false;  // not even Latin-1
  return DecodeBytes(bytes.constData(), bytes.constData() + bytes.size(), name);
}

QVariant oxSettingsText::ToQt(const oxVariant& value) {
  switch (value.GetType()) {
    case oxVariant::Type::Boolean: return value.GetBoolean();
    case oxVariant::Type::Integer: return value.GetInteger();
    case oxVariant::Type::Long: return static_cast<qlonglong>(value.GetLong());
    case oxVariant::Type::String: return QByteArray::fromStdString(value.GetString());
    case oxVariant::Type::Pointer:
    case oxVariant::Type::Empty: break;
  }
  return {};
}

oxVariant oxSettingsText::FromQt(const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::UnknownType: return {};
    case QMetaType::Bool: return value.toBool();
    case QMetaType::Int: return value.toInt();
    case QMetaType::LongLong: return static_cast<long long>(value.toLongLong());
    default: return value.toByteArray().toStdString();
  }
}

QSettings::SettingsMap oxSettingsText::Read(const QByteArray& text, Findings* findings) {
  Findings unused;
  Findings& found = findings ? *findings : unused;
  found = {};
  QSettings::SettingsMap values;
  const QList<QByteArray> lines = text.split('\n');
  const QByteArray first = lines.isEmpty() ? QByteArray() : lines.front();
  found.earlierForm = first == kEarlierFirstLine || first == QByteArray(kEarlierFirstLine) + '\r';
  auto bad = [&found](qsizetype index, const oxString& problem) {
    if (found.badLines++ == 0) {
      found.firstBadLine = static_cast<int>(index + 1);
      found.firstProblem = problem;
    }
  };

  QString prefix;          // of the section being read
  bool inBadSection = false;  // its header was not read, so neither are its lines
  for (qsizetype i = 0; i < lines.size(); ++i) {
    QByteArray line = lines[i];
    if (line.endsWith('\r')) line.chop(1);
    const QByteArray trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(';') || trimmed.startsWith('#')) continue;
    // The split leaves an empty last piece after a final line break.
    if (i == lines.size() - 1) {
      bad(i, "the line was cut short");
      continue;
    }
    oxString problem;
    Glyphs glyphs;
    if (found.earlierForm && !DecodeGlyphs(line, &glyphs)) {
      bad(i, "the line ends in a lone '\\'");
      continue;
    }
    if (found.earlierForm) glyphs = TrimGlyphs(glyphs.begin(), glyphs.end());
    if (trimmed.startsWith('[')) {
      inBadSection = !(found.earlierForm ? ParseEarlierHeader(glyphs, &prefix, &problem)
                                          : ParseHeader(trimmed, &prefix, &problem));
      if (inBadSection) bad(i, problem);
      continue;
    }
    if (inBadSection) {
      bad(i, "the line is in a section that was not read");
      continue;
    }
    QString key;
    QVariant value;
    const bool read = found.earlierForm ? ParseEarlierEntry(glyphs, &key, &value, &problem)
                                        : ParseEntry(trimmed, &key, &value, &problem);
    if (read) values.insert(prefix + key, value);
    else bad(i, problem);
  }
  return values;
}

QByteArray oxSettingsText::Write(const QSettings::SettingsMap& values) {
  // The map's order would interleave a section's keys with its subsections'
  // ("a/k", "a/m/x", "a/z"), so the lines are gathered per section first.
  std::map<QString, QByteArray> sections;
  for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
    if (!it.value().isValid()) continue;
    const qsizetype slash = it.key().lastIndexOf(u'/');
    QByteArray& lines = sections[slash < 0 ? QString() : it.key().left(slash)];
    lines += it.key().mid(slash + 1).toLatin1() + '=' + EncodeValue(it.value()) + '\n';
  }
  QByteArray text = kFirstLine;
  for (const auto& [prefix, lines] : sections) {
    if (!prefix.isEmpty()) text += '[' + prefix.toLatin1() + "]\n";
    text += lines;
  }
  return text;
}
