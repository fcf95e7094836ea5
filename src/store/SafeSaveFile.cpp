#include "store/SafeSaveFile.h"

#include "store/Utilities.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace store {

namespace {

QByteArray randomSuffix()
{
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray s(6, Qt::Uninitialized);
    for (char& c : s)
        c = kChars[QRandomGenerator::global()->bounded(int(sizeof kChars - 1))];
    return s;
}

// The temporary files being written, with room kept for a few so that adding one rarely
// allocates.
std::vector<const QByteArray*>& unfinished()
{
    static std::vector<const QByteArray*> files = [] {
        std::vector<const QByteArray*> v;
        v.reserve(8);
        return v;
    }();
    return files;
}

// A write that failed because the file reached the size limit of the process (ulimit -f): the
// file then holds exactly as many bytes as the limit allows.
bool atSizeLimit(int fd)
{
    rlimit limit = {};
    struct stat st = {};
    return fd >= 0 && ::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
           ::fstat(fd, &st) == 0 && rlim_t(st.st_size) >= limit.rlim_cur;
}

} // namespace

SafeSaveFile::SafeSaveFile(const QString& path) : m_path(path) {}

SafeSaveFile::~SafeSaveFile()
{
    cancel();
}

SafeSaveFile::Status SafeSaveFile::open()
{
    cancel();
    if (m_path.isEmpty())
        return Failed;
    const QByteArray target = QFile::encodeName(m_path);
    struct stat st;
    bool replacing = false;
    if (::lstat(target.constData(), &st) == 0) {
        if (S_ISLNK(st.st_mode))
            return Link;
        if (!S_ISREG(st.st_mode))
            return Failed;
        replacing = true;
    } else if (errno != ENOENT) {
        return Failed;
    }

    const QByteArray stem = QFile::encodeName(QFileInfo(m_path).absoluteFilePath()) + '.';
    int fd = -1;
    QByteArray temp;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = stem + randomSuffix();
        // 0666 as for any new file: the umask then applies.
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return Failed;
    }
    if (fd < 0)
        return Failed;
    m_temp = temp;
    unfinished().push_back(&m_temp);
    if ((replacing && ::fchmod(fd, st.st_mode & 07777) != 0) ||
        !m_file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        if (!m_file.isOpen())
            ::close(fd);
        cancel();
        return Failed;
    }
    return Done;
}

SafeSaveFile::Status SafeSaveFile::commit()
{
    if (m_temp.isEmpty())
        return Failed;
    bool ok =
        m_file.flush() && m_file.error() == QFileDevice::NoError && ::fsync(m_file.handle()) == 0;
    const bool tooLarge = !ok && atSizeLimit(m_file.handle());
    m_file.close();
    ok = ok && m_file.error() == QFileDevice::NoError;
    Status status = ok ? Done : tooLarge ? TooLarge : Failed;
    // A link put there while the file was being written is refused all the same.
    if (ok && isLink(m_path))
        status = Link;
    if (status == Done && std::rename(m_temp.constData(), QFile::encodeName(m_path).constData()))
        status = Failed;
    if (status == Done) {
        std::erase(unfinished(), &m_temp);
        m_temp.clear();
    } else
        cancel();
    return status;
}

void SafeSaveFile::removeUnfinished()
{
    for (const QByteArray* path : unfinished())
        ::unlink(path->constData());
}

void SafeSaveFile::cancel()
{
    std::erase(unfinished(), &m_temp);
    if (m_file.isOpen())
        m_file.close();
    if (!m_temp.isEmpty())
        ::unlink(m_temp.constData());
    m_temp.clear();
}

SafeSaveFile::Status SafeSaveFile::save(const QString& path, const QByteArray& bytes)
{
    SafeSaveFile file(path);
    if (const Status opened = file.open(); opened != Done)
        return opened;
    if (!Utilities::WriteAllBytes(file.device(), bytes))
        return atSizeLimit(file.device().handle()) ? TooLarge : Failed;
    return file.commit();
}

SafeSaveFile::Status SafeSaveFile::placeNew(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from), target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return Done;
    int error = errno;
    if (error == EINVAL || error == ENOSYS || error == EOPNOTSUPP) {
        // A file system without that rename: a hard link does not replace anything either.
        if (::link(source.constData(), target.constData()) == 0) {
            ::unlink(source.constData());
            return Done;
        }
        error = errno;
    }
    if (error != EEXIST)
        return Failed;
    return isLink(to) ? Link : Taken;
}

bool SafeSaveFile::isLink(const QString& path)
{
    struct stat st;
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &st) == 0 &&
           S_ISLNK(st.st_mode);
}

QString SafeSaveFile::linkRefusal(const QString& path)
{
    return QStringLiteral("« %1 » est un lien symbolique : Vemo ne l'écrase pas. Choisissez un "
                          "autre nom de fichier.")
        .arg(path);
}

QString SafeSaveFile::describe(Status status, const QString& path, const QString& failedText)
{
    switch (status) {
    case Done:
        return {};
    case Link:
        return linkRefusal(path);
    case TooLarge:
        return QStringLiteral("Le fichier « %1 » dépasse la taille permise.").arg(path);
    default:
        return failedText;
    }
}

} // namespace store
