#include "maintenance/aktualisierung.h"

#include "store/statement.h"
#include "store/value.h"

#include <filesystem>
#include <functional>

#ifndef PYRA_UPDATE_HOST
#define PYRA_UPDATE_HOST "localhost"
#endif

namespace pyra::maintenance {

using store::Table;
using store::Value;

namespace {

void schliessen(Table& t) {
    if (t.Active()) t.Close();
}

// Compares the key of the main cursor's current row with the key values of an update row. The
// key fields are the first fields of both tables, in the order of the primary key.
int schluessel_vergleichen(Table& haupt, const std::vector<Value>& werte, size_t anzahl) {
    for (size_t i = 0; i < anzahl; ++i)
        if (int c = store::compareValues(haupt.Fields(static_cast<int>(i)).AsValue(), werte[i])) return c;
    return 0;
}

// Merges every row of the update cursor into the main cursor: a row with the same key is
// overwritten with the values (a Keep value leaves its field as it is), any other row is
// appended. Both cursors are ordered by their primary key, so one walk through both finds every
// match without searching the main table again for each update row.
// bei_treffer may adjust the values for a row that exists, seeing its stored fields.
void tabelle_zusammenfuehren(Table& haupt, Table& update,
                             const std::function<std::vector<Value>(Table&)>& werte,
                             const std::function<void(Table&, std::vector<Value>&)>& bei_treffer = {}) {
    const auto& schluessel = haupt.definition().primaryKey;
    for (size_t i = 0; i < schluessel.size(); ++i)
        if (store::lowerName(haupt.definition().fields[i].name) != store::lowerName(schluessel[i]))
            throw store::StoreError("Die Tabelle '" + haupt.TableName() +
                                    "' hat ihre Schlüsselfelder nicht vorn.");
    schliessen(haupt);
    haupt.Open();
    schliessen(update);
    update.Open();
    haupt.First();
    for (update.First(); !update.Eof(); update.Next()) {
        std::vector<Value> v = werte(update);
        bool gefunden = false;
        while (!haupt.Eof()) {
            const int c = schluessel_vergleichen(haupt, v, schluessel.size());
            if (c < 0) {
                haupt.Next();
                continue;
            }
            gefunden = c == 0;
            break;
        }
        if (gefunden) {
            if (bei_treffer) bei_treffer(haupt, v);
            haupt.Edit();
            haupt.SetFields(v);
            haupt.Post();
        } else {
            haupt.AppendRecord(v);
        }
    }
}

// The values of an update row. No value is invented: an empty field of the update leaves the
// stored field as it is (a new row gets it empty), and so does a 0 where the field cannot hold 0
// (Zusatzzahl, drawn order): files of earlier versions wrote every empty field as 0.
std::vector<Value> zahlen_werte(Table& u) {
    const int n = u.definition().storedFieldCount();
    std::vector<Value> v;
    v.reserve(n);
    for (int i = 0; i < n; ++i) {
        const store::Field f = u.Fields(i);
        v.emplace_back(f.IsNull() ? Value::keep() : Value(static_cast<long long>(f.AsInteger())));
    }
    auto ohne_null = [&](const std::string& feld) {
        const int i = u.FieldByName(feld).Index();
        if (u.Fields(i).AsInteger() <= 0) v[i] = Value::keep();
    };
    ohne_null("Zusatzzahl");
    for (int i = 1; i <= 6; ++i) ohne_null(data::Feldname("Zahl_", i) + "_g");
    return v;
}

// A Superzahl 0 can be real (0..9); where the stored draw has none, it is the 0 that earlier
// versions wrote for an empty field, and the field stays empty.
void superzahl_nicht_erfinden(Table& haupt, std::vector<Value>& v) {
    const int i = haupt.FieldByName("Superzahl").Index();
    if (v[i].isInt() && v[i].asInt() == 0 && haupt.Fields(i).IsNull()) v[i] = Value::keep();
}

std::vector<Value> gewinn_werte(Table& u) {
    std::vector<Value> v;
    for (auto* f : {"ID_Verband", "Jahr", "Woche", "ID_Ziehung", "Rang"})
        v.emplace_back(static_cast<long long>(u.FieldByName(f).AsInteger()));
    const store::Field anzahl = u.FieldByName("Anzahl");
    v.push_back(anzahl.IsNull() ? Value::keep() : Value(static_cast<long long>(anzahl.AsInteger())));
    // An update without a prize keeps the stored one.
    const double g = u.FieldByName("Gewinn").AsFloat();
    v.push_back(g > 0 ? Value(g) : Value::keep());
    return v;
}

} // namespace

std::map<int, int> Zahlenbereiche(data::DataModule_Lotto& dm) {
    std::map<int, int> m;
    sqlite3* db = dm.TdbDatabase_Lotto.handle();
    if (!db) return m;
    // What cannot be read stays out: the check then names the association it has no range for.
    try {
        store::Statement st(db, "SELECT ID_Verband, Zahlen_bis FROM Lotto");
        while (st.step())
            if (st.columnType(0) == store::Statement::Type::Integer &&
                st.columnType(1) == store::Statement::Type::Integer)
                m[static_cast<int>(st.columnInt(0))] = static_cast<int>(st.columnInt(1));
    } catch (const store::StoreError&) {
    }
    return m;
}

std::string Update_URL() {
    return std::string("http://") + PYRA_UPDATE_HOST + "/software/DO7_Dazov/Datenbank_Lotto_Update" + ".tdbd";
}

Aktualisierung::Aktualisierung(data::DataModule_Lotto& dm) : url(Update_URL()), dm_(dm) {}

bool Aktualisierung::Internet_verbunden() {
    return platform::Verbindung_moeglich(url, verbindungstest_ms);
}

void Aktualisierung::Cache_leeren() {}

bool Aktualisierung::Datei_laden(const std::string& adresse, const std::string& datei) {
    const auto e = platform::Datei_herunterladen(adresse, datei, ladeoptionen);
    if (!e.ok) fehlergrund = e.fehler;
    return e.ok;
}

void Aktualisierung::Zusammenfuehren() {
    store::Database::Transaction tx(dm_.TdbDatabase_Lotto);
    tabelle_zusammenfuehren(dm_.Table_Zahlen_2, dm_.Table_Zahlen_Update, zahlen_werte,
                            superzahl_nicht_erfinden);
    tabelle_zusammenfuehren(dm_.Table_Gewinn_2, dm_.Table_Gewinn_Update, gewinn_werte);
    tx.Commit();
}

bool Aktualisierung::Aktualisierung_durchfuehren() {
    fehlergrund.clear();
    if (!Internet_verbunden()) {
        fehlergrund = "Keine Verbindung zu '" + url + "'.";
        dm_.dialog.Meldung(Meldung_keine_Verbindung);
        return false;
    }
    schliessen(dm_.Table_Zahlen_Update);
    schliessen(dm_.Table_Gewinn_Update);

    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string ziel = dm_.Updatepfad();
    // The download goes to a name of its own; the update database in the program directory is
    // replaced only by a file that passed the check.
    const std::string neu = ziel + ".neu";
    bool ok = false;
    dm_.dialog.Warten_anzeigen(true);
    try {
        Cache_leeren();
        if (Datei_laden(url, neu)) {
            fehlergrund = Updatedatei_pruefen(neu, Zahlenbereiche(dm_));
            if (fehlergrund.empty()) {
                auto& db = dm_.TdbDatabase_Lotto_Update;
                db.SetConnected(false);
                // Side files of the old update database must not be applied to the new one.
                fs::remove(ziel + "-wal", ec);
                fs::remove(ziel + "-shm", ec);
                fs::rename(neu, ziel, ec);
                if (ec)
                    throw store::StoreError("Die Datei '" + ziel +
                                            "' kann nicht ersetzt werden: " + ec.message());
                db.SetLocation(ziel);
                db.SetConnected(true);
                db.RefreshDataSets();
                Zusammenfuehren();
                ok = true;
            }
        }
    } catch (const std::exception& e) {
        fehlergrund = e.what();
        ok = false;
    }
    fs::remove(neu, ec);
    dm_.dialog.Warten_anzeigen(false);
    for (Table* t :
         {&dm_.Table_Zahlen_2, &dm_.Table_Zahlen_Update, &dm_.Table_Gewinn_2, &dm_.Table_Gewinn_Update}) {
        try {
            schliessen(*t);
        } catch (...) {
            // Closing a cursor only drops its copy of the rows.
        }
    }
    dm_.dialog.Meldung(ok ? Meldung_OK : Meldung_fehlgeschlagen);
    if (ok) dm_.globals.Statistik_neu_berechnen = true;
    // The selection's cursors show the merged rows.
    if (dm_.Table_Zahlen.Active()) dm_.Table_Zahlen.Refresh();
    if (dm_.Table_Gewinn.Active()) dm_.Table_Gewinn.Refresh();
    return ok;
}

} // namespace pyra::maintenance
