#pragma once

// A small main database made for one test: empty schema, the Lotto record of association 3, the
// Wahl record of a chosen selection and draws inserted with plain SQL; then the data module opens
// it and runs the selection refresh, as the batch companion does.

#include "common/tempdir.h"
#include "common/testdialog.h"
#include "data/datamodule.h"
#include "stats/serie.h"
#include "store/store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <optional>
#include <string>

namespace pyra::test {

class Speicher : public ::testing::Test {
  protected:
    TempDir tmp;
    data::Globale_Zustaende g;
    data::Fensterzustand fenster;
    Testdialog dialog;
    std::unique_ptr<data::DataModule_Lotto> dm;

    void SetUp() override { store::Database::createFile(pfad(), store::mainSchema()); }

    std::string pfad() const { return tmp.file("Datenbank_Lotto.tdbd"); }

    // Runs SQL on the file through a connection of its own.
    void sql(const std::string& text) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(pfad().c_str(), &db), SQLITE_OK);
        char* fehler = nullptr;
        const int rc = sqlite3_exec(db, text.c_str(), nullptr, nullptr, &fehler);
        const std::string meldung = fehler ? fehler : "";
        sqlite3_free(fehler);
        sqlite3_close(db);
        ASSERT_EQ(rc, SQLITE_OK) << meldung << "\n" << text;
    }

    // The first column of the first row, empty when the value is null or there is no row.
    std::optional<double> wert(const std::string& text) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(pfad().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        std::optional<double> v;
        if (sqlite3_prepare_v2(db, text.c_str(), -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW && sqlite3_column_type(st, 0) != SQLITE_NULL)
            v = sqlite3_column_double(st, 0);
        sqlite3_finalize(st);
        sqlite3_close(db);
        return v;
    }

    void lotto(int zahlen_bis) {
        sql("INSERT INTO Lotto (ID_Verband, Zahlen_bis) VALUES (3, " + std::to_string(zahlen_bis) + ")");
    }

    void wahl(int jahr, int woche) {
        sql("INSERT INTO Wahl (ID_Verband, Jahr_aktuell, Woche_aktuell, ID_Ziehung, ID_Tendenz, "
            "ID_Allgorithmus) "
            "VALUES (3, " +
            std::to_string(jahr) + ", " + std::to_string(woche) + ", 1, 0, 0)");
    }

    // A Saturday draw of association 3; all zeros: a row without results.
    void ziehung(int jahr, int woche, const stats::Sechs& z) {
        std::string werte;
        for (int v : z) werte += ", " + (z[0] == 0 ? std::string("NULL") : std::to_string(v));
        sql("INSERT INTO Zahlen (ID_Verband, ID_Ziehung, Jahr, Woche, AB, Zahl_01, Zahl_02, Zahl_03, "
            "Zahl_04, "
            "Zahl_05, Zahl_06) VALUES (3, 1, " +
            std::to_string(jahr) + ", " + std::to_string(woche) + ", 1" + werte + ")");
    }

    void oeffnen() {
        g.Programmverzeichnis = tmp.dir();
        g.Reihen_loeschen_erlaubt = true;
        g.Leerlauf_fertig = true;
        dm = std::make_unique<data::DataModule_Lotto>(g, fenster, dialog);
        dm->Datenbank_Open();
        dm->DataSource_WocheDataChange();
    }

    void waehle(int jahr, int woche) {
        dm->Table_Wahl.Edit();
        dm->Table_Wahl.FieldByName("Jahr_aktuell").SetInteger(jahr);
        dm->Table_Wahl.FieldByName("Woche_aktuell").SetInteger(woche);
        dm->Auswahl_uebernehmen();
    }

    // A field of the Zahl_Daten row of a number in the selection (jahr, woche).
    std::optional<double> zahl_daten(int jahr, int woche, int zahl, const std::string& feld) {
        return wert(
            "SELECT " + feld +
            " FROM Zahl_Daten WHERE ID_Verband = 3 AND ID_Ziehung = 1 AND Jahr = " + std::to_string(jahr) +
            " AND Woche = " + std::to_string(woche) + " AND Zahl = " + std::to_string(zahl));
    }
};

} // namespace pyra::test
