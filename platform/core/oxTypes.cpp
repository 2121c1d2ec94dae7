#include "platform/core/oxTypes.h"

#include <algorithm>
#include <cstdlib>

namespace {

int64_t ParseLong(const oxString& text) {
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  return (end && *end == '\0' && !text.empty()) ? v : 0;
}

}  // namespace

oxStlVector<oxString> oxSplit(const oxString& text, char separator) {
  oxStlVector<oxString> parts;
  oxString::size_type start = 0;
  while (start <= text.size()) {
    auto end = text.find(separator, start);
    if (end == oxString::npos) end = text.size();
    if (end > start) parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

oxString oxQuote(const oxString& text) {
  constexpr size_t kMaxShown = 60;
  static const char kHex[] = "0123456789abcdef";
  oxString shown;
  size_t i = 0;
  for (; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const bool control = c < 0x20 || c == 0x7f;
    if (shown.size() + (control ? 4 : 1) > kMaxShown) break;
    if (control) shown.append("\\x").append(1, kHex[c >> 4]).append(1, kHex[c & 15]);
    else shown += static_cast<char>(c);
  }
  if (i == text.size()) return "'" + shown + "'";
  // Cut between characters, not inside one: bytes of a UTF-8 sequence
  // (never control bytes) were shown one for one.
  auto continues = [&](size_t at) { return (static_cast<unsigned char>(text[at]) & 0xc0) == 0x80; };
  for (int back = 0; back < 3 && i > 0 && continues(i) && !shown.empty(); ++back, --i) shown.pop_back();
  return "'" + shown + "'...";
}

bool oxVariant::GetBoolean() const {
  switch (GetType()) {
    case Type::Boolean: return std::get<bool>(value_);
    case Type::Integer: return std::get<int>(value_) != 0;
    case Type::Long: return std::get<int64_t>(value_) != 0;
    case Type::String: {
      const oxString& s = std::get<oxString>(value_);
      return s == "true" || s == "1";
    }
    case Type::Pointer: return std::get<void*>(value_) != nullptr;
    case Type::Empty: break;
  }
  return false;
}

int oxVariant::GetInteger() const { return static_cast<int>(GetLong()); }

int64_t oxVariant::GetLong() const {
  switch (GetType()) {
    case Type::Boolean: return std::get<bool>(value_) ? 1 : 0;
    case Type::Integer: return std::get<int>(value_);
    case Type::Long: return std::get<int64_t>(value_);
    case Type::String: return ParseLong(std::get<oxString>(value_));
    case Type::Pointer:
    case Type::Empty: break;
  }
  return 0;
}

oxString oxVariant::GetString() const {
  switch (GetType()) {
    case Type::Boolean: return std::get<bool>(value_) ? "true" : "false";
    case Type::Integer: return std::to_string(std::get<int>(value_));
    case Type::Long: return std::to_string(std::get<int64_t>(value_));
    case Type::String: return std::get<oxString>(value_);
    case Type::Pointer:
    case Type::Empty: break;
  }
  return {};
}

void* oxVariant::GetPointer() const {
  return GetType() == Type::Pointer ? std::get<void*>(value_) : nullptr;
}

const char* oxVariant::TypeName(Type type) {
  switch (type) {
    case Type::Empty: return "empty";
    case Type::Boolean: return "bool";
    case Type::Integer: return "int";
    case Type::Long: return "long";
    case Type::String: return "string";
    case Type::Pointer: return "pointer";
  }
  return "empty";
}

bool oxVariant::TypeFromName(const oxString& name, Type* type) {
  for (Type t : {Type::Empty, Type::Boolean, Type::Integer, Type::Long, Type::String,
                 Type::Pointer}) {
    if (name == TypeName(t)) {
      *type = t;
      return true;
    }
  }
  return false;
}

oxVariant oxVariant::FromString(Type type, const oxString& text) {
  switch (type) {
    case Type::Boolean: return oxVariant(text == "true" || text == "1");
    case Type::Integer: return oxVariant(static_cast<int>(ParseLong(text)));
    case Type::Long: return oxVariant(static_cast<long long>(ParseLong(text)));
    case Type::String: return oxVariant(text);
    case Type::Pointer:  // pointers are meaningless outside the process
    case Type::Empty: break;
  }
  return {};
}
