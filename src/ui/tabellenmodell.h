#pragma once

// A table model over a cursor: one row per record in the cursor's order, one column per column
// definition. It follows the source's change events (reset on open, refresh and bulk changes,
// one row on a field change) and reports the cursor's current row. Rows are read into a cache
// when the view first needs them after a change, so a run of posts costs one read.

#include "ui/datenverbindung.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>

#include <optional>
#include <vector>

namespace pyra::ui {

struct Spalte {
    std::string feld;
    QString titel;
    int breite = 64;
    Qt::Alignment ausrichtung = Qt::AlignLeft | Qt::AlignVCenter;
    std::optional<QColor> schriftfarbe;
    std::optional<QColor> hintergrund;
    std::optional<bool> fett; // empty: the grid's font
};

class Tabellenmodell : public QAbstractTableModel {
    Q_OBJECT
  public:
    // schluesselfelder: fields (";"-separated) that find a record again when the view moves the cursor.
    Tabellenmodell(std::vector<Spalte> spalten, std::string schluesselfelder, QObject* eltern = nullptr);

    void quelle_setzen(store::DataSource* quelle);
    store::DataSource* quelle() const { return verbindung_.quelle(); }
    const std::vector<Spalte>& spalten() const { return spalten_; }
    void Schrift_setzen(const QFont& schrift) { schrift_ = schrift; }

    int rowCount(const QModelIndex& eltern = {}) const override;
    int columnCount(const QModelIndex& eltern = {}) const override;
    QVariant data(const QModelIndex& index, int rolle) const override;
    QVariant headerData(int abschnitt, Qt::Orientation richtung, int rolle) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Row of the cursor's current record; -1 when there is none.
    int aktuelle_zeile() const;
    // Moves the cursor to the record shown in this row.
    void zeile_waehlen(int zeile);
    // The text shown in a cell (for tests and the view).
    QString text(int zeile, int spalte) const;

  signals:
    void aktuelle_zeile_geaendert(int zeile);

  private:
    void ereignis(store::DataEvent e, const store::Field* f);
    void zurueksetzen();
    void cache_fuellen() const;
    std::vector<QString> zeile_lesen() const;

    std::vector<Spalte> spalten_;
    std::string schluesselfelder_;
    std::vector<std::string> schluessel_;
    QFont schrift_;
    Datenverbindung verbindung_;
    mutable std::vector<std::vector<QString>> cache_;
    mutable std::vector<std::vector<store::Value>> schluesselwerte_;
    mutable bool veraltet_ = true;
    mutable bool liest_ = false;
    int zeilen_ = 0;
};

} // namespace pyra::ui
