#include "stats/zahl_daten_store.h"

#include "stats/cursor_hilfen_store.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace pyra::stats {

using store::Field;
using store::Table;

Zahlenstatistik Zahlenstatistik_zaehlen(data::DataModule_Lotto& dm, int jahr, int woche) {
    if (!dm.Query_Zahlen.Active()) dm.Oeffne_Query_Zahlen();
    const Serie serie = intern::Serie_lesen(dm.Query_Zahlen);
    return Zahlenstatistik_zaehlen(serie, jahr, woche);
}

void Wahrscheinlichkeit_berechnen(data::DataModule_Lotto& dm, Zahlenstatistik& tabelle) {
    Wahrscheinlichkeit_berechnen(tabelle, dm.Zahlen_bis());
}

void Zahl_Daten_schreiben(data::DataModule_Lotto& dm, const Zahlenstatistik& t) {
    const int n_max = dm.Zahlen_bis();
    if (n_max <= 0) return;
    Table& zd = dm.Table_Zahl_Daten;
    Field w = zd.FieldByName("Wahrscheinlichkeit");
    Field hf = zd.FieldByName("Haeufigkeit_Wo");
    Field rs = zd.FieldByName("Rueckstaendig_Wo");
    Field hj = zd.FieldByName("Haeufigkeit_Ja");
    Field rj = zd.FieldByName("Rueckstaendig_Ja");
    intern::ohne_anzeige(zd, [&] {
        // The working table holds the numbers 1..49 only.
        for (int n = 1; n <= std::min(n_max, kGroessteZahl); ++n) {
            if (!zd.Locate("Zahl", {n})) continue;
            zd.Edit();
            w.SetFloat(t.W[n]);
            hf.SetInteger(t.Haeufigkeit_Wo[n]);
            if (t.Rueckstaendig_Wo[n] >= 0) rs.SetInteger(t.Rueckstaendig_Wo[n]);
            hj.SetInteger(t.Haeufigkeit_Ja[n]);
            if (t.Rueckstaendig_Ja[n] >= 0) rj.SetInteger(t.Rueckstaendig_Ja[n]);
            zd.Post();
        }
    });
}

void Zahlentipp_ermitteln(data::DataModule_Lotto& dm) {
    Table& tipp = dm.Table_Zahlentipp;
    if (tipp.RecordCount() == 0)
        tipp.AppendRecord({dm.Wahl("ID_Verband"), dm.Wahl("Jahr_aktuell"), dm.Wahl("Woche_aktuell"),
                           dm.Wahl("ID_Ziehung")});

    Table& zd = dm.Table_Zahl_Daten;
    Field zahl = zd.FieldByName("Zahl");
    Field zahlentipp = zd.FieldByName("Zahlentipp");
    intern::ohne_anzeige(zd, [&] {
        // Ranks are the 1-based visiting positions under each index; rows with equal keys get
        // distinct consecutive ranks in the index's order. Zahl is unique within the selection.
        std::map<std::int64_t, std::int64_t> rangsumme;
        for (const char* index :
             {"Index_Haeufigkeit_Ja", "Index_Rueckstaendigkeit_J", "Index_Wahrscheinlichkeit"}) {
            zd.SetIndexName(index);
            zd.First();
            for (std::int64_t r = 1; !zd.Eof(); ++r) {
                rangsumme[zahl.AsInteger()] += r;
                zd.Next();
            }
        }
        // Each row gets its final sum with one post; under Index_Wahrscheinlichkeit a change of
        // Zahlentipp does not move the row, so the walk visits every row once.
        zd.First();
        while (!zd.Eof()) {
            zd.Edit();
            zahlentipp.SetInteger(rangsumme[zahl.AsInteger()]);
            zd.Post();
            zd.Next();
        }

        zd.SetIndexName("Index_Zahlentipp");
        zd.First();
        std::vector<std::int64_t> tip;
        while (!zd.Eof()) {
            if (tip.size() < 15) tip.push_back(zahl.AsInteger());
            zd.Next();
        }
        tipp.First();
        tipp.Edit();
        char name[16];
        for (std::size_t r = 0; r < tip.size(); ++r) {
            std::snprintf(name, sizeof name, "Zahl_%02d", static_cast<int>(r + 1));
            tipp.FieldByName(name).SetInteger(tip[r]);
        }
        tipp.Post();
    });
}

void Statistik_aktualisieren(data::DataModule_Lotto& dm) {
    const int jahr = dm.Wahl("Jahr_aktuell");
    const int woche = dm.Wahl("Woche_aktuell");
    intern::in_einem_schritt(dm.TdbDatabase_Lotto, [&] {
        Zahlenstatistik t = Zahlenstatistik_zaehlen(dm, jahr, woche);
        Wahrscheinlichkeit_berechnen(dm, t);
        Zahl_Daten_schreiben(dm, t);
        Zahlentipp_ermitteln(dm);
    });
}

std::string Indexname(Sortierung s) {
    switch (s) {
    case Sortierung::Zahl:
        return "";
    case Sortierung::Wahrscheinlichkeit:
        return "Index_Wahrscheinlichkeit";
    case Sortierung::Haeufigkeit:
        return "Index_Haeufigkeit_Wo";
    case Sortierung::Rueckstaendigkeit:
        return "Index_Rueckstaendigkeit_W";
    case Sortierung::Haeufigkeit_Ja:
        return "Index_Haeufigkeit_Ja";
    case Sortierung::Rueckstaendigkeit_Ja:
        return "Index_Rueckstaendigkeit_J";
    }
    return "";
}

namespace {

// Moves the draws query to the draw before the selected week. When the week's own row is not
// in the query, that is the last row before it; on the first row of the series Prior stays there.
void zur_Ziehung_davor(store::Query& q, int jahr, int woche) {
    if (q.Locate("Jahr;Woche", {jahr, woche})) {
        q.Prior();
        return;
    }
    const Field j = q.FieldByName("Jahr");
    const Field w = q.FieldByName("Woche");
    q.First();
    while (!q.Eof()) {
        const auto jq = j.AsInteger();
        if (jq > jahr || (jq == jahr && w.AsInteger() > woche)) {
            q.Prior();
            return;
        }
        q.Next();
    }
}

} // namespace

Sortierergebnis Sortierung_anwenden(data::DataModule_Lotto& dm, Sortierung sortierung) {
    Sortierergebnis ergebnis = Sortierergebnis::Sortiert;
    if (dm.globals.Statistik_neu_berechnen) {
        dm.globals.Statistik_neu_berechnen = false;
        dm.Oeffne_Query_Zahlen();
        zur_Ziehung_davor(dm.Query_Zahlen, dm.Wahl("Jahr_aktuell"), dm.Wahl("Woche_aktuell"));
        if (dm.Query_Zahlen.FieldByName("Zahl_01").AsInteger() < 1 &&
            !dm.dialog.Frage(kFrage_Ergebnisse_fehlen))
            return Sortierergebnis::Abgelehnt;
        Statistik_aktualisieren(dm);
        ergebnis = Sortierergebnis::Neu_berechnet;
    }
    dm.Table_Zahl_Daten.SetIndexName(Indexname(sortierung));
    if (dm.Table_Zahl_Daten.Active()) dm.Table_Zahl_Daten.First();
    return ergebnis;
}

} // namespace pyra::stats
