#include "ui/steuerelemente/tabellenmodell.h"

#include "data/datum.h"
#include "ui/gemeinsam/meldungen.h"

#include <algorithm>
#include <set>
#include <sstream>

namespace pyra::ui {

using store::DataEvent;
using store::DataSetState;

namespace {

// Every model, so that the models over one cursor can read their rows before it goes into edit
// state (rows cannot be read while a record is pending).
std::vector<Tabellenmodell*>& alle_modelle() {
    static std::vector<Tabellenmodell*> modelle;
    return modelle;
}

// Cursors whose rows a model is reading right now. Reading moves the cursor and ends with a
// change event that changes nothing; the other models over the same cursor ignore it (else two
// grids over one cursor would make each other read again, endlessly).
std::set<const store::DataSet*>& lesende_cursor() {
    static std::set<const store::DataSet*> cursor;
    return cursor;
}

} // namespace

Tabellenmodell::Tabellenmodell(std::vector<Spalte> spalten, std::string schluesselfelder, QObject* eltern)
    : QAbstractTableModel(eltern), spalten_(std::move(spalten)),
      schluesselfelder_(std::move(schluesselfelder)), spaltenschrift_(spalten_.size()),
      verbindung_([this](DataEvent e, const store::Field* f) { ereignis(e, f); }, {}) {
    std::stringstream s(schluesselfelder_);
    for (std::string teil; std::getline(s, teil, ';');)
        if (!teil.empty()) schluessel_.push_back(teil);
    alle_modelle().push_back(this);
}

Tabellenmodell::~Tabellenmodell() {
    auto& m = alle_modelle();
    m.erase(std::remove(m.begin(), m.end(), this), m.end());
}

void Tabellenmodell::quelle_setzen(store::DataSource* quelle) {
    if (quelle == verbindung_.quelle()) return;
    verbindung_.setzen(quelle); // announces a Changed event: the model is reset
}

void Tabellenmodell::ereignis(DataEvent e, const store::Field*) {
    if (liest_) return;
    store::DataSet* ds = verbindung_.daten();
    if (ds && lesende_cursor().count(ds)) return;
    switch (e) {
    case DataEvent::Changed:
        if (zeile_zurueck_ && !veraltet_) {
            // A refused cell dropped the edit it began: only the current row comes back (a reset
            // would pull the open cell editor away from the view).
            const int z = aktuelle_zeile();
            if (z >= 0 && z < static_cast<int>(cache_.size())) {
                cache_[z] = zeile_lesen();
                emit dataChanged(index(z, 0), index(z, columnCount() - 1));
                break;
            }
        }
        zurueksetzen();
        break;
    case DataEvent::Opened:
    case DataEvent::Refreshed:
    case DataEvent::Closed:
        zurueksetzen();
        break;
    case DataEvent::Scrolled:
        emit aktuelle_zeile_geaendert(aktuelle_zeile());
        break;
    case DataEvent::FieldChanged:
    case DataEvent::StateChanged: {
        if (!ds) break;
        if (ds->State() == DataSetState::Insert) {
            if (!bearbeitbar()) break;
            if (!neue_zeile_) {
                beginInsertRows({}, zeilen_, zeilen_);
                neue_zeile_ = true;
                endInsertRows();
                emit aktuelle_zeile_geaendert(zeilen_);
            } else {
                emit dataChanged(index(zeilen_, 0), index(zeilen_, columnCount() - 1));
            }
            break;
        }
        if (veraltet_) break;
        int z = aktuelle_zeile();
        if (z < 0 || z >= static_cast<int>(cache_.size())) break;
        cache_[z] = zeile_lesen();
        emit dataChanged(index(z, 0), index(z, columnCount() - 1));
        break;
    }
    }
}

bool Tabellenmodell::neue_zeile_zeigen() const {
    store::DataSet* ds = verbindung_.daten();
    return bearbeitbar() && ds && ds->Active() && ds->State() == DataSetState::Insert;
}

void Tabellenmodell::zurueksetzen() {
    beginResetModel();
    store::DataSet* ds = verbindung_.daten();
    zeilen_ = ds && ds->Active() ? ds->RecordCount() : 0;
    neue_zeile_ = neue_zeile_zeigen();
    cache_.clear();
    schluesselwerte_.clear();
    veraltet_ = true;
    endResetModel();
    emit aktuelle_zeile_geaendert(aktuelle_zeile());
}

QString Tabellenmodell::feldtext(store::DataSet& ds, const Spalte& s) const {
    if (!ds.HasField(s.feld)) return {};
    store::Field f = ds.FieldByName(s.feld);
    if (s.nachkommastellen && !f.IsNull()) {
        QString t = QString::number(f.AsFloat(), 'f', *s.nachkommastellen);
        const char dez = data::Dezimaltrennzeichen();
        if (dez != '.') t.replace(QLatin1Char('.'), QLatin1Char(dez));
        return t;
    }
    return QString::fromStdString(f.AsString());
}

std::vector<QString> Tabellenmodell::zeile_lesen() const {
    std::vector<QString> z;
    store::DataSet* ds = verbindung_.daten();
    for (const Spalte& s : spalten_) z.push_back(ds ? feldtext(*ds, s) : QString());
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
    lesende_cursor().insert(ds);
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
        lesende_cursor().erase(ds);
        liest_ = false;
        throw;
    }
    ds->EnableControls();
    lesende_cursor().erase(ds);
    liest_ = false;
    veraltet_ = false;
}

void Tabellenmodell::caches_der_quelle_fuellen() const {
    store::DataSet* ds = verbindung_.daten();
    if (!ds) return;
    for (Tabellenmodell* m : std::vector<Tabellenmodell*>(alle_modelle()))
        if (m->verbindung_.daten() == ds) m->cache_fuellen();
}

int Tabellenmodell::rowCount(const QModelIndex& eltern) const {
    return eltern.isValid() ? 0 : zeilen_ + (neue_zeile_ ? 1 : 0);
}

int Tabellenmodell::columnCount(const QModelIndex& eltern) const {
    return eltern.isValid() ? 0 : static_cast<int>(spalten_.size());
}

QString Tabellenmodell::text(int zeile, int spalte) const {
    if (spalte < 0 || spalte >= static_cast<int>(spalten_.size())) return {};
    if (neue_zeile_ && zeile == zeilen_) {
        store::DataSet* ds = verbindung_.daten();
        return ds ? feldtext(*ds, spalten_[spalte]) : QString(); // the record being added
    }
    cache_fuellen();
    if (zeile < 0 || zeile >= static_cast<int>(cache_.size())) return {};
    return cache_[zeile][spalte];
}

void Tabellenmodell::titel_setzen(int spalte, const QString& titel) {
    if (spalte < 0 || spalte >= static_cast<int>(spalten_.size())) return;
    spalten_[spalte].titel = titel;
    emit headerDataChanged(Qt::Horizontal, spalte, spalte);
}

QVariant Tabellenmodell::data(const QModelIndex& index, int rolle) const {
    if (!index.isValid() || index.column() >= static_cast<int>(spalten_.size())) return {};
    const Spalte& s = spalten_[index.column()];
    switch (rolle) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(s.ausrichtung);
    case Qt::ForegroundRole:
        return s.schriftfarbe ? QVariant(*s.schriftfarbe) : QVariant();
    case Qt::BackgroundRole:
        return s.hintergrund ? QVariant(*s.hintergrund) : QVariant();
    case Qt::FontRole:
        if (s.fett || spaltenschrift_.at(static_cast<std::size_t>(index.column())))
            return Zellenschrift(index.column());
        return {};
    default:
        return {};
    }
}

QFont Tabellenmodell::Zellenschrift(int spalte) const {
    const auto i = static_cast<std::size_t>(spalte);
    if (i < spaltenschrift_.size() && spaltenschrift_[i]) return *spaltenschrift_[i];
    QFont f = schrift_;
    if (i < spalten_.size() && spalten_[i].fett) f.setBold(*spalten_[i].fett);
    return f;
}

void Tabellenmodell::Spaltenschrift_setzen(int spalte, const QFont& schrift) {
    const auto i = static_cast<std::size_t>(spalte);
    if (i >= spaltenschrift_.size()) return;
    spaltenschrift_[i] = schrift;
    if (zeilen_ > 0) emit dataChanged(index(0, spalte), index(zeilen_ - 1, spalte), {Qt::FontRole});
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
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (zelle_bearbeitbar(index.row(), index.column())) f |= Qt::ItemIsEditable;
    return f;
}

int Tabellenmodell::aktuelle_zeile() const {
    store::DataSet* ds = verbindung_.daten();
    if (!ds || !ds->Active()) return -1;
    if (ds->State() == DataSetState::Insert) return neue_zeile_ ? zeilen_ : -1;
    if (ds->RecordCount() == 0) return -1;
    return ds->RecNo() - 1;
}

bool Tabellenmodell::zeile_waehlen(int zeile) {
    store::DataSet* ds = verbindung_.daten();
    if (!ds || !ds->Active()) return false;
    if (zeile == aktuelle_zeile()) return zeile >= 0;
    if (!bearbeitbar()) {
        if (ds->State() != DataSetState::Browse) return false;
        if (zeile < 0 || zeile >= zeilen_) return false;
    } else {
        // The record the row shows now; posting the pending one can move the rows.
        cache_fuellen();
        std::optional<std::vector<store::Value>> ziel;
        if (zeile >= 0 && zeile < zeilen_ && !veraltet_ && zeile < static_cast<int>(schluesselwerte_.size()))
            ziel = schluesselwerte_[zeile];
        const bool erlaubt = (!vor_der_bearbeitung || vor_der_bearbeitung()) && zeile_speichern();
        if (!erlaubt) {
            emit aktuelle_zeile_geaendert(aktuelle_zeile()); // the view goes back to the cursor's row
            return false;
        }
        if (ziel && !schluessel_.empty()) return ds->Locate(schluesselfelder_, *ziel);
        if (zeile < 0 || zeile >= zeilen_) return false;
    }
    cache_fuellen();
    if (!schluessel_.empty() && zeile < static_cast<int>(schluesselwerte_.size())) {
        return ds->Locate(schluesselfelder_, schluesselwerte_[zeile]);
    }
    ds->First();
    for (int i = 0; i < zeile && !ds->Eof(); ++i) ds->Next();
    return true;
}

// --- Editing in place -------------------------------------------------------------------

bool Tabellenmodell::bearbeitbar() const {
    return std::any_of(spalten_.begin(), spalten_.end(),
                       [](const Spalte& s) { return s.bearbeitung != Bearbeitung::nie; });
}

bool Tabellenmodell::zelle_bearbeitbar(int zeile, int spalte) const {
    if (spalte < 0 || spalte >= static_cast<int>(spalten_.size())) return false;
    const store::Table* t = verbindung_.tabelle();
    if (!t || !t->Active() || !t->HasField(spalten_[spalte].feld)) return false;
    switch (spalten_[spalte].bearbeitung) {
    case Bearbeitung::nie:
        return false;
    case Bearbeitung::immer:
        return zeile >= 0 && zeile < rowCount();
    case Bearbeitung::neue_zeile:
        return neue_zeile_ && zeile == zeilen_;
    }
    return false;
}

bool Tabellenmodell::ausstehend() const {
    const store::Table* t = verbindung_.tabelle();
    return t && t->Active() && (t->State() == DataSetState::Edit || t->State() == DataSetState::Insert);
}

void Tabellenmodell::melden(const QString& text) {
    if (meldung)
        meldung(text);
    else
        Meldung(nullptr, text);
}

bool Tabellenmodell::setData(const QModelIndex& index, const QVariant& wert, int rolle) {
    if (!index.isValid() || rolle != Qt::EditRole) return false;
    return zelle_setzen(index.row(), index.column(), wert.toString());
}

bool Tabellenmodell::zelle_setzen(int zeile, int spalte, const QString& text) {
    store::Table* t = verbindung_.tabelle();
    if (!t || !zelle_bearbeitbar(zeile, spalte)) return false;
    if (zeile != aktuelle_zeile() && !zeile_waehlen(zeile)) return false;
    const Spalte& s = spalten_[spalte];
    const QString neu = text.trimmed();
    if (neu == feldtext(*t, s)) return true; // nothing changed
    // Only an edit this cell began is dropped when the value is refused.
    const bool eigene_bearbeitung = t->State() == DataSetState::Browse;
    if (eigene_bearbeitung) {
        if (vor_der_bearbeitung && !vor_der_bearbeitung()) return false;
        caches_der_quelle_fuellen();
    }
    try {
        t->Edit();
        t->FieldByName(s.feld).SetString(neu.toStdString());
    } catch (const store::StoreError& e) {
        if (eigene_bearbeitung) {
            zeile_zurueck_ = t->State() == DataSetState::Edit;
            t->Cancel();
            zeile_zurueck_ = false;
        }
        melden(QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

bool Tabellenmodell::zeile_speichern() {
    store::Table* t = verbindung_.tabelle();
    if (!ausstehend()) return true;
    try {
        if (vor_dem_speichern) vor_dem_speichern(*t);
        t->Post();
    } catch (const store::StoreError& e) {
        // The input stays for correction; the user learns how to drop it instead.
        melden(QString::fromUtf8(e.what()) + QStringLiteral("\r") + Hinweis_verwerfen);
        return false;
    }
    return true;
}

bool Tabellenmodell::zeile_anhaengen() {
    store::Table* t = verbindung_.tabelle();
    if (!t || !t->Active() || !bearbeitbar()) return false;
    if (t->State() == DataSetState::Insert) return true;
    if (vor_der_bearbeitung && !vor_der_bearbeitung()) return false;
    if (!zeile_speichern()) return false;
    caches_der_quelle_fuellen();
    try {
        t->Append();
    } catch (const store::StoreError& e) {
        melden(QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

void Tabellenmodell::zeile_verwerfen() {
    if (ausstehend()) verbindung_.tabelle()->Cancel();
}

} // namespace pyra::ui
