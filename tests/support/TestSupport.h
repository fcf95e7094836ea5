#pragma once

#include "store/Database.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

// Readable QString values in test failures.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace testsupport {

// A folder removed at the end of the test.
class TempDir
{
public:
    TempDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

struct TeamSpec
{
    QString nom;
    QByteArray blason;
    QByteArray icone;
};

// A real competition file with these teams and points; fails the test on any error.
void makeCompetition(const QString& path, const std::vector<TeamSpec>& teams, int win = 3,
                     int loss = 0, int draw = 1);
void makeCompetition(const QString& path, const QStringList& teams);
std::unique_ptr<store::Database> openFile(const QString& path);

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);

// Puts the test process back in its starting state: scripted message boxes and file
// dialogs, recorded messages cleared, no competition open, empty settings and crest cache.
void resetApplicationState();

// The folder that settings live in during this test run.
QString settingsFolder();

} // namespace testsupport
