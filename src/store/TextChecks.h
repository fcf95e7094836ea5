#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Checks and shortening of the texts that users and files hand to the program.
namespace store {

inline constexpr int kTeamNameLength = 50;
// 2 × 128 − 2 matchdays is the most a matchday byte can number.
inline constexpr int kMaxTeams = 128;

// The matchdays of a season of n teams: 2n − 2 when n is even; 2n when n is odd, since each team
// then rests once in each half. None below two teams.
constexpr int matchdayCount(int teamCount)
{
    if (teamCount < 2)
        return 0;
    return teamCount % 2 == 0 ? 2 * teamCount - 2 : 2 * teamCount;
}

// Characters as the file's length() counts them: a character outside the BMP counts once.
qsizetype characterCount(QStringView text);
// The text cut to at most max characters, ending with "…" when it was cut.
QString shortened(const QString& text, int max = 60);
// A C0 or C1 control character, or DEL.
bool hasControlCharacter(QStringView text);
// Why stored text bytes cannot be a name or a reason (not UTF-8, or a control character), in
// French to follow what they are ("un nom d'équipe …"); empty when they can. Their length is the
// file's own check.
QString storedTextProblem(QByteArrayView bytes);
// A text cell as a spreadsheet must show it: one that a spreadsheet would take for a formula
// (starting with =, +, - or @, after any apostrophes) gets an apostrophe in front; numbers
// such as "-3" or "-12,50" stay as they are.
QString spreadsheetText(const QString& value);
// The text of a cell written by spreadsheetText.
QString fromSpreadsheetText(const QString& cell);
// Why a team name (already trimmed) cannot be stored, in French; empty when it can.
QString teamNameProblem(const QString& name);

} // namespace store
