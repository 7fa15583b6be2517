// The toolbar of the main window: command buttons, the row counter and the four selection lists.

#include "ui/gemeinsam/aussehen.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/steuerelemente/db_lookupcombobox.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace pyra::ui {

namespace {

QToolButton* bildknopf(QWidget* eltern, const char* name, const QString& hinweis, const QString& bild) {
    auto* k = new QToolButton(eltern);
    benennen(k, name, hinweis);
    k->setIcon(QIcon(bild));
    k->setIconSize(QSize(24, 24));
    k->setAutoRaise(true);
    k->setFocusPolicy(Qt::NoFocus);
    return k;
}

DBLookupComboBox* auswahlliste(QWidget* eltern, const char* name, const QString& hinweis) {
    auto* c = new DBLookupComboBox(eltern);
    benennen(c, name, hinweis);
    c->setFont(Schrift(13, false));
    QPalette p = c->palette();
    p.setColor(QPalette::Base, Farbe_Weiss);
    p.setColor(QPalette::Button, Farbe_Weiss);
    c->setPalette(p);
    return c;
}

} // namespace

void TForm_Lotto::Werkzeugleiste_anlegen(QWidget* flaeche) {
    Panel_Speedbuttons_Wahl = new QFrame(flaeche);
    benennen(Panel_Speedbuttons_Wahl, "Panel_Speedbuttons_Wahl");
    Panel_Speedbuttons_Wahl->setFrameShape(QFrame::Panel);
    Panel_Speedbuttons_Wahl->setFrameShadow(QFrame::Sunken);
    Panel_Speedbuttons_Wahl->setAutoFillBackground(true);
    {
        QPalette p = Panel_Speedbuttons_Wahl->palette();
        p.setColor(QPalette::Window, Farbe_Teal);
        Panel_Speedbuttons_Wahl->setPalette(p);
    }
    platzieren(Panel_Speedbuttons_Wahl, 0, 2, 1016, 38);
    QWidget* leiste = Panel_Speedbuttons_Wahl;

    SpeedButton_Ziehungen =
        bildknopf(leiste, "SpeedButton_Ziehungen",
                  QStringLiteral("Anzeige, Eingabe der Ziehungsergebnisse und der Gewinnklassen"),
                  QStringLiteral(":/pyra/ziehungen.svg"));
    platzieren(SpeedButton_Ziehungen, 18, 5, 30, 30);
    connect(SpeedButton_Ziehungen, &QToolButton::clicked, this, [this] { MenuItem_ZiehungClick(); });

    SpeedButton_Reihenkuerzung =
        bildknopf(leiste, "SpeedButton_Reihenkuerzung",
                  QStringLiteral("Ermittlung Systemreihen und Reihenkürzung des Systems"),
                  QStringLiteral(":/pyra/reihenkuerzung.svg"));
    platzieren(SpeedButton_Reihenkuerzung, 70, 5, 30, 30);
    connect(SpeedButton_Reihenkuerzung, &QToolButton::clicked, this,
            [this] { MenuItem_ReihenkuerzungClick(); });

    Label_Reihen_Panel = new QLabel(QStringLiteral("Reihen"), leiste);
    benennen(Label_Reihen_Panel, "Label_Reihen_Panel");
    platzieren(Label_Reihen_Panel, 115, 12);

    Edit_Reihen_Gesamt = new QLineEdit(QStringLiteral("0"), leiste);
    benennen(Edit_Reihen_Gesamt, "Edit_Reihen_Gesamt", QStringLiteral("Anzahl Reihen der Kürzung"));
    Edit_Reihen_Gesamt->setFocusPolicy(Qt::NoFocus); // not a tab stop; a display only
    Edit_Reihen_Gesamt->setReadOnly(true);
    Edit_Reihen_Gesamt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    platzieren(Edit_Reihen_Gesamt, 186, 5, 55, 28);

    SpeedButton_Drucken = bildknopf(leiste, "SpeedButton_Drucken", QStringLiteral("Drucken der Spielscheine"),
                                    QStringLiteral(":/pyra/drucken.svg"));
    platzieren(SpeedButton_Drucken, 255, 5, 30, 30);
    connect(SpeedButton_Drucken, &QToolButton::clicked, this, [this] { MenuItem_DruckClick(); });

    Bevel_Sortierung = new QFrame(leiste);
    benennen(Bevel_Sortierung, "Bevel_Sortierung");
    Bevel_Sortierung->setFrameShape(QFrame::Box);
    Bevel_Sortierung->setFrameShadow(QFrame::Sunken);
    platzieren(Bevel_Sortierung, 300, 5, 336, 29);

    DBLookupComboBox_Ziehung =
        auswahlliste(leiste, "DBLookupComboBox_Ziehung", QStringLiteral("Wahl der Ziehung"));
    platzieren(DBLookupComboBox_Ziehung, 650, 7, 70, 24);
    DBLookupComboBox_Spielwoche =
        auswahlliste(leiste, "DBLookupComboBox_Spielwoche", QStringLiteral("Wahl der Spielwoche"));
    platzieren(DBLookupComboBox_Spielwoche, 727, 7, 95, 24);
    DBLookupComboBox_Jahr =
        auswahlliste(leiste, "DBLookupComboBox_Jahr", QStringLiteral("Wahl der Spielwoche / Jahr"));
    platzieren(DBLookupComboBox_Jahr, 828, 7, 60, 24);
    DBLookupComboBox_Verband =
        auswahlliste(leiste, "DBLookupComboBox_Verband",
                     QStringLiteral("Wahl des Landes (Deutschland, Österreich, Schweiz)"));
    platzieren(DBLookupComboBox_Verband, 893, 7, 115, 24);

    for (DBLookupComboBox* c : {DBLookupComboBox_Ziehung, DBLookupComboBox_Spielwoche, DBLookupComboBox_Jahr,
                                DBLookupComboBox_Verband}) {
        connect(c, &DBLookupComboBox::geschlossen, this, [this] { DBLookupComboBox_AuswahllistenCloseUp(); });
        connect(c, &DBLookupComboBox::taste_losgelassen, this,
                [this] { DBLookupComboBox_AuswahllistenKeyUp(); });
    }
}

void TForm_Lotto::Werkzeugleiste_binden() {
    if (!dm_) {
        for (DBLookupComboBox* c : {DBLookupComboBox_Ziehung, DBLookupComboBox_Spielwoche,
                                    DBLookupComboBox_Jahr, DBLookupComboBox_Verband})
            c->binden(nullptr, {}, nullptr, {}, {});
        return;
    }
    DBLookupComboBox_Ziehung->binden(&dm_->DataSource_Wahl, "ID_Ziehung", &dm_->DataSource_Ziehung,
                                     "ID_Ziehung", "Ziehung");
    DBLookupComboBox_Spielwoche->binden(&dm_->DataSource_Wahl, "Woche_aktuell", &dm_->DataSource_Woche,
                                        "ID_Woche", "Woche");
    DBLookupComboBox_Jahr->binden(&dm_->DataSource_Wahl, "Jahr_aktuell", &dm_->DataSource_Jahr, "ID_Jahr",
                                  "Jahr");
    DBLookupComboBox_Verband->binden(&dm_->DataSource_Wahl, "ID_Verband", &dm_->DataSource_Verband,
                                     "ID_Verband", "Verband");
}

void TForm_Lotto::DBLookupComboBox_AuswahllistenCloseUp() {
    if (!dm_ || kuerzung_laeuft_) return;
    ausfuehren([this] { dm_->Auswahl_uebernehmen(); });
}

void TForm_Lotto::DBLookupComboBox_AuswahllistenKeyUp() {
    DBLookupComboBox_AuswahllistenCloseUp();
}

void TForm_Lotto::Reihen_Gesamt_anzeigen(const QString& text) {
    Edit_Reihen_Gesamt->setText(text);
    Edit_Reihen_Gesamt->repaint();
}

} // namespace pyra::ui
