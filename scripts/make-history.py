#!/usr/bin/env python3
"""Builds the shipped draw history under data/ from the collected CSV files.

Usage: scripts/make-history.py SOURCE_DIR
SOURCE_DIR holds de_6aus49.csv, at_6aus45.csv, ch_6aus42.csv and the quota files.
Writes data/ziehungen.csv and data/gewinne.csv. Run by hand when new draws are collected;
the build only reads the files in data/.

Keys: association 3 Germany, 4 Austria, 5 Switzerland; draw 1 = the weekend draw (tag SA,
Austria SO), draw 2 = the Wednesday draw (MI). Year and week are the ISO 8601 week-numbering
year and week of the draw date; a weekend draw held on a Monday or Tuesday (holiday shift)
belongs to the week of the Sunday before.
"""
import csv
import datetime
import os
import sys

SOURCES = [
    (3, "de_6aus49.csv", "de_6aus49_quoten.csv", {"SA": 1, "MI": 2}),
    (4, "at_6aus45.csv", None, {"SO": 1, "MI": 2}),
    (5, "ch_6aus42.csv", "ch_6aus42_quoten.csv", {"SA": 1, "MI": 2}),
]


def play_week(date, draw):
    if draw == 1 and date.weekday() in (0, 1):  # Monday, Tuesday
        date = date - datetime.timedelta(days=date.weekday() + 1)
    iso = date.isocalendar()
    return iso[0], iso[1]


def main():
    src = sys.argv[1]
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    draws = []
    prizes = []
    for verband, name, quoten, tags in SOURCES:
        keys = {}
        with open(os.path.join(src, name), newline="") as f:
            for row in csv.DictReader(f):
                draw = tags[row["tag"]]
                date = datetime.date.fromisoformat(row["datum"])
                year, week = play_week(date, draw)
                key = (verband, draw, year, week)
                if key in keys.values():
                    raise SystemExit(f"two draws on one key: {key} ({row['datum']})")
                keys[(row["datum"], row["tag"])] = key
                z = [int(row[f"z{i}"]) for i in range(1, 7)]
                drawn = z if row["sortiert"] == "0" else [""] * 6
                draws.append([verband, draw, year, week, row["datum"], *sorted(z), *drawn,
                              row["zusatzzahl"], row["superzahl"]])
        if quoten:
            with open(os.path.join(src, quoten), newline="") as f:
                for row in csv.DictReader(f):
                    verband_, draw, year, week = keys[(row["datum"], row["tag"])]
                    prizes.append([verband_, year, week, draw, int(row["klasse"]), int(row["anzahl"]),
                                   row["quote"]])
    draws.sort(key=lambda r: tuple(r[:4]))
    prizes.sort(key=lambda r: tuple(r[:5]))
    with open(os.path.join(out, "ziehungen.csv"), "w", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["verband", "ziehung", "jahr", "woche", "datum", "z1", "z2", "z3", "z4", "z5", "z6",
                    "g1", "g2", "g3", "g4", "g5", "g6", "zusatzzahl", "superzahl"])
        w.writerows(draws)
    with open(os.path.join(out, "gewinne.csv"), "w", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["verband", "jahr", "woche", "ziehung", "rang", "anzahl", "gewinn"])
        w.writerows(prizes)
    print(f"{len(draws)} draws, {len(prizes)} prize classes")


if __name__ == "__main__":
    main()
