#pragma once

#include "data/benutzerdialog.h"
#include "data/datamodule.h"

#include <chrono>
#include <functional>

struct sqlite3;
#include <iostream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace pyra::cli {

// A wrong command line: exit status 2 with the usage text.
class Aufruffehler : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A refused value or a failed operation: the message on standard error, exit status 1.
class Befehlsfehler : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Message boxes become lines on standard output; questions are answered from the command line.
class Konsolendialog : public data::Benutzerdialog {
  public:
    void Meldung(const std::string& text) override { std::cout << text << "\n"; }
    bool Frage(const std::string& text) override {
        std::cout << text << "\n";
        bool a = antworten.empty() ? standardantwort : antworten.front();
        if (!antworten.empty()) antworten.erase(antworten.begin());
        return a;
    }
    std::vector<bool> antworten; // answers in order; afterwards the default
    bool standardantwort = true;
};

struct Kontext {
    data::DataModule_Lotto& dm;
    Konsolendialog& dialog;
    data::Fensterzustand& fenster;
    std::vector<std::string> args; // the arguments after the command
    std::optional<unsigned long long> seed;
    std::chrono::steady_clock::time_point beginn = std::chrono::steady_clock::now(); // of the process
};

// Reading the arguments of a command.
class Argumente {
  public:
    explicit Argumente(std::vector<std::string> args) : args_(std::move(args)) {}
    // Takes "--name VALUE" out of the list; nullopt when absent.
    std::optional<std::string> option(const std::string& name);
    bool schalter(const std::string& name); // takes "--name" out of the list
    std::vector<std::string> rest();        // what is left; an unknown "--x" is a usage error
    bool leer() const { return args_.empty(); }

  private:
    std::vector<std::string> args_;
};

// A whole number from the command line; anything else is a refused value (exit status 1).
long long ganzzahl(const std::string& text, const std::string& was, long long min, long long max);
bool ja_nein(const std::string& text);
std::string auswahl_text(data::DataModule_Lotto& dm);
// A stored value as text: empty stays empty, floats in the shortest form that reads back exactly.
std::string feldtext(const store::Field& f);
// Unlocks the selection again when an earlier call left it unlocked ("entsperren").
void Sperrvermerk_anwenden(Kontext& k);

using Befehl = std::function<int(Kontext&)>;
using Vorpruefung = std::function<void(const std::vector<std::string>&)>;
struct Befehlseintrag {
    Befehlseintrag() = default;
    Befehlseintrag(Befehl b, std::string a, Vorpruefung v = {})
        : ausfuehren(std::move(b)), aufruf(std::move(a)), vorpruefung(std::move(v)) {}
    Befehl ausfuehren;
    std::string aufruf; // usage line
    // Further checks of the arguments before anything is opened or created (optional).
    Vorpruefung vorpruefung;
};
std::map<std::string, Befehlseintrag>& befehle();
// Checks the arguments of a command against its usage line before anything is opened or created:
// every option is one of the command's, an option's value is there, the required options are
// given, and only a command whose usage names plain arguments gets any. A wrong command line
// throws Aufruffehler.
void Aufruf_pruefen(const Befehlseintrag& befehl, const std::vector<std::string>& args);
void befehle_registrieren_auswahl();
void befehle_registrieren_statistik();
void befehle_registrieren_system();
void befehle_registrieren_wartung();
void befehle_registrieren_ausgabe();
void befehle_registrieren_diagramm(); // only where the chart renderer is built

// Runs on a newly created default database before it is finished (computes its analysis tables).
std::function<void(sqlite3*)> standard_nachbereiten();

} // namespace pyra::cli
