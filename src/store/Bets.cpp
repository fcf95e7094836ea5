#include "store/Bets.h"

namespace store {

namespace {

const QString kTable = QStringLiteral("Paris");

Fields betFields(const BetRow& bet)
{
    return {{QStringLiteral("Date"), bet.date.toString(Qt::ISODate)},
            {QStringLiteral("Description"), bet.description},
            {QStringLiteral("Pari"), bet.pari},
            {QStringLiteral("Statut"), bet.statut},
            {QStringLiteral("Gain"), bet.gain}};
}

} // namespace

QString formatAmount(qint64 scaled, QChar decimalPoint)
{
    const bool negative = scaled < 0;
    const quint64 magnitude = negative ? quint64(-(scaled + 1)) + 1 : quint64(scaled);
    const quint64 cents = (magnitude + 50) / 100;
    return QStringLiteral("%1%2%3%4")
        .arg(negative && cents ? QStringLiteral("-") : QString())
        .arg(cents / 100)
        .arg(decimalPoint)
        .arg(int(cents % 100), 2, 10, QLatin1Char('0'));
}

DbError loadBets(Database& db, std::vector<BetRow>& rows)
{
    rows.clear();
    DbError e = db.forEach(
        QStringLiteral("SELECT rowid, \"Date\", Description, Pari, Gain, Statut FROM Paris "
                       "ORDER BY \"Date\" DESC, rowid DESC"),
        {}, [&rows](const RowReader& r) {
            rows.push_back({r.integer(0), QDate::fromString(r.text(1).left(10), Qt::ISODate),
                            r.text(2), r.integer(3), r.integer(4), int(r.integer(5))});
        });
    if (e)
        rows.clear();
    return e;
}

DbError addBet(Database& db, const BetRow& bet, qint64* rowid)
{
    return db.addRow(kTable, betFields(bet), rowid);
}

DbError updateBet(Database& db, const BetRow& bet)
{
    return db.updateRow(kTable, bet.rowid, betFields(bet));
}

DbError deleteBet(Database& db, qint64 rowid)
{
    return db.deleteRow(kTable, rowid);
}

} // namespace store
