#include "ui/db_edit.h"

#include "ui/meldungen.h"

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

void DBEdit::anzeigen() {
    QString text;
    if (!feld_.empty() && verbindung_.hat_datensatz())
        text = QString::fromStdString(verbindung_.daten()->FieldByName(feld_).AsString());
    if (text != this->text()) setText(text);
    setModified(false);
}

bool DBEdit::uebernehmen() {
    store::Table* t = verbindung_.tabelle();
    if (!t || !t->Active() || feld_.empty()) return true;
    std::string neu = text().toStdString();
    if (verbindung_.hat_datensatz() && t->FieldByName(feld_).AsString() == neu) {
        setModified(false);
        return true;
    }
    // Only an edit this box began is dropped when the value is refused.
    const bool eigene_bearbeitung = t->State() == store::DataSetState::Browse;
    schreibt_ = true;
    try {
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
