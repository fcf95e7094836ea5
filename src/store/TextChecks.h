#pragma once

#include <QString>
#include <QStringView>

// Checks and shortening of the texts that users and files hand to the program.
namespace store {

inline constexpr int kTeamNameLength = 50;

// Characters as the file's length() counts them: a character outside the BMP counts once.
qsizetype characterCount(QStringView text);
// The text cut to at most max characters, ending with "…" when it was cut.
QString shortened(const QString& text, int max = 60);
// A C0 or C1 control character, or DEL.
bool hasControlCharacter(QStringView text);
// Why a team name (already trimmed) cannot be stored, in French; empty when it can.
QString teamNameProblem(const QString& name);

} // namespace store
