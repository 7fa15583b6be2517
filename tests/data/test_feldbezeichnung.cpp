// Messages name fields as the windows label them: the store's internal names in quotes become the
// windows' captions, anything else in quotes stays as it is.

#include "data/eingabepruefung.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using namespace pyra;

TEST(Feldbezeichnung, StoreMessagesNameTheWindowsLabels) {
    const std::pair<std::string, std::string> faelle[] = {
        {"'abc' ist keine gültige ganze Zahl für das Feld 'Zahl_03'.",
         "'abc' ist keine gültige ganze Zahl für das Feld „3. Zahl“."},
        {"Das Feld 'Bankzahl_2' muss einen Wert haben.", "Das Feld „2. Bankzahl“ muss einen Wert haben."},
        {"Der Wert 800 liegt außerhalb des Bereichs des Feldes 'Reihenberechnung' (1 bis 750).",
         "Der Wert 800 liegt außerhalb des Bereichs des Feldes „Reihen“ (1 bis 750)."},
        {"'1,5' ist keine gültige ganze Zahl für das Feld 'ZAHL_01_G'.",
         "'1,5' ist keine gültige ganze Zahl für das Feld „1. Zahl der gezogenen Reihenfolge“."},
        {"Feld 'Reihe_03_links'", "Feld „Abstand links (Reihe) 3“"},
        // Quotes around anything else stay, and an apostrophe does not swallow a field's name.
        {"Die Datei 'Rang.txt' kann nicht angelegt werden.",
         "Die Datei 'Rang.txt' kann nicht angelegt werden."},
        {"Zolt's Feld 'Rang'", "Zolt's Feld „Rang“"},
        {"ohne Anführungszeichen", "ohne Anführungszeichen"},
        {"'", "'"},
    };
    for (const auto& [roh, erwartet] : faelle) EXPECT_EQ(data::Feldnamen_ersetzen(roh), erwartet) << roh;
}

TEST(Feldbezeichnung, RangeChecksNameTheLabelOrTheTypedName) {
    EXPECT_EQ(data::Eingabe_pruefen("Reihenberechnung", "800"),
              "Der Wert 800 liegt außerhalb des Bereichs des Feldes „Reihen“ (1 bis 750).");
    EXPECT_EQ(data::Eingabe_pruefen("Zahlen_bis", ""), "Das Feld „Zahlen“ darf nicht leer sein.");
    // The batch companion's user typed the field's own name.
    EXPECT_EQ(data::Eingabe_pruefen("Reihenberechnung", "800", true),
              "Der Wert 800 liegt außerhalb des Bereichs des Feldes 'Reihenberechnung' (1 bis 750).");
    EXPECT_EQ(data::Feldbezeichnung("Unbekannt"), "Unbekannt");
}
