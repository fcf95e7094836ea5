#!/bin/sh
# Fails, naming each file and line, when code outside src/store speaks to the database
# itself: SQL in a string, the engine's own types, or a query or row write on a database.
# Usage: check_sql_in_store.sh ROOT (the folder holding src/ and tools/).
set -u
root=${1:?usage: check_sql_in_store.sh ROOT}
[ -d "$root/src/store" ] || { echo "no src/store under $root"; exit 2; }

# SQL keywords inside a string literal (raw strings too).
sql='"[^"]*(^|[^A-Za-z_])(SELECT|INSERT|UPDATE|DELETE|CREATE|PRAGMA|REPLACE|DROP|ALTER) '
# The engine layer's own types and the engine itself.
types='store::(Snapshot|Transaction|Statement|RowReader)([^A-Za-z_]|$)|sqlite3'
# Queries and row writes on a database: db, m_db, database, c->db() and the like.
calls='[Dd](b|atabase)(\(\))?[[:space:]]*(\.|->)[[:space:]]*(query|forEach|run|exec|prepare|addRow|updateRow|deleteRow|begin|commit|rollback|blobSize|readBlob|appendBlob)[[:space:]]*\('

report=$(find "$root/src" "$root/tools" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.h.in' \) \
             ! -path "$root/src/store/*" 2>/dev/null | sort |
    while IFS= read -r file; do
        # Comments that start a line or follow a space are not code.
        sed -E 's#(^|[[:space:]])//.*$##' "$file" |
            grep -nE -e "$sql" -e "$types" -e "$calls" |
            awk -v name="${file#"$root"/}" '{ print name ":" $0 }'
    done)
if [ -n "$report" ]; then
    printf '%s\n' "$report"
    echo "Database access outside src/store: move it into a function of src/store."
    exit 1
fi
echo "No database access outside src/store."
