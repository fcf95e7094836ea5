#pragma once

#include "store/Database.h"
#include "store/Results.h"

#include <QIODevice>
#include <QString>
#include <functional>

namespace store {

class Competition;

// Adds results read from a CSV file to a competition, all or nothing. The header names the
// columns Journée, Domicile, ScoreDomicile, Visiteur and ScoreVisiteur in any order; the
// separator is ',' or ';'; the text is UTF-8, with or without a byte order mark. Rows are
// checked as they are read and the first refused line stops the read.
class ResultImporter
{
public:
    // A line longer than this is no line of results: the read stops there.
    static constexpr int kMaxLineLength = 1000;

    enum class Status { Imported, Refused, Cancelled, WriteFailed };

    struct Outcome
    {
        Status status = Status::Imported;
        int imported = 0;  // results
        int scheduled = 0; // fixtures added to the calendar
        int line = 0;      // the refused physical line, 0 when the refusal is about the whole file
        QString message;   // French, whole: "ligne 12 : …"
        DbError engine;    // when the write failed

        bool ok() const { return status == Status::Imported; }
    };

    explicit ResultImporter(Competition& competition) : m_competition(competition) {}

    // Told how far the import is, in thousandths; returning false cancels it.
    void setProgress(std::function<bool(int permille)> progress)
    {
        m_progress = std::move(progress);
    }

    Outcome importFile(const QString& path);
    Outcome importFrom(QIODevice& device);

private:
    Competition& m_competition;
    std::function<bool(int)> m_progress;
};

} // namespace store
