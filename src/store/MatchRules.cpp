#include "store/MatchRules.h"

#include "store/TextChecks.h"

namespace {

quint64 both(int high, int low)
{
    return quint64(quint32(high)) << 32 | quint32(low);
}

const QString kCorrect = QStringLiteral("\nCorrigez les données.");

QString scheduledMessage(const QString& team, int day)
{
    return QStringLiteral("%1 a déjà une rencontre à jouer à la Journée %2.").arg(team).arg(day) +
           kCorrect;
}

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

void MatchRules::addFixture(const store::Fixture& f)
{
    const int h = place(f.domicile), v = place(f.visiteur);
    m_fixturesByDayTeam[both(f.journee, h)].append(f.rowid);
    if (v != h)
        m_fixturesByDayTeam[both(f.journee, v)].append(f.rowid);
    m_fixturesByPair[both(h, v)].append(f.rowid);
    m_fixturePair.insert(f.rowid, both(h, v));
    m_fixtureDay.insert(f.rowid, f.journee);
}

void MatchRules::removeFixture(qint64 rowid)
{
    const auto pair = m_fixturePair.constFind(rowid);
    if (pair == m_fixturePair.constEnd())
        return;
    const int h = int(*pair >> 32), v = int(quint32(*pair));
    const int day = m_fixtureDay.value(rowid);
    m_fixturesByDayTeam[both(day, h)].removeAll(rowid);
    m_fixturesByDayTeam[both(day, v)].removeAll(rowid);
    m_fixturesByPair[*pair].removeAll(rowid);
    m_fixturePair.erase(pair);
    m_fixtureDay.remove(rowid);
}

std::optional<qint64> MatchRules::scheduled(int journee, int team, std::optional<qint64> skip,
                                            std::optional<quint64> pairing) const
{
    const auto it = m_fixturesByDayTeam.constFind(both(journee, team));
    if (it == m_fixturesByDayTeam.constEnd())
        return std::nullopt;
    for (qint64 rowid : *it)
        if ((!skip || rowid != *skip) && (!pairing || m_fixturePair.value(rowid) != *pairing))
            return rowid;
    return std::nullopt;
}

bool MatchRules::checkPlaces(const Candidate& c, Verdict& v, int& day, int& hTeam, int& vTeam) const
{
    const auto refuse = [&v](Refusal r, QString message, int field) {
        v.refusal = r;
        v.message = std::move(message);
        v.field = field;
        return false;
    };
    bool dayOk = false;
    day = c.journee.trimmed().toInt(&dayOk);
    if (!dayOk || day < 1 || day > m_matchdays)
        return refuse(MatchdayOutOfRange,
                      QStringLiteral("La journée doit être un nombre compris entre 1 et %1.")
                          .arg(m_matchdays),
                      2);
    hTeam = find(c.domicile);
    vTeam = find(c.visiteur);
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
    if (hTeam == vTeam)
        return refuse(SameTeam,
                      m_names[size_t(hTeam)] + QStringLiteral(" contre ") + m_names[size_t(vTeam)] +
                          QStringLiteral(" ?") + kCorrect,
                      -1);
    return true;
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

    int day = 0, hTeam = -1, vTeam = -1;
    if (!checkPlaces(c, v, day, hTeam, vTeam))
        return v;
    const QString &h = m_names[size_t(hTeam)], &vis = m_names[size_t(vTeam)];
    const QString j = QString::number(day);
    const auto already = [&](const QString& team) {
        return QStringLiteral("La rencontre de ") + team + QStringLiteral(" de la Journée ") + j +
               QStringLiteral(" est déjà enregistrée.") + kCorrect;
    };
    if (plays(day, hTeam, editedRowid))
        return refuse(HomeAlreadyPlays, already(h), -1);
    if (plays(day, vTeam, editedRowid))
        return refuse(AwayAlreadyPlays, already(vis), -1);
    for (qint64 rowid : m_byPair.value(both(hTeam, vTeam))) {
        if (!editedRowid || rowid != *editedRowid)
            return refuse(PairingRecorded,
                          QStringLiteral("La rencontre ") + h + QStringLiteral(" - ") + vis +
                              QStringLiteral(" est déjà enregistrée.") + kCorrect,
                          -1);
    }
    // The fixture of this pairing is the match being played; any other of that matchday
    // keeps its team busy.
    const quint64 pairing = both(hTeam, vTeam);
    if (scheduled(day, hTeam, std::nullopt, pairing))
        return refuse(HomeAlreadyPlays, scheduledMessage(h, day), -1);
    if (scheduled(day, vTeam, std::nullopt, pairing))
        return refuse(AwayAlreadyPlays, scheduledMessage(vis, day), -1);
    const QList<qint64> fixtures = m_fixturesByPair.value(pairing);
    if (!fixtures.isEmpty())
        v.playedFixture = fixtures.first();
    v.row = {editedRowid.value_or(0), day, h, *sh, vis, *sv};
    return v;
}

MatchRules::Verdict MatchRules::checkFixture(const Candidate& c,
                                             std::optional<qint64> movedFixture) const
{
    Verdict v;
    const auto refuse = [&v](Refusal r, QString message) {
        v.refusal = r;
        v.message = std::move(message);
        v.field = -1;
        return v;
    };
    int day = 0, hTeam = -1, vTeam = -1;
    if (!checkPlaces(c, v, day, hTeam, vTeam))
        return v;
    const QString &h = m_names[size_t(hTeam)], &vis = m_names[size_t(vTeam)];
    const QString j = QString::number(day);
    for (int team : {hTeam, vTeam}) {
        const QString& name = m_names[size_t(team)];
        if (plays(day, team, std::nullopt))
            return refuse(team == hTeam ? HomeAlreadyPlays : AwayAlreadyPlays,
                          QStringLiteral("La rencontre de ") + name +
                              QStringLiteral(" de la Journée ") + j +
                              QStringLiteral(" est déjà enregistrée.") + kCorrect);
        if (scheduled(day, team, movedFixture, std::nullopt))
            return refuse(team == hTeam ? HomeAlreadyPlays : AwayAlreadyPlays,
                          scheduledMessage(name, day));
    }
    const quint64 pairing = both(hTeam, vTeam);
    if (!m_byPair.value(pairing).isEmpty())
        return refuse(PairingRecorded, QStringLiteral("La rencontre ") + h + QStringLiteral(" - ") +
                                           vis + QStringLiteral(" est déjà jouée.") + kCorrect);
    for (qint64 rowid : m_fixturesByPair.value(pairing))
        if (!movedFixture || rowid != *movedFixture)
            return refuse(PairingScheduled,
                          QStringLiteral("La rencontre ") + h + QStringLiteral(" - ") + vis +
                              QStringLiteral(" est déjà au calendrier, à la Journée %1.")
                                  .arg(m_fixtureDay.value(rowid)) +
                              kCorrect);
    v.row = {0, day, h, 0, vis, 0};
    return v;
}
