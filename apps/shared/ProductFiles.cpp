#include "ProductFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString productDataFile(const QString& name, const QString& buildTreePath) {
    const QString installed = QDir::cleanPath(QCoreApplication::applicationDirPath() + '/' +
                                              NV_DATADIR_FROM_PROGRAM + '/' + name);
    return QFileInfo::exists(installed) ? installed : buildTreePath;
}
