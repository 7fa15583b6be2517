#include "ui/steuerelemente/db_lookupcombobox.h"

#include "ui/gemeinsam/meldungen.h"

#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>

namespace pyra::ui {

using store::DataEvent;

DBLookupComboBox::DBLookupComboBox(QWidget* eltern)
    : QComboBox(eltern), daten_(
                             [this](DataEvent e, const store::Field* f) {
                                 if (!schreibt_ && betrifft_feld(e, f, feld_)) anzeigen();
                             },
                             {}),
      liste_(
          [this](DataEvent e, const store::Field*) {
              if (laedt_) return;
              if (e == DataEvent::Opened || e == DataEvent::Refreshed || e == DataEvent::Changed ||
                  e == DataEvent::Closed)
                  liste_laden();
          },
          {}) {
    setEditable(false);
    setMaxVisibleItems(20);
    connect(this, &QComboBox::activated, this, [this](int i) { gewaehlt(i); });
}

void DBLookupComboBox::binden(store::DataSource* quelle, const std::string& feld, store::DataSource* liste,
                              const std::string& schluesselfeld, const std::string& listenfeld) {
    feld_ = feld;
    schluesselfeld_ = schluesselfeld;
    listenfeld_ = listenfeld;
    liste_.setzen(liste);
    daten_.setzen(quelle);
    liste_laden();
    anzeigen();
}

void DBLookupComboBox::liste_laden() {
    QSignalBlocker sperre(this);
    clear();
    schluessel_.clear();
    store::DataSet* ds = liste_.daten();
    if (ds && ds->Active() && ds->State() == store::DataSetState::Browse && !schluesselfeld_.empty()) {
        // Walking the lookup cursor must not raise its notifications: they run the selection
        // refresh. The cursor is put back on its entry before they are enabled again.
        laedt_ = true;
        bool stand = ds->RecordCount() > 0;
        store::Value alt = stand ? ds->FieldByName(schluesselfeld_).AsValue() : store::Value();
        ds->DisableControls();
        try {
            for (ds->First(); !ds->Eof(); ds->Next()) {
                schluessel_.push_back(ds->FieldByName(schluesselfeld_).AsInteger());
                addItem(QString::fromStdString(ds->FieldByName(listenfeld_).AsString()));
            }
            if (stand) ds->Locate(schluesselfeld_, {alt});
        } catch (...) {
            ds->EnableControls();
            laedt_ = false;
            throw;
        }
        ds->EnableControls();
        laedt_ = false;
    }
    anzeigen();
}

void DBLookupComboBox::anzeigen() {
    int index = -1;
    std::int64_t wert = 0;
    bool hat_wert = false;
    if (!feld_.empty() && daten_.hat_datensatz()) {
        store::Field f = daten_.daten()->FieldByName(feld_);
        if (!f.IsNull()) {
            wert = f.AsInteger();
            hat_wert = true;
            auto it = std::find(schluessel_.begin(), schluessel_.end(), wert);
            if (it != schluessel_.end()) index = static_cast<int>(it - schluessel_.begin());
        }
    }
    {
        QSignalBlocker sperre(this);
        setCurrentIndex(index);
    }
    // A value written by others (start sequence, batch steps) moves the lookup cursor once it is
    // stored; values chosen in this list move it at once (gewaehlt).
    if (hat_wert && daten_.daten()->State() == store::DataSetState::Browse) lookup_nachfuehren(wert);
}

void DBLookupComboBox::lookup_nachfuehren(std::int64_t wert) {
    store::DataSet* ds = liste_.daten();
    if (!ds || !ds->Active() || ds->State() != store::DataSetState::Browse) return;
    if (ds->RecordCount() > 0 && !ds->FieldByName(schluesselfeld_).IsNull() &&
        ds->FieldByName(schluesselfeld_).AsInteger() == wert)
        return;
    ds->Locate(schluesselfeld_, {static_cast<long long>(wert)});
}

void DBLookupComboBox::gewaehlt(int index) {
    if (index < 0 || index >= static_cast<int>(schluessel_.size())) return;
    waehlen(schluessel_[index]);
}

void DBLookupComboBox::waehlen(std::int64_t wert) {
    store::Table* t = daten_.tabelle();
    if (!t || !t->Active() || feld_.empty()) return;
    store::Field f = t->FieldByName(feld_);
    if (f.IsNull() || f.AsInteger() != wert) {
        schreibt_ = true;
        try {
            t->Edit();
            t->FieldByName(feld_).SetInteger(wert);
        } catch (...) {
            schreibt_ = false;
            anzeigen();
            throw;
        }
        schreibt_ = false;
    }
    anzeigen();
    lookup_nachfuehren(wert);
}

void DBLookupComboBox::hidePopup() {
    QComboBox::hidePopup();
    // The choice made in the list is written after the list has closed (activated follows
    // hidePopup), so the close is announced once that has happened.
    QTimer::singleShot(0, this, [this] { emit geschlossen(); });
}

void DBLookupComboBox::wheelEvent(QWheelEvent* e) {
    e->ignore();
}

void DBLookupComboBox::keyReleaseEvent(QKeyEvent* e) {
    QComboBox::keyReleaseEvent(e);
    if (!e->isAutoRepeat()) emit taste_losgelassen();
}

} // namespace pyra::ui
