#include "ProductFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString installedFile(const QString& pathFromProgram, const QString& buildTreePath) {
    const QString installed =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + '/' + pathFromProgram);
    return QFileInfo::exists(installed) ? installed : buildTreePath;
}

QString productDataFile(const QString& name, const QString& buildTreePath) {
    return installedFile(QStringLiteral(NV_DATADIR_FROM_PROGRAM) + '/' + name, buildTreePath);
}
