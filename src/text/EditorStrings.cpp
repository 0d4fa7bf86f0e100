// The Lines facade: logical-line access, whole-text access and file loading over the row list.
#include "text/EditorStrings.h"

#include "support/NotifyPersistent.h"
#include "support/LineBreaks.h"
#include "text/PlaceCaretAfter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace brenvik {

namespace {
constexpr char kCrLf[] = "\r\n";
constexpr char kEndOfFileMark = 26; // Ctrl+Z

void CheckIndex(int index, int count)
{
    if (index < 0 || index >= count)
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
} // namespace

TEditorStrings::TEditorStrings(TAttachedEditor& editor, const std::shared_ptr<TEditorScreenStrings>& rows)
    : FEditor(editor)
    , FRows(rows)
{
}

int TEditorStrings::GetCount() const
{
    const TEditorScreenStrings& rows = Rows();
    if (!rows.WordWrap() || rows.Count() == 0)
        return rows.Count();
    int lines = 0;
    rows.ForEachRow(0, rows.Count(), [&](std::string_view, std::uint32_t slot1) {
        if ((slot1 & 0xF) != raWrapped)
            ++lines;
    });
    return lines + (rows.RowAttribute(rows.Count() - 1) == raWrapped ? 1 : 0);
}

int TEditorStrings::LineToRow(int index) const
{
    const TEditorScreenStrings& rows = Rows();
    if (!rows.WordWrap() || index <= 0)
        return index;
    int row = 0;
    int ends = 0;
    while (row < rows.Count()) {
        bool lineEnd = rows.RowAttribute(row) != raWrapped || row == rows.Count() - 1;
        ++row;
        if (lineEnd && ++ends == index)
            return row;
    }
    return row;
}

std::string TEditorStrings::Get(int index) const
{
    CheckIndex(index, GetCount());
    const TEditorScreenStrings& rows = Rows();
    if (!rows.WordWrap())
        return std::string(rows.Strings(index));
    std::string text = rows.RowsText(LineToRow(index), -1).Text;
    while (!text.empty() && text.back() == '\n')
        text.resize(text.size() >= 2 ? text.size() - 2 : 0);
    return text;
}

void TEditorStrings::Replace(int row, int count, std::string_view text, int caretRow, std::size_t caretBytes)
{
    FEditor.HideCaret();
    Rows().ReplaceRows(row, count, text);
    PlaceCaretAfter(Rows(), FEditor, caretRow, caretBytes);
    FEditor.ShowCaret();
}

void TEditorStrings::Put(int index, std::string_view text)
{
    CheckIndex(index, GetCount());
    FEditor.CancelSelection();
    int first = LineToRow(index);
    int last = Rows().LineEndRow(first);
    std::string line(text);
    if (Rows().RowAttribute(last) == raBreak)
        line += kCrLf;
    Replace(first, last - first + 1, line, first, line.size());
}

void TEditorStrings::Insert(int index, std::string_view text)
{
    if (index != GetCount())
        CheckIndex(index, GetCount());
    int row = LineToRow(index);
    if (row == Rows().Count()) {
        Add(text);
        return;
    }
    FEditor.CancelSelection();
    std::string line(text);
    line += kCrLf;
    Replace(row, 0, line, row, line.size());
}

int TEditorStrings::Add(std::string_view text)
{
    int result = GetCount();
    FEditor.CancelSelection();
    TEditorScreenStrings& rows = Rows();
    int count = rows.Count();
    std::string line;
    if (count > 0 && rows.RowAttribute(count - 1) != raBreak) {
        line = std::string(rows.Strings(count - 1)) + kCrLf + std::string(text);
        Replace(count - 1, 1, line, count - 1, line.size());
    } else {
        line = std::string(text) + kCrLf;
        Replace(count, 0, line, count, line.size());
    }
    return result;
}

void TEditorStrings::Delete(int index)
{
    CheckIndex(index, GetCount());
    FEditor.CancelSelection();
    int row = LineToRow(index);
    Replace(row, Rows().LineEndRow(row) - Rows().LineStartRow(row) + 1, {}, row, 0);
}

void TEditorStrings::Clear()
{
    Rows().Clear();
}

std::string TEditorStrings::GetTextStr() const
{
    return Rows().Text();
}

void TEditorStrings::SetTextStr(std::string_view text)
{
    TUpdateBatch batch(*this);
    TEditorScreenStrings& rows = Rows();
    rows.Clear();
    ForEachLine(text, [&](std::string_view line) { rows.Add(line); });
    if (!text.empty() && !EndsWithLineBreak(text))
        rows.SetRowAttribute(rows.Count() - 1, raEndOfText);
    if (rows.WordWrap())
        rows.RewrapAll();
    rows.RescanAll();
}

void TEditorStrings::LoadFromFile(const std::string& fileName)
{
    // Opened before the text is cleared: a file that cannot be opened costs the user nothing.
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file)
        throw TFileError("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
    TUpdateBatch batch(*this);
    TEditorScreenStrings& rows = Rows();
    rows.Clear();

    // Rows are appended as the file is read; a line cut by a block boundary is carried over.
    // NUL bytes stay in their row; only a Ctrl+Z that is the very last byte is dropped.
    std::string carried;
    bool skipLineFeed = false;
    bool lastWasEndMark = false;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        std::size_t size = std::fread(buffer.data(), 1, buffer.size(), file.get());
        if (size == 0)
            break;
        std::string_view block(buffer.data(), size);
        TLineBreakFinder finder(block);
        std::size_t start = 0;
        if (skipLineFeed && block[0] == '\n')
            start = 1;
        skipLineFeed = false;
        while (start < block.size()) {
            std::size_t end = finder.Next(start);
            if (end == std::string_view::npos) {
                carried.append(block.substr(start));
                break;
            }
            if (carried.empty()) {
                rows.Add(block.substr(start, end - start));
            } else {
                carried.append(block.substr(start, end - start));
                rows.Add(carried);
                carried.clear();
            }
            start = end + 1;
            if (block[end] == '\r') {
                if (start == block.size())
                    skipLineFeed = true;
                else if (block[start] == '\n')
                    ++start;
            }
        }
        lastWasEndMark = block.back() == kEndOfFileMark;
    }
    if (std::ferror(file.get()))
        throw TFileError("Cannot read file \"" + fileName + "\". " + std::strerror(errno));
    if (lastWasEndMark && !carried.empty())
        carried.pop_back();
    if (!carried.empty()) {
        rows.Add(carried);
        rows.SetRowAttribute(rows.Count() - 1, raEndOfText);
    }
    if (rows.WordWrap())
        rows.RewrapAll();
    rows.RescanAll();
    rows.UpdateEditors();
}

void TEditorStrings::Assign(const TEditorStrings& source)
{
    SetTextStr(source.GetTextStr());
    FEditor.SetCaretRow(Rows().Count());
    FEditor.SetCaretCol(0);
}

void TEditorStrings::Assign(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + kCrLf;
    SetTextStr(text);
    FEditor.SetCaretRow(Rows().Count());
    FEditor.SetCaretCol(0);
}

void TEditorStrings::BeginUpdate()
{
    if (FUpdateCount++ == 0)
        SetUpdateState(true);
}

void TEditorStrings::EndUpdate()
{
    if (--FUpdateCount == 0)
        SetUpdateState(false);
}

void TEditorStrings::SetUpdateState(bool updating)
{
    if (updating) {
        Rows().BeginUpdate();
        FEditor.LinesUpdating(true);
        return;
    }
    Rows().EndUpdate();
    FEditor.LinesUpdating(false);
    Rows().UpdateEditors();
}

} // namespace brenvik
