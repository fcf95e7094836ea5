#include "models/RecordCells.h"

namespace RecordCells {

QStringList captions()
{
    return {QStringLiteral("Pts"), QStringLiteral("J"),   QStringLiteral("G"),
            QStringLiteral("N"),   QStringLiteral("P"),   QStringLiteral("B+"),
            QStringLiteral("B-"),  QStringLiteral("Diff")};
}

int value(const cResult& r, const cResult::Points& points, int k)
{
    switch (k) {
    case 0:
        return r.points(points);
    case 1:
        return r.played();
    case 2:
        return r.Won;
    case 3:
        return r.Nul;
    case 4:
        return r.Lost;
    case 5:
        return r.ButsPour;
    case 6:
        return r.ButsContre;
    default:
        return r.difference();
    }
}

} // namespace RecordCells
