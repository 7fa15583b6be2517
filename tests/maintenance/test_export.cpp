#include "common/datenmodul_umgebung.h"
#include "maintenance/update_export.h"

#include <filesystem>

using namespace pyra;

namespace {

class Export : public test::Datenmodul_Umgebung {
  protected:
    maintenance::Exportergebnis exportieren(int ab_jahr) {
        dm->Table_Wahl.Edit();
        dm->Table_Wahl.FieldByName("Jahr_Export").SetInteger(ab_jahr);
        dm->Table_Wahl.Post();
        return maintenance::Export_durchfuehren(*dm);
    }
    std::string updatedatei() const { return tmp.file("Datenbank_Lotto_Update.tdbd"); }
    std::string update(const std::string& sql) const { return test::sql_text(updatedatei(), sql); }
};

TEST_F(Export, RowsFromTheYearOnAndOnlyDrawsWithResults) {
    // A prize row of a draw without results is exported all the same.
    sql("INSERT INTO Gewinn (ID_Verband, Jahr, Woche, ID_Ziehung, Rang, Anzahl) "
        "VALUES (3, 2026, 50, 1, 1, NULL)");
    auto e = exportieren(2025);
    EXPECT_EQ(std::to_string(e.ziehungen) + "\n",
              abfrage("SELECT count(*) FROM Zahlen WHERE Jahr >= 2025 AND Zahl_01 IS NOT NULL"));
    EXPECT_EQ(std::to_string(e.quoten) + "\n", abfrage("SELECT count(*) FROM Gewinn WHERE Jahr >= 2025"));
    EXPECT_EQ(update("SELECT count(*) FROM Zahlen_Update"), std::to_string(e.ziehungen) + "\n");
    EXPECT_GT(e.ziehungen, 0);
    // The selection's empty draw record of 2026/50 is not exported.
    EXPECT_EQ(abfrage("SELECT count(*) FROM Zahlen WHERE Jahr=2026 AND Woche=50 AND Zahl_01 IS NULL"), "1\n");
    EXPECT_EQ(update("SELECT count(*) FROM Zahlen_Update WHERE Jahr=2026 AND Woche=50"), "0\n");
    EXPECT_EQ(update("SELECT count(*) FROM Zahlen_Update WHERE Jahr < 2025 OR Zahl_01 IS NULL"), "0\n");
    // Empty fields stay empty: a 0 would be merged elsewhere as a value.
    EXPECT_EQ(update("SELECT Anzahl, Gewinn FROM Gewinn_Update WHERE Jahr=2026 AND Woche=50"), "-|-\n");
    EXPECT_EQ(
        update("SELECT count(*) FROM Zahlen_Update WHERE Zusatzzahl IS NULL"),
        abfrage(
            "SELECT count(*) FROM Zahlen WHERE Jahr >= 2025 AND Zahl_01 IS NOT NULL AND Zusatzzahl IS NULL"));
    EXPECT_EQ(
        update(
            "SELECT count(*) FROM Zahlen_Update WHERE Zusatzzahl = 0 OR Superzahl = 0 AND ID_Verband <> 3"),
        "0\n");
    // The same draw in both files.
    EXPECT_EQ(
        update(
            "SELECT Zahl_01, Zahl_06, Zahl_01_g FROM Zahlen_Update WHERE ID_Verband=3 AND ID_Ziehung=1 AND "
            "Jahr=2025 AND Woche=10"),
        abfrage("SELECT Zahl_01, Zahl_06, Zahl_01_g FROM Zahlen WHERE ID_Verband=3 AND ID_Ziehung=1 AND "
                "Jahr=2025 AND Woche=10"));

    // The file stands alone: a copy without its side files holds every row.
    const std::string kopie = tmp.file("kopie.tdbd");
    std::filesystem::copy_file(updatedatei(), kopie);
    EXPECT_EQ(test::sql_text(kopie, "SELECT count(*) FROM Zahlen_Update"),
              std::to_string(e.ziehungen) + "\n");

    // The update tables stay open until the dialog closes.
    EXPECT_TRUE(dm->Table_Zahlen_Update.Active());
    maintenance::Export_schliessen(*dm);
    EXPECT_FALSE(dm->Table_Zahlen_Update.Active());
    EXPECT_FALSE(dm->Table_Zahlen_2.Active());
    EXPECT_FALSE(dm->Table_Gewinn_Update.Active());
    EXPECT_FALSE(dm->Table_Gewinn_2.Active());
}

TEST_F(Export, YearAfterEveryStoredYearLeavesBothTablesEmpty) {
    exportieren(2024);
    ASSERT_NE(update("SELECT count(*) FROM Gewinn_Update"), "0\n");
    auto e = exportieren(2101);
    EXPECT_EQ(e.ziehungen, 0);
    EXPECT_EQ(e.quoten, 0);
    EXPECT_EQ(update("SELECT count(*) FROM Zahlen_Update"), "0\n");
    EXPECT_EQ(update("SELECT count(*) FROM Gewinn_Update"), "0\n");
}

TEST_F(Export, MissingUpdateDatabaseIsCreated) {
    std::filesystem::remove(updatedatei());
    auto e = exportieren(2026);
    EXPECT_GT(e.quoten + e.ziehungen, 0);
    EXPECT_EQ(update("SELECT count(*) FROM Zahlen_Update"), std::to_string(e.ziehungen) + "\n");
}

TEST_F(Export, ErrorLeavesThePreviousExport) {
    exportieren(2025);
    const std::string vorher =
        update("SELECT count(*) FROM Zahlen_Update") + update("SELECT count(*) FROM Gewinn_Update");
    dm->Table_Gewinn_Update.BeforePost = [](store::Table&) {
        throw store::StoreError("Der Datenträger ist voll.");
    };
    EXPECT_THROW(exportieren(2020), store::StoreError);
    dm->Table_Gewinn_Update.BeforePost = nullptr;
    EXPECT_EQ(update("SELECT count(*) FROM Zahlen_Update") + update("SELECT count(*) FROM Gewinn_Update"),
              vorher);
    EXPECT_FALSE(dm->Table_Zahlen_Update.Active());
}

} // namespace
