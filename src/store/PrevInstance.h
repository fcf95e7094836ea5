#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running Vemo per user: a second start asks the first to come to the front, or to open a
// competition file, then ends.
class PrevInstance : public QObject
{
    Q_OBJECT
public:
    // The name is per user and per settings location, so separate test runs never meet.
    static QString defaultServerName();

    explicit PrevInstance(QString serverName = defaultServerName(), QObject* parent = nullptr);
    ~PrevInstance() override;

    // True when a running instance was found and asked to come forward.
    bool ActivatePrevInstance(int timeoutMs = 1000);
    // True when a running instance was found and asked to open path (an absolute path: the
    // running instance has a current folder of its own).
    bool OpenInPrevInstance(const QString& path, int timeoutMs = 1000);
    // Starts listening for later starts; false if another instance already listens.
    bool listen();

signals:
    void activationRequested();
    void openRequested(const QString& path);

private:
    bool send(const QByteArray& request, int timeoutMs);
    void handle(const QByteArray& line);

    QString m_name;
    QLocalServer* m_server = nullptr;
};
