#pragma once

// A program directory with a main database and the data module over it, for the tests of the
// data module and of the operations that run on it. By default the database is the default
// database made for 10 Dec 2026 and the module has run its start sequence; a test that needs a
// small database of its own makes it in its own SetUp. The file is also reachable with SQL.

#include "common/sql.h"
#include "common/tempdir.h"
#include "common/testdialog.h"
#include "data/datamodule.h"
#include "data/standarddatenbank.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace pyra::test {

class Datenmodul_Umgebung : public ::testing::Test {
  protected:
    TempDir tmp;
    data::Globale_Zustaende g;
    data::Fensterzustand fenster;
    Testdialog dialog;
    std::unique_ptr<data::DataModule_Lotto> dm;

    void SetUp() override {
        data::Standarddatenbank_anlegen(tmp.dir(), {2026, 12, 10});
        g.Programmverzeichnis = tmp.dir();
        dm = std::make_unique<data::DataModule_Lotto>(g, fenster, dialog);
        dm->Startsequenz({2026, 12, 10});
    }

    std::string hauptdatei() const { return tmp.file("Datenbank_Lotto.tdbd"); }
    std::string abfrage(const std::string& text) const { return sql_text(hauptdatei(), text); }
    void sql(const std::string& text) { ASSERT_EQ(sql_ausfuehren(hauptdatei(), text), "") << text; }
    // Every row of Zahlen and Gewinn, to see that nothing changed.
    std::string haupttabellen() const {
        return abfrage("SELECT * FROM Zahlen ORDER BY ID_Verband, ID_Ziehung, Jahr, Woche, AB") +
               abfrage("SELECT * FROM Gewinn ORDER BY ID_Verband, Jahr, Woche, ID_Ziehung, Rang");
    }

    // The selection commit on another week of the current association and draw day.
    void waehle(int jahr, int woche) {
        dm->Table_Wahl.Edit();
        dm->Table_Wahl.FieldByName("Jahr_aktuell").SetInteger(jahr);
        dm->Table_Wahl.FieldByName("Woche_aktuell").SetInteger(woche);
        dm->Auswahl_uebernehmen();
    }
};

} // namespace pyra::test
