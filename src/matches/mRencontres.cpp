#include "matches/mRencontres.h"

#include <QLocale>

namespace mRencontres {

QString expectedMatches(int teamCount)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(teamCount / 2.0, 'f', QLocale::FloatingPointShortest);
}

} // namespace mRencontres
