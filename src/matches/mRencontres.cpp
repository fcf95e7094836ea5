#include "matches/mRencontres.h"

namespace mRencontres {

int expectedMatches(int teamCount)
{
    return teamCount / 2;
}

QString matchdayLine(int journee, int played, int toPlay, int teamCount)
{
    QString line = QStringLiteral("Journée %1 : ").arg(journee);
    if (played == 0)
        line += QStringLiteral("aucun match joué");
    else
        line += QStringLiteral("%1 %2").arg(played).arg(
            played == 1 ? QStringLiteral("match joué") : QStringLiteral("matchs joués"));
    if (toPlay > 0)
        return line + QStringLiteral(", %1 à jouer.").arg(toPlay);
    return line + QStringLiteral(" sur %1.").arg(expectedMatches(teamCount));
}

} // namespace mRencontres
