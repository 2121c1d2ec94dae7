// A keyboard shortcut made from text such as "Ctrl+S"; empty text is no
// shortcut.
#pragma once

#include <QKeySequence>

#include "platform/ui/uiObject.h"

class uiKeySequence {
 public:
  uiKeySequence() = default;
  explicit uiKeySequence(const oxString& text)
      : sequence_(QKeySequence::fromString(uiStr(text), QKeySequence::PortableText)) {}
  explicit uiKeySequence(const QKeySequence& sequence) : sequence_(sequence) {}

  bool IsEmpty() const { return sequence_.isEmpty(); }
  oxString ToString() const { return oxStr(sequence_.toString(QKeySequence::PortableText)); }
  const QKeySequence& GetSequence() const { return sequence_; }

  bool operator==(const uiKeySequence& other) const { return sequence_ == other.sequence_; }
  bool operator!=(const uiKeySequence& other) const { return !(*this == other); }

 private:
  QKeySequence sequence_;
};
