#include "ui/steuerelemente/db_grid.h"

#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/meldungen.h"

#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QToolTip>

#include <algorithm>

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
    // Columns keep the layout's widths, narrow ones too (the style's minimum would widen them
    // and push the last columns out of sight).
    horizontalHeader()->setMinimumSectionSize(4);
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

void DBGrid::Einzeilig() {
    einzeilig_ = true;
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    zeilenhoehe_setzen();
}

void DBGrid::zeilenhoehe_setzen() {
    QFontMetrics fm(font());
    int hoehe = fm.height() + 3;
    // One record: the row takes the room below the header.
    if (einzeilig_ && viewport()->height() > fm.height()) hoehe = viewport()->height();
    verticalHeader()->setMinimumSectionSize(std::min(hoehe, fm.height() + 1));
    if (verticalHeader()->defaultSectionSize() != hoehe) verticalHeader()->setDefaultSectionSize(hoehe);
}

void DBGrid::updateGeometries() {
    QTableView::updateGeometries();
    // The header's height is known now, and with it the room of the one row.
    if (einzeilig_) zeilenhoehe_setzen();
}

int DBGrid::Zellenrand() const {
    // QStyledItemDelegate keeps this much room on either side of a cell's text; a grid line takes
    // one more pixel of the column.
    return style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
}

int DBGrid::Textbreite_der_Spalte(int spalte) const {
    return columnWidth(spalte) - 2 * Zellenrand() - (showGrid() ? 1 : 0);
}

void DBGrid::schrift_uebernehmen() {
    modell_->Schrift_setzen(font());
    const auto& s = modell_->spalten();
    for (int i = 0; i < static_cast<int>(s.size()); ++i) {
        if (s[i].groesster_wert.isEmpty()) continue;
        QFont basis = font();
        if (s[i].fett) basis.setBold(*s[i].fett);
        const int breite = s[i].breite - 2 * Zellenrand() - 1;
        modell_->Spaltenschrift_setzen(i, Schrift_fuer_Breite(basis, s[i].groesster_wert, breite));
    }
    zeilenhoehe_setzen();
}

bool DBGrid::viewportEvent(QEvent* e) {
    // A value too wide for its column is shown shortened ("…"); its tool tip shows it whole.
    if (e->type() == QEvent::ToolTip) {
        auto* hilfe = static_cast<QHelpEvent*>(e);
        const QModelIndex i = indexAt(hilfe->pos());
        if (i.isValid()) {
            const QString text = modell_->data(i, Qt::DisplayRole).toString();
            const QFontMetrics fm(modell_->Zellenschrift(i.column()));
            if (!text.isEmpty() && fm.horizontalAdvance(text) > Textbreite_der_Spalte(i.column())) {
                QToolTip::showText(hilfe->globalPos(), text, viewport(), visualRect(i));
                return true;
            }
        }
    }
    return QTableView::viewportEvent(e);
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
    if (aktuell.row() != vorher.row() && !modell_->zeile_waehlen(aktuell.row())) {
        // A refused row keeps the cursor: the highlight goes back to it once the click or key
        // that moved it has been handled.
        QMetaObject::invokeMethod(
            this, [this] { cursor_folgen(modell_->aktuelle_zeile()); }, Qt::QueuedConnection);
    }
}

} // namespace pyra::ui
