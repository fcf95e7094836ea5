#include "store/TextChecks.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace store {

qsizetype characterCount(QStringView text)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (!(text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate()))
            ++n;
    return n;
}

QString shortened(const QString& text, int max)
{
    if (characterCount(text) <= max)
        return text;
    qsizetype at = 0;
    for (int kept = 0; kept < max - 1 && at < text.size(); ++kept)
        at += (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
                  ? 2
                  : 1;
    return text.left(at) + QChar(0x2026);
}

bool hasControlCharacter(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
            return true;
    return false;
}

QString storedTextProblem(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return QStringLiteral("qui n'est pas en UTF-8 valide");
    if (hasControlCharacter(text))
        return QStringLiteral("qui contient un caractère de contrôle");
    return {};
}

namespace {

// Whether the text, after its leading apostrophes, starts as a formula; a number never does.
bool looksLikeFormula(const QString& text)
{
    qsizetype at = 0;
    while (at < text.size() && text[at] == QLatin1Char('\''))
        ++at;
    if (at == text.size() || !QStringLiteral("=+-@").contains(text[at]))
        return false;
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]+([.,][0-9]+)?$"));
    return at > 0 || !number.match(text).hasMatch();
}

} // namespace

QString spreadsheetText(const QString& value)
{
    return looksLikeFormula(value) ? QLatin1Char('\'') + value : value;
}

QString fromSpreadsheetText(const QString& cell)
{
    return cell.startsWith(QLatin1Char('\'')) && looksLikeFormula(cell) ? cell.mid(1) : cell;
}

QString teamNameProblem(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("Donnez un nom à cette équipe.");
    if (characterCount(name) > kTeamNameLength)
        return QStringLiteral("Le nom d'une équipe compte au plus %1 caractères.")
            .arg(kTeamNameLength);
    if (hasControlCharacter(name))
        return QStringLiteral("Le nom d'une équipe ne peut pas contenir de caractère de "
                              "contrôle (tabulation, retour à la ligne, caractère nul…).");
    return {};
}

} // namespace store
