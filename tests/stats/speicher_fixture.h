#pragma once

// A small main database made for one test: empty schema, the Lotto record of association 3, the
// Wahl record of a chosen selection and draws inserted with plain SQL; then the data module opens
// it and runs the selection refresh, as the batch companion does.

#include "common/datenmodul_umgebung.h"
#include "stats/serie.h"
#include "store/store.h"

#include <optional>
#include <string>

namespace pyra::test {

class Speicher : public Datenmodul_Umgebung {
  protected:
    void SetUp() override { store::Database::createFile(hauptdatei(), store::mainSchema()); }

    std::optional<double> wert(const std::string& text) { return sql_wert(hauptdatei(), text); }

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

    // A field of the Zahl_Daten row of a number in the selection (jahr, woche).
    std::optional<double> zahl_daten(int jahr, int woche, int zahl, const std::string& feld) {
        return wert(
            "SELECT " + feld +
            " FROM Zahl_Daten WHERE ID_Verband = 3 AND ID_Ziehung = 1 AND Jahr = " + std::to_string(jahr) +
            " AND Woche = " + std::to_string(woche) + " AND Zahl = " + std::to_string(zahl));
    }
};

} // namespace pyra::test
