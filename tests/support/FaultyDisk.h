#pragma once

#include <QString>
#include <QtGlobal>

namespace testsupport {

// A file layer under the database engine that behaves as a disk filling up: once a budget of
// bytes has been written, every further write fails with "disk full". Installed as the
// engine's default by the tests that use it; with no budget it only counts.
class FaultyDisk
{
public:
    // Makes every database opened from now on go through this layer.
    static void install();
    // Writes fail once this many more bytes have been written; negative: never.
    static void failWritesAfter(qint64 bytes);
    static qint64 bytesWritten();
    static int failedWrites();
};

// While it lives, this process cannot make a file grow past `bytes` bytes: the writes fail as
// on a disk with no room left, without root and without mounting anything.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    qint64 m_old;
    void (*m_oldHandler)(int);
};

// The whole logical content of a competition file as text: every table's rows in rowid order.
// Two files with the same content give the same text whatever their pages hold.
QString dumpContent(const QString& path);

} // namespace testsupport
