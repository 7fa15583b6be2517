#include "stats/analyse_store.h"

#include "stats/analysewerte.h"
#include "stats/cursor_hilfen_store.h"

#include <span>
#include <vector>

namespace pyra::stats {

using store::Field;
using store::Table;

namespace {

// Number of leading rows up to and including the first row with the key (jahr, woche), or up to
// the last row before it when there is none.
std::size_t bis_zur_Woche(const Serie& serie, int jahr, int woche) {
    std::size_t ende = Zeilen_vor(serie, jahr, woche);
    if (Position_suchen(serie, jahr, woche)) ++ende;
    return ende;
}

std::vector<Field> felder(Table& t, std::span<const char* const> namen) {
    std::vector<Field> f;
    for (const char* n : namen) f.push_back(t.FieldByName(n));
    return f;
}

bool gleich(const Field& f, const std::optional<std::int64_t>& wert) {
    if (!wert) return f.IsNull();
    return !f.IsNull() && f.AsInteger() == *wert;
}

// Writes one distribution table: the r-th visited row gets row r of the percentages.
template <std::size_t N>
void Verteilung_schreiben(Table& t, const std::vector<Field>& spalten,
                          const std::array<std::array<double, 7>, N>& p) {
    t.First();
    for (std::size_t r = 0; !t.Eof(); ++r) {
        t.Edit();
        for (std::size_t v = 0; v < spalten.size(); ++v) {
            Field f = spalten[v];
            f.SetFloat(r < N ? p[r][v] : 0.0);
        }
        t.Post();
        t.Next();
    }
    t.First();
}

} // namespace

void Ziehungsmerkmale_berechnen(data::DataModule_Lotto& dm, int jahr, int woche) {
    Table& t = dm.Table_Zahlen;
    std::vector<Field> ziel = felder(t, intern::kMerkmalFelder);
    Field ab = t.FieldByName("AB");
    intern::in_einem_schritt(dm.TdbDatabase_Lotto, [&] {
        intern::ohne_anzeige(t, [&] {
            const Serie serie = intern::Serie_lesen(t);
            const std::size_t ende = bis_zur_Woche(serie, jahr, woche);
            if (ende == 0) return;
            const Merkmalsliste liste = Ziehungsmerkmale_berechnen(serie, ende - 1);

            // Walk from the newest processed row back to the first, as a recount would; the
            // cursor's i-th record is serie[i] (a post keeps the key, so no record moves).
            for (std::size_t i = 0; i + 1 < ende; ++i) t.Next();
            for (std::size_t i = ende; i-- > 0; t.Prior()) {
                if (!liste[i]) continue;
                const intern::Merkmalwerte werte = intern::Werte(*liste[i]);
                bool aktuell = ab.AsInteger() == 1;
                for (std::size_t f = 0; f < ziel.size() && aktuell; ++f) aktuell = gleich(ziel[f], werte[f]);
                if (aktuell) continue;
                t.Edit();
                for (std::size_t f = 0; f < ziel.size(); ++f) {
                    if (werte[f])
                        ziel[f].SetInteger(*werte[f]);
                    else
                        ziel[f].Clear();
                }
                t.Post();
            }
        });
    });
}

void Analysewerte_berechnen(data::DataModule_Lotto& dm, int jahr, int woche) {
    Table& t = dm.Table_Zahlen;
    std::vector<Field> quelle = felder(t, intern::kMerkmalFelder);
    std::vector<Ziehungsmerkmale> gezaehlt;
    intern::ohne_anzeige(t, [&] {
        const Serie serie = intern::Serie_lesen(t);
        const std::size_t ende = bis_zur_Woche(serie, jahr, woche);
        // Stored fields read as 0 when empty; values outside their ranges are left out by the count.
        for (std::size_t i = 0; i < ende; ++i, t.Next()) {
            if (!serie[i].hat_Ergebnisse()) continue;
            Ziehungsmerkmale m;
            m.EZDVFS = static_cast<int>(quelle[0].AsInteger());
            m.Summe = static_cast<int>(quelle[1].AsInteger());
            m.G_U = static_cast<int>(quelle[2].AsInteger());
            for (int k = 0; k < 7; ++k) {
                m.Ziehung_Wo[k] = static_cast<int>(quelle[3 + k].AsInteger());
                m.Ziehung_Ja[k] = static_cast<int>(quelle[10 + k].AsInteger());
            }
            m.Summe_Wo = static_cast<int>(quelle[17].AsInteger());
            gezaehlt.push_back(m);
        }
        t.First();
    });
    const Analysewerte a = Analysewerte_berechnen(std::span<const Ziehungsmerkmale>(gezaehlt));

    static constexpr const char* kProzentFelder[] = {"0_Zahlen", "1_Zahl",   "2_Zahlen", "3_Zahlen",
                                                     "4_Zahlen", "5_Zahlen", "6_Zahlen"};
    intern::in_einem_schritt(dm.TdbDatabase_Lotto, [&] {
        Verteilung_schreiben(dm.Table_Ziehung_Wo_z, felder(dm.Table_Ziehung_Wo_z, kProzentFelder),
                             a.Ziehung_Wo_z);
        Verteilung_schreiben(dm.Table_Ziehung_Ja_z, felder(dm.Table_Ziehung_Ja_z, kProzentFelder),
                             a.Ziehung_Ja_z);
        std::array<std::array<double, 7>, 15> baender{};
        for (std::size_t b = 0; b < 15; ++b) baender[b][0] = a.Summe_Ru[b];
        static constexpr const char* kProzent[] = {"Prozent"};
        Verteilung_schreiben(dm.Table_Summe_Ru, felder(dm.Table_Summe_Ru, kProzent), baender);
    });
}

void Analyse_Zeilen_anlegen(data::DataModule_Lotto& dm) {
    const int verband = dm.Wahl("ID_Verband");
    const int ziehung = dm.Wahl("ID_Ziehung");
    intern::in_einem_schritt(dm.TdbDatabase_Lotto, [&] {
        for (auto [t, feld] : {std::pair<Table*, const char*>{&dm.Table_Ziehung_Wo_z, "Woche_z"},
                               std::pair<Table*, const char*>{&dm.Table_Ziehung_Ja_z, "Jahr_z"}}) {
            if (t->RecordCount() < 7)
                for (int z = 1; z <= 7; ++z)
                    if (!t->Locate(feld, {z})) t->AppendRecord({verband, ziehung, z});
            t->First();
        }
        Table& s = dm.Table_Summe_Ru;
        if (s.RecordCount() < 15)
            for (int b = 1; b <= 15; ++b)
                if (!s.Locate("Von;Bis", {10 * b - 9, 10 * b}))
                    s.AppendRecord({verband, ziehung, 10 * b - 9, 10 * b});
        s.First();
    });
}

Analyseergebnis Analyse_berechnen(data::DataModule_Lotto& dm, const std::function<void()>& fertig) {
    try {
        dm.Oeffne_Query_Zahlen();
        const int jahr = dm.Wahl("Jahr_aktuell");
        const int woche = dm.Wahl("Woche_aktuell");
        Ziehungsmerkmale_berechnen(dm, jahr, woche);
        Analysewerte_berechnen(dm, jahr, woche);
        if (fertig)
            fertig();
        else
            dm.dialog.Meldung(kMeldung_Analyse_berechnet);
        dm.Table_Zahlen.PostIfEditing();
    } catch (const std::exception& e) {
        return {false, e.what()};
    } catch (...) {
        return {false, "Unbekannter Fehler bei der Berechnung der Analysewerte."};
    }
    return {true, {}};
}

} // namespace pyra::stats
