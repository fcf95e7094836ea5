#include "support/FaultyDisk.h"

#include "store/CompetitionFile.h"
#include "store/Database.h"

#include <atomic>
#include <csignal>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/resource.h>

namespace testsupport {

namespace {

std::atomic<qint64> g_budget{-1};
std::atomic<qint64> g_written{0};
std::atomic<int> g_failed{0};

sqlite3_vfs* g_real = nullptr;
sqlite3_vfs g_vfs;
sqlite3_io_methods g_methods;

struct FaultyFile
{
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_file* real(sqlite3_file* f)
{
    return reinterpret_cast<FaultyFile*>(f)->real;
}

int xClose(sqlite3_file* f)
{
    return real(f)->pMethods ? real(f)->pMethods->xClose(real(f)) : SQLITE_OK;
}
int xRead(sqlite3_file* f, void* p, int n, sqlite3_int64 at)
{
    return real(f)->pMethods->xRead(real(f), p, n, at);
}
int xWrite(sqlite3_file* f, const void* p, int n, sqlite3_int64 at)
{
    const qint64 budget = g_budget.load();
    if (budget >= 0 && g_written.load() + n > budget) {
        ++g_failed;
        return SQLITE_FULL;
    }
    g_written += n;
    return real(f)->pMethods->xWrite(real(f), p, n, at);
}
int xTruncate(sqlite3_file* f, sqlite3_int64 size)
{
    return real(f)->pMethods->xTruncate(real(f), size);
}
int xSync(sqlite3_file* f, int flags)
{
    return real(f)->pMethods->xSync(real(f), flags);
}
int xFileSize(sqlite3_file* f, sqlite3_int64* size)
{
    return real(f)->pMethods->xFileSize(real(f), size);
}
int xLock(sqlite3_file* f, int level)
{
    return real(f)->pMethods->xLock(real(f), level);
}
int xUnlock(sqlite3_file* f, int level)
{
    return real(f)->pMethods->xUnlock(real(f), level);
}
int xCheckReservedLock(sqlite3_file* f, int* out)
{
    return real(f)->pMethods->xCheckReservedLock(real(f), out);
}
int xFileControl(sqlite3_file* f, int op, void* arg)
{
    return real(f)->pMethods->xFileControl(real(f), op, arg);
}
int xSectorSize(sqlite3_file* f)
{
    return real(f)->pMethods->xSectorSize(real(f));
}
int xDeviceCharacteristics(sqlite3_file* f)
{
    return real(f)->pMethods->xDeviceCharacteristics(real(f));
}
int xShmMap(sqlite3_file* f, int region, int size, int extend, void volatile** p)
{
    return real(f)->pMethods->xShmMap(real(f), region, size, extend, p);
}
int xShmLock(sqlite3_file* f, int offset, int n, int flags)
{
    return real(f)->pMethods->xShmLock(real(f), offset, n, flags);
}
void xShmBarrier(sqlite3_file* f)
{
    real(f)->pMethods->xShmBarrier(real(f));
}
int xShmUnmap(sqlite3_file* f, int deleteFlag)
{
    return real(f)->pMethods->xShmUnmap(real(f), deleteFlag);
}
// No memory mapping: every write goes through xWrite.
int xFetch(sqlite3_file*, sqlite3_int64, int, void** p)
{
    *p = nullptr;
    return SQLITE_OK;
}
int xUnfetch(sqlite3_file*, sqlite3_int64, void*)
{
    return SQLITE_OK;
}

int xOpen(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* outFlags)
{
    auto* file = reinterpret_cast<FaultyFile*>(f);
    file->real = reinterpret_cast<sqlite3_file*>(file + 1);
    file->base.pMethods = nullptr;
    const int rc = g_real->xOpen(g_real, name, file->real, flags, outFlags);
    if (file->real->pMethods)
        file->base.pMethods = &g_methods;
    return rc;
}

} // namespace

void FaultyDisk::install()
{
    if (g_real)
        return;
    sqlite3_initialize();
    g_real = sqlite3_vfs_find(nullptr);
    ASSERT_TRUE(g_real);
    g_vfs = *g_real;
    g_vfs.zName = "faulty-disk";
    g_vfs.szOsFile = int(sizeof(FaultyFile)) + g_real->szOsFile;
    g_vfs.xOpen = xOpen;
    g_vfs.pNext = nullptr;
    g_methods = {3,
                 xClose,
                 xRead,
                 xWrite,
                 xTruncate,
                 xSync,
                 xFileSize,
                 xLock,
                 xUnlock,
                 xCheckReservedLock,
                 xFileControl,
                 xSectorSize,
                 xDeviceCharacteristics,
                 xShmMap,
                 xShmLock,
                 xShmBarrier,
                 xShmUnmap,
                 xFetch,
                 xUnfetch};
    ASSERT_EQ(sqlite3_vfs_register(&g_vfs, 1), SQLITE_OK);
}

void FaultyDisk::failWritesAfter(qint64 bytes)
{
    g_written = 0;
    g_failed = 0;
    g_budget = bytes;
}

qint64 FaultyDisk::bytesWritten()
{
    return g_written.load();
}

int FaultyDisk::failedWrites()
{
    return g_failed.load();
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_old = qint64(limit.rlim_cur);
    limit.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_old);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_oldHandler);
}

QString dumpContent(const QString& path)
{
    store::DbError e;
    auto db = store::Database::open(path, store::competitionKey(), e);
    if (!db)
        return QStringLiteral("<cannot open: %1>").arg(e.message);
    store::Snapshot tables;
    e = db->query(QStringLiteral("SELECT name, sql FROM sqlite_master ORDER BY type, name"), {},
                  tables);
    if (e)
        return QStringLiteral("<cannot read: %1>").arg(e.message);
    QString out;
    for (int t = 0; t < tables.rowCount(); ++t) {
        const QString name = tables.value(t, 0).toString();
        out += QStringLiteral("== %1\n%2\n").arg(name, tables.value(t, 1).toString());
        store::Snapshot rows;
        if (db->query(QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid")
                          .arg(store::quoteIdentifier(name)),
                      {}, rows))
            continue; // an index has no rows of its own
        for (const auto& row : rows.rows) {
            QStringList cells;
            for (const QVariant& v : row)
                cells << (v.isNull() ? QStringLiteral("NULL")
                          : v.typeId() == QMetaType::QByteArray
                              ? QString::fromLatin1(v.toByteArray().toHex())
                              : v.toString());
            out += cells.join(QLatin1Char('|')) + QLatin1Char('\n');
        }
    }
    return out;
}

} // namespace testsupport
