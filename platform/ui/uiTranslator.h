// A translation file (.qm) loaded into a QTranslator.
#pragma once

#include <QTranslator>

#include "platform/ui/uiObject.h"

class uiTranslator : public uiObject {
  UI_OBJECT(uiTranslator, uiObject)

 public:
  explicit uiTranslator(QObject* parent = nullptr, const oxString& name = {});
  ~uiTranslator() override;
  uiTranslator(const uiTranslator&) = delete;
  uiTranslator& operator=(const uiTranslator&) = delete;

  QObject* GetImpl() const override { return translator_; }
  QTranslator* GetTranslator() const { return translator_; }

  // Loads fileName from directory; as QTranslator::load, it also tries the
  // name shortened at each of searchDelimiters, with and without suffix.
  bool Load(const oxString& fileName, const oxString& directory,
            const oxString& searchDelimiters = "_", const oxString& suffix = ".qm");
  bool IsEmpty() const { return translator_->isEmpty(); }

 private:
  QTranslator* translator_;
};
