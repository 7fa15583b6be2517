#include "output/spielschein_druck.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace pyra::output;

namespace {

// Records every call; can be told to fail at the n-th drawn text.
class Aufzeichnender_Drucker : public Drucker {
  public:
    std::vector<std::string> ereignisse;
    int breite = 4960; // 11 pixels per unit across
    int hoehe = 7016;  // 11 pixels per unit down
    int fehler_bei_text = -1;

    void Druckauftrag_beginnen() override { ereignisse.push_back("beginnen"); }
    int Seitenbreite() const override { return breite; }
    int Seitenhoehe() const override { return hoehe; }
    void Schrift_setzen(const std::string& name, int groesse) override {
        ereignisse.push_back("schrift " + name + " " + std::to_string(groesse));
    }
    void Text_ausgeben(int x, int y, const std::string& text) override {
        if (fehler_bei_text == 0) throw std::runtime_error("Papierstau");
        --fehler_bei_text;
        ereignisse.push_back(text + "@" + std::to_string(x) + "," + std::to_string(y));
    }
    void Druckauftrag_beenden() override { ereignisse.push_back("beenden"); }
    void Druckauftrag_abbrechen() noexcept override { ereignisse.push_back("abbrechen"); }
};

std::string marke(std::int64_t links, std::int64_t oben) {
    return "x@" + std::to_string(links * 11) + "," + std::to_string(oben * 11);
}

// Row boxes at L(k) = 20 + 30(k-1), O(k) = 10 + 45(k-1); whole spacings 4 across, 5 down,
// so the expected cells follow from plain arithmetic.
Scheinlayout layout_mit_boxen(int boxen) {
    Scheinlayout l;
    for (int k = 0; k < boxen; ++k) {
        l.Reihe_links[k] = 20 + 30 * k;
        l.Reihe_oben[k] = 10 + 45 * k;
    }
    l.Zahl_Abstand_links = 4;
    l.Zahl_Abstand_oben = 5;
    l.Schriftgroesse = 12;
    return l;
}

std::string zelle(int n, int k) {
    return marke(20 + 30 * (k - 1) + 4 * ((n - 1) % 7), 10 + 45 * (k - 1) + 5 * ((n - 1) / 7));
}

// Row r holds r, r+1, …, r+5 (kept inside 1 … 49).
std::vector<Tippreihe> reihen(int anzahl) {
    std::vector<Tippreihe> rs;
    for (int r = 1; r <= anzahl; ++r) {
        Tippreihe t;
        t.Reihe = r;
        for (int j = 0; j < 6; ++j) t.Tipp_Zahl[j] = (r - 1) % 44 + 1 + j;
        rs.push_back(t);
    }
    return rs;
}

// Marks of rows von … von+anzahl-1 placed into boxes 1 …
std::vector<std::string> erwartete_marken(const std::vector<Tippreihe>& rs, int von, int anzahl) {
    std::vector<std::string> m;
    for (int k = 1; k <= anzahl; ++k)
        for (const auto& z : rs[von - 1 + k - 1].Tipp_Zahl) m.push_back(zelle(*z, k));
    return m;
}

std::vector<std::string> seite(const std::vector<std::string>& marken) {
    std::vector<std::string> e = {"beginnen", "schrift System 12"};
    e.insert(e.end(), marken.begin(), marken.end());
    e.push_back("beenden");
    return e;
}

} // namespace

TEST(Spielschein_drucken, FullSlipWithTwelveBoxes) {
    const auto l = layout_mit_boxen(12);
    const auto rs = reihen(40);
    const auto bereich = Reihenbereich_setzen(l, 0, rs);
    EXPECT_EQ(bereich.Reihen_pro_Spielschein, 12);
    EXPECT_EQ(bereich.Reihe_von, "   1");
    EXPECT_EQ(bereich.Reihe_bis, "  12");
    EXPECT_TRUE(bereich.Drucken_moeglich);

    Aufzeichnender_Drucker d;
    EXPECT_FALSE(Spielschein_drucken(d, bereich.Reihe_von, bereich.Reihe_bis, rs, l));
    EXPECT_EQ(d.ereignisse, seite(erwartete_marken(rs, 1, 12)));

    // Slip entry 3 covers rows 37 … 48; rows 37 … 40 go into boxes 1 … 4.
    const auto vierter = Reihenbereich_setzen(l, 3, rs);
    EXPECT_EQ(vierter.Reihe_von, "  37");
    EXPECT_EQ(vierter.Reihe_bis, "  48");
    Aufzeichnender_Drucker d2;
    EXPECT_FALSE(Spielschein_drucken(d2, vierter.Reihe_von, vierter.Reihe_bis, rs, l));
    EXPECT_EQ(d2.ereignisse, seite(erwartete_marken(rs, 37, 4)));
}

TEST(Spielschein_drucken, ALastShortSlipStopsAtTheEndOfTheTable) {
    const auto l = layout_mit_boxen(12);
    const auto rs = reihen(30);
    const auto bereich = Reihenbereich_setzen(l, 2, rs); // rows 25 … 36, only 25 … 30 exist
    Aufzeichnender_Drucker d;
    EXPECT_FALSE(Spielschein_drucken(d, bereich.Reihe_von, bereich.Reihe_bis, rs, l));
    EXPECT_EQ(d.ereignisse, seite(erwartete_marken(rs, 25, 6)));

    EXPECT_FALSE(Reihenbereich_setzen(l, 3, rs).Drucken_moeglich); // rows 37 … do not exist
}

TEST(Spielschein_drucken, TheRangeLengthDecidesTheRows) {
    const auto l = layout_mit_boxen(12);
    const auto rs = reihen(400);
    struct Fall {
        const char* von;
        const char* bis;
        int erste, anzahl;
    };
    const Fall faelle[] = {
        {"   1", "   3", 1, 3},  // lowered bis: fewer rows
        {"  13", "  14", 13, 2}, // always starting in box 1
        {"   1", " 300", 1, 12}, // longer than the slip: only its 12 boxes, no 8-bit wrap (300 → 44)
        {"   1", " 257", 1, 12}, // would wrap to 1
        {"  10", "   5", 10, 0}, // reversed: no rows, the page still goes out
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.von) + " … " + f.bis);
        Aufzeichnender_Drucker d;
        EXPECT_FALSE(Spielschein_drucken(d, f.von, f.bis, rs, l));
        EXPECT_EQ(d.ereignisse, seite(erwartete_marken(rs, f.erste, f.anzahl)));
    }
}

TEST(Spielschein_drucken, BoxesAreCountedNotListed) {
    // Boxes 1 and 3 set, box 2 empty: two boxes, the second row goes to box 2 at the page edge.
    Scheinlayout l = layout_mit_boxen(3);
    l.Reihe_links[1] = 0;
    l.Reihe_oben[1] = 0;
    const auto rs = reihen(5);
    Aufzeichnender_Drucker d;
    EXPECT_FALSE(Spielschein_drucken(d, "   1", "   2", rs, l));
    std::vector<std::string> marken = erwartete_marken(rs, 1, 1);
    for (const auto& z : rs[1].Tipp_Zahl) marken.push_back(marke(4 * ((*z - 1) % 7), 5 * ((*z - 1) / 7)));
    EXPECT_EQ(d.ereignisse, seite(marken));
}

TEST(Spielschein_drucken, EmptyAndInvalidNumbersGetNoMark) {
    const auto l = layout_mit_boxen(12);
    std::vector<Tippreihe> rs(2);
    rs[0].Reihe = 1;
    rs[0].Tipp_Zahl = {3, std::nullopt, 17, 0, 50, 49};
    rs[1].Reihe = 2;
    rs[1].Tipp_Zahl = {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 8};
    Aufzeichnender_Drucker d;
    EXPECT_FALSE(Spielschein_drucken(d, "1", "2", rs, l));
    EXPECT_EQ(d.ereignisse, seite({zelle(3, 1), zelle(17, 1), zelle(49, 1), zelle(8, 2)}));
    // A first row without Tipp_Zahl_1 cannot be printed from the dialog.
    EXPECT_FALSE(Reihenbereich_setzen(l, 0, {rs[1]}).Drucken_moeglich);
}

TEST(Spielschein_drucken, TickBoxesAreMarkedWhereTheyHaveAPosition) {
    struct Fall {
        std::optional<int> s77_l, s77_o, s6_l, s6_o, ms_l, ms_o;
        std::vector<std::string> marken;
    };
    const Fall faelle[] = {
        {{}, {}, {}, {}, {}, {}, {}},
        {100, 200, 110, 200, 120, 210, {marke(100, 200), marke(110, 200), marke(120, 210)}},
        {0, 0, {}, 5, 5, -1, {marke(0, 0)}}, // 0 is a position; empty or negative is none
        {-2, 10, 7, {}, 30, 40, {marke(30, 40)}},
    };
    Scheinlayout l = layout_mit_boxen(12);
    for (const auto& f : faelle) {
        l.Super_77_links = f.s77_l;
        l.Super_77_oben = f.s77_o;
        l.Super_6_links = f.s6_l;
        l.Super_6_oben = f.s6_o;
        l.MiSa_links = f.ms_l;
        l.MiSa_oben = f.ms_o;
        Aufzeichnender_Drucker d;
        // A range without rows leaves only the tick boxes on the page.
        EXPECT_FALSE(Spielschein_drucken(d, "100", "100", reihen(3), l));
        EXPECT_EQ(d.ereignisse, seite(f.marken));
    }
}

TEST(Spielschein_drucken, TwoClicksGiveTwoEqualPages) {
    Scheinlayout l = layout_mit_boxen(4);
    l.MiSa_links = 400;
    l.MiSa_oben = 580;
    const auto rs = reihen(8);
    Aufzeichnender_Drucker d;
    EXPECT_FALSE(Spielschein_drucken(d, "   5", "   8", rs, l));
    const auto erste = d.ereignisse;
    EXPECT_FALSE(Spielschein_drucken(d, "   5", "   8", rs, l));
    ASSERT_EQ(d.ereignisse.size(), 2 * erste.size());
    EXPECT_TRUE(std::equal(erste.begin(), erste.end(), d.ereignisse.begin() + erste.size()));
}

TEST(Spielschein_drucken, NoNumberInTheRangeStartsNoJob) {
    const auto l = layout_mit_boxen(12);
    for (const auto& [von, bis] : std::vector<std::pair<std::string, std::string>>{
             {"", "  12"}, {"   1", ""}, {"eins", "12"}, {"1", "12a"}}) {
        Aufzeichnender_Drucker d;
        EXPECT_EQ(Spielschein_drucken(d, von, bis, reihen(12), l), "Bitte Anzahl der Reihen eingeben!");
        EXPECT_TRUE(d.ereignisse.empty());
    }
}

TEST(Spielschein_drucken, AnErrorAfterTheStartCancelsTheJob) {
    const auto l = layout_mit_boxen(12);
    const auto rs = reihen(12);
    Aufzeichnender_Drucker d;
    d.fehler_bei_text = 2;
    // The printer's reason is told; "Bitte Anzahl der Reihen eingeben!" stays for a bad range.
    EXPECT_EQ(Spielschein_drucken(d, "1", "12", rs, l), "Der Spielschein wurde nicht gedruckt: Papierstau");
    const auto m = erwartete_marken(rs, 1, 1);
    EXPECT_EQ(d.ereignisse,
              (std::vector<std::string>{"beginnen", "schrift System 12", m[0], m[1], "abbrechen"}));
}
