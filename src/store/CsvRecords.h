#pragma once

#include <QByteArray>
#include <QList>
#include <vector>

// The records that libcsv's callbacks gather while lines are parsed, with the physical line
// each starts on: the program's own results CSV and the football-data files read them alike.
namespace store::csv {

struct Record
{
    int line = 0;
    QList<QByteArray> fields;
};

struct Collector
{
    QList<QByteArray> fields;
    std::vector<Record> ready;
    int recordLine = 0;
    bool pendingStart = true; // the next non-blank line starts a record
    qsizetype recordBytes = 0;
};

// libcsv's callbacks, with a Collector as their context.
void onField(void* data, size_t size, void* context);
void onRecord(int terminator, void* context);

} // namespace store::csv
