void planted(store::Competition* c, store::Database& db)
{
    store::Snapshot s;
    (void)db.query(QStringLiteral("SELECT rowid FROM Equipes WHERE Nom = ?"), {name}, s);
    (void)c->db().deleteRow(QStringLiteral("Paris"), rowid);
    (void)m_db->addRow(table, fields);
    const char* sql = R"(INSERT INTO Paris VALUES (?))";
    store::Transaction tx(db);
    sqlite3_exec(handle, text, nullptr, nullptr, nullptr);
    (void)database . run(text);
}
