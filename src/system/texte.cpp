#include "system/texte.h"

namespace pyra::system {

std::string Text_System_wird_erstellt(int anzahl_systemzahlen) {
    return "System wird mit " + std::to_string(anzahl_systemzahlen) + " Zahlen erstellt und gespeichert!";
}

std::string Frage_Teilergebnis(int durchlauf) {
    return "Nur " + std::to_string(durchlauf - 1) + " Systemreihen erstellt - Übernehmen?";
}

std::string Titel_Gewinnerwartung(int reihe, int anzahl_systemzahlen) {
    return "  Gewinnerwartung bei " + std::to_string(reihe) + (reihe == 1 ? " Reihe" : " Reihen") + " / " +
           std::to_string(anzahl_systemzahlen) + " Systemzahlen";
}

} // namespace pyra::system
