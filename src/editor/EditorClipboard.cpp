// TEditor's clipboard: plain text as Unicode, the box format as a custom MIME type beside it,
// and the Shift_JIS bytes themselves so that a copy pasted back into an editor is unchanged.
#include "editor/Editor.h"

#include "editor/EditorCharset.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <stdexcept>

namespace brenvik {

namespace {

// The copied bytes: text whose bytes have no Unicode form survives a copy inside Brenvik.
const QString kShiftJisMimeType = QStringLiteral("application/x-brenvik-shift-jis");

// The clipboard's text as Shift_JIS; raises when the text has no Shift_JIS form.
std::string ClipboardBytes(const QMimeData& data)
{
    const QString text = data.text();
    if (data.hasFormat(kShiftJisMimeType)) {
        const QByteArray raw = data.data(kShiftJisMimeType);
        std::string bytes(raw.constData(), size_t(raw.size()));
        if (TEditorCharset::ToUnicode(bytes) == text)
            return bytes;
    }
    std::optional<std::string> bytes = TEditorCharset::FromUnicode(text);
    if (!bytes)
        throw std::runtime_error(TEditorCharset::NoShiftJisMessage().toStdString());
    return *bytes;
}

} // namespace

QString TEditor::BoxMimeType()
{
    return QStringLiteral("application/x-teditor-box-type");
}

void TEditor::CopyToClipboard()
{
    if (!HasSelection())
        return;
    const std::string bytes = SelText();
    const QString text = TEditorCharset::ToUnicode(bytes);
    auto* data = new QMimeData;
    data->setText(text);
    data->setData(kShiftJisMimeType, QByteArray(bytes.data(), qsizetype(bytes.size())));
    if (BoxSelection())
        data->setData(BoxMimeType(), text.toUtf8());
    QGuiApplication::clipboard()->setMimeData(data);
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
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (ReadOnly() || data == nullptr || !data->hasText())
        return;
    const std::string bytes = ClipboardBytes(*data);
    if (data->hasFormat(BoxMimeType()))
        PasteBox(bytes);
    else
        SetSelText(bytes);
}

void TEditor::PasteBoxFromClipboard()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (ReadOnly() || data == nullptr || !data->hasText())
        return;
    PasteBox(ClipboardBytes(*data));
}

} // namespace brenvik
