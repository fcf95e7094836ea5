#include "store/PrevInstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QSettings>
#include <QUrl>

Q_LOGGING_CATEGORY(lcInstance, "vemo.instance", QtWarningMsg)

namespace {
// One request per line: "activate", or "open " and the percent-encoded path, which may hold
// any character, a line break too.
constexpr char kActivate[] = "activate";
constexpr char kOpen[] = "open ";
// A line longer than this is no request of ours: the connection is dropped.
constexpr qsizetype kMaxLine = 64 * 1024;
} // namespace

QString PrevInstance::defaultServerName()
{
    const QSettings probe(QSettings::UserScope, QStringLiteral("Zelto App Vemo"));
    const QByteArray who = qgetenv("USER") + '\n' + probe.fileName().toUtf8();
    return QStringLiteral("vemo-") +
           QString::fromLatin1(
               QCryptographicHash::hash(who, QCryptographicHash::Sha1).toHex().left(16));
}

PrevInstance::PrevInstance(QString serverName, QObject* parent)
    : QObject(parent), m_name(std::move(serverName))
{
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
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
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
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_name)) {
        // A socket left by an instance that crashed: take it over unless someone answers.
        if (ActivatePrevInstance(300)) {
            delete server;
            return false;
        }
        QLocalServer::removeServer(m_name);
        if (!server->listen(m_name)) {
            delete server;
            return false;
        }
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
