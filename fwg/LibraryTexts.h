// The library's own texts (captions, buttons, messages), translated in its
// translation context "fwg" (translations/fwg_<locale>.ts).
#pragma once

#include <QString>

#include "platform/oxapp/Application.h"

namespace fwg {

inline oxString TranslateLibraryText(const char* text) {
  return oxapp::Application::Get()->TranslateMessage("fwg", text);
}

inline QString TranslateLibraryQText(const char* text) {
  return QString::fromStdString(TranslateLibraryText(text));
}

}  // namespace fwg
