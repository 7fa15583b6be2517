#include "system/statistik.h"

#include <cmath>
#include <limits>

namespace pyra::system {

namespace {

// Walks back from the draw before the reference and hands every draw with results that `zaehlt`
// accepts to `besuche`, until `besuche` returns false.
template <typename Zaehlt, typename Besuche>
void rueckwaerts(std::span<const Ziehung> serie, std::size_t referenz, Zaehlt zaehlt, Besuche besuche) {
    std::size_t i = referenz < serie.size() ? referenz : serie.size();
    while (i > 0) {
        const Ziehung& z = serie[--i];
        if (!z.hat_Ergebnisse() || !zaehlt(z)) continue;
        if (!besuche(z)) return;
    }
}

template <typename Zaehlt>
Mengenfolge vereinigungen(std::span<const Ziehung> serie, std::size_t referenz, Zaehlt zaehlt) {
    Mengenfolge mengen{};
    int j = 0;
    Zahlenmenge bisher;
    rueckwaerts(serie, referenz, zaehlt, [&](const Ziehung& z) {
        for (int n : z.Zahlen) bisher.aufnehmen(n);
        mengen[static_cast<std::size_t>(++j)] = bisher;
        return j < 7;
    });
    // Fewer than seven earlier draws: the missing ones add nothing.
    for (int k = j + 1; k <= 7; ++k) mengen[static_cast<std::size_t>(k)] = bisher;
    return mengen;
}

Prozenttabelle prozenttabelle(std::span<const std::array<double, 7>> datensaetze) {
    Prozenttabelle t{};
    for (std::size_t k = 1; k <= 7 && k <= datensaetze.size(); ++k)
        for (std::size_t v = 0; v < 7; ++v) t[k][v] = Runden_halb_gerade(datensaetze[k - 1][v]);
    return t;
}

template <typename Menge>
std::int32_t wiederholungsbewertung(const Reihe& k, const Menge& mengen, const Prozenttabelle& prozente,
                                    int schwelle, bool& verworfen) {
    std::int32_t summe = 0;
    for (std::size_t z = 1; z <= 7; ++z) {
        int c = 0;
        for (int n : k)
            if (mengen[z].enthaelt(n)) ++c;
        const int p = prozente[z][static_cast<std::size_t>(c)];
        if (schwelle >= p) verworfen = true;
        summe += p;
    }
    return summe / 7;
}

} // namespace

std::optional<std::size_t> Referenz_suchen(std::span<const Ziehung> serie, int jahr, int woche) {
    for (std::size_t i = 0; i < serie.size(); ++i)
        if (serie[i].Jahr == jahr && serie[i].Woche == woche) return i;
    return std::nullopt;
}

Mengenfolge Wochenmenge(std::span<const Ziehung> serie, std::size_t referenz) {
    return vereinigungen(serie, referenz, [](const Ziehung&) { return true; });
}

Mengenfolge Jahresmenge(std::span<const Ziehung> serie, std::size_t referenz) {
    if (referenz >= serie.size()) return Mengenfolge{};
    const int woche = serie[referenz].Woche;
    return vereinigungen(serie, referenz, [woche](const Ziehung& z) { return z.Woche == woche; });
}

Rueckstandstabelle Rueckstand(std::span<const Ziehung> serie, std::size_t referenz) {
    Rueckstandstabelle r = Statistikgrundlage::leerer_Rueckstand();
    int zaehler = 0;
    rueckwaerts(
        serie, referenz, [](const Ziehung&) { return true; },
        [&](const Ziehung& z) {
            for (int n : z.Zahlen)
                if (Zahlenmenge::gueltig(n) && r[static_cast<std::size_t>(n)] == -1)
                    r[static_cast<std::size_t>(n)] = zaehler;
            ++zaehler;
            return true;
        });
    return r;
}

int Runden_halb_gerade(double wert) {
    if (std::isnan(wert)) return 0;
    constexpr double oben = std::numeric_limits<int>::max();
    constexpr double unten = std::numeric_limits<int>::min();
    if (wert >= oben) return std::numeric_limits<int>::max();
    if (wert <= unten) return std::numeric_limits<int>::min();
    const double ganz = std::floor(wert);
    const double rest = wert - ganz;
    double ergebnis = ganz;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(ganz, 2.0) != 0.0)) ergebnis = ganz + 1.0;
    return static_cast<int>(ergebnis);
}

Prozenttabelle Wochenprozente(std::span<const std::array<double, 7>> datensaetze) {
    return prozenttabelle(datensaetze);
}

Prozenttabelle Jahresprozente(std::span<const std::array<double, 7>> datensaetze) {
    return prozenttabelle(datensaetze);
}

Summentabelle Summenprozente(std::span<const double> prozente) {
    Summentabelle t{};
    for (std::size_t b = 1; b <= 15 && b <= prozente.size(); ++b) t[b] = Runden_halb_gerade(prozente[b - 1]);
    return t;
}

Statistikgrundlage Statistikgrundlage_bilden(std::span<const Ziehung> serie, std::size_t referenz,
                                             std::span<const std::array<double, 7>> ziehung_wo_z,
                                             std::span<const std::array<double, 7>> ziehung_ja_z,
                                             std::span<const double> summe_ru) {
    Statistikgrundlage g;
    g.Wochenmenge = Wochenmenge(serie, referenz);
    g.Jahresmenge = Jahresmenge(serie, referenz);
    g.Rueckstand = Rueckstand(serie, referenz);
    g.Wochenprozente = Wochenprozente(ziehung_wo_z);
    g.Jahresprozente = Jahresprozente(ziehung_ja_z);
    g.Summenprozente = Summenprozente(summe_ru);
    return g;
}

std::int32_t Wochenbewertung(const Reihe& k, const Statistikgrundlage& g, const Schwellenwerte& s,
                             bool& verworfen) {
    return wiederholungsbewertung(k, g.Wochenmenge, g.Wochenprozente, s.Prozent_Woche, verworfen);
}

std::int32_t Jahresbewertung(const Reihe& k, const Statistikgrundlage& g, const Schwellenwerte& s,
                             bool& verworfen) {
    return wiederholungsbewertung(k, g.Jahresmenge, g.Jahresprozente, s.Prozent_Jahr, verworfen);
}

std::int32_t Summenbewertung(const Reihe& k, const Statistikgrundlage& g, const Schwellenwerte& s,
                             bool& verworfen) {
    int t = 0;
    for (int n : k) t += Zahlenmenge::gueltig(n) ? g.Rueckstand[static_cast<std::size_t>(n)] : 0;
    const int p = (t >= 1 && t <= 150) ? g.Summenprozente[static_cast<std::size_t>((t + 9) / 10)] : 0;
    if (s.Prozent_Summe >= p) verworfen = true;
    return p;
}

Statistikwertung Statistik_bewerten(const Reihe& k, const Statistikgrundlage& g, const Schwellenwerte& s) {
    Statistikwertung w;
    const std::int32_t woche = Wochenbewertung(k, g, s, w.Verworfen);
    const std::int32_t jahr = Jahresbewertung(k, g, s, w.Verworfen);
    const std::int32_t summe = Summenbewertung(k, g, s, w.Verworfen);
    w.Punkte = woche + jahr + 2 * summe;
    return w;
}

double Ueberdeckung_bewerten(const Reihe& k, std::span<const Reihe> reihenspeicher) {
    std::array<std::int64_t, 7> h{};
    for (const Reihe& slot : reihenspeicher) {
        int v = 0;
        for (int p = 0; p < 6; ++p)
            for (int q = 0; q < 6; ++q)
                v += slot[static_cast<std::size_t>(p)] == k[static_cast<std::size_t>(q)];
        ++h[static_cast<std::size_t>(v < 6 ? v : 6)];
    }
    std::int64_t summe = 0;
    for (std::size_t v = 0; v < 7; ++v) summe += h[v] * Ueberdeckungsgewicht[v];
    return static_cast<double>(summe);
}

} // namespace pyra::system
