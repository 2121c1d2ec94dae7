// What the project tree and the property sheet share about properties:
// their text and the editors that properties name. Not part of the
// library's interface.
#pragma once

#include <QRect>
#include <QString>

class QWidget;

#include "platform/core/oxTypes.h"

namespace oxt {
class Object;
}

namespace fwg {

// The name of the object's property as a view shows it: a document's
// property translated by its client's default profile, any other in the
// library's context.
QString FormatPropertyName(oxt::Object* object, const oxString& name);
// The value of the object's property as a view shows it.
QString FormatPropertyValue(oxt::Object* object, const oxString& name);

// Opens the editor that the object's property names (its editor name, e.g.
// "LayoutEditor") as a popup at `globalRect`; the value chosen there is set
// on the object. One editor is open at a time: opening another, or the
// object's deletion, closes it; so does the closing of the window of
// `anchor`. False when the property names no editor the property-editor
// manager knows.
bool OpenPropertyEditor(oxt::Object* object, const oxString& name, QWidget* anchor,
                        const QRect& globalRect);

}  // namespace fwg
