#include "store/TextChecks.h"

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
