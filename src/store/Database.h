#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

// An engine failure as the engine reported it: its result code and its own message.
struct DbError
{
    int code = 0;
    QString message;
    int systemError = 0; // errno of the failed system call, when there was one

    bool ok() const { return code == 0; }
    explicit operator bool() const { return code != 0; }
    static DbError none() { return {}; }
};

// Rows read at once: later changes to the file do not show in a snapshot.
class Snapshot
{
public:
    QStringList columns;
    std::vector<std::vector<QVariant>> rows;

    int columnIndex(const QString& name) const { return columns.indexOf(name); }
    int rowCount() const { return int(rows.size()); }
    bool isEmpty() const { return rows.empty(); }
    const QVariant& value(int row, int column) const { return rows[size_t(row)][size_t(column)]; }
    QVariant value(int row, const QString& column) const;
};

using Fields = std::vector<std::pair<QString, QVariant>>;

// The current row of a query being read; valid only inside Database::forEach.
class RowReader
{
public:
    explicit RowReader(void* stmt) : m_stmt(stmt) {}
    qint64 integer(int column) const;
    double real(int column) const;
    // The engine's type of the value: SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB or
    // SQLITE_NULL.
    int type(int column) const;
    // Text of a column; repeated values (such as team names) share one string.
    QString text(int column) const;
    // The UTF-8 bytes of a text column, valid until the next row.
    QByteArrayView bytes(int column) const;

private:
    struct Seen
    {
        bool used = false;
        QByteArray bytes;
        QString text;
    };
    void* m_stmt;
    // Short texts already converted, in an open-addressing table looked up by their bytes.
    mutable std::vector<Seen> m_seen;
    mutable int m_seenCount = 0;
    friend class Database;
};

// A hash of a short text's bytes, for tables of texts that repeat.
quint64 shortTextHash(QByteArrayView bytes);

class Database;

// A statement prepared once and run many times with new values, as a long import does.
class Statement
{
public:
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binds the values and runs the statement to its end.
    [[nodiscard]] DbError run(const QVariantList& params);

private:
    friend class Database;
    Statement(Database& db, sqlite3_stmt* stmt) : m_db(db), m_stmt(stmt) {}
    Database& m_db;
    sqlite3_stmt* m_stmt;
};

// One open SQLCipher database, used by the thread that opened it. Every operation returns the
// engine's error to the caller.
class Database
{
public:
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing file read-write, shared, keyed; a missing file is never created.
    static std::unique_ptr<Database> open(const QString& path, const QByteArray& key,
                                          DbError& error);
    // Opens an existing file for reading only: it need not be writable, and every change
    // is refused by the engine.
    static std::unique_ptr<Database> openReadOnly(const QString& path, const QByteArray& key,
                                                  DbError& error);
    // Creates a new keyed file; an existing file is refused.
    static std::unique_ptr<Database> create(const QString& path, const QByteArray& key,
                                            DbError& error);

    DbError close();
    QString fileName() const { return m_path; }
    bool isReadOnly() const;
    sqlite3* handle() const { return m_db; }

    [[nodiscard]] DbError exec(const QString& sql);
    [[nodiscard]] DbError query(const QString& sql, const QVariantList& params, Snapshot& out);
    // Reads the rows one by one without making a snapshot of them.
    [[nodiscard]] DbError forEach(const QString& sql, const QVariantList& params,
                                  const std::function<void(const RowReader&)>& row);
    [[nodiscard]] DbError run(const QString& sql, const QVariantList& params = {},
                              int* changes = nullptr);
    // Prepares sql once for many runs; null with error set when it cannot be prepared.
    std::unique_ptr<Statement> prepare(const QString& sql, DbError& error);

    [[nodiscard]] DbError addRow(const QString& table, const Fields& fields,
                                 qint64* rowid = nullptr);
    [[nodiscard]] DbError updateRow(const QString& table, qint64 rowid, const Fields& fields);
    [[nodiscard]] DbError deleteRow(const QString& table, qint64 rowid);

    // Long binary fields.
    [[nodiscard]] DbError blobSize(const QString& table, const QString& field, qint64 rowid,
                                   qint64& size);
    [[nodiscard]] DbError readBlob(const QString& table, const QString& field, qint64 rowid,
                                   qint64 offset, qint64 count, QByteArray& out);
    [[nodiscard]] DbError appendBlob(const QString& table, const QString& field, qint64 rowid,
                                     const QByteArray& bytes);

    // Transactions; prefer Transaction below.
    [[nodiscard]] DbError begin();
    [[nodiscard]] DbError commit();
    DbError rollback();
    bool inTransaction() const;

    DbError lastError() const;

    // Identifies the content: equal stamps, no change since. Counts the rows changed through
    // this connection and the commits of other connections, such as another program's import.
    struct ChangeStamp
    {
        qint64 own = -1;
        qint64 others = -1;
        bool operator==(const ChangeStamp&) const = default;
    };
    [[nodiscard]] DbError changeStamp(ChangeStamp& out);

private:
    Database(sqlite3* db, QString path) : m_db(db), m_path(std::move(path)) {}
    // Prepares, binds and steps one statement, handing each row to onRow.
    DbError execute(const QString& sql, const QVariantList& params,
                    const std::function<void(sqlite3_stmt*)>& onRow);
    static std::unique_ptr<Database> openWithFlags(const QString& path, const QByteArray& key,
                                                   int flags, DbError& error);
    static std::unique_ptr<Database> openExisting(const QString& path, const QByteArray& key,
                                                  int flags, DbError& error);

    sqlite3* m_db = nullptr;
    QString m_path;
};

// Rolls back unless committed.
class Transaction
{
public:
    explicit Transaction(Database& db) : m_db(db), m_error(db.begin()) {}
    ~Transaction()
    {
        if (m_error.ok() && !m_done)
            m_db.rollback();
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    const DbError& beginError() const { return m_error; }
    [[nodiscard]] DbError commit()
    {
        if (m_error)
            return m_error;
        m_done = true;
        return m_db.commit();
    }

private:
    Database& m_db;
    DbError m_error;
    bool m_done = false;
};

QString quoteIdentifier(const QString& name);

// Whether the file holds a table of that name, as the engine matches names (ASCII case aside):
// the tables that files made before may lack.
[[nodiscard]] DbError hasTable(Database& db, const QString& name, bool& exists);

// What went wrong with the competition file, in French, for the window to show.
QString describeError(const DbError& error);

} // namespace store
