#include "analysis/FormModel.h"

namespace {

QString record(int won, int drawn, int lost)
{
    return QStringLiteral("%1-%2-%3").arg(won).arg(drawn).arg(lost);
}

// "victoire, nul, défaite" for "VND".
QString spoken(const QString& letters)
{
    QStringList words;
    for (QChar c : letters)
        words << (c == QLatin1Char('V')   ? QStringLiteral("victoire")
                  : c == QLatin1Char('N') ? QStringLiteral("nul")
                                          : QStringLiteral("défaite"));
    return words.join(QStringLiteral(", "));
}

} // namespace

void FormModel::setItems(std::vector<TeamForm> items)
{
    beginResetModel();
    forgetCrests();
    m_items = std::move(items);
    endResetModel();
}

QStringList FormModel::captions() const
{
    static const QStringList captions{QString(),
                                      QStringLiteral("Equipe"),
                                      QStringLiteral("Forme"),
                                      QStringLiteral("Pts"),
                                      QStringLiteral("Série"),
                                      QStringLiteral("Meilleure série"),
                                      QStringLiteral("Domicile"),
                                      QStringLiteral("Extérieur")};
    return captions;
}

QVariant FormModel::cell(int row, int column, int role) const
{
    const TeamForm& f = m_items.at(size_t(row));
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case Equipe:
            return f.team;
        case Forme:
            return f.last;
        case Pts:
            return QString::number(f.lastPoints);
        case Serie:
            return f.currentRun;
        case MeilleureSerie:
            return QString::number(f.longestWinningRun);
        case Domicile:
            return record(f.homeWon, f.homeDrawn, f.homeLost);
        case Exterieur:
            return record(f.awayWon, f.awayDrawn, f.awayLost);
        default:
            return QString();
        }
    case Qt::AccessibleTextRole:
        return column == Forme ? QVariant(spoken(f.last)) : QVariant();
    case Qt::DecorationRole:
        return column == Crest ? QVariant(crest(f.team)) : QVariant();
    case Qt::TextAlignmentRole:
        return int(
            (column == Pts || column == MeilleureSerie || column == Domicile || column == Exterieur
                 ? Qt::AlignHCenter
                 : Qt::AlignLeft) |
            Qt::AlignVCenter);
    default:
        return {};
    }
}
