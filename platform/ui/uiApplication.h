// The toolkit application. Wraps the process's QApplication: makes one when
// none exists, otherwise adopts the existing one (tests and hosts that made
// their own), and deletes only what it made.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <memory>
#include <vector>

#include "platform/ui/uiWidget.h"

class uiTranslator;

class uiApplication : public uiObject {
  UI_OBJECT(uiApplication, uiObject)

 public:
  uiApplication(int argc, const oxStlVector<uiString>& args, bool gui);
  ~uiApplication() override;
  uiApplication(const uiApplication&) = delete;
  uiApplication& operator=(const uiApplication&) = delete;

  QObject* GetImpl() const override { return app_; }
  QApplication* GetApplication() const { return app_; }

  // Runs the event loop until the application ends; returns at once when
  // an exit was asked for before the loop started.
  int Exec();
  void ProcessEvents();

  void SetMainWidget(uiWidget* widget) { mainWidget_ = widget; }
  uiWidget* MainWidget() const { return mainWidget_; }

  void InstallTranslator(uiTranslator* translator);
  void RemoveTranslator(uiTranslator* translator);
  // encoding is accepted for callers; text is always UTF-8.
  uiString Translate(const uiString& context, const uiString& source, const uiString& comment,
                     int encoding = 0) const;

  // The ui face of a Qt object, or null.
  static uiObject* WidgetLookup(QObject* object) { return dynamic_cast<uiObject*>(object); }

 private:
  // QApplication keeps references to argc and argv for its whole life.
  int argc_ = 0;
  std::vector<QByteArray> argStorage_;
  std::vector<char*> argv_;
  QApplication* app_ = nullptr;
  bool owned_ = false;
  uiWidget* mainWidget_ = nullptr;
};
