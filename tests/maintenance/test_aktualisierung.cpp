#include "common/datenmodul_umgebung.h"
#include "common/schlechte_ziehungen.h"
#include "maintenance/aktualisierung.h"
#include "maintenance/testserver.h"
#include "store/store.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace pyra;
using test::Testserver;

namespace {

std::string lesen(const std::string& datei) {
    std::ifstream f(datei, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Key of the Saturday draw of week 1 of 2021 in Germany, which the shipped history holds.
const char* SA_2021_1 = "ID_Verband=3 AND ID_Ziehung=1 AND Jahr=2021 AND Woche=1";

class Aktualisierung : public test::Datenmodul_Umgebung {
  protected:
    std::string fehlergrund;

    void SetUp() override {
        test::Datenmodul_Umgebung::SetUp();
        std::filesystem::create_directories(tmp.path() / "quelle");
        // Stored values that the update must keep: a Zusatzzahl and a prize.
        sql(std::string("UPDATE Zahlen SET Zusatzzahl=7 WHERE ") + SA_2021_1 + " AND AB=1;" +
            "UPDATE Gewinn SET Gewinn=1234.5 WHERE " + SA_2021_1 + " AND Rang=2;");
    }

    // An update database: two draws and three prize classes, then the changes given as SQL.
    std::string updatedatei(const std::string& aenderung = "") {
        static int nr = 0;
        const std::string pfad = (tmp.path() / "quelle" / ("u" + std::to_string(++nr) + ".tdbd")).string();
        store::Database::createFile(pfad, store::updateSchema());
        const std::string fehler = test::sql_ausfuehren(
            pfad, "INSERT INTO Zahlen_Update (ID_Verband, ID_Ziehung, Jahr, Woche, AB, Zahl_01, Zahl_02, "
                  "Zahl_03, Zahl_04, "
                  "Zahl_05, Zahl_06, Zusatzzahl, Superzahl, Zahl_01_g, Zahl_02_g, Zahl_03_g, Zahl_04_g, "
                  "Zahl_05_g, Zahl_06_g, "
                  "Summe) VALUES "
                  "(3, 1, 2021, 1, 1, 1, 2, 3, 4, 5, 6, 0, 8, 6, 5, 4, 3, 2, 1, 21),"
                  "(3, 1, 2021, 1, 2, 11, 12, 13, 14, 15, 16, 17, 1, 11, 12, 13, 14, 15, 16, 81),"
                  "(3, 1, 2027, 5, 1, 7, 8, 9, 10, 11, 12, 13, 4, 12, 11, 10, 9, 8, 7, 57);"
                  "INSERT INTO Gewinn_Update VALUES (3, 2021, 1, 1, 2, 5, 0), (3, 2021, 1, 1, 3, 6, 777.5),"
                  "(3, 2027, 5, 1, 1, 1, NULL);" +
                      aenderung);
        EXPECT_EQ(fehler, "") << aenderung;
        return lesen(pfad);
    }

    bool aktualisieren(const std::string& url, long gesamt_ms = 10000, long long grenze = 64LL << 20) {
        maintenance::Aktualisierung u(*dm);
        u.url = url;
        u.verbindungstest_ms = 2000;
        u.ladeoptionen.verbindung_ms = 2000;
        u.ladeoptionen.gesamt_ms = gesamt_ms;
        u.ladeoptionen.stillstand_s = 1;
        u.ladeoptionen.hoechstgroesse = grenze;
        const bool ok = u.Aktualisierung_durchfuehren();
        fehlergrund = u.fehlergrund;
        return ok;
    }

    std::string updatepfad() const { return tmp.file("Datenbank_Lotto_Update.tdbd"); }
    void keine_reste() {
        EXPECT_FALSE(std::filesystem::exists(updatepfad() + ".neu"));
        EXPECT_FALSE(std::filesystem::exists(updatepfad() + ".neu.teil"));
    }
    void cursor_geschlossen() {
        EXPECT_FALSE(dm->Table_Zahlen_2.Active());
        EXPECT_FALSE(dm->Table_Gewinn_2.Active());
        EXPECT_FALSE(dm->Table_Zahlen_Update.Active());
        EXPECT_FALSE(dm->Table_Gewinn_Update.Active());
    }
};

TEST_F(Aktualisierung, GoodFileIsMergedByTheRules) {
    const std::string datei = updatedatei();
    Testserver server({{"/software/DO7_Dazov/Datenbank_Lotto_Update.tdbd", {200, datei}}});
    const std::string zahlen_vorher = abfrage("SELECT count(*) FROM Zahlen");
    const std::string andere_vorher =
        abfrage("SELECT * FROM Zahlen WHERE Jahr=2021 AND Woche=2 ORDER BY 1, 2");

    ASSERT_TRUE(aktualisieren(server.url("/software/DO7_Dazov/Datenbank_Lotto_Update.tdbd"))) << fehlergrund;
    EXPECT_EQ(dialog.meldungen,
              std::vector<std::string>{"Aktualisierung OK - Bitte Hinweise (Hilfe) beachten!"});
    EXPECT_EQ(dialog.sanduhr, (std::vector<bool>{true, false}));

    // A matching row takes every value of the update, derived fields too; Zusatzzahl 0 keeps 7 and
    // an empty field of the update (EZDVFS) leaves the stored one as it is.
    EXPECT_EQ(
        abfrage(std::string("SELECT Zahl_01, Zahl_06, Zusatzzahl, Superzahl, Zahl_01_g, Summe, EZDVFS FROM "
                            "Zahlen WHERE ") +
                SA_2021_1 + " AND AB=1"),
        "1|6|7|8|6|21|-\n");
    // A key that differs in AB is another row; a new key is appended; nothing is deleted.
    EXPECT_EQ(abfrage(std::string("SELECT Zahl_01, Zusatzzahl FROM Zahlen WHERE ") + SA_2021_1 + " AND AB=2"),
              "11|17\n");
    EXPECT_EQ(
        abfrage(
            "SELECT Zahl_01, Zusatzzahl FROM Zahlen WHERE ID_Verband=3 AND ID_Ziehung=1 AND Jahr=2027 AND "
            "Woche=5"),
        "7|13\n");
    EXPECT_EQ(std::stoll(abfrage("SELECT count(*) FROM Zahlen")), std::stoll(zahlen_vorher) + 2);
    EXPECT_EQ(abfrage("SELECT * FROM Zahlen WHERE Jahr=2021 AND Woche=2 ORDER BY 1, 2"), andere_vorher);
    // Prizes: 0 keeps the stored prize, the winners are always replaced; an empty prize stays empty.
    EXPECT_EQ(abfrage(std::string("SELECT Rang, Anzahl, ifnull(Gewinn, '-') FROM Gewinn WHERE ") + SA_2021_1 +
                      " AND Rang IN (2, 3) ORDER BY Rang"),
              "2|5|1234.5\n3|6|777.5\n");
    EXPECT_EQ(abfrage("SELECT Anzahl, ifnull(Gewinn, '-') FROM Gewinn WHERE Jahr=2027"), "1|-\n");

    // The checked file is the new update database; no temporary file is left.
    EXPECT_TRUE(lesen(updatepfad()) == datei);
    keine_reste();
    cursor_geschlossen();
    // The selection's cursor shows the merged rows.
    EXPECT_EQ(std::to_string(dm->Table_Zahlen.RecordCount()) + "\n",
              abfrage("SELECT count(*) FROM Zahlen WHERE ID_Verband=3 AND ID_Ziehung=1"));
    // Every request asks caches for a fresh copy.
    auto anfragen = server.anfragen();
    ASSERT_EQ(anfragen.size(), 1u);
    EXPECT_NE(anfragen[0].find("Cache-Control: no-cache"), std::string::npos);
    EXPECT_NE(anfragen[0].find("Pragma: no-cache"), std::string::npos);

    // The same file again changes nothing.
    const std::string nachher = haupttabellen();
    ASSERT_TRUE(aktualisieren(server.url("/software/DO7_Dazov/Datenbank_Lotto_Update.tdbd"))) << fehlergrund;
    EXPECT_TRUE(haupttabellen() == nachher);
}

TEST_F(Aktualisierung, RedirectToTheFileIsFollowed) {
    Testserver server(
        {{"/alt", {302, "", std::string::npos, false, "/neu"}}, {"/neu", {200, updatedatei()}}});
    EXPECT_TRUE(aktualisieren(server.url("/alt"))) << fehlergrund;
}

TEST_F(Aktualisierung, BadDownloadsMergeNothingAndKeepTheOldUpdateFile) {
    const std::string gut = updatedatei();
    // The key left empty needs tables without NOT NULL.
    const std::string schluessel_leer = [&] {
        const std::string p = (tmp.path() / "quelle" / "schluessel_leer.tdbd").string();
        std::string sql;
        for (auto& t : store::updateSchema()) {
            sql += "CREATE TABLE " + t.name + " (";
            for (size_t i = 0; i < t.fields.size(); ++i)
                sql += (i ? ", " : "") + store::quoteIdent(t.fields[i].name);
            sql += ");";
        }
        EXPECT_EQ(
            test::sql_ausfuehren(p, sql + "INSERT INTO Gewinn_Update VALUES (3, 2021, NULL, 1, 2, 5, 0);"),
            "");
        return lesen(p);
    }();
    struct Fall {
        const char* name;
        Testserver::Antwort antwort;
        long gesamt_ms = 10000;
        long long grenze = 64LL << 20;
    };
    std::vector<Fall> faelle = {
        {"404", {404, "Nicht da"}},
        {"abgebrochene Übertragung", {200, gut, gut.size() / 2}},
        {"gekürzte Datei", {200, gut.substr(0, gut.size() / 2)}},
        {"keine Datenbank", {200, std::string(4096, 'x')}},
        {"leere Antwort", {200, ""}},
        {"Tabelle fehlt", {200, updatedatei("DROP TABLE Gewinn_Update;")}},
        {"Feld fehlt", {200, updatedatei("ALTER TABLE Gewinn_Update DROP COLUMN Anzahl;")}},
        {"Woche 54", {200, updatedatei("UPDATE Zahlen_Update SET Woche=54 WHERE Jahr=2027;")}},
        {"Jahr 1900", {200, updatedatei("UPDATE Gewinn_Update SET Jahr=1900 WHERE Rang=3;")}},
        {"Ziehung 3", {200, updatedatei("UPDATE Zahlen_Update SET ID_Ziehung=3 WHERE Jahr=2027;")}},
        {"Zahl 50", {200, updatedatei("UPDATE Zahlen_Update SET Zahl_03=50 WHERE Jahr=2027;")}},
        {"Zahl als Text", {200, updatedatei("UPDATE Zahlen_Update SET Zahl_02='zwei' WHERE Jahr=2027;")}},
        {"Anzahl negativ", {200, updatedatei("UPDATE Gewinn_Update SET Anzahl=-1 WHERE Rang=3;")}},
        {"Rang 10", {200, updatedatei("UPDATE Gewinn_Update SET Rang=10 WHERE Rang=3;")}},
        {"Schlüssel leer", {200, schluessel_leer}},
        {"nur lesbares Dateiformat",
         {200,
          [&] {
              std::string d = gut;
              d[18] = 3; // write version above 2: SQLite opens the file read-only
              return d;
          }()}},
        {"Verband 9", {200, updatedatei("UPDATE Zahlen_Update SET ID_Verband=9 WHERE Jahr=2027;")}},
        {"Server schweigt", {200, gut, std::string::npos, true}, 1500},
        {"zu groß", {200, gut}, 10000, 1000},
        {"Umleitung im Kreis", {302, "", std::string::npos, false, "/update"}},
        {"Umleitung auf eine Datei", {302, "", std::string::npos, false, "file:///etc/passwd"}},
        {"49 in 6 aus 42",
         {200,
          updatedatei("UPDATE Zahlen_Update SET ID_Verband=5, Zahl_06=49, Zahl_01_g=49 WHERE Jahr=2027;")}},
    };
    // Every draw that the draw rules refuse, as the new draw of 2027.
    std::deque<std::string> namen; // keeps the names where the cases point to
    for (const auto& z : test::schlechte_ziehungen()) {
        auto wert = [](const std::optional<int>& v) { return v ? std::to_string(*v) : std::string("NULL"); };
        std::string sql = "UPDATE Zahlen_Update SET Zusatzzahl=" + wert(z.werte.zusatzzahl) +
                          ", Superzahl=" + wert(z.werte.superzahl);
        for (int i = 0; i < 6; ++i) {
            const std::string feld = "Zahl_0" + std::to_string(i + 1);
            sql += ", " + feld + "=" + wert(z.werte.zahlen[i]) + ", " + feld +
                   "_g=" + wert(z.werte.reihenfolge[i]);
        }
        namen.push_back(z.name);
        faelle.push_back({namen.back().c_str(), {200, updatedatei(sql + " WHERE Jahr=2027;")}});
    }
    const std::string vorher = haupttabellen();
    const std::string alte_updatedatei = lesen(updatepfad());
    ASSERT_FALSE(alte_updatedatei.empty());
    for (auto& f : faelle) {
        SCOPED_TRACE(f.name);
        dialog.meldungen.clear();
        Testserver server({{"/update", f.antwort}});
        EXPECT_FALSE(aktualisieren(server.url("/update"), f.gesamt_ms, f.grenze));
        EXPECT_EQ(dialog.meldungen, std::vector<std::string>{"Aktualisierung fehlgeschlagen!"});
        EXPECT_FALSE(fehlergrund.empty());
        EXPECT_TRUE(haupttabellen() == vorher);
        EXPECT_TRUE(lesen(updatepfad()) == alte_updatedatei);
        keine_reste();
        cursor_geschlossen();
    }
}

TEST_F(Aktualisierung, NoConnectionStopsBeforeAnything) {
    const std::string vorher = haupttabellen();
    const std::string alte_updatedatei = lesen(updatepfad());
    EXPECT_FALSE(aktualisieren("http://127.0.0.1:" + std::to_string(test::freier_port()) + "/update"));
    EXPECT_EQ(dialog.meldungen, std::vector<std::string>{"Keine Verbindung zum Internet."});
    EXPECT_TRUE(dialog.sanduhr.empty());
    EXPECT_TRUE(haupttabellen() == vorher);
    EXPECT_TRUE(lesen(updatepfad()) == alte_updatedatei);
}

TEST_F(Aktualisierung, ErrorWhileMergingRollsEverythingBack) {
    Testserver server({{"/update", {200, updatedatei()}}});
    const std::string vorher = haupttabellen();
    // The prize rows come after the draws: the draws merged before the error are undone too.
    dm->Table_Gewinn_2.BeforePost = [](store::Table& t) {
        if (t.FieldByName("Rang").AsInteger() == 3) throw store::StoreError("Der Datenträger ist voll.");
    };
    EXPECT_FALSE(aktualisieren(server.url("/update")));
    dm->Table_Gewinn_2.BeforePost = nullptr;
    EXPECT_EQ(dialog.meldungen, std::vector<std::string>{"Aktualisierung fehlgeschlagen!"});
    EXPECT_EQ(fehlergrund, "Der Datenträger ist voll.");
    EXPECT_TRUE(haupttabellen() == vorher);
    EXPECT_EQ(dialog.sanduhr, (std::vector<bool>{true, false}));
    cursor_geschlossen();
    // The main database takes new posts afterwards (no transaction left open).
    dm->Table_Zahlen.Edit();
    dm->Table_Zahlen.FieldByName("Superzahl").SetInteger(4);
    EXPECT_NO_THROW(dm->Table_Zahlen.Post());
}

TEST(Updateadresse, DefaultAddressOnTheUpdateServer) {
    const std::string url = maintenance::Update_URL();
    EXPECT_EQ(url.rfind("http://", 0), 0u);
    EXPECT_NE(url.find("/software/DO7_Dazov/Datenbank_Lotto_Update.tdbd"), std::string::npos);
    platform::Adresse a;
    ASSERT_TRUE(platform::Adresse_zerlegen(url, a));
    EXPECT_EQ(a.port, 80);
}

TEST(Updateadresse, AddressParts) {
    struct Fall {
        const char* url;
        bool ok;
        const char* host;
        int port;
    } faelle[] = {{"http://127.0.0.1:8080/x", true, "127.0.0.1", 8080},
                  {"https://update.example.org/a?b", true, "update.example.org", 443},
                  {"http://user@[::1]:81/", true, "::1", 81},
                  {"ftp://host/x", false, "", 0},
                  {"file:///etc/passwd", false, "", 0},
                  {"http://:80/", false, "", 0},
                  {"http://host:99999/", false, "", 0},
                  {"host/x", false, "", 0}};
    for (auto& f : faelle) {
        platform::Adresse a;
        EXPECT_EQ(platform::Adresse_zerlegen(f.url, a), f.ok) << f.url;
        if (!f.ok) continue;
        EXPECT_EQ(a.host, f.host) << f.url;
        EXPECT_EQ(a.port, f.port) << f.url;
    }
}

} // namespace
