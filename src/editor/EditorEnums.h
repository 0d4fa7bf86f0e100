// Enumerations of the editor's view properties, published so that stored settings keep their names.
#pragma once

#include <QObject>

namespace brenvik {

class TEditorEnums {
    Q_GADGET
public:
    enum TCaretStyle { csDefault, csBrief };
    Q_ENUM(TCaretStyle)
    enum TDragMode { dmManual, dmAutomatic };
    Q_ENUM(TDragMode)
    enum TShowNumberMode { nmRow, nmLine };
    Q_ENUM(TShowNumberMode)
    enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
    Q_ENUM(TScrollStyle)
    enum TBorderStyle { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)
};

using TCaretStyle = TEditorEnums::TCaretStyle;
using TDragMode = TEditorEnums::TDragMode;
using TShowNumberMode = TEditorEnums::TShowNumberMode;
using TScrollStyle = TEditorEnums::TScrollStyle;
using TBorderStyle = TEditorEnums::TBorderStyle;
using enum TEditorEnums::TCaretStyle;
using enum TEditorEnums::TDragMode;
using enum TEditorEnums::TShowNumberMode;
using enum TEditorEnums::TScrollStyle;
using enum TEditorEnums::TBorderStyle;

} // namespace brenvik
