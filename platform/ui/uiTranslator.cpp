#include "platform/ui/uiTranslator.h"

uiTranslator::uiTranslator(QObject* parent, const oxString& name)
    : translator_(new QTranslator(parent)) {
  translator_->setObjectName(uiStr(name));
}

uiTranslator::~uiTranslator() { delete translator_; }

bool uiTranslator::Load(const oxString& fileName, const oxString& directory,
                        const oxString& searchDelimiters, const oxString& suffix) {
  return translator_->load(uiStr(fileName), uiStr(directory), uiStr(searchDelimiters),
                           uiStr(suffix));
}
