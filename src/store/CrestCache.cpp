#include "store/CrestCache.h"

#include "store/DataFiles.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace CrestCache {

namespace {

QString& overridePath()
{
    static QString path;
    return path;
}

QString cachePath(const QString& team, const char* suffix)
{
    const QByteArray hash = QCryptographicHash::hash(team.toUtf8(), QCryptographicHash::Sha256);
    return QDir(folder()).filePath(QString::fromLatin1(hash.toHex().left(32)) +
                                   QLatin1String(suffix));
}

} // namespace

QString folder()
{
    if (!overridePath().isEmpty())
        return overridePath();
    // Where the program was built and may write; never under an installed program's folder.
    const QString appDir = QCoreApplication::applicationDirPath();
    const QFileInfo app(appDir);
    if (DataFiles::besideProgram() && app.isDir() && app.isWritable())
        return QDir(appDir).filePath(QStringLiteral("imaTmp"));
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
        .filePath(QStringLiteral("imaTmp"));
}

void setFolderOverride(const QString& path)
{
    overridePath() = path;
}

QString crestPath(const QString& team)
{
    return cachePath(team, "_bla.tmp");
}

QString iconPath(const QString& team)
{
    return cachePath(team, "_ico.tmp");
}

void clear()
{
    QDir dir(folder());
    if (!dir.exists())
        return;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        dir.remove(name);
}

void remove()
{
    clear();
    QDir().rmdir(folder());
}

} // namespace CrestCache
