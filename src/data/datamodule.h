#pragma once

#include "data/benutzerdialog.h"
#include "data/datum.h"
#include "store/store.h"

#include <string>

namespace pyra::data {

// Process-wide state of the main window's module.
struct Globale_Zustaende {
    std::string Programmverzeichnis; // with trailing separator
    bool Statistik_neu_berechnen = false;
    bool Start_Ende_aktiv = false;
    bool Reihen_loeschen_erlaubt = false;
    bool Leerlauf_fertig = false;
};

// The data module: both databases, a cursor and a notification source per table, the two
// queries, the selection refresh and the record-level rules.
class DataModule_Lotto {
  public:
    DataModule_Lotto(Globale_Zustaende& globals, Fensterzustand& fenster, Benutzerdialog& dialog);
    ~DataModule_Lotto();
    DataModule_Lotto(const DataModule_Lotto&) = delete;
    DataModule_Lotto& operator=(const DataModule_Lotto&) = delete;

    Globale_Zustaende& globals;
    Fensterzustand& fenster;
    Benutzerdialog& dialog;

    store::Database TdbDatabase_Lotto{"TdbDatabase_Lotto"};
    store::Database TdbDatabase_Lotto_Update{"TdbDatabase_Lotto_Update"};

    store::Table Table_Wahl{TdbDatabase_Lotto, "Table_Wahl", "Wahl"};
    store::Table Table_Verband{TdbDatabase_Lotto, "Table_Verband", "Verband"};
    store::Table Table_Woche{TdbDatabase_Lotto, "Table_Woche", "Woche"};
    store::Table Table_Jahr{TdbDatabase_Lotto, "Table_Jahr", "Jahr"};
    store::Table Table_Ziehung{TdbDatabase_Lotto, "Table_Ziehung", "Ziehung"};
    store::Table Table_Lotto{TdbDatabase_Lotto, "Table_Lotto", "Lotto"};
    store::Table Table_Zahlen{TdbDatabase_Lotto, "Table_Zahlen", "Zahlen"};
    store::Table Table_Gewinn{TdbDatabase_Lotto, "Table_Gewinn", "Gewinn"};
    store::Table Table_Zahl_Daten{TdbDatabase_Lotto, "Table_Zahl_Daten", "Zahl_Daten"};
    store::Table Table_Reihen{TdbDatabase_Lotto, "Table_Reihen", "Reihen"};
    store::Table Table_Ziehung_Wo_z{TdbDatabase_Lotto, "Table_Ziehung_Wo_z", "Ziehung_Wo_z"};
    store::Table Table_Ziehung_Ja_z{TdbDatabase_Lotto, "Table_Ziehung_Ja_z", "Ziehung_Ja_z"};
    store::Table Table_Summe_Ru{TdbDatabase_Lotto, "Table_Summe_Ru", "Summe_Ru"};
    store::Table Table_Gw_Erwartung{TdbDatabase_Lotto, "Table_Gw_Erwartung", "Gw_Erwartung"};
    store::Table Table_Optionen{TdbDatabase_Lotto, "Table_Optionen", "Optionen"};
    store::Table Table_Optionen_2{TdbDatabase_Lotto, "Table_Optionen_2", "Optionen_2"};
    store::Table Table_Zahlentipp{TdbDatabase_Lotto, "Table_Zahlentipp", "Zahlentipp"};
    store::Table Table_Zahlen_2{TdbDatabase_Lotto, "Table_Zahlen_2", "Zahlen"};
    store::Table Table_Gewinn_2{TdbDatabase_Lotto, "Table_Gewinn_2", "Gewinn"};
    store::Table Table_Zahlen_Update{TdbDatabase_Lotto_Update, "Table_Zahlen_Update", "Zahlen_Update"};
    store::Table Table_Gewinn_Update{TdbDatabase_Lotto_Update, "Table_Gewinn_Update", "Gewinn_Update"};

    store::Query Query_Zahlen{TdbDatabase_Lotto, "Query_Zahlen",
                              "SELECT * FROM Zahlen WHERE ID_Verband = :ID_Verband AND \n"
                              "ID_Ziehung = :ID_Ziehung ORDER BY Jahr, Woche ASC"};
    store::Query Query_Reihen{TdbDatabase_Lotto, "Query_Reihen",
                              "SELECT * FROM Reihen WHERE ID_Verband = :ID_Verband AND \n"
                              "Jahr = :Jahr AND Woche = :Woche AND ID_Ziehung = :ID_Ziehung AND\n"
                              "ID_Tendenz = :ID_Tendenz AND ID_Allgorithmus = :ID_Allgorithmus"};

    store::DataSource DataSource_Wahl{"DataSource_Wahl", &Table_Wahl};
    store::DataSource DataSource_Verband{"DataSource_Verband", &Table_Verband};
    store::DataSource DataSource_Woche{"DataSource_Woche", &Table_Woche};
    store::DataSource DataSource_Jahr{"DataSource_Jahr", &Table_Jahr};
    store::DataSource DataSource_Ziehung{"DataSource_Ziehung", &Table_Ziehung};
    store::DataSource DataSource_Lotto{"DataSource_Lotto", &Table_Lotto};
    store::DataSource DataSource_Zahlen{"DataSource_Zahlen", &Table_Zahlen};
    store::DataSource DataSource_Gewinn{"DataSource_Gewinn", &Table_Gewinn};
    store::DataSource DataSource_Zahl_Daten{"DataSource_Zahl_Daten", &Table_Zahl_Daten};
    store::DataSource DataSource_Reihen{"DataSource_Reihen", &Table_Reihen};
    store::DataSource DataSource_Ziehung_Wo_z{"DataSource_Ziehung_Wo_z", &Table_Ziehung_Wo_z};
    store::DataSource DataSource_Ziehung_Ja_z{"DataSource_Ziehung_Ja_z", &Table_Ziehung_Ja_z};
    store::DataSource DataSource_Summe_Ru{"DataSource_Summe_Ru", &Table_Summe_Ru};
    store::DataSource DataSource_Gw_Erwartung{"DataSource_Gw_Erwartung", &Table_Gw_Erwartung};
    store::DataSource DataSource_Optionen{"DataSource_Optionen", &Table_Optionen};
    store::DataSource DataSource_Optionen_2{"DataSource_Optionen_2", &Table_Optionen_2};
    store::DataSource DataSource_Zahlentipp{"DataSource_Zahlentipp", &Table_Zahlentipp};
    store::DataSource DataSource_Dummy{"DataSource_Dummy", nullptr};

    // Opening and closing.
    void Datenbank_Open();
    void Datenbank_Close();

    // Selection logic.
    void DataSource_WocheDataChange(); // the selection refresh
    void DataSource_VerbandDataChange();
    bool Table_VerbandFilterRecord(store::DataSet& ds);
    void Table_ZahlenBeforePost(store::Table& t);
    void Table_GewinnCalcFields(store::DataSet& ds);
    void Table_Zahl_DatenCalcFields(store::DataSet& ds);
    void Table_Gw_ErwartungCalcFields(store::DataSet& ds);
    void DataSource_OptionenUpdateData(); // the row emptying
    void Oeffne_Query_Zahlen();
    void Oeffne_Query_Reihen();

    // The main window's steps that belong to the selection: start sequence (with today's date),
    // selection commit and close step.
    void Startsequenz(const Datum& heute);
    void Auswahl_uebernehmen();
    void Schliessen();

    // Command enabling and system lock.
    void Optionen_Lotto(bool enabled);
    void Sperren();
    void Entsperren();
    void CheckBox_SystemClick(bool checked);
    // True when the selection holds a system with filled rows.
    bool System_mit_Reihen();

    // Helpers of the data module.
    int Zahlen_bis();                  // Zahlen_bis of the association's Lotto record, null reads 0
    int Wahl(const std::string& feld); // a field of the Wahl record as a number
    std::string Datenbankpfad() const; // Programmverzeichnis + "Datenbank_Lotto.tdbd"
    std::string Updatepfad() const;    // Programmverzeichnis + "Datenbank_Lotto_Update.tdbd"

  private:
    void Jahr_sicherstellen(int jahr);
};

// "12,3%" style text of a percentage: one decimal, the locale's decimal separator.
std::string Prozent_Text(double wert);
// A numbered field name with two digits: Feldname("Checkbox_", 7) = "Checkbox_07".
std::string Feldname(const std::string& vorsilbe, int nummer);

} // namespace pyra::data
