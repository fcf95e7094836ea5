#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running Vemo per user: a second start asks the first to come to the front, then ends.
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
    // Starts listening for later starts; false if another instance already listens.
    bool listen();

signals:
    void activationRequested();

private:
    QString m_name;
    QLocalServer* m_server = nullptr;
};
