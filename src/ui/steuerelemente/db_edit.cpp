#include "ui/steuerelemente/db_edit.h"

#include "data/datum.h"
#include "data/eingabepruefung.h"
#include "ui/gemeinsam/meldungen.h"

#include <QKeyEvent>

namespace pyra::ui {

DBEdit::DBEdit(QWidget* eltern)
    : QLineEdit(eltern), verbindung_(
                             [this](store::DataEvent e, const store::Field* f) {
                                 if (!schreibt_ && betrifft_feld(e, f, feld_)) anzeigen();
                             },
                             [this] {
                                 if (isModified()) uebernehmen();
                             }) {}

void DBEdit::binden(store::DataSource* quelle, const std::string& feld) {
    feld_ = feld;
    verbindung_.setzen(quelle);
    anzeigen();
}

QString DBEdit::feldtext() const {
    if (feld_.empty() || !verbindung_.hat_datensatz()) return {};
    store::Field f = verbindung_.daten()->FieldByName(feld_);
    QString text = QString::fromStdString(f.AsString());
    // Fractions with the program's decimal separator ("8,5"); typed input may use either.
    if (f.DataType() == store::FieldType::Float && !f.IsNull())
        text.replace(QLatin1Char('.'), QLatin1Char(data::Dezimaltrennzeichen()));
    return text;
}

void DBEdit::anzeigen() {
    const QString text = feldtext();
    if (text != this->text()) setText(text);
    setModified(false);
}

bool DBEdit::uebernehmen() {
    store::Table* t = verbindung_.tabelle();
    if (!t || !t->Active() || feld_.empty()) return true;
    // The post below asks every bound control for pending input, this box too. The text has
    // been handed over by then; without this guard a text that reads back differently (" 8 ",
    // "07", "+5") would be handed over again and again until the stack overflows.
    if (uebernimmt_) return true;
    struct Sperre {
        bool& b;
        explicit Sperre(bool& x) : b(x) { b = true; }
        ~Sperre() { b = false; }
    } sperre(uebernimmt_);
    std::string neu = text().toStdString();
    if (verbindung_.hat_datensatz() && (t->FieldByName(feld_).AsString() == neu || feldtext() == text())) {
        setModified(false);
        return true;
    }
    // Only an edit this box began is dropped when the value is refused.
    const bool eigene_bearbeitung = t->State() == store::DataSetState::Browse;
    schreibt_ = true;
    try {
        // A number outside the field's range, or an empty required field, is refused before the
        // record is touched; any other text goes to the store, which refuses what is no number
        // of the field's type.
        if (const std::string fehler = data::Eingabe_pruefen(feld_, neu); !fehler.empty())
            throw store::StoreError(fehler);
        t->Edit();
        t->FieldByName(feld_).SetString(neu);
        schreibt_ = false;
        if (sofort_speichern_) t->Post();
    } catch (const store::StoreError& e) {
        schreibt_ = false;
        if (eigene_bearbeitung) t->Cancel();
        anzeigen();
        Meldung(window(), QString::fromUtf8(e.what()));
        return false;
    } catch (...) {
        schreibt_ = false;
        throw;
    }
    anzeigen();
    return true;
}

void DBEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (isModified()) uebernehmen();
    emit verlassen();
}

void DBEdit::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (isModified()) uebernehmen();
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Escape && isModified()) {
        anzeigen(); // typing undone, the stored value comes back
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

} // namespace pyra::ui
