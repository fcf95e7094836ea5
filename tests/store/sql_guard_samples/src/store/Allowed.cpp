// The store may speak SQL.
DbError count(Database& db, Snapshot& s)
{
    return db.query(QStringLiteral("SELECT COUNT(*) FROM Equipes"), {}, s);
}
