#include "models/TeamOrder.h"

#include <QCollator>
#include <algorithm>

namespace TeamOrder {

namespace {

QCollator frenchCollator()
{
    QCollator collator(QLocale(QLocale::French, QLocale::France));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// Names the collator holds equal keep one order all the same, that of their characters.
bool before(const QCollator& collator, const QString& a, const QString& b)
{
    const int c = collator.compare(a, b);
    return c != 0 ? c < 0 : a < b;
}

} // namespace

void sort(QStringList& names)
{
    const QCollator collator = frenchCollator();
    std::sort(names.begin(), names.end(),
              [&collator](const QString& a, const QString& b) { return before(collator, a, b); });
}

QStringList names(const std::vector<store::Team>& teams)
{
    QStringList out;
    out.reserve(qsizetype(teams.size()));
    for (const store::Team& t : teams)
        out << t.nom;
    sort(out);
    return out;
}

std::vector<store::Team> sorted(std::vector<store::Team> teams)
{
    const QCollator collator = frenchCollator();
    std::sort(teams.begin(), teams.end(), [&collator](const store::Team& a, const store::Team& b) {
        return before(collator, a.nom, b.nom);
    });
    return teams;
}

} // namespace TeamOrder
