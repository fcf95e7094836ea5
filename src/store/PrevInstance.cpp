#include "store/PrevInstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QSettings>

Q_LOGGING_CATEGORY(lcInstance, "vemo.instance", QtWarningMsg)

namespace {
constexpr char kActivate[] = "activate\n";
}

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
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kActivate);
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
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                if (s->readAll().contains("activate")) {
                    s->write("ok\n");
                    s->flush();
                    qCInfo(lcInstance) << "activation requested";
                    emit activationRequested();
                }
            });
        }
    });
    return true;
}
