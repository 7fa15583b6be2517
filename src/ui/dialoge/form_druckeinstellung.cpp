#include "ui/dialoge/form_druckeinstellung.h"

#include "ui/dialoge/dialog_platzieren.h"
#include "ui/dialoge/form_druck.h"
#include "ui/gemeinsam/aussehen.h"
#include "ui/gemeinsam/meldungen.h"
#include "ui/hauptfenster/form_lotto.h"
#include "ui/steuerelemente/db_edit.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace pyra::ui {

using store::DataEvent;
using store::DataSetState;

namespace {

const QString Hinweis_innerhalb = QStringLiteral("Eingabe der Abstände der Zahlen innerhalb (links/oben)");
const QString Hinweis_Schrift = QStringLiteral("Eingabe Schriftgröße");

std::vector<Zeilenspalte> Reihenspalten(const char* seite) {
    std::vector<Zeilenspalte> s;
    for (int k = 1; k <= 12; ++k) {
        const std::string nummer = (k < 10 ? "0" : "") + std::to_string(k);
        s.push_back({"Reihe_" + nummer + "_" + seite, QString::number(k)});
    }
    return s;
}

// Remembers the cell editor it opened, so the grid can hand its text over on demand.
class Zelleneditor : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* eltern, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(eltern, option, index);
        offen = editor;
        return editor;
    }
    mutable QPointer<QWidget> offen;
};

} // namespace

// ---------------------------------------------------------------------------------------------
Zeilenmodell::Zeilenmodell(std::vector<Zeilenspalte> spalten, QObject* eltern)
    : QAbstractTableModel(eltern), spalten_(std::move(spalten)),
      verbindung_([this](DataEvent e, const store::Field*) { ereignis(e); },
                  [this] {
                      if (uebergabe_) uebergabe_();
                  }) {}

void Zeilenmodell::quelle_setzen(store::DataSource* quelle) {
    if (quelle == verbindung_.quelle()) return;
    verbindung_.setzen(quelle); // announces a Changed event: the row is read again
}

void Zeilenmodell::ereignis(DataEvent e) {
    if (schreibt_) return;
    if (e == DataEvent::FieldChanged || e == DataEvent::StateChanged) {
        if (zeilen_ > 0) emit dataChanged(index(0, 0), index(0, columnCount() - 1));
        return;
    }
    // Opened, closed, refreshed, moved to another record: the row is that of the new record.
    beginResetModel();
    zeilen_ = verbindung_.hat_datensatz() ? 1 : 0;
    endResetModel();
}

int Zeilenmodell::rowCount(const QModelIndex& eltern) const {
    return eltern.isValid() ? 0 : zeilen_;
}

int Zeilenmodell::columnCount(const QModelIndex& eltern) const {
    return eltern.isValid() ? 0 : static_cast<int>(spalten_.size());
}

QVariant Zeilenmodell::data(const QModelIndex& index, int rolle) const {
    if (!index.isValid() || index.row() != 0 || index.column() >= static_cast<int>(spalten_.size()))
        return {};
    const Zeilenspalte& s = spalten_[index.column()];
    switch (rolle) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        if (!verbindung_.hat_datensatz()) return QString();
        store::DataSet* ds = verbindung_.daten();
        if (!ds->HasField(s.feld)) return QString();
        return QString::fromStdString(ds->FieldByName(s.feld).AsString());
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    default:
        return {};
    }
}

bool Zeilenmodell::setData(const QModelIndex& index, const QVariant& wert, int rolle) {
    if (rolle != Qt::EditRole || !index.isValid() || index.row() != 0 ||
        index.column() >= static_cast<int>(spalten_.size()))
        return false;
    store::Table* t = verbindung_.tabelle();
    if (!t || !t->Active() || !verbindung_.hat_datensatz()) return false;
    const std::string& feld = spalten_[index.column()].feld;
    const std::string neu = wert.toString().trimmed().toStdString();
    if (t->FieldByName(feld).AsString() == neu) return true;
    // Only an edit this grid began is dropped when the value is refused.
    const bool eigene_bearbeitung = t->State() == DataSetState::Browse;
    schreibt_ = true;
    try {
        t->Edit();
        t->FieldByName(feld).SetString(neu);
    } catch (const store::StoreError& e) {
        schreibt_ = false;
        if (eigene_bearbeitung) t->Cancel();
        emit dataChanged(index, index);
        Meldung(fenster_, QString::fromUtf8(e.what()));
        return false;
    } catch (...) {
        schreibt_ = false;
        throw;
    }
    schreibt_ = false;
    emit dataChanged(index, index);
    return true;
}

QVariant Zeilenmodell::headerData(int abschnitt, Qt::Orientation richtung, int rolle) const {
    if (richtung != Qt::Horizontal || abschnitt < 0 || abschnitt >= static_cast<int>(spalten_.size()))
        return {};
    if (rolle == Qt::DisplayRole) return spalten_[abschnitt].titel;
    if (rolle == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

Qt::ItemFlags Zeilenmodell::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

// ---------------------------------------------------------------------------------------------
DBGrid_Zeile::DBGrid_Zeile(std::vector<Zeilenspalte> spalten, QWidget* eltern)
    : QTableView(eltern), modell_(new Zeilenmodell(std::move(spalten), this)) {
    setModel(modell_);
    setItemDelegate(new Zelleneditor(this));
    modell_->Fenster_setzen(this);
    modell_->Uebergabe_setzen([this] { Eingabe_uebernehmen(); });
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setDefaultSectionSize(22);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    QPalette p = palette();
    p.setColor(QPalette::Base, Farbe_Weiss);
    setPalette(p);
}

void DBGrid_Zeile::binden(store::DataSource* quelle) {
    modell_->quelle_setzen(quelle);
}

void DBGrid_Zeile::Eingabe_uebernehmen() {
    auto* zellen = dynamic_cast<Zelleneditor*>(itemDelegate());
    QWidget* editor = zellen ? zellen->offen.data() : nullptr;
    if (editor) commitData(editor);
}

// ---------------------------------------------------------------------------------------------
TForm_Druckeinstellung::TForm_Druckeinstellung(QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("Form_Druckeinstellung"));
    setWindowTitle(QStringLiteral("  Druckeinstellung "));
    setStatusTip(QStringLiteral("Druckeinstellungen"));
    setFont(Schrift(13, true));
    setFixedSize(470, 290);
    setModal(true);

    Bevel_Druckeinstellung = new QFrame(this);
    benennen(Bevel_Druckeinstellung, "Bevel_Druckeinstellung");
    Bevel_Druckeinstellung->setFrameShape(QFrame::Box);
    Bevel_Druckeinstellung->setFrameShadow(QFrame::Sunken);
    platzieren(Bevel_Druckeinstellung, 6, 6, 458, 278);

    Label_Abstand_links = new QLabel(QStringLiteral("Abstand links (Reihe)"), this);
    benennen(Label_Abstand_links, "Label_Abstand_links",
             QStringLiteral("Eingabe der Abstände (Reihen) vom linken Rand"));
    platzieren(Label_Abstand_links, 18, 16);
    DBGrid_Abstand_links = new DBGrid_Zeile(Reihenspalten("links"), this);
    benennen(DBGrid_Abstand_links, "DBGrid_Abstand_links",
             QStringLiteral("Eingabe der Abstände (Reihen - Zahl 1) vom linken Rand"));
    platzieren(DBGrid_Abstand_links, 18, 36, 434, 50);

    Label_Abstand_oben = new QLabel(QStringLiteral("Abstand oben (Reihe)"), this);
    benennen(Label_Abstand_oben, "Label_Abstand_oben",
             QStringLiteral("Eingabe der Abstände (Reihen) vom oberen Rand"));
    platzieren(Label_Abstand_oben, 18, 96);
    DBGrid_Abstand_oben = new DBGrid_Zeile(Reihenspalten("oben"), this);
    benennen(DBGrid_Abstand_oben, "DBGrid_Abstand_oben",
             QStringLiteral("Eingabe der Abstände (Reihen - Zahl 1) vom oberen Rand"));
    platzieren(DBGrid_Abstand_oben, 18, 116, 434, 50);

    Label_x_li_ob = new QLabel(QStringLiteral("(x)  li /ob"), this);
    benennen(Label_x_li_ob, "Label_x_li_ob", Hinweis_innerhalb);
    platzieren(Label_x_li_ob, 18, 184);
    DBEdit_Abstand_links_innerhalb = new DBEdit(this);
    benennen(DBEdit_Abstand_links_innerhalb, "DBEdit_Abstand_links_innerhalb", Hinweis_innerhalb);
    platzieren(DBEdit_Abstand_links_innerhalb, 100, 180, 50, 24);
    DBEdit_Abstand_oben_innerhalb = new DBEdit(this);
    benennen(DBEdit_Abstand_oben_innerhalb, "DBEdit_Abstand_oben_innerhalb", Hinweis_innerhalb);
    platzieren(DBEdit_Abstand_oben_innerhalb, 156, 180, 50, 24);

    Label_Schrift = new QLabel(QStringLiteral("Schrift"), this);
    benennen(Label_Schrift, "Label_Schrift", Hinweis_Schrift);
    platzieren(Label_Schrift, 18, 220);
    DBEdit_Schriftgroesse = new DBEdit(this);
    benennen(DBEdit_Schriftgroesse, "DBEdit_Schriftgroesse", Hinweis_Schrift);
    platzieren(DBEdit_Schriftgroesse, 100, 216, 50, 24);

    DBGrid_Spiele_77_S6_MS = new DBGrid_Zeile({{"Super_77_links", QStringLiteral("S77")},
                                               {"Super_77_oben", QStringLiteral("S77")},
                                               {"Super_6_links", QStringLiteral("S6")},
                                               {"Super_6_oben", QStringLiteral("S6")},
                                               {"MiSa_links", QStringLiteral("M/S")},
                                               {"MiSa_oben", QStringLiteral("M/S")}},
                                              this);
    benennen(DBGrid_Spiele_77_S6_MS, "DBGrid_Spiele_77_S6_MS",
             QStringLiteral("Eingabe der Abstände (Spiel 77/Super 6), Mi/Sa vom linken/oberen Rand"));
    platzieren(DBGrid_Spiele_77_S6_MS, 232, 176, 220, 50);

    BitBtn_OK = new QPushButton(QStringLiteral("OK"), this);
    benennen(BitBtn_OK, "BitBtn_OK", QStringLiteral("Beenden des Dialoges"));
    BitBtn_OK->setDefault(true);
    platzieren(BitBtn_OK, 336, 244, 116, 28);
    connect(BitBtn_OK, &QPushButton::clicked, this, &QDialog::accept);

    for (DBEdit* e : {DBEdit_Abstand_links_innerhalb, DBEdit_Abstand_oben_innerhalb, DBEdit_Schriftgroesse}) {
        QPalette p = e->palette();
        p.setColor(QPalette::Base, Farbe_Weiss);
        e->setPalette(p);
    }
    Schrift_vererben(this);
    for (DBEdit* e : {DBEdit_Abstand_links_innerhalb, DBEdit_Abstand_oben_innerhalb})
        Eingabe_einpassen(e, QStringLiteral("99,99"));
    Eingabe_einpassen(DBEdit_Schriftgroesse, QStringLiteral("99"));
}

void TForm_Druckeinstellung::binden(data::DataModule_Lotto* dm) {
    store::DataSource* quelle = dm ? &dm->DataSource_Lotto : nullptr;
    DBGrid_Abstand_links->binden(quelle);
    DBGrid_Abstand_oben->binden(quelle);
    DBGrid_Spiele_77_S6_MS->binden(quelle);
    DBEdit_Abstand_links_innerhalb->binden(quelle, "Zahl_Abstand_links");
    DBEdit_Abstand_oben_innerhalb->binden(quelle, "Zahl_Abstand_oben");
    DBEdit_Schriftgroesse->binden(quelle, "Schriftgroesse");
}

void TForm_Druckeinstellung::vorbereiten(QWidget* hauptfenster, const QString& verband) {
    Dialog_platzieren(this, hauptfenster, QStringLiteral("TForm_Druckeinstellung"));
    setWindowTitle(QStringLiteral("  Druckeinstellung ") + verband);
}

void TForm_Druckeinstellung::zeigen(QWidget* hauptfenster, const QString& verband) {
    vorbereiten(hauptfenster, verband);
    exec();
}

void TForm_Druckeinstellung::Eingaben_uebernehmen() {
    for (DBGrid_Zeile* g : {DBGrid_Abstand_links, DBGrid_Abstand_oben, DBGrid_Spiele_77_S6_MS})
        g->Eingabe_uebernehmen();
    for (DBEdit* e : {DBEdit_Abstand_links_innerhalb, DBEdit_Abstand_oben_innerhalb, DBEdit_Schriftgroesse})
        if (e->isModified()) e->uebernehmen();
}

void TForm_Druckeinstellung::done(int ergebnis) {
    // What is still typed in a cell or box belongs to the record before the dialog goes.
    Ausfuehren(this, [this] { Eingaben_uebernehmen(); });
    QDialog::done(ergebnis);
}

} // namespace pyra::ui
