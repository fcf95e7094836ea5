#include "shell/AppIcon.h"

namespace AppIcon {

QList<int> sizes()
{
    return {16, 24, 32, 48, 64, 128, 256};
}

QIcon icon()
{
    QIcon icon;
    for (int size : sizes())
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/vemo.png").arg(size), QSize(size, size));
    return icon;
}

QPixmap pixmap(int size)
{
    return icon().pixmap(size, size);
}

} // namespace AppIcon
