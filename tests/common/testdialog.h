#pragma once

#include "data/benutzerdialog.h"

#include <deque>
#include <string>
#include <vector>

namespace pyra::test {

// Records every message, question and hourglass switch and answers questions from a script
// (default: Yes).
class Testdialog : public data::Benutzerdialog {
  public:
    void Warten_anzeigen(bool an) override { sanduhr.push_back(an); }
    void Meldung(const std::string& text) override { meldungen.push_back(text); }
    bool Frage(const std::string& text) override {
        fragen.push_back(text);
        if (antworten.empty()) return true;
        bool a = antworten.front();
        antworten.pop_front();
        return a;
    }
    bool Abbruch_gewuenscht() override { return abbruch; }

    std::vector<std::string> meldungen;
    std::vector<std::string> fragen;
    std::deque<bool> antworten;
    std::vector<bool> sanduhr;
    bool abbruch = false;
};

} // namespace pyra::test
