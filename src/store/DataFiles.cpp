#include "store/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef VEMO_DATA_FROM_BIN
#define VEMO_DATA_FROM_BIN "../share/vemo"
#endif

namespace DataFiles {

QString folder(const QString& programFolder)
{
    const QString installed =
        QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(VEMO_DATA_FROM_BIN)));
    return QFileInfo(installed).isDir() ? installed : programFolder;
}

QString folder()
{
    return folder(QCoreApplication::applicationDirPath());
}

QString path(const QString& name)
{
    return QDir(folder()).filePath(name);
}

bool besideProgram()
{
    return folder() == QCoreApplication::applicationDirPath();
}

} // namespace DataFiles
