#pragma once

#include <QString>

// A team's record in one ranking. Counters are 32-bit, so a big league cannot overflow them.
class cResult
{
public:
    QString TeamName;
    int Won = 0;
    int Lost = 0;
    int Nul = 0;
    int ButsPour = 0;
    int ButsContre = 0;
    int Ranking = 0;
    int Deduction = 0; // points taken away by penalties

    struct Points
    {
        int win = 3;
        int loss = 0;
        int draw = 1;
    };

    int points(const Points& p) const
    {
        return Won * p.win + Nul * p.draw + Lost * p.loss - Deduction;
    }
    int played() const { return Won + Nul + Lost; }
    int difference() const { return ButsPour - ButsContre; }
};
