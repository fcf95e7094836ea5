#include "bets/BetInput.h"

#include "store/Bets.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <array>

namespace BetInput {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool allDigits(const QString& s)
{
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), isDigit);
}

// The order of day ('d'), month ('M') and year ('y') in the locale's short date form.
std::array<char, 3> fieldOrder(const QLocale& locale)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    std::array<std::pair<qsizetype, char>, 3> fields{
        {{format.indexOf(u'd'), 'd'}, {format.indexOf(u'M'), 'M'}, {format.indexOf(u'y'), 'y'}}};
    if (std::any_of(fields.begin(), fields.end(), [](const auto& f) { return f.first < 0; }))
        return {'d', 'M', 'y'};
    std::sort(fields.begin(), fields.end());
    return {fields[0].second, fields[1].second, fields[2].second};
}

// Years of one or two digits fall in 1930 to 2029.
int expandYear(const QString& digits)
{
    const int year = digits.toInt();
    if (digits.size() <= 2)
        return year < 30 ? 2000 + year : 1900 + year;
    return digits.size() == 4 ? year : -1;
}

QString fourDigitYearFormat(const QLocale& locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
    return format;
}

QDate numericDate(const QStringList& parts, const QLocale& locale)
{
    int day = 0, month = 0, year = QDate::currentDate().year();
    if (parts.size() == 3 && parts[0].size() == 4) {
        year = parts[0].toInt();
        month = parts[1].size() <= 2 ? parts[1].toInt() : 0;
        day = parts[2].size() <= 2 ? parts[2].toInt() : 0;
    } else {
        int next = 0;
        for (char field : fieldOrder(locale)) {
            if (field == 'y' && parts.size() == 2)
                continue;
            const QString& part = parts[next++];
            if (field == 'y')
                year = expandYear(part);
            else if (part.size() > 2)
                return {};
            else
                (field == 'd' ? day : month) = part.toInt();
        }
    }
    const QDate date(year, month, day);
    return date.isValid() && year >= 100 ? date : QDate();
}

} // namespace

AmountError parseAmount(const QString& input, qint64& scaled, const QLocale& locale)
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return AmountError::Empty;
    const QString point = locale.decimalPoint();
    qsizetype separator = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isDigit(c))
            continue;
        const bool isSeparator = c == u',' || (point.size() == 1 && c == point.at(0));
        if (!isSeparator || separator >= 0)
            return AmountError::NotANumber;
        separator = i;
    }
    const QStringView whole = separator < 0 ? QStringView(text) : QStringView(text).left(separator);
    QStringView fraction = separator < 0 ? QStringView() : QStringView(text).mid(separator + 1);
    if (whole.isEmpty() && fraction.isEmpty())
        return AmountError::NotANumber;
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    if (fraction.size() > 4)
        return AmountError::TooManyDecimals;

    qint64 value = 0;
    for (QChar c : whole) {
        if (__builtin_mul_overflow(value, qint64(10), &value) ||
            __builtin_add_overflow(value, qint64(c.unicode() - u'0'), &value))
            return AmountError::TooLarge;
    }
    qint64 cents = 0; // ten-thousandths, in fact
    for (qsizetype i = 0; i < 4; ++i)
        cents = cents * 10 + (i < fraction.size() ? fraction.at(i).unicode() - u'0' : 0);
    if (__builtin_mul_overflow(value, store::kCurrencyScale, &value) ||
        __builtin_add_overflow(value, cents, &value))
        return AmountError::TooLarge;
    scaled = value;
    return AmountError::None;
}

QString amountText(qint64 scaled, const QLocale& locale)
{
    const bool negative = scaled < 0;
    const quint64 magnitude = negative ? quint64(-(scaled + 1)) + 1 : quint64(scaled);
    QString text = QString::number(magnitude / quint64(store::kCurrencyScale));
    if (const quint64 fraction = magnitude % quint64(store::kCurrencyScale)) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(u'0'))
            digits.chop(1);
        text += locale.decimalPoint() + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

QDate parseDate(const QString& input, const QLocale& locale)
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return {};
    static const QRegularExpression separators(QStringLiteral("[/.\\-\\s]+"));
    const QStringList parts = text.split(separators);
    if ((parts.size() == 2 || parts.size() == 3) &&
        std::all_of(parts.begin(), parts.end(), allDigits))
        return numericDate(parts, locale);
    for (const QString& format :
         {locale.dateFormat(QLocale::ShortFormat), fourDigitYearFormat(locale),
          locale.dateFormat(QLocale::LongFormat)}) {
        const QDate date = locale.toDate(text, format);
        if (date.isValid() && date.year() >= 100)
            return date;
    }
    return {};
}

QString shortDate(const QDate& date, const QLocale& locale)
{
    return locale.toString(date, fourDigitYearFormat(locale));
}

} // namespace BetInput
