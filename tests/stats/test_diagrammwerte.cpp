// What the charts show beside the counts: the frequency test with its p-value, the expected
// count, spread and overdue under chance, the chance shares of recurring numbers, the marked
// overdue numbers and the running deviation of one number.

#include "historie.h"
#include "stats/diagrammwerte.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

using namespace pyra::stats;

namespace {

double fakultaet(int n) {
    double f = 1;
    for (int i = 2; i <= n; ++i) f *= i;
    return f;
}

double binom(int n, int k) {
    if (k < 0 || k > n) return 0;
    return std::round(fakultaet(n) / (fakultaet(k) * fakultaet(n - k)));
}

Spalte zaehlungen(std::initializer_list<int> werte) {
    Spalte s{};
    int z = 1;
    for (int w : werte) s[z++] = w;
    return s;
}

Ziehung ziehung(int jahr, int woche, Sechs zahlen) {
    return {jahr, woche, zahlen};
}

} // namespace

TEST(GammaQ, EqualsTheFiniteSumForWholeAAndReferenceValuesOtherwise) {
    // For whole a, Q(a, x) = e^-x Σ_{i<a} x^i / i!: exact, so a hand check of the series and the
    // continued fraction on both sides of x = a + 1.
    for (int a : {1, 3, 24}) {
        for (double x : {0.5, 5.0, 20.0, 24.0, 30.0, 60.0}) {
            double summe = 0;
            for (int i = 0; i < a; ++i) summe += std::pow(x, i) / fakultaet(i);
            const double q = std::exp(-x) * summe;
            EXPECT_NEAR(Gamma_Q(a, x), q, 1e-13 + 1e-11 * q) << "a=" << a << " x=" << x;
        }
    }
    // Chi-square tail probabilities from a second implementation (scipy.stats.chi2.sf).
    struct Fall {
        double chi, df, p;
    };
    for (const Fall& f : {Fall{16.5, 9, 0.05714646897338437}, Fall{47, 48, 0.5137818949434476},
                          Fall{80, 48, 0.0025553320503898256}, Fall{120, 48, 4.271435999890667e-08},
                          Fall{10, 48, 0.9999999991927467}}) {
        EXPECT_NEAR(Gamma_Q(f.df / 2, f.chi / 2), f.p, 1e-12 * std::max(1.0, f.p) + 1e-10 * f.p)
            << f.chi << " " << f.df;
    }
    EXPECT_EQ(Gamma_Q(4.5, 0), 1.0);
    EXPECT_TRUE(std::isnan(Gamma_Q(0, 1)));
    EXPECT_TRUE(std::isnan(Gamma_Q(2, -1)));
}

TEST(Chiquadrat, HandComputedCase) {
    // N = 10, five draws: p = 0.6, expected 3 per number. Σ (O − 3)² = 22, so
    // X = 22 · 9 / (10 · 5 · 0.6 · 0.4) = 16.5 with 9 degrees of freedom.
    const Chiquadrattest t = Chiquadrat_testen(zaehlungen({5, 5, 5, 3, 3, 3, 2, 2, 1, 1}), 5, 10);
    ASSERT_TRUE(t.moeglich);
    EXPECT_NEAR(t.Chiquadrat, 16.5, 1e-12);
    EXPECT_EQ(t.Freiheitsgrade, 9);
    EXPECT_NEAR(t.p, 0.05714646897338437, 1e-12);
    // The plain Σ (O − E)² / E would give 22 / 3 = 7.33: the correction for six distinct numbers
    // per draw matters.
}

TEST(Chiquadrat, NoTestWithoutDrawsOrOutsideSevenToFortyNineNumbers) {
    const Spalte null{};
    EXPECT_FALSE(Chiquadrat_testen(null, 0, 49).moeglich);
    EXPECT_FALSE(Chiquadrat_testen(zaehlungen({1, 1, 1, 1, 1, 1}), 1, 6).moeglich); // p = 1
    EXPECT_FALSE(Chiquadrat_testen(null, 10, 50).moeglich);
    EXPECT_FALSE(Chiquadrat_testen(null, 10, 0).moeglich);
}

TEST(Chiquadrat, ShippedHistoryAgreesWithSecondImplementation) {
    // Values of an independent computation (Python with scipy.stats.chi2.sf) over
    // data/ziehungen.csv: association, draw day, N, the week before which is counted, draws, X, p.
    struct Fall {
        int verband, ziehung, n, jahr, woche, ziehungen;
        double chi, p;
    };
    const Fall faelle[] = {
        {3, 1, 49, 9999, 1, 3698, 60.3364232080194, 0.10902548679028211},
        {3, 1, 49, 2024, 11, 3570, 64.4217054263566, 0.05680429581767471},
        {3, 2, 49, 9999, 1, 1342, 45.355699580632844, 0.581830949166174},
        {4, 1, 45, 9999, 1, 2084, 40.055071607854686, 0.6413663909483145},
        {5, 1, 42, 9999, 1, 710, 41.84053208137714, 0.43416678280328086},
    };
    for (const Fall& f : faelle) {
        const Serie serie = Serie_aus_CSV(pyra::historie::ziehungen_csv, f.verband, f.ziehung);
        const Diagrammdaten d = Diagrammdaten_bilden(serie, f.jahr, f.woche, f.n);
        ASSERT_EQ(d.Ziehungen, f.ziehungen) << f.verband << "/" << f.ziehung;
        const Chiquadrattest t = Chiquadrat_testen(d.Statistik.Haeufigkeit_Wo, d.Ziehungen, d.Zahlen_bis);
        EXPECT_NEAR(t.Chiquadrat, f.chi, 1e-9) << f.verband << "/" << f.ziehung;
        EXPECT_EQ(t.Freiheitsgrade, f.n - 1);
        EXPECT_NEAR(t.p, f.p, 1e-12) << f.verband << "/" << f.ziehung;
    }
}

TEST(Testsatz, SaysWithinChanceOrNotWithGermanNumbers) {
    auto test = [](double chi, double p) { return Chiquadrattest{true, chi, 48, p}; };
    EXPECT_EQ(Testsatz(test(41.27, 0.7412)),
              "Die Abweichungen liegen im Rahmen des Zufalls (χ² = 41,3 bei 48 Freiheitsgraden, p = 0,74).");
    EXPECT_EQ(Testsatz(test(70.01, 0.0199)),
              "Die Abweichungen liegen im Rahmen des Zufalls (χ² = 70,0 bei 48 Freiheitsgraden, p = 0,02).");
    // Below 0.01 the other sentence; the p shown never rounds up to the limit.
    EXPECT_EQ(Testsatz(test(75.0, 0.00999)),
              "Die Abweichungen sind größer, als der Zufall sie erwarten lässt "
              "(χ² = 75,0 bei 48 Freiheitsgraden, p = 0,009).");
    EXPECT_EQ(Testsatz(test(120.0, 4e-8)), "Die Abweichungen sind größer, als der Zufall sie erwarten lässt "
                                           "(χ² = 120,0 bei 48 Freiheitsgraden, p < 0,001).");
    EXPECT_EQ(Testsatz(Chiquadrattest{}),
              "Vor der gewählten Woche liegen keine Ziehungen vor; ein Test ist nicht möglich.");
}

TEST(Erwartung, CountSpreadAndOverdueUnderChance) {
    EXPECT_NEAR(Erwartete_Haeufigkeit(1000, 49), 6000.0 / 49, 1e-12);
    EXPECT_NEAR(Streuung_Haeufigkeit(1000, 49), std::sqrt(1000 * 6.0 / 49 * 43.0 / 49), 1e-12);
    EXPECT_EQ(Erwartete_Haeufigkeit(0, 49), 0);
    EXPECT_EQ(Streuung_Haeufigkeit(10, 0), 0);

    // One draw: a drawn number is overdue 0. Two draws: overdue 1 with q·p against p, so q / (1 + q).
    const double q = 43.0 / 49;
    EXPECT_EQ(Erwarteter_Rueckstand(1, 49), 0);
    EXPECT_NEAR(Erwarteter_Rueckstand(2, 49), q / (1 + q), 1e-12);
    // A long history: the mean of the geometric distribution, (N − 6) / 6.
    EXPECT_NEAR(Erwarteter_Rueckstand(5000, 49), 43.0 / 6, 1e-9);
    EXPECT_NEAR(Erwarteter_Rueckstand(5000, 42), 36.0 / 6, 1e-9);
    EXPECT_EQ(Erwarteter_Rueckstand(0, 49), 0);
    EXPECT_EQ(Erwarteter_Rueckstand(100, 60), 0);
}

TEST(Zufallsanteile, OneDrawBeforeIsTheHypergeometricFormula) {
    for (int n : {49, 45, 42}) {
        const auto a = Zufallsanteile(n, 1);
        for (int v = 0; v <= 6; ++v)
            EXPECT_NEAR(a[v], 100.0 * binom(6, v) * binom(n - 6, 6 - v) / binom(n, 6), 1e-10)
                << "N=" << n << " v=" << v;
    }
    // 6 aus 49: 43.6 % of draws share no number with the draw before, 41.3 % one.
    EXPECT_NEAR(Zufallsanteile(49, 1)[0], 43.596, 1e-3);
    EXPECT_NEAR(Zufallsanteile(49, 1)[1], 41.302, 1e-3);
}

TEST(Zufallsanteile, SeveralDrawsBeforeAgreeWithCountingEveryCase) {
    // N = 8: every choice of z + 1 draws (28 each) is equally likely; count them all.
    const int n = 8;
    std::vector<unsigned> ziehungen; // the 28 six-number subsets as bit masks
    for (unsigned m = 0; m < (1u << n); ++m)
        if (__builtin_popcount(m) == 6) ziehungen.push_back(m);
    for (int z : {2, 3}) {
        std::array<double, 7> haeufig{};
        std::vector<std::size_t> idx(static_cast<std::size_t>(z) + 1, 0);
        double alle = 0;
        while (true) {
            unsigned vereinigung = 0;
            for (int k = 0; k < z; ++k) vereinigung |= ziehungen[idx[k]];
            ++haeufig[__builtin_popcount(vereinigung & ziehungen[idx[z]])];
            ++alle;
            std::size_t k = 0;
            while (k < idx.size() && ++idx[k] == ziehungen.size()) idx[k++] = 0;
            if (k == idx.size()) break;
        }
        const auto a = Zufallsanteile(n, z);
        for (int v = 0; v <= 6; ++v) EXPECT_NEAR(a[v], 100.0 * haeufig[v] / alle, 1e-10) << z << " " << v;
    }
}

TEST(Zufallsanteile, SharesAddUpAndHaveTheExpectedMean) {
    for (int z = 1; z <= 7; ++z) {
        const auto a = Zufallsanteile(49, z);
        double summe = 0, mittel = 0;
        for (int v = 0; v <= 6; ++v) summe += a[v], mittel += v * a[v] / 100.0;
        EXPECT_NEAR(summe, 100.0, 1e-9);
        // Each new number lies among the earlier ones with probability 1 − (43/49)^z.
        EXPECT_NEAR(mittel, 6.0 * (1.0 - std::pow(43.0 / 49, z)), 1e-9);
    }
    for (auto a : {Zufallsanteile(49, 0), Zufallsanteile(49, 8), Zufallsanteile(5, 1), Zufallsanteile(50, 1)})
        EXPECT_EQ(std::accumulate(a.begin(), a.end(), 0.0), 0.0);
}

TEST(LaengsteRueckstaende, SixLargestWithTiesAndNeverDrawnFirst) {
    Spalte r{};
    for (int z = 1; z <= 49; ++z) r[z] = z % 10; // 9 at 9, 19, 29, 39, 49; 8 at 8, 18, ...
    r[3] = -1;                                   // never drawn: longest of all
    auto m = Laengste_Rueckstaende(r, 49);
    // Never drawn (3) and the five nines fill six places; nothing else.
    std::vector<int> markiert;
    for (int z = 1; z <= 49; ++z)
        if (m[z]) markiert.push_back(z);
    EXPECT_EQ(markiert, (std::vector<int>{3, 9, 19, 29, 39, 49}));

    r[3] = 5; // now the sixth place is shared by the five eights: all of them are marked
    m = Laengste_Rueckstaende(r, 49);
    EXPECT_EQ(std::count(m.begin(), m.end(), true), 10);

    Spalte nie{};
    nie.fill(-1);
    m = Laengste_Rueckstaende(nie, 49);
    EXPECT_EQ(std::count(m.begin(), m.end(), true), 0); // nothing counted, nothing to mark
}

TEST(Abweichungsverlauf, RunningCountMinusExpectationSkippingRowsWithoutResults) {
    const Serie serie = {ziehung(2020, 1, {7, 10, 11, 12, 13, 14}), ziehung(2020, 2, {}),
                         ziehung(2020, 3, {1, 2, 3, 4, 5, 6}), ziehung(2020, 4, {2, 7, 20, 21, 22, 23}),
                         ziehung(2020, 5, {7, 8, 9, 10, 11, 12})};
    const double p = 6.0 / 49;
    const auto v = Abweichungsverlauf(serie, 4, 7, 49); // the last row is not counted
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].Woche, 1);
    EXPECT_NEAR(v[0].Abweichung, 1 - p, 1e-12);
    EXPECT_EQ(v[1].Woche, 3);
    EXPECT_NEAR(v[1].Abweichung, 1 - 2 * p, 1e-12);
    EXPECT_NEAR(v[2].Abweichung, 2 - 3 * p, 1e-12);
    EXPECT_NEAR(v[2].Streuung, std::sqrt(3 * p * (1 - p)), 1e-12);
    EXPECT_TRUE(Abweichungsverlauf(serie, 4, 0, 49).empty());
    EXPECT_TRUE(Abweichungsverlauf(serie, 4, 50, 49).empty());
}

TEST(Diagrammdaten, CountTheRowsBeforeTheWeekAsTheStatisticsDo) {
    const Serie serie = Serie_aus_CSV(pyra::historie::ziehungen_csv, 3, 1);
    const Diagrammdaten d = Diagrammdaten_bilden(serie, 2024, 11, 49);
    const Zahlenstatistik t = Zahlenstatistik_zaehlen(serie, 2024, 11);
    EXPECT_EQ(d.Statistik.Haeufigkeit_Wo, t.Haeufigkeit_Wo);
    EXPECT_EQ(d.Statistik.Rueckstaendig_Wo, t.Rueckstaendig_Wo);
    EXPECT_EQ(d.Vorher.size(), Zeilen_vor(serie, 2024, 11));
    EXPECT_EQ(d.Ziehungen * 6, std::accumulate(t.Haeufigkeit_Wo.begin(), t.Haeufigkeit_Wo.end(), 0));
    // The running deviation ends at the number's count minus its expectation.
    for (int zahl : {1, 13, 49}) {
        const auto v = Abweichungsverlauf(d.Vorher, d.Vorher.size(), zahl, 49);
        ASSERT_EQ(v.size(), static_cast<std::size_t>(d.Ziehungen));
        EXPECT_NEAR(v.back().Abweichung, t.Haeufigkeit_Wo[zahl] - d.Ziehungen * 6.0 / 49, 1e-9);
    }
    EXPECT_EQ(Diagrammdaten_bilden(serie, 2024, 11, 99).Zahlen_bis, 49);
    EXPECT_EQ(Diagrammdaten_bilden(serie, 1955, 1, 49).Ziehungen, 0);
}

TEST(Zufallsanteile, CountedAsTheAnalysisAgreesWithCountingEveryCase) {
    // N = 8: a draw with m earlier draws, z looking back; counted only when all six of its
    // numbers are among the m earlier draws. Every choice of the m + 1 draws is equally likely.
    const int n = 8;
    std::vector<unsigned> ziehungen;
    for (unsigned m = 0; m < (1u << n); ++m)
        if (__builtin_popcount(m) == 6) ziehungen.push_back(m);
    // Expected number of counted draws with v recurring numbers, per length m (each of the
    // 28^(m+1) cases weighs 1 / 28^(m+1)).
    auto erwartet = [&](int m, int z) {
        std::array<double, 7> h{};
        std::vector<std::size_t> idx(static_cast<std::size_t>(m) + 1, 0);
        double alle = 0;
        while (true) {
            unsigned neueste = 0, vereinigung = 0; // idx[0] is the latest earlier draw
            for (int k = 0; k < m; ++k) {
                vereinigung |= ziehungen[idx[k]];
                if (k < z) neueste |= ziehungen[idx[k]];
            }
            const unsigned neu = ziehungen[idx[m]];
            if ((neu & vereinigung) == neu) ++h[__builtin_popcount(neu & neueste)];
            ++alle;
            std::size_t k = 0;
            while (k < idx.size() && ++idx[k] == ziehungen.size()) idx[k++] = 0;
            if (k == idx.size()) break;
        }
        for (double& x : h) x /= alle;
        return h;
    };
    for (int z : {1, 2}) {
        std::array<double, 7> summe{};
        for (int m : {1, 2, 3}) {
            const auto e = erwartet(m, z);
            const double gezaehlt = std::accumulate(e.begin(), e.end(), 0.0);
            const auto a = Zufallsanteile_gezaehlt(n, z, {m});
            for (int v = 0; v <= 6; ++v) {
                EXPECT_NEAR(a[v], 100.0 * e[v] / gezaehlt, 1e-9) << "z=" << z << " m=" << m << " v=" << v;
                summe[v] += e[v];
            }
        }
        // Several draws: the expected counts add up.
        const auto a = Zufallsanteile_gezaehlt(n, z, {3, 1, 2, 0});
        const double gesamt = std::accumulate(summe.begin(), summe.end(), 0.0);
        for (int v = 0; v <= 6; ++v) EXPECT_NEAR(a[v], 100.0 * summe[v] / gesamt, 1e-9) << z << " " << v;
    }
    // Long series leave out almost nothing: the plain shares.
    for (int z = 1; z <= 7; ++z) {
        const auto a = Zufallsanteile_gezaehlt(49, z, std::vector<int>(50, 3000));
        const auto b = Zufallsanteile(49, z);
        for (int v = 0; v <= 6; ++v) EXPECT_NEAR(a[v], b[v], 1e-9) << z << " " << v;
    }
    EXPECT_EQ(Zufallsanteile_gezaehlt(49, 1, {0, 0}), (std::array<double, 7>{}));
}

TEST(Zufallsanteile, ComparisonLengthsCountEarlierRowsWithResults) {
    const Serie serie = {ziehung(2019, 5, {1, 2, 3, 4, 5, 6}),
                         ziehung(2019, 6, {1, 2, 3, 4, 5, 6}),
                         ziehung(2020, 5, {}),
                         ziehung(2020, 6, {1, 2, 3, 4, 5, 6}),
                         ziehung(2021, 5, {1, 2, 3, 4, 5, 6}),
                         ziehung(2021, 6, {1, 2, 3, 4, 5, 6})};
    EXPECT_EQ(Vergleichslaengen(serie, serie.size(), false), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(Vergleichslaengen(serie, serie.size(), true), (std::vector<int>{0, 0, 1, 1, 2}));
    EXPECT_EQ(Vergleichslaengen(serie, 2, true), (std::vector<int>{0, 0}));
}
