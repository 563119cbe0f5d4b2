#pragma once
// Where the program's files are, and names written with backslashes as on
// Windows mapped onto this file system.
#include <QString>

namespace platform {

// The program folder: the folder of the executable, ending in '/'.
// Tests may point it elsewhere with setProgramFolder.
QString programFolder();
void setProgramFolder(const QString &folder);

// Maps a path that may use backslashes and any letter case onto an existing
// file or folder, component by component, matching names regardless of
// letter case. A component that exists in no case keeps its spelling, so
// the result can still be used to create the file.
QString resolvePath(const QString &path);
// True when resolvePath(path) names an existing file.
bool fileExists(const QString &path);

} // namespace platform
