#pragma once

// Online update: downloads the update database Datenbank_Lotto_Update.tdbd from the update
// server, checks it and merges its tables Zahlen_Update and Gewinn_Update into Zahlen and
// Gewinn. The merge never deletes a row; a stored row with the same key is overwritten, except
// that an unset Zusatzzahl (0 or less) and an unset Gewinn (0 or less) keep the stored value.

#include "data/datamodule.h"
#include "platform/download/herunterladen.h"

#include <map>
#include <string>

namespace pyra::maintenance {

inline constexpr const char* Meldung_keine_Verbindung = "Keine Verbindung zum Internet.";
inline constexpr const char* Meldung_fehlgeschlagen = "Aktualisierung fehlgeschlagen!";
inline constexpr const char* Meldung_OK = "Aktualisierung OK - Bitte Hinweise (Hilfe) beachten!";

// The download address on the update server (host chosen at build time).
std::string Update_URL();

// Checks a downloaded update database before anything is merged: an SQLite database that passes
// SQLite's integrity check, holds the tables Zahlen_Update and Gewinn_Update with all their fields,
// and whose values fit: association 3..6, draw 1 or 2, week 1..53, year 1955..2100, AB 1 or 2,
// the numbers 0..49 (or empty), prize class 1..9, winners not negative, every value a number
// that fits its field, and every draw with results a valid draw of its association by the draw
// rules (zahlen_bis: association -> its highest number, from the main database's Lotto records).
// Returns an empty text when the file is fit, else the German reason.
// The file is opened read-only and never changed.
std::string Updatedatei_pruefen(const std::string& pfad, const std::map<int, int>& zahlen_bis);

// The highest number of every association with settings in the main database.
std::map<int, int> Zahlenbereiche(data::DataModule_Lotto& dm);

class Aktualisierung {
  public:
    explicit Aktualisierung(data::DataModule_Lotto& dm);

    // The menu command "Aktualisierung": connectivity test, download, check, merge, messages.
    // Returns true when the update was merged. A file that cannot be downloaded or fails the
    // check, and any error while merging, gives "Aktualisierung fehlgeschlagen!" and leaves the
    // main tables as they were: the merge runs in one transaction.
    bool Aktualisierung_durchfuehren();

    // A short TCP connection to the host of the download address.
    bool Internet_verbunden();
    // Kept for the order of the steps: the downloader has no cache of its own, and its requests
    // ask every cache on the way for a fresh copy, so there is nothing to empty.
    void Cache_leeren();
    // Downloads url into datei; true when the file arrived completely.
    bool Datei_laden(const std::string& url, const std::string& datei);

    std::string url;                     // download address (tests and the batch companion set another)
    platform::Ladeoptionen ladeoptionen; // time-outs and size limit of the download
    long verbindungstest_ms = 5000;      // time limit of the connectivity test
    std::string fehlergrund;             // why the last run failed, empty after success

  private:
    void Zusammenfuehren();

    data::DataModule_Lotto& dm_;
};

} // namespace pyra::maintenance
