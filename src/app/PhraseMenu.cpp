// Phrase menus built from the phrase tree.
#include "app/PhraseMenu.h"

#include "app/PhraseFolder.h"

#include <QMenu>

namespace brenvik {

namespace {

QString Caption(const QString& name)
{
    QString caption = name;
    return caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void AddEntries(QMenu& menu, const std::vector<TPhraseEntry>& entries, const TPhraseHandler& handler)
{
    for (const TPhraseEntry& entry : entries) {
        if (entry.Folder) {
            AddEntries(*menu.addMenu(Caption(entry.Name)), entry.Entries, handler);
            continue;
        }
        QAction* item = menu.addAction(Caption(entry.Name));
        item->setProperty(kPhrasePathProperty, entry.Path);
        const QString path = entry.Path;
        QObject::connect(item, &QAction::triggered, item, [handler, path] { handler(path); });
    }
}

} // namespace

void BuildPhraseMenu(QMenu& menu, const QString& folder, const TPhraseHandler& handler)
{
    AddEntries(menu, ScanPhraseFolder(folder), handler);
}

void RebuildPhraseMenu(QMenu& menu, QAction* update, const QString& folder, const TPhraseHandler& handler)
{
    // clear() deletes the items the menu owns but leaves submenus, which are its child widgets.
    for (QAction* action : menu.actions())
        if (QMenu* sub = action->menu())
            sub->deleteLater();
    menu.clear();
    menu.addAction(update);
    menu.addSeparator();
    BuildPhraseMenu(menu, folder, handler);
}

} // namespace brenvik
