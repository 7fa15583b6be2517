#include "stats/ziehungsmerkmale.h"

#include "historie.h"

#include <gtest/gtest.h>

#include <random>

using namespace pyra::stats;

namespace {

const std::array<int, 7> kSieben{7, 7, 7, 7, 7, 7, 7};
const std::array<int, 7> kSechs{6, 6, 6, 6, 6, 6, 6};

void erwarte_gleich(const Merkmalsliste& schnell, const Merkmalsliste& naiv) {
    ASSERT_EQ(schnell.size(), naiv.size());
    for (std::size_t i = 0; i < schnell.size(); ++i) ASSERT_EQ(schnell[i], naiv[i]) << "Zeile " << i;
}

// A random series with rows without results, duplicates, values outside 1..49 and odd weeks.
Serie zufallsserie(std::mt19937& gen, int zeilen) {
    std::uniform_int_distribution<int> prozent(0, 99);
    std::uniform_int_distribution<int> zahl(1, 12); // few numbers: many recurrences
    std::uniform_int_distribution<int> woche(1, 4);
    Serie serie;
    int jahr = 2000;
    for (int i = 0; i < zeilen; ++i) {
        Ziehung z;
        jahr += 1;
        z.Jahr = jahr;
        const int p = prozent(gen);
        z.Woche = p < 3 ? 0 : p < 6 ? 60 : p < 8 ? -2 : woche(gen);
        if (prozent(gen) >= 15) {
            for (int& v : z.Zahl) v = zahl(gen);
            if (prozent(gen) < 10) z.Zahl[prozent(gen) % 6] = 0;
            if (prozent(gen) < 10) z.Zahl[prozent(gen) % 6] = 50 + prozent(gen);
            if (prozent(gen) < 5) z.Zahl[prozent(gen) % 6] = -7;
        }
        serie.push_back(z);
    }
    return serie;
}

} // namespace

TEST(Ziehungsmerkmale, FirstDrawAndADrawRepeatingAllSixNumbers) {
    const Serie serie{
        {2020, 5, {}},                    // no results: no value
        {2020, 6, {3, 4, 5, 20, 22, 40}}, // first draw
        {2020, 7, {3, 4, 5, 20, 22, 40}}, // all six in the draw before
        {2021, 6, {3, 4, 5, 20, 22, 40}}, // and in the same week of the year before
        {2021, 7, {1, 2, 3, 4, 5, 6}},    // after the last processed row
    };
    const Merkmalsliste liste = Ziehungsmerkmale_berechnen(serie, 2021, 6);
    ASSERT_EQ(liste.size(), 4u);
    EXPECT_FALSE(liste[0].has_value());

    const Ziehungsmerkmale& erste = *liste[1];
    EXPECT_EQ(erste.EZDVFS, 3);
    EXPECT_EQ(erste.Summe, 94);
    EXPECT_EQ(erste.G_U, 4);
    EXPECT_EQ(erste.Ziehung_Wo, kSieben);
    EXPECT_EQ(erste.Ziehung_Ja, kSieben);
    EXPECT_EQ(erste.Summe_Wo, 0);

    EXPECT_EQ(liste[2]->Ziehung_Wo, kSechs);
    EXPECT_EQ(liste[2]->Ziehung_Ja, kSieben); // no week 7 before
    EXPECT_EQ(liste[2]->Summe_Wo, 0);

    EXPECT_EQ(liste[3]->Ziehung_Wo, kSechs);
    EXPECT_EQ(liste[3]->Ziehung_Ja, kSechs);

    erwarte_gleich(liste, Ziehungsmerkmale_nachzaehlen(serie, 3));
    EXPECT_TRUE(Ziehungsmerkmale_berechnen(Serie{}, 2021, 6).empty());
    EXPECT_TRUE(Ziehungsmerkmale_berechnen(serie, 2019, 1).empty());
}

TEST(Ziehungsmerkmale, PartlyRepeatedAndNeverDrawnNumbers) {
    const Serie serie{
        {2020, 1, {1, 2, 3, 4, 5, 6}},       {2020, 2, {7, 8, 9, 10, 11, 12}},
        {2020, 3, {13, 14, 15, 16, 17, 18}}, {2020, 4, {1, 7, 13, 14, 19, 20}},
        {2020, 5, {2, 8, 13, 21, 30, 31}}, // 21, 30, 31 never drawn before: 7 and sum 0
        {2020, 6, {2, 6, 12, 13, 14, 19}},
    };
    const Merkmalsliste liste = Ziehungsmerkmale_berechnen(serie, std::size_t{5});
    EXPECT_EQ(liste[4]->Ziehung_Wo, kSieben);
    EXPECT_EQ(liste[4]->Summe_Wo, 0);
    // Last row: overdue of 2, 6, 12, 13, 14, 19 is 0, 4, 3, 0, 1, 1.
    EXPECT_EQ(liste[5]->Ziehung_Wo, (std::array<int, 7>{2, 4, 4, 5, 6, 6, 6}));
    EXPECT_EQ(liste[5]->Summe_Wo, 9);
    EXPECT_EQ(liste[5]->EZDVFS, 3);
    EXPECT_EQ(liste[5]->G_U, 4);
    erwarte_gleich(liste, Ziehungsmerkmale_nachzaehlen(serie, 5));
}

TEST(Ziehungsmerkmale, OnePassEqualsRecountingOnRandomSeries) {
    std::mt19937 gen(20240611);
    for (int lauf = 0; lauf < 40; ++lauf) {
        const Serie serie = zufallsserie(gen, 1 + lauf * 7);
        SCOPED_TRACE("Lauf " + std::to_string(lauf));
        const std::size_t bis = lauf % 3 == 0 ? serie.size() - 1 : serie.size() / 2;
        erwarte_gleich(Ziehungsmerkmale_berechnen(serie, bis), Ziehungsmerkmale_nachzaehlen(serie, bis));
    }
}

TEST(Ziehungsmerkmale, OnePassEqualsRecountingOnTheHistory) {
    for (int verband : {3, 4, 5}) {
        for (int ziehung : {1, 2}) {
            const Serie serie = Serie_aus_CSV(pyra::historie::ziehungen_csv, verband, ziehung);
            SCOPED_TRACE("Verband " + std::to_string(verband) + " Ziehung " + std::to_string(ziehung));
            ASSERT_GT(serie.size(), 100u);
            const auto schnell = Ziehungsmerkmale_berechnen(serie, serie.size() - 1);
            erwarte_gleich(schnell, Ziehungsmerkmale_nachzaehlen(serie, serie.size() - 1));
            ASSERT_TRUE(schnell.back().has_value());
            EXPECT_NE(schnell.back()->Summe_Wo, 0);
        }
    }
}
