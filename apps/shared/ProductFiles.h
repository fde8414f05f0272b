// Files that ship with the product and that its programs read (sample documents and contacts,
// the PPD, the other programs).
#pragma once

#include <QString>

// The installed copy of the product's data file name, found from the running program's own
// folder (share/sendra-fax/ beside bin/, so an unpacked tree works anywhere) when it exists,
// else buildTreePath, the file a program of the build tree reads. Needs the QCoreApplication.
QString productDataFile(const QString& name, const QString& buildTreePath);
// The same for any installed file, given by its path from the running program's folder.
QString installedFile(const QString& pathFromProgram, const QString& buildTreePath);
