#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>

// The program's icon, built into the program at every size that the desktop installs.
namespace AppIcon {

// 16, 24, 32, 48, 64, 128 and 256 pixels.
QList<int> sizes();
QIcon icon();
// The icon drawn at size pixels (scaled from the nearest larger one when not built in).
QPixmap pixmap(int size);

} // namespace AppIcon
