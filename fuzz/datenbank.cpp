// Fuzz target: loading a main database file.
//
// The bytes become Datenbank_Lotto.tdbd in a program directory of their own; the data module
// opens it and runs the start sequence (connect, open every cursor, selection refresh), then the
// selection of each association once more, the draw query and the close. A file that is not a
// database, is damaged or lacks tables or fields may only end in a StoreError with a message;
// a file the store refuses at connect is not written to; a whole file that could be worked with
// still passes SQLite's integrity check afterwards.

#include "data/datamodule.h"
#include "gemeinsam.h"

#include <filesystem>
#include <string>

namespace {

using pyra::fuzz::verletzt;

class Stummer_Dialog : public pyra::data::Benutzerdialog {
  public:
    void Meldung(const std::string&) override {}
    bool Frage(const std::string&) override { return true; }
};

void arbeiten(pyra::data::DataModule_Lotto& dm) {
    dm.Startsequenz({2026, 12, 10});
    for (int verband : {3, 4, 5}) {
        if (!dm.Table_Verband.Locate("ID_Verband", {pyra::store::Value(static_cast<long long>(verband))}))
            continue;
        dm.Table_Wahl.Edit();
        dm.Table_Wahl.FieldByName("ID_Verband").SetInteger(verband);
        dm.Auswahl_uebernehmen();
        dm.Oeffne_Query_Zahlen();
        for (dm.Query_Zahlen.First(); !dm.Query_Zahlen.Eof(); dm.Query_Zahlen.Next())
            dm.Query_Zahlen.FieldByName("Zahl_01").AsInteger();
        dm.Zahlen_bis();
    }
    dm.Schliessen();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    const std::string dir = pyra::fuzz::arbeitsverzeichnis();
    const std::string datei = dir + "Datenbank_Lotto.tdbd";
    pyra::fuzz::datenbank_entfernen(datei);
    pyra::fuzz::datei_schreiben(datei, daten, groesse);

    bool gearbeitet = false;
    std::string fehler;
    {
        pyra::data::Globale_Zustaende g;
        g.Programmverzeichnis = dir;
        pyra::data::Fensterzustand f;
        Stummer_Dialog d;
        pyra::data::DataModule_Lotto dm(g, f, d);
        try {
            arbeiten(dm);
            gearbeitet = true;
        } catch (const pyra::store::StoreError& e) {
            fehler = e.what();
            if (fehler.empty()) verletzt("StoreError ohne Meldung");
        }
        try {
            dm.Datenbank_Close();
        } catch (const pyra::store::StoreError&) {
        }
        if (!gearbeitet && !dm.TdbDatabase_Lotto.Connected()) {
            // Refused at connect: the file is as it was.
            const std::string jetzt = pyra::fuzz::datei_lesen(datei);
            if (jetzt.size() != groesse ||
                (groesse && jetzt.compare(0, groesse, reinterpret_cast<const char*>(daten), groesse) != 0))
                verletzt("abgewiesene Datei wurde verändert: " + fehler);
        }
    }
    pyra::fuzz::bericht(gearbeitet ? "geladen" : "abgewiesen: " + fehler);
    if (gearbeitet) {
        const std::string pruefung = pyra::fuzz::sql_wert(datei, "PRAGMA integrity_check");
        if (pruefung != "ok") verletzt("integrity_check nach dem Laden: " + pruefung);
    }
    return 0;
}
