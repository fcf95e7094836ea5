#include "models/BetListModel.h"

#include <QLocale>
#include <QPainter>

BetListModel::BetListModel(QObject* parent) : ListModel(parent)
{
    setAlternating(false);
}

void BetListModel::setItems(std::vector<store::BetRow> items)
{
    beginResetModel();
    m_items = std::move(items);
    endResetModel();
}

QStringList BetListModel::captions() const
{
    static const QStringList captions{QStringLiteral("Date"), QStringLiteral("Description"),
                                      QStringLiteral("Mise"), QStringLiteral("Statut"),
                                      QStringLiteral("Gain")};
    return captions;
}

QString BetListModel::statusName(int statut)
{
    switch (statut) {
    case 0:
        return QStringLiteral("En cours");
    case 1:
        return QStringLiteral("Gagné");
    case 2:
        return QStringLiteral("Perdu");
    default:
        return {};
    }
}

QVariant BetListModel::cell(int row, int column, int role) const
{
    const store::BetRow& bet = m_items.at(size_t(row));
    const QChar point = QLocale().decimalPoint().at(0);
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case Date:
            return bet.date.toString(QStringLiteral("dd/MM/yyyy"));
        case Description:
            return bet.description;
        case Mise:
            return store::formatAmount(bet.pari, point);
        case Gain:
            return store::formatAmount(bet.gain, point);
        default:
            return QString();
        }
    case Qt::AccessibleTextRole:
        return column == Statut ? QVariant(statusName(bet.statut)) : QVariant();
    case ExportRole:
        // Amounts with a decimal comma, as spreadsheets in France read them.
        if (column == Mise)
            return store::formatAmount(bet.pari, QLatin1Char(','));
        if (column == Gain)
            return store::formatAmount(bet.gain, QLatin1Char(','));
        if (column == Date)
            return bet.date.toString(QStringLiteral("dd/MM/yyyy"));
        return column == Statut ? QVariant(statusName(bet.statut)) : QVariant();
    case Qt::DecorationRole:
        return column == Statut ? QVariant(statusPicture(bet.statut)) : QVariant();
    case Qt::TextAlignmentRole:
        return int((column == Gain || column == Statut ? Qt::AlignHCenter : Qt::AlignLeft) |
                   (column == Description ? Qt::AlignTop : Qt::AlignVCenter));
    case WrapRole:
        return column == Description;
    default:
        return {};
    }
}

QPixmap BetListModel::statusPicture(int statut)
{
    static QPixmap pictures[3];
    if (statut < 0 || statut > 2)
        return {};
    QPixmap& pm = pictures[statut];
    if (!pm.isNull())
        return pm;
    pm = QPixmap(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colours[] = {QColor(40, 100, 200), QColor(30, 150, 60), QColor(200, 40, 40)};
    p.setPen(QPen(colours[statut].darker(130), 1.5));
    p.setBrush(colours[statut]);
    p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (statut == 0) { // the hands of a clock
        p.drawLine(QPointF(12, 12), QPointF(12, 7));
        p.drawLine(QPointF(12, 12), QPointF(16, 14));
    } else if (statut == 1) { // a tick
        p.drawPolyline(QPolygonF({QPointF(7.5, 12.5), QPointF(10.5, 15.5), QPointF(16.5, 8.5)}));
    } else { // a cross
        p.drawLine(QPointF(8.5, 8.5), QPointF(15.5, 15.5));
        p.drawLine(QPointF(15.5, 8.5), QPointF(8.5, 15.5));
    }
    return pm;
}
