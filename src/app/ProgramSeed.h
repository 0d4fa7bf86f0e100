// A new program folder gets the phrase folders installed with the program.
#pragma once

#include <QStringList>

namespace brenvik {

// The folders, each found in the shared data folder, that a program folder lacking them starts with.
inline const QStringList kSeededFolders = {QStringLiteral("Const"), QStringLiteral("p_const")};

// Copies each of kSeededFolders that sharedFolder has and programFolder lacks; what is in
// programFolder (a folder, a file of the same name) is never replaced. A copy is made under a
// temporary name and renamed when complete, so a failed or concurrent copy leaves either the
// whole folder or none. Returns a message for each folder that could not be copied.
QStringList SeedProgramFolder(const QString& programFolder, const QString& sharedFolder);

} // namespace brenvik
