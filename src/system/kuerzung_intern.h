#pragma once

// The two ways of running one search pass behind Reihenkuerzung.

#include "system/kuerzung.h"

#include <memory>

namespace pyra::system::intern {

class Suche {
  public:
    virtual ~Suche() = default;
    // One pass; six zeros when no candidate was acceptable.
    virtual Reihe Reihe_suchen(Zufallsgenerator& zufall) = 0;
    // Puts the row found by the pass into the next slot of the row store.
    virtual void Reihe_aufnehmen(const Reihe& reihe) = 0;
};

std::unique_ptr<Suche> direkte_Suche(const Kuerzungseingabe& eingabe);
std::unique_ptr<Suche> schnelle_Suche(const Kuerzungseingabe& eingabe, bool mit_tabelle);

} // namespace pyra::system::intern
