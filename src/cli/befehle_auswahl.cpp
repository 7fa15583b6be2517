// Selection, draw entry, board marks, bank numbers and settings.

#include "cli/kontext.h"
#include "data/eingabepruefung.h"
#include "data/ziehungseingabe.h"
#include "store/store.h"

#include <array>
#include <set>

namespace pyra::cli {

namespace {

void gesperrt_pruefen(Kontext& k) {
    if (!k.fenster.eingaben_lotto)
        throw Befehlsfehler("Das System dieser Woche ist gesperrt. Erst 'entsperren', dann ändern.");
}

int start(Kontext& k) {
    Argumente a(k.args);
    data::Datum heute = data::Heute();
    if (auto d = a.option("datum")) {
        if (!data::Datum_lesen(*d, heute) || heute.jahr < 1955 || heute.jahr > 2100)
            throw Befehlsfehler("Ungültiges Datum '" + *d + "' (erwartet JJJJ-MM-TT).");
    }
    a.rest();
    if (!a.leer()) throw Aufruffehler("start nimmt nur --datum.");
    k.dm.Startsequenz(heute);
    std::cout << auswahl_text(k.dm) << "\n";
    return 0;
}

int auswahl(Kontext& k) {
    Argumente a(k.args);
    auto verband = a.option("verband");
    auto jahr = a.option("jahr");
    auto woche = a.option("woche");
    auto ziehung = a.option("ziehung");
    if (!a.rest().empty()) throw Aufruffehler("auswahl nimmt nur --verband, --jahr, --woche und --ziehung.");
    auto& dm = k.dm;
    // Only entries the selection lists offer can be chosen.
    auto check = [](store::Table& t, const std::string& feld, long long v, const std::string& was) {
        if (!t.Locate(feld, {static_cast<long long>(v)}))
            throw Befehlsfehler(was + " " + std::to_string(v) + " steht nicht in der Auswahlliste.");
    };
    long long v = verband ? ganzzahl(*verband, "Verband", 3, 6) : dm.Wahl("ID_Verband");
    long long j = jahr ? ganzzahl(*jahr, "Jahr", 1955, 2100) : dm.Wahl("Jahr_aktuell");
    long long w = woche ? ganzzahl(*woche, "Woche", 1, 53) : dm.Wahl("Woche_aktuell");
    long long z = ziehung ? ganzzahl(*ziehung, "Ziehung", 1, 2) : dm.Wahl("ID_Ziehung");
    check(dm.Table_Verband, "ID_Verband", v, "Der Verband");
    check(dm.Table_Jahr, "ID_Jahr", j, "Das Jahr");
    check(dm.Table_Woche, "ID_Woche", w, "Die Woche");
    check(dm.Table_Ziehung, "ID_Ziehung", z, "Die Ziehung");
    bool verbandWechsel = v != dm.Wahl("ID_Verband");
    dm.Table_Wahl.Edit();
    dm.Table_Wahl.FieldByName("ID_Verband").SetInteger(v);
    dm.Table_Wahl.FieldByName("Jahr_aktuell").SetInteger(j);
    dm.Table_Wahl.FieldByName("Woche_aktuell").SetInteger(w);
    dm.Table_Wahl.FieldByName("ID_Ziehung").SetInteger(z);
    if (verbandWechsel) dm.DataSource_VerbandDataChange();
    dm.Auswahl_uebernehmen();
    std::cout << auswahl_text(dm) << "\n";
    return 0;
}

int ziehung(Kontext& k) {
    Argumente a(k.args);
    auto jahr = a.option("jahr");
    auto woche = a.option("woche");
    auto zz = a.option("zusatzzahl");
    auto sz = a.option("superzahl");
    auto rest = a.rest();
    if (!jahr || !woche || rest.size() != 6)
        throw Aufruffehler("ziehung braucht --jahr, --woche und genau sechs Zahlen.");
    std::array<int, 6> zahlen{};
    for (int i = 0; i < 6; ++i) zahlen[i] = static_cast<int>(ganzzahl(rest[i], "Zahl", -32768, 32767));
    std::optional<int> zusatz, sup;
    if (zz) zusatz = static_cast<int>(ganzzahl(*zz, "Zusatzzahl", -32768, 32767));
    if (sz) sup = static_cast<int>(ganzzahl(*sz, "Superzahl", -32768, 32767));
    try {
        data::Ziehung_eintragen(k.dm, static_cast<int>(ganzzahl(*jahr, "Jahr", 1955, 2100)),
                                static_cast<int>(ganzzahl(*woche, "Woche", 1, 53)), zahlen, zusatz, sup);
    } catch (const store::StoreError& e) {
        throw Befehlsfehler(e.what());
    }
    return 0;
}

int markieren(Kontext& k) {
    Argumente a(k.args);
    bool keine = a.schalter("keine");
    auto rest = a.rest();
    if (keine == !rest.empty()) throw Aufruffehler("markieren braucht Zahlen oder --keine.");
    std::set<int> zahlen;
    for (auto& s : rest) zahlen.insert(static_cast<int>(ganzzahl(s, "Zahl", 1, 49)));
    gesperrt_pruefen(k);
    auto& t = k.dm.Table_Optionen;
    t.Edit();
    for (int i = 1; i <= 49; ++i)
        t.FieldByName(data::Feldname("Checkbox_", i)).SetString(zahlen.count(i) ? "t" : "f");
    t.Post();
    return 0;
}

int bankzahlen(Kontext& k) {
    Argumente a(k.args);
    auto rest = a.rest();
    if (rest.size() > 3) throw Aufruffehler("bankzahlen nimmt höchstens drei Zahlen.");
    std::vector<store::Value> v;
    for (size_t i = 0; i < rest.size(); ++i) {
        const std::string feld = "Bankzahl_" + std::to_string(i + 1);
        if (const std::string fehler = data::Eingabe_pruefen(feld, rest[i]); !fehler.empty())
            throw Befehlsfehler(fehler);
        // An empty box is allowed in the window too, also before a filled one.
        v.emplace_back(rest[i].empty() ? store::Value() : store::Value(ganzzahl(rest[i], "Bankzahl", 1, 49)));
    }
    gesperrt_pruefen(k);
    auto& t = k.dm.Table_Optionen;
    t.Edit();
    for (int i = 0; i < 3; ++i)
        t.FieldByName("Bankzahl_" + std::to_string(i + 1))
            .SetValue(i < static_cast<int>(v.size()) ? v[i] : store::Value());
    t.Post();
    return 0;
}

// Sets fields by name; every value is checked before anything is stored.
void felder_setzen(store::Table& t, const std::vector<std::string>& paare,
                   const std::set<std::string>& gesperrt) {
    if (paare.empty()) throw Aufruffehler("Erwartet werden Angaben FELD=WERT.");
    if (t.RecordCount() == 0)
        throw Befehlsfehler("Für die Auswahl gibt es keinen Datensatz in '" + t.TableName() + "'.");
    t.Edit();
    try {
        for (auto& p : paare) {
            auto eq = p.find('=');
            if (eq == std::string::npos || eq == 0)
                throw Aufruffehler("'" + p + "' hat nicht die Form FELD=WERT.");
            std::string feld = p.substr(0, eq), wert = p.substr(eq + 1);
            if (!t.HasField(feld))
                throw Befehlsfehler("Das Feld '" + feld + "' gibt es in '" + t.TableName() + "' nicht.");
            auto f = t.FieldByName(feld);
            if (gesperrt.count(store::lowerName(f.FieldName())) || f.Calculated())
                throw Befehlsfehler("Das Feld '" + f.FieldName() + "' kann hier nicht geändert werden.");
            // The same check as the windows' edits: ranges of the typed number fields, required
            // fields not empty.
            if (const std::string fehler = data::Eingabe_pruefen(f.FieldName(), wert, true); !fehler.empty())
                throw Befehlsfehler(fehler);
            f.SetString(wert);
        }
    } catch (const store::StoreError& e) {
        t.Cancel();
        throw Befehlsfehler(e.what());
    } catch (...) {
        t.Cancel();
        throw;
    }
    t.Post();
}

int optionen(Kontext& k) {
    Argumente a(k.args);
    auto rest = a.rest();
    std::set<std::string> schluessel = {"id_verband", "jahr", "woche", "id_ziehung"};
    bool nurSchwellen = true;
    for (auto& p : rest) {
        std::string f = store::lowerName(p.substr(0, p.find('=')));
        if (f != "prozent_woche" && f != "prozent_jahr" && f != "prozent_summe") nurSchwellen = false;
    }
    if (!k.fenster.eingaben_kuerzung && !nurSchwellen)
        throw Befehlsfehler("Das System dieser Woche ist gesperrt. Erst 'entsperren', dann ändern.");
    if (!k.fenster.eingaben_analyse && nurSchwellen)
        throw Befehlsfehler("Das System dieser Woche ist gesperrt. Erst 'entsperren', dann ändern.");
    felder_setzen(k.dm.Table_Optionen_2, rest, schluessel);
    return 0;
}

int einstellung(Kontext& k) {
    Argumente a(k.args);
    auto rest = a.rest();
    felder_setzen(k.dm.Table_Lotto, rest, {"id_verband"});
    return 0;
}

} // namespace

void befehle_registrieren_auswahl() {
    auto& b = befehle();
    b["anlegen"] = {nullptr, "anlegen"};
    b["start"] = {start, "start [--datum JJJJ-MM-TT]"};
    b["auswahl"] = {auswahl, "auswahl [--verband N] [--jahr J] [--woche W] [--ziehung Z]"};
    b["ziehung"] = {ziehung, "ziehung --jahr J --woche W Z1 Z2 Z3 Z4 Z5 Z6 [--zusatzzahl Z] [--superzahl S]"};
    b["markieren"] = {markieren, "markieren N... | markieren --keine"};
    b["bankzahlen"] = {bankzahlen, "bankzahlen [B1 [B2 [B3]]]"};
    b["optionen"] = {optionen, "optionen FELD=WERT..."};
    b["einstellung"] = {einstellung, "einstellung FELD=WERT..."};
}

} // namespace pyra::cli
