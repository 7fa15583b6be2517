#include "system/garantiebefehle_store.h"

#include "system/texte.h"
#include "system/zufall.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace pyra::system {

namespace {

bool laeuft = false;

// Time kept back from the search for what follows it: ending the threads, storing up to 750
// rows, locking the system and reporting (about a tenth of a second measured).
constexpr double Nachlauf_Sekunden = 0.3;

int ganzzahl(store::DataSet& t, const std::string& feld) {
    return t.RecordCount() > 0 ? static_cast<int>(t.FieldByName(feld).AsInteger()) : 0;
}

bool reihen_gefuellt(data::DataModule_Lotto& dm) {
    auto& r = dm.Table_Reihen;
    return r.Active() && r.RecordCount() > 0 && r.FieldByName("Tipp_Zahl_1").AsInteger() > 0;
}

// The idle flag and the running mark, restored however the command ends.
struct Rahmen {
    data::DataModule_Lotto& dm;
    ~Rahmen() {
        laeuft = false;
        dm.globals.Leerlauf_fertig = true;
    }
};

// The search on worker threads; this thread reports progress (the time left of the whole
// command's budget, which ends at `ende`) and passes the stop wish on.
Garantiesystem suchen(data::DataModule_Lotto& dm, Garantieeingabe& e,
                      std::chrono::steady_clock::time_point ende, const Garantieablauf& ablauf) {
    std::atomic<bool> stopp{false};
    Suchstand stand;
    e.Stopp = &stopp;
    e.Stand = &stand;
    Garantiesystem ergebnis;
    std::mutex m;
    std::condition_variable fertig_cv;
    bool fertig = false;
    std::jthread arbeiter([&] {
        Garantiesystem s = Garantiesystem_suchen(e);
        std::lock_guard lock(m);
        ergebnis = std::move(s);
        fertig = true;
        fertig_cv.notify_all();
    });
    for (;;) {
        {
            std::unique_lock lock(m);
            if (fertig_cv.wait_for(lock, std::chrono::milliseconds(100), [&] { return fertig; })) break;
        }
        Garantiefortschritt f;
        f.Reihen = stand.Reihen.load();
        f.Loecher = stand.Loecher.load();
        f.Sekunden_uebrig =
            std::max(0.0, std::chrono::duration<double>(ende - std::chrono::steady_clock::now()).count());
        bool halt = ablauf && ablauf(f);
        dm.dialog.Nachrichten_verarbeiten(false);
        halt = halt || dm.dialog.Abbruch_gewuenscht();
        if (halt) stopp = true;
    }
    arbeiter.join();
    return ergebnis;
}

std::string fehlertext(Garantiefehler f, const Garantieeingabe& e, int bankzahlen) {
    switch (f) {
    case Garantiefehler::Zu_wenige_Systemzahlen:
        return Text_Mindestens_7_Systemzahlen;
    case Garantiefehler::Garantie_ungueltig:
        return Text_Garantie_ungueltig;
    case Garantiefehler::Zu_viele_Bankzahlen:
        return Text_Garantie_zu_viele_Bankzahlen(bankzahlen, e.G.t);
    case Garantiefehler::Zu_wenige_freie:
        return Text_Garantie_zu_wenige_freie(e.G.p, bankzahlen);
    case Garantiefehler::Zu_gross:
        return Text_Garantie_zu_gross(e.G.t, e.G.p);
    case Garantiefehler::Keine_Reihe_erlaubt:
        return Text_Keine_Reihe_besteht_Filter;
    case Garantiefehler::Keiner:
        break;
    }
    return {};
}

int bankzahlen_zaehlen(const Garantieeingabe& e) {
    const int n = Zahlen_bis_begrenzt(e.Zahlen_bis);
    std::vector<int> b;
    for (int z : e.Bankzahlen)
        if (z >= 1 && z <= n && e.Systemzahlen[static_cast<std::size_t>(z)] &&
            std::find(b.begin(), b.end(), z) == b.end())
            b.push_back(z);
    return static_cast<int>(b.size());
}

Garantieeingabe eingabe_lesen(data::DataModule_Lotto& dm) {
    Garantieeingabe e;
    e.Systemzahlen = Systemzahlen_lesen(dm);
    for (int j = 0; j < 3; ++j)
        e.Bankzahlen[j] = ganzzahl(dm.Table_Optionen, "Bankzahl_" + std::to_string(j + 1));
    e.Zahlen_bis = dm.Zahlen_bis();
    return e;
}

} // namespace

std::string Garantie_beschreiben(data::DataModule_Lotto& dm, const Garantie& g) {
    const Garantieeingabe e = eingabe_lesen(dm);
    return Text_Garantie(g.t, g.p, Anzahl_Systemzahlen_ermitteln(e.Systemzahlen, e.Zahlen_bis),
                         bankzahlen_zaehlen(e));
}

bool Garantiesystem_laeuft() {
    return laeuft;
}

bool Garantiesystem_moeglich(data::DataModule_Lotto& dm) {
    return !laeuft && !Reihenkuerzung_laeuft() && dm.fenster.eingaben_lotto && dm.Table_Reihen.Active() &&
           !reihen_gefuellt(dm);
}

Garantiebefehl_Ergebnis Garantiesystem_Befehl(data::DataModule_Lotto& dm, const Garantieauftrag& auftrag,
                                              const Laufoptionen& optionen, const Garantieablauf& ablauf) {
    const auto beginn = auftrag.Beginn.value_or(std::chrono::steady_clock::now());
    Garantiebefehl_Ergebnis r;
    if (laeuft || Reihenkuerzung_laeuft()) {
        r.Ende = Garantiebefehl_Ende::Laeuft_bereits;
        return r;
    }
    if (!dm.fenster.eingaben_lotto || !dm.Table_Reihen.Active()) {
        r.Ende = Garantiebefehl_Ende::Gesperrt;
        return r;
    }
    if (reihen_gefuellt(dm)) {
        r.Ende = Garantiebefehl_Ende::System_vorhanden;
        return r;
    }
    laeuft = true;
    Rahmen rahmen{dm};
    dm.globals.Leerlauf_fertig = false;
    dm.Table_Optionen.PostIfEditing();

    Garantieeingabe e = eingabe_lesen(dm);
    e.G = auftrag.G;
    // The budget covers the whole command: what went before the search and what follows it
    // are taken from the search's share.
    const int budget = std::clamp(auftrag.Sekunden, Garantie_Sekunden_min, Garantie_Sekunden_max);
    const auto ende = beginn + std::chrono::seconds(budget);
    e.Sekunden =
        std::max(0.05, std::chrono::duration<double>(ende - std::chrono::steady_clock::now()).count() -
                           Nachlauf_Sekunden);
    e.Startwert = optionen.Startwert ? *optionen.Startwert : Startwert_aus_Uhr();
    e.Threads = std::max(1, auftrag.Threads);
    if (auftrag.Filter) {
        const Filteroptionen f = Filteroptionen_lesen(dm);
        e.Filter = [f](const Reihe& reihe) { return Reihe_pruefen(reihe, f); };
    }
    const int bankzahlen = bankzahlen_zaehlen(e);
    if (const Garantiefehler f = Garantie_pruefen_Eingabe(e); f != Garantiefehler::Keiner) {
        dm.dialog.Meldung(fehlertext(f, e, bankzahlen));
        r.Ende = Garantiebefehl_Ende::Abgelehnt;
        return r;
    }

    r.System = suchen(dm, e, ende, ablauf);
    const Garantiesystem& s = r.System;
    if (s.Fehler != Garantiefehler::Keiner) {
        dm.dialog.Meldung(fehlertext(s.Fehler, e, bankzahlen));
        r.Ende = Garantiebefehl_Ende::Abgelehnt;
        return r;
    }
    const int m = static_cast<int>(s.Reihen.size());
    if (!s.Vollstaendig &&
        !dm.dialog.Frage(Frage_Garantiesystem_unvollstaendig(m, s.Abdeckung, auftrag.Filter))) {
        r.Ende = Garantiebefehl_Ende::Nicht_gespeichert;
        return r;
    }

    Reihen_speichern(dm, s.Reihen);
    const bool mit_reihen = dm.Table_Reihen.RecordCount() > 0;
    if (mit_reihen)
        dm.Sperren();
    else
        dm.fenster.Reihen_Gesamt_anzeigen("0");
    dm.fenster.Reihengitter_binden(mit_reihen);
    dm.dialog.Meldung(s.Vollstaendig
                          ? Text_Garantiesystem_erstellt(m, e.G.t, e.G.p, s.Systemzahlen, s.Bankzahlen)
                          : Text_Garantiesystem_unvollstaendig_gespeichert(m, e.G.t, e.G.p, s.Systemzahlen,
                                                                           s.Bankzahlen, s.Abdeckung));
    r.Ende = Garantiebefehl_Ende::Ausgefuehrt;
    return r;
}

Garantiepruefung_Anzeige Garantiepruefung_Befehl(data::DataModule_Lotto& dm, const Laufoptionen& optionen) {
    Garantiepruefung_Anzeige a;
    const Systemflags systemzahlen = Systemzahlen_lesen(dm);
    const int zahlen_bis = dm.Zahlen_bis();
    a.Reihe = ganzzahl(dm.Table_Reihen, "Reihe");

    // Rows 1..R, as the simulation takes them; an empty number reads 0.
    const std::vector<Reihe> reihen = Systemreihen_lesen(dm, std::min(a.Reihe, Max_Reihen));
    for (const Reihe& z : reihen)
        for (int zahl : z)
            if (zahl >= 1 && (zahl > zahlen_bis || !systemzahlen[static_cast<std::size_t>(zahl)]))
                a.Fremde_Zahlen = true;
    a.Pruefung = Garantie_pruefen(reihen, systemzahlen, zahlen_bis);
    if (!a.Pruefung.Exakt && Simulation_moeglich(systemzahlen, zahlen_bis)) {
        Zufallsgenerator zufall(optionen.Startwert ? *optionen.Startwert : Startwert_aus_Uhr());
        const int s = ganzzahl(dm.Table_Lotto, "Gewinnerwartung");
        const Gewinnerwartungsergebnis g = Gewinnerwartung_berechnen(
            reihen, a.Reihe, s, zahlen_bis, systemzahlen, zufall, optionen.Simulation);
        a.Geschaetzt = g.Gestartet;
        a.Schaetzung = g.Werte;
    }
    return a;
}

} // namespace pyra::system
