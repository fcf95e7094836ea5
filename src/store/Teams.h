#pragma once

#include "store/Database.h"

namespace store {

// Rewrites the team of this row with fields; when the name changes, its matches follow it.
// All of it or none of it.
[[nodiscard]] DbError updateTeam(Database& db, qint64 rowid, const QString& oldName,
                                 const Fields& fields);

} // namespace store
