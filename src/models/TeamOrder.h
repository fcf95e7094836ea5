#pragma once

#include "store/Competition.h"

#include <QStringList>
#include <vector>

// The order in which a French reader looks for a team in a list to choose from: "Étoile
// Mâcon" among the E's, case left aside, accents weighing only between otherwise equal names.
// The ranking keeps its own order: its last tie rule reads the competition's team list.
namespace TeamOrder {

QStringList names(const std::vector<store::Team>& teams);
std::vector<store::Team> sorted(std::vector<store::Team> teams);
void sort(QStringList& names);

} // namespace TeamOrder
