#pragma once

// A table model over a cursor: one row per record in the cursor's order, one column per column
// definition. It follows the source's change events (reset on open, refresh and bulk changes,
// one row on a field change) and reports the cursor's current row. Rows are read into a cache
// when the view first needs them after a change, so a run of posts costs one read.
//
// Editing in place is opt-in per column. A typed value goes through the store (Edit, SetString);
// a value the store refuses is reported with its message and the stored value stays. The changes
// of a row are posted when the row is left (or zeile_speichern is called), after the owner's
// check; a refused row keeps the input for correction and the cursor stays on it. A new record
// is shown as an extra row at the end until it is posted.

#include "ui/steuerelemente/datenverbindung.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>

#include <functional>
#include <optional>
#include <vector>

namespace pyra::ui {

// Which rows of a column may be edited in place.
enum class Bearbeitung {
    nie,        // read only
    immer,      // every row
    neue_zeile, // only a record being added (key fields that must not change afterwards)
};

// Added to the message when a row is refused: the input stays until it is corrected or dropped.
inline const QString Hinweis_verwerfen = QStringLiteral("Esc verwirft die Eingabe.");

struct Spalte {
    std::string feld;
    QString titel;
    int breite = 64;
    Qt::Alignment ausrichtung = Qt::AlignLeft | Qt::AlignVCenter;
    std::optional<QColor> schriftfarbe;
    std::optional<QColor> hintergrund;
    std::optional<bool> fett; // empty: the grid's font
    Bearbeitung bearbeitung = Bearbeitung::nie;
    std::optional<int> nachkommastellen = std::nullopt; // numbers shown with this many decimals
    // The widest value the column must show whole; the grid makes the column's font smaller
    // until it fits the width. Empty: the grid's font.
    QString groesster_wert = {};
};

class Tabellenmodell : public QAbstractTableModel {
    Q_OBJECT
  public:
    // schluesselfelder: fields (";"-separated) that find a record again when the view moves the cursor.
    Tabellenmodell(std::vector<Spalte> spalten, std::string schluesselfelder, QObject* eltern = nullptr);
    ~Tabellenmodell() override;

    void quelle_setzen(store::DataSource* quelle);
    store::DataSource* quelle() const { return verbindung_.quelle(); }
    const std::vector<Spalte>& spalten() const { return spalten_; }
    void Schrift_setzen(const QFont& schrift) { schrift_ = schrift; }
    // The font of a column's cells: the grid's, bold or not as the column says, or the one set
    // for the column.
    QFont Zellenschrift(int spalte) const;
    void Spaltenschrift_setzen(int spalte, const QFont& schrift);

    int rowCount(const QModelIndex& eltern = {}) const override;
    int columnCount(const QModelIndex& eltern = {}) const override;
    QVariant data(const QModelIndex& index, int rolle) const override;
    QVariant headerData(int abschnitt, Qt::Orientation richtung, int rolle) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& wert, int rolle = Qt::EditRole) override;

    // Row of the cursor's current record (the extra row of a record being added); -1 when none.
    int aktuelle_zeile() const;
    // Moves the cursor to the record shown in this row. Pending changes of the row being left are
    // posted first; false when that was refused (the cursor stays) or the row is not there.
    bool zeile_waehlen(int zeile);
    // The text shown in a cell (for tests and the view).
    QString text(int zeile, int spalte) const;
    void titel_setzen(int spalte, const QString& titel);

    // --- Editing in place ---------------------------------------------------------------
    // True when at least one column may be edited.
    bool bearbeitbar() const;
    bool zelle_bearbeitbar(int zeile, int spalte) const;
    // True while the cursor holds changes that are not posted yet.
    bool ausstehend() const;
    // Writes a typed text into a cell. False when refused; the user has been told why.
    bool zelle_setzen(int zeile, int spalte, const QString& text);
    // Posts the pending changes after the owner's check. False when refused: the user has been
    // told why, the input stays and the cursor stays in edit state.
    bool zeile_speichern();
    // Begins a new record, shown as the last row (pending changes are posted first).
    bool zeile_anhaengen();
    // Drops the pending changes; the stored values come back.
    void zeile_verwerfen();

    // Hooks of the window that owns the grid.
    // Runs right before a post; throws store::StoreError with the message to refuse it. It may
    // still change fields of the record (for example put values in order).
    std::function<void(store::Table&)> vor_dem_speichern;
    // Runs before an edit begins, a row is added or the row changes; false refuses (the hook
    // has told the user why).
    std::function<bool()> vor_der_bearbeitung;
    // Shows a refusal to the user (default: the program's information message).
    std::function<void(const QString&)> meldung;

  signals:
    void aktuelle_zeile_geaendert(int zeile);

  private:
    void ereignis(store::DataEvent e, const store::Field* f);
    void zurueksetzen();
    void cache_fuellen() const;
    std::vector<QString> zeile_lesen() const;
    QString feldtext(store::DataSet& ds, const Spalte& s) const;
    void melden(const QString& text);
    bool neue_zeile_zeigen() const;
    // Fills the caches of every model over this cursor while it can still be read.
    void caches_der_quelle_fuellen() const;

    std::vector<Spalte> spalten_;
    std::string schluesselfelder_;
    std::vector<std::string> schluessel_;
    QFont schrift_;
    std::vector<std::optional<QFont>> spaltenschrift_;
    Datenverbindung verbindung_;
    mutable std::vector<std::vector<QString>> cache_;
    mutable std::vector<std::vector<store::Value>> schluesselwerte_;
    mutable bool veraltet_ = true;
    mutable bool liest_ = false;
    int zeilen_ = 0;
    bool neue_zeile_ = false;    // the extra last row of a record being added is shown
    bool zeile_zurueck_ = false; // a refused cell is dropping the edit it began
};

} // namespace pyra::ui
