#include "ui/steuerelemente/db_grid.h"

#include "ui/gemeinsam/meldungen.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>

namespace pyra::ui {

DBGrid::DBGrid(std::vector<Spalte> spalten, const std::string& schluesselfelder, bool zeilenauswahl,
               QWidget* eltern)
    : QTableView(eltern), modell_(new Tabellenmodell(std::move(spalten), schluesselfelder, this)) {
    setModel(modell_);
    if (modell_->bearbeitbar()) {
        setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                        QAbstractItemView::AnyKeyPressed);
        modell_->meldung = [this](const QString& text) { Meldung(window(), text); };
    } else {
        setEditTriggers(QAbstractItemView::NoEditTriggers);
    }
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(zeilenauswahl ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide(); // no row indicator
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setStretchLastSection(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    const auto& s = modell_->spalten();
    for (int i = 0; i < static_cast<int>(s.size()); ++i) setColumnWidth(i, s[i].breite);
    // The selected row stays visible when the grid has no focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText,
               p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
    schrift_uebernehmen();
    connect(modell_, &Tabellenmodell::aktuelle_zeile_geaendert, this, &DBGrid::cursor_folgen);
}

void DBGrid::quelle_setzen(store::DataSource* quelle) {
    modell_->quelle_setzen(quelle);
    const auto& s = modell_->spalten();
    for (int i = 0; i < static_cast<int>(s.size()); ++i) setColumnWidth(i, s[i].breite);
}

void DBGrid::schrift_uebernehmen() {
    modell_->Schrift_setzen(font());
    QFontMetrics fm(font());
    verticalHeader()->setMinimumSectionSize(fm.height() + 2);
    verticalHeader()->setDefaultSectionSize(fm.height() + 4);
}

void DBGrid::changeEvent(QEvent* e) {
    QTableView::changeEvent(e);
    if (e->type() == QEvent::FontChange) schrift_uebernehmen();
}

void DBGrid::keyPressEvent(QKeyEvent* e) {
    if (modell_->bearbeitbar() && state() != QAbstractItemView::EditingState) {
        const bool letzte_zeile = currentIndex().row() == modell_->rowCount() - 1;
        if (e->key() == Qt::Key_Escape && modell_->ausstehend()) {
            modell_->zeile_verwerfen();
            e->accept();
            return;
        }
        if (e->key() == Qt::Key_Insert ||
            (e->key() == Qt::Key_Down && letzte_zeile && e->modifiers() == Qt::NoModifier)) {
            modell_->zeile_anhaengen();
            e->accept();
            return;
        }
    }
    QTableView::keyPressEvent(e);
}

void DBGrid::cursor_folgen(int zeile) {
    folgt_ = true;
    if (zeile < 0) {
        clearSelection();
        setCurrentIndex({});
    } else {
        int spalte = currentIndex().isValid() ? currentIndex().column() : 0;
        QModelIndex i = modell_->index(zeile, spalte);
        setCurrentIndex(i);
        scrollTo(i);
    }
    folgt_ = false;
}

void DBGrid::currentChanged(const QModelIndex& aktuell, const QModelIndex& vorher) {
    QTableView::currentChanged(aktuell, vorher);
    if (folgt_ || !aktuell.isValid()) return;
    if (aktuell.row() != vorher.row()) modell_->zeile_waehlen(aktuell.row());
}

} // namespace pyra::ui
