#include "ui/tabellenmodell.h"

#include <sstream>

namespace pyra::ui {

using store::DataEvent;
using store::DataSetState;

Tabellenmodell::Tabellenmodell(std::vector<Spalte> spalten, std::string schluesselfelder, QObject* eltern)
    : QAbstractTableModel(eltern), spalten_(std::move(spalten)),
      schluesselfelder_(std::move(schluesselfelder)),
      verbindung_([this](DataEvent e, const store::Field* f) { ereignis(e, f); }, {}) {
    std::stringstream s(schluesselfelder_);
    for (std::string teil; std::getline(s, teil, ';');)
        if (!teil.empty()) schluessel_.push_back(teil);
}

void Tabellenmodell::quelle_setzen(store::DataSource* quelle) {
    if (quelle == verbindung_.quelle()) return;
    verbindung_.setzen(quelle); // announces a Changed event: the model is reset
}

void Tabellenmodell::ereignis(DataEvent e, const store::Field*) {
    if (liest_) return;
    switch (e) {
    case DataEvent::Opened:
    case DataEvent::Refreshed:
    case DataEvent::Changed:
    case DataEvent::Closed:
        zurueksetzen();
        break;
    case DataEvent::Scrolled:
        emit aktuelle_zeile_geaendert(aktuelle_zeile());
        break;
    case DataEvent::FieldChanged:
    case DataEvent::StateChanged: {
        store::DataSet* ds = verbindung_.daten();
        if (veraltet_ || !ds || ds->State() == DataSetState::Insert) break;
        int z = aktuelle_zeile();
        if (z < 0 || z >= static_cast<int>(cache_.size())) break;
        cache_[z] = zeile_lesen();
        emit dataChanged(index(z, 0), index(z, columnCount() - 1));
        break;
    }
    }
}

void Tabellenmodell::zurueksetzen() {
    beginResetModel();
    store::DataSet* ds = verbindung_.daten();
    zeilen_ = ds && ds->Active() ? ds->RecordCount() : 0;
    cache_.clear();
    schluesselwerte_.clear();
    veraltet_ = true;
    endResetModel();
    emit aktuelle_zeile_geaendert(aktuelle_zeile());
}

std::vector<QString> Tabellenmodell::zeile_lesen() const {
    std::vector<QString> z;
    store::DataSet* ds = verbindung_.daten();
    for (const Spalte& s : spalten_)
        z.push_back(ds && ds->HasField(s.feld) ? QString::fromStdString(ds->FieldByName(s.feld).AsString())
                                               : QString());
    return z;
}

void Tabellenmodell::cache_fuellen() const {
    if (!veraltet_ || liest_) return;
    store::DataSet* ds = verbindung_.daten();
    cache_.clear();
    schluesselwerte_.clear();
    if (!ds || !ds->Active()) {
        veraltet_ = false;
        return;
    }
    // Reading moves the cursor; with a pending edit that would post it, so the rows wait.
    if (ds->State() != DataSetState::Browse) return;
    liest_ = true;
    const int stand = ds->RecNo();
    ds->DisableControls();
    try {
        for (ds->First(); !ds->Eof(); ds->Next()) {
            cache_.push_back(zeile_lesen());
            std::vector<store::Value> k;
            for (auto& f : schluessel_) k.push_back(ds->FieldByName(f).AsValue());
            schluesselwerte_.push_back(std::move(k));
        }
        if (stand > 0) {
            ds->First();
            for (int i = 1; i < stand && !ds->Eof(); ++i) ds->Next();
        }
    } catch (...) {
        ds->EnableControls();
        liest_ = false;
        throw;
    }
    ds->EnableControls();
    liest_ = false;
    veraltet_ = false;
}

int Tabellenmodell::rowCount(const QModelIndex& eltern) const {
    return eltern.isValid() ? 0 : zeilen_;
}

int Tabellenmodell::columnCount(const QModelIndex& eltern) const {
    return eltern.isValid() ? 0 : static_cast<int>(spalten_.size());
}

QString Tabellenmodell::text(int zeile, int spalte) const {
    cache_fuellen();
    if (zeile < 0 || zeile >= static_cast<int>(cache_.size())) return {};
    if (spalte < 0 || spalte >= static_cast<int>(spalten_.size())) return {};
    return cache_[zeile][spalte];
}

QVariant Tabellenmodell::data(const QModelIndex& index, int rolle) const {
    if (!index.isValid() || index.column() >= static_cast<int>(spalten_.size())) return {};
    const Spalte& s = spalten_[index.column()];
    switch (rolle) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(s.ausrichtung);
    case Qt::ForegroundRole:
        return s.schriftfarbe ? QVariant(*s.schriftfarbe) : QVariant();
    case Qt::BackgroundRole:
        return s.hintergrund ? QVariant(*s.hintergrund) : QVariant();
    case Qt::FontRole:
        if (s.fett) {
            QFont f = schrift_;
            f.setBold(*s.fett);
            return f;
        }
        return {};
    default:
        return {};
    }
}

QVariant Tabellenmodell::headerData(int abschnitt, Qt::Orientation richtung, int rolle) const {
    if (richtung != Qt::Horizontal || abschnitt < 0 || abschnitt >= static_cast<int>(spalten_.size()))
        return {};
    switch (rolle) {
    case Qt::DisplayRole:
        return spalten_[abschnitt].titel;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::FontRole: {
        QFont f = schrift_;
        f.setBold(true);
        return f;
    }
    default:
        return {};
    }
}

Qt::ItemFlags Tabellenmodell::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable; // never edited in place
}

int Tabellenmodell::aktuelle_zeile() const {
    store::DataSet* ds = verbindung_.daten();
    if (!ds || !ds->Active() || ds->State() == DataSetState::Insert) return -1;
    if (ds->RecordCount() == 0) return -1;
    return ds->RecNo() - 1;
}

void Tabellenmodell::zeile_waehlen(int zeile) {
    store::DataSet* ds = verbindung_.daten();
    if (!ds || !ds->Active() || ds->State() != DataSetState::Browse) return;
    if (zeile < 0 || zeile >= zeilen_ || zeile == aktuelle_zeile()) return;
    cache_fuellen();
    if (!schluessel_.empty() && zeile < static_cast<int>(schluesselwerte_.size())) {
        ds->Locate(schluesselfelder_, schluesselwerte_[zeile]);
        return;
    }
    ds->First();
    for (int i = 0; i < zeile && !ds->Eof(); ++i) ds->Next();
}

} // namespace pyra::ui
