#include "cli/CliCommands.h"

#include "cli/CsvReader.h"
#include "cli/TableWriter.h"
#include "standings/mRank.h"
#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/MatchRules.h"
#include "store/Results.h"
#include "store/Utilities.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace Cli {

namespace {

constexpr int kMaxTeams = 128; // 2 x 128 - 2 matchdays is the most a matchday byte can number

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream& err()
{
    static QTextStream s(stderr);
    return s;
}

int fail(Exit code, const QString& message)
{
    err() << "vemo-cli : " << message << Qt::endl;
    return code;
}

const char kUsage[] = R"(Usage : vemo-cli COMMANDE [ARGUMENTS] [OPTIONS]

Commandes :
  new FICHIER.dat --name NOM --season SAISON [--points V,D,N] --teams EQUIPES.txt
      Crée une compétition : ses propriétés, et ses équipes lues dans un fichier
      texte UTF-8, une par ligne. Les points par défaut sont 3,0,1 (victoire,
      défaite, match nul).
  import FICHIER.dat RESULTATS.csv
      Ajoute des résultats. En-tête : Journée, Domicile, ScoreDomicile, Visiteur,
      ScoreVisiteur (dans n'importe quel ordre), séparateur ',' ou ';'. Tout ou
      rien : la première ligne refusée est signalée et rien n'est écrit.
  standings FICHIER.dat [--matchday N] [--kind TYPE] [--format FORMAT]
      Le classement après la journée N (par défaut : tous les résultats).
  history FICHIER.dat EQUIPE [--kind TYPE] [--format FORMAT]
      La place et les chiffres d'une équipe après chaque journée jouée.
  matches FICHIER.dat [--matchday N] [--format FORMAT]
      Les résultats enregistrés, dans la disposition qu'attend « import ».

Options :
  --kind TYPE      general (par défaut), attaque, defense, domicile, exterieur
  --format FORMAT  text (par défaut), csv, json
  -h, --help       affiche cette aide

Codes de sortie : 0 réussite, 1 données refusées, 2 mauvaise utilisation.
)";

struct Parsed
{
    QCommandLineParser parser;
    QStringList positional;
};

QCommandLineOption opt(const char* name, const char* value)
{
    return QCommandLineOption(QString::fromLatin1(name), QString(), QString::fromLatin1(value));
}

// Parses the options of one command; false (with the message already printed) on misuse.
bool parse(Parsed& p, const QStringList& args, const std::vector<QCommandLineOption>& options,
           int positionalCount)
{
    p.parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const auto& o : options)
        p.parser.addOption(o);
    if (!p.parser.parse(QStringList{QStringLiteral("vemo-cli")} + args)) {
        fail(Misuse, p.parser.errorText());
        return false;
    }
    p.positional = p.parser.positionalArguments();
    if (p.positional.size() != positionalCount) {
        fail(Misuse, QStringLiteral("nombre d'arguments incorrect (vemo-cli --help)."));
        return false;
    }
    return true;
}

bool parseKind(const Parsed& p, RankingKind& kind)
{
    static const QStringList names{QStringLiteral("general"), QStringLiteral("attaque"),
                                   QStringLiteral("defense"), QStringLiteral("domicile"),
                                   QStringLiteral("exterieur")};
    const QString value = p.parser.value(QStringLiteral("kind"));
    if (value.isEmpty()) {
        kind = RankingKind::General;
        return true;
    }
    const qsizetype at = names.indexOf(value.toLower());
    if (at < 0) {
        fail(Misuse, QStringLiteral("type de classement inconnu « %1 » (general, attaque, defense, "
                                    "domicile, exterieur).")
                         .arg(value));
        return false;
    }
    kind = RankingKind(at);
    return true;
}

bool parseFormat(const Parsed& p, TableWriter::Format& format)
{
    const QString value = p.parser.value(QStringLiteral("format")).toLower();
    if (value.isEmpty() || value == QLatin1String("text"))
        format = TableWriter::Text;
    else if (value == QLatin1String("csv"))
        format = TableWriter::Csv;
    else if (value == QLatin1String("json"))
        format = TableWriter::Json;
    else {
        fail(Misuse, QStringLiteral("format inconnu « %1 » (text, csv, json).").arg(value));
        return false;
    }
    return true;
}

bool parseMatchday(const Parsed& p, std::optional<int>& day)
{
    if (!p.parser.isSet(QStringLiteral("matchday")))
        return true;
    bool ok = false;
    const int n = p.parser.value(QStringLiteral("matchday")).toInt(&ok);
    if (!ok || n < 0) {
        fail(Misuse, QStringLiteral("--matchday attend un numéro de journée."));
        return false;
    }
    day = n;
    return true;
}

std::unique_ptr<store::Competition> openCompetition(const QString& path)
{
    store::OpenError error;
    auto c = store::Competition::open(path, error);
    if (!c)
        fail(Refused, store::describeOpenError(error, path));
    return c;
}

QStringList rankingRow(const cResult& r, const cResult::Points& pts)
{
    return {QString::number(r.points(pts)), QString::number(r.played()),
            QString::number(r.Won),         QString::number(r.Nul),
            QString::number(r.Lost),        QString::number(r.ButsPour),
            QString::number(r.ButsContre),  QString::number(r.difference())};
}

const QStringList kRankingColumns{"Pts", "J", "G", "N", "P", "B+", "B-", "Diff"};
const QStringList kMatchColumns{"Journée", "Domicile", "ScoreDomicile", "Visiteur",
                                "ScoreVisiteur"};

int standings(const QStringList& args)
{
    Parsed p;
    if (!parse(p, args, {opt("matchday", "N"), opt("kind", "TYPE"), opt("format", "FORMAT")}, 1))
        return Misuse;
    RankingKind kind;
    TableWriter::Format format;
    std::optional<int> day;
    if (!parseKind(p, kind) || !parseFormat(p, format) || !parseMatchday(p, day))
        return Misuse;
    auto c = openCompetition(p.positional[0]);
    if (!c)
        return Refused;
    std::vector<store::MatchRow> rows;
    if (store::DbError e = store::loadResults(c->db(), day, rows))
        return fail(Refused, e.message);
    const cResult::Points pts = competitionPoints(*c);
    const RankingCollection ranking = ComputeRanking(rows, kind, c->teamList(), pts);
    TableWriter table(QStringList{"Pl", "Equipe"} + kRankingColumns);
    for (int i = 1; i <= ranking.Count(); ++i) {
        const cResult& r = ranking.Item(i);
        table.addRow(QStringList{QString::number(r.Ranking), r.TeamName} + rankingRow(r, pts));
    }
    table.write(out(), format, {1});
    return Ok;
}

int history(const QStringList& args)
{
    Parsed p;
    if (!parse(p, args, {opt("kind", "TYPE"), opt("format", "FORMAT")}, 2))
        return Misuse;
    RankingKind kind;
    TableWriter::Format format;
    if (!parseKind(p, kind) || !parseFormat(p, format))
        return Misuse;
    auto c = openCompetition(p.positional[0]);
    if (!c)
        return Refused;
    const QString team = p.positional[1];
    const auto known =
        std::find_if(c->teamList().begin(), c->teamList().end(), [&](const store::Team& t) {
            return store::teamKey(t.nom) == store::teamKey(team);
        });
    if (known == c->teamList().end())
        return fail(
            Refused,
            QStringLiteral("l'équipe « %1 » n'existe pas dans cette compétition.").arg(team));
    std::vector<store::MatchRow> rows;
    if (store::DbError e = store::loadResults(c->db(), std::nullopt, rows))
        return fail(Refused, e.message);
    const cResult::Points pts = competitionPoints(*c);
    TableWriter table(QStringList{"Jo", "Pl"} + kRankingColumns);
    for (const HistoryEntry& h : RankingHistory(rows, kind, c->teamList(), pts, known->nom))
        table.addRow(QStringList{QString::number(h.journee), QString::number(h.record.Ranking)} +
                     rankingRow(h.record, pts));
    table.write(out(), format, {});
    return Ok;
}

int matches(const QStringList& args)
{
    Parsed p;
    if (!parse(p, args, {opt("matchday", "N"), opt("format", "FORMAT")}, 1))
        return Misuse;
    TableWriter::Format format;
    std::optional<int> day;
    if (!parseFormat(p, format) || !parseMatchday(p, day))
        return Misuse;
    auto c = openCompetition(p.positional[0]);
    if (!c)
        return Refused;
    std::vector<store::MatchRow> rows;
    store::DbError e = day ? store::loadMatchday(c->db(), *day, rows)
                           : store::loadResults(c->db(), std::nullopt, rows);
    if (e)
        return fail(Refused, e.message);
    std::stable_sort(
        rows.begin(), rows.end(),
        [](const store::MatchRow& a, const store::MatchRow& b) { return a.journee < b.journee; });
    TableWriter table(kMatchColumns);
    for (const store::MatchRow& r : rows)
        table.addRow({QString::number(r.journee), r.domicile, QString::number(r.scoreDomicile),
                      r.visiteur, QString::number(r.scoreVisiteur)});
    table.write(out(), format, {1, 3});
    return Ok;
}

int import(const QStringList& args)
{
    Parsed p;
    if (!parse(p, args, {}, 2))
        return Misuse;
    const QString csvPath = p.positional[1];
    QByteArray text;
    if (!Utilities::TryReadFileBytes(csvPath, text))
        return fail(Refused, QStringLiteral("impossible de lire le fichier « %1 ».").arg(csvPath));
    auto c = openCompetition(p.positional[0]);
    if (!c)
        return Refused;

    std::vector<CsvRecord> records;
    QString error;
    if (!readCsv(text, detectSeparator(text), records, error))
        return fail(Refused, error);
    if (records.empty())
        return fail(Refused, QStringLiteral(
                                 "le fichier CSV est vide : il faut au moins la ligne d'en-tête."));
    int column[5];
    for (int k = 0; k < 5; ++k) {
        column[k] = int(records[0].fields.indexOf(kMatchColumns[k]));
        if (column[k] < 0)
            return fail(
                Refused,
                QStringLiteral("la colonne « %1 » manque dans l'en-tête.").arg(kMatchColumns[k]));
    }

    std::vector<QString> names;
    for (const store::Team& t : c->teamList())
        names.push_back(t.nom);
    MatchRules rules(names, c->teamCount());
    std::vector<store::MatchRow> stored;
    if (store::DbError e = store::loadResults(c->db(), std::nullopt, stored))
        return fail(Refused, e.message);
    for (const store::MatchRow& r : stored)
        rules.addExisting(r);

    std::vector<store::MatchRow> accepted;
    for (size_t i = 1; i < records.size(); ++i) {
        const CsvRecord& rec = records[i];
        if (rec.fields.size() == 1 && rec.fields[0].trimmed().isEmpty())
            continue;
        const auto field = [&](int k) { return rec.fields.value(column[k]).trimmed(); };
        MatchRules::Verdict v = rules.check({field(0), field(1), field(2), field(3), field(4)});
        if (!v.accepted())
            return fail(Refused, QStringLiteral("ligne %1 : %2")
                                     .arg(rec.line)
                                     .arg(v.message.replace(QLatin1Char('\n'), QLatin1Char(' '))));
        v.row.rowid = -qint64(i); // not stored yet: an identity of its own
        rules.addExisting(v.row);
        accepted.push_back(v.row);
    }

    store::Database& db = c->db();
    store::Transaction tx(db);
    if (tx.beginError())
        return fail(Refused, tx.beginError().message);
    for (const store::MatchRow& r : accepted)
        if (store::DbError e = db.addRow(QStringLiteral("Résultats"),
                                         {{QStringLiteral("Journée"), r.journee},
                                          {QStringLiteral("Domicile"), r.domicile},
                                          {QStringLiteral("ScoreDomicile"), r.scoreDomicile},
                                          {QStringLiteral("Visiteur"), r.visiteur},
                                          {QStringLiteral("ScoreVisiteur"), r.scoreVisiteur}}))
            return fail(Refused, QStringLiteral("écriture impossible : %1").arg(e.message));
    if (store::DbError e = tx.commit())
        return fail(Refused, QStringLiteral("écriture impossible : %1").arg(e.message));
    out() << QStringLiteral("%1 résultat(s) ajouté(s).").arg(accepted.size()) << Qt::endl;
    return Ok;
}

bool parsePoints(const QString& text, int pts[3])
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3)
        return false;
    for (int k = 0; k < 3; ++k) {
        bool ok = false;
        pts[k] = parts[k].trimmed().toInt(&ok);
        if (!ok || pts[k] < 0 || pts[k] > 255)
            return false;
    }
    return true;
}

int create(const QStringList& args)
{
    Parsed p;
    if (!parse(p, args,
               {opt("name", "NOM"), opt("season", "SAISON"), opt("points", "V,D,N"),
                opt("teams", "FICHIER")},
               1))
        return Misuse;
    for (const char* required : {"name", "season", "teams"})
        if (!p.parser.isSet(QString::fromLatin1(required)))
            return fail(Misuse, QStringLiteral("l'option --%1 est obligatoire.")
                                    .arg(QString::fromLatin1(required)));
    const QString path = p.positional[0];
    const QString name = p.parser.value(QStringLiteral("name")).trimmed();
    const QString season = p.parser.value(QStringLiteral("season")).trimmed();
    int pts[3] = {3, 0, 1};
    if (p.parser.isSet(QStringLiteral("points")) &&
        !parsePoints(p.parser.value(QStringLiteral("points")), pts))
        return fail(
            Refused,
            QStringLiteral("--points attend trois nombres de 0 à 255 séparés par des virgules "
                           "(victoire, défaite, match nul)."));
    if (name.isEmpty() || season.isEmpty())
        return fail(
            Refused,
            QStringLiteral("le nom et la saison de la compétition ne peuvent pas être vides."));
    if (QFileInfo::exists(path))
        return fail(Refused, QStringLiteral("le fichier « %1 » existe déjà.").arg(path));

    QByteArray list;
    if (!Utilities::TryReadFileBytes(p.parser.value(QStringLiteral("teams")), list))
        return fail(Refused, QStringLiteral("impossible de lire la liste d'équipes « %1 ».")
                                 .arg(p.parser.value(QStringLiteral("teams"))));
    QStringList teams;
    QSet<QString> seen;
    int line = 0;
    for (const QString& raw : QString::fromUtf8(list).split(QLatin1Char('\n'))) {
        ++line;
        const QString team = raw.trimmed();
        if (team.isEmpty())
            continue;
        if (team.size() > 50)
            return fail(Refused, QStringLiteral("ligne %1 : le nom « %2 » dépasse 50 caractères.")
                                     .arg(line)
                                     .arg(team));
        if (seen.contains(store::teamKey(team)))
            return fail(
                Refused,
                QStringLiteral("ligne %1 : l'équipe « %2 » figure deux fois.").arg(line).arg(team));
        seen.insert(store::teamKey(team));
        teams << team;
    }
    if (teams.size() < 2)
        return fail(Refused, QStringLiteral("il est nécessaire d'avoir au moins 2 équipes."));
    if (teams.size() > kMaxTeams)
        return fail(Refused,
                    QStringLiteral("une compétition compte au plus %1 équipes.").arg(kMaxTeams));

    const QDir appDir(QCoreApplication::applicationDirPath());
    QByteArray crest, icon;
    if (!Utilities::TryReadFileBytes(appDir.filePath(QStringLiteral("Blason générique.gif")),
                                     crest) ||
        !Utilities::TryReadFileBytes(appDir.filePath(QStringLiteral("Blason générique_24.ico")),
                                     icon))
        return fail(Refused, QStringLiteral("les blasons génériques sont introuvables dans « %1 ».")
                                 .arg(appDir.path()));

    // Built beside the target under another name, then put in place whole.
    const QString work = path + QStringLiteral(".partial");
    QFile::remove(work);
    const auto abandon = [&](const QString& why) {
        QFile::remove(work);
        return fail(Refused, QStringLiteral("création impossible : %1").arg(why));
    };
    if (store::DbError e = store::createCompetitionFile(work))
        return abandon(e.message);
    {
        store::DbError e;
        auto db = store::Database::open(work, store::competitionKey(), e);
        if (!db)
            return abandon(e.message);
        store::Transaction tx(*db);
        const std::pair<const char*, QVariant> props[] = {{"Championnat", name},
                                                          {"Saison", season},
                                                          {"PtsWinner", pts[0]},
                                                          {"PtsLooser", pts[1]},
                                                          {"PtsEquality", pts[2]}};
        for (const auto& [prop, value] : props)
            if ((e = store::writeProperty(*db, QString::fromLatin1(prop), value)))
                return abandon(e.message);
        for (const QString& team : teams)
            if ((e = db->addRow(QStringLiteral("Equipes"), {{QStringLiteral("Nom"), team},
                                                            {QStringLiteral("Blason"), crest},
                                                            {QStringLiteral("Icone"), icon}})))
                return abandon(e.message);
        if ((e = tx.commit()) || (e = db->close()))
            return abandon(e.message);
    }
    if (QFileInfo::exists(path) || !QFile::rename(work, path))
        return abandon(QStringLiteral("le fichier « %1 » ne peut pas être écrit.").arg(path));
    out() << QStringLiteral("Compétition « %1 » créée avec %2 équipes.").arg(name).arg(teams.size())
          << Qt::endl;
    return Ok;
}

} // namespace

int run(const QStringList& args)
{
    out().setEncoding(QStringConverter::Utf8);
    err().setEncoding(QStringConverter::Utf8);
    if (args.isEmpty())
        return fail(Misuse, QStringLiteral("commande manquante (vemo-cli --help)."));
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        out() << QString::fromUtf8(kUsage);
        out().flush();
        return Ok;
    }
    const QString command = args.first();
    const QStringList rest = args.mid(1);
    try {
        if (command == QLatin1String("new"))
            return create(rest);
        if (command == QLatin1String("import"))
            return import(rest);
        if (command == QLatin1String("standings"))
            return standings(rest);
        if (command == QLatin1String("history"))
            return history(rest);
        if (command == QLatin1String("matches"))
            return matches(rest);
    } catch (const std::exception& e) {
        return fail(Refused, QString::fromUtf8(e.what()));
    }
    return fail(Misuse, QStringLiteral("commande inconnue « %1 » (vemo-cli --help).").arg(command));
}

} // namespace Cli
