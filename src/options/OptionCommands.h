// Binds the main window's "設定(&O)" and "バージョン情報(&A)..." to the options dialog and the
// about box, which live above the window's library.
#pragma once

namespace brenvik {

class TfrmMain;

void InstallOptionCommands(TfrmMain& window);

} // namespace brenvik
