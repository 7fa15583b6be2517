#include "data/standarddatenbank.h"

#include "historie.h"
#include "store/sqlite_util.h"
#include "store/statement.h"
#include "store/store.h"

#include <sqlite3.h>

#include <filesystem>
#include <sstream>
#include <vector>

namespace pyra::data {

namespace {

using store::StoreError;

struct Db {
    sqlite3* h = nullptr;
    explicit Db(const std::string& path) {
        if (sqlite3_open_v2(path.c_str(), &h, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            std::string e = h ? sqlite3_errmsg(h) : "";
            sqlite3_close_v2(h);
            throw StoreError("Die Datenbank '" + path + "' kann nicht geöffnet werden: " + e);
        }
    }
    ~Db() { sqlite3_close_v2(h); }
    void exec(const std::string& sql) {
        char* err = nullptr;
        if (sqlite3_exec(h, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
            std::string e = err ? err : "";
            sqlite3_free(err);
            throw StoreError("Die Standarddatenbank kann nicht angelegt werden: " + e);
        }
    }
};

// A statement of the creation; an empty text of the shipped files is stored as an empty field.
class Anweisung : public store::Statement {
  public:
    Anweisung(Db& db, const std::string& sql)
        : Statement(db.h, sql, prefixed("Die Standarddatenbank kann nicht angelegt werden: ")) {}
    void bind(int i, const std::string& v) {
        if (v.empty())
            bindNull(i);
        else
            bindText(i, v);
    }
};

std::vector<std::vector<std::string>> readCsv(const char* text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(text);
    std::string line;
    bool header = true;
    while (std::getline(in, line)) {
        if (header) {
            header = false;
            continue;
        }
        if (line.empty()) continue;
        std::vector<std::string> cells;
        std::string cur;
        for (char c : line) {
            if (c == ',') {
                cells.push_back(cur);
                cur.clear();
            } else if (c != '\r') {
                cur += c;
            }
        }
        cells.push_back(cur);
        rows.push_back(std::move(cells));
    }
    return rows;
}

std::string placeholders(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += i ? ",?" : "?";
    return s;
}

void fillLookups(Db& db, const Datum& heute) {
    Spielwoche sw = ISO_Woche(heute);
    int letztesJahr = std::max(heute.jahr, sw.jahr) + 1;
    {
        Anweisung st(db, "INSERT INTO Woche (ID_Woche, Woche) VALUES (?,?)");
        for (int w = 1; w <= 53; ++w) {
            char b[16];
            std::snprintf(b, sizeof b, "%02d. Woche", w);
            st.bindInt(1, w);
            st.bind(2, b);
            st.run();
        }
    }
    {
        Anweisung st(db, "INSERT INTO Jahr (ID_Jahr, Jahr) VALUES (?,?)");
        for (int j = 1955; j <= letztesJahr; ++j) {
            st.bindInt(1, j);
            st.bind(2, std::to_string(j));
            st.run();
        }
    }
    db.exec("INSERT INTO Ziehung (ID_Ziehung, Ziehung) VALUES (1, 'Sa/So'), (2, 'Mi');");
    db.exec("INSERT INTO Verband (ID_Verband, Verband, Kuerzel, Information) VALUES "
            "(3, 'Deutschland', 'DE', 'Lotto 6 aus 49'), "
            "(4, 'Österreich', 'AT', 'Lotto 6 aus 45'), "
            "(5, 'Schweiz', 'CH', 'Swiss Lotto 6 aus 42');");
    // One settings record per association. Germany gets a starting layout of the twelve row boxes
    // of its play slip (two rows of six boxes) that the user adjusts in "Druckeinstellung".
    db.exec("INSERT INTO Lotto (ID_Verband, Zahlen_bis, Reihenberechnung, Gewinnerwartung) VALUES "
            "(3, 49, 12, 10000), (4, 45, 12, 10000), (5, 42, 12, 10000);");
    {
        std::string sql = "UPDATE Lotto SET ";
        for (int k = 1; k <= 12; ++k) {
            char b[96];
            int links = 28 + ((k - 1) % 6) * 64;
            int oben = 150 + ((k - 1) / 6) * 140;
            std::snprintf(b, sizeof b, "Reihe_%02d_links = %d, Reihe_%02d_oben = %d, ", k, links, k, oben);
            sql += b;
        }
        sql += "Zahl_Abstand_links = 8.5, Zahl_Abstand_oben = 16, Schriftgroesse = 10, "
               "Super_77_links = 40, Super_77_oben = 460, Super_6_links = 40, Super_6_oben = 480, "
               "MiSa_links = 300, MiSa_oben = 460 WHERE ID_Verband = 3;";
        db.exec(sql);
    }
    {
        Anweisung st(db,
                     "INSERT INTO Wahl (Form_Anwendung_Caption, Powered_by, Software_fuer, Homepage, "
                     "Partnerseite, ZQ_Woche_von, ZQ_Woche_bis, ZQ_Jahr, ZQ_Excel, ID_Verband, Jahr_aktuell, "
                     "Woche_aktuell, ID_Ziehung, ID_Tendenz, ID_Allgorithmus, Woche_Export, Jahr_Export) "
                     "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        st.bind(1, "  Pyra-Lotto 7.3  -  Lottozahlen, Statistik und Systeme");
        st.bind(2, "Pyra-Lotto");
        st.bind(3, "Sportwetten, Toto, Lotto und Roulette");
        st.bind(4, "https://www.pyra-lotto.de");
        st.bind(5, "https://www.lotto.de");
        st.bindInt(6, 1);
        st.bindInt(7, 53);
        st.bindInt(8, sw.jahr);
        st.bind(9, "");
        st.bindInt(10, 3);
        st.bindInt(11, sw.jahr);
        st.bindInt(12, sw.woche);
        st.bindInt(13, Ziehung_zum_Wochentag(heute));
        st.bindInt(14, 0);
        st.bindInt(15, 0);
        st.bindInt(16, 1);
        st.bindInt(17, sw.jahr);
        st.run();
    }
}

void fillHistory(Db& db) {
    {
        Anweisung st(
            db, "INSERT INTO Zahlen (ID_Verband, ID_Ziehung, Jahr, Woche, AB, Zahl_01, Zahl_02, Zahl_03, "
                "Zahl_04, Zahl_05, Zahl_06, Zusatzzahl, Superzahl, Zahl_01_g, Zahl_02_g, Zahl_03_g, "
                "Zahl_04_g, Zahl_05_g, Zahl_06_g) VALUES (" +
                    placeholders(19) + ")");
        for (auto& r : readCsv(historie::ziehungen_csv)) {
            if (r.size() < 19) throw StoreError("Die mitgelieferte Ziehungshistorie ist beschädigt.");
            // verband,ziehung,jahr,woche,datum,z1..z6,g1..g6,zusatzzahl,superzahl
            st.bind(1, r[0]);
            st.bind(2, r[1]);
            st.bind(3, r[2]);
            st.bind(4, r[3]);
            st.bindInt(5, 1);
            for (int i = 0; i < 6; ++i) st.bind(6 + i, r[5 + i]);
            st.bind(12, r[17]);
            st.bind(13, r[18]);
            for (int i = 0; i < 6; ++i) st.bind(14 + i, r[11 + i]);
            st.run();
        }
    }
    {
        Anweisung st(
            db, "INSERT INTO Gewinn (ID_Verband, Jahr, Woche, ID_Ziehung, Rang, Anzahl, Gewinn) VALUES (" +
                    placeholders(7) + ")");
        for (auto& r : readCsv(historie::gewinne_csv)) {
            if (r.size() < 7) throw StoreError("Die mitgelieferten Gewinnquoten sind beschädigt.");
            for (int i = 0; i < 7; ++i) st.bind(1 + i, r[i]);
            st.run();
        }
    }
}

} // namespace

namespace {

// Moves the side files of a missing database out of the way under names no other file has.
void begleitdateien_beiseite(const std::string& pfad, std::vector<std::string>* beiseitegelegt) {
    namespace fs = std::filesystem;
    for (const char* suffix : store::Begleitdatei_Endungen) {
        const std::string alt = pfad + suffix;
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(alt, ec))) continue;
        std::string ziel = alt + ".alt";
        for (int i = 2; fs::exists(fs::symlink_status(ziel, ec)); ++i)
            ziel = alt + ".alt" + std::to_string(i);
        fs::rename(alt, ziel, ec);
        if (ec)
            throw StoreError("Die Datei '" + alt + "' kann nicht beiseitegelegt werden (" + ec.message() +
                             "). Die Datenbank wurde nicht angelegt.");
        if (beiseitegelegt) beiseitegelegt->push_back(ziel);
    }
}

} // namespace

void Updatedatenbank_anlegen(const std::string& pfad, std::vector<std::string>* beiseitegelegt) {
    std::error_code ec;
    if (std::filesystem::exists(pfad, ec)) return;
    // The same holds for a missing update database: its leftover log would be applied to the new one.
    begleitdateien_beiseite(pfad, beiseitegelegt);
    store::Database::createFile(pfad, store::updateSchema());
}

std::string Meldung_Begleitdateien(const std::vector<std::string>& beiseitegelegt) {
    if (beiseitegelegt.empty()) return {};
    std::string liste;
    for (const auto& d : beiseitegelegt) liste += "\n" + d;
    return "Neben der fehlenden Datenbank lagen noch Dateien einer früheren Sitzung. Sie wurden "
           "unverändert umbenannt und nicht in die neue Datenbank übernommen:" +
           liste;
}

bool Standarddatenbank_anlegen(const std::string& verzeichnis, const Datum& heute,
                               const std::function<void(sqlite3*)>& nachbereiten,
                               std::vector<std::string>* beiseitegelegt) {
    namespace fs = std::filesystem;
    const std::string pfad = verzeichnis + "Datenbank_Lotto.tdbd";
    std::error_code ec;
    bool angelegt = false;
    if (!fs::exists(pfad, ec)) {
        // Build the file under a temporary name and move it into place only when it is complete,
        // so an interrupted creation never leaves a half-filled database behind.
        const std::string tmp = verzeichnis + "Datenbank_Lotto.tdbd.neu";
        const auto tmp_entfernen = [&] {
            fs::remove(tmp, ec);
            for (const char* endung : store::Begleitdatei_Endungen) fs::remove(tmp + endung, ec);
        };
        tmp_entfernen(); // what an interrupted earlier creation left behind
        try {
            store::Database::createFile(tmp, store::mainSchema(), pfad);
            {
                Db db(tmp);
                try {
                    db.exec("BEGIN");
                    fillLookups(db, heute);
                    fillHistory(db);
                    if (nachbereiten) nachbereiten(db.h);
                    db.exec("COMMIT");
                    db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
                } catch (const std::exception&) {
                    if (store::datentraeger_voll(db.h))
                        throw StoreError(store::Meldung_Datentraeger_voll_Anlegen(pfad));
                    throw;
                }
            }
            // Whatever is still in the log would be missing from the renamed file.
            if (fs::file_size(tmp + "-wal", ec) > 0 && !ec)
                throw StoreError("Die Standarddatenbank kann nicht angelegt werden: ihr Protokoll '" + tmp +
                                 "-wal' wurde nicht in die Datei übernommen.");
            // Leftover side files of the missing database would be applied to the new one.
            begleitdateien_beiseite(pfad, beiseitegelegt);
            fs::rename(tmp, pfad);
        } catch (...) {
            tmp_entfernen();
            throw;
        }
        angelegt = true;
    }
    Updatedatenbank_anlegen(verzeichnis + "Datenbank_Lotto_Update.tdbd", beiseitegelegt);
    return angelegt;
}

} // namespace pyra::data
