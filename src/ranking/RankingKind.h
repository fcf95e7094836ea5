#pragma once

#include <QStringList>

enum class RankingKind : int { General = 0, Attaque = 1, Defense = 2, Domicile = 3, Exterieur = 4 };

// The five labels, in the order of their values; every kind list shows them so.
inline QStringList rankingKindLabels()
{
    return {QStringLiteral("Général"), QStringLiteral("Attaque"), QStringLiteral("Defense"),
            QStringLiteral("Domicile"), QStringLiteral("Extérieur")};
}

inline bool isRankingKind(int value)
{
    return value >= 0 && value <= 4;
}
