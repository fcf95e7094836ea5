#include "store/ResultImporter.h"

#include "store/CsvRecords.h"

#include "store/Competition.h"
#include "store/MatchRules.h"
#include "store/Teams.h"
#include "store/TextChecks.h"

#include <QFile>
#include <QStringDecoder>
#include <csv.h>

namespace store {

namespace {

const char* const kColumns[] = {"Journée", "Domicile", "ScoreDomicile", "Visiteur",
                                "ScoreVisiteur"};
constexpr qint64 kChunk = 64 * 1024;

using csv::Collector;
using csv::onField;
using csv::onRecord;
using csv::Record;

// The separator of the header line: ';' when it has more of them than ',' outside quotes.
char separatorOf(const QByteArray& header)
{
    int commas = 0, semicolons = 0;
    bool quoted = false;
    for (char ch : header) {
        if (ch == '"')
            quoted = !quoted;
        else if (!quoted && ch == ',')
            ++commas;
        else if (!quoted && ch == ';')
            ++semicolons;
    }
    return semicolons > commas ? ';' : ',';
}

bool blank(const QByteArray& line)
{
    return std::all_of(line.begin(), line.end(), [](char ch) { return ch == ' ' || ch == '\t'; });
}

// The French reason of a libcsv error code.
QString csvErrorReason(int code)
{
    switch (code) {
    case CSV_EPARSE:
        return QStringLiteral("guillemet mal placé : une valeur entre guillemets doit commencer et "
                              "finir par un guillemet, et un guillemet à l'intérieur se double.");
    case CSV_ENOMEM:
        return QStringLiteral("mémoire insuffisante pour lire le fichier CSV.");
    case CSV_ETOOBIG:
        return QStringLiteral("une valeur est trop grande.");
    default:
        return QStringLiteral("le fichier CSV est mal formé.");
    }
}

class Run
{
public:
    Run(Competition& c, const std::function<bool(int)>& progress)
        : m_competition(c), m_progress(progress)
    {
    }
    ~Run()
    {
        if (m_parserReady)
            csv_free(&m_parser);
    }

    ResultImporter::Outcome go(QIODevice& device);

private:
    using Outcome = ResultImporter::Outcome;

    bool refuse(int line, const QString& reason)
    {
        m_outcome.status = ResultImporter::Status::Refused;
        m_outcome.line = line;
        m_outcome.message =
            line > 0 ? QStringLiteral("ligne %1 : %2").arg(line).arg(reason) : reason;
        return false;
    }
    bool line(const QByteArray& bytes, int number);
    bool records();
    bool header(const Record& r);
    bool row(const Record& r);
    bool decode(const Record& r, QStringList& fields);
    bool prepareRules();
    bool write();

    Competition& m_competition;
    const std::function<bool(int)>& m_progress;
    Outcome m_outcome;
    csv_parser m_parser{};
    bool m_parserReady = false;
    Collector m_collector;
    bool m_haveHeader = false;
    int m_column[5] = {-1, -1, -1, -1, -1};
    // Taken before the stored results are read, so that no other writer comes between the
    // checks and the write.
    std::optional<Transaction> m_tx;
    std::optional<MatchRules> m_rules;
    qint64 m_capacity = 0;
    qint64 m_stored = 0;
    std::vector<MatchRow> m_accepted;
    // Fixtures: the calendar's rows to add, those of the file played by a result of the import
    // (dropped), and the stored ones played (deleted).
    bool m_fixturesOnly = false;
    std::vector<Fixture> m_fixtures;
    std::vector<bool> m_fixtureDropped;
    std::vector<qint64> m_playedStored;
    qint64 m_droppedFixtures = 0;
};

// Fixtures read from the file get identities below any result's.
constexpr qint64 kFileFixtureBase = -(qint64(1) << 40);

bool Run::line(const QByteArray& bytes, int number)
{
    if (!m_parserReady) {
        if (blank(bytes))
            return true;
        if (csv_init(&m_parser, CSV_STRICT | CSV_STRICT_FINI | CSV_EMPTY_IS_NULL) != 0)
            return refuse(0, QStringLiteral("mémoire insuffisante pour lire le fichier CSV."));
        m_parserReady = true;
        csv_set_delim(&m_parser, static_cast<unsigned char>(separatorOf(bytes)));
    }
    if (m_collector.pendingStart && !blank(bytes)) {
        m_collector.recordLine = number;
        m_collector.pendingStart = false;
    }
    // Each physical line reaches the parser with one kind of ending, whatever the file used.
    const QByteArray fed = bytes + '\n';
    if (csv_parse(&m_parser, fed.constData(), size_t(fed.size()), onField, onRecord,
                  &m_collector) != size_t(fed.size()))
        return refuse(number, csvErrorReason(csv_error(&m_parser)));
    if (!m_collector.pendingStart) {
        m_collector.recordBytes += fed.size();
        if (m_collector.recordBytes > ResultImporter::kMaxLineLength)
            return refuse(m_collector.recordLine,
                          QStringLiteral("la valeur entre guillemets qui commence sur cette ligne "
                                         "dépasse %1 caractères : un guillemet n'est sans doute "
                                         "pas fermé.")
                              .arg(ResultImporter::kMaxLineLength));
    }
    return records();
}

bool Run::records()
{
    std::vector<Record> ready;
    ready.swap(m_collector.ready);
    for (const Record& r : ready)
        if (!(m_haveHeader ? row(r) : header(r)))
            return false;
    return true;
}

bool Run::decode(const Record& r, QStringList& fields)
{
    fields.clear();
    for (const QByteArray& raw : r.fields) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(raw);
        if (utf8.hasError())
            return refuse(r.line, QStringLiteral("le texte n'est pas en UTF-8 valide."));
        if (hasControlCharacter(text))
            return refuse(r.line, QStringLiteral("une valeur contient un caractère de contrôle "
                                                 "(tabulation, retour à la ligne, caractère "
                                                 "nul…)."));
        fields << text.trimmed();
    }
    return true;
}

bool Run::header(const Record& r)
{
    QStringList fields;
    if (!decode(r, fields))
        return false;
    for (int k = 0; k < 5; ++k)
        m_column[k] = int(fields.indexOf(QString::fromUtf8(kColumns[k])));
    // Without any score column, the file is a calendar: fixtures to play.
    m_fixturesOnly = m_column[2] < 0 && m_column[4] < 0 && m_column[0] >= 0 && m_column[1] >= 0 &&
                     m_column[3] >= 0;
    for (int k = 0; k < 5; ++k) {
        if (m_column[k] < 0 && !(m_fixturesOnly && (k == 2 || k == 4)))
            return refuse(r.line, QStringLiteral("la colonne « %1 » manque dans l'en-tête.")
                                      .arg(QString::fromUtf8(kColumns[k])));
    }
    m_haveHeader = true;
    return prepareRules();
}

bool Run::prepareRules()
{
    Database& db = m_competition.db();
    m_tx.emplace(db);
    if (DbError e = m_tx->beginError()) {
        m_outcome.status = ResultImporter::Status::WriteFailed;
        m_outcome.engine = e;
        m_outcome.message =
            QStringLiteral("Les résultats n'ont pas été enregistrés. ") + describeError(e);
        return false;
    }
    std::vector<QString> names;
    std::vector<MatchRow> stored;
    std::vector<Fixture> calendar;
    DbError e = loadTeamNames(db, names);
    if (!e)
        e = loadResults(db, std::nullopt, stored);
    if (!e)
        e = loadFixtures(db, calendar);
    if (e) {
        m_outcome.engine = e;
        return refuse(0, QStringLiteral("Les résultats enregistrés n'ont pas pu être lus. ") +
                             describeError(e));
    }
    m_rules.emplace(names, m_competition.teamCount());
    for (const MatchRow& r : stored)
        m_rules->addExisting(r);
    for (const Fixture& f : calendar)
        m_rules->addFixture(f);
    const qint64 n = m_competition.teamCount();
    m_capacity = n * (n - 1);
    m_stored = qint64(stored.size() + calendar.size());
    return true;
}

bool Run::row(const Record& r)
{
    QStringList fields;
    if (!decode(r, fields))
        return false;
    if (fields.size() == 1 && fields[0].isEmpty())
        return true;
    const auto field = [&](int k) {
        return m_column[k] < 0 ? QString() : fields.value(m_column[k]);
    };
    MatchRules::Candidate candidate{field(0), field(1), field(2), field(3), field(4)};
    // A row whose two scores are empty is a match still to play.
    const bool fixture = candidate.scoreDomicile.isEmpty() && candidate.scoreVisiteur.isEmpty();
    const auto verdict = [&](const MatchRules::Candidate& c) {
        return fixture ? m_rules->checkFixture(c) : m_rules->check(c);
    };
    MatchRules::Verdict v = verdict(candidate);
    if (v.refusal == MatchRules::UnknownTeam) {
        // A CSV written for a spreadsheet shows a name that starts like a formula as a text.
        candidate.domicile = fromSpreadsheetText(candidate.domicile);
        candidate.visiteur = fromSpreadsheetText(candidate.visiteur);
        if (MatchRules::Verdict unquoted = verdict(candidate);
            unquoted.refusal != MatchRules::UnknownTeam)
            v = unquoted;
    }
    // A result that plays a fixture takes its place; any other row is one match more.
    const qint64 matches = m_stored + qint64(m_accepted.size() + m_fixtures.size()) -
                           qint64(m_playedStored.size()) - m_droppedFixtures;
    if (!(v.accepted() && v.playedFixture) && matches >= m_capacity)
        return refuse(r.line, QStringLiteral("la compétition ne peut pas compter plus de %1 "
                                             "rencontres (%2 équipes).")
                                  .arg(m_capacity)
                                  .arg(m_competition.teamCount()));
    if (!v.accepted())
        return refuse(r.line, v.message.replace(QLatin1Char('\n'), QLatin1Char(' ')));
    if (fixture) {
        const Fixture f{kFileFixtureBase - qint64(m_fixtures.size()), v.row.journee, v.row.domicile,
                        v.row.visiteur};
        m_rules->addFixture(f);
        m_fixtures.push_back(f);
        m_fixtureDropped.push_back(false);
        return true;
    }
    if (v.playedFixture) {
        // The result plays a fixture: of the calendar, deleted; of this file, never written.
        const qint64 id = *v.playedFixture;
        if (id <= kFileFixtureBase) {
            m_fixtureDropped[size_t(kFileFixtureBase - id)] = true;
            ++m_droppedFixtures;
        } else
            m_playedStored.push_back(id);
        m_rules->removeFixture(id);
    }
    v.row.rowid = -qint64(m_accepted.size()) - 1; // not stored yet: an identity of its own
    m_rules->addExisting(v.row);
    m_accepted.push_back(v.row);
    return true;
}

bool Run::write()
{
    Database& db = m_competition.db();
    const auto failed = [this](const DbError& e) {
        m_outcome.status = ResultImporter::Status::WriteFailed;
        m_outcome.engine = e;
        m_outcome.message =
            QStringLiteral("Les résultats n'ont pas été enregistrés. ") + describeError(e);
        return false;
    };
    // One statement for every row.
    DbError prepared;
    const std::unique_ptr<Statement> insert =
        db.prepare(QStringLiteral("INSERT INTO \"Résultats\" (\"Journée\", Domicile, "
                                  "ScoreDomicile, Visiteur, ScoreVisiteur) VALUES (?, ?, ?, ?, ?)"),
                   prepared);
    if (!insert)
        return failed(prepared);
    const size_t step = qMax<size_t>(1, m_accepted.size() / 100);
    for (size_t i = 0; i < m_accepted.size(); ++i) {
        const MatchRow& r = m_accepted[i];
        if (DbError e =
                insert->run({r.journee, r.domicile, r.scoreDomicile, r.visiteur, r.scoreVisiteur}))
            return failed(e);
        if (m_progress && i % step == 0 && !m_progress(500 + int(500 * i / m_accepted.size()))) {
            m_outcome.status = ResultImporter::Status::Cancelled;
            m_outcome.message = QStringLiteral("Importation annulée : rien n'a été enregistré.");
            return false;
        }
    }
    for (qint64 rowid : m_playedStored)
        if (DbError e = deleteFixture(db, rowid))
            return failed(e);
    std::vector<Fixture> fixtures;
    for (size_t i = 0; i < m_fixtures.size(); ++i)
        if (!m_fixtureDropped[i])
            fixtures.push_back(m_fixtures[i]);
    if (DbError e = insertFixtures(db, fixtures))
        return failed(e);
    if (DbError e = m_tx->commit())
        return failed(e);
    m_outcome.imported = int(m_accepted.size());
    m_outcome.scheduled = int(fixtures.size());
    return true;
}

ResultImporter::Outcome Run::go(QIODevice& device)
{
    if (device.peek(3) == QByteArray("\xEF\xBB\xBF"))
        device.skip(3);
    const qint64 total = device.isSequential() ? 0 : device.size();
    qint64 done = 0;
    QByteArray current; // the physical line being read
    int number = 1;
    bool afterCR = false;
    QByteArray chunk;
    for (;;) {
        chunk = device.read(kChunk);
        if (chunk.isEmpty()) {
            if (device.atEnd() || device.isSequential())
                break;
            refuse(0, QStringLiteral("Le fichier ne peut pas être lu jusqu'au bout."));
            return m_outcome;
        }
        done += chunk.size();
        const char* p = chunk.constData();
        const char* const end = p + chunk.size();
        while (p < end) {
            if (afterCR && *p == '\n') { // the second half of a CRLF ending
                afterCR = false;
                ++p;
                continue;
            }
            const char* stop = p;
            while (stop < end && *stop != '\n' && *stop != '\r')
                ++stop;
            current.append(p, stop - p);
            if (current.size() > ResultImporter::kMaxLineLength) {
                refuse(number, QStringLiteral("la ligne dépasse %1 caractères : ce n'est pas une "
                                              "ligne de résultats.")
                                   .arg(ResultImporter::kMaxLineLength));
                return m_outcome;
            }
            if (stop == end)
                break;
            afterCR = *stop == '\r';
            if (!line(current, number))
                return m_outcome;
            current.clear();
            ++number;
            p = stop + 1;
        }
        if (m_progress && total > 0 && !m_progress(int(500 * done / total))) {
            m_outcome.status = ResultImporter::Status::Cancelled;
            m_outcome.message = QStringLiteral("Importation annulée : rien n'a été enregistré.");
            return m_outcome;
        }
    }
    if (!current.isEmpty() && !line(current, number))
        return m_outcome;
    if (m_parserReady) {
        if (csv_fini(&m_parser, onField, onRecord, &m_collector) != 0) {
            refuse(m_collector.recordLine, QStringLiteral("guillemet non fermé."));
            return m_outcome;
        }
        if (!records())
            return m_outcome;
    }
    if (!m_haveHeader) {
        refuse(0, QStringLiteral("Le fichier CSV est vide : il faut au moins la ligne d'en-tête."));
        return m_outcome;
    }
    write();
    return m_outcome;
}

} // namespace

ResultImporter::Outcome ResultImporter::importFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Outcome o;
        o.status = Status::Refused;
        o.message = QStringLiteral("Le fichier « %1 » ne peut pas être lu.").arg(path);
        return o;
    }
    return importFrom(file);
}

ResultImporter::Outcome ResultImporter::importFrom(QIODevice& device)
{
    try {
        Run run(m_competition, m_progress);
        return run.go(device);
    } catch (const std::bad_alloc&) {
        // The run and its transaction are gone: nothing was written.
        Outcome o;
        o.status = Status::Refused;
        o.message = QStringLiteral("Mémoire insuffisante pour importer ce fichier : rien n'a été "
                                   "enregistré.");
        return o;
    }
}

} // namespace store
