#include "ui/steuerelemente/datenverbindung.h"

#include "ui/gemeinsam/meldungen.h"

#include <QString>

namespace pyra::ui {

void Speichern_beim_Schliessen(QWidget* dialog, store::Table& t) {
    if (!t.Active()) return;
    try {
        t.PostIfEditing();
    } catch (const std::exception& e) {
        Fehlerbericht(dialog, QString::fromUtf8(e.what()));
        if (t.State() != store::DataSetState::Browse) t.Cancel();
    }
}

Datenverbindung::Datenverbindung(Aenderung aenderung, Uebergabe uebergabe)
    : aenderung_(std::move(aenderung)), uebergabe_(std::move(uebergabe)) {}

Datenverbindung::~Datenverbindung() {
    setzen(nullptr);
}

void Datenverbindung::setzen(store::DataSource* quelle) {
    if (quelle == quelle_) return;
    if (quelle_) quelle_->removeListener(id_);
    quelle_ = quelle;
    id_ = 0;
    if (quelle_) {
        store::DataSource::Listener l;
        l.dataChange = [this](store::DataSource&, store::DataEvent e, const store::Field* f) {
            if (aenderung_) aenderung_(e, f);
        };
        l.updateData = [this](store::DataSource&) {
            if (uebergabe_) uebergabe_();
        };
        id_ = quelle_->addListener(std::move(l));
    }
    if (aenderung_) aenderung_(store::DataEvent::Changed, nullptr);
}

bool Datenverbindung::hat_datensatz() const {
    store::DataSet* ds = daten();
    if (!ds || !ds->Active()) return false;
    auto st = ds->State();
    return st == store::DataSetState::Edit || st == store::DataSetState::Insert || ds->RecordCount() > 0;
}

bool betrifft_feld(store::DataEvent e, const store::Field* f, const std::string& feld) {
    if (e != store::DataEvent::FieldChanged || !f) return true;
    return store::lowerName(f->FieldName()) == store::lowerName(feld);
}

} // namespace pyra::ui
