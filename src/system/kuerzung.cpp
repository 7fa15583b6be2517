#include "system/kuerzung.h"

#include "system/kuerzung_intern.h"
#include "system/texte.h"

#include <algorithm>

namespace pyra::system {

namespace {

bool enthaelt(const Reihe& r, int z) {
    return std::find(r.begin(), r.end(), z) != r.end();
}

// The plain search: the row store as 750 slots of six numbers, every candidate compared with
// every slot.
class Direktsuche final : public intern::Suche {
  public:
    explicit Direktsuche(const Kuerzungseingabe& e) : e_(e) {}

    Reihe Reihe_suchen(Zufallsgenerator& zufall) override {
        Reihe beste{};
        double beste_bewertung = Ueberdeckung_Start;
        std::int32_t beste_statistik = 0;
        const std::span<const Reihe> slots(reihenspeicher_.data() + 1, Max_Reihen);
        for (int versuch = 0; versuch < Versuche_je_Durchlauf; ++versuch) {
            const Reihe kandidat = Kandidat_bilden(e_.Systemzahlen, e_.Bankzahlen, e_.Zahlen_bis, zufall);
            if (!Reihe_vollstaendig(kandidat)) continue;
            if (!Reihe_pruefen(kandidat, e_.Filter)) continue;
            const double u = Ueberdeckung_bewerten(kandidat, slots);
            if (u > beste_bewertung) continue;
            const Statistikwertung s = Statistik_bewerten(kandidat, e_.Grundlage, e_.Schwellen);
            if (s.Verworfen) continue;
            if (u < beste_bewertung || s.Punkte > beste_statistik) {
                beste = kandidat;
                beste_bewertung = u;
                beste_statistik = s.Punkte;
            }
        }
        return beste;
    }

    void Reihe_aufnehmen(const Reihe& reihe) override {
        reihenspeicher_[static_cast<std::size_t>(++belegt_)] = reihe;
    }

  private:
    const Kuerzungseingabe& e_;
    std::array<Reihe, Max_Reihen + 1> reihenspeicher_{}; // slot 0 is the candidate slot
    int belegt_ = 0;
};

} // namespace

std::unique_ptr<intern::Suche> intern::direkte_Suche(const Kuerzungseingabe& eingabe) {
    return std::make_unique<Direktsuche>(eingabe);
}

Reihe Kandidat_bilden(const Systemflags& systemzahlen, const std::array<int, 3>& bankzahlen, int zahlen_bis,
                      Zufallsgenerator& zufall) {
    const int n = Zahlen_bis_begrenzt(zahlen_bis);
    Reihe k{};
    for (std::size_t j = 0; j < 3; ++j) {
        const int b = bankzahlen[j];
        if (b >= 1 && b <= n && systemzahlen[static_cast<std::size_t>(b)] && !enthaelt(k, b)) k[j] = b;
    }
    std::array<int, Hoechste_Zahl> passend{};
    for (int& stelle : k) {
        if (stelle != 0) continue;
        int anzahl = 0;
        for (int v = 1; v <= n; ++v)
            if (systemzahlen[static_cast<std::size_t>(v)] && !enthaelt(k, v))
                passend[static_cast<std::size_t>(anzahl++)] = v;
        if (anzahl > 0) stelle = passend[static_cast<std::size_t>(zufall.unter(anzahl))];
    }
    std::sort(k.begin(), k.end());
    return k;
}

Kuerzungsergebnis Reihenkuerzung(const Kuerzungseingabe& eingabe, Zufallsgenerator& zufall,
                                 const Kuerzungsablauf& ablauf, Kuerzungsverfahren verfahren) {
    Kuerzungsergebnis ergebnis;
    const int n = std::min(eingabe.Reihenberechnung, Max_Reihen);
    if (n <= 0) return ergebnis;

    std::unique_ptr<intern::Suche> suche;
    switch (verfahren) {
    case Kuerzungsverfahren::Direkt:
        suche = intern::direkte_Suche(eingabe);
        break;
    case Kuerzungsverfahren::Schnell_ohne_Tabelle:
        suche = intern::schnelle_Suche(eingabe, false);
        break;
    case Kuerzungsverfahren::Schnell:
        suche = intern::schnelle_Suche(eingabe, true);
        break;
    }

    ergebnis.Reihen.reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        ergebnis.Durchlaeufe = i;
        const Reihe r = suche->Reihe_suchen(zufall);
        if (!Reihe_vollstaendig(r)) {
            const bool uebernehmen = !ablauf.Frage || ablauf.Frage(Frage_Teilergebnis(i));
            ergebnis.Ende = uebernehmen ? Kuerzungsende::Teilergebnis : Kuerzungsende::Verworfen;
            ergebnis.Speichern = uebernehmen;
            if (!uebernehmen) ergebnis.Reihen.clear();
            return ergebnis;
        }
        suche->Reihe_aufnehmen(r);
        ergebnis.Reihen.push_back(r);
        if (ablauf.Reihe_gefunden && ablauf.Reihe_gefunden(i, r)) {
            if (ablauf.Meldung) ablauf.Meldung(Text_Berechnung_abgebrochen);
            // The row of an interrupted pass is dropped, except in the last pass.
            if (i < n) ergebnis.Reihen.pop_back();
            ergebnis.Ende = Kuerzungsende::Abgebrochen;
            return ergebnis;
        }
    }
    ergebnis.Ende = Kuerzungsende::Vollstaendig;
    return ergebnis;
}

} // namespace pyra::system
