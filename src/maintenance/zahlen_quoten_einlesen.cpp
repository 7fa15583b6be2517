#include "maintenance/zahlen_quoten_einlesen.h"

#include "data/ziehungsregeln.h"
#include "maintenance/textwerte.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <optional>

namespace pyra::maintenance {

using store::Value;

namespace {

constexpr int Letzte_Zeile = 250;
// The restrictions of Table_Zahlen and Table_Gewinn.
const char* const Felder_Zahlen = "ID_Verband;ID_Ziehung";
const char* const Felder_Gewinn = "ID_Verband;Jahr;Woche;ID_Ziehung";

bool layout_a(int jahr) {
    return jahr == 2014 || jahr == 2015;
}
bool layout_b(int jahr) {
    return jahr >= 2016;
}

std::string zwei(int i) {
    char b[8];
    std::snprintf(b, sizeof b, "%02d", i);
    return b;
}

bool leer(const std::string& s) {
    return s.find_first_not_of(" \t\r\n") == std::string::npos;
}

// Lifts the restriction of a cursor so that a search covers every row of its table, and puts
// the restriction back afterwards. The destructor restores it on error paths too.
class Ohne_Restriktion {
  public:
    Ohne_Restriktion(store::Table& t, store::DataSource& ohne, store::DataSource& master, std::string felder)
        : t_(t), master_(master), felder_(std::move(felder)) {
        t_.SetMaster(&ohne, "", "");
        t_.Refresh();
    }
    ~Ohne_Restriktion() {
        if (fertig_) return;
        try {
            t_.Cancel(); // a row that failed to post must not be posted again by SetMaster
            t_.SetMaster(&master_, felder_, felder_);
        } catch (...) {
            // The error that brought us here is the one to report.
        }
    }
    void wiederherstellen() {
        fertig_ = true;
        t_.SetMaster(&master_, felder_, felder_);
    }
    Ohne_Restriktion(const Ohne_Restriktion&) = delete;
    Ohne_Restriktion& operator=(const Ohne_Restriktion&) = delete;

  private:
    store::Table& t_;
    store::DataSource& master_;
    std::string felder_;
    bool fertig_ = false;
};

} // namespace

Zahlen_Quoten_einlesen::Zahlen_Quoten_einlesen(data::DataModule_Lotto& dm, Zellenleser& leser)
    : dm_(dm), leser_(leser) {}

int Zahlen_Quoten_einlesen::Blattnummer(int jahr) {
    if (layout_a(jahr)) return jahr - 1954;
    if (layout_b(jahr)) return jahr - 2015;
    return 0;
}

std::string Zahlen_Quoten_einlesen::Text(int zeile, int spalte) {
    try {
        return leser_.Text(zeile, spalte);
    } catch (const ImportFehler&) {
        return {};
    }
}

bool Zahlen_Quoten_einlesen::Datum_lesen(int zeile, data::Datum& d) {
    return Text_als_Datum(Text(zeile, 1), d);
}

int Zahlen_Quoten_einlesen::Woche_lesen(int jahr, int zeile) {
    long long w = 0;
    if (layout_a(jahr)) {
        const std::string t = Text(zeile, 1);
        if (Text_als_Ganzzahl(t, w)) return w >= INT_MIN && w <= INT_MAX ? static_cast<int>(w) : 0;
        // The week may stand only in the first row of a week: an empty cell takes the row above.
        if (!leer(t) || zeile <= 1) return 0;
        if (Text_als_Ganzzahl(Text(zeile - 1, 1), w))
            return w >= INT_MIN && w <= INT_MAX ? static_cast<int>(w) : 0;
        return 0;
    }
    if (layout_b(jahr)) {
        data::Datum d;
        return Datum_lesen(zeile, d) ? data::ISO_Woche(d).woche : 0;
    }
    return 0;
}

int Zahlen_Quoten_einlesen::Ziehung_lesen(int jahr, int zeile) {
    if (layout_a(jahr)) {
        std::string t = Text(zeile, 3);
        t.erase(0, t.find_first_not_of(' '));
        t.erase(t.find_last_not_of(' ') + 1);
        if (t == "SA") return 1;
        if (t == "MI") return 2;
        return 0;
    }
    if (layout_b(jahr)) {
        data::Datum d;
        if (!Datum_lesen(zeile, d)) return 0;
        const int tag = data::Wochentag(d);
        return tag == 6 ? 1 : (tag == 3 ? 2 : 0);
    }
    return 0;
}

// The year a draw is stored under. Layout B: the ISO week-numbering year of the draw's date
// (2 January 2021 lies in week 53 of 2020). Layout A: from the years found before the run.
int Zahlen_Quoten_einlesen::Spieljahr(int jahr, int zeile) {
    if (layout_b(jahr)) {
        data::Datum d;
        return Datum_lesen(zeile, d) ? data::Spielwoche_der_Ziehung(d, Ziehung_lesen(jahr, zeile)).jahr
                                     : jahr;
    }
    if (zeile >= 0 && zeile < static_cast<int>(jahre_a_.size()) && jahre_a_[zeile]) return *jahre_a_[zeile];
    return 0;
}

std::vector<std::optional<int>> Zahlen_Quoten_einlesen::Spieljahre_Layout_A(int jahr) {
    std::vector<std::optional<int>> jahre(Letzte_Zeile + 1);
    std::vector<int> wochen(Letzte_Zeile + 1, 0);
    int auf = 0, ab = 0, vorige = 0;
    for (int zeile = 1; zeile <= Letzte_Zeile; ++zeile) {
        const int w = Woche_lesen(jahr, zeile);
        if (w < 1 || w > 53 || Ziehung_lesen(jahr, zeile) == 0) continue;
        wochen[zeile] = w;
        if (w >= 2 && w <= 51) {
            if (vorige && w > vorige) ++auf;
            if (vorige && w < vorige) ++ab;
            vorige = w;
        }
    }
    const bool unklar = auf > 0 && ab > 0;
    const bool neueste_zuerst = ab > 0 && auf == 0;
    // Where the walk from the top stands in the turn of the year. Oldest first: weeks 52/53 at
    // the top are the year before; once the sheet reached weeks 52/53 of its own year, a week 1
    // that follows is the next year. Newest first, mirrored: week 1 at the top is the next year;
    // once the sheet reached week 1 of its own year, weeks 52/53 that follow are the year before.
    enum class Lage { Anfang, Im_Jahr, Wende, Jenseits } lage = Lage::Anfang;
    for (int zeile = 1; zeile <= Letzte_Zeile; ++zeile) {
        const int w = wochen[zeile];
        if (w == 0) continue;
        data::Datum d;
        if (Text_als_Datum(Text(zeile, 2), d)) {
            // The date in column 2 decides, when it belongs to the week of the row.
            const data::Spielwoche sw = data::ISO_Woche(d);
            if (sw.woche == w) jahre[zeile] = sw.jahr;
            continue;
        }
        if (w >= 2 && w <= 51) {
            jahre[zeile] = jahr;
            if (lage == Lage::Anfang) lage = Lage::Im_Jahr;
            if (lage == Lage::Wende) lage = Lage::Jenseits; // the order is broken; no more certainty
            continue;
        }
        if (unklar) continue;
        // The week at the turn of the year that comes first in this order, and the other one.
        const bool erste_wende = neueste_zuerst ? w == 1 : w >= 52;
        switch (lage) {
        case Lage::Anfang:
            if (erste_wende) {
                jahre[zeile] = neueste_zuerst ? jahr + 1 : jahr - 1;
            } else {
                lage = Lage::Im_Jahr;
                jahre[zeile] = jahr;
            }
            break;
        case Lage::Im_Jahr:
            if (erste_wende) lage = Lage::Wende;
            jahre[zeile] = jahr;
            break;
        case Lage::Wende:
            if (erste_wende) {
                jahre[zeile] = jahr;
            } else {
                lage = Lage::Jenseits;
                jahre[zeile] = neueste_zuerst ? jahr - 1 : jahr + 1;
            }
            break;
        case Lage::Jenseits:
            if (!erste_wende) jahre[zeile] = neueste_zuerst ? jahr - 1 : jahr + 1;
            break;
        }
    }
    return jahre;
}

bool Zahlen_Quoten_einlesen::Zahlen_lesen(int jahr, int zeile) {
    if (!layout_a(jahr) && !layout_b(jahr)) return false;
    const int erste = layout_a(jahr) ? 4 : 3;
    bool lesbar = true;
    for (int j = 1; j <= 6; ++j) {
        try {
            const long long v = leser_.Ganzzahl(zeile, erste + j - 1);
            if (v < INT_MIN || v > INT_MAX) {
                Zahlen[j] = 0;
                lesbar = false;
            } else {
                Zahlen[j] = static_cast<int>(v);
            }
        } catch (const ImportFehler&) {
            Zahlen[j] = 0;
            lesbar = false;
        }
    }
    // Ascending order in positions 7..12.
    for (int p = 7; p <= 12; ++p) Zahlen[p] = 0;
    int p = 7;
    for (int n = 1; n <= 49; ++n)
        for (int j = 1; j <= 6; ++j)
            if (Zahlen[j] == n && p <= 12) Zahlen[p++] = n;
    if (!lesbar) return false;
    // The numbers in drawing order are the draw and its drawn order at once.
    data::Ziehungswerte werte;
    for (int j = 1; j <= 6; ++j) werte.zahlen[j - 1] = werte.reihenfolge[j - 1] = Zahlen[j];
    return data::Ziehung_pruefen(werte, hoechste_zahl).empty();
}

long long Zahlen_Quoten_einlesen::Anzahl_lesen(int jahr, int zeile, int klasse) {
    std::string t;
    if (layout_a(jahr))
        t = Text(zeile, 10 + 2 * klasse);
    else if (layout_b(jahr))
        t = Punkte_entfernen(Text(zeile, 13 + 2 * klasse));
    else
        return 0;
    long long n = 0;
    if (!Text_als_Ganzzahl(t, n) || n < 0 || n > INT_MAX) return 0;
    return n;
}

double Zahlen_Quoten_einlesen::Gewinn_lesen(int jahr, int zeile, int klasse) {
    std::string t;
    if (layout_a(jahr)) {
        if (klasse == 9) return 5.00;
        t = Text(zeile, 11 + 2 * klasse);
    } else if (layout_b(jahr)) {
        // Class 9 has a fixed prize: 5.00 up to 2020, 6.00 from 2021.
        if (klasse == 9) return jahr >= 2021 ? 6.00 : 5.00;
        t = Punkte_entfernen(Text(zeile, 14 + 2 * klasse));
    } else {
        return 0;
    }
    double g = 0;
    return Text_als_Dezimalzahl(t, g) ? g : 0;
}

void Zahlen_Quoten_einlesen::Zahlen_schreiben(int jahr, int woche, int ziehung) {
    auto& z = dm_.Table_Zahlen;
    std::optional<Ohne_Restriktion> frei;
    if (!ohne_restriktionen_) frei.emplace(z, dm_.DataSource_Dummy, dm_.DataSource_Wahl, Felder_Zahlen);
    // Rows written through Table_Zahlen carry AB = 1; searching with it keeps a row of another
    // AB that an update may have brought from being turned into a duplicate of this one.
    if (!z.Locate("ID_Verband;ID_Ziehung;Jahr;Woche;AB", {verband_, ziehung, jahr, woche, 1}))
        z.AppendRecord({verband_, ziehung, jahr, woche, 1});
    z.Edit();
    for (int i = 1; i <= 6; ++i) {
        z.FieldByName("Zahl_" + zwei(i)).SetInteger(Zahlen[6 + i]);
        z.FieldByName("Zahl_" + zwei(i) + "_g").SetInteger(Zahlen[i]);
    }
    z.Post();
    if (frei) frei->wiederherstellen();
}

void Zahlen_Quoten_einlesen::Gewinn_schreiben(int jahr, int woche, int zeile, int ziehung) {
    auto& g = dm_.Table_Gewinn;
    std::optional<Ohne_Restriktion> frei;
    if (!ohne_restriktionen_) frei.emplace(g, dm_.DataSource_Dummy, dm_.DataSource_Zahlen, Felder_Gewinn);
    for (int k = 1; k <= 9; ++k) {
        if (!g.Locate("ID_Verband;Jahr;Woche;ID_Ziehung;Rang", {verband_, jahr, woche, ziehung, k}))
            g.AppendRecord({verband_, jahr, woche, ziehung, k});
        g.Edit();
        g.FieldByName("Anzahl").SetInteger(Anzahl_lesen(zq_jahr_, zeile, k));
        // A class without winners keeps the prize it has.
        if (g.FieldByName("Anzahl").AsInteger() > 0)
            g.FieldByName("Gewinn").SetFloat(Gewinn_lesen(zq_jahr_, zeile, k));
        g.Post();
    }
    if (frei) frei->wiederherstellen();
}

std::string Zahlen_Quoten_einlesen::Abschlussmeldung() const {
    std::string m =
        std::to_string(eingelesen) + (eingelesen == 1 ? " Ziehung eingelesen." : " Ziehungen eingelesen.");
    if (!uebersprungen.empty()) {
        m += "\nÜbersprungen (keine sechs verschiedenen Zahlen von 1 bis " + std::to_string(hoechste_zahl) +
             "): " + (uebersprungen.size() == 1 ? "Zeile " : "Zeilen ");
        for (size_t i = 0; i < uebersprungen.size(); ++i)
            m += (i ? ", " : "") + std::to_string(uebersprungen[i]);
        m += ".";
    }
    if (!ohne_jahr.empty()) {
        m += "\nÜbersprungen (Jahr nicht sicher bestimmbar, die Zeilen stehen nicht in zeitlicher Folge): " +
             std::string(ohne_jahr.size() == 1 ? "Zeile " : "Zeilen ");
        for (size_t i = 0; i < ohne_jahr.size(); ++i) m += (i ? ", " : "") + std::to_string(ohne_jahr[i]);
        m += ".";
    }
    return m;
}

bool Zahlen_Quoten_einlesen::Einlesen_Zahlen_Quoten() {
    if (!dm_.dialog.Frage(Frage_Einlesen)) return false;
    auto& wahl = dm_.Table_Wahl;
    // What was typed into the dialog's fields is stored before it is read.
    wahl.PostIfEditing();
    wahl.Edit();
    const int von = dm_.Wahl("ZQ_Woche_von");
    const int bis = dm_.Wahl("ZQ_Woche_bis");
    zq_jahr_ = dm_.Wahl("ZQ_Jahr");
    const std::string datei = wahl.FieldByName("ZQ_Excel").AsString();
    verband_ = dm_.Wahl("ID_Verband");
    const int n = dm_.Zahlen_bis();
    hoechste_zahl = n >= 6 && n <= 49 ? n : 49;
    eingelesen = 0;
    uebersprungen.clear();
    ohne_jahr.clear();
    jahre_a_.clear();
    Zahlen.fill(0);

    const int blatt = Blattnummer(zq_jahr_);
    if (blatt > 0) {
        try {
            leser_.Oeffnen(datei, blatt);
        } catch (const ImportFehler& e) {
            dm_.dialog.Meldung(e.what());
            return false;
        }
        struct Aufraeumen {
            Zellenleser& leser;
            data::Benutzerdialog& dialog;
            ~Aufraeumen() {
                dialog.Warten_anzeigen(false);
                try {
                    leser.Schliessen();
                } catch (...) {
                    // Closing a read-only workbook has nothing to lose.
                }
            }
        } aufraeumen{leser_, dm_.dialog};
        dm_.dialog.Warten_anzeigen(true);
        // Both cursors stay without restriction for the whole run: nothing else looks at them
        // meanwhile, and re-reading the restricted rows after every draw would cost more than
        // the import itself.
        Ohne_Restriktion frei_zahlen(dm_.Table_Zahlen, dm_.DataSource_Dummy, dm_.DataSource_Wahl,
                                     Felder_Zahlen);
        Ohne_Restriktion frei_gewinn(dm_.Table_Gewinn, dm_.DataSource_Dummy, dm_.DataSource_Zahlen,
                                     Felder_Gewinn);
        struct Flag {
            bool& f;
            ~Flag() { f = false; }
        } flag{ohne_restriktionen_};
        ohne_restriktionen_ = true;
        if (layout_a(zq_jahr_)) jahre_a_ = Spieljahre_Layout_A(zq_jahr_);
        // The whole workbook in one commit: an interruption leaves no draw without its prize
        // classes and no half-read sheet.
        store::Database::Transaction tx(dm_.TdbDatabase_Lotto);
        for (int zeile = 1; zeile <= Letzte_Zeile; ++zeile) {
            const int woche = Woche_lesen(zq_jahr_, zeile);
            const int ziehung = Ziehung_lesen(zq_jahr_, zeile);
            if (woche < von || woche > bis || woche < 1 || woche > 53 || (ziehung != 1 && ziehung != 2))
                continue;
            const int jahr = Spieljahr(zq_jahr_, zeile);
            if (jahr == 0) {
                ohne_jahr.push_back(zeile);
                continue;
            }
            if (!Zahlen_lesen(zq_jahr_, zeile)) {
                uebersprungen.push_back(zeile);
                continue;
            }
            Zahlen_schreiben(jahr, woche, ziehung);
            Gewinn_schreiben(jahr, woche, zeile, ziehung);
            ++eingelesen;
        }
        tx.Commit();
        ohne_restriktionen_ = false;
        frei_zahlen.wiederherstellen();
        // Back on the selected week, so that the prize grid shows its classes again.
        if (dm_.Table_Zahlen.Active())
            dm_.Table_Zahlen.Locate("Jahr;Woche", {dm_.Wahl("Jahr_aktuell"), dm_.Wahl("Woche_aktuell")});
        frei_gewinn.wiederherstellen();
    }
    if (eingelesen > 0) dm_.globals.Statistik_neu_berechnen = true;
    dm_.dialog.Meldung(Abschlussmeldung());
    return true;
}

} // namespace pyra::maintenance
