#pragma once

#include "controls/MessageBox.h"
#include "matches/frmEditRencontre.h"
#include "store/Competition.h"
#include "store/Results.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace matchtest {

// Up to twenty teams; the small leagues hold LENS, BREST, LILLE, CAEN, then ANGERS, NICE.
QStringList league(int count = 20);

class MatchesFixture : public testing::Test
{
protected:
    // A competition file with these teams and results, opened as the current competition.
    void open(const QStringList& teams, const std::vector<store::MatchRow>& matches = {});
    // Writes a result straight into the open competition; returns its rowid.
    qint64 addMatch(int journee, const QString& domicile, int sd, const QString& visiteur, int sv);
    std::vector<store::MatchRow> stored();
    store::Database& db() { return store::CurrentCompetition::get()->db(); }

    // The messages shown since the last call, as "icon|text" for readable failures.
    QStringList messages();

    testsupport::TempDir dir;
    QString path;
};

// Sets the five fields of an entry window; a team that is not listed leaves its list as is.
void fill(frmEditRencontre& entry, int journee, const QString& domicile, const QString& sd,
          const QString& visiteur, const QString& sv);
void save(frmEditRencontre& entry);

// Runs steps on the match entry window once it is shown modally; closes it afterwards if the
// steps left it open, so that a failing test never stalls.
void whenEntryShown(std::function<void(frmEditRencontre&)> steps);

// "Journée 3 LENS 2-1 LILLE" for a row, to compare lists of results.
QStringList describe(const std::vector<store::MatchRow>& rows);

} // namespace matchtest
