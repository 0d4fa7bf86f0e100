// The builder window's start, settings file "Print.ini", closing, wrap and scroll-bar rules.
#include "app/frmPrint.h"

#include "app/LineMarks.h"
#include "app/ProgramFolder.h"
#include "app/SettingsFile.h"
#include "app/WindowParts.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "editor/EditorCaret.h"
#include "editor/EditorEnums.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorRuler.h"
#include "highlight/ConfiguredFountains.h"
#include "highlight/HTMLFountain.h"
#include "text/EditorWrapOption.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QWheelEvent>

#include <algorithm>

namespace brenvik {

namespace {

const QString kWordWrapWindowKey = QStringLiteral("Option/WordWrapWindow");
const QString kVersionKey = QStringLiteral("Option/Version");
constexpr int kVersion = 300;

// 1 and 0 as written, "true" and "false" as a hand may write them; anything else: the default.
bool ReadBool(const QVariant& value, bool fallback)
{
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("1") || text == QLatin1String("true"))
        return true;
    if (text == QLatin1String("0") || text == QLatin1String("false"))
        return false;
    return fallback;
}

} // namespace

TfrmPrint::TfrmPrint(TfrmMain& main)
    : QMainWindow(nullptr)
    , FMain(main)
    , FHTMLFountain(std::make_unique<THTMLFountain>())
    , edrPrint(new TEditor(this))
{
    setObjectName(QStringLiteral("frmPrint"));
    setWindowTitle(QStringLiteral("Print文挿入"));
    // Only the main window's close ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    edrPrint->setObjectName(QStringLiteral("edrPrint"));
    setCentralWidget(edrPrint);
    resize(640, 400);
    ConfigureHTMLFountain(*FHTMLFountain);
    ConfigureEditor();
    ReadSettings();
    edrPrint->SetFountain(FHTMLFountain.get());
    CreateActions();
    CreateMenus();
    MakeConst();

    // Both marks always, in the main window's colours.
    edrPrint->OnDrawLine
        = [this](TEditor* editor, const std::string&, int x, int, int row, const QRect& rect, bool selected) {
              const TMainOptions& options = FMain.Options();
              DrawLineMarks(*editor, row, x, rect, selected,
                  {true, options.TabMarkColor, true, options.DBSpaceMarkColor});
          };
    edrPrint->OnChange = [this](TEditor*) { UpdateScrollBars(); };
    edrPrint->viewport()->installEventFilter(this);
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
        [this] { RunCommand([this] { IdleUpdate(); }); });
    UpdateScrollBars();
}

TfrmPrint::~TfrmPrint()
{
    WriteSettings();
    // The editor refers to the fountain: let it go first.
    delete edrPrint;
}

QString TfrmPrint::SettingsFile() const
{
    return ProgramFolder() + QStringLiteral("/Print.ini");
}

QString TfrmPrint::PhraseFolder() const
{
    return ProgramFolder() + QStringLiteral("/p_const");
}

void TfrmPrint::ConfigureEditor()
{
    TEditorCaret& caret = *edrPrint->Caret();
    caret.SetTabSpaceCount(4);
    caret.SetAutoIndent(true);
    edrPrint->WrapOption()->SetWrapByte(80);
    edrPrint->SetWordWrap(true);
    edrPrint->Ruler()->SetVisible(true);
    edrPrint->Leftbar()->SetVisible(false);
    edrPrint->SetUndoListMax(64);
}

void TfrmPrint::ReadSettings()
{
    // A missing or damaged file leaves the designed settings; the stored reader never throws
    // on bad hexadecimal and keeps what it read before the damage.
    TSettingsFile settings(SettingsFile());
    settings.ReadEditor(*edrPrint, QStringLiteral("edrPrint"));
    settings.ReadComponent(*FHTMLFountain, TSettingsFile::PropertySection, QStringLiteral("HTMLFountain"));
    FWordWrapWindow = ReadBool(settings.Value(kWordWrapWindowKey), true);
}

bool TfrmPrint::WriteSettings()
{
    // At the close a read-only folder loses only the builder's settings; the program ends normally.
    TSettingsFile settings(SettingsFile());
    settings.WriteEditor(*edrPrint, QStringLiteral("edrPrint"));
    settings.WriteComponent(*FHTMLFountain, TSettingsFile::PropertySection, QStringLiteral("HTMLFountain"));
    settings.SetValue(kVersionKey, kVersion);
    settings.SetValue(kWordWrapWindowKey, FWordWrapWindow ? 1 : 0);
    return settings.Sync();
}

void TfrmPrint::FollowWindowWidth()
{
    if (!FWordWrapWindow || !edrPrint->WordWrap() || !isVisible())
        return;
    const int columns
        = std::clamp(edrPrint->VisibleCols(), TEditorWrapOption::MinWrapByte, TEditorWrapOption::MaxWrapByte);
    edrPrint->WrapOption()->SetWrapByte(columns);
}

void TfrmPrint::UpdateScrollBars()
{
    edrPrint->SetScrollBars(
        edrPrint->RowCount() > edrPrint->VisibleRows() ? TEditorEnums::ssBoth : TEditorEnums::ssHorizontal);
}

void TfrmPrint::CloseBuilder()
{
    if (edrPrint->RowCount() > 0 && !edrPrint->ReadOnly()) {
        edrPrint->SelectAll();
        edrPrint->DeleteSelection();
    }
    hide();
}

void TfrmPrint::closeEvent(QCloseEvent* event)
{
    // The window only hides; what was typed goes as one undo step.
    event->accept();
    RunCommand([this] { CloseBuilder(); });
}

void TfrmPrint::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // The editor's columns are known once the layout has run: the rules follow at idle.
    FWrapPending = true;
}

bool TfrmPrint::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edrPrint->viewport() && event->type() == QEvent::Wheel) {
        // One row per notch, as in the main window.
        ScrollWheelRows(*edrPrint, *static_cast<QWheelEvent*>(event), FWheelPending);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace brenvik
