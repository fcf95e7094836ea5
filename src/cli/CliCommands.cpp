#include "cli/CliCommands.h"

#include "cli/TableWriter.h"
#include "forecast/Backtest.h"
#include "forecast/CompetitionForecast.h"
#include "forecast/MatchModel.h"
#include "forecast/SeasonSimulation.h"
#include "models/ListModel.h"
#include "models/TeamOrder.h"
#include "printing/Renderers.h"
#include "ranking/SeasonAnalysis.h"
#include "ranking/mRank.h"
#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/CompetitionSettings.h"
#include "store/DataFiles.h"
#include "store/Fixtures.h"
#include "store/Penalties.h"
#include "store/PreviousSeason.h"
#include "store/ResultImporter.h"
#include "store/ResultSet.h"
#include "store/Results.h"
#include "store/SafeSaveFile.h"
#include "store/SeasonRecord.h"
#include "store/SeasonUpdate.h"
#include "store/Teams.h"
#include "store/TextChecks.h"
#include "store/Utilities.h"
#include "store/Zones.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QPdfWriter>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTextStream>
#include <limits>

namespace Cli {

namespace {

using store::kMaxTeams;

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
  new FICHIER.dat --name NOM --season SAISON [--points V,D,N]
      [--tiebreak DEPARTAGE] --teams EQUIPES.txt
      Crée une compétition : ses propriétés, et ses équipes lues dans un fichier
      texte UTF-8, une par ligne (2 à 128 équipes, 50 caractères au plus par
      nom, sans caractère de contrôle). Les points par défaut sont 3,0,1
      (victoire, défaite, match nul), le départage par défaut « buts ».
  new FICHIER.dat --from SOURCE [--name NOM] [--season SAISON]
      [--points V,D,N] [--tiebreak DEPARTAGE]
      Crée la compétition d'un fichier de données public, reconnu à son
      contenu : le JSON d'openfootball (football.json) ou le CSV de
      football-data (Date, HomeTeam, AwayTeam, FTHG, FTAG). Ses équipes, ses
      résultats et ses rencontres à jouer (le calendrier) viennent du fichier,
      le nom et la saison aussi quand il les donne ; les matchs du CSV, qui
      n'ont pas de journée, sont numérotés par date. Tout ou rien.
  properties FICHIER.dat [--name NOM] [--season SAISON] [--points V,D,N]
      [--tiebreak DEPARTAGE] [--zones ZONES]
      Sans option, affiche le nom, la saison, les points, le départage et les
      zones de la compétition ; avec des options, les modifie ensemble, vérifiés
      comme à la création. Les zones sont des plages de places nommées, par
      exemple "1:Champion;2-4:Ligue des champions;19-20:Relégation" (places de
      1 au nombre d'équipes, sans chevauchement, noms de 1 à 40 caractères) ;
      --zones "" les retire. --previous AUTRE.dat nomme la saison précédente de
      la ligue (gardée relative au dossier de la compétition quand c'est
      possible ; --previous "" la retire) : ses résultats, plus anciens et
      comptant moins, servent de point de départ aux prévisions.
  penalty FICHIER.dat EQUIPE POINTS --matchday N --reason MOTIF
      Retire POINTS points (1 à 255) à une équipe au classement général, à
      partir de la journée N (1 à la dernière journée), pour ce motif (250
      caractères au plus, sans caractère de contrôle).
  penalties FICHIER.dat [--format FORMAT]
      Les pénalités enregistrées, par équipe puis par journée.
  import FICHIER.dat RESULTATS.csv
      Ajoute des résultats. En-tête : Journée, Domicile, ScoreDomicile, Visiteur,
      ScoreVisiteur (dans n'importe quel ordre), séparateur ',' ou ';'. Tout ou
      rien : la première ligne refusée arrête la lecture, est signalée par son
      numéro dans le fichier, et rien n'est écrit. Une ligne compte au plus 1000
      caractères ; n équipes jouent au plus n×(n−1) rencontres. Une ligne aux
      deux scores vides est une rencontre à jouer, ajoutée au calendrier ; un
      fichier sans colonne de score (Journée, Domicile, Visiteur) est un
      calendrier. Un résultat d'une rencontre du calendrier la retire du
      calendrier.
  import FICHIER.dat SOURCE [--alias "NOM=EQUIPE"]...
      Met la compétition à jour depuis un fichier de données public (JSON
      d'openfootball ou CSV de football-data, reconnu à son contenu), aussi
      souvent qu'il est republié : un résultat déjà enregistré avec le même
      score est ignoré et compté, une rencontre du calendrier qui a désormais
      un score devient un résultat, les nouvelles rencontres à jouer rejoignent
      le calendrier. Un résultat qui contredit celui enregistré (autre score,
      autre journée) est refusé et nommé, et rien n'est écrit. Les équipes
      sont reconnues à leur nom, sans tenir compte des majuscules, ou à un
      autre nom retenu ; un nom inconnu est refusé avec la liste des noms
      inconnus. --alias (répétable) dit quelle équipe un nom désigne, et le
      retient pour les importations suivantes.
  aliases FICHIER.dat [--format FORMAT]
      Les autres noms d'équipe retenus, en colonnes Nom, Equipe.
  predict FICHIER.dat [--matchday N] [--previous AUTRE.dat] [--format FORMAT]
      Les prévisions des rencontres de la journée N (par défaut : la première
      journée qui a une rencontre à jouer au calendrier), jouées ou à jouer,
      dans l'ordre du fichier : colonnes Journée, Domicile, Visiteur, P1, PN, P2
      (probabilités d'une victoire à domicile, d'un nul, d'une victoire à
      l'extérieur), ButsDomicile, ButsVisiteur (buts attendus) et Score (le
      plus probable, « 1-0 »). Elles ne tiennent compte que des résultats des
      journées avant N. En CSV et JSON, les probabilités s'écrivent « 0.4567 » ;
      en texte, « 45,7 % ».
  forecast FICHIER.dat [--matchday N] [--runs R] [--seed S] [--previous AUTRE.dat]
      [--format FORMAT]
      La fin de la saison, simulée R fois (10000 par défaut) à partir des
      résultats jusqu'à la journée N (par défaut : tous) : une ligne par équipe,
      dans l'ordre du classement, avec ses points (Pts), ses points finaux
      attendus (PtsFinal), la meilleure et la pire place encore possibles
      (Meilleure, Pire : jamais fausses), puis la probabilité de finir dans
      chaque zone (une colonne par zone, à son nom) et à chaque place
      (colonnes 1 à n). Restent à jouer les rencontres du
      calendrier et les résultats après N ; sans calendrier, chaque rencontre
      pas encore jouée. Les points, pénalités et départage sont ceux du
      classement. La même graine S (0 par défaut) donne le même résultat, quel
      que soit le nombre de cœurs.
  backtest FICHIER.dat [--from N] [--previous AUTRE.dat]
      Prévoit chaque rencontre jouée à partir de la journée N (1 par défaut)
      avec les seuls résultats des journées d'avant, et donne le RPS, le log
      loss et le score de Brier (plus bas, c'est mieux), comparés à une
      prévision naïve (les fréquences des victoires à domicile, nuls et
      victoires à l'extérieur de la compétition jusque-là), puis la
      calibration par dixièmes de probabilité. predict, forecast et backtest
      partent de la saison précédente de la compétition (properties
      --previous), ou de --previous AUTRE.dat pour une fois : les équipes des
      deux saisons (même nom, sans tenir compte des majuscules) en gardent
      leurs forces, les nouvelles venues partent sous la moyenne, comme des
      promus. Un fichier absent ou illisible est signalé, et les prévisions
      s'en passent.
  schedule FICHIER.dat [--seed N]
      Génère le calendrier : chaque rencontre qui n'est ni jouée ni au
      calendrier reçoit une journée, en aller-retour (méthode du cercle), les
      équipes mélangées selon la graine N (0 par défaut ; la même graine donne
      le même calendrier). Les journées déjà jouées sont respectées ; si une
      rencontre ne trouve aucune journée, elle est nommée et rien n'est écrit.
  fixtures FICHIER.dat [--matchday N] [--team EQUIPE] [--format FORMAT]
      Les rencontres à jouer, par journée puis dans l'ordre du fichier, en
      colonnes Journée, Domicile, Visiteur.
  standings FICHIER.dat [--matchday N] [--kind TYPE] [--format FORMAT]
      Le classement après la journée N (par défaut : tous les résultats).
  history FICHIER.dat EQUIPE [--kind TYPE] [--format FORMAT]
      La place et les chiffres d'une équipe après chaque journée jouée.
  matches FICHIER.dat [--matchday N] [--format FORMAT]
      Les résultats enregistrés, dans la disposition qu'attend « import » (sans
      les rencontres à jouer, que liste « fixtures »).
  grid FICHIER.dat [--matchday N] [--format FORMAT]
      La grille des confrontations : une ligne par équipe à domicile, une
      colonne par équipe visiteuse, le score « 2-1 » de chaque match joué. En
      json, chaque ligne donne « Domicile » et, sous « Visiteurs », le score
      contre chaque équipe.
  form FICHIER.dat [--matchday N] [--last K] [--format FORMAT]
      La forme de chaque équipe, dans l'ordre du classement général : ses K
      derniers résultats (V, N, D, du plus ancien au plus récent ; 5 par
      défaut), les points pris et sa série en cours.
  report FICHIER.dat --output RAPPORT.pdf [--matchday N]
      Le rapport de la saison en PDF, prêt à imprimer : les cinq classements
      après la journée N (par défaut : tous les résultats), la grille des
      confrontations, les résultats de chaque journée jusqu'à elle, puis,
      quand la compétition a un calendrier, toutes les rencontres qui restent à
      jouer, journée par journée (« Journée N – à jouer »). Un RAPPORT.pdf qui
      est un lien symbolique est refusé : Vemo n'écrit jamais à travers un
      lien.

standings, history, matches, fixtures, grid, form, report, penalties et
properties sans option ne font que lire : un fichier en lecture seule leur
suffit. En format text, une valeur de plus de 50 caractères est coupée
(« … ») ; csv et json donnent les valeurs entières. En csv, un texte qui
commence par =, +, - ou @ est précédé d'une apostrophe, pour qu'un tableur le
montre comme un texte ; « import » la retire.

Options :
  --kind TYPE      general (par défaut), attaque, defense, domicile, exterieur
  --format FORMAT  text (par défaut), csv, json
  --tiebreak DEPARTAGE
                   buts (points, différence de buts, buts marqués) ou
                   confrontations (points, puis entre équipes à égalité les
                   points, la différence de buts et les buts de leurs matchs)
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
        const QStringList unknown = p.parser.unknownOptionNames();
        fail(Misuse, unknown.isEmpty()
                         ? QStringLiteral("une option attend une valeur (vemo-cli --help).")
                         : QStringLiteral("option inconnue « --%1 » (vemo-cli --help).")
                               .arg(store::shortened(unknown.first())));
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
                         .arg(store::shortened(value)));
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
        fail(Misuse, QStringLiteral("format inconnu « %1 » (text, csv, json).")
                         .arg(store::shortened(value)));
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

int readFailed(const store::DbError& e)
{
    return fail(Refused,
                QStringLiteral("Les résultats n'ont pas pu être lus. ") + store::describeError(e));
}

// Every result and penalty, read once; null after saying why they could not be read.
std::shared_ptr<const store::ResultSet> readResults(store::Competition& c)
{
    std::shared_ptr<const store::ResultSet> set;
    if (store::DbError e = c.results(set)) {
        readFailed(e);
        return nullptr;
    }
    return set;
}

// Whether a team has points deducted: the tables then end with a column "Pén." of them.
bool anyDeduction(const std::vector<cResult>& records)
{
    return std::any_of(records.begin(), records.end(),
                       [](const cResult& r) { return r.Deduction > 0; });
}

// Readers open the file read-only, so that a file that cannot be written still answers.
std::unique_ptr<store::Competition>
openCompetition(const QString& path, store::OpenMode mode = store::OpenMode::ReadOnly)
{
    store::OpenError error;
    auto c = store::Competition::open(path, error, nullptr, mode);
    if (!c)
        fail(Refused, store::describeOpenError(error, path));
    return c;
}

// A command that lists one thing of a competition: FICHIER.dat [--format FORMAT]. Null, with
// the exit code set and the reason told, when the arguments or the file are refused.
std::unique_ptr<store::Competition> openListing(const QStringList& args,
                                                TableWriter::Format& format, int& code)
{
    Parsed p;
    if (!parse(p, args, {opt("format", "FORMAT")}, 1) || !parseFormat(p, format)) {
        code = Misuse;
        return nullptr;
    }
    auto c = openCompetition(p.positional[0]);
    code = c ? Ok : Refused;
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
    const auto results = readResults(*c);
    if (!results)
        return Refused;
    const RankingRules rules = competitionRules(*c, *results);
    const cResult::Points& pts = rules.points;
    const RankingCollection ranking =
        ComputeRanking(results->teamResultsUpTo(day), kind, c->teamList(), rules);
    const bool deducted = anyDeduction(ranking.items());
    TableWriter table(QStringList{"Pl", "Equipe"} + kRankingColumns +
                      (deducted ? QStringList{"Pén."} : QStringList{}));
    for (int i = 1; i <= ranking.Count(); ++i) {
        const cResult& r = ranking.Item(i);
        table.addRow(QStringList{QString::number(r.Ranking), r.TeamName} + rankingRow(r, pts) +
                     (deducted ? QStringList{QString::number(r.Deduction)} : QStringList{}));
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
    const int place = store::TeamLookup(c->teamList()).find(team);
    if (place < 0)
        return fail(Refused, QStringLiteral("l'équipe « %1 » n'existe pas dans cette compétition.")
                                 .arg(store::shortened(team)));
    const auto results = readResults(*c);
    if (!results)
        return Refused;
    const RankingRules rules = competitionRules(*c, *results);
    const cResult::Points& pts = rules.points;
    const std::vector<HistoryEntry> entries =
        std::move(RankingHistories(results->teamResults(), kind, c->teamList(), rules,
                                   std::vector<int>{place})
                      .front());
    std::vector<cResult> records;
    for (const HistoryEntry& h : entries)
        records.push_back(h.record);
    const bool deducted = anyDeduction(records);
    TableWriter table(QStringList{"Jo", "Pl"} + kRankingColumns +
                      (deducted ? QStringList{"Pén."} : QStringList{}));
    for (const HistoryEntry& h : entries)
        table.addRow(QStringList{QString::number(h.journee), QString::number(h.record.Ranking)} +
                     rankingRow(h.record, pts) +
                     (deducted ? QStringList{QString::number(h.record.Deduction)} : QStringList{}));
    table.write(out(), format, {});
    return Ok;
}

int grid(const QStringList& args)
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
    const auto results = readResults(*c);
    if (!results)
        return Refused;
    // Teams in the order of the window's grid, so that both read alike.
    const SeasonGrid g(results->rowsUpTo(day), TeamOrder::sorted(c->teamList()), day);
    const auto score = [&g](int h, int v) {
        const GridCell& cell = g.cell(h, v);
        return cell.played ? QStringLiteral("%1-%2").arg(cell.home).arg(cell.away) : QString();
    };
    if (format == TableWriter::Json) {
        // The visitors' scores in an object of their own: a team may be named "Domicile".
        QJsonArray rows;
        for (int h = 0; h < g.size(); ++h) {
            QJsonObject visitors;
            for (int v = 0; v < g.size(); ++v)
                visitors.insert(g.team(v), score(h, v));
            rows.append(QJsonObject{{QStringLiteral("Domicile"), g.team(h)},
                                    {QStringLiteral("Visiteurs"), visitors}});
        }
        out() << QJsonDocument(rows).toJson(QJsonDocument::Indented);
        out().flush();
        return Ok;
    }
    QStringList header{QStringLiteral("Domicile")};
    QList<int> text{0};
    for (int v = 0; v < g.size(); ++v) {
        header << g.team(v);
        text << v + 1;
    }
    TableWriter table(header);
    for (int h = 0; h < g.size(); ++h) {
        QStringList line{g.team(h)};
        for (int v = 0; v < g.size(); ++v)
            line << score(h, v);
        table.addRow(line);
    }
    table.write(out(), format, text);
    return Ok;
}

int form(const QStringList& args)
{
    Parsed p;
    if (!parse(p, args, {opt("matchday", "N"), opt("last", "K"), opt("format", "FORMAT")}, 1))
        return Misuse;
    TableWriter::Format format;
    std::optional<int> day;
    if (!parseFormat(p, format) || !parseMatchday(p, day))
        return Misuse;
    int last = 5;
    if (p.parser.isSet(QStringLiteral("last"))) {
        bool ok = false;
        last = p.parser.value(QStringLiteral("last")).toInt(&ok);
        if (!ok || last < 1 || last > 255)
            return fail(Misuse, QStringLiteral("--last attend un nombre de matchs de 1 à 255."));
    }
    auto c = openCompetition(p.positional[0]);
    if (!c)
        return Refused;
    const auto results = readResults(*c);
    if (!results)
        return Refused;
    TableWriter table({QStringLiteral("Equipe"), QStringLiteral("Forme"), QStringLiteral("Pts"),
                       QStringLiteral("Serie")});
    for (const TeamForm& f : SeasonForm(results->rowsUpTo(day), c->teamList(),
                                        competitionRules(*c, *results), day, last))
        table.addRow({f.team, f.last, QString::number(f.lastPoints), f.currentRun});
    table.write(out(), format, {0, 1, 3});
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
    const auto results = readResults(*c);
    if (!results)
        return Refused;
    // In matchday order, in file order within a matchday.
    const std::vector<store::MatchRow> rows = day ? results->matchday(*day) : results->rows();
    TableWriter table(kMatchColumns);
    for (const store::MatchRow& r : rows)
        table.addRow({QString::number(r.journee), r.domicile, QString::number(r.scoreDomicile),
                      r.visiteur, QString::number(r.scoreVisiteur)});
    table.write(out(), format, {1, 3});
    return Ok;
}

int fixtures(const QStringList& args)
{
    Parsed p;
    if (!parse(p, args, {opt("matchday", "N"), opt("team", "EQUIPE"), opt("format", "FORMAT")}, 1))
        return Misuse;
    TableWriter::Format format;
    std::optional<int> day;
    if (!parseFormat(p, format) || !parseMatchday(p, day))
        return Misuse;
    auto c = openCompetition(p.positional[0]);
    if (!c)
        return Refused;
    QString team;
    if (p.parser.isSet(QStringLiteral("team"))) {
        const QString asked = p.parser.value(QStringLiteral("team"));
        const int place = store::TeamLookup(c->teamList()).find(asked);
        if (place < 0)
            return fail(Refused,
                        QStringLiteral("l'équipe « %1 » n'existe pas dans cette compétition.")
                            .arg(store::shortened(asked)));
        team = c->teamList()[size_t(place)].nom;
    }
    std::vector<store::Fixture> rows;
    if (store::DbError e = store::loadFixtures(c->db(), rows, day))
        return fail(Refused, store::describeError(e));
    // In matchday order, in file order within a matchday.
    TableWriter table({"Journée", "Domicile", "Visiteur"});
    const QString key = store::teamKey(team);
    for (const store::Fixture& f : rows)
        if (team.isEmpty() || store::teamKey(f.domicile) == key ||
            store::teamKey(f.visiteur) == key)
            table.addRow({QString::number(f.journee), f.domicile, f.visiteur});
    table.write(out(), format, {1, 2});
    return Ok;
}

int schedule(const QStringList& args)
{
    Parsed p;
    if (!parse(p, args, {opt("seed", "N")}, 1))
        return Misuse;
    quint32 seed = 0;
    if (p.parser.isSet(QStringLiteral("seed"))) {
        bool ok = false;
        seed = p.parser.value(QStringLiteral("seed")).toUInt(&ok);
        if (!ok)
            return fail(Misuse,
                        QStringLiteral("--seed attend un nombre entier de 0 à 4294967295."));
    }
    auto c = openCompetition(p.positional[0], store::OpenMode::ReadWrite);
    if (!c)
        return Refused;
    const store::ScheduleChange change = store::scheduleSeason(*c, seed);
    if (change.error)
        return fail(Refused, QStringLiteral("Le calendrier n'a pas été enregistré. ") +
                                 store::describeError(change.error));
    if (!change.refusal.isEmpty())
        return fail(Refused, change.refusal);
    if (change.added == 0)
        out() << QStringLiteral("Aucune rencontre à ajouter : chaque rencontre de la saison est "
                                "jouée ou au calendrier.")
              << Qt::endl;
    else
        out() << QStringLiteral("%1 rencontre(s) ajoutée(s) au calendrier.").arg(change.added)
              << Qt::endl;
    return Ok;
}

int report(const QStringList& args)
{
    Parsed p;
    if (!parse(p, args, {opt("output", "FICHIER"), opt("matchday", "N")}, 1))
        return Misuse;
    if (!p.parser.isSet(QStringLiteral("output")))
        return fail(Misuse, QStringLiteral("l'option --output est obligatoire."));
    std::optional<int> day;
    if (!parseMatchday(p, day))
        return Misuse;
    if (day && *day < 1)
        return fail(Misuse, QStringLiteral("--matchday attend un numéro de journée."));
    const QString output = p.parser.value(QStringLiteral("output"));
    store::OpenError openError;
    std::vector<store::TeamPictures> pictures;
    auto c =
        store::Competition::open(p.positional[0], openError, &pictures, store::OpenMode::ReadOnly);
    if (!c)
        return fail(Refused, store::describeOpenError(openError, p.positional[0]));
    // The crests of the report are the competition's own icons.
    std::vector<QByteArray> icons;
    for (const store::TeamPictures& t : pictures)
        icons.push_back(t.icone);
    ListModel::setCrestSource(ListModel::iconsOf(c->teamList(), std::move(icons)));
    if (QFileInfo(output).canonicalFilePath() == QFileInfo(c->fileName()).canonicalFilePath())
        return fail(Refused, QStringLiteral("le rapport ne peut pas remplacer la compétition."));
    const auto refused = [&](const QString& why) {
        return fail(Refused, QStringLiteral("Le rapport n'a pas été créé. %1").arg(why));
    };
    const auto cannotWrite = [&](store::SafeSaveFile::Status status) {
        return refused(store::SafeSaveFile::describe(
            status, output,
            QStringLiteral("Le fichier « %1 » ne peut pas être écrit.").arg(output)));
    };
    store::SafeSaveFile file(output);
    if (const auto status = file.open(); status != store::SafeSaveFile::Done)
        return cannotWrite(status);
    QString error;
    {
        QPdfWriter writer(&file.device());
        writer.setCreator(QStringLiteral("Vemo"));
        writer.setTitle(QFileInfo(output).completeBaseName());
        if (!Renderers::seasonReport(writer, *c, day, error))
            return refused(error);
    }
    if (const auto status = file.commit(); status != store::SafeSaveFile::Done)
        return cannotWrite(status);
    out() << QStringLiteral("Rapport « %1 » créé.").arg(output) << Qt::endl;
    return Ok;
}

// "NOM=EQUIPE": the team is the part after an '=' that names one, the last such '=' first,
// since a file's name may hold one too.
bool parseAlias(const QString& text, const std::vector<QString>& teams, store::TeamAlias& alias)
{
    const store::TeamResolver resolver(teams, {});
    for (qsizetype at = text.lastIndexOf(QLatin1Char('=')); at > 0;
         at = text.lastIndexOf(QLatin1Char('='), at - 1)) {
        const QString team = resolver.team(text.mid(at + 1).trimmed());
        if (!team.isEmpty()) {
            alias = {text.left(at).trimmed(), team};
            return true;
        }
    }
    fail(Refused, text.contains(QLatin1Char('='))
                      ? QStringLiteral("--alias « %1 » : après le signe =, aucune équipe de la "
                                       "compétition n'est nommée.")
                            .arg(store::shortened(text))
                      : QStringLiteral("--alias attend « NOM=EQUIPE », pas « %1 ».")
                            .arg(store::shortened(text)));
    return false;
}

int importSource(store::Competition& c, const QString& path, const QStringList& aliasTexts)
{
    store::SourceError error;
    std::optional<store::SeasonSource> source = store::readSeasonSource(path, error);
    if (!source)
        return fail(Refused, QStringLiteral("« %1 » : %2").arg(path, error.message));
    std::vector<QString> teams;
    if (store::DbError e = store::loadTeamNames(c.db(), teams))
        return fail(Refused, QStringLiteral("Les équipes n'ont pas pu être lues. ") +
                                 store::describeError(e));
    std::vector<store::TeamAlias> aliases;
    for (const QString& text : aliasTexts) {
        store::TeamAlias alias;
        if (!parseAlias(text, teams, alias))
            return Refused;
        aliases.push_back(alias);
    }
    const store::SeasonUpdate u = store::updateSeason(c, std::move(*source), aliases);
    if (u.error)
        return fail(Refused,
                    QStringLiteral("Rien n'a été importé. ") + store::describeError(u.error));
    if (!u.unknown.isEmpty()) {
        QString told =
            u.refusal + QStringLiteral(" Indiquez de quelle équipe il s'agit avec --alias "
                                       "\"NOM=EQUIPE\" ; rien n'a été importé.");
        for (const QString& name : u.unknown)
            told += QStringLiteral("\n  %1 (la plus proche : %2)")
                        .arg(name, store::closestTeams(name, teams).value(0));
        return fail(Refused, told);
    }
    if (!u.ok())
        return fail(Refused, QStringLiteral("Rien n'a été importé. ") + u.refusal);
    for (const QString& line : u.report())
        out() << line << Qt::endl;
    if (!aliases.empty())
        out() << QStringLiteral("%1 autre(s) nom(s) d'équipe retenu(s).").arg(aliases.size())
              << Qt::endl;
    return Ok;
}

int import(const QStringList& args)
{
    Parsed p;
    QCommandLineOption alias = opt("alias", "NOM=EQUIPE");
    if (!parse(p, args, {alias}, 2))
        return Misuse;
    auto c = openCompetition(p.positional[0], store::OpenMode::ReadWrite);
    if (!c)
        return Refused;
    const QString path = p.positional[1];
    QFile head(path);
    if (head.open(QIODevice::ReadOnly) && store::looksLikeSeasonSource(head.read(4096))) {
        head.close();
        return importSource(*c, path, p.parser.values(alias));
    }
    head.close();
    if (p.parser.isSet(alias))
        return fail(Misuse, QStringLiteral("--alias ne sert qu'aux fichiers de données "
                                           "(openfootball, football-data), dont les équipes "
                                           "portent leurs propres noms."));
    store::ResultImporter importer(*c);
    const store::ResultImporter::Outcome outcome = importer.importFile(path);
    if (!outcome.ok())
        return fail(Refused, outcome.message);
    if (outcome.scheduled > 0)
        out() << QStringLiteral("%1 résultat(s) et %2 rencontre(s) à jouer ajouté(s).")
                     .arg(outcome.imported)
                     .arg(outcome.scheduled)
              << Qt::endl;
    else
        out() << QStringLiteral("%1 résultat(s) ajouté(s).").arg(outcome.imported) << Qt::endl;
    return Ok;
}

int aliases(const QStringList& args)
{
    TableWriter::Format format;
    int code = Ok;
    auto c = openListing(args, format, code);
    if (!c)
        return code;
    std::vector<store::TeamAlias> rows;
    if (store::DbError e = store::loadAliases(c->db(), rows))
        return fail(Refused, QStringLiteral("Les autres noms d'équipe n'ont pas pu être lus. ") +
                                 store::describeError(e));
    TableWriter table({QStringLiteral("Nom"), QStringLiteral("Equipe")});
    for (const store::TeamAlias& a : rows)
        table.addRow({a.nom, a.equipe});
    table.write(out(), format, {0, 1});
    return Ok;
}

bool parseTieBreak(const Parsed& p, store::TieBreak& tieBreak)
{
    if (!p.parser.isSet(QStringLiteral("tiebreak")))
        return true;
    const QString value = p.parser.value(QStringLiteral("tiebreak")).toLower();
    if (value == QLatin1String("buts"))
        tieBreak = store::TieBreak::Goals;
    else if (value == QLatin1String("confrontations"))
        tieBreak = store::TieBreak::HeadToHead;
    else {
        fail(Misuse, QStringLiteral("départage inconnu « %1 » (buts, confrontations).")
                         .arg(store::shortened(p.parser.value(QStringLiteral("tiebreak")))));
        return false;
    }
    return true;
}

int penalty(const QStringList& args)
{
    Parsed p;
    if (!parse(p, args, {opt("matchday", "N"), opt("reason", "MOTIF")}, 3))
        return Misuse;
    for (const char* required : {"matchday", "reason"})
        if (!p.parser.isSet(QString::fromLatin1(required)))
            return fail(Misuse, QStringLiteral("l'option --%1 est obligatoire.")
                                    .arg(QString::fromLatin1(required)));
    // A value that is not a number is refused as one out of range.
    const int points = p.positional[2].trimmed().toInt();
    const int matchday = p.parser.value(QStringLiteral("matchday")).trimmed().toInt();
    auto c = openCompetition(p.positional[0], store::OpenMode::ReadWrite);
    if (!c)
        return Refused;
    QString refusal;
    qint64 rowid = 0;
    if (store::DbError e = store::addPenalty(
            c->db(),
            {0, p.positional[1], points, matchday, p.parser.value(QStringLiteral("reason"))},
            refusal, &rowid))
        return fail(Refused, QStringLiteral("La pénalité n'a pas été enregistrée. ") +
                                 store::describeError(e));
    if (!refusal.isEmpty())
        return fail(Refused, refusal);
    std::vector<store::Penalty> all;
    QString team = p.positional[1];
    if (store::loadPenalties(c->db(), all).ok())
        for (const store::Penalty& one : all)
            if (one.rowid == rowid)
                team = one.equipe;
    out() << QStringLiteral("%1 point(s) retiré(s) à %2 à partir de la journée %3.")
                 .arg(points)
                 .arg(team)
                 .arg(matchday)
          << Qt::endl;
    return Ok;
}

int penalties(const QStringList& args)
{
    TableWriter::Format format;
    int code = Ok;
    auto c = openListing(args, format, code);
    if (!c)
        return code;
    std::vector<store::Penalty> rows;
    if (store::DbError e = store::loadPenalties(c->db(), rows))
        return fail(Refused, QStringLiteral("Les pénalités n'ont pas pu être lues. ") +
                                 store::describeError(e));
    TableWriter table({QStringLiteral("Equipe"), QStringLiteral("Points"),
                       QStringLiteral("Journée"), QStringLiteral("Motif")});
    for (const store::Penalty& r : rows)
        table.addRow({r.equipe, QString::number(r.points), QString::number(r.journee), r.motif});
    table.write(out(), format, {0, 3});
    return Ok;
}

int properties(const QStringList& args)
{
    Parsed p;
    if (!parse(p, args,
               {opt("name", "NOM"), opt("season", "SAISON"), opt("points", "V,D,N"),
                opt("tiebreak", "DEPARTAGE"), opt("zones", "ZONES"), opt("previous", "AUTRE.dat")},
               1))
        return Misuse;
    store::TieBreak tieBreak = store::TieBreak::Goals;
    if (!parseTieBreak(p, tieBreak))
        return Misuse;
    const bool change = !p.parser.optionNames().isEmpty();
    auto c = openCompetition(p.positional[0],
                             change ? store::OpenMode::ReadWrite : store::OpenMode::ReadOnly);
    if (!c)
        return Refused;
    store::CompetitionSettings settings;
    if (store::DbError e = store::readCompetitionSettings(c->db(), settings))
        return fail(Refused, QStringLiteral("Les propriétés n'ont pas pu être lues. ") +
                                 store::describeError(e));
    std::vector<store::Zone> zones;
    if (store::DbError e = store::readZones(c->db(), c->teamCount(), zones))
        return fail(Refused, QStringLiteral("Les propriétés n'ont pas pu être lues. ") +
                                 store::describeError(e));
    if (!change) {
        out() << QStringLiteral("Nom : %1\nSaison : %2\nPoints : %3,%4,%5 (victoire, défaite, "
                                "match nul)\nDépartage : %6")
                     .arg(settings.name, settings.season)
                     .arg(settings.win)
                     .arg(settings.loss)
                     .arg(settings.draw)
                     .arg(store::tieBreakName(settings.tieBreak))
              << Qt::endl;
        if (!zones.empty())
            out() << QStringLiteral("Zones : %1").arg(store::zonesText(zones)) << Qt::endl;
        QString previous;
        if (!store::readPreviousSeason(c->db(), c->fileName(), previous) && !previous.isEmpty())
            out() << QStringLiteral("Saison précédente : %1").arg(previous) << Qt::endl;
        return Ok;
    }
    std::optional<QString> previousText;
    if (p.parser.isSet(QStringLiteral("previous")))
        previousText =
            store::previousSeasonText(c->fileName(), p.parser.value(QStringLiteral("previous")));
    std::optional<std::vector<store::Zone>> newZones;
    if (p.parser.isSet(QStringLiteral("zones"))) {
        QString why;
        newZones = store::parseZones(p.parser.value(QStringLiteral("zones")), c->teamCount(), why);
        if (!newZones)
            return fail(Refused, why);
    }
    const auto value = [&p](const char* name, const QString& current) {
        const QString option = QString::fromLatin1(name);
        return p.parser.isSet(option) ? p.parser.value(option) : current;
    };
    std::array<QString, 3> points{QString::number(settings.win), QString::number(settings.loss),
                                  QString::number(settings.draw)};
    if (p.parser.isSet(QStringLiteral("points"))) {
        const QStringList parts = p.parser.value(QStringLiteral("points")).split(QLatin1Char(','));
        if (parts.size() != 3)
            return fail(
                Refused,
                QStringLiteral("--points attend trois nombres de 0 à 255 séparés par des virgules "
                               "(victoire, défaite, match nul)."));
        points = {parts[0], parts[1], parts[2]};
    }
    const store::CompetitionSettings before = settings;
    if (p.parser.isSet(QStringLiteral("tiebreak")))
        settings.tieBreak = tieBreak;
    const store::SettingsRefusal refusal = store::checkSettings(
        value("name", settings.name), value("season", settings.season), points, settings);
    if (!refusal.ok())
        return fail(Refused, refusal.message);
    if (store::DbError e = store::updateCompetitionSettings(
            c->db(), before, settings, newZones ? &*newZones : nullptr,
            previousText ? &*previousText : nullptr))
        return fail(Refused, QStringLiteral("Les propriétés n'ont pas été modifiées. ") +
                                 store::describeError(e));
    out() << QStringLiteral("Propriétés de « %1 » modifiées.").arg(settings.name) << Qt::endl;
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

// The team names of a text file, one per line; false with the reason already printed.
bool readTeamList(const QString& path, QStringList& teams)
{
    // 128 names of 50 characters fit many times over.
    constexpr qint64 kMaxListBytes = 256 * 1024;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(Refused, QStringLiteral("impossible de lire la liste d'équipes « %1 ».").arg(path));
        return false;
    }
    const QByteArray list = file.read(kMaxListBytes + 1);
    if (list.size() > kMaxListBytes) {
        fail(Refused, QStringLiteral("la liste d'équipes « %1 » est trop longue pour %2 équipes.")
                          .arg(path)
                          .arg(kMaxTeams));
        return false;
    }
    QByteArray normalised = list;
    normalised.replace("\r\n", "\n").replace('\r', '\n');
    QSet<QString> seen;
    int line = 0;
    for (const QByteArray& raw : normalised.split('\n')) {
        ++line;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString team = QString(utf8.decode(raw)).trimmed();
        QString problem;
        if (utf8.hasError())
            problem = QStringLiteral("le texte n'est pas en UTF-8 valide.");
        else if (team.isEmpty())
            continue;
        else
            problem = store::teamNameProblem(team);
        if (problem.isEmpty() && seen.contains(store::teamKey(team)))
            problem = QStringLiteral("l'équipe « %1 » figure deux fois.").arg(team);
        if (!problem.isEmpty()) {
            fail(Refused, QStringLiteral("ligne %1 : %2").arg(line).arg(problem));
            return false;
        }
        seen.insert(store::teamKey(team));
        teams << team;
    }
    return true;
}

int create(const QStringList& args)
{
    Parsed p;
    if (!parse(p, args,
               {opt("name", "NOM"), opt("season", "SAISON"), opt("points", "V,D,N"),
                opt("tiebreak", "DEPARTAGE"), opt("teams", "FICHIER"), opt("from", "SOURCE")},
               1))
        return Misuse;
    // From a season's file, the teams, the name and the season come from it.
    const bool fromSource = p.parser.isSet(QStringLiteral("from"));
    if (fromSource && p.parser.isSet(QStringLiteral("teams")))
        return fail(Misuse, QStringLiteral("--teams et --from ne vont pas ensemble : les équipes "
                                           "viennent du fichier de données."));
    for (const char* required : {"name", "season", "teams"})
        if (!fromSource && !p.parser.isSet(QString::fromLatin1(required)))
            return fail(Misuse, QStringLiteral("l'option --%1 est obligatoire.")
                                    .arg(QString::fromLatin1(required)));
    std::optional<store::SeasonSource> source;
    if (fromSource) {
        store::SourceError error;
        const QString from = p.parser.value(QStringLiteral("from"));
        source = store::readSeasonSource(from, error);
        if (!source)
            return fail(Refused, QStringLiteral("« %1 » : %2").arg(from, error.message));
    }
    const QString path = p.positional[0];
    const auto given = [&](const char* option, const QString& fallback) {
        const QString key = QString::fromLatin1(option);
        return p.parser.isSet(key) ? p.parser.value(key).trimmed() : fallback;
    };
    const QString name = given("name", source ? source->name : QString());
    const QString season = given("season", source ? source->season : QString());
    if (source && (name.isEmpty() || season.isEmpty()))
        return fail(Refused,
                    QStringLiteral("le fichier de données ne donne pas %1 : indiquez-le "
                                   "avec --%2.")
                        .arg(name.isEmpty() ? QStringLiteral("le nom de la compétition")
                                            : QStringLiteral("la saison"),
                             name.isEmpty() ? QStringLiteral("name") : QStringLiteral("season")));
    store::TieBreak tieBreak = store::TieBreak::Goals;
    if (!parseTieBreak(p, tieBreak))
        return Misuse;
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
    if (store::SafeSaveFile::isLink(path))
        return fail(Refused, store::SafeSaveFile::linkRefusal(path));
    if (QFileInfo::exists(path))
        return fail(Refused, QStringLiteral("le fichier « %1 » existe déjà.").arg(path));

    QStringList teams;
    if (source) {
        teams = source->teams;
        if (const QString why = store::seasonRefusal(*source); !why.isEmpty())
            return fail(
                Refused,
                QStringLiteral("« %1 » : %2").arg(p.parser.value(QStringLiteral("from")), why));
    } else if (!readTeamList(p.parser.value(QStringLiteral("teams")), teams)) {
        return Refused;
    }
    if (teams.size() < 2)
        return fail(Refused, QStringLiteral("il est nécessaire d'avoir au moins 2 équipes."));
    if (teams.size() > kMaxTeams)
        return fail(Refused,
                    QStringLiteral("une compétition compte au plus %1 équipes.").arg(kMaxTeams));

    const QDir appDir(DataFiles::folder());
    QByteArray crest, icon;
    if (!Utilities::TryReadFileBytes(appDir.filePath(QStringLiteral("Blason générique.gif")),
                                     crest) ||
        !Utilities::TryReadFileBytes(appDir.filePath(QStringLiteral("Blason générique_24.ico")),
                                     icon))
        return fail(Refused, QStringLiteral("les blasons génériques sont introuvables dans « %1 ».")
                                 .arg(appDir.path()));

    // Built in a private folder beside the target (the engine's own files too), then put in
    // place whole, and only if nothing took the name meanwhile.
    const auto abandon = [&](const QString& why) {
        return fail(Refused, QStringLiteral("La compétition n'a pas été créée. %1").arg(why));
    };
    const QString cannotWrite =
        QStringLiteral("Le fichier « %1 » ne peut pas être écrit.").arg(path);
    QTemporaryDir folder(QFileInfo(path).absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!folder.isValid())
        return abandon(cannotWrite);
    const QString work = folder.filePath(QStringLiteral("nouvelle.dat"));
    if (store::DbError e = store::createCompetitionFile(work))
        return abandon(store::describeError(e));
    {
        store::DbError e;
        auto db = store::Database::open(work, store::competitionKey(), e);
        if (!db)
            return abandon(store::describeError(e));
        std::vector<store::TeamPictures> rows;
        for (const QString& team : teams)
            rows.push_back({team, crest, icon});
        QString refusal;
        if ((e = store::writeNewCompetition(*db, {name, season, pts[0], pts[1], pts[2], tieBreak},
                                            rows, source ? &*source : nullptr, refusal)))
            return abandon(store::describeError(e));
        if (!refusal.isEmpty())
            return abandon(refusal);
        if ((e = db->close()))
            return abandon(store::describeError(e));
    }
    switch (store::SafeSaveFile::placeNew(work, path)) {
    case store::SafeSaveFile::Done:
        break;
    case store::SafeSaveFile::Link:
        return abandon(store::SafeSaveFile::linkRefusal(path));
    case store::SafeSaveFile::Taken:
        return abandon(QStringLiteral("Le fichier « %1 » existe déjà.").arg(path));
    case store::SafeSaveFile::Failed:
    case store::SafeSaveFile::TooLarge:
        return abandon(cannotWrite);
    }
    out() << QStringLiteral("Compétition « %1 » créée avec %2 équipes.").arg(name).arg(teams.size())
          << Qt::endl;
    if (source) {
        qsizetype played = 0;
        for (const store::SourceMatch& m : source->matches)
            played += m.homeGoals && m.awayGoals;
        out() << QStringLiteral("%1 résultat(s) et %2 rencontre(s) à jouer enregistré(s).")
                     .arg(played)
                     .arg(qsizetype(source->matches.size()) - played)
              << Qt::endl;
        if (source->outOfDateOrder > 0)
            out() << QStringLiteral("%1 rencontre(s) n'ont pas pu garder l'ordre de leurs dates.")
                         .arg(source->outOfDateOrder)
                  << Qt::endl;
    }
    return Ok;
}

// A probability as the format writes it: "0.4567" in CSV and JSON, "45,7 %" in text.
QString probability(double p, TableWriter::Format format)
{
    return format == TableWriter::Text
               ? QLocale(QLocale::French).toString(100 * p, 'f', 1) + QStringLiteral(" %")
               : QString::number(p, 'f', 4);
}

QString decimal(double value, int digits, TableWriter::Format format)
{
    return format == TableWriter::Text ? QLocale(QLocale::French).toString(value, 'f', digits)
                                       : QString::number(value, 'f', digits);
}

// The teams, results and calendar that forecasts start from; false after saying why not.
bool readSeason(store::Competition& c, std::vector<QString>& teams,
                std::vector<store::MatchRow>& results, std::vector<store::Fixture>& fixtures)
{
    store::DbError e = store::loadTeamNames(c.db(), teams);
    if (!e)
        e = store::loadResults(c.db(), std::nullopt, results);
    if (!e)
        e = store::loadFixtures(c.db(), fixtures);
    if (e)
        readFailed(e);
    return !e;
}

// The previous season to seed the forecasts: --previous, else the competition's own; none,
// after saying why, when it cannot be read.
std::optional<forecast::PreviousSeason> previousSeason(const Parsed& p, store::Competition& c)
{
    const QString path = p.parser.value(QStringLiteral("previous"));
    const forecast::PreviousSeasonRead read =
        path.isEmpty() ? forecast::previousSeasonOf(c) : forecast::readPreviousSeason(path);
    if (!read.problem.isEmpty())
        err() << QStringLiteral("vemo-cli : ") << read.problem.left(1).toLower()
              << read.problem.mid(1) << Qt::endl;
    return read.season;
}

int predict(const QStringList& args)
{
    Parsed p;
    if (!parse(p, args,
               {opt("matchday", "N"), opt("previous", "AUTRE.dat"), opt("format", "FORMAT")}, 1))
        return Misuse;
    TableWriter::Format format;
    std::optional<int> matchday;
    if (!parseFormat(p, format) || !parseMatchday(p, matchday))
        return Misuse;
    auto c = openCompetition(p.positional[0]);
    if (!c)
        return Refused;
    std::vector<QString> teams;
    std::vector<store::MatchRow> results;
    std::vector<store::Fixture> fixtures;
    if (!readSeason(*c, teams, results, fixtures))
        return Refused;
    const int last = store::matchdayCount(c->teamCount());
    if (!matchday) {
        if (fixtures.empty())
            return fail(Refused, QStringLiteral("aucune rencontre à jouer au calendrier : "
                                                "indiquez la journée avec --matchday."));
        matchday = fixtures.front().journee;
    }
    if (*matchday < 1 || *matchday > last)
        return fail(Refused, QStringLiteral("--matchday attend une journée de 1 à %1.").arg(last));
    const std::optional<forecast::PreviousSeason> previous = previousSeason(p, *c);
    const forecast::MatchModel model =
        forecast::MatchModel::fit(teams, results, *matchday, {}, previous ? &*previous : nullptr);
    TableWriter table({QStringLiteral("Journée"), QStringLiteral("Domicile"),
                       QStringLiteral("Visiteur"), QStringLiteral("P1"), QStringLiteral("PN"),
                       QStringLiteral("P2"), QStringLiteral("ButsDomicile"),
                       QStringLiteral("ButsVisiteur"), QStringLiteral("Score")});
    const auto add = [&](const QString& home, const QString& away) {
        const forecast::MatchProbabilities m = model.predict(home, away);
        table.addRow({QString::number(*matchday), home, away, probability(m.home, format),
                      probability(m.draw, format), probability(m.away, format),
                      decimal(m.homeGoals, 2, format), decimal(m.awayGoals, 2, format),
                      QStringLiteral("%1-%2").arg(m.likelyHome).arg(m.likelyAway)});
    };
    for (const store::MatchRow& r : results)
        if (r.journee == *matchday)
            add(r.domicile, r.visiteur);
    for (const store::Fixture& f : fixtures)
        if (f.journee == *matchday)
            add(f.domicile, f.visiteur);
    table.write(out(), format, {1, 2, 8});
    return Ok;
}

// A whole number option; false after saying why when it is not one from least to most.
bool parseCount(const Parsed& p, const char* name, int least, int most, int& value)
{
    const QString key = QString::fromLatin1(name);
    if (!p.parser.isSet(key))
        return true;
    bool ok = false;
    const qlonglong n = p.parser.value(key).toLongLong(&ok);
    if (!ok || n < least || n > most) {
        fail(Misuse, QStringLiteral("--%1 attend un nombre entier de %2 à %3.")
                         .arg(key)
                         .arg(least)
                         .arg(most));
        return false;
    }
    value = int(n);
    return true;
}

int seasonForecast(const QStringList& args)
{
    Parsed p;
    if (!parse(p, args,
               {opt("matchday", "N"), opt("runs", "R"), opt("seed", "S"),
                opt("previous", "AUTRE.dat"), opt("format", "FORMAT")},
               1))
        return Misuse;
    TableWriter::Format format;
    std::optional<int> matchday;
    int runs = 10000, seed = 0;
    if (!parseFormat(p, format) || !parseMatchday(p, matchday) ||
        !parseCount(p, "runs", 1, 10000000, runs) ||
        !parseCount(p, "seed", 0, std::numeric_limits<int>::max(), seed))
        return Misuse;
    auto c = openCompetition(p.positional[0]);
    if (!c)
        return Refused;
    const auto results = readResults(*c);
    if (!results)
        return Refused;
    std::vector<store::Fixture> fixtures;
    if (store::DbError e = store::loadFixtures(c->db(), fixtures))
        return readFailed(e);
    const int last = store::matchdayCount(c->teamCount());
    const std::vector<int> played = results->playedMatchdays();
    const int after = matchday.value_or(played.empty() ? 0 : played.back());
    if (after < 0 || after > last)
        return fail(Refused, QStringLiteral("--matchday attend une journée de 0 à %1.").arg(last));
    const forecast::SeasonState state =
        forecast::seasonAfter(c->teamList(), competitionRules(*c, *results), results->teamResults(),
                              fixtures, after, last);
    std::vector<QString> names;
    for (const store::Team& t : c->teamList())
        names.push_back(t.nom);
    const std::optional<forecast::PreviousSeason> previous = previousSeason(p, *c);
    const forecast::MatchModel model = forecast::MatchModel::fit(
        names, results->rowsUpTo(after), after + 1, {}, previous ? &*previous : nullptr);
    const forecast::SeasonOutlook outlook =
        forecast::simulateSeason(state, model, runs, quint64(seed));
    QStringList header{QStringLiteral("Equipe"), QStringLiteral("Pts"), QStringLiteral("PtsFinal"),
                       QStringLiteral("Meilleure"), QStringLiteral("Pire")};
    std::vector<store::Zone> zones;
    if (store::DbError e = store::readZones(c->db(), c->teamCount(), zones))
        return readFailed(e);
    for (const store::Zone& z : zones)
        header << z.label;
    for (size_t k = 1; k <= names.size(); ++k)
        header << QString::number(k);
    TableWriter table(header);
    for (const forecast::TeamOutlook& o : outlook.teams) {
        QStringList row{names[size_t(o.team)], QString::number(o.points),
                        decimal(o.finalPoints, 1, format), QString::number(o.best),
                        QString::number(o.worst)};
        for (const store::Zone& z : zones) {
            double inZone = 0.0;
            for (int place = z.first; place <= z.last; ++place)
                inZone += o.place[size_t(place - 1)];
            row << probability(inZone, format);
        }
        for (double q : o.place)
            row << probability(q, format);
        table.addRow(row);
    }
    table.write(out(), format, {0});
    if (format == TableWriter::Text)
        out() << QStringLiteral("%1 saisons simulées après la journée %2 (graine %3).")
                     .arg(outlook.runs)
                     .arg(after)
                     .arg(seed)
              << Qt::endl;
    return Ok;
}

int backtest(const QStringList& args)
{
    Parsed p;
    if (!parse(p, args, {opt("from", "N"), opt("previous", "AUTRE.dat")}, 1))
        return Misuse;
    int from = 1;
    if (p.parser.isSet(QStringLiteral("from"))) {
        bool ok = false;
        from = p.parser.value(QStringLiteral("from")).toInt(&ok);
        if (!ok || from < 1)
            return fail(Misuse, QStringLiteral("--from attend un numéro de journée."));
    }
    auto c = openCompetition(p.positional[0]);
    if (!c)
        return Refused;
    std::vector<QString> teams;
    std::vector<store::MatchRow> results;
    std::vector<store::Fixture> fixtures;
    if (!readSeason(*c, teams, results, fixtures))
        return Refused;
    const std::optional<forecast::PreviousSeason> previous = previousSeason(p, *c);
    const forecast::BacktestReport r =
        forecast::backtest(teams, results, from, {}, previous ? &*previous : nullptr);
    if (r.model.matches == 0)
        return fail(Refused, QStringLiteral("aucun résultat à partir de la journée %1 : rien à "
                                            "prévoir.")
                                 .arg(from));
    const TableWriter::Format text = TableWriter::Text;
    out() << QStringLiteral("%1 rencontre(s) des journées %2 à %3, chacune prévue à partir des "
                            "seuls résultats des journées d'avant.")
                 .arg(r.model.matches)
                 .arg(r.firstMatchday)
                 .arg(r.lastMatchday)
          << Qt::endl
          << Qt::endl;
    TableWriter scores({QStringLiteral("Mesure"), QStringLiteral("Vemo"),
                        QStringLiteral("Naïf (fréquences 1 N 2)")});
    scores.addRow(
        {QStringLiteral("RPS"), decimal(r.model.rps, 4, text), decimal(r.naive.rps, 4, text)});
    scores.addRow({QStringLiteral("Log loss"), decimal(r.model.logLoss, 4, text),
                   decimal(r.naive.logLoss, 4, text)});
    scores.addRow({QStringLiteral("Brier"), decimal(r.model.brier, 4, text),
                   decimal(r.naive.brier, 4, text)});
    scores.write(out(), text, {0});
    out() << Qt::endl
          << QStringLiteral("Calibration : les trois probabilités de chaque rencontre, par "
                            "dixièmes.")
          << Qt::endl;
    TableWriter bins({QStringLiteral("Probabilité"), QStringLiteral("Prévisions"),
                      QStringLiteral("Prévue"), QStringLiteral("Observée")});
    for (int k = 0; k < 10; ++k) {
        const forecast::CalibrationBin& b = r.calibration[size_t(k)];
        bins.addRow({QStringLiteral("%1-%2 %").arg(10 * k).arg(10 * k + 10),
                     QString::number(b.count), b.count ? probability(b.predicted, text) : QString(),
                     b.count ? probability(b.observed, text) : QString()});
    }
    bins.write(out(), text, {0});
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
        if (command == QLatin1String("grid"))
            return grid(rest);
        if (command == QLatin1String("form"))
            return form(rest);
        if (command == QLatin1String("schedule"))
            return schedule(rest);
        if (command == QLatin1String("fixtures"))
            return fixtures(rest);
        if (command == QLatin1String("report"))
            return report(rest);
        if (command == QLatin1String("penalty"))
            return penalty(rest);
        if (command == QLatin1String("penalties"))
            return penalties(rest);
        if (command == QLatin1String("aliases"))
            return aliases(rest);
        if (command == QLatin1String("predict"))
            return predict(rest);
        if (command == QLatin1String("backtest"))
            return backtest(rest);
        if (command == QLatin1String("forecast"))
            return seasonForecast(rest);
        if (command == QLatin1String("properties"))
            return properties(rest);
    } catch (const std::bad_alloc&) {
        return fail(Refused, QStringLiteral("mémoire insuffisante."));
    } catch (const std::exception& e) {
        return fail(Refused, QStringLiteral("Une erreur inattendue s'est produite (%1).")
                                 .arg(QString::fromUtf8(e.what())));
    }
    return fail(Misuse, QStringLiteral("commande inconnue « %1 » (vemo-cli --help).").arg(command));
}

} // namespace Cli
