#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QVariant>

// Small helpers shared by every part of the program. Those that would show a message
// return the failure instead; the windows decide what to say.
namespace Utilities {

QString TrimAtNull(const QString& text);
bool RemoveFile(const QString& path);
bool MakeFolder(const QString& path); // an existing folder is no error
// The part after the last separator ('/' or the platform's); the whole path when none.
QString FileNameFromPath(const QString& path);
// The text before the last '.'; the whole text when there is none.
QString StripExtension(const QString& name);
QString Nz(const QVariant& value);

bool TryReadFileBytes(const QString& path, QByteArray& bytes);
// For files that can be made again (the crest cache): written in place without forcing
// them to disk. False unless every byte reached the file; a failed write leaves no file.
bool TryWriteFileBytes(const QString& path, const QByteArray& bytes);
// Writes the whole of bytes, however many calls the device needs; false on any failure.
bool WriteAllBytes(QIODevice& device, const QByteArray& bytes);

} // namespace Utilities
