#include "platform/ui/uiMessageBox.h"

#include <QMessageBox>

namespace {

uiMessageBox::Interceptor& CurrentInterceptor() {
  static uiMessageBox::Interceptor interceptor;
  return interceptor;
}

QMessageBox::StandardButton ToQt(int code) {
  switch (code) {
    case uiMessageBox::Ok: return QMessageBox::Ok;
    case uiMessageBox::Cancel: return QMessageBox::Cancel;
    case uiMessageBox::Yes: return QMessageBox::Yes;
    case uiMessageBox::No: return QMessageBox::No;
    case uiMessageBox::Abort: return QMessageBox::Abort;
    case uiMessageBox::Retry: return QMessageBox::Retry;
    case uiMessageBox::Ignore: return QMessageBox::Ignore;
    default: return QMessageBox::NoButton;
  }
}

int Show(uiMessageBox::Icon icon, uiWidget* parent, const oxString& caption,
         const oxString& text, int b0, int b1, int b2) {
  if (const auto& intercept = CurrentInterceptor()) return intercept(icon, caption, text);
  static const QMessageBox::Icon kIcons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                             QMessageBox::Warning, QMessageBox::Critical};
  QMessageBox box(kIcons[static_cast<int>(icon)], uiStr(caption), uiStr(text), QMessageBox::NoButton,
                  uiImpl(parent));
  for (int code : {b0, b1, b2}) {
    if (code) box.addButton(ToQt(code));
  }
  if (box.buttons().isEmpty()) box.addButton(QMessageBox::Ok);
  const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
  for (int code : {b0, b1, b2}) {
    if (code && ToQt(code) == pressed) return code;
  }
  return uiMessageBox::NoButton;
}

}  // namespace

int uiMessageBox::Critical(uiWidget* parent, const oxString& caption, const oxString& text,
                           int b0, int b1, int b2) {
  return Show(Icon::Critical, parent, caption, text, b0, b1, b2);
}

int uiMessageBox::Warning(uiWidget* parent, const oxString& caption, const oxString& text,
                          int b0, int b1, int b2) {
  return Show(Icon::Warning, parent, caption, text, b0, b1, b2);
}

int uiMessageBox::Information(uiWidget* parent, const oxString& caption,
                              const oxString& text, int b0, int b1, int b2) {
  return Show(Icon::Information, parent, caption, text, b0, b1, b2);
}

void uiMessageBox::SetInterceptor(Interceptor interceptor) {
  CurrentInterceptor() = std::move(interceptor);
}
