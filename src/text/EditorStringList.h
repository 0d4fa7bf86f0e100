// A free-standing row list: the rows that a text splits into, before they enter the editor's rows.
#pragma once

#include "text/RowAttributeStringList.h"

namespace brenvik {

class TEditorStringList : public TRowAttributeStringList { };

} // namespace brenvik
