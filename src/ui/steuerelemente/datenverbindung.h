#pragma once

// The link of a data-aware control to a notification source of the store: it receives the
// source's change events and hands pending input over when the cursor is about to post.

#include "store/store.h"

#include <functional>
#include <string>

class QWidget;

namespace pyra::ui {

// The close step of a dialog for one cursor: posts a pending edit; an edit that cannot be saved is
// reported with the error report over `dialog` and dropped, so what is stored stays.
void Speichern_beim_Schliessen(QWidget* dialog, store::Table& t);

class Datenverbindung {
  public:
    using Aenderung = std::function<void(store::DataEvent, const store::Field*)>;
    using Uebergabe = std::function<void()>;

    Datenverbindung(Aenderung aenderung, Uebergabe uebergabe);
    ~Datenverbindung();
    Datenverbindung(const Datenverbindung&) = delete;
    Datenverbindung& operator=(const Datenverbindung&) = delete;

    // Attaches to another source (nullptr: none). The control is told with a Changed event.
    void setzen(store::DataSource* quelle);
    store::DataSource* quelle() const { return quelle_; }
    // The cursor behind the source; nullptr when there is none.
    store::DataSet* daten() const { return quelle_ ? quelle_->Data() : nullptr; }
    store::Table* tabelle() const { return dynamic_cast<store::Table*>(daten()); }
    // True when the cursor is open and stands on a record.
    bool hat_datensatz() const;

  private:
    Aenderung aenderung_;
    Uebergabe uebergabe_;
    store::DataSource* quelle_ = nullptr;
    int id_ = 0;
};

// True when the change event concerns the named field: every event but FieldChanged of another field.
bool betrifft_feld(store::DataEvent e, const store::Field* f, const std::string& feld);

} // namespace pyra::ui
