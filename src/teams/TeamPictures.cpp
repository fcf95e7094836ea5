#include "teams/TeamPictures.h"

#include "shell/CompetitionCommands.h"
#include "store/DataFiles.h"

namespace TeamPictures {

QString field(int slot)
{
    return slot == 0 ? QStringLiteral("Blason") : QStringLiteral("Icone");
}

QString genericPath(int slot)
{
    return DataFiles::path(slot == 0 ? QStringLiteral("Blason générique.gif")
                                     : QStringLiteral("Blason générique_24.ico"));
}

std::optional<QByteArray> bytesFor(int slot, const QString& tag)
{
    if (tag == kKeep)
        return std::nullopt;
    return Utilities::ReadFileBytes(tag.isEmpty() ? genericPath(slot) : tag);
}

QPixmap fromBytes(const QByteArray& bytes)
{
    QPixmap pm;
    if (!bytes.isEmpty())
        pm.loadFromData(bytes);
    return pm;
}

QString storedName(const QString& typed)
{
    return typed.trimmed().toUpper();
}

} // namespace TeamPictures
