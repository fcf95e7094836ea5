#include "store/CompetitionSettings.h"

#include "store/PreviousSeason.h"
#include "store/Zones.h"

#include "store/CompetitionFile.h"
#include "store/SeasonRecord.h"
#include "store/Teams.h"

namespace store {

namespace {

const char* const kPointsNames[] = {"les points en cas de victoire", "les points en cas de défaite",
                                    "les points en cas de match nul"};

DbError writeSettings(Database& db, const CompetitionSettings& settings)
{
    const std::pair<const char*, QVariant> properties[] = {{"Championnat", settings.name},
                                                           {"Saison", settings.season},
                                                           {"PtsWinner", settings.win},
                                                           {"PtsLooser", settings.loss},
                                                           {"PtsEquality", settings.draw}};
    for (const auto& [name, value] : properties)
        if (DbError e = writeProperty(db, QString::fromLatin1(name), value))
            return e;
    return writeTieBreak(db, settings.tieBreak);
}

} // namespace

SettingsRefusal checkSettings(const QString& name, const QString& season,
                              const std::array<QString, 3>& points, CompetitionSettings& settings)
{
    if (name.trimmed().isEmpty())
        return {SettingsRefusal::Name, QStringLiteral("Donnez un nom à la compétition.")};
    if (season.trimmed().isEmpty())
        return {SettingsRefusal::Season, QStringLiteral("Précisez la saison concernée.")};
    for (const QString& text : points)
        if (text.trimmed().isEmpty())
            return {SettingsRefusal::AnyPoints,
                    QStringLiteral("Renseignez les points en cas de victoire, défaite ou nul.")};
    int values[3] = {};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        values[i] = points[size_t(i)].trimmed().toInt(&ok);
        if (!ok || values[i] < 0 || values[i] > 255)
            return {SettingsRefusal::Field(SettingsRefusal::Win + i),
                    QStringLiteral("Indiquez pour %1 un nombre compris entre 0 et 255.")
                        .arg(QString::fromUtf8(kPointsNames[i]))};
    }
    settings.name = name.trimmed();
    settings.season = season.trimmed();
    settings.win = values[0];
    settings.loss = values[1];
    settings.draw = values[2];
    return {};
}

DbError writeNewCompetition(Database& db, const CompetitionSettings& settings,
                            const std::vector<TeamPictures>& teams)
{
    QString refusal;
    return writeNewCompetition(db, settings, teams, nullptr, refusal);
}

DbError writeNewCompetition(Database& db, const CompetitionSettings& settings,
                            const std::vector<TeamPictures>& teams, const SeasonSource* source,
                            QString& refusal)
{
    refusal.clear();
    Transaction tx(db);
    if (tx.beginError())
        return tx.beginError();
    if (DbError e = writeSettings(db, settings))
        return e;
    for (const TeamPictures& team : teams)
        if (DbError e = addTeam(db, team))
            return e;
    if (source)
        if (DbError e = writeSeason(db, *source, refusal); e || !refusal.isEmpty())
            return e;
    return tx.commit();
}

DbError readCompetitionSettings(Database& db, CompetitionSettings& settings)
{
    CompetitionSettings read;
    QVariant value;
    QString* texts[] = {&read.name, &read.season};
    const char* textNames[] = {"Championnat", "Saison"};
    for (int i = 0; i < 2; ++i) {
        if (DbError e = readProperty(db, QString::fromLatin1(textNames[i]), value))
            return e;
        *texts[i] = value.toString();
    }
    int* numbers[] = {&read.win, &read.loss, &read.draw};
    const char* numberNames[] = {"PtsWinner", "PtsLooser", "PtsEquality"};
    for (int i = 0; i < 3; ++i) {
        if (DbError e = readProperty(db, QString::fromLatin1(numberNames[i]), value))
            return e;
        *numbers[i] = value.toInt();
    }
    if (DbError e = readTieBreak(db, read.tieBreak))
        return e;
    settings = read;
    return {};
}

DbError updateCompetitionSettings(Database& db, const CompetitionSettings& before,
                                  const CompetitionSettings& after, const std::vector<Zone>* zones,
                                  const QString* previousSeason)
{
    Transaction tx(db);
    if (tx.beginError())
        return tx.beginError();
    const std::pair<const char*, std::pair<QVariant, QVariant>> properties[] = {
        {"Championnat", {before.name, after.name}},
        {"Saison", {before.season, after.season}},
        {"PtsWinner", {before.win, after.win}},
        {"PtsLooser", {before.loss, after.loss}},
        {"PtsEquality", {before.draw, after.draw}}};
    for (const auto& [name, values] : properties)
        if (values.first != values.second)
            if (DbError e = writeProperty(db, QString::fromLatin1(name), values.second))
                return e;
    if (before.tieBreak != after.tieBreak)
        if (DbError e = writeTieBreak(db, after.tieBreak))
            return e;
    if (zones)
        if (DbError e = writeZones(db, *zones))
            return e;
    if (previousSeason)
        if (DbError e = writePreviousSeason(db, *previousSeason))
            return e;
    return tx.commit();
}

} // namespace store
