#include "system/texte.h"

#include <cmath>
#include <cstdio>

namespace pyra::system {

std::string Text_System_wird_erstellt(int anzahl_systemzahlen) {
    return "System wird mit " + std::to_string(anzahl_systemzahlen) + " Zahlen erstellt und gespeichert!";
}

std::string Frage_Teilergebnis(int durchlauf) {
    return "Nur " + std::to_string(durchlauf - 1) + " Systemreihen erstellt - Übernehmen?";
}

std::string Text_Gewinnermittlung(int reihen, int beste_richtige) {
    return std::to_string(reihen) + (reihen == 1 ? " Reihe" : " Reihen") +
           " ausgewertet – beste Reihe: " + std::to_string(beste_richtige) + " Richtige";
}

std::string Titel_Gewinnerwartung(int reihe, int anzahl_systemzahlen) {
    return "  Gewinnerwartung bei " + std::to_string(reihe) + (reihe == 1 ? " Reihe" : " Reihen") + " / " +
           std::to_string(anzahl_systemzahlen) + " Systemzahlen";
}

namespace {

std::string garantie_bedingung(int t, int p, int systemzahlen, int bankzahlen) {
    std::string s = "mindestens " + std::to_string(t) + " Richtige, wenn " + std::to_string(p) +
                    " Gewinnzahlen unter den ";
    if (bankzahlen == 0) return s + std::to_string(systemzahlen) + " Systemzahlen sind.";
    return s + std::to_string(systemzahlen - bankzahlen) + " Systemzahlen außer den Bankzahlen sind.";
}

} // namespace

std::string Text_Garantie(int t, int p, int systemzahlen, int bankzahlen) {
    std::string s = garantie_bedingung(t, p, systemzahlen, bankzahlen);
    s[0] = 'M';
    return s;
}

std::string Prozent_Text(double prozent, bool vollstaendig) {
    double w = std::floor(prozent * 10.0 + 0.5) / 10.0;
    if (!vollstaendig && w >= 100.0) w = 99.9;
    if (prozent > 0 && w <= 0.0) w = 0.1;
    char puffer[32];
    std::snprintf(puffer, sizeof puffer, "%.1f", w);
    std::string s = puffer;
    for (char& c : s)
        if (c == '.') c = ',';
    return s + " %";
}

std::string Text_Garantiesystem_erstellt(int reihen, int t, int p, int systemzahlen, int bankzahlen) {
    return "Garantiesystem mit " + std::to_string(reihen) +
           " Reihen erstellt: " + garantie_bedingung(t, p, systemzahlen, bankzahlen);
}

std::string Text_Garantiesystem_unvollstaendig_gespeichert(int reihen, int t, int p, int systemzahlen,
                                                           int bankzahlen, double abdeckung) {
    return "Garantiesystem mit " + std::to_string(reihen) + " Reihen gespeichert. Es deckt " +
           Prozent_Text(abdeckung, false) +
           " der Fälle ab: " + garantie_bedingung(t, p, systemzahlen, bankzahlen);
}

std::string Frage_Garantiesystem_unvollstaendig(int reihen, double abdeckung, bool mit_filter) {
    return std::string(mit_filter
                           ? "Mit den Filtern der Kürzung ist kein vollständiges Garantiesystem gefunden "
                             "worden."
                           : "Kein vollständiges Garantiesystem mit höchstens 750 Reihen gefunden.") +
           " Die besten " + std::to_string(reihen) + " Reihen decken " + Prozent_Text(abdeckung, false) +
           " der Fälle ab - Übernehmen?";
}

std::string Text_Garantie_zu_viele_Bankzahlen(int bankzahlen, int t) {
    return "Mit " + std::to_string(bankzahlen) + " Bankzahlen bleiben in jeder Reihe nur " +
           std::to_string(6 - bankzahlen) + " weitere Zahlen: " + std::to_string(t) +
           " Richtige unter den übrigen Systemzahlen sind nicht möglich!";
}

std::string Text_Garantie_zu_wenige_freie(int p, int bankzahlen) {
    return std::string("Für diese Garantie sind mindestens ") + std::to_string(p) + " Systemzahlen" +
           (bankzahlen > 0 ? " außer den Bankzahlen" : "") + " nötig!";
}

std::string Text_Garantie_zu_gross(int t, int p) {
    return "Zu viele Systemzahlen für die Garantie " + std::to_string(t) + " aus " + std::to_string(p) +
           ": die Suche wäre zu aufwendig. Bitte weniger Systemzahlen markieren!";
}

} // namespace pyra::system
