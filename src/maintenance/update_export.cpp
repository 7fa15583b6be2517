#include "maintenance/update_export.h"

#include "data/standarddatenbank.h"

namespace pyra::maintenance {

using store::Table;
using store::Value;

namespace {

void schliessen(Table& t) {
    if (t.Active()) t.Close();
}

} // namespace

Exportergebnis Export_durchfuehren(data::DataModule_Lotto& dm) {
    auto& db = dm.TdbDatabase_Lotto_Update;
    db.SetConnected(false);
    db.SetLocation(dm.Updatepfad());
    data::Updatedatenbank_anlegen(dm.Updatepfad());
    db.SetConnected(true);
    db.RefreshDataSets();

    const int ab_jahr = dm.Wahl("Jahr_Export");
    Exportergebnis e;
    auto& zu = dm.Table_Zahlen_Update;
    auto& z2 = dm.Table_Zahlen_2;
    auto& gu = dm.Table_Gewinn_Update;
    auto& g2 = dm.Table_Gewinn_2;
    try {
        store::Database::Transaction tx(db);
        schliessen(zu);
        zu.EmptyTable();
        zu.Open();
        schliessen(z2);
        z2.Open();
        const int n = z2.definition().storedFieldCount();
        for (z2.First(); !z2.Eof(); z2.Next()) {
            if (z2.FieldByName("Jahr").AsInteger() < ab_jahr || z2.FieldByName("Zahl_01").IsNull()) continue;
            std::vector<Value> v;
            v.reserve(n);
            // An empty field stays empty: a 0 would be merged as a value elsewhere.
            for (int i = 0; i < n; ++i) {
                const store::Field f = z2.Fields(i);
                v.emplace_back(f.IsNull() ? Value() : Value(static_cast<long long>(f.AsInteger())));
            }
            zu.AppendRecord(v);
            ++e.ziehungen;
        }
        schliessen(gu);
        gu.EmptyTable();
        gu.Open();
        schliessen(g2);
        g2.Open();
        for (g2.First(); !g2.Eof(); g2.Next()) {
            if (g2.FieldByName("Jahr").AsInteger() < ab_jahr) continue;
            std::vector<Value> v;
            for (auto* f : {"ID_Verband", "Jahr", "Woche", "ID_Ziehung", "Rang"})
                v.emplace_back(static_cast<long long>(g2.FieldByName(f).AsInteger()));
            const store::Field anzahl = g2.FieldByName("Anzahl");
            const store::Field gewinn = g2.FieldByName("Gewinn");
            v.emplace_back(anzahl.IsNull() ? Value() : Value(static_cast<long long>(anzahl.AsInteger())));
            v.emplace_back(gewinn.IsNull() ? Value() : Value(gewinn.AsFloat()));
            gu.AppendRecord(v);
            ++e.quoten;
        }
        tx.Commit();
    } catch (...) {
        // The rows in the cursors' memory were rolled back with the transaction.
        for (Table* t : {&zu, &z2, &gu, &g2}) {
            try {
                schliessen(*t);
            } catch (...) {
            }
        }
        throw;
    }
    // Fold the write-ahead log into the file, so that the exported file can be passed on as it is.
    db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
    return e;
}

std::string Meldung_Export(const Exportergebnis& e, int ab_jahr, const std::string& datei) {
    const std::string ziehungen =
        std::to_string(e.ziehungen) + (e.ziehungen == 1 ? " Ziehung" : " Ziehungen");
    const std::string quoten = std::to_string(e.quoten) + (e.quoten == 1 ? " Gewinnquote" : " Gewinnquoten");
    return ziehungen + " und " + quoten + " ab " + std::to_string(ab_jahr) + " in die Datei " + datei +
           " geschrieben.";
}

void Export_schliessen(data::DataModule_Lotto& dm) {
    for (Table* t :
         {&dm.Table_Zahlen_Update, &dm.Table_Zahlen_2, &dm.Table_Gewinn_Update, &dm.Table_Gewinn_2})
        schliessen(*t);
}

} // namespace pyra::maintenance
