#include "data/datamodule.h"

#include <algorithm>
#include <cstdio>

namespace pyra::data {

using store::DataEvent;
using store::DataSet;
using store::DataSource;
using store::Field;
using store::Table;
using store::Value;

std::string Feldname(const std::string& vorsilbe, int nummer) {
    return vorsilbe + (nummer >= 0 && nummer < 10 ? "0" : "") + std::to_string(nummer);
}

std::string Prozent_Text(double wert) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", wert);
    std::string s = buf;
    for (char& c : s)
        if (c == '.') c = Dezimaltrennzeichen();
    return s + "%";
}

DataModule_Lotto::DataModule_Lotto(Globale_Zustaende& g, Fensterzustand& f, Benutzerdialog& d)
    : globals(g), fenster(f), dialog(d) {
    const std::string sel4 = "ID_Verband;Jahr_aktuell;Woche_Aktuell;ID_Ziehung";
    const std::string det4 = "ID_Verband;Jahr;Woche;ID_Ziehung";
    Table_Lotto.SetMaster(&DataSource_Wahl, "ID_Verband", "ID_Verband");
    Table_Zahlen.SetMaster(&DataSource_Wahl, "ID_Verband;ID_Ziehung", "ID_Verband;ID_Ziehung");
    Table_Gewinn.SetMaster(&DataSource_Zahlen, det4, det4);
    Table_Zahl_Daten.SetMaster(&DataSource_Wahl, sel4, det4);
    Table_Reihen.SetMaster(&DataSource_Wahl,
                           "ID_Verband;Jahr_aktuell;Woche_aktuell;ID_Ziehung;ID_Tendenz;ID_Allgorithmus",
                           "ID_Verband;Jahr;Woche;ID_Ziehung;ID_Tendenz;ID_Allgorithmus");
    Table_Ziehung_Wo_z.SetMaster(&DataSource_Wahl, "ID_Verband;ID_Ziehung", "ID_Verband;ID_Ziehung");
    Table_Ziehung_Ja_z.SetMaster(&DataSource_Wahl, "ID_Verband;ID_Ziehung", "ID_Verband;ID_Ziehung");
    Table_Summe_Ru.SetMaster(&DataSource_Wahl, "ID_Verband;ID_Ziehung", "ID_Verband;ID_Ziehung");
    Table_Optionen.SetMaster(&DataSource_Wahl, sel4, det4);
    Table_Optionen_2.SetMaster(&DataSource_Wahl, sel4, det4);
    Table_Zahlentipp.SetMaster(&DataSource_Wahl, sel4, det4);

    Table_Verband.Filtered = true;
    Table_Verband.OnFilterRecord = [this](DataSet& ds) { return Table_VerbandFilterRecord(ds); };
    Table_Zahlen.BeforePost = [this](Table& t) { Table_ZahlenBeforePost(t); };
    Table_Gewinn.OnCalcFields = [this](DataSet& ds) { Table_GewinnCalcFields(ds); };
    Table_Gewinn_2.OnCalcFields = [this](DataSet& ds) { Table_GewinnCalcFields(ds); };
    Table_Zahl_Daten.OnCalcFields = [this](DataSet& ds) { Table_Zahl_DatenCalcFields(ds); };
    Table_Gw_Erwartung.OnCalcFields = [this](DataSet& ds) { Table_Gw_ErwartungCalcFields(ds); };

    auto refresh = [this](DataSource&, DataEvent e, const Field*) {
        if (e != DataEvent::Closed) DataSource_WocheDataChange();
    };
    DataSource_Woche.OnDataChange = refresh;
    DataSource_Jahr.OnDataChange = refresh;
    DataSource_Ziehung.OnDataChange = refresh;
    DataSource_Verband.OnDataChange = [this](DataSource&, DataEvent e, const Field*) {
        if (e != DataEvent::Closed) DataSource_VerbandDataChange();
    };
    DataSource_Optionen.OnUpdateData = [this](DataSource&) { DataSource_OptionenUpdateData(); };
    // DataSource_Optionen_2UpdateData only forwards to the row emptying.
    DataSource_Optionen_2.OnUpdateData = [this](DataSource&) { DataSource_OptionenUpdateData(); };
}

DataModule_Lotto::~DataModule_Lotto() {
    try {
        Datenbank_Close();
        TdbDatabase_Lotto.SetConnected(false);
        TdbDatabase_Lotto_Update.SetConnected(false);
    } catch (...) {
        // Nothing can be reported here; every post has been written already.
    }
}

std::string DataModule_Lotto::Datenbankpfad() const {
    return globals.Programmverzeichnis + "Datenbank_Lotto.tdbd";
}

std::string DataModule_Lotto::Updatepfad() const {
    return globals.Programmverzeichnis + "Datenbank_Lotto_Update.tdbd";
}

int DataModule_Lotto::Wahl(const std::string& feld) {
    return static_cast<int>(Table_Wahl.FieldByName(feld).AsInteger());
}

int DataModule_Lotto::Zahlen_bis() {
    if (!Table_Lotto.Active() || Table_Lotto.RecordCount() == 0) return 0;
    return static_cast<int>(Table_Lotto.FieldByName("Zahlen_bis").AsInteger());
}

void DataModule_Lotto::Datenbank_Open() {
    TdbDatabase_Lotto.SetConnected(false);
    TdbDatabase_Lotto.SetLocation(Datenbankpfad());
    TdbDatabase_Lotto.SetConnected(true);
    TdbDatabase_Lotto.RefreshDataSets();
    for (Table* t :
         {&Table_Wahl, &Table_Verband, &Table_Woche, &Table_Jahr, &Table_Lotto, &Table_Ziehung, &Table_Zahlen,
          &Table_Gewinn, &Table_Zahl_Daten, &Table_Reihen, &Table_Ziehung_Wo_z, &Table_Ziehung_Ja_z,
          &Table_Summe_Ru, &Table_Gw_Erwartung, &Table_Optionen, &Table_Optionen_2, &Table_Zahlentipp})
        t->Open();
    if (Table_Wahl.RecordCount() == 0)
        throw store::StoreError("Die Tabelle 'Wahl' der Datenbank '" + Datenbankpfad() + "' ist leer.");
}

void DataModule_Lotto::Datenbank_Close() {
    for (Table* t :
         {&Table_Wahl, &Table_Verband, &Table_Woche, &Table_Jahr, &Table_Ziehung, &Table_Lotto, &Table_Zahlen,
          &Table_Gewinn, &Table_Zahl_Daten, &Table_Reihen, &Table_Ziehung_Wo_z, &Table_Ziehung_Ja_z,
          &Table_Summe_Ru, &Table_Gw_Erwartung, &Table_Optionen, &Table_Optionen_2, &Table_Zahlentipp})
        if (t->Active()) t->Close();
    if (Query_Zahlen.Active()) Query_Zahlen.Close();
    if (Query_Reihen.Active()) Query_Reihen.Close();
    if (Table_Zahlen_2.Active()) Table_Zahlen_2.Close();
    for (Table* t : {&Table_Gewinn_2, &Table_Zahlen_Update, &Table_Gewinn_Update})
        if (t->Active()) t->Close();
}

void DataModule_Lotto::DataSource_WocheDataChange() {
    globals.Statistik_neu_berechnen = true;
    if (!Table_Wahl.Active() || !Table_Zahlen.Active()) return;
    const int verband = Wahl("ID_Verband");
    const int jahr = Wahl("Jahr_aktuell");
    const int woche = Wahl("Woche_aktuell");
    const int ziehung = Wahl("ID_Ziehung");

    if (!Table_Zahlen.Locate("Jahr;Woche", {jahr, woche}))
        Table_Zahlen.AppendRecord({verband, ziehung, jahr, woche, 1});

    if (!Table_Zahl_Daten.Active()) return;
    // The statistics know the numbers 1..49 only. A damaged settings record with a larger range
    // must not make the program append thousands of records for every week it shows.
    const int n = std::min(Zahlen_bis(), 49);
    if (Table_Zahl_Daten.RecordCount() < n) {
        // The week's number records arrive in one commit: all or none, and one write instead of
        // up to 49.
        try {
            store::Database::Transaction tx(TdbDatabase_Lotto);
            for (int i = 1; i <= n; ++i)
                if (!Table_Zahl_Daten.Locate("Zahl", {i}))
                    Table_Zahl_Daten.AppendRecord({verband, jahr, woche, ziehung, i});
            tx.Commit();
        } catch (...) {
            // The cursor still lists the records that were rolled back.
            Table_Zahl_Daten.Refresh();
            throw;
        }
    }
    Table_Zahl_Daten.First();

    if (!Table_Optionen.Active()) return;
    if (Table_Optionen.RecordCount() == 0) {
        std::vector<Value> v = {verband, jahr, woche, ziehung};
        for (int i = 1; i <= 49; ++i) v.emplace_back("f");
        Table_Optionen.AppendRecord(v);
    }
    Table_Optionen.Refresh();

    if (!Table_Optionen_2.Active()) return;
    if (Table_Optionen_2.RecordCount() == 0) {
        Table_Optionen_2.AppendRecord({verband, jahr, woche, ziehung, 0,   0,   0,   "t", "t", "t", "t", 5, 6,
                                       6,       6,    21,    279,     "t", "t", "t", "t", "t", "t", "t"});
    }
    Table_Optionen_2.Refresh();

    if (System_mit_Reihen())
        Sperren();
    else
        Entsperren();
}

bool DataModule_Lotto::System_mit_Reihen() {
    return Table_Reihen.Active() && Table_Reihen.RecordCount() > 0 &&
           Table_Reihen.FieldByName("Tipp_Zahl_1").AsInteger() > 0;
}

void DataModule_Lotto::DataSource_VerbandDataChange() {
    if (!Table_Lotto.Active()) return;
    if (Table_Lotto.RecordCount() == 0) Table_Lotto.AppendRecord({Wahl("ID_Verband")});
    DataSource_WocheDataChange();
}

bool DataModule_Lotto::Table_VerbandFilterRecord(DataSet& ds) {
    auto id = ds.FieldByName("ID_Verband").AsInteger();
    return id >= 3 && id <= 6;
}

void DataModule_Lotto::Table_ZahlenBeforePost(Table& t) {
    t.FieldByName("AB").SetInteger(1);
}

void DataModule_Lotto::Table_GewinnCalcFields(DataSet& ds) {
    ds.FieldByName("Mal").SetString(ds.FieldByName("Anzahl").IsNull() ? "" : "x");
}

void DataModule_Lotto::Table_Zahl_DatenCalcFields(DataSet& ds) {
    double w = ds.FieldByName("Wahrscheinlichkeit").AsFloat();
    ds.FieldByName("Wahrscheinlichkeit_Str").SetString(w > 0 ? Prozent_Text(w) : "");
}

void DataModule_Lotto::Table_Gw_ErwartungCalcFields(DataSet& ds) {
    static const char* suffix[] = {"3_3", "3_4", "3_5", "3_6", "4_4", "4_5", "4_6", "5_5", "5_6"};
    for (auto* s : suffix)
        ds.FieldByName(std::string("Gw_") + s + "_Str")
            .SetString(Prozent_Text(ds.FieldByName(std::string("Gw_") + s).AsFloat()));
}

void DataModule_Lotto::DataSource_OptionenUpdateData() {
    if (!globals.Reihen_loeschen_erlaubt || globals.Start_Ende_aktiv) return;
    if (!Table_Reihen.Active() || Table_Reihen.RecordCount() == 0) return;
    if (Table_Reihen.FieldByName("Tipp_Zahl_1").AsInteger() <= 0) return;
    Table_Reihen.DisableControls();
    try {
        // All rows in one commit: a kill or a full disk must not leave some rows filled behind
        // emptied ones, where the week would no longer count as having a system.
        store::Database::Transaction tx(TdbDatabase_Lotto);
        Table_Reihen.First();
        std::vector<Value> v(7, Value::keep());
        v.resize(15, Value::null());
        while (!Table_Reihen.Eof()) {
            Table_Reihen.Edit();
            Table_Reihen.SetFields(v);
            Table_Reihen.Post();
            Table_Reihen.Next();
        }
        tx.Commit();
    } catch (...) {
        Table_Reihen.Cancel();
        Table_Reihen.Refresh(); // the cursor shows again what the file holds
        Table_Reihen.EnableControls();
        throw;
    }
    Table_Reihen.EnableControls();
    Table_Reihen.First();
    Table_Reihen.Refresh();
    fenster.Reihen_Gesamt_anzeigen("0");
}

void DataModule_Lotto::Oeffne_Query_Zahlen() {
    Table_Zahlen.PostIfEditing();
    if (Query_Zahlen.Active()) Query_Zahlen.Close();
    Query_Zahlen.ParamByName("ID_Verband") = Wahl("ID_Verband");
    Query_Zahlen.ParamByName("ID_Ziehung") = Wahl("ID_Ziehung");
    Query_Zahlen.Open();
}

void DataModule_Lotto::Oeffne_Query_Reihen() {
    Table_Reihen.PostIfEditing();
    if (Query_Reihen.Active()) Query_Reihen.Close();
    Query_Reihen.ParamByName("ID_Verband") = Wahl("ID_Verband");
    Query_Reihen.ParamByName("Jahr") = Wahl("Jahr_aktuell");
    Query_Reihen.ParamByName("Woche") = Wahl("Woche_aktuell");
    Query_Reihen.ParamByName("ID_Ziehung") = Wahl("ID_Ziehung");
    Query_Reihen.ParamByName("ID_Tendenz") = Wahl("ID_Tendenz");
    Query_Reihen.ParamByName("ID_Allgorithmus") = Wahl("ID_Allgorithmus");
    Query_Reihen.Open();
}

void DataModule_Lotto::Jahr_sicherstellen(int jahr) {
    if (!Table_Jahr.Active() || jahr < 1 || jahr > 9999) return;
    if (Table_Jahr.Locate("ID_Jahr", {jahr})) return;
    Table_Jahr.AppendRecord({jahr, std::to_string(jahr)});
}

void DataModule_Lotto::Startsequenz(const Datum& heute) {
    globals.Start_Ende_aktiv = true;
    globals.Reihen_loeschen_erlaubt = true;
    Datenbank_Open();
    // The play week's year is the ISO week-numbering year: with the calendar year the draws of
    // 1 January and 31 December of one year could share a key.
    Spielwoche sw = ISO_Woche(heute);
    Jahr_sicherstellen(sw.jahr);
    Table_Wahl.Edit();
    Table_Wahl.FieldByName("Jahr_aktuell").SetInteger(sw.jahr);
    Table_Wahl.FieldByName("Woche_aktuell").SetInteger(sw.woche);
    Table_Wahl.FieldByName("ID_Ziehung").SetInteger(Ziehung_zum_Wochentag(heute));
    Table_Wahl.Post();
    DataSource_WocheDataChange();
    fenster.Reihengitter_binden(Table_Reihen.RecordCount() > 0);
    globals.Start_Ende_aktiv = false;
    globals.Leerlauf_fertig = true;
}

void DataModule_Lotto::Auswahl_uebernehmen() {
    globals.Reihen_loeschen_erlaubt = false;
    try {
        Table_Wahl.PostIfEditing();
        DataSource_WocheDataChange();
        fenster.Reihengitter_binden(Table_Reihen.RecordCount() > 0);
    } catch (...) {
        globals.Reihen_loeschen_erlaubt = true;
        throw;
    }
    globals.Reihen_loeschen_erlaubt = true;
}

void DataModule_Lotto::Schliessen() {
    globals.Start_Ende_aktiv = true;
    globals.Reihen_loeschen_erlaubt = false;
    if (!Table_Wahl.Active()) return;
    Table_Wahl.Edit();
    Table_Wahl.FieldByName("Woche_Export").SetInteger(1);
    Table_Wahl.Post();
}

void DataModule_Lotto::Optionen_Lotto(bool enabled) {
    fenster.Optionen_Lotto(enabled);
    bool filled = Table_Reihen.Active() && Table_Reihen.FieldByName("Tipp_Zahl_1").AsInteger() >= 1;
    fenster.Reihen_Gesamt_anzeigen(filled ? std::to_string(Table_Reihen.RecordCount()) : "0");
}

void DataModule_Lotto::Sperren() {
    Optionen_Lotto(false);
    fenster.Optionen_Kuerzung(false);
    fenster.Optionen_Analyse(false);
    fenster.CheckBox_System_setzen(true);
}

void DataModule_Lotto::Entsperren() {
    Optionen_Lotto(true);
    fenster.Optionen_Kuerzung(true);
    fenster.Optionen_Analyse(true);
    fenster.CheckBox_System_setzen(false);
}

void DataModule_Lotto::CheckBox_SystemClick(bool checked) {
    if (checked)
        Sperren();
    else
        Entsperren();
}

} // namespace pyra::data
