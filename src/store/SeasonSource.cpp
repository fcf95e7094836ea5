#include "store/SeasonSource.h"

#include "store/CsvRecords.h"

#include "store/TextChecks.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>
#include <csv.h>
#include <functional>
#include <numeric>

namespace store {

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

QByteArray withoutBom(const QByteArray& content)
{
    return content.startsWith(kBom) ? content.mid(kBom.size()) : content;
}

QByteArray firstLine(const QByteArray& content)
{
    qsizetype end = 0;
    while (end < content.size() && content[end] != '\n' && content[end] != '\r')
        ++end;
    return content.left(end);
}

// The physical line, 1-based, of the first invalid UTF-8 sequence; 0 when there is none. A line
// break is never part of a longer sequence, so each line can be decoded on its own.
int invalidUtf8Line(const QByteArray& content)
{
    int line = 1;
    qsizetype start = 0;
    while (start <= content.size()) {
        qsizetype end = content.indexOf('\n', start);
        if (end < 0)
            end = content.size();
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(QByteArrayView(content).sliced(start, end - start));
        if (utf8.hasError())
            return line;
        start = end + 1;
        ++line;
    }
    return 0;
}

int lineAt(const QByteArray& content, qsizetype offset)
{
    offset = qBound<qsizetype>(0, offset, content.size());
    return int(std::count(content.begin(), content.begin() + offset, '\n')) + 1;
}

// The football-data columns, with the names the oldest files gave some of them.
enum Column { Date, Home, Away, HomeGoals, AwayGoals, ColumnCount };
const QStringList kColumnNames[ColumnCount] = {{QStringLiteral("Date")},
                                               {QStringLiteral("HomeTeam"), QStringLiteral("HT")},
                                               {QStringLiteral("AwayTeam"), QStringLiteral("AT")},
                                               {QStringLiteral("FTHG"), QStringLiteral("HG")},
                                               {QStringLiteral("FTAG"), QStringLiteral("AG")}};

char separatorOf(const QByteArray& header)
{
    return header.count(';') > header.count(',') ? ';' : ',';
}

// Where each needed column sits in a header; false when one is missing.
bool findColumns(const QStringList& header, int (&column)[ColumnCount])
{
    for (int k = 0; k < ColumnCount; ++k) {
        column[k] = -1;
        for (const QString& name : kColumnNames[k])
            if (column[k] < 0)
                column[k] = int(header.indexOf(name));
        if (column[k] < 0)
            return false;
    }
    return true;
}

QStringList headerCells(const QByteArray& line)
{
    QStringList cells;
    for (const QByteArray& cell : line.split(separatorOf(line))) {
        QString text = QString::fromUtf8(cell).trimmed();
        if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) &&
            text.endsWith(QLatin1Char('"')))
            text = text.mid(1, text.size() - 2).trimmed();
        cells << text;
    }
    return cells;
}

bool looksLikeFootballData(const QByteArray& content)
{
    int column[ColumnCount];
    return findColumns(headerCells(firstLine(content)), column);
}

// "2025/26", "2025-26", "2025/2026" or "2025" at the end of a league's name.
void splitSeason(const QString& full, QString& name, QString& season)
{
    static const QRegularExpression trailing(QStringLiteral(
        R"(^(.*?)[\s,(–-]*(?<![\p{L}\d])((?:19|20)\d\d)(?:\s*[/-]\s*(\d\d(?:\d\d)?))?\)?\s*$)"));
    name = full.trimmed();
    season.clear();
    const QRegularExpressionMatch m = trailing.match(name);
    if (!m.hasMatch())
        return;
    const int first = m.captured(2).toInt();
    if (m.capturedLength(3) == 0) {
        season = m.captured(2);
    } else {
        int second = m.captured(3).toInt();
        if (m.capturedLength(3) == 2) {
            second += first / 100 * 100;
            if (second < first)
                second += 100;
        }
        if (second != first + 1)
            return;
        season = QStringLiteral("%1-%2").arg(first).arg(second);
    }
    name = m.captured(1).trimmed();
}

// The season the dates span: two years when they cross the new year from a start in July to
// December, else the year they start in.
QString seasonOfDates(const std::vector<SourceMatch>& matches)
{
    QDate first, last;
    for (const SourceMatch& m : matches) {
        if (!m.date.isValid())
            continue;
        if (!first.isValid() || m.date < first)
            first = m.date;
        if (!last.isValid() || m.date > last)
            last = m.date;
    }
    if (!first.isValid())
        return {};
    if (last.year() == first.year() + 1 && first.month() >= 7)
        return QStringLiteral("%1-%2").arg(first.year()).arg(last.year());
    return QString::number(first.year());
}

// Collects the matches of either format with the checks they share.
class Builder
{
public:
    Builder(SeasonSource::Format format, SourceError& error) : m_error(error)
    {
        m_source.format = format;
    }

    bool refuse(const QString& message)
    {
        m_error.message = message;
        return false;
    }
    bool refuse(int origin, const QString& reason) { return refuse(prefix(origin) + reason); }
    QString prefix(int origin) const
    {
        return (json() ? QStringLiteral("match %1 : ") : QStringLiteral("ligne %1 : ")).arg(origin);
    }
    bool json() const { return m_source.format == SeasonSource::Format::OpenFootballJson; }

    bool add(SourceMatch m)
    {
        if (int(m_source.matches.size()) >= kMaxSourceMatches)
            return refuse(m.origin, QStringLiteral("le fichier compte plus de %1 matchs : ce n'est "
                                                   "pas une saison de championnat.")
                                        .arg(kMaxSourceMatches));
        m.home = m.home.trimmed();
        m.away = m.away.trimmed();
        if (!nameOk(m.origin, m.home, QStringLiteral("l'équipe qui reçoit")) ||
            !nameOk(m.origin, m.away, QStringLiteral("l'équipe qui se déplace")))
            return false;
        if (m.home == m.away)
            return refuse(
                m.origin,
                QStringLiteral("%1 ne peut pas jouer contre elle-même.").arg(shortened(m.home)));
        const int home = team(m.origin, m.home);
        const int away = home < 0 ? -1 : team(m.origin, m.away);
        if (away < 0)
            return false;
        const auto [it, fresh] = m_pairings.try_emplace(home * (kMaxTeams + 1) + away, m.origin);
        if (!fresh)
            return refuse(m.origin,
                          QStringLiteral("la rencontre %1 - %2 figure deux fois (%3 %4 "
                                         "et %5).")
                              .arg(shortened(m.home), shortened(m.away),
                                   json() ? QStringLiteral("matchs") : QStringLiteral("lignes"))
                              .arg(it->second)
                              .arg(m.origin));
        m_source.matches.push_back(std::move(m));
        return true;
    }

    // Matchdays no season can have. A file may hold only part of a season (the matches left
    // to play): the competition it goes to checks them against its own teams.
    bool checkMatchdays()
    {
        if (m_source.matches.empty())
            return refuse(QStringLiteral("Le fichier ne contient aucun match."));
        constexpr int most = matchdayCount(kMaxTeams);
        for (const SourceMatch& m : m_source.matches)
            if (m.journee < 1 || m.journee > most)
                return refuse(m.origin, QStringLiteral("la journée %1 sort des %2 journées que "
                                                       "peut compter une saison.")
                                            .arg(m.journee)
                                            .arg(most));
        return true;
    }

    bool numberByDate()
    {
        if (m_source.matches.empty())
            return refuse(QStringLiteral("Le fichier ne contient aucun match."));
        return store::numberByDate(m_source, {}, m_error);
    }

    SeasonSource& source() { return m_source; }

private:
    bool nameOk(int origin, const QString& name, const QString& role)
    {
        if (name.isEmpty())
            return refuse(origin, QStringLiteral("%1 n'a pas de nom.").arg(role));
        if (characterCount(name) > kTeamNameLength)
            return refuse(origin, QStringLiteral("le nom d'équipe « %1 » dépasse %2 caractères.")
                                      .arg(shortened(name))
                                      .arg(kTeamNameLength));
        if (hasControlCharacter(name))
            return refuse(origin, QStringLiteral("le nom de %1 contient un caractère de contrôle "
                                                 "(tabulation, retour à la ligne, caractère "
                                                 "nul…).")
                                      .arg(role));
        return true;
    }

    int team(int origin, const QString& name)
    {
        const auto found = m_teams.constFind(name);
        if (found != m_teams.constEnd())
            return *found;
        if (m_source.teams.size() >= kMaxTeams) {
            refuse(origin, QStringLiteral("avec %1, le fichier compte plus de %2 équipes : une "
                                          "compétition en compte au plus %2.")
                               .arg(shortened(name))
                               .arg(kMaxTeams));
            return -1;
        }
        const int index = int(m_source.teams.size());
        m_teams.insert(name, index);
        m_source.teams << name;
        return index;
    }

    SourceError& m_error;
    SeasonSource m_source;
    QHash<QString, int> m_teams;
    std::unordered_map<int, int> m_pairings; // home × 129 + away → the first match's origin
};

// ---- open football JSON ----

struct JsonEntry
{
    QJsonValue match;
    int round = 0; // index in the rounds met
};

std::optional<int> goals(const QJsonValue& v)
{
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (d < 0 || d > 255 || d != std::floor(d))
        return std::nullopt;
    return int(d);
}

bool readJsonMatch(Builder& b, const JsonEntry& entry, int origin, int journee)
{
    if (!entry.match.isObject())
        return b.refuse(origin, QStringLiteral("le match n'est pas un objet JSON."));
    const QJsonObject o = entry.match.toObject();
    SourceMatch m;
    m.origin = origin;
    m.journee = journee;
    const auto teamOf = [&](const char* key, const QString& role, QString& out) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull())
            return b.refuse(origin, QStringLiteral("%1 (« %2 ») manque.").arg(role, key));
        if (!v.isString())
            return b.refuse(origin,
                            QStringLiteral("%1 (« %2 ») n'est pas un texte.").arg(role, key));
        out = v.toString();
        return true;
    };
    if (!teamOf("team1", QStringLiteral("l'équipe qui reçoit"), m.home) ||
        !teamOf("team2", QStringLiteral("l'équipe qui se déplace"), m.away))
        return false;
    const QJsonValue date = o.value(QLatin1String("date"));
    if (!date.isUndefined() && !date.isNull()) {
        m.date = QDate::fromString(date.toString(), Qt::ISODate);
        if (!date.isString() || !m.date.isValid())
            return b.refuse(origin, QStringLiteral("la date (« date ») n'est pas une date "
                                                   "AAAA-MM-JJ."));
    }
    const QString badScore = QStringLiteral("le score doit être deux nombres entiers de 0 à 255.");
    const QJsonValue score = o.value(QLatin1String("score"));
    if (!score.isUndefined() && !score.isNull()) {
        if (!score.isObject())
            return b.refuse(origin, badScore);
        const QJsonValue ft = score.toObject().value(QLatin1String("ft"));
        if (!ft.isUndefined() && !ft.isNull()) {
            const QJsonArray pair = ft.toArray();
            if (!ft.isArray() || pair.size() != 2 || !goals(pair[0]) || !goals(pair[1]))
                return b.refuse(origin, badScore);
            m.homeGoals = goals(pair[0]);
            m.awayGoals = goals(pair[1]);
        }
    } else {
        const QJsonValue s1 = o.value(QLatin1String("score1"));
        const QJsonValue s2 = o.value(QLatin1String("score2"));
        const bool none1 = s1.isUndefined() || s1.isNull();
        const bool none2 = s2.isUndefined() || s2.isNull();
        if (none1 != none2 || (!none1 && (!goals(s1) || !goals(s2))))
            return b.refuse(origin, badScore);
        m.homeGoals = goals(s1);
        m.awayGoals = goals(s2);
    }
    return b.add(std::move(m));
}

std::optional<SeasonSource> readJson(const QByteArray& content, SourceError& error)
{
    Builder b(SeasonSource::Format::OpenFootballJson, error);
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(content, &parse);
    if (parse.error == QJsonParseError::DeepNesting) {
        b.refuse(QStringLiteral("Le fichier JSON est imbriqué trop profondément : ce n'est pas "
                                "un fichier de saison."));
        return std::nullopt;
    }
    if (parse.error != QJsonParseError::NoError) {
        b.refuse(QStringLiteral("ligne %1 : le fichier JSON est mal formé (virgule, guillemet ou "
                                "accolade manquant ?).")
                     .arg(lineAt(content, parse.offset)));
        return std::nullopt;
    }
    const QJsonObject root = doc.object();
    const QJsonValue matchesValue = root.value(QLatin1String("matches"));
    const QJsonValue roundsValue = root.value(QLatin1String("rounds"));
    if (!doc.isObject() || !(matchesValue.isArray() || roundsValue.isArray())) {
        b.refuse(QStringLiteral("Le fichier JSON ne décrit pas une saison : il y faut une liste "
                                "« matches » ou « rounds »."));
        return std::nullopt;
    }
    const QJsonValue nameValue = root.value(QLatin1String("name"));
    if (!nameValue.isUndefined() && !nameValue.isNull() && !nameValue.isString()) {
        b.refuse(QStringLiteral("Le nom de la compétition (« name ») n'est pas un texte."));
        return std::nullopt;
    }

    std::vector<JsonEntry> entries;
    QStringList roundNames;
    const auto tooMany = [&]() {
        b.refuse(QStringLiteral("Le fichier compte plus de %1 matchs : ce n'est pas une saison "
                                "de championnat.")
                     .arg(kMaxSourceMatches));
        return std::nullopt;
    };
    if (matchesValue.isArray()) {
        const QJsonArray all = matchesValue.toArray();
        if (all.size() > kMaxSourceMatches)
            return tooMany();
        QHash<QString, int> rounds;
        for (const QJsonValue& match : all) {
            const QJsonValue round = match.toObject().value(QLatin1String("round"));
            if (!round.isUndefined() && !round.isNull() && !round.isString()) {
                b.refuse(int(entries.size()) + 1,
                         QStringLiteral("la journée (« round ») n'est pas un texte."));
                return std::nullopt;
            }
            const QString name = round.toString().trimmed();
            auto it = rounds.constFind(name);
            if (it == rounds.constEnd()) {
                it = rounds.insert(name, int(roundNames.size()));
                roundNames << name;
            }
            entries.push_back({match, *it});
        }
    } else {
        for (const QJsonValue& round : roundsValue.toArray()) {
            const QJsonObject r = round.toObject();
            const QJsonValue name = r.value(QLatin1String("name"));
            const QJsonValue matches = r.value(QLatin1String("matches"));
            if (!round.isObject() || (!name.isUndefined() && !name.isString()) ||
                !matches.isArray()) {
                b.refuse(QStringLiteral("La journée n° %1 de la liste « rounds » doit être un "
                                        "objet avec un nom (« name ») et une liste de matchs "
                                        "(« matches »).")
                             .arg(roundNames.size() + 1));
                return std::nullopt;
            }
            const QJsonArray list = matches.toArray();
            if (entries.size() + size_t(list.size()) > size_t(kMaxSourceMatches))
                return tooMany();
            for (const QJsonValue& match : list)
                entries.push_back({match, int(roundNames.size())});
            roundNames << name.toString().trimmed();
        }
    }

    // Rounds named with their number keep it; when one has none, all go by their order.
    static const QRegularExpression number(QStringLiteral("\\d+"));
    std::vector<int> journees;
    for (const QString& name : roundNames) {
        const QRegularExpressionMatch m = number.match(name);
        if (!m.hasMatch()) {
            journees.clear();
            break;
        }
        bool ok = false;
        const int j = m.captured().toInt(&ok);
        journees.push_back(ok ? j : -1);
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        const size_t round = size_t(entries[i].round);
        if (!readJsonMatch(b, entries[i], int(i) + 1,
                           journees.empty() ? int(round) + 1 : journees[round]))
            return std::nullopt;
    }
    if (!b.checkMatchdays())
        return std::nullopt;
    SeasonSource& s = b.source();
    splitSeason(nameValue.toString(), s.name, s.season);
    if (s.season.isEmpty())
        s.season = seasonOfDates(s.matches);
    return std::move(s);
}

// ---- football-data CSV ----

using csv::Collector;
using csv::onField;
using csv::onRecord;
using csv::Record;

QDate footballDataDate(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d\\d)/(\\d\\d)/(\\d\\d(?:\\d\\d)?)$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return {};
    int year = m.captured(3).toInt();
    if (m.capturedLength(3) == 2)
        year += 2000;
    return QDate(year, m.captured(2).toInt(), m.captured(1).toInt());
}

std::optional<int> csvGoals(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{1,3}$"));
    if (!digits.match(text).hasMatch() || text.toInt() > 255)
        return std::nullopt;
    return text.toInt();
}

class CsvReader
{
public:
    explicit CsvReader(SourceError& error) : m_b(SeasonSource::Format::FootballDataCsv, error) {}
    ~CsvReader()
    {
        if (m_ready)
            csv_free(&m_parser);
    }

    std::optional<SeasonSource> read(const QByteArray& content)
    {
        if (csv_init(&m_parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
            m_b.refuse(QStringLiteral("Mémoire insuffisante pour lire le fichier CSV."));
            return std::nullopt;
        }
        m_ready = true;
        csv_set_delim(&m_parser, static_cast<unsigned char>(separatorOf(firstLine(content))));
        int number = 1;
        qsizetype start = 0;
        while (start < content.size()) {
            qsizetype end = start;
            while (end < content.size() && content[end] != '\n' && content[end] != '\r')
                ++end;
            if (!line(content.mid(start, end - start), number))
                return std::nullopt;
            if (end + 1 < content.size() && content[end] == '\r' && content[end + 1] == '\n')
                ++end;
            start = end + 1;
            ++number;
        }
        if (csv_fini(&m_parser, onField, onRecord, &m_collector) != 0) {
            m_b.refuse(m_collector.recordLine,
                       QStringLiteral("un guillemet ouvert n'est jamais fermé."));
            return std::nullopt;
        }
        if (!records() || !m_b.numberByDate())
            return std::nullopt;
        SeasonSource& s = m_b.source();
        s.season = seasonOfDates(s.matches);
        return std::move(s);
    }

private:
    bool line(const QByteArray& bytes, int number)
    {
        if (bytes.size() > kMaxSourceLineLength)
            return m_b.refuse(number, QStringLiteral("la ligne dépasse %1 octets : ce n'est pas "
                                                     "une ligne de matchs.")
                                          .arg(kMaxSourceLineLength));
        if (m_collector.pendingStart) {
            m_collector.recordLine = number;
            m_collector.pendingStart = false;
        }
        const QByteArray fed = bytes + '\n';
        if (csv_parse(&m_parser, fed.constData(), size_t(fed.size()), onField, onRecord,
                      &m_collector) != size_t(fed.size()))
            return m_b.refuse(number, QStringLiteral("guillemet mal placé : une valeur entre "
                                                     "guillemets doit commencer et finir par un "
                                                     "guillemet."));
        return records();
    }

    bool records()
    {
        std::vector<Record> ready;
        ready.swap(m_collector.ready);
        for (const Record& r : ready) {
            QStringList fields;
            for (const QByteArray& f : r.fields)
                fields << QString::fromUtf8(f).trimmed();
            if (std::all_of(fields.begin(), fields.end(),
                            [](const QString& f) { return f.isEmpty(); }))
                continue; // blank lines and lines of bare commas
            if (!(m_haveHeader ? row(r.line, fields) : header(r.line, fields)))
                return false;
        }
        return true;
    }

    bool header(int line, const QStringList& fields)
    {
        if (!findColumns(fields, m_column))
            return m_b.refuse(line, QStringLiteral("l'en-tête doit nommer les colonnes Date, "
                                                   "HomeTeam, AwayTeam, FTHG et FTAG."));
        m_haveHeader = true;
        return true;
    }

    bool row(int line, const QStringList& fields)
    {
        const auto field = [&](Column k) { return fields.value(m_column[k]); };
        SourceMatch m;
        m.origin = line;
        m.home = field(Home);
        m.away = field(Away);
        m.date = footballDataDate(field(Date));
        if (!m.date.isValid())
            return m_b.refuse(line, QStringLiteral("la date « %1 » n'est pas une date jj/mm/aa "
                                                   "ou jj/mm/aaaa.")
                                        .arg(shortened(field(Date), 20)));
        const QString hg = field(HomeGoals), ag = field(AwayGoals);
        if (hg.isEmpty() != ag.isEmpty())
            return m_b.refuse(line, QStringLiteral("un seul des deux scores est donné : un match "
                                                   "joué a ses deux scores, un match à jouer "
                                                   "aucun."));
        if (!hg.isEmpty()) {
            m.homeGoals = csvGoals(hg);
            m.awayGoals = csvGoals(ag);
            if (!m.homeGoals || !m.awayGoals)
                return m_b.refuse(line, QStringLiteral("un score doit être un nombre entier de 0 "
                                                       "à 255."));
        }
        return m_b.add(std::move(m));
    }

    Builder m_b;
    csv_parser m_parser{};
    bool m_ready = false;
    Collector m_collector;
    bool m_haveHeader = false;
    int m_column[ColumnCount] = {};
};

bool startsAsJson(const QByteArray& content)
{
    for (char c : content)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return c == '{';
    return false;
}

} // namespace

std::optional<SeasonSource> readSeasonSource(const QByteArray& raw, SourceError& error)
{
    if (raw.size() > kMaxSourceBytes) {
        error.message = QStringLiteral("Le fichier dépasse %1 Mo : ce n'est pas un fichier de "
                                       "saison.")
                            .arg(kMaxSourceBytes / (1024 * 1024));
        return std::nullopt;
    }
    const QByteArray content = withoutBom(raw);
    if (content.trimmed().isEmpty()) {
        error.message = QStringLiteral("Le fichier est vide.");
        return std::nullopt;
    }
    if (const qsizetype nul = content.indexOf('\0'); nul >= 0) {
        error.message = QStringLiteral("ligne %1 : le fichier contient un caractère nul : ce "
                                       "n'est pas un fichier texte.")
                            .arg(lineAt(content, nul));
        return std::nullopt;
    }
    if (const int line = invalidUtf8Line(content)) {
        error.message = QStringLiteral("ligne %1 : le texte n'est pas en UTF-8 valide.").arg(line);
        return std::nullopt;
    }
    if (startsAsJson(content))
        return readJson(content, error);
    if (looksLikeFootballData(content))
        return CsvReader(error).read(content);
    error.message = QStringLiteral("Ce fichier n'est ni une saison au format JSON de football.json "
                                   "ni un fichier CSV de football-data (en-tête Date, HomeTeam, "
                                   "AwayTeam, FTHG, FTAG…).");
    return std::nullopt;
}

std::optional<SeasonSource> readSeasonSource(const QString& path, SourceError& error)
{
    QFile file(path);
    const QString shown = QFileInfo(path).fileName();
    if (!file.open(QIODevice::ReadOnly)) {
        error.message = QStringLiteral("Le fichier « %1 » ne peut pas être ouvert : %2")
                            .arg(shown, file.errorString());
        return std::nullopt;
    }
    // Read one byte more than allowed so that a file too large is seen as such.
    const QByteArray content = file.read(kMaxSourceBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        error.message =
            QStringLiteral("Le fichier « %1 » ne peut pas être lu jusqu'au bout.").arg(shown);
        return std::nullopt;
    }
    return readSeasonSource(content, error);
}

bool looksLikeSeasonSource(const QByteArray& head)
{
    const QByteArray content = withoutBom(head);
    return startsAsJson(content) || looksLikeFootballData(content);
}

bool numberByDate(SeasonSource& source, const std::function<int(const SourceMatch&)>& pinned,
                  SourceError& error)
{
    std::vector<SourceMatch>& matches = source.matches;
    QHash<QString, int> index;
    for (const SourceMatch& m : matches)
        for (const QString* name : {&m.home, &m.away})
            if (!index.contains(*name))
                index.insert(*name, int(index.size()));
    const int n = int(source.teams.size());
    const int count = matchdayCount(n);
    std::vector<int> fixed(matches.size(), 0);
    for (size_t i = 0; i < matches.size() && pinned; ++i)
        if (const int day = pinned(matches[i]); day >= 1 && day <= count)
            fixed[i] = day;
    std::vector<size_t> order(matches.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return matches[a].date < matches[b].date; });

    // Each match goes to the first matchday after both teams' latest where both are free; when
    // none is left, to the earliest where both are free. With fillGaps, a match whose two teams
    // both skipped an earlier matchday goes back there first: a postponed match played late.
    // With trade, a match that finds no matchday with both teams free is fitted in by moving
    // the matches of a few days around: real seasons, whose postponed matches leave the date
    // order no day for some, fit this way.
    std::vector<int> journee(matches.size());
    const size_t teamCount = size_t(index.size());
    const auto teamsOf = [&](size_t i) {
        return std::pair{size_t(index.value(matches[i].home)),
                         size_t(index.value(matches[i].away))};
    };
    const auto attempt = [&](bool fillGaps, bool trade) -> std::optional<size_t> {
        // at[t][d]: the match team t plays on matchday d, or -1.
        std::vector<std::vector<int>> at(teamCount, std::vector<int>(size_t(count) + 1, -1));
        std::fill(journee.begin(), journee.end(), 0);
        const auto place = [&](size_t i, int day) {
            const auto [h, a] = teamsOf(i);
            journee[i] = day;
            at[h][size_t(day)] = at[a][size_t(day)] = int(i);
        };
        const auto unplace = [&](size_t i) {
            const auto [h, a] = teamsOf(i);
            at[h][size_t(journee[i])] = at[a][size_t(journee[i])] = -1;
            journee[i] = 0;
        };
        // Takes the matches off the given days (but those already placed in the file) and puts
        // them back with match i, each on one of those days where both its teams are free, the
        // match with the fewest such days first; leaves everything as it was when that fails.
        // effort bounds the whole search, so that a file that fits no way is refused soon.
        long effort = 2000000;
        const auto reshuffle = [&](size_t i, int wanted, const std::vector<int>& days) {
            std::vector<std::pair<size_t, int>> before;
            for (size_t t = 0; t < teamCount; ++t)
                for (const int d : days)
                    if (const int m = at[t][size_t(d)];
                        m >= 0 && !fixed[size_t(m)] && journee[size_t(m)] == d) {
                        before.emplace_back(size_t(m), d);
                        unplace(size_t(m));
                    }
            std::vector<size_t> moved{i};
            QHash<size_t, int> previous;
            for (const auto& [m, d] : before) {
                moved.push_back(m);
                previous.insert(m, d);
            }
            const std::function<bool(size_t)> search = [&](size_t k) {
                if (k == moved.size())
                    return true;
                if (--effort < 0)
                    return false;
                std::vector<int> options;
                for (size_t j = k; j < moved.size(); ++j) {
                    const auto [h, a] = teamsOf(moved[j]);
                    std::vector<int> free;
                    for (const int d : days)
                        if (at[h][size_t(d)] < 0 && at[a][size_t(d)] < 0)
                            free.push_back(d);
                    if (j == k || free.size() < options.size()) {
                        std::swap(moved[k], moved[j]);
                        options = std::move(free);
                        if (options.empty())
                            break;
                    }
                }
                // A match taken off a day tries it first, then the nearest; match i, the days
                // nearest after its teams' latest.
                const int near = moved[k] == i ? wanted : previous[moved[k]];
                std::stable_sort(options.begin(), options.end(), [&](int x, int y) {
                    return std::abs(x - near) < std::abs(y - near);
                });
                for (const int d : options) {
                    place(moved[k], d);
                    if (search(k + 1))
                        return true;
                    unplace(moved[k]);
                }
                return false;
            };
            if (search(0))
                return true;
            for (const size_t m : moved)
                if (journee[m])
                    unplace(m);
            for (const auto& [m, d] : before)
                place(m, d);
            return false;
        };
        // The days free for one team and the other, and up to two more, reshuffled.
        const auto fit = [&](size_t i, size_t h, size_t a, int wanted) {
            std::vector<int> freeH, freeA;
            for (int d = 1; d <= count; ++d) {
                if (at[h][size_t(d)] < 0)
                    freeH.push_back(d);
                if (at[a][size_t(d)] < 0)
                    freeA.push_back(d);
            }
            // Other days, nearest to the present first.
            std::vector<int> others(static_cast<size_t>(count));
            std::iota(others.begin(), others.end(), 1);
            std::stable_sort(others.begin(), others.end(), [&](int x, int y) {
                return std::abs(x - wanted) < std::abs(y - wanted);
            });
            const size_t n = others.size();
            for (int extra = 0; extra <= 2; ++extra)
                for (const int x : freeH)
                    for (const int y : freeA)
                        for (size_t p = extra ? 0 : n - 1; p < n; ++p)
                            for (size_t q = extra == 2 ? p + 1 : n - 1; q < n; ++q) {
                                std::vector<int> days{x, y};
                                for (const int z :
                                     {extra ? others[p] : 0, extra == 2 ? others[q] : 0})
                                    if (z && z != x && z != y)
                                        days.push_back(z);
                                if (days.size() == size_t(2 + extra) && reshuffle(i, wanted, days))
                                    return true;
                                if (effort < 0)
                                    return false;
                            }
            return false;
        };
        // A match already placed holds its teams on its matchday from the start.
        for (size_t i = 0; i < matches.size(); ++i)
            if (fixed[i])
                place(i, fixed[i]);
        std::vector<int> latest(teamCount, 0);
        for (size_t i : order) {
            const auto [h, a] = teamsOf(i);
            int day = fixed[i];
            if (!day) {
                const auto free = [&](int j) {
                    return at[h][size_t(j)] < 0 && at[a][size_t(j)] < 0;
                };
                const auto first = [&](int from, int to) {
                    for (int j = from; j <= to; ++j)
                        if (free(j))
                            return j;
                    return 0;
                };
                if (fillGaps)
                    day = first(1, std::min(latest[h], latest[a]) - 1);
                if (!day)
                    day = first(std::max(latest[h], latest[a]) + 1, count);
                if (!day)
                    day = first(1, count);
                if (day)
                    place(i, day);
                else if (trade && fit(i, h, a, std::max(latest[h], latest[a]) + 1))
                    day = journee[i];
                else
                    return i;
            }
            latest[h] = std::max(latest[h], day);
            latest[a] = std::max(latest[a], day);
        }
        return std::nullopt;
    };
    std::optional<size_t> stuck = attempt(false, false);
    if (stuck)
        stuck = attempt(true, false);
    if (stuck)
        stuck = attempt(true, true);
    if (stuck) {
        const SourceMatch& m = matches[*stuck];
        error.message = QStringLiteral("ligne %1 : la rencontre %2 - %3 ne trouve aucune journée "
                                       "où les deux équipes sont libres (%4 journées pour %5 "
                                       "équipes).")
                            .arg(m.origin)
                            .arg(shortened(m.home), shortened(m.away))
                            .arg(count)
                            .arg(n);
        return false;
    }
    // A match is out of date order when one of its teams played on a later matchday before it.
    int outOfOrder = 0;
    std::vector<int> latest(teamCount, 0);
    for (size_t i : order) {
        const auto [h, a] = teamsOf(i);
        if (!fixed[i] && journee[i] < std::max(latest[h], latest[a]))
            ++outOfOrder;
        latest[h] = std::max(latest[h], journee[i]);
        latest[a] = std::max(latest[a], journee[i]);
    }
    for (size_t i = 0; i < matches.size(); ++i)
        matches[i].journee = journee[i];
    source.outOfDateOrder = outOfOrder;
    return true;
}

} // namespace store
