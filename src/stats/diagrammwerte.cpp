#include "stats/diagrammwerte.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>
#include <numeric>

namespace pyra::stats {

namespace {

constexpr double kGenauigkeit = 1e-15;
constexpr int kSchritte = 10000;

// ln(x^a e^-x / Γ(a)), the common factor of both forms of Q.
double vorfaktor_log(double a, double x) {
    return a * std::log(x) - x - std::lgamma(a);
}

// P(a, x) by its power series; converges quickly for x < a + 1.
double gamma_p_reihe(double a, double x) {
    double summand = 1.0 / a;
    double summe = summand;
    for (int n = 1; n < kSchritte; ++n) {
        summand *= x / (a + n);
        summe += summand;
        if (std::fabs(summand) < std::fabs(summe) * kGenauigkeit) break;
    }
    return summe * std::exp(vorfaktor_log(a, x));
}

// Q(a, x) by its continued fraction (modified Lentz method); converges quickly for x >= a + 1.
double gamma_q_kettenbruch(double a, double x) {
    constexpr double winzig = std::numeric_limits<double>::min() / kGenauigkeit;
    double b = x + 1.0 - a;
    double c = 1.0 / winzig;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i < kSchritte; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < winzig) d = winzig;
        c = b + an / c;
        if (std::fabs(c) < winzig) c = winzig;
        d = 1.0 / d;
        const double faktor = d * c;
        h *= faktor;
        if (std::fabs(faktor - 1.0) < kGenauigkeit) break;
    }
    return std::exp(vorfaktor_log(a, x)) * h;
}

bool n_gueltig(int n_max) {
    return n_max >= 6 && n_max <= kGroessteZahl;
}

// Binomial coefficient as a double; exact for the sizes used here (C(49, 6) = 13 983 816).
double binomial(int n, int k) {
    if (k < 0 || k > n) return 0.0;
    k = std::min(k, n - k);
    double ergebnis = 1.0;
    for (int i = 1; i <= k; ++i) ergebnis = ergebnis * (n - k + i) / i;
    return std::round(ergebnis);
}

// A number with a decimal comma and `stellen` decimals, independent of the machine's locale.
std::string dezimal(double wert, int stellen) {
    char puffer[64];
    const auto r = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::fixed, stellen);
    std::string text(puffer, r.ptr);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

// p as the sentence shows it: two decimals, below 0.01 three decimals cut off (so that a value
// below 0.01 never reads "0,010"), below 0.001 as "< 0,001".
std::string p_text(double p) {
    if (p >= 0.01) return "= " + dezimal(p, 2);
    if (p >= 0.001) return "= " + dezimal(std::floor(p * 1000.0) / 1000.0, 3);
    return "< 0,001";
}

} // namespace

double Gamma_Q(double a, double x) {
    if (!(a > 0.0) || !(x >= 0.0) || std::isinf(a)) return std::numeric_limits<double>::quiet_NaN();
    if (x == 0.0) return 1.0;
    if (std::isinf(x)) return 0.0;
    if (x < a + 1.0) return std::clamp(1.0 - gamma_p_reihe(a, x), 0.0, 1.0);
    return std::clamp(gamma_q_kettenbruch(a, x), 0.0, 1.0);
}

Chiquadrattest Chiquadrat_testen(const Spalte& haeufigkeit, int ziehungen, int n_max) {
    Chiquadrattest t;
    if (ziehungen <= 0 || n_max < 7 || n_max > kGroessteZahl) return t;
    const double n = ziehungen;
    const double p = 6.0 / n_max;
    const double erwartet = n * p;
    double quadratsumme = 0;
    for (int z = 1; z <= n_max; ++z) {
        const double abweichung = haeufigkeit[z] - erwartet;
        quadratsumme += abweichung * abweichung;
    }
    t.moeglich = true;
    t.Chiquadrat = quadratsumme * (n_max - 1) / (n_max * n * p * (1.0 - p));
    t.Freiheitsgrade = n_max - 1;
    t.p = Gamma_Q(t.Freiheitsgrade / 2.0, t.Chiquadrat / 2.0);
    return t;
}

std::string Testsatz(const Chiquadrattest& t) {
    if (!t.moeglich) return "Vor der gewählten Woche liegen keine Ziehungen vor; ein Test ist nicht möglich.";
    const std::string klammer = "(χ² = " + dezimal(t.Chiquadrat, 1) + " bei " +
                                std::to_string(t.Freiheitsgrade) + " Freiheitsgraden, p " + p_text(t.p) +
                                ").";
    if (t.p < 0.01) return "Die Abweichungen sind größer, als der Zufall sie erwarten lässt " + klammer;
    return "Die Abweichungen liegen im Rahmen des Zufalls " + klammer;
}

double Erwartete_Haeufigkeit(int ziehungen, int n_max) {
    if (ziehungen <= 0 || !n_gueltig(n_max)) return 0.0;
    return ziehungen * 6.0 / n_max;
}

double Streuung_Haeufigkeit(int ziehungen, int n_max) {
    if (ziehungen <= 0 || !n_gueltig(n_max)) return 0.0;
    const double p = 6.0 / n_max;
    return std::sqrt(ziehungen * p * (1.0 - p));
}

double Erwarteter_Rueckstand(int ziehungen, int n_max) {
    if (ziehungen <= 0 || !n_gueltig(n_max)) return 0.0;
    const double p = 6.0 / n_max;
    const double q = 1.0 - p;
    double summe = 0;
    double qr = 1.0; // q^r
    for (int r = 0; r < ziehungen; ++r) {
        summe += r * qr * p;
        qr *= q;
        if (qr < 1e-300) break;
    }
    const double gezogen = 1.0 - std::pow(q, ziehungen);
    return gezogen > 0 ? summe / gezogen : 0.0;
}

std::array<double, 7> Zufallsanteile(int n_max, int z) {
    std::array<double, 7> anteile{};
    if (!n_gueltig(n_max) || z < 1 || z > 7) return anteile;
    const double alle = binomial(n_max, 6);
    // P(v of six new numbers lie among m given numbers).
    auto hypergeometrisch = [&](int m, int v) { return binomial(m, v) * binomial(n_max - m, 6 - v) / alle; };

    // Distribution of how many distinct numbers the z draws before hold; before any draw none.
    std::vector<double> abdeckung(static_cast<std::size_t>(n_max) + 1, 0.0);
    abdeckung[0] = 1.0;
    for (int schritt = 0; schritt < z; ++schritt) {
        std::vector<double> neu(abdeckung.size(), 0.0);
        for (int m = 0; m <= n_max; ++m) {
            if (abdeckung[m] == 0.0) continue;
            for (int j = 0; j <= 6; ++j) // j of the next draw's numbers are already covered
                if (m + 6 - j <= n_max) neu[m + 6 - j] += abdeckung[m] * hypergeometrisch(m, j);
        }
        abdeckung = std::move(neu);
    }
    for (int v = 0; v <= 6; ++v) {
        double summe = 0;
        for (int m = 0; m <= n_max; ++m)
            if (abdeckung[m] != 0.0) summe += abdeckung[m] * hypergeometrisch(m, v);
        anteile[v] = 100.0 * summe;
    }
    return anteile;
}

std::vector<int> Vergleichslaengen(const Serie& serie, std::size_t ende, bool gleiche_woche) {
    std::vector<int> laengen;
    std::array<int, 64> je_woche{}; // weeks 1..53; other values share the last entry
    int alle = 0;
    for (std::size_t r = 0; r < std::min(ende, serie.size()); ++r) {
        const Ziehung& z = serie[r];
        if (!z.hat_Ergebnisse()) continue;
        int& woche = je_woche[static_cast<std::size_t>(std::clamp(z.Woche, 0, 63))];
        laengen.push_back(gleiche_woche ? woche : alle);
        ++woche;
        ++alle;
    }
    return laengen;
}

std::array<double, 7> Zufallsanteile_gezaehlt(int n_max, int z, const std::vector<int>& vergleichslaengen) {
    std::array<double, 7> anteile{};
    if (!n_gueltig(n_max) || z < 1 || z > 7) return anteile;
    const double alle = binomial(n_max, 6);
    // verfehlt[a]: chance that a draw misses `a` given numbers; c[n][k] = C(n, k) for n <= 6.
    std::array<double, 13> verfehlt{};
    for (int a = 0; a <= 12; ++a) verfehlt[a] = binomial(n_max - a, 6) / alle;
    std::array<std::array<double, 7>, 7> c{};
    for (int n = 0; n <= 6; ++n)
        for (int k = 0; k <= n; ++k) c[n][k] = binomial(n, k);

    // v given numbers among the k latest draws, the other 6 − v not; k <= z takes few values.
    auto vorn = [&](int v, int k) {
        double s = 0;
        for (int y = 0; y <= v; ++y) s += (y % 2 ? -1.0 : 1.0) * c[v][y] * std::pow(verfehlt[6 - v + y], k);
        return std::max(s, 0.0);
    };
    std::array<std::array<double, 7>, 8> vorn_k{}; // [k][v]
    for (int k = 1; k <= z; ++k)
        for (int v = 0; v <= 6; ++v) vorn_k[k][v] = vorn(v, k);

    // The joint chances depend on m only; each length is computed once and weighted by how
    // many draws have it.
    std::vector<int> laengen = vergleichslaengen;
    std::sort(laengen.begin(), laengen.end());
    std::array<double, 7> summe{};
    for (std::size_t i = 0; i < laengen.size();) {
        const int m = laengen[i];
        std::size_t j = i;
        while (j < laengen.size() && laengen[j] == m) ++j;
        const double anzahl = static_cast<double>(j - i);
        i = j;
        if (m <= 0) continue; // no earlier draw: never counted
        const int k = std::min(z, m);
        std::array<double, 7> potenz{}; // chance that the m − k earlier draws all miss y numbers
        for (int y = 0; y <= 6; ++y) potenz[y] = std::pow(verfehlt[y], m - k);
        for (int v = 0; v <= 6; ++v) {
            const int w = 6 - v;
            double hinten = 0; // the w others among the m − k draws before the k latest
            for (int y = 0; y <= w; ++y) hinten += (y % 2 ? -1.0 : 1.0) * c[w][y] * potenz[y];
            summe[v] += anzahl * c[6][v] * vorn_k[k][v] * std::max(hinten, 0.0);
        }
    }
    const double gesamt = std::accumulate(summe.begin(), summe.end(), 0.0);
    if (gesamt <= 0) return anteile;
    for (int v = 0; v <= 6; ++v) anteile[v] = 100.0 * summe[v] / gesamt;
    return anteile;
}

std::array<bool, kGroessteZahl + 1> Laengste_Rueckstaende(const Spalte& rueckstaendig, int n_max) {
    std::array<bool, kGroessteZahl + 1> markiert{};
    const int n = std::clamp(n_max, 0, kGroessteZahl);
    // A number never drawn in the counted draws was drawn longer ago than any other.
    auto wert = [&](int zahl) {
        return rueckstaendig[zahl] < 0 ? std::numeric_limits<std::int64_t>::max()
                                       : static_cast<std::int64_t>(rueckstaendig[zahl]);
    };
    std::vector<std::int64_t> werte;
    bool irgendeine_gezogen = false;
    for (int zahl = 1; zahl <= n; ++zahl) {
        werte.push_back(wert(zahl));
        irgendeine_gezogen = irgendeine_gezogen || rueckstaendig[zahl] >= 0;
    }
    if (werte.empty() || !irgendeine_gezogen) return markiert;
    std::sort(werte.begin(), werte.end(), std::greater<>());
    const std::int64_t schwelle = werte[std::min<std::size_t>(5, werte.size() - 1)];
    for (int zahl = 1; zahl <= n; ++zahl) markiert[zahl] = wert(zahl) >= schwelle;
    return markiert;
}

std::vector<Verlaufspunkt> Abweichungsverlauf(const Serie& serie, std::size_t ende, int zahl, int n_max) {
    std::vector<Verlaufspunkt> verlauf;
    if (!n_gueltig(n_max) || zahl < 1 || zahl > n_max) return verlauf;
    const double p = 6.0 / n_max;
    int gezogen = 0;
    int i = 0;
    for (std::size_t r = 0; r < std::min(ende, serie.size()); ++r) {
        const Ziehung& z = serie[r];
        if (!z.hat_Ergebnisse()) continue;
        ++i;
        if (std::find(z.Zahl.begin(), z.Zahl.end(), zahl) != z.Zahl.end()) ++gezogen;
        verlauf.push_back({z.Jahr, z.Woche, gezogen - i * p, std::sqrt(i * p * (1.0 - p))});
    }
    return verlauf;
}

Diagrammdaten Diagrammdaten_bilden(const Serie& serie, int jahr, int woche, int zahlen_bis) {
    Diagrammdaten d;
    d.Jahr = jahr;
    d.Woche = woche;
    d.Zahlen_bis = std::clamp(zahlen_bis, 0, kGroessteZahl);
    const std::size_t ende = Zeilen_vor(serie, jahr, woche);
    d.Vorher.assign(serie.begin(), serie.begin() + static_cast<std::ptrdiff_t>(ende));
    d.Ziehungen = static_cast<int>(
        std::count_if(d.Vorher.begin(), d.Vorher.end(), [](const Ziehung& z) { return z.hat_Ergebnisse(); }));
    d.Statistik = Zahlenstatistik_zaehlen(serie, jahr, woche);
    return d;
}

} // namespace pyra::stats
