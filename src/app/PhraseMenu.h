// The fixed-phrase menus of the main window ("定型文") and the builder ("書式").
#pragma once

#include <QString>

#include <functional>

class QAction;
class QMenu;

namespace brenvik {

// Receives the path of the chosen phrase file.
using TPhraseHandler = std::function<void(const QString& path)>;

// The property of a phrase item that holds its file's path: captions are never read back,
// since "&" is a mnemonic and some desktops add accelerators to them.
inline constexpr char kPhrasePathProperty[] = "phrasePath";

// Fills menu from folder: one submenu per sub-folder, one item per file, each level with its
// sub-folders first, sorted by name ignoring case; "&" in names is shown as itself.
void BuildPhraseMenu(QMenu& menu, const QString& folder, const TPhraseHandler& handler);

// Empties menu, then puts update and a separator on top of the phrases of folder.
void RebuildPhraseMenu(QMenu& menu, QAction* update, const QString& folder, const TPhraseHandler& handler);

} // namespace brenvik
