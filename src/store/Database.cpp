#include "store/Database.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <optional>
#include <sqlite3.h>

namespace store {

namespace {

constexpr int kBusyTimeoutMs = 1500;

DbError errorOf(sqlite3* db, int rc)
{
    DbError e;
    e.code = rc == SQLITE_OK ? SQLITE_ERROR : rc;
    if (db) {
        e.code = sqlite3_extended_errcode(db) ? sqlite3_extended_errcode(db) : e.code;
        e.message = QString::fromUtf8(sqlite3_errmsg(db));
        e.systemError = sqlite3_system_errno(db);
    } else {
        e.message = QString::fromUtf8(sqlite3_errstr(rc));
    }
    return e;
}

struct Stmt
{
    sqlite3_stmt* s = nullptr;
    ~Stmt() { sqlite3_finalize(s); }
};

DbError bindAll(sqlite3* db, sqlite3_stmt* s, const QVariantList& params)
{
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params[i];
        int rc;
        const int at = i + 1;
        if (v.isNull() || !v.isValid()) {
            rc = sqlite3_bind_null(s, at);
        } else {
            switch (v.typeId()) {
            case QMetaType::Bool:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::UChar:
            case QMetaType::SChar:
            case QMetaType::Char:
                rc = sqlite3_bind_int64(s, at, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(s, at, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob64(s, at, b.constData(), sqlite3_uint64(b.size()),
                                         SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray t = v.toString().toUtf8();
                rc = sqlite3_bind_text64(s, at, t.constData(), sqlite3_uint64(t.size()),
                                         SQLITE_TRANSIENT, SQLITE_UTF8);
                break;
            }
            }
        }
        if (rc != SQLITE_OK)
            return errorOf(db, rc);
    }
    return {};
}

QVariant columnValue(sqlite3_stmt* s, int c)
{
    switch (sqlite3_column_type(s, c)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(s, c)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(s, c));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                          sqlite3_column_bytes(s, c)));
    case SQLITE_BLOB: {
        const void* p = sqlite3_column_blob(s, c);
        return QVariant(QByteArray(static_cast<const char*>(p), sqlite3_column_bytes(s, c)));
    }
    default:
        return QVariant();
    }
}

} // namespace

DbError hasTable(Database& db, const QString& name, bool& exists)
{
    Snapshot s;
    if (DbError e = db.query(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' "
                                            "AND name = ? COLLATE NOCASE"),
                             {name}, s))
        return e;
    exists = !s.isEmpty();
    return {};
}

QString quoteIdentifier(const QString& name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QVariant Snapshot::value(int row, const QString& column) const
{
    const int c = columnIndex(column);
    if (c < 0 || row < 0 || row >= rowCount())
        return {};
    return rows[size_t(row)][size_t(c)];
}

Database::~Database()
{
    close();
}

std::unique_ptr<Database> Database::openWithFlags(const QString& path, const QByteArray& key,
                                                  int flags, DbError& error)
{
    error = {};
    sqlite3* db = nullptr;
    const QByteArray native = QFile::encodeName(path);
    int rc = sqlite3_open_v2(native.constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        error = errorOf(db, rc);
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    // An empty key leaves the file in plain text, as the engine's own shell would make it.
    rc = key.isEmpty() ? SQLITE_OK : sqlite3_key(db, key.constData(), int(key.size()));
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db,
                          // Decrypted pages stay in memory: a whole competition fits in 32 MiB.
                          "PRAGMA synchronous = FULL; PRAGMA cache_size = -32768;", nullptr,
                          nullptr, nullptr);
    if (rc != SQLITE_OK) {
        error = errorOf(db, rc);
        sqlite3_close(db);
        return nullptr;
    }
    return std::unique_ptr<Database>(new Database(db, QFileInfo(path).absoluteFilePath()));
}

std::unique_ptr<Database> Database::open(const QString& path, const QByteArray& key, DbError& error)
{
    return openExisting(path, key, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, error);
}

std::unique_ptr<Database> Database::openReadOnly(const QString& path, const QByteArray& key,
                                                 DbError& error)
{
    return openExisting(path, key, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, error);
}

std::unique_ptr<Database> Database::openExisting(const QString& path, const QByteArray& key,
                                                 int flags, DbError& error)
{
    auto db = openWithFlags(path, key, flags, error);
    if (!db)
        return nullptr;
    // The key is only checked when the first page is read.
    Snapshot probe;
    error = db->query(QStringLiteral("SELECT count(*) FROM sqlite_master"), {}, probe);
    if (error)
        return nullptr;
    return db;
}

std::unique_ptr<Database> Database::create(const QString& path, const QByteArray& key,
                                           DbError& error)
{
    if (QFileInfo::exists(path)) {
        error = {SQLITE_CANTOPEN, QStringLiteral("file already exists")};
        return nullptr;
    }
    return openWithFlags(path, key,
                         SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, error);
}

DbError Database::close()
{
    if (!m_db)
        return {};
    const int rc = sqlite3_close(m_db);
    if (rc != SQLITE_OK) {
        DbError e = errorOf(m_db, rc);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        return e;
    }
    m_db = nullptr;
    return {};
}

bool Database::isReadOnly() const
{
    return m_db && sqlite3_db_readonly(m_db, "main") == 1;
}

DbError Database::changeStamp(ChangeStamp& out)
{
    qint64 version = -1;
    if (DbError e = execute(QStringLiteral("PRAGMA data_version"), {},
                            [&version](sqlite3_stmt* s) { version = sqlite3_column_int64(s, 0); }))
        return e;
    out = {sqlite3_total_changes(m_db), version};
    return {};
}

DbError Database::lastError() const
{
    return errorOf(m_db, sqlite3_errcode(m_db));
}

DbError Database::exec(const QString& sql)
{
    if (!m_db)
        return {SQLITE_MISUSE, QStringLiteral("database is closed")};
    char* msg = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &msg);
    if (rc != SQLITE_OK) {
        DbError e{sqlite3_extended_errcode(m_db), QString::fromUtf8(msg ? msg : sqlite3_errstr(rc)),
                  sqlite3_system_errno(m_db)};
        sqlite3_free(msg);
        return e;
    }
    return {};
}

DbError Database::execute(const QString& sql, const QVariantList& params,
                          const std::function<void(sqlite3_stmt*)>& onRow)
{
    if (!m_db)
        return {SQLITE_MISUSE, QStringLiteral("database is closed")};
    Stmt st;
    int rc = sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &st.s, nullptr);
    if (rc != SQLITE_OK)
        return errorOf(m_db, rc);
    if (DbError e = bindAll(m_db, st.s, params))
        return e;
    while ((rc = sqlite3_step(st.s)) == SQLITE_ROW)
        if (onRow)
            onRow(st.s);
    if (rc != SQLITE_DONE)
        return errorOf(m_db, rc);
    return {};
}

DbError Database::query(const QString& sql, const QVariantList& params, Snapshot& out)
{
    out = Snapshot{};
    DbError e = execute(sql, params, [&out](sqlite3_stmt* s) {
        const int n = sqlite3_column_count(s);
        if (out.columns.isEmpty())
            for (int c = 0; c < n; ++c)
                out.columns << QString::fromUtf8(sqlite3_column_name(s, c));
        std::vector<QVariant> row;
        row.reserve(size_t(n));
        for (int c = 0; c < n; ++c)
            row.push_back(columnValue(s, c));
        out.rows.push_back(std::move(row));
    });
    if (e)
        out = Snapshot{};
    return e;
}

qint64 RowReader::integer(int column) const
{
    return sqlite3_column_int64(static_cast<sqlite3_stmt*>(m_stmt), column);
}

double RowReader::real(int column) const
{
    return sqlite3_column_double(static_cast<sqlite3_stmt*>(m_stmt), column);
}

int RowReader::type(int column) const
{
    return sqlite3_column_type(static_cast<sqlite3_stmt*>(m_stmt), column);
}

quint64 shortTextHash(QByteArrayView bytes)
{
    // Eight bytes at a time: names are short.
    const char* p = bytes.data();
    const qsizetype n = bytes.size();
    quint64 hash = quint64(n) * 0x9E3779B97F4A7C15ull;
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 word;
        std::memcpy(&word, p + i, 8);
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
    }
    quint64 tail = 0;
    if (n > i)
        std::memcpy(&tail, p + i, size_t(n - i));
    hash = (hash ^ tail) * 0xC4CEB9FE1A85EC53ull;
    return hash ^ (hash >> 29);
}

QByteArrayView RowReader::bytes(int column) const
{
    auto* s = static_cast<sqlite3_stmt*>(m_stmt);
    const char* p = reinterpret_cast<const char*>(sqlite3_column_text(s, column));
    return QByteArrayView(p, sqlite3_column_bytes(s, column));
}

QString RowReader::text(int column) const
{
    constexpr size_t kSlots = 1024;
    auto* s = static_cast<sqlite3_stmt*>(m_stmt);
    const char* p = reinterpret_cast<const char*>(sqlite3_column_text(s, column));
    const int n = sqlite3_column_bytes(s, column);
    if (n > 200)
        return QString::fromUtf8(p, n);
    const quint64 hash = shortTextHash(QByteArrayView(p, n));
    if (m_seen.empty())
        m_seen.resize(kSlots);
    for (size_t slot = hash % kSlots;; slot = (slot + 1) % kSlots) {
        Seen& seen = m_seen[slot];
        if (!seen.used) {
            QString string = QString::fromUtf8(p, n);
            if (m_seenCount < int(kSlots / 2)) {
                seen = {true, QByteArray(p, n), string};
                ++m_seenCount;
            }
            return string;
        }
        if (seen.bytes.size() == n && std::memcmp(seen.bytes.constData(), p, size_t(n)) == 0)
            return seen.text;
    }
}

DbError Database::forEach(const QString& sql, const QVariantList& params,
                          const std::function<void(const RowReader&)>& row)
{
    std::optional<RowReader> reader;
    return execute(sql, params, [&](sqlite3_stmt* s) {
        if (!reader)
            reader.emplace(s);
        row(*reader);
    });
}

DbError Database::run(const QString& sql, const QVariantList& params, int* changes)
{
    if (DbError e = execute(sql, params, {}))
        return e;
    if (changes)
        *changes = sqlite3_changes(m_db);
    return {};
}

std::unique_ptr<Statement> Database::prepare(const QString& sql, DbError& error)
{
    error = {};
    if (!m_db) {
        error = {SQLITE_MISUSE, QStringLiteral("database is closed")};
        return nullptr;
    }
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        error = errorOf(m_db, rc);
        sqlite3_finalize(stmt);
        return nullptr;
    }
    return std::unique_ptr<Statement>(new Statement(*this, stmt));
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

DbError Statement::run(const QVariantList& params)
{
    sqlite3* db = m_db.handle();
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    if (DbError e = bindAll(db, m_stmt, params))
        return e;
    int rc;
    while ((rc = sqlite3_step(m_stmt)) == SQLITE_ROW) {
    }
    DbError e = rc == SQLITE_DONE ? DbError{} : errorOf(db, rc);
    sqlite3_reset(m_stmt);
    return e;
}

DbError Database::addRow(const QString& table, const Fields& fields, qint64* rowid)
{
    QStringList names, marks;
    QVariantList values;
    for (const auto& [name, value] : fields) {
        names << quoteIdentifier(name);
        marks << QStringLiteral("?");
        values << value;
    }
    const QString sql =
        names.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdentifier(table))
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quoteIdentifier(table), names.join(QLatin1Char(',')),
                       marks.join(QLatin1Char(',')));
    if (DbError e = run(sql, values))
        return e;
    if (rowid)
        *rowid = sqlite3_last_insert_rowid(m_db);
    return {};
}

DbError Database::updateRow(const QString& table, qint64 rowid, const Fields& fields)
{
    if (fields.empty())
        return {};
    QStringList sets;
    QVariantList values;
    for (const auto& [name, value] : fields) {
        sets << quoteIdentifier(name) + QStringLiteral(" = ?");
        values << value;
    }
    values << rowid;
    int changes = 0;
    if (DbError e = run(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                            .arg(quoteIdentifier(table), sets.join(QLatin1Char(','))),
                        values, &changes))
        return e;
    if (changes == 0)
        return {SQLITE_NOTFOUND, QStringLiteral("no row with this identity")};
    return {};
}

DbError Database::deleteRow(const QString& table, qint64 rowid)
{
    int changes = 0;
    if (DbError e =
            run(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoteIdentifier(table)),
                {rowid}, &changes))
        return e;
    if (changes == 0)
        return {SQLITE_NOTFOUND, QStringLiteral("no row with this identity")};
    return {};
}

DbError Database::blobSize(const QString& table, const QString& field, qint64 rowid, qint64& size)
{
    Snapshot s;
    if (DbError e = query(QStringLiteral("SELECT length(%1) FROM %2 WHERE rowid = ?")
                              .arg(quoteIdentifier(field), quoteIdentifier(table)),
                          {rowid}, s))
        return e;
    if (s.isEmpty())
        return {SQLITE_NOTFOUND, QStringLiteral("no row with this identity")};
    size = s.value(0, 0).isNull() ? 0 : s.value(0, 0).toLongLong();
    return {};
}

DbError Database::readBlob(const QString& table, const QString& field, qint64 rowid, qint64 offset,
                           qint64 count, QByteArray& out)
{
    out.clear();
    Snapshot s;
    if (DbError e = query(QStringLiteral("SELECT substr(%1, ?, ?) FROM %2 WHERE rowid = ?")
                              .arg(quoteIdentifier(field), quoteIdentifier(table)),
                          {offset + 1, count, rowid}, s))
        return e;
    if (s.isEmpty())
        return {SQLITE_NOTFOUND, QStringLiteral("no row with this identity")};
    out = s.value(0, 0).toByteArray();
    return {};
}

DbError Database::appendBlob(const QString& table, const QString& field, qint64 rowid,
                             const QByteArray& bytes)
{
    int changes = 0;
    if (DbError e = run(QStringLiteral("UPDATE %2 SET %1 = CAST(coalesce(%1, X'') || ? AS BLOB) "
                                       "WHERE rowid = ?")
                            .arg(quoteIdentifier(field), quoteIdentifier(table)),
                        {bytes, rowid}, &changes))
        return e;
    if (changes == 0)
        return {SQLITE_NOTFOUND, QStringLiteral("no row with this identity")};
    return {};
}

DbError Database::begin()
{
    return exec(QStringLiteral("BEGIN IMMEDIATE"));
}

DbError Database::commit()
{
    return exec(QStringLiteral("COMMIT"));
}

DbError Database::rollback()
{
    if (!inTransaction())
        return {};
    return exec(QStringLiteral("ROLLBACK"));
}

bool Database::inTransaction() const
{
    return m_db && !sqlite3_get_autocommit(m_db);
}

QString describeError(const DbError& error)
{
    if (error.systemError == EFBIG)
        return QStringLiteral("Le fichier dépasse la taille permise.");
    switch (error.code & 0xFF) {
    case SQLITE_NOMEM:
        return QStringLiteral("Mémoire insuffisante.");
    case SQLITE_NOTFOUND:
        return QStringLiteral("Une donnée attendue manque dans le fichier de la compétition : un "
                              "autre programme l'a peut-être modifié.");
    case SQLITE_TOOBIG:
        return QStringLiteral("Une valeur est trop grande pour le fichier de la compétition.");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("Le fichier de la compétition est verrouillé par un autre "
                              "programme. Réessayez quand il sera libéré.");
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return QStringLiteral("Le fichier de la compétition est en lecture seule.");
    case SQLITE_FULL:
        return QStringLiteral("Le disque est plein.");
    case SQLITE_IOERR:
        return QStringLiteral("Le fichier de la compétition ne peut pas être lu ou écrit sur le "
                              "disque.");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("Le fichier de la compétition est endommagé.");
    case SQLITE_CANTOPEN:
        return QStringLiteral("Le fichier de la compétition ne peut plus être ouvert.");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("Le fichier de la compétition refuse ces valeurs.");
    default:
        return QStringLiteral("Le fichier de la compétition a rendu une erreur inattendue "
                              "(code %1 : %2).")
            .arg(error.code)
            .arg(error.message);
    }
}

} // namespace store
