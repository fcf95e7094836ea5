#include "store/MatchRules.h"

#include "store/TextChecks.h"

namespace {

quint64 both(int high, int low)
{
    return quint64(quint32(high)) << 32 | quint32(low);
}

const QString kCorrect = QStringLiteral("\nCorrigez les données.");

// Decimal digits only; anything above 255 comes back as 256.
std::optional<int> score(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    int v = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        v = qMin(v * 10 + (c.unicode() - '0'), 256);
    }
    return v;
}

} // namespace

MatchRules::MatchRules(const std::vector<QString>& teams, int teamCount)
    : m_matchdays(store::matchdayCount(teamCount))
{
    for (const QString& t : teams)
        place(t);
    m_teamCount = int(m_names.size());
}

int MatchRules::find(const QString& name) const
{
    const auto exact = m_exact.constFind(name);
    if (exact != m_exact.constEnd())
        return *exact;
    return m_byKey.value(store::teamKey(name), -1);
}

int MatchRules::place(const QString& name)
{
    const int found = find(name);
    if (found >= 0)
        return found;
    const int at = int(m_names.size());
    m_names.push_back(name);
    m_exact.insert(name, at);
    m_byKey.insert(store::teamKey(name), at);
    return at;
}

void MatchRules::addExisting(const store::MatchRow& row)
{
    const int h = place(row.domicile), v = place(row.visiteur);
    m_byDayTeam[both(row.journee, h)].append(row.rowid);
    if (v != h)
        m_byDayTeam[both(row.journee, v)].append(row.rowid);
    m_byPair[both(h, v)].append(row.rowid);
}

bool MatchRules::plays(int journee, int team, std::optional<qint64> skip) const
{
    const auto it = m_byDayTeam.constFind(both(journee, team));
    if (it == m_byDayTeam.constEnd())
        return false;
    for (qint64 rowid : *it)
        if (!skip || rowid != *skip)
            return true;
    return false;
}

MatchRules::Verdict MatchRules::check(const Candidate& c, std::optional<qint64> editedRowid) const
{
    Verdict v;
    const auto refuse = [&v](Refusal r, QString message, int field) {
        v.refusal = r;
        v.message = std::move(message);
        v.field = field;
        return v;
    };
    const QString range =
        QStringLiteral("Le score doit être un nombre entier compris entre 0 et 255.");
    if (c.scoreDomicile.isEmpty())
        return refuse(EmptyHomeScore, QStringLiteral("Entrez le score de l'équipe qui reçoit."), 0);
    if (c.scoreVisiteur.isEmpty())
        return refuse(EmptyAwayScore, QStringLiteral("Entrez le score des visiteurs."), 1);
    const std::optional<int> sh = score(c.scoreDomicile);
    if (!sh || *sh > 255)
        return refuse(ScoreOutOfRange, range, 0);
    const std::optional<int> sv = score(c.scoreVisiteur);
    if (!sv || *sv > 255)
        return refuse(ScoreOutOfRange, range, 1);

    bool dayOk = false;
    const int day = c.journee.trimmed().toInt(&dayOk);
    if (!dayOk || day < 1 || day > m_matchdays)
        return refuse(MatchdayOutOfRange,
                      QStringLiteral("La journée doit être un nombre compris entre 1 et %1.")
                          .arg(m_matchdays),
                      2);
    const int hTeam = find(c.domicile), vTeam = find(c.visiteur);
    if (hTeam < 0 || hTeam >= m_teamCount)
        return refuse(UnknownTeam,
                      QStringLiteral("L'équipe « %1 » n'existe pas dans cette compétition.")
                          .arg(store::shortened(c.domicile)),
                      3);
    if (vTeam < 0 || vTeam >= m_teamCount)
        return refuse(UnknownTeam,
                      QStringLiteral("L'équipe « %1 » n'existe pas dans cette compétition.")
                          .arg(store::shortened(c.visiteur)),
                      4);
    const QString &h = m_names[size_t(hTeam)], &vis = m_names[size_t(vTeam)];

    if (hTeam == vTeam)
        return refuse(SameTeam,
                      h + QStringLiteral(" contre ") + vis + QStringLiteral(" ?") + kCorrect, -1);
    const QString j = QString::number(day);
    if (plays(day, hTeam, editedRowid))
        return refuse(HomeAlreadyPlays,
                      QStringLiteral("La rencontre de ") + h + QStringLiteral(" de la Journée ") +
                          j + QStringLiteral(" est déjà enregistrée.") + kCorrect,
                      -1);
    if (plays(day, vTeam, editedRowid))
        return refuse(AwayAlreadyPlays,
                      QStringLiteral("La rencontre de ") + vis + QStringLiteral(" de la Journée ") +
                          j + QStringLiteral(" est déjà enregistrée.") + kCorrect,
                      -1);
    for (qint64 rowid : m_byPair.value(both(hTeam, vTeam))) {
        if (!editedRowid || rowid != *editedRowid)
            return refuse(PairingRecorded,
                          QStringLiteral("La rencontre ") + h + QStringLiteral(" - ") + vis +
                              QStringLiteral(" est déjà enregistrée.") + kCorrect,
                          -1);
    }
    v.row = {editedRowid.value_or(0), day, h, *sh, vis, *sv};
    return v;
}
