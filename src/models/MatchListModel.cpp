#include "models/MatchListModel.h"

#include "models/ForecastCells.h"

#include <QFont>

namespace {

const QString kToPlay = QStringLiteral("à jouer");

QVariant alignment(int column)
{
    return int((column == MatchListModel::Domicile || column == MatchListModel::ScoreDomicile
                    ? Qt::AlignRight
                    : Qt::AlignLeft) |
               Qt::AlignVCenter);
}

} // namespace

void MatchListModel::setItems(std::vector<store::MatchRow> items,
                              std::vector<store::Fixture> fixtures,
                              std::vector<forecast::MatchProbabilities> forecasts)
{
    beginResetModel();
    forgetCrests();
    m_items = std::move(items);
    m_fixtures = std::move(fixtures);
    m_forecasts = forecasts.size() == m_fixtures.size()
                      ? std::move(forecasts)
                      : std::vector<forecast::MatchProbabilities>{};
    endResetModel();
}

const store::Fixture* MatchListModel::fixtureAt(int row) const
{
    const qsizetype at = qsizetype(row) - qsizetype(m_items.size());
    return row >= 0 && at >= 0 && at < qsizetype(m_fixtures.size()) ? &m_fixtures[size_t(at)]
                                                                    : nullptr;
}

QStringList MatchListModel::captions() const
{
    // Asked for every cell painted: made once.
    static const QStringList captions{
        QStringLiteral("Journée"),       QStringLiteral("Domicile"),      QString(),
        QStringLiteral("ScoreDomicile"), QStringLiteral("ScoreVisiteur"), QString(),
        QStringLiteral("Visiteur")};
    static const QStringList withForecasts = captions + QStringList{QStringLiteral("Prévision")};
    return m_forecasts.empty() ? captions : withForecasts;
}

QVariant MatchListModel::forecastCell(int row, int role) const
{
    const store::Fixture* f = fixtureAt(row);
    if (!f) // a result
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    const forecast::MatchProbabilities& m = m_forecasts[size_t(row) - m_items.size()];
    switch (role) {
    case Qt::DisplayRole:
        return ForecastCells::shortLine(m);
    case ExportRole:
        // Three numbers in one field, apart by spaces: no separator of a CSV file.
        return QStringLiteral("%1 %2 %3")
            .arg(ForecastCells::exported(m.home), ForecastCells::exported(m.draw),
                 ForecastCells::exported(m.away));
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return ForecastCells::sentence(f->domicile, f->visiteur, m);
    case Qt::ForegroundRole:
        return QColor(96, 96, 96);
    default:
        return {};
    }
}

QVariant MatchListModel::fixtureCell(const store::Fixture& f, int column, int role) const
{
    const bool score = column == ScoreDomicile || column == ScoreVisiteur;
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case Journee:
            return QStringLiteral("J") + QString::number(f.journee);
        case Domicile:
            return f.domicile;
        case Visiteur:
            return f.visiteur;
        case ScoreDomicile:
        case ScoreVisiteur:
            return QStringLiteral("–");
        default:
            return QString();
        }
    case ExportRole:
        if (column == Journee)
            return QString::number(f.journee);
        return score ? QVariant(QString()) : QVariant();
    case Qt::AccessibleTextRole:
        return score ? QVariant(kToPlay) : QVariant();
    case Qt::AccessibleDescriptionRole: {
        const QString match = QStringLiteral("%1 – %2, %3").arg(f.domicile, f.visiteur, kToPlay);
        if (m_forecasts.empty())
            return match;
        return match + QStringLiteral(". ") +
               ForecastCells::sentence(f.domicile, f.visiteur,
                                       m_forecasts[size_t(&f - m_fixtures.data())]);
    }
    case Qt::ToolTipRole:
        return score ? QVariant(QStringLiteral("Rencontre à jouer")) : QVariant();
    case Qt::ForegroundRole:
        // Dark enough to read on the white and the grey rows.
        return score ? QVariant(QColor(96, 96, 96)) : QVariant();
    case Qt::FontRole: {
        QFont italic;
        italic.setItalic(true);
        return italic;
    }
    case Qt::DecorationRole:
        if (column == CrestDomicile)
            return crest(f.domicile);
        if (column == CrestVisiteur)
            return crest(f.visiteur);
        return {};
    case Qt::TextAlignmentRole:
        return alignment(column);
    default:
        return {};
    }
}

QVariant MatchListModel::cell(int row, int column, int role) const
{
    if (column == Prevision)
        return forecastCell(row, role);
    if (const store::Fixture* f = fixtureAt(row))
        return fixtureCell(*f, column, role);
    const store::MatchRow& m = m_items.at(size_t(row));
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case Journee:
            return QStringLiteral("J") + QString::number(m.journee);
        case Domicile:
            return m.domicile;
        case ScoreDomicile:
            return QString::number(m.scoreDomicile);
        case ScoreVisiteur:
            return QString::number(m.scoreVisiteur);
        case Visiteur:
            return m.visiteur;
        default:
            return QString();
        }
    case ExportRole:
        return column == Journee ? QVariant(QString::number(m.journee)) : QVariant();
    case Qt::DecorationRole:
        if (column == CrestDomicile)
            return crest(m.domicile);
        if (column == CrestVisiteur)
            return crest(m.visiteur);
        return {};
    case Qt::TextAlignmentRole:
        return alignment(column);
    default:
        return {};
    }
}
