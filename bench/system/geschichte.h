#pragma once

// The shipped history of the German Saturday draws and the analysis tables computed from it
// (reference = the last draw), for the benchmarks and the table tool.

#include "system/kuerzung.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace pyra::system::bench {

inline std::vector<Ziehung> deutsche_samstage() {
    std::ifstream ein(PYRA_ZIEHUNGEN_CSV);
    if (!ein) throw std::runtime_error(std::string("cannot read ") + PYRA_ZIEHUNGEN_CSV);
    std::vector<Ziehung> serie;
    std::string zeile;
    std::getline(ein, zeile); // header
    while (std::getline(ein, zeile)) {
        std::vector<std::string> feld;
        std::stringstream s(zeile);
        std::string f;
        while (std::getline(s, f, ',')) feld.push_back(f);
        if (feld.size() < 11 || feld[0] != "3" || feld[1] != "1") continue;
        Ziehung z{std::stoi(feld[2]), std::stoi(feld[3]), {}};
        for (std::size_t p = 0; p < 6; ++p) z.Zahlen[p] = feld[5 + p].empty() ? 0 : std::stoi(feld[5 + p]);
        serie.push_back(z);
    }
    return serie;
}

// The analysis tables as the recurrence and overdue-sum analysis would compute them, so that the
// statistics score breaks ties as on real data.
inline Statistikgrundlage grundlage() {
    const std::vector<Ziehung> serie = deutsche_samstage();
    const std::size_t ref = serie.size() - 1;
    std::vector<std::array<double, 7>> wo(7, std::array<double, 7>{}), ja(7, std::array<double, 7>{});
    std::vector<double> su(15, 0.0);
    double gezaehlt_wo = 0, gezaehlt_ja = 0, gezaehlt_su = 0;
    for (std::size_t j = 0; j < ref; ++j) {
        if (!serie[j].hat_Ergebnisse()) continue;
        const Mengenfolge w = Wochenmenge(serie, j);
        const Mengenfolge y = Jahresmenge(serie, j);
        const Rueckstandstabelle r = Rueckstand(serie, j);
        bool neu = false;
        int summe = 0;
        for (int z : serie[j].Zahlen) {
            const int v = Zahlenmenge::gueltig(z) ? r[static_cast<std::size_t>(z)] : -1;
            neu = neu || v < 0;
            summe += v;
        }
        if (neu) continue;
        gezaehlt_wo += 1;
        gezaehlt_ja += 1;
        for (std::size_t k = 1; k <= 7; ++k) {
            int cw = 0, cj = 0;
            for (int z : serie[j].Zahlen) {
                cw += w[k].enthaelt(z);
                cj += y[k].enthaelt(z);
            }
            wo[k - 1][static_cast<std::size_t>(cw)] += 1;
            ja[k - 1][static_cast<std::size_t>(cj)] += 1;
        }
        if (summe >= 1 && summe <= 150) su[static_cast<std::size_t>((summe + 9) / 10 - 1)] += 1;
        gezaehlt_su += 1;
    }
    for (auto& satz : wo)
        for (double& x : satz) x = 100.0 * x / gezaehlt_wo;
    for (auto& satz : ja)
        for (double& x : satz) x = 100.0 * x / gezaehlt_ja;
    for (double& x : su) x = 100.0 * x / gezaehlt_su;
    return Statistikgrundlage_bilden(serie, ref, wo, ja, su);
}

inline const Statistikgrundlage& geteilte_grundlage() {
    static const Statistikgrundlage g = grundlage();
    return g;
}

} // namespace pyra::system::bench
