#include "stats/zahlen_funktionen.h"

#include <algorithm>

namespace pyra::stats {

int Laengste_Folge(const Sechs& a) {
    // Ascending list of the values 1..49; a duplicate stays in it twice and so breaks a run.
    std::array<int, 6> s{};
    int anzahl = 0;
    for (int v : a) {
        if (!Zahl_im_Bereich(v)) continue;
        int i = anzahl++;
        for (; i > 0 && s[i - 1] > v; --i) s[i] = s[i - 1];
        s[i] = v;
    }
    int laengste = 1;
    int laenge = 1;
    for (int i = 1; i < anzahl; ++i) {
        laenge = s[i] == s[i - 1] + 1 ? laenge + 1 : 1;
        laengste = std::max(laengste, laenge);
    }
    return laengste;
}

int Anzahl_Gerade(const Sechs& a) {
    return static_cast<int>(
        std::count_if(a.begin(), a.end(), [](int v) { return v >= 2 && v <= 48 && v % 2 == 0; }));
}

SechsWerte Werte_aus_Spalte(const Sechs& a, const Spalte& R) {
    SechsWerte r{};
    for (int i = 0; i < 6; ++i) r[i] = Zahl_im_Bereich(a[i]) ? R[a[i]] : -1;
    return r;
}

int Wiederholungen_der_Werte(const SechsWerte& r, int k) {
    int anzahl = 0;
    for (auto v : r) {
        if (v < 0) return 7;
        if (v < k) ++anzahl;
    }
    return anzahl;
}

int Summe_der_Werte(const SechsWerte& r) {
    int summe = 0;
    for (auto v : r) {
        if (v < 0) return 0;
        summe += v;
    }
    return summe;
}

int Wiederholungen(const Sechs& a, const Spalte& R, int k) {
    return Wiederholungen_der_Werte(Werte_aus_Spalte(a, R), k);
}

int Summe_Rueckstaendig(const Sechs& a, const Spalte& Rueckstaendig_Wo) {
    return Summe_der_Werte(Werte_aus_Spalte(a, Rueckstaendig_Wo));
}

} // namespace pyra::stats
