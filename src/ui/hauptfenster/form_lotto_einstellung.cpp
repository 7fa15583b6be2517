// The rows grid, the settings of the association, the pictures and the homepage labels.

#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/bilder.h"
#include "ui/gemeinsam/shell_oeffnen.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/steuerelemente/db_checkbox.h"
#include "ui/steuerelemente/db_edit.h"
#include "ui/steuerelemente/db_grid.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>

namespace pyra::ui {

namespace {

const QString Hinweis_Homepage = QStringLiteral("Aufruf der Homepage");

// A label that reports a click.
class Linklabel : public QLabel {
  public:
    Linklabel(const QString& text, QWidget* eltern, std::function<void()> klick)
        : QLabel(text, eltern), klick_(std::move(klick)) {
        setCursor(Qt::PointingHandCursor);
        setFont(Schrift(13, true));
        QPalette p = palette();
        p.setColor(QPalette::WindowText, Farbe_Maroon);
        setPalette(p);
    }

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        QLabel::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && klick_) klick_();
    }

  private:
    std::function<void()> klick_;
};

std::vector<Spalte> reihenspalten() {
    const Qt::Alignment rechts = Qt::AlignRight | Qt::AlignVCenter;
    std::vector<Spalte> s;
    Spalte reihe{"Reihe", QStringLiteral("Rh"), 42, rechts, {}, Farbe_Silver, {}};
    reihe.groesster_wert = QStringLiteral("750");
    s.push_back(reihe);
    for (int i = 1; i <= 6; ++i) {
        Spalte zahl{"Tipp_Zahl_" + std::to_string(i), QString::number(i), 30, rechts, {}, {}, {}};
        zahl.groesster_wert = QStringLiteral("49");
        s.push_back(zahl);
    }
    s.push_back({"Richtige", QStringLiteral("Rg"), 29, Qt::AlignCenter, Farbe_Navy, {}, false});
    return s;
}

} // namespace

void TForm_Lotto::Einstellung_anlegen(QWidget* flaeche) {
    DBGrid_Reihen_Kuerzung = new DBGrid(reihenspalten(), "Reihe", false, flaeche);
    benennen(DBGrid_Reihen_Kuerzung, "DBGrid_Reihen_Kuerzung", QStringLiteral("Reihen des Systems"));
    {
        QPalette p = DBGrid_Reihen_Kuerzung->palette();
        p.setColor(QPalette::Base, Farbe_Weiss);
        DBGrid_Reihen_Kuerzung->setPalette(p);
    }
    platzieren(DBGrid_Reihen_Kuerzung, 60, 361, 285, 303);

    Image_Spielschein = new QLabel(flaeche);
    benennen(Image_Spielschein, "Image_Spielschein");
    platzieren(Image_Spielschein, 768, 56, 227, 185);
    Spielschein_zeigen(49);

    GroupBox_Einstellung = new QGroupBox(QStringLiteral("Einstellung"), flaeche);
    benennen(GroupBox_Einstellung, "GroupBox_Einstellung");
    platzieren(GroupBox_Einstellung, 800, 288, 161, 145);

    const QString hinweis_zahlen = QStringLiteral("Zahlen des Lottos (Deutschland = 49)");
    Label_Zahlen = new QLabel(QStringLiteral("Zahlen"), GroupBox_Einstellung);
    benennen(Label_Zahlen, "Label_Zahlen", hinweis_zahlen);
    platzieren(Label_Zahlen, 25, 36);
    DBEdit_Zahlen = new DBEdit(GroupBox_Einstellung);
    benennen(DBEdit_Zahlen, "DBEdit_Zahlen", hinweis_zahlen);
    DBEdit_Zahlen->setEnabled(false); // shows the number range, never edited here
    DBEdit_Zahlen->setAlignment(Qt::AlignCenter);
    platzieren(DBEdit_Zahlen, 104, 28, 33, 28);

    Label_Reihen = new QLabel(QStringLiteral("Reihen"), GroupBox_Einstellung);
    benennen(Label_Reihen, "Label_Reihen", QStringLiteral("Maximale Anzahl der Reihen der Kürzung"));
    platzieren(Label_Reihen, 25, 76);
    DBEdit_Reihen = new DBEdit(GroupBox_Einstellung);
    benennen(DBEdit_Reihen, "DBEdit_Reihen",
             QStringLiteral("Maximale Anzahl der Reihen der Kürzung (1-750)"));
    DBEdit_Reihen->setAlignment(Qt::AlignCenter);
    DBEdit_Reihen->setMaxLength(5);
    platzieren(DBEdit_Reihen, 104, 68, 33, 28);
    for (DBEdit* e : {DBEdit_Reihen, DBEdit_Zahlen})
        connect(e, &DBEdit::verlassen, this, [this] { DBEdit_ReihenExit(); });

    CheckBox_System = new QCheckBox(QStringLiteral("System "), GroupBox_Einstellung);
    benennen(CheckBox_System, "CheckBox_System", QStringLiteral("System sperren / entsperren"));
    platzieren(CheckBox_System, 41, 112, 88, 17);
    connect(CheckBox_System, &QCheckBox::clicked, this, [this] { CheckBox_SystemClick(); });

    Image_Zolts = new QLabel(flaeche);
    benennen(Image_Zolts, "Image_Zolts");
    Image_Zolts->setAttribute(Qt::WA_TranslucentBackground);
    platzieren(Image_Zolts, 782, 537, 197, 65);
    Image_Zolts->setPixmap(Bild(QStringLiteral(":/pyra/logo.svg"), Image_Zolts->size()));

    auto homepage = [this] { Label_HomepageClick(); };
    Label_Homepage = new Linklabel(QString(), flaeche, homepage);
    benennen(Label_Homepage, "Label_Homepage", Hinweis_Homepage);
    platzieren(Label_Homepage, 808, 608);
    Label_Software_fuer =
        new Linklabel(QStringLiteral("Sportwetten, Toto, Lotto und Roulette"), flaeche, homepage);
    benennen(Label_Software_fuer, "Label_Software_fuer", Hinweis_Homepage);
    platzieren(Label_Software_fuer, 752, 632);
    Label_Software = new Linklabel(QStringLiteral("Software"), flaeche, homepage);
    benennen(Label_Software, "Label_Software", Hinweis_Homepage);
    platzieren(Label_Software, 856, 648);
}

void TForm_Lotto::Schriften_einpassen() {
    // Boxes: the largest values they hold.
    Eingabe_einpassen(Edit_Reihen_Gesamt, QStringLiteral("750"));
    Eingabe_einpassen(DBEdit_Reihen, QStringLiteral("750"));
    Eingabe_einpassen(DBEdit_Zahlen, QStringLiteral("49"));
    for (DBEdit* e : DBEdit_Bankzahl) Eingabe_einpassen(e, QStringLiteral("49"));
    // Captions: the room up to the next control or the edge of their frame.
    for (QRadioButton* r : RadioButton_Sortierung) Beschriftung_einpassen(r, r->width());
    for (DBCheckBox* box : DBCheckBox_Zahl) Beschriftung_einpassen(box, box->width());
    Beschriftung_einpassen(CheckBox_System, CheckBox_System->width());
    Beschriftung_einpassen(Label_Reihen_Panel, Edit_Reihen_Gesamt->x() - Label_Reihen_Panel->x() - 4);
    Beschriftung_einpassen(Label_Zahlen, DBEdit_Zahlen->x() - Label_Zahlen->x() - 4);
    Beschriftung_einpassen(Label_Reihen, DBEdit_Reihen->x() - Label_Reihen->x() - 4);
    Beschriftung_einpassen(Label_Bankzahlen, DBEdit_Bankzahl[0]->x() - Label_Bankzahlen->x() - 4);
    Homepage_einpassen();
}

void TForm_Lotto::Homepage_einpassen() {
    // The texts come from the database: each line keeps to the window's width.
    const int rechts = Label_Homepage->parentWidget()->width() - 4;
    for (QLabel* l : {Label_Homepage, Label_Software_fuer, Label_Software}) {
        l->setFont(Schrift(13, true));
        Beschriftung_einpassen(l, rechts - l->x());
    }
}

void TForm_Lotto::Spielschein_zeigen(int zahlen_bis) {
    // The slip of the association's game: 6 aus 49, 6 aus 45 or 6 aus 42; none for another range.
    QString bild;
    if (zahlen_bis == 49) bild = QStringLiteral(":/pyra/spielschein.svg");
    if (zahlen_bis == 45 || zahlen_bis == 42)
        bild = QStringLiteral(":/pyra/spielschein_%1.svg").arg(zahlen_bis);
    if (bild == Image_Spielschein->property("pyra_bild").toString()) return;
    Image_Spielschein->setProperty("pyra_bild", bild);
    if (bild.isEmpty())
        Image_Spielschein->clear();
    else
        Image_Spielschein->setPixmap(Bild(bild, Image_Spielschein->size()));
}

void TForm_Lotto::Einstellung_binden() {
    DBEdit_Zahlen->binden(dm_ ? &dm_->DataSource_Lotto : nullptr, "Zahlen_bis");
    DBEdit_Reihen->binden(dm_ ? &dm_->DataSource_Lotto : nullptr, "Reihenberechnung");
    DBGrid_Reihen_Kuerzung->quelle_setzen(dm_ ? &dm_->DataSource_Dummy : nullptr);
}

void TForm_Lotto::Reihengitter_binden(bool mit_reihen) {
    if (!dm_) return;
    DBGrid_Reihen_Kuerzung->quelle_setzen(mit_reihen ? &dm_->DataSource_Reihen : &dm_->DataSource_Dummy);
}

void TForm_Lotto::DBEdit_ReihenExit() {
    if (!dm_) return;
    ausfuehren([this] {
        if (dm_->Table_Lotto.Active()) dm_->Table_Lotto.PostIfEditing();
    });
}

void TForm_Lotto::CheckBox_SystemClick() {
    if (!dm_) return;
    ausfuehren([this] {
        const bool gesperrt = CheckBox_System->isChecked();
        dm_->CheckBox_SystemClick(gesperrt);
        // Unlocked with filled rows: the player learns what the next change of an input does.
        auto& reihen = dm_->Table_Reihen;
        if (!gesperrt && reihen.Active() && reihen.RecordCount() > 0 &&
            !reihen.FieldByName("Tipp_Zahl_1").IsNull())
            Hinweis_anzeigen(Hinweis_entsperrt(static_cast<int>(reihen.RecordCount())));
    });
}

QString Hinweis_entsperrt(int reihen) {
    return QStringLiteral("System entsperrt: Die nächste Änderung einer Zahl oder Option leert die %1 %2.")
        .arg(reihen)
        .arg(reihen == 1 ? QStringLiteral("Reihe") : QStringLiteral("Reihen"));
}

void TForm_Lotto::CheckBox_System_setzen(bool checked) {
    // Setting the state from the data module applies the same lock again; no second round.
    QSignalBlocker sperre(CheckBox_System);
    CheckBox_System->setChecked(checked);
}

void TForm_Lotto::Label_HomepageClick() {
    if (!dm_ || !dm_->Table_Wahl.Active()) return;
    Adresse_oeffnen(QString::fromStdString(dm_->Table_Wahl.FieldByName("Homepage").AsString()));
}

} // namespace pyra::ui
