#pragma once

#include "ranking/cResult.h"

#include <QStringList>
#include <QVariant>

// The columns "Pts", "J", "G", "N", "P", "B+", "B-" and "Diff" of a team record.
namespace RecordCells {

QStringList captions();
// The value of column k (0 to 7) of a record.
int value(const cResult& record, const cResult::Points& points, int k);
// The points cell for a list's role: marked "*" when points were taken away, with their count
// in the tooltip and the accessible description; exported as the bare number. Null for the
// other roles.
QVariant pointsCell(const cResult& record, const cResult::Points& points, int role);
// The caption of the column of points taken away, shown when any record has some.
inline const QString kDeductionCaption = QStringLiteral("Pén.");

} // namespace RecordCells
