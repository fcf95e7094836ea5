#include "store/Utilities.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Utilities {

QString TrimAtNull(const QString& text)
{
    const qsizetype at = text.indexOf(QChar(u'\0'));
    return at < 0 ? text : text.left(at);
}

bool RemoveFile(const QString& path)
{
    return QFile::remove(path);
}

bool MakeFolder(const QString& path)
{
    return QDir().mkpath(path);
}

QString FileNameFromPath(const QString& path)
{
    const qsizetype at =
        qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QDir::separator()));
    return at < 0 ? path : path.mid(at + 1);
}

QString StripExtension(const QString& name)
{
    const qsizetype at = name.lastIndexOf(QLatin1Char('.'));
    return at < 0 ? name : name.left(at);
}

QString Nz(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

bool TryReadFileBytes(const QString& path, QByteArray& bytes)
{
    bytes.clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        bytes.clear();
        return false;
    }
    return true;
}

bool WriteAllBytes(QIODevice& device, const QByteArray& bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = device.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool TryWriteFileBytes(const QString& path, const QByteArray& bytes)
{
    // A throw-away copy of what the competition file holds: written in place, not forced to
    // disk. Unbuffered, a full disk fails the write itself instead of a later flush.
    QFile f(path);
    bool ok = f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) &&
              WriteAllBytes(f, bytes);
    f.close();
    ok = ok && f.error() == QFileDevice::NoError && QFileInfo(path).size() == bytes.size();
    // Nothing half-written stays behind: a reader would take it for the whole picture.
    if (!ok)
        QFile::remove(path);
    return ok;
}

} // namespace Utilities
