#include "data/datum.h"

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <langinfo.h>
#include <locale.h>
#include <string>

namespace pyra::data {

namespace {
using namespace std::chrono;

sys_days toDays(const Datum& d) {
    return sys_days{year{d.jahr} / month{static_cast<unsigned>(d.monat)} / day{static_cast<unsigned>(d.tag)}};
}

Datum fromDays(sys_days s) {
    year_month_day ymd{s};
    return {int(ymd.year()), static_cast<int>(unsigned(ymd.month())), static_cast<int>(unsigned(ymd.day()))};
}

std::function<Datum()>& clock() {
    static std::function<Datum()> f;
    return f;
}

char& separatorOverride() {
    static char c = 0;
    return c;
}
} // namespace

bool Datum_gueltig(const Datum& d) {
    return year_month_day{year{d.jahr} / month{static_cast<unsigned>(d.monat)} /
                          day{static_cast<unsigned>(d.tag)}}
        .ok();
}

int Wochentag(const Datum& d) {
    weekday wd{toDays(d)};
    return static_cast<int>(wd.iso_encoding());
}

Datum Tage_addieren(const Datum& d, int tage) {
    return fromDays(toDays(d) + days{tage});
}

Spielwoche ISO_Woche(const Datum& d) {
    // The Thursday of the date's week decides the week-numbering year.
    sys_days day = toDays(d);
    int wd = Wochentag(d);
    sys_days thursday = day + days{4 - wd};
    int y = int(year_month_day{thursday}.year());
    sys_days jan1 = sys_days{year{y} / January / 1};
    int week = static_cast<int>((thursday - jan1).count() / 7) + 1;
    return {y, week};
}

Spielwoche Spielwoche_der_Ziehung(const Datum& d, int ziehung) {
    int wd = Wochentag(d);
    if (ziehung == 1 && (wd == 1 || wd == 2)) return ISO_Woche(Tage_addieren(d, -wd));
    return ISO_Woche(d);
}

int Ziehung_zum_Wochentag(const Datum& d) {
    int wd = Wochentag(d);
    return wd >= 4 ? 1 : 2;
}

int Wochen_im_Jahr(int jahr) {
    return ISO_Woche({jahr, 12, 28}).woche;
}

bool Datum_lesen(const std::string& text, Datum& out) {
    int a = 0, b = 0, c = 0;
    char tail = 0;
    Datum d;
    if (std::sscanf(text.c_str(), "%d.%d.%d%c", &a, &b, &c, &tail) == 3)
        d = {c, b, a};
    else if (std::sscanf(text.c_str(), "%d-%d-%d%c", &a, &b, &c, &tail) == 3)
        d = {a, b, c};
    else
        return false;
    if (d.jahr < 1 || d.monat < 1 || d.monat > 12 || d.tag < 1 || d.tag > 31 || !Datum_gueltig(d))
        return false;
    out = d;
    return true;
}

Datum Heute() {
    if (clock()) return clock()();
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

Uhrzeit Jetzt() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void Uhr_setzen(std::function<Datum()> heute) {
    clock() = std::move(heute);
}

char Dezimaltrennzeichen() {
    if (separatorOverride()) return separatorOverride();
    static char fromLocale = [] {
        std::string n;
        for (const char* var : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
            const char* v = std::getenv(var);
            if (v && *v) {
                n = v;
                break;
            }
        }
        // Without a chosen locale the program speaks German and uses the decimal comma.
        if (n.empty() || n == "C" || n == "POSIX" || n.rfind("C.", 0) == 0) return ',';
        char c = ',';
        locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
        if (loc) {
            const char* r = nl_langinfo_l(RADIXCHAR, loc);
            if (r && *r) c = r[0];
            freelocale(loc);
        }
        return c;
    }();
    return fromLocale;
}

void Dezimaltrennzeichen_setzen(char c) {
    separatorOverride() = c;
}

} // namespace pyra::data
