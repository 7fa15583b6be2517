#pragma once

// A program directory with the default database and a started data module, for the tests of
// the maintenance operations. The main database is also readable directly with SQL.

#include "common/sql_text.h"
#include "common/tempdir.h"
#include "common/testdialog.h"
#include "data/datamodule.h"
#include "data/standarddatenbank.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <string>

namespace pyra::test {

// Records the hourglass as well.
class Wartungsdialog : public Testdialog {
  public:
    void Warten_anzeigen(bool an) override { sanduhr.push_back(an); }
    std::vector<bool> sanduhr;
};

inline void sql_ausfuehren(const std::string& datei, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(datei.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
              SQLITE_OK);
    char* fehler = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &fehler);
    std::string text = fehler ? fehler : "";
    sqlite3_free(fehler);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << text;
}

class Lotto_Umgebung : public ::testing::Test {
  protected:
    TempDir tmp;
    data::Globale_Zustaende g;
    data::Fensterzustand fenster;
    Wartungsdialog dialog;
    std::unique_ptr<data::DataModule_Lotto> dm;

    void SetUp() override {
        data::Standarddatenbank_anlegen(tmp.dir(), {2026, 12, 10});
        g.Programmverzeichnis = tmp.dir();
        dm = std::make_unique<data::DataModule_Lotto>(g, fenster, dialog);
        dm->Startsequenz({2026, 12, 10});
    }

    std::string hauptdatei() const { return tmp.file("Datenbank_Lotto.tdbd"); }
    std::string abfrage(const std::string& sql) const { return sql_text(hauptdatei(), sql); }
    // Every row of Zahlen and Gewinn, to see that nothing changed.
    std::string haupttabellen() const {
        return abfrage("SELECT * FROM Zahlen ORDER BY ID_Verband, ID_Ziehung, Jahr, Woche, AB") +
               abfrage("SELECT * FROM Gewinn ORDER BY ID_Verband, Jahr, Woche, ID_Ziehung, Rang");
    }
};

} // namespace pyra::test
