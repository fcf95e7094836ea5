#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace store {

// Writes a file at a path the user chose without ever writing through a symbolic link found
// there: the bytes go to a new file made beside it under a random name, which is then renamed
// over the path (a rename replaces a link itself, never what it points to). A link at the path
// is refused, whatever it points to. Until commit() succeeds the file that was there stays as
// it was, and nothing is left beside it. A new file gets the usual permissions; a replaced
// one keeps its own.
class SafeSaveFile
{
public:
    enum Status {
        Done,
        Link,     // the path is a symbolic link: nothing was written
        Taken,    // placeNew() only: something already has that name
        Failed,   // could not be written (folder missing, no room, no right)
        TooLarge, // the file would pass the size a file may have here
    };

    explicit SafeSaveFile(const QString& path);
    ~SafeSaveFile(); // a file not committed is removed
    SafeSaveFile(const SafeSaveFile&) = delete;
    SafeSaveFile& operator=(const SafeSaveFile&) = delete;

    Status open();
    // Where the bytes go, once open() answered Done.
    QFile& device() { return m_file; }
    Status commit();
    void cancel();

    // The whole of bytes at path, or nothing.
    static Status save(const QString& path, const QByteArray& bytes);
    // Moves the finished file `from` to `to` in one step, never replacing anything there (a
    // file, a folder or a link, even one that points nowhere).
    static Status placeNew(const QString& from, const QString& to);
    static bool isLink(const QString& path);
    // Removes the files still being written, for a program that must end at once (out of
    // memory); allocates nothing.
    static void removeUnfinished();
    // What the windows and the tool say when they refuse to write at a link.
    static QString linkRefusal(const QString& path);
    // Why the file at path was not written, in French: a link, a file too large, or failed
    // (then failedText).
    static QString describe(Status status, const QString& path, const QString& failedText);

private:
    QString m_path;
    QByteArray m_temp; // the file being written, as the system names it
    QFile m_file;
};

} // namespace store
