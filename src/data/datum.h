#pragma once

#include <functional>
#include <string>

namespace pyra::data {

struct Datum {
    int jahr = 1970;
    int monat = 1;
    int tag = 1;
};

struct Spielwoche {
    int jahr = 0;  // ISO 8601 week-numbering year
    int woche = 0; // 1..53
};

// Weekday of a date: 1 = Monday .. 7 = Sunday.
int Wochentag(const Datum& d);
// ISO 8601 week and week-numbering year of a date.
Spielwoche ISO_Woche(const Datum& d);
// Play week of a draw on that date. A weekend draw (ziehung 1) held on a Monday or Tuesday
// belongs to the week of the Sunday before.
Spielwoche Spielwoche_der_Ziehung(const Datum& d, int ziehung);
// Draw of the selection at start-up: 1 (Saturday draw) from Thursday to Sunday, else 2.
int Ziehung_zum_Wochentag(const Datum& d);
// Number of weeks (52 or 53) of an ISO week-numbering year.
int Wochen_im_Jahr(int jahr);
Datum Tage_addieren(const Datum& d, int tage);
bool Datum_gueltig(const Datum& d);
// "dd.mm.yyyy" or "yyyy-mm-dd"; false when the text is no valid date.
bool Datum_lesen(const std::string& text, Datum& out);

// Today's local date and time. Tests and the batch companion set their own clock.
struct Uhrzeit {
    int stunde = 0;
    int minute = 0;
    int sekunde = 0;
};
Datum Heute();
Uhrzeit Jetzt();
void Uhr_setzen(std::function<Datum()> heute); // empty function: the system clock again

// Decimal separator of the user's locale; ',' when the locale names none (the program is German).
char Dezimaltrennzeichen();
void Dezimaltrennzeichen_setzen(char c); // 0: from the locale again

} // namespace pyra::data
