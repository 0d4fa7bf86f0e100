// What the painter reads of the editor's view: the view objects, the colours and fonts, and
// the geometry of the moment.
#pragma once

#include "editor/EditorGeometry.h"
#include "highlight/Colors.h"

#include <string>

class QFont;
class QPalette;
class QRect;

namespace brenvik {

class TEditorFont;
class TEditorLeftbar;
class TEditorMargin;
class TEditorMarks;
class TEditorRuler;
class TEditorViewInfo;
class TFountain;

class TEditorViewProperties {
public:
    virtual const TEditorViewInfo& View() const = 0;
    virtual const TEditorFont& Font() const = 0;
    virtual TColor Color() const = 0; // the background
    virtual const TEditorLeftbar& Leftbar() const = 0;
    virtual const TEditorRuler& Ruler() const = 0;
    virtual const TEditorMarks& Marks() const = 0;
    virtual const TEditorMargin& Margin() const = 0;
    // The fountain whose tokens are painted.
    virtual TFountain& PaintFountain() const = 0;
    virtual const QFont& TextFont() const = 0;
    virtual const QPalette& Palette() const = 0;
    virtual TEditorGeometry Geometry() const = 0;

    // The owner's hook after each painted row part; the row text is joined only when wanted.
    virtual bool WantsPaintedRows() const = 0;
    virtual void RowPainted(
        const std::string& text, int x, int y, int row, const QRect& rect, bool selected) const = 0;

protected:
    ~TEditorViewProperties() = default;
};

} // namespace brenvik
