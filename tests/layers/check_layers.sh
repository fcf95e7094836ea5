#!/bin/sh
# Fails, naming each file and line, when a file of src/ includes a header of a library above
# its own. The layers, from the bottom:
#   store <- ranking <- forecast <- models <- printing / controls <- windows <- the two programs
# where windows is shell, teams, matches, standings, bets and analysis together.
# Usage: check_layers.sh ROOT (the folder holding src/).
set -u
root=${1:?usage: check_layers.sh ROOT}
[ -d "$root/src" ] || { echo "no src under $root"; exit 2; }

report=$(cd "$root" && find src -mindepth 2 -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.h.in' \) |
    sort | xargs awk '
    BEGIN {
        windows = "store ranking forecast models printing controls shell teams matches standings bets analysis"
        may["store"] = "store"
        may["ranking"] = "store ranking"
        may["forecast"] = "store ranking forecast"
        may["models"] = "store ranking forecast models"
        may["printing"] = "store ranking forecast models printing"
        may["controls"] = "store ranking forecast models controls"
        split("shell teams matches standings bets analysis", w, " ")
        for (i in w) may[w[i]] = windows
        may["cli"] = "store ranking forecast models printing cli"
        for (f in may) library[f] = 1
    }
    FNR == 1 {
        split(FILENAME, parts, "/")
        folder = parts[2]
        if (!(folder in may))
            print FILENAME ": the folder " folder " is no library; add it to the layers of check_layers.sh"
    }
    /^[ \t]*#[ \t]*include[ \t]*"[^"\/]+\// {
        target = $0
        sub(/^[^"]*"/, "", target)
        sub(/\/.*/, "", target)
        if ((folder in may) && (target in library) && index(" " may[folder] " ", " " target " ") == 0)
            print FILENAME ":" FNR ": " folder " includes a header of " target ", which is not below it"
    }')
if [ -n "$report" ]; then
    printf '%s\n' "$report"
    echo "A library may use only the layers below it: move the code down, or pass it in."
    exit 1
fi
echo "Every include keeps to the layers."
