#pragma once

// The slip layout dialog: the positions of the row boxes, the distances inside a box, the size
// of the mark and the three tick boxes, all bound to the current association's Lotto record.
// Typing changes that record at once (it goes into edit state); the dialog posts nothing, the
// record is stored when Table_Lotto is next posted.

#include "data/datamodule.h"
#include "ui/steuerelemente/datenverbindung.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QPointer>
#include <QTableView>

#include <functional>
#include <string>
#include <vector>

class QFrame;
class QLabel;
class QPushButton;

namespace pyra::ui {

class DBEdit;

// A column of a one-row grid: the field and its title.
struct Zeilenspalte {
    std::string feld;
    QString titel;
};

// The current record of a cursor as one editable table row, one column per field. A typed
// value goes into the record (edit state); a value the store refuses is reported and the old
// one stays.
class Zeilenmodell : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit Zeilenmodell(std::vector<Zeilenspalte> spalten, QObject* eltern = nullptr);

    void quelle_setzen(store::DataSource* quelle);
    // The window that owns the messages; what the view hands over before the cursor posts.
    void Fenster_setzen(QWidget* fenster) { fenster_ = fenster; }
    void Uebergabe_setzen(std::function<void()> uebergabe) { uebergabe_ = std::move(uebergabe); }

    int rowCount(const QModelIndex& eltern = {}) const override;
    int columnCount(const QModelIndex& eltern = {}) const override;
    QVariant data(const QModelIndex& index, int rolle) const override;
    bool setData(const QModelIndex& index, const QVariant& wert, int rolle = Qt::EditRole) override;
    QVariant headerData(int abschnitt, Qt::Orientation richtung, int rolle) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    void ereignis(store::DataEvent e);

    std::vector<Zeilenspalte> spalten_;
    Datenverbindung verbindung_;
    QPointer<QWidget> fenster_;
    std::function<void()> uebergabe_;
    bool schreibt_ = false;
    int zeilen_ = 0;
};

// An editable grid of one row over the current record of a source.
class DBGrid_Zeile : public QTableView {
    Q_OBJECT
  public:
    DBGrid_Zeile(std::vector<Zeilenspalte> spalten, QWidget* eltern = nullptr);

    void binden(store::DataSource* quelle);
    Zeilenmodell& modell() { return *modell_; }

    // Writes the text of an open cell editor into its field.
    void Eingabe_uebernehmen();

  private:
    Zeilenmodell* modell_;
};

class TForm_Druckeinstellung : public QDialog {
    Q_OBJECT
  public:
    explicit TForm_Druckeinstellung(QWidget* eltern = nullptr);

    // Binds the controls to DataSource_Lotto; nullptr unbinds them.
    void binden(data::DataModule_Lotto* dm);

    // Places the dialog and sets the caption "  Druckeinstellung <association>".
    void vorbereiten(QWidget* hauptfenster, const QString& verband);
    // vorbereiten, then shows the dialog modally.
    void zeigen(QWidget* hauptfenster, const QString& verband);

    // Hands pending input of every control to the record (closing the dialog does it too).
    void Eingaben_uebernehmen();

    QFrame* Bevel_Druckeinstellung = nullptr;
    QLabel* Label_Abstand_links = nullptr;
    DBGrid_Zeile* DBGrid_Abstand_links = nullptr;
    QLabel* Label_Abstand_oben = nullptr;
    DBGrid_Zeile* DBGrid_Abstand_oben = nullptr;
    QLabel* Label_x_li_ob = nullptr;
    DBEdit* DBEdit_Abstand_links_innerhalb = nullptr;
    DBEdit* DBEdit_Abstand_oben_innerhalb = nullptr;
    QLabel* Label_Schrift = nullptr;
    DBEdit* DBEdit_Schriftgroesse = nullptr;
    DBGrid_Zeile* DBGrid_Spiele_77_S6_MS = nullptr;
    QPushButton* BitBtn_OK = nullptr;

    void done(int ergebnis) override;
};

} // namespace pyra::ui
