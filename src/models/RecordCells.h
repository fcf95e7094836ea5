#pragma once

#include "standings/cResult.h"

#include <QStringList>
#include <QVariant>

// The columns "Pts", "J", "G", "N", "P", "B+", "B-" and "Diff" of a team record.
namespace RecordCells {

QStringList captions();
// The value of column k (0 to 7) of a record.
int value(const cResult& record, const cResult::Points& points, int k);

} // namespace RecordCells
