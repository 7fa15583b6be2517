#include "stats/diagrammdaten_store.h"

#include "stats/cursor_hilfen_store.h"

#include <string>
#include <vector>

namespace pyra::stats {

namespace {

constexpr std::array<const char*, 7> kProzentFelder = {"0_Zahlen", "1_Zahl",   "2_Zahlen", "3_Zahlen",
                                                       "4_Zahlen", "5_Zahlen", "6_Zahlen"};

// Reads the rows of an analysis table of the association and draw day in key order, the r-th
// row into werte[r]; returns whether any row was there. A query of its own leaves the data
// module's cursors where they are.
template <std::size_t Zeilen, std::size_t Spalten>
bool Tabelle_lesen(store::Database& db, const std::string& sql, int verband, int ziehung,
                   const std::array<const char*, Spalten>& felder,
                   std::array<std::array<double, Spalten>, Zeilen>& werte) {
    store::Query q(db, "Query_Diagramme", sql);
    q.ParamByName("ID_Verband") = verband;
    q.ParamByName("ID_Ziehung") = ziehung;
    q.Open();
    std::vector<store::Field> f;
    for (const char* name : felder) f.push_back(q.FieldByName(name));
    std::size_t r = 0;
    for (q.First(); !q.Eof() && r < Zeilen; q.Next(), ++r)
        for (std::size_t s = 0; s < Spalten; ++s) werte[r][s] = f[s].IsNull() ? 0.0 : f[s].AsFloat();
    const bool vorhanden = q.RecordCount() > 0;
    q.Close();
    return vorhanden;
}

} // namespace

Diagrammdaten Diagrammdaten_lesen(data::DataModule_Lotto& dm) {
    const int verband = dm.Wahl("ID_Verband");
    const int ziehung = dm.Wahl("ID_Ziehung");
    store::Database& db = dm.TdbDatabase_Lotto;

    // The rows and order of Query_Zahlen, through a query of its own: reopening Query_Zahlen
    // would also post a pending edit of the draws.
    Serie serie;
    {
        store::Query q(db, "Query_Diagramme", dm.Query_Zahlen.SQL());
        q.ParamByName("ID_Verband") = verband;
        q.ParamByName("ID_Ziehung") = ziehung;
        q.Open();
        serie = intern::Serie_lesen(q);
        q.Close();
    }
    Diagrammdaten d =
        Diagrammdaten_bilden(serie, dm.Wahl("Jahr_aktuell"), dm.Wahl("Woche_aktuell"), dm.Zahlen_bis());

    const bool wo = Tabelle_lesen(db,
                                  "SELECT * FROM Ziehung_Wo_z WHERE ID_Verband = :ID_Verband AND "
                                  "ID_Ziehung = :ID_Ziehung ORDER BY Woche_z",
                                  verband, ziehung, kProzentFelder, d.Ziehung_Wo_z);
    const bool ja = Tabelle_lesen(db,
                                  "SELECT * FROM Ziehung_Ja_z WHERE ID_Verband = :ID_Verband AND "
                                  "ID_Ziehung = :ID_Ziehung ORDER BY Jahr_z",
                                  verband, ziehung, kProzentFelder, d.Ziehung_Ja_z);
    std::array<std::array<double, 1>, 15> baender{};
    const bool su = Tabelle_lesen(db,
                                  "SELECT * FROM Summe_Ru WHERE ID_Verband = :ID_Verband AND "
                                  "ID_Ziehung = :ID_Ziehung ORDER BY Von, Bis",
                                  verband, ziehung, std::array<const char*, 1>{"Prozent"}, baender);
    for (std::size_t b = 0; b < 15; ++b) d.Summe_Ru[b] = baender[b][0];
    d.Analyse_vorhanden = wo || ja || su;
    return d;
}

int Zahl_im_Gitter(data::DataModule_Lotto& dm) {
    store::Table& t = dm.Table_Zahl_Daten;
    if (!t.Active() || t.RecordCount() == 0 || (t.Eof() && t.Bof())) return 1;
    const std::int64_t zahl = t.FieldByName("Zahl").AsInteger();
    return zahl >= 1 && zahl <= kGroessteZahl ? static_cast<int>(zahl) : 1;
}

} // namespace pyra::stats
