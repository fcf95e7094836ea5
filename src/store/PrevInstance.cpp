#include "store/PrevInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QSettings>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcInstance, "vemo.instance", QtWarningMsg)

namespace {
// One request per line: "activate", or "open " and the percent-encoded path, which may hold
// any character, a line break too.
constexpr char kActivate[] = "activate";
constexpr char kOpen[] = "open ";
// A line longer than this is no request of ours: the connection is dropped.
constexpr qsizetype kMaxLine = 64 * 1024;
constexpr int kProbeMs = 300;

// The folder itself, not a link to it, so that no one else can add or replace a file in it.
bool isPrivateFolder(const QByteArray& path)
{
    struct stat st = {};
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

enum class Holder { Nobody, User, Other };

Holder socketHolder(const QString& path)
{
    struct stat st = {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return Holder::Nobody;
    return S_ISSOCK(st.st_mode) && st.st_uid == ::geteuid() ? Holder::User : Holder::Other;
}

bool peerIsUser(qintptr fd)
{
    ucred peer = {};
    socklen_t size = sizeof peer;
    return ::getsockopt(int(fd), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           size == sizeof peer && peer.uid == ::geteuid();
}

// A listening socket at path, or -1 with errno set. Unlike QLocalServer::listen() with access
// options, which renames its socket over the path, a file already there is never replaced.
int bindSocket(const QByteArray& path)
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof address.sun_path) {
        errno = ENAMETOOLONG;
        return -1;
    }
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    if (::chmod(path.constData(), S_IRWXU) != 0 || ::listen(fd, 50) != 0) {
        const int error = errno;
        ::unlink(path.constData());
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

bool answers(const QString& path)
{
    QLocalSocket probe;
    probe.connectToServer(path);
    return probe.waitForConnected(kProbeMs);
}
} // namespace

QString PrevInstance::socketFolder()
{
    const QString runtime = QDir::cleanPath(qEnvironmentVariable("XDG_RUNTIME_DIR"));
    if (QDir::isAbsolutePath(runtime) && isPrivateFolder(QFile::encodeName(runtime)))
        return runtime;
    const QString temp = QDir::tempPath();
    if (!QDir::isAbsolutePath(temp))
        return {};
    const QString own = QDir(temp).filePath(QStringLiteral("vemo-%1").arg(::geteuid()));
    const QByteArray encoded = QFile::encodeName(own);
    // A folder already there is used only if it is the user's own and private: it is never
    // put right, as someone else may have made it.
    ::mkdir(encoded.constData(), S_IRWXU);
    if (isPrivateFolder(encoded))
        return own;
    qCWarning(lcInstance) << "no private folder for the instance socket:" << own << "refused";
    return {};
}

QString PrevInstance::defaultServerName()
{
    const QString folder = socketFolder();
    if (folder.isEmpty())
        return {};
    const QSettings probe(QSettings::UserScope, QStringLiteral("Zelto App Vemo"));
    const QByteArray where = probe.fileName().toUtf8();
    return folder + QStringLiteral("/vemo-") +
           QString::fromLatin1(
               QCryptographicHash::hash(where, QCryptographicHash::Sha1).toHex().left(16));
}

PrevInstance::PrevInstance(const QString& serverName, QObject* parent) : QObject(parent)
{
    if (serverName.startsWith(QLatin1Char('/'))) {
        m_path = serverName;
    } else if (!serverName.isEmpty()) {
        const QString folder = socketFolder();
        if (!folder.isEmpty())
            m_path = folder + QLatin1Char('/') + serverName;
    }
}

PrevInstance::~PrevInstance() = default;

bool PrevInstance::ActivatePrevInstance(int timeoutMs)
{
    return send(QByteArray(kActivate) + '\n', timeoutMs);
}

bool PrevInstance::OpenInPrevInstance(const QString& path, int timeoutMs)
{
    return send(kOpen + QUrl::toPercentEncoding(path) + '\n', timeoutMs);
}

bool PrevInstance::send(const QByteArray& request, int timeoutMs)
{
    // Only an instance of this user's hears anything: the socket file must be the user's, and
    // so must the process that answers on it.
    const Holder holder = m_path.isEmpty() ? Holder::Nobody : socketHolder(m_path);
    if (holder == Holder::Other)
        qCWarning(lcInstance) << "the instance socket is not the user's:" << m_path;
    if (holder != Holder::User)
        return false;
    QLocalSocket socket;
    socket.connectToServer(m_path);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    if (!peerIsUser(socket.socketDescriptor())) {
        qCWarning(lcInstance) << "the instance socket is held by another user:" << m_path;
        socket.abort();
        return false;
    }
    socket.write(request);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // Wait for the answer so that the request is seen before this process ends.
    socket.waitForReadyRead(timeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool PrevInstance::listen()
{
    if (m_server)
        return true;
    if (m_path.isEmpty())
        return false;
    const QByteArray encoded = QFile::encodeName(m_path);
    int fd = bindSocket(encoded);
    if (fd < 0 && errno == EADDRINUSE) {
        // A socket left by an instance that crashed is taken over; one that answers, or that
        // is not the user's, stays.
        const Holder holder = socketHolder(m_path);
        if (holder == Holder::Other)
            qCWarning(lcInstance) << "the instance socket is not the user's:" << m_path;
        if (holder != Holder::User || answers(m_path))
            return false;
        ::unlink(encoded.constData());
        fd = bindSocket(encoded);
    }
    if (fd < 0) {
        const int error = errno;
        qCWarning(lcInstance) << "cannot listen on" << m_path << ":" << std::strerror(error);
        return false;
    }
    auto* server = new QLocalServer(this);
    if (!server->listen(qintptr(fd))) {
        ::unlink(encoded.constData());
        ::close(fd);
        delete server;
        return false;
    }
    m_server = server;
    connect(server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = m_server->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            connect(s, &QLocalSocket::readyRead, s, [this, s] {
                // A request may come in pieces: only whole lines are read.
                while (s->canReadLine()) {
                    const QByteArray line = s->readLine(kMaxLine).trimmed();
                    s->write("ok\n");
                    s->flush();
                    handle(line);
                }
                if (s->bytesAvailable() > kMaxLine)
                    s->abort();
            });
        }
    });
    return true;
}

void PrevInstance::handle(const QByteArray& line)
{
    if (line == kActivate) {
        qCInfo(lcInstance) << "activation requested";
        emit activationRequested();
    } else if (line.startsWith(kOpen)) {
        const QString path = QUrl::fromPercentEncoding(line.mid(qsizetype(sizeof(kOpen) - 1)));
        if (path.isEmpty())
            return;
        qCInfo(lcInstance) << "open requested" << path;
        emit openRequested(path);
    }
}
