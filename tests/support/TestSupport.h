#pragma once

#include "store/Database.h"
#include "store/Results.h"
#include "support/Season.h"

#include <QApplication>
#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
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
// Stores these results in the file; fails the test on any error.
void addMatches(const QString& path, const std::vector<store::MatchRow>& rows);

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);

// Puts the test process back in its starting state: scripted message boxes and file
// dialogs, recorded messages cleared, no competition open, empty settings and crest cache.
void resetApplicationState();

// The folder that settings live in during this test run.
QString settingsFolder();

// What a screen reader reads of a list or table: each column's caption and each row's cells
// (the names of the cells, in the order shown), and whether the row is selected.
struct AccessibleTable
{
    QStringList headers;
    std::vector<QStringList> rows;
    std::vector<bool> selected;
};
AccessibleTable readAccessibleTable(QWidget* view);

// The output of vemo-cli with these arguments, as CSV rows under their header.
std::vector<QStringList> cliCsv(const QStringList& args);

// The text of every page of a PDF file, as pdftotext -layout gives it.
QStringList pdfPages(const QString& path);
// Reads the printed cross table back from the pages: each page's caption row "Domicile 1 2 3"
// and the rows under it, "3. Lens 2-1 0-0". Fails the test unless every team of `teams`
// (numbered in that order) has its row on each of those pages with the scores of `results`
// against that page's visitors, left to right. Returns each page's visitor numbers.
std::vector<QList<int>> expectPrintedGrid(const QStringList& pages, const QStringList& teams,
                                          const std::vector<store::MatchRow>& results);

// Runs action on the next modal dialog of type T once it is shown (within 5 seconds), so
// that a test can fill and close a dialog that the code under test opens with exec().
template <class T> void onNextModal(std::function<void(T*)> action)
{
    QTimer::singleShot(0, [action] {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 5000) {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                action(dialog);
                return;
            }
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        ADD_FAILURE() << "no modal dialog of the expected kind was shown";
    });
}

} // namespace testsupport
