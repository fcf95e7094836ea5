#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// What the user types in the bet dialog, read exactly: amounts are currency (integers
// scaled by 10,000), never floating point.
namespace BetInput {

enum class AmountError { None, Empty, NotANumber, TooManyDecimals, TooLarge };

// A non-negative amount written with digits and at most one decimal separator (the comma,
// or the locale's own), with at most four significant decimals.
AmountError parseAmount(const QString& text, qint64& scaled, const QLocale& locale = QLocale());

// An amount as the user types it: the locale's separator, no trailing zeros ("12,5", "10").
QString amountText(qint64 scaled, const QLocale& locale = QLocale());

// A date typed in the order of the locale's short date form ("5/1/2024", "05-01-24", "5/1"
// for this year), in ISO form ("2024-01-05") or in the locale's own short or long form.
// Invalid when the text names no real day.
QDate parseDate(const QString& text, const QLocale& locale = QLocale());

// The locale's short date form, with a four-digit year.
QString shortDate(const QDate& date, const QLocale& locale = QLocale());

} // namespace BetInput
