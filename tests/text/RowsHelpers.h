// Shared helpers for row-list tests: building rows and describing them compactly.
#pragma once

#include "text/EditorScreenStrings.h"

#include <string>
#include <string_view>
#include <vector>

namespace brenvik::test {

struct RowSpec {
    std::string Text;
    TRowAttribute Attribute;
    friend bool operator==(const RowSpec&, const RowSpec&) = default;
};

inline std::vector<RowSpec> RowsOf(const TRowAttributeStringList& rows)
{
    std::vector<RowSpec> result;
    for (int i = 0; i < rows.Count(); ++i)
        result.push_back({std::string(rows.Strings(i)), rows.RowAttribute(i)});
    return result;
}

inline void SetRowsTo(TEditorScreenStrings& rows, const std::vector<RowSpec>& specs)
{
    rows.TPointerStringList::Clear();
    for (const RowSpec& spec : specs) {
        rows.Add(spec.Text);
        rows.SetRowAttribute(rows.Count() - 1, spec.Attribute);
    }
}

inline std::ostream& operator<<(std::ostream& out, const RowSpec& row)
{
    static const char* names[] = {"raBreak", "raWrapped", "raEndOfText", "raNone"};
    return out << "{\"" << row.Text << "\", " << names[row.Attribute] << "}";
}

} // namespace brenvik::test
