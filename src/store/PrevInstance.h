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
    // A folder that only this user can create files in: $XDG_RUNTIME_DIR when it is the user's
    // own, else a folder of the user's in the temporary folder. Empty when neither can be had.
    static QString socketFolder();
    // The socket's full path, per settings location so that separate test runs never meet;
    // empty without a private folder.
    static QString defaultServerName();

    // A bare name is placed in socketFolder(); a path is used as given.
    explicit PrevInstance(const QString& serverName = defaultServerName(),
                          QObject* parent = nullptr);
    ~PrevInstance() override;

    // The socket's full path; empty when there is no safe place for it.
    QString path() const { return m_path; }

    // True when a running instance of this user was found and asked to come forward.
    bool ActivatePrevInstance(int timeoutMs = 1000);
    // True when a running instance of this user was found and asked to open path (an absolute
    // path: the running instance has a current folder of its own).
    bool OpenInPrevInstance(const QString& path, int timeoutMs = 1000);
    // Starts listening for later starts; false if another instance already listens, if the
    // socket belongs to someone else or if there is no safe place for it.
    bool listen();

signals:
    void activationRequested();
    void openRequested(const QString& path);

private:
    bool send(const QByteArray& request, int timeoutMs);
    void handle(const QByteArray& line);

    QString m_path;
    QLocalServer* m_server = nullptr;
};
