#pragma once

#include <QByteArray>
#include <QPixmap>
#include <QString>
#include <optional>

// What a team's crest (slot 0) and small icon (slot 1) become when a team is saved, as the
// team dialog's slot tags say: no picture of its own, keep the stored one, or a chosen file.
namespace TeamPictures {

inline const QString kKeep = QStringLiteral("En mode edit");

// The field each slot fills.
QString field(int slot); // "Blason", "Icone"
// The generic picture of the program's folder for a slot.
QString genericPath(int slot);
// The bytes to store for a slot with this tag, or nothing to leave the field as it is.
// A file that cannot be read is reported to the user and gives no bytes.
std::optional<QByteArray> bytesFor(int slot, const QString& tag);
// A stored picture to show; a null pixmap when there are no bytes or they are no picture.
QPixmap fromBytes(const QByteArray& bytes);
// A typed team name as it is stored: without surrounding spaces, in upper case.
QString storedName(const QString& typed);

} // namespace TeamPictures
