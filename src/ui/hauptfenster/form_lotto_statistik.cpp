// The statistics grid and its six sort buttons in the toolbar.

#include "ui/gemeinsam/aussehen.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/hauptfenster/kernanbindung.h"
#include "ui/steuerelemente/db_grid.h"

#include <QAction>
#include <QFrame>
#include <QRadioButton>

namespace pyra::ui {

namespace {
const QString Hinweis_Sortierung =
    QStringLiteral("Sortierung der Anzeige nach Zahlen, Wahrscheinlichkeit, Häufigkeit und Rückständigkeit");

struct Sortierknopf {
    const char* name;
    const char* titel;
};
constexpr Sortierknopf Sortierknoepfe[6] = {
    {"RadioButton_Sortierung_Zahl", "Z"},
    {"RadioButton_Sortierung_Wahrscheinlichkeit", "W%"},
    {"RadioButton_Sortierung_Haeufigkeit", "Hf"},
    {"RadioButton_Sortierung_Rueckstaendigkeit", "Rs"},
    {"RadioButton_Sortierung_Haeufigkeit_Ja", "HJ"},
    {"RadioButton_Sortierung_Rueckstaendigkeit_Ja", "RJ"},
};

std::vector<Spalte> statistikspalten() {
    const Qt::Alignment rechts = Qt::AlignRight | Qt::AlignVCenter;
    // The widest values: a percentage of 100, counts of the draws of decades.
    auto spalte = [](Spalte s, const char* groesster_wert) {
        s.groesster_wert = QString::fromUtf8(groesster_wert);
        return s;
    };
    return {
        spalte({"Zahl", QStringLiteral("Z"), 39, rechts, {}, {}, {}}, "49"),
        spalte({"Wahrscheinlichkeit_Str", QStringLiteral("W%"), 60, Qt::AlignCenter, Farbe_Navy, {}, false},
               "100,0%"),
        spalte({"Haeufigkeit_Wo", QStringLiteral("Hf"), 48, rechts, {}, {}, {}}, "999"),
        spalte({"Rueckstaendig_Wo", QStringLiteral("Rs"), 38, rechts, {}, {}, {}}, "999"),
        spalte({"Haeufigkeit_Ja", QStringLiteral("HJ"), 37, rechts, {}, {}, false}, "99"),
        spalte({"Rueckstaendig_Ja", QStringLiteral("RJ"), 37, rechts, {}, {}, false}, "99"),
    };
}
} // namespace

void TForm_Lotto::Statistik_anlegen(QWidget* flaeche) {
    const int breite = 336 / 6;
    for (int i = 0; i < 6; ++i) {
        auto* r = new QRadioButton(QString::fromUtf8(Sortierknoepfe[i].titel), Bevel_Sortierung);
        benennen(r, Sortierknoepfe[i].name, Hinweis_Sortierung);
        platzieren(r, 6 + breite * i, 4, breite - 6, 21);
        r->setChecked(i == 0);
        connect(r, &QRadioButton::toggled, this, [this, i](bool an) {
            if (!an) return;
            sortierung_ = i;
            RadioGroup_SortierungClick();
        });
        RadioButton_Sortierung[i] = r;
    }

    Bevel_Zahlen = new QFrame(flaeche);
    benennen(Bevel_Zahlen, "Bevel_Zahlen",
             QStringLiteral("Zahlen Wahrscheinlichkeit, Häufigkeit, Rückständigkeit Woche und Jahr"));
    Bevel_Zahlen->setFrameShape(QFrame::Box);
    Bevel_Zahlen->setFrameShadow(QFrame::Sunken);
    platzieren(Bevel_Zahlen, 410, 56, 332, 618);

    DBGrid_Zahlen = new DBGrid(statistikspalten(), "Zahl", true, flaeche);
    benennen(
        DBGrid_Zahlen, "DBGrid_Zahlen",
        QStringLiteral("Zahlen - Wahrscheinlichkeit, Häufigkeit, Rückständigkeit Wochen und in jeweiliger "
                       "Jahresziehung"));
    platzieren(DBGrid_Zahlen, 430, 63, 290, 603);

    // Context menu of the grid: the charts, the Verlauf chart on the number clicked.
    MenuItem_Gitter_Diagramme = new QAction(QStringLiteral("Diagramme"), DBGrid_Zahlen);
    MenuItem_Gitter_Diagramme->setObjectName(QStringLiteral("MenuItem_Gitter_Diagramme"));
    connect(MenuItem_Gitter_Diagramme, &QAction::triggered, this,
            [this] { ausfuehren([this] { Dialog_Diagramme_zeigen(true); }); });
    DBGrid_Zahlen->addAction(MenuItem_Gitter_Diagramme);
    DBGrid_Zahlen->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void TForm_Lotto::Statistik_binden() {
    DBGrid_Zahlen->quelle_setzen(dm_ ? &dm_->DataSource_Zahl_Daten : nullptr);
}

int TForm_Lotto::Sortierung_gewaehlt() const {
    return sortierung_;
}

void TForm_Lotto::RadioGroup_SortierungClick() {
    if (!dm_) return;
    bool angewandt = false;
    ausfuehren([this, &angewandt] { angewandt = kern::Sortierung_anwenden(*dm_, sortierung_); });
    if (angewandt) {
        sortierung_in_kraft_ = sortierung_;
        return;
    }
    // Declined (or failed): the grid keeps its order, and so do the buttons.
    sortierung_ = sortierung_in_kraft_;
    for (QRadioButton* r : RadioButton_Sortierung) r->blockSignals(true);
    RadioButton_Sortierung[static_cast<std::size_t>(sortierung_)]->setChecked(true);
    for (QRadioButton* r : RadioButton_Sortierung) r->blockSignals(false);
}

} // namespace pyra::ui
