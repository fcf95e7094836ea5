#pragma once

#include "store/Database.h"

#include <QDate>
#include <QString>
#include <vector>

namespace store {

// One row of Paris. Amounts are currency: integers scaled by 10,000.
struct BetRow
{
    qint64 rowid = 0;
    QDate date;
    QString description;
    qint64 pari = 0;
    qint64 gain = 0;
    int statut = 0; // 0 pending, 1 won, 2 lost
};

constexpr qint64 kCurrencyScale = 10000;

// An amount with two decimals, rounded half away from zero: "12,50" with a comma as the
// decimal separator, a leading minus for a negative amount.
QString formatAmount(qint64 scaled, QChar decimalPoint);

// Every bet, newest first.
[[nodiscard]] DbError loadBets(Database& db, std::vector<BetRow>& rows);

// Stores a new bet; rowid, when given, receives its row.
[[nodiscard]] DbError addBet(Database& db, const BetRow& bet, qint64* rowid = nullptr);
// Rewrites the bet of row bet.rowid.
[[nodiscard]] DbError updateBet(Database& db, const BetRow& bet);
[[nodiscard]] DbError deleteBet(Database& db, qint64 rowid);

} // namespace store
