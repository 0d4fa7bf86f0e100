// TEditor's clipboard and X primary selection: plain text as Unicode with LF line breaks, the
// box format as a custom MIME type beside it, and the Shift_JIS bytes themselves so that a
// copy pasted back into an editor is unchanged.
#include "editor/Editor.h"

#include "jcode/SjisUnicode.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <optional>

namespace brenvik {

namespace {

// The copied bytes: text whose bytes have no Unicode form survives a copy inside Brenvik.
const QString kShiftJisMimeType = QStringLiteral("application/x-brenvik-shift-jis");

// Other Linux programs take LF line breaks; a terminal would show the CR of CR LF.
QString WithLineFeeds(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QMimeData* CreateMimeData(const std::string& bytes, bool box, const TDocumentChars& chars)
{
    const QString text = SjisToUnicode(bytes, chars);
    auto* data = new QMimeData;
    data->setText(WithLineFeeds(text));
    data->setData(kShiftJisMimeType, QByteArray(bytes.data(), qsizetype(bytes.size())));
    if (box)
        data->setData(TEditor::BoxMimeType(), text.toUtf8());
    return data;
}

// The data's text as Shift_JIS: our own bytes while they still match the plain text, else
// the text converted as typed text is; empty when refused or cancelled.
std::optional<std::string> MimeDataBytes(const QMimeData& data, TEditor& editor)
{
    const QString text = data.text();
    if (data.hasFormat(kShiftJisMimeType)) {
        const QByteArray raw = data.data(kShiftJisMimeType);
        std::string bytes(raw.constData(), size_t(raw.size()));
        if (WithLineFeeds(SjisToUnicode(bytes, editor.DocumentChars())) == text)
            return bytes;
    }
    return editor.TakeInput(text, true);
}

// Pastes at the caret (replacing the selection): as a box when asked or when the data
// carries the box format.
void PasteMimeData(TEditor& editor, const QMimeData* data, bool asBox)
{
    if (editor.ReadOnly() || data == nullptr || !data->hasText())
        return;
    const std::optional<std::string> bytes = MimeDataBytes(*data, editor);
    if (!bytes)
        return;
    if (asBox || data->hasFormat(TEditor::BoxMimeType()))
        editor.PasteBox(*bytes);
    else
        editor.SetSelText(*bytes);
}

} // namespace

QString TEditor::BoxMimeType()
{
    return QStringLiteral("application/x-teditor-box-type");
}

void TEditor::CopyToClipboard()
{
    if (HasSelection())
        QGuiApplication::clipboard()->setMimeData(CreateMimeData(SelText(), BoxSelection(), DocumentChars()));
}

void TEditor::CutToClipboard()
{
    if (!HasSelection())
        return;
    CopyToClipboard();
    DeleteSelection();
}

void TEditor::PasteFromClipboard()
{
    PasteMimeData(*this, QGuiApplication::clipboard()->mimeData(), false);
}

void TEditor::PasteBoxFromClipboard()
{
    PasteMimeData(*this, QGuiApplication::clipboard()->mimeData(), true);
}

void TEditor::SelectAll()
{
    FModel->SelectAll();
    CopyToPrimarySelection();
}

void TEditor::CopyToPrimarySelection()
{
    QClipboard& clipboard = *QGuiApplication::clipboard();
    if (HasSelection() && clipboard.supportsSelection())
        clipboard.setMimeData(CreateMimeData(SelText(), BoxSelection(), DocumentChars()), QClipboard::Selection);
}

void TEditor::PastePrimarySelection(QPoint point)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Selection);
    if (ReadOnly() || data == nullptr || !data->hasText())
        return;
    // The text lands where the click was, whatever is selected (often the text itself).
    const TEditorPos position = PositionAt(point);
    CancelSelection();
    SetRowCol(position.Row, position.Col);
    PasteMimeData(*this, data, false);
}

} // namespace brenvik
