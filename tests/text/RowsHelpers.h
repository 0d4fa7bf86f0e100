// Shared helpers for row-list tests: building rows and describing them compactly.
#pragma once

#include "text/EditorScreenStrings.h"

#include <string>
#include <string_view>
#include <vector>

namespace brenvik::test {

struct RowShape {
    std::string Text;
    TRowAttribute Attribute;
    friend bool operator==(const RowShape&, const RowShape&) = default;
};

inline std::vector<RowShape> RowsOf(const TRowAttributeStringList& rows)
{
    std::vector<RowShape> result;
    for (int i = 0; i < rows.Count(); ++i)
        result.push_back({std::string(rows.Strings(i)), rows.RowAttribute(i)});
    return result;
}

inline void SetRowsTo(TEditorScreenStrings& rows, const std::vector<RowShape>& shapes)
{
    rows.TPointerStringList::Clear();
    for (const RowShape& shape : shapes) {
        rows.Add(shape.Text);
        rows.SetRowAttribute(rows.Count() - 1, shape.Attribute);
    }
}

inline std::ostream& operator<<(std::ostream& out, const RowShape& row)
{
    static const char* names[] = {"raBreak", "raWrapped", "raEndOfText", "raNone"};
    return out << "{\"" << row.Text << "\", " << names[row.Attribute] << "}";
}

} // namespace brenvik::test
