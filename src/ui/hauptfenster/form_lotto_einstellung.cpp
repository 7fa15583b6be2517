// The rows grid, the settings of the association, the pictures and the homepage labels.

#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/bilder.h"
#include "ui/gemeinsam/shell_oeffnen.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/steuerelemente/db_edit.h"
#include "ui/steuerelemente/db_grid.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>

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
    std::vector<Spalte> s;
    s.push_back({"Reihe", QStringLiteral("Rh"), 42, Qt::AlignRight | Qt::AlignVCenter, {}, Farbe_Silver, {}});
    for (int i = 1; i <= 6; ++i)
        s.push_back({"Tipp_Zahl_" + std::to_string(i),
                     QString::number(i),
                     30,
                     Qt::AlignRight | Qt::AlignVCenter,
                     {},
                     {},
                     {}});
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
    Image_Spielschein->setPixmap(Bild(QStringLiteral(":/pyra/spielschein.svg"), Image_Spielschein->size()));

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
    ausfuehren([this] { dm_->CheckBox_SystemClick(CheckBox_System->isChecked()); });
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
