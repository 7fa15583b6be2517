#include "stats/standardanalyse_store.h"

#include "stats/analysewerte.h"
#include "stats/cursor_hilfen_store.h"
#include "store/value.h"

#include <sqlite3.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace pyra::stats {

namespace {

using store::StoreError;

std::string fehlertext(sqlite3* db) {
    return "Die Analysewerte der Standarddatenbank können nicht berechnet werden: " +
           std::string(sqlite3_errmsg(db));
}

class Anweisung {
  public:
    Anweisung(sqlite3* db, const std::string& sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st_, nullptr) != SQLITE_OK)
            throw StoreError(fehlertext(db));
    }
    ~Anweisung() { sqlite3_finalize(st_); }
    Anweisung(const Anweisung&) = delete;
    Anweisung& operator=(const Anweisung&) = delete;

    void ganz(int i, std::int64_t v) { sqlite3_bind_int64(st_, i, v); }
    void zahl(int i, double v) { sqlite3_bind_double(st_, i, v); }
    void leer(int i) { sqlite3_bind_null(st_, i); }
    // True while a row is there.
    bool zeile() {
        const int rc = sqlite3_step(st_);
        if (rc == SQLITE_ROW) return true;
        if (rc != SQLITE_DONE) throw StoreError(fehlertext(db_));
        return false;
    }
    void ausfuehren() {
        while (zeile()) {
        }
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }
    std::int64_t spalte(int i) const { return sqlite3_column_int64(st_, i); }

  private:
    sqlite3* db_;
    sqlite3_stmt* st_ = nullptr;
};

void Merkmale_schreiben(sqlite3* db, const std::vector<std::int64_t>& rowids, const Merkmalsliste& liste) {
    std::string sql = "UPDATE Zahlen SET ";
    for (std::size_t f = 0; f < intern::kMerkmalFelder.size(); ++f)
        sql += (f ? ", " : "") + std::string("\"") + intern::kMerkmalFelder[f] + "\" = ?";
    sql += " WHERE rowid = ?";
    Anweisung st(db, sql);
    const int n = static_cast<int>(intern::kMerkmalFelder.size());
    for (std::size_t i = 0; i < liste.size(); ++i) {
        if (!liste[i]) continue;
        const intern::Merkmalwerte w = intern::Werte(*liste[i]);
        for (int f = 0; f < n; ++f) {
            if (w[f])
                st.ganz(f + 1, *w[f]);
            else
                st.leer(f + 1);
        }
        st.ganz(n + 1, rowids[i]);
        st.ausfuehren();
    }
}

void Verteilung_schreiben(sqlite3* db, const char* tabelle, const char* spalte, int verband, int ziehung,
                          const std::array<std::array<double, 7>, 7>& p) {
    Anweisung weg(db, std::string("DELETE FROM ") + tabelle + " WHERE ID_Verband = ? AND ID_Ziehung = ?");
    weg.ganz(1, verband);
    weg.ganz(2, ziehung);
    weg.ausfuehren();
    Anweisung st(db,
                 std::string("INSERT INTO ") + tabelle + " (ID_Verband, ID_Ziehung, " + spalte +
                     ", \"0_Zahlen\", \"1_Zahl\", \"2_Zahlen\", \"3_Zahlen\", \"4_Zahlen\", \"5_Zahlen\", "
                     "\"6_Zahlen\") VALUES (?,?,?,?,?,?,?,?,?,?)");
    for (int z = 1; z <= 7; ++z) {
        st.ganz(1, verband);
        st.ganz(2, ziehung);
        st.ganz(3, z);
        for (int v = 0; v < 7; ++v) st.zahl(4 + v, p[z - 1][v]);
        st.ausfuehren();
    }
}

void Summen_schreiben(sqlite3* db, int verband, int ziehung, const std::array<double, 15>& prozent) {
    Anweisung weg(db, "DELETE FROM Summe_Ru WHERE ID_Verband = ? AND ID_Ziehung = ?");
    weg.ganz(1, verband);
    weg.ganz(2, ziehung);
    weg.ausfuehren();
    Anweisung st(db, "INSERT INTO Summe_Ru (ID_Verband, ID_Ziehung, Von, Bis, Prozent) VALUES (?,?,?,?,?)");
    for (int b = 1; b <= 15; ++b) {
        st.ganz(1, verband);
        st.ganz(2, ziehung);
        st.ganz(3, 10 * b - 9);
        st.ganz(4, 10 * b);
        st.zahl(5, prozent[b - 1]);
        st.ausfuehren();
    }
}

} // namespace

void Standarddatenbank_nachbereiten(sqlite3* db) {
    std::vector<std::pair<int, int>> reihen;
    {
        Anweisung st(db, "SELECT DISTINCT ID_Verband, ID_Ziehung FROM Zahlen ORDER BY 1, 2");
        while (st.zeile())
            reihen.emplace_back(static_cast<int>(st.spalte(0)), static_cast<int>(st.spalte(1)));
    }
    for (const auto& [verband, ziehung] : reihen) {
        // The series in the order the draws cursor walks it.
        Serie serie;
        std::vector<std::int64_t> rowids;
        {
            Anweisung st(
                db, "SELECT rowid, Jahr, Woche, Zahl_01, Zahl_02, Zahl_03, Zahl_04, Zahl_05, Zahl_06 "
                    "FROM Zahlen WHERE ID_Verband = ? AND ID_Ziehung = ? ORDER BY Jahr, Woche, AB, rowid");
            st.ganz(1, verband);
            st.ganz(2, ziehung);
            while (st.zeile()) {
                rowids.push_back(st.spalte(0));
                Ziehung z;
                z.Jahr = static_cast<int>(st.spalte(1));
                z.Woche = static_cast<int>(st.spalte(2));
                for (int i = 0; i < 6; ++i)
                    z.Zahl[i] = static_cast<int>(std::clamp<std::int64_t>(st.spalte(3 + i), -100000, 100000));
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
