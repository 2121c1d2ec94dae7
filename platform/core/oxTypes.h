// Basic value types shared by every layer: strings, containers and the
// tagged value used for settings, script arguments and object properties.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

// UTF-8 text at every boundary of the library.
using oxString = std::string;

template <class T>
using oxStlVector = std::vector<T>;

template <class K, class V, class Less = std::less<K>>
using oxStlMap = std::map<K, V, Less>;

// The non-empty parts of `text` between separators, in order
// ("a::b:" split at ':' gives "a", "b").
oxStlVector<oxString> oxSplit(const oxString& text, char separator);

// `text` in single quotes for a one-line message: control bytes as \xHH, the
// quoted text cut after 60 characters (between UTF-8 characters) and "..."
// put after it, so that hostile input can neither break the line nor flood it.
oxString oxQuote(const oxString& text);

// A tagged value: empty, bool, int, long (64-bit), string or untyped pointer.
// Getters convert where a conversion is obvious (numbers and their text,
// "true"/"false"), and otherwise return the type's zero value.
class oxVariant {
 public:
  enum class Type { Empty, Boolean, Integer, Long, String, Pointer };

  oxVariant() = default;
  oxVariant(bool v) : value_(v) {}
  oxVariant(int v) : value_(v) {}
  oxVariant(long v) : value_(static_cast<int64_t>(v)) {}
  oxVariant(long long v) : value_(static_cast<int64_t>(v)) {}
  oxVariant(unsigned v) : value_(static_cast<int64_t>(v)) {}
  oxVariant(const oxString& v) : value_(v) {}
  oxVariant(const char* v) : value_(oxString(v ? v : "")) {}
  oxVariant(void* v) : value_(v) {}
  template <class T>
  oxVariant(T* v) : value_(const_cast<void*>(static_cast<const void*>(v))) {}

  Type GetType() const { return static_cast<Type>(value_.index()); }
  bool IsEmpty() const { return GetType() == Type::Empty; }

  bool GetBoolean() const;
  int GetInteger() const;
  int64_t GetLong() const;
  oxString GetString() const;
  void* GetPointer() const;

  // Text form and back, used by the settings store and session files so
  // that a value reads back with its type.
  static const char* TypeName(Type type);
  static bool TypeFromName(const oxString& name, Type* type);
  static oxVariant FromString(Type type, const oxString& text);

  bool operator==(const oxVariant& other) const { return value_ == other.value_; }
  bool operator!=(const oxVariant& other) const { return !(*this == other); }

 private:
  std::variant<std::monostate, bool, int, int64_t, oxString, void*> value_;
};
