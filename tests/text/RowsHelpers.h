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

// Rows of a free-standing row list or of the editor's row list.
template <typename List> std::vector<RowShape> RowsOf(const List& rows)
{
    std::vector<RowShape> result;
    for (int i = 0; i < rows.Count(); ++i)
        result.push_back({std::string(rows.Strings(i)), rows.RowAttribute(i)});
    return result;
}

inline TEditorStringList MakeRows(const std::vector<RowShape>& shapes)
{
    TEditorStringList list;
    for (const RowShape& shape : shapes) {
        list.Add(shape.Text);
        list.SetRowAttribute(list.Count() - 1, shape.Attribute);
    }
    return list;
}

// Puts exactly these rows in place of all rows, as no edit could: for setting up awkward layouts.
inline void SetRowsTo(TEditorScreenStrings& rows, const std::vector<RowShape>& shapes)
{
    rows.SetRows(0, rows.Count(), MakeRows(shapes));
}

inline std::ostream& operator<<(std::ostream& out, const RowShape& row)
{
    static const char* names[] = {"raBreak", "raWrapped", "raEndOfText", "raNone"};
    return out << "{\"" << row.Text << "\", " << names[row.Attribute] << "}";
}

} // namespace brenvik::test
