#include "stats/standardanalyse_store.h"

#include "stats/analysewerte.h"
#include "stats/cursor_hilfen_store.h"
#include "store/statement.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace pyra::stats {

namespace {

using store::Statement;

// A statement on the new default database; a failure names what could not be done.
Statement anweisung(sqlite3* db, const std::string& sql) {
    return Statement(
        db, sql,
        Statement::prefixed("Die Analysewerte der Standarddatenbank können nicht berechnet werden: "));
}

void Merkmale_schreiben(sqlite3* db, const std::vector<std::int64_t>& rowids, const Merkmalsliste& liste) {
    std::string sql = "UPDATE Zahlen SET ";
    for (std::size_t f = 0; f < intern::kMerkmalFelder.size(); ++f)
        sql += (f ? ", " : "") + std::string("\"") + intern::kMerkmalFelder[f] + "\" = ?";
    sql += " WHERE rowid = ?";
    auto st = anweisung(db, sql);
    const int n = static_cast<int>(intern::kMerkmalFelder.size());
    for (std::size_t i = 0; i < liste.size(); ++i) {
        if (!liste[i]) continue;
        const intern::Merkmalwerte w = intern::Werte(*liste[i]);
        for (int f = 0; f < n; ++f) {
            if (w[f])
                st.bindInt(f + 1, *w[f]);
            else
                st.bindNull(f + 1);
        }
        st.bindInt(n + 1, rowids[i]);
        st.run();
    }
}

void Verteilung_schreiben(sqlite3* db, const char* tabelle, const char* spalte, int verband, int ziehung,
                          const std::array<std::array<double, 7>, 7>& p) {
    auto weg =
        anweisung(db, std::string("DELETE FROM ") + tabelle + " WHERE ID_Verband = ? AND ID_Ziehung = ?");
    weg.bindInt(1, verband);
    weg.bindInt(2, ziehung);
    weg.run();
    auto st = anweisung(
        db, std::string("INSERT INTO ") + tabelle + " (ID_Verband, ID_Ziehung, " + spalte +
                ", \"0_Zahlen\", \"1_Zahl\", \"2_Zahlen\", \"3_Zahlen\", \"4_Zahlen\", \"5_Zahlen\", "
                "\"6_Zahlen\") VALUES (?,?,?,?,?,?,?,?,?,?)");
    for (int z = 1; z <= 7; ++z) {
        st.bindInt(1, verband);
        st.bindInt(2, ziehung);
        st.bindInt(3, z);
        for (int v = 0; v < 7; ++v) st.bindFloat(4 + v, p[z - 1][v]);
        st.run();
    }
}

void Summen_schreiben(sqlite3* db, int verband, int ziehung, const std::array<double, 15>& prozent) {
    auto weg = anweisung(db, "DELETE FROM Summe_Ru WHERE ID_Verband = ? AND ID_Ziehung = ?");
    weg.bindInt(1, verband);
    weg.bindInt(2, ziehung);
    weg.run();
    auto st =
        anweisung(db, "INSERT INTO Summe_Ru (ID_Verband, ID_Ziehung, Von, Bis, Prozent) VALUES (?,?,?,?,?)");
    for (int b = 1; b <= 15; ++b) {
        st.bindInt(1, verband);
        st.bindInt(2, ziehung);
        st.bindInt(3, 10 * b - 9);
        st.bindInt(4, 10 * b);
        st.bindFloat(5, prozent[b - 1]);
        st.run();
    }
}

} // namespace

void Standarddatenbank_nachbereiten(sqlite3* db) {
    std::vector<std::pair<int, int>> reihen;
    {
        auto st = anweisung(db, "SELECT DISTINCT ID_Verband, ID_Ziehung FROM Zahlen ORDER BY 1, 2");
        while (st.step())
            reihen.emplace_back(static_cast<int>(st.columnInt(0)), static_cast<int>(st.columnInt(1)));
    }
    for (const auto& [verband, ziehung] : reihen) {
        // The series in the order the draws cursor walks it.
        Serie serie;
        std::vector<std::int64_t> rowids;
        {
            auto st = anweisung(
                db, "SELECT rowid, Jahr, Woche, Zahl_01, Zahl_02, Zahl_03, Zahl_04, Zahl_05, Zahl_06 "
                    "FROM Zahlen WHERE ID_Verband = ? AND ID_Ziehung = ? ORDER BY Jahr, Woche, AB, rowid");
            st.bindInt(1, verband);
            st.bindInt(2, ziehung);
            while (st.step()) {
                rowids.push_back(st.columnInt(0));
                Ziehung z;
                z.Jahr = static_cast<int>(st.columnInt(1));
                z.Woche = static_cast<int>(st.columnInt(2));
                for (int i = 0; i < 6; ++i)
                    z.Zahl[i] =
                        static_cast<int>(std::clamp<std::int64_t>(st.columnInt(3 + i), -100000, 100000));
                serie.push_back(z);
            }
        }
        if (serie.empty()) continue;
        const Merkmalsliste liste = Ziehungsmerkmale_berechnen(serie, serie.size() - 1);
        Merkmale_schreiben(db, rowids, liste);
        const Analysewerte a = Analysewerte_berechnen(liste);
        Verteilung_schreiben(db, "Ziehung_Wo_z", "Woche_z", verband, ziehung, a.Ziehung_Wo_z);
        Verteilung_schreiben(db, "Ziehung_Ja_z", "Jahr_z", verband, ziehung, a.Ziehung_Ja_z);
        Summen_schreiben(db, verband, ziehung, a.Summe_Ru);
    }
}

} // namespace pyra::stats
