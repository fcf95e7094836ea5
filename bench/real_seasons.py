#!/usr/bin/env python3
"""Vemo's forecasts of a real season against the bookmakers' closing odds.

    bench/real_seasons.py SAISON.csv [--previous PRECEDENTE.csv] [--cli vemo-cli]

SAISON.csv is a football-data season (Date, HomeTeam, AwayTeam, FTHG, FTAG and odds). The
competition is made with `vemo-cli new --from`, each matchday forecast with `vemo-cli predict`
(with and without the previous season), and each forecast compared, by its ranked probability
score (RPS, lower is better), with the closing odds made probabilities (1/odds, normalised),
on the matches where both teams had already played at least --min-played matches.
"""
import argparse
import csv
import datetime
import io
import os
import subprocess
import sys
import tempfile

ODDS = ["PSC", "AvgC", "B365C", "PS", "Avg", "B365"]  # closing first, then opening


def run(cli, *args):
    done = subprocess.run([cli, *args], capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"{cli} {' '.join(args)}: {done.stderr.strip()}")
    return done.stdout


def table(text):
    return list(csv.DictReader(io.StringIO(text)))


def date(text):
    day, month, year = text.split("/")
    year = int(year) + (2000 if len(year) == 2 else 0)
    return datetime.date(year, int(month), int(day))


def rps(p, outcome):
    """p: probabilities of home win, draw, away win; outcome: 0, 1 or 2."""
    observed = [1.0 if k == outcome else 0.0 for k in range(3)]
    return ((p[0] - observed[0]) ** 2 + (p[0] + p[1] - observed[0] - observed[1]) ** 2) / 2


def season(path):
    """The played matches of a football-data file, by (home, away), and the odds used."""
    with open(path, encoding="utf-8-sig", newline="") as f:
        rows = [r for r in csv.DictReader(f) if r.get("HomeTeam") and r.get("FTHG")]
    prefix = next((p for p in ODDS if all(rows[0].get(p + s) for s in "HDA")), None)
    matches = {}
    for r in rows:
        home, away = int(r["FTHG"]), int(r["FTAG"])
        odds = None
        if prefix and all(r.get(prefix + s) for s in "HDA"):
            inverse = [1 / float(r[prefix + s]) for s in "HDA"]
            odds = [x / sum(inverse) for x in inverse]
        matches[(r["HomeTeam"], r["AwayTeam"])] = {
            "date": date(r["Date"]),
            "outcome": 0 if home > away else 1 if home == away else 2,
            "odds": odds,
        }
    return matches, prefix


def forecasts(cli, dat, last, previous=None):
    """(home, away) -> probabilities, each match forecast from the matchdays before its own."""
    extra = ["--previous", previous] if previous else []
    found = {}
    for day in range(1, last + 1):
        out = run(cli, "predict", dat, "--matchday", str(day), "--format", "csv", *extra)
        for r in table(out):
            found[(r["Domicile"], r["Visiteur"])] = [float(r[k]) for k in ("P1", "PN", "P2")]
    return found


def forecasts_by_date(cli, path, tmp, previous=None):
    """(home, away) -> probabilities, each match forecast from the matches played before its
    date only: for each date, a competition of what was played before it, with that date's
    matches as fixtures, forecast as the application forecasts a matchday to play."""
    with open(path, encoding="utf-8-sig", newline="") as f:
        reader = csv.DictReader(f)
        fields = reader.fieldnames
        rows = [r for r in reader if r.get("HomeTeam") and r.get("FTHG")]
    extra = ["--previous", previous] if previous else []
    found = {}
    for day in sorted({date(r["Date"]) for r in rows}):
        before = [r for r in rows if date(r["Date"]) < day]
        today = [dict(r, FTHG="", FTAG="", FTR="") for r in rows if date(r["Date"]) == day]
        part, dat = os.path.join(tmp, "jour.csv"), os.path.join(tmp, "jour.dat")
        with open(part, "w", encoding="utf-8", newline="") as f:
            w = csv.DictWriter(f, fieldnames=fields, extrasaction="ignore")
            w.writeheader()
            w.writerows(before + today)
        if os.path.exists(dat):
            os.remove(dat)
        run(cli, "new", dat, "--from", part, "--name", "Saison")
        wanted = {(r["HomeTeam"], r["AwayTeam"]) for r in today}
        days = {int(r["Journée"]) for r in table(run(cli, "fixtures", dat, "--format", "csv"))}
        for n in sorted(days):
            out = run(cli, "predict", dat, "--matchday", str(n), "--format", "csv", *extra)
            for r in table(out):
                if (r["Domicile"], r["Visiteur"]) in wanted:
                    found[(r["Domicile"], r["Visiteur"])] = [
                        float(r[k]) for k in ("P1", "PN", "P2")]
    return found


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("season")
    ap.add_argument("--previous", help="the previous season's football-data file")
    ap.add_argument("--cli", default=os.path.join(here, "..", "build", "bin", "vemo-cli"))
    ap.add_argument("--min-played", type=int, default=6)
    ap.add_argument("--by-date", action="store_true",
                    help="forecast each match from the matches played before its date only")
    a = ap.parse_args()

    matches, prefix = season(a.season)
    if not prefix:
        sys.exit(f"{a.season}: aucune colonne de cotes ({', '.join(ODDS)}).")
    with tempfile.TemporaryDirectory() as tmp:
        dat = os.path.join(tmp, "saison.dat")
        run(a.cli, "new", dat, "--from", a.season, "--name", "Saison")
        numbered = {(r["Domicile"], r["Visiteur"]): int(r["Journée"])
                    for r in table(run(a.cli, "matches", dat, "--format", "csv"))}
        last = max(numbered.values())
        runs = {"Vemo": forecasts(a.cli, dat, last)}
        if a.by_date:
            runs["Vemo, par date"] = forecasts_by_date(a.cli, a.season, tmp)
        if a.previous:
            prev = os.path.join(tmp, "precedente.dat")
            run(a.cli, "new", prev, "--from", a.previous, "--name", "Precedente")
            runs["Vemo + saison précédente"] = forecasts(a.cli, dat, last, prev)
            if a.by_date:
                runs["Vemo + précédente, par date"] = forecasts_by_date(a.cli, a.season, tmp,
                                                                         prev)

    # Matches each team played before a date, and results a matchday's forecasts learned from
    # though played after the match forecast (the matchdays of a season with put-off matches
    # cannot all keep the date order).
    def played_before(team, day):
        return sum(1 for (h, w), m in matches.items() if team in (h, w) and m["date"] < day)

    def learned_later(key):
        m, day = matches[key], numbered[key]
        return any(numbered[k] < day and matches[k]["date"] > m["date"] for k in numbered)

    kept = [k for k, m in matches.items()
            if m["odds"] and k in numbered
            and min(played_before(k[0], m["date"]), played_before(k[1], m["date"])) >= a.min_played
            and all(k in f for f in runs.values())]
    clean = [k for k in kept if not learned_later(k)]

    print(f"{os.path.basename(a.season)} : {len(matches)} matchs, cotes {prefix}H/D/A, "
          f"{len(kept)} matchs après {a.min_played} matchs joués par chaque équipe "
          f"({len(clean)} dont les prévisions n'ont rien appris d'un match joué après)")
    for label, subset in (("tous", kept), ("sans match appris d'après", clean)):
        if not subset:
            continue
        odds = sum(rps(matches[k]["odds"], matches[k]["outcome"]) for k in subset) / len(subset)
        print(f"  {label} ({len(subset)}) : RPS cotes {odds:.4f}")
        for name, f in runs.items():
            value = sum(rps(f[k], matches[k]["outcome"]) for k in subset) / len(subset)
            print(f"    {name:26} RPS {value:.4f}, écart {100 * (value - odds) / odds:+.1f} %")


if __name__ == "__main__":
    main()
