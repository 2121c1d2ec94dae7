#include "platform/ui/uiApplication.h"

#include <dlfcn.h>

#include <thread>

#include "platform/ui/uiManager.h"
#include "platform/ui/uiTranslator.h"

namespace {

// Reading the font configuration (some fifty files and the font caches)
// is most of what the first text a window measures costs, and none of it
// needs the window system: a worker thread does it while the toolkit
// connects to the display, and the toolkit then finds it done. The font
// configuration library is thread-safe and comes with the toolkit's GUI
// library where the toolkit uses it; elsewhere the symbol is missing and
// nothing runs.
std::thread ReadFontConfiguration() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  using Init = int (*)();
  if (auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"))) {
    return std::thread([init] { init(); });
  }
#endif
  return {};
}

}  // namespace

uiApplication::uiApplication(int argc, const oxStlVector<uiString>& args, bool /*gui*/) {
  if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
    app_ = existing;
    return;
  }
  const int count = std::max(0, std::min<int>(argc, static_cast<int>(args.size())));
  for (int i = 0; i < count; ++i) argStorage_.push_back(args[i].toLocal8Bit());
  for (QByteArray& arg : argStorage_) argv_.push_back(arg.data());
  argv_.push_back(nullptr);
  argc_ = count;
  std::thread fonts = ReadFontConfiguration();
  app_ = new QApplication(argc_, argv_.data());
  if (fonts.joinable()) fonts.join();
  owned_ = true;
}

uiApplication::~uiApplication() {
  if (owned_) delete app_;
}

int uiApplication::Exec() {
  uiManager* manager = uiManager::Get();
  if (manager->TakeExitRequest()) return 0;
  manager->SetRunning(true);
  const int code = QApplication::exec();
  manager->SetRunning(false);
  manager->TakeExitRequest();
  return code;
}

void uiApplication::ProcessEvents() { QCoreApplication::processEvents(); }

void uiApplication::InstallTranslator(uiTranslator* translator) {
  if (translator) QCoreApplication::installTranslator(translator->GetTranslator());
}

void uiApplication::RemoveTranslator(uiTranslator* translator) {
  if (translator) QCoreApplication::removeTranslator(translator->GetTranslator());
}

uiString uiApplication::Translate(const uiString& context, const uiString& source,
                                  const uiString& comment, int /*encoding*/) const {
  const QByteArray c = context.toUtf8();
  const QByteArray s = source.toUtf8();
  const QByteArray d = comment.toUtf8();
  return QCoreApplication::translate(c.constData(), s.constData(),
                                     comment.isEmpty() ? nullptr : d.constData());
}
