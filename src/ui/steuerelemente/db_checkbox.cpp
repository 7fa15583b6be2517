#include "ui/steuerelemente/db_checkbox.h"

#include "ui/gemeinsam/meldungen.h"

#include <QSignalBlocker>

namespace pyra::ui {

DBCheckBox::DBCheckBox(const QString& text, QWidget* eltern)
    : QCheckBox(text, eltern), verbindung_(
                                   [this](store::DataEvent e, const store::Field* f) {
                                       if (!schreibt_ && betrifft_feld(e, f, feld_)) anzeigen();
                                   },
                                   {}) {
    connect(this, &QCheckBox::clicked, this, [this](bool an) { speichern(an); });
}

void DBCheckBox::binden(store::DataSource* quelle, const std::string& feld) {
    feld_ = feld;
    verbindung_.setzen(quelle);
    anzeigen();
}

void DBCheckBox::anzeigen() {
    bool an = !feld_.empty() && verbindung_.hat_datensatz() &&
              verbindung_.daten()->FieldByName(feld_).AsString() == "t";
    QSignalBlocker sperre(this);
    setChecked(an);
}

void DBCheckBox::speichern(bool an) {
    store::Table* t = verbindung_.tabelle();
    if (t && t->Active() && !feld_.empty()) {
        const bool eigene_bearbeitung = t->State() == store::DataSetState::Browse;
        schreibt_ = true;
        try {
            t->Edit();
            t->FieldByName(feld_).SetString(an ? "t" : "f");
            t->Post();
            schreibt_ = false;
        } catch (const store::StoreError& e) {
            schreibt_ = false;
            if (eigene_bearbeitung) t->Cancel();
            anzeigen();
            Meldung(window(), QString::fromUtf8(e.what()));
            return;
        } catch (...) {
            schreibt_ = false;
            if (eigene_bearbeitung) t->Cancel();
            anzeigen();
            throw;
        }
    }
    anzeigen();
    emit geklickt();
}

} // namespace pyra::ui
