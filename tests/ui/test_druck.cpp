// The slip layout, print and text-export dialogs in a program run on the default database:
// reached from the menu and the toolbar, captions and placement, the slip list and row range,
// one page per print click, the PDF file without a printer, the week's text file, the message
// for a row number that is none, and layout typed in the layout dialog reaching the print.

#include "data/standarddatenbank.h"
#include "lauf.h"
#include "output/drucker.h"
#include "output/spielscheine.h"
#include "platform/printer/qt_drucker.h"
#include "ui/dialoge/form_ascii.h"
#include "ui/dialoge/form_druck.h"
#include "ui/dialoge/form_druckeinstellung.h"
#include "ui/gemeinsam/anwendung.h"
#include "ui/hauptfenster/kernanbindung.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

using namespace pyra;
namespace fs = std::filesystem;
using test::Lauf;

namespace {

const QString Anzahl_fehlt = QStringLiteral("Bitte Anzahl der Reihen eingeben!");

// The text export's message after a written file.
QString Datei_geschrieben(const ui::TForm_ASCII* a) {
    return QStringLiteral("Die Reihen wurden in die Datei „%1“ geschrieben.").arg(a->Datei());
}

// What a print click did to the printer.
struct Druckprotokoll {
    int begonnen = 0, beendet = 0, abgebrochen = 0;
    std::string schrift;
    int groesse = 0;
    std::vector<std::tuple<int, int, std::string>> texte;
};

// A page of 4200 × 5940 device pixels: exactly 10 pixels per page unit both ways.
class Aufzeichnender_Drucker : public output::Drucker {
  public:
    explicit Aufzeichnender_Drucker(Druckprotokoll& p) : p_(p) {}
    void Druckauftrag_beginnen() override { ++p_.begonnen; }
    int Seitenbreite() const override { return 4200; }
    int Seitenhoehe() const override { return 5940; }
    void Schrift_setzen(const std::string& name, int groesse) override {
        p_.schrift = name;
        p_.groesse = groesse;
    }
    void Text_ausgeben(int x, int y, const std::string& text) override { p_.texte.emplace_back(x, y, text); }
    void Druckauftrag_beenden() override { ++p_.beendet; }
    void Druckauftrag_abbrechen() noexcept override { ++p_.abgebrochen; }

  private:
    Druckprotokoll& p_;
};

// Runs pruefung while the modal dialog d, opened by ausloesen, is on screen, then closes it.
void im_dialog(QDialog* d, const std::function<void()>& ausloesen, const std::function<void()>& pruefung) {
    bool gesehen = false;
    QTimer t;
    t.setSingleShot(true);
    QObject::connect(&t, &QTimer::timeout, [&] {
        gesehen = d->isVisible() && d->isModal();
        if (gesehen) pruefung();
        d->accept();
    });
    t.start(0);
    ausloesen();
    QVERIFY2(gesehen, "Der Dialog wurde nicht modal gezeigt.");
}

// The offset of a dialog from the main window for the current screen size.
QPoint versatz(QWidget* hauptfenster, QPoint klein, QPoint gross) {
    const QSize s = hauptfenster->screen()->size();
    return s.width() >= 1024 && s.height() >= 768 ? gross : klein;
}

// Rows 1 … anzahl of the current selection; row r holds the six numbers from ((r-1) mod 44) + 1 on.
void reihen_anlegen(Lauf& l, int anzahl) {
    for (int r = 1; r <= anzahl; ++r) {
        const int a = (r - 1) % 44 + 1;
        l.dm->Table_Reihen.AppendRecord({l.wahl("ID_Verband"), l.wahl("Jahr_aktuell"),
                                         l.wahl("Woche_aktuell"), l.wahl("ID_Ziehung"), 0, 0, r, a, a + 1,
                                         a + 2, a + 3, a + 4, a + 5});
    }
    l.dm->Table_Reihen.First();
}

void verband_waehlen(Lauf& l, int verband) {
    l.form->DBLookupComboBox_Verband->waehlen(verband);
    l.form->DBLookupComboBox_Verband->hidePopup();
    QTest::qWait(1);
}

std::string lesen(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

} // namespace

class Druck : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void print_settings_caption_place_and_input();
    void print_shows_the_row_range_of_the_slip();
    void print_click_prints_one_page();
    void print_without_a_printer_writes_a_pdf_to_the_work_folder();
    void errors_are_reported();
    void unsaved_layout_of_the_dialog_applies_to_the_print();
    void text_file_of_the_week_goes_to_the_work_folder();

  private:
    test::TempDir vorlage_;
};

void Druck::initTestCase() {
    QVERIFY(data::Standarddatenbank_anlegen(vorlage_.dir(), {2024, 3, 14},
                                            ui::kern::Standarddatenbank_nachbereiten()));
}

void Druck::print_settings_caption_place_and_input() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    l.form->move(40, 30);
    ui::TForm_Druckeinstellung* d = l.form->Form_Druckeinstellung;
    QVERIFY(d);
    const QPoint erwartet = QPoint(40, 30) + versatz(l.form.get(), {10, 78}, {10, 90});

    im_dialog(
        d, [&] { l.form->MenuItem_Einstellungen->trigger(); },
        [&] {
            QCOMPARE(d->windowTitle(), QStringLiteral("  Druckeinstellung Deutschland"));
            QCOMPARE(d->pos(), erwartet);
            // The grids show the association's record: Germany's box 2 lies at 92 across, 150 down.
            QCOMPARE(d->DBGrid_Abstand_links->model()->data(d->DBGrid_Abstand_links->model()->index(0, 1)),
                     QVariant(QStringLiteral("92")));
            QCOMPARE(d->DBGrid_Abstand_oben->model()->headerData(11, Qt::Horizontal),
                     QVariant(QStringLiteral("12")));
            QCOMPARE(d->DBGrid_Spiele_77_S6_MS->model()->headerData(4, Qt::Horizontal),
                     QVariant(QStringLiteral("M/S")));
            // Fractions with the decimal comma.
            QCOMPARE(d->DBEdit_Abstand_links_innerhalb->text(), QStringLiteral("8,5"));
        });

    // A typed value goes into the record at once, without a post; a refused one is reported and
    // the old value stays.
    auto& lotto = l.dm->Table_Lotto;
    auto* gitter = d->DBGrid_Spiele_77_S6_MS->model();
    QVERIFY(gitter->setData(gitter->index(0, 0), QStringLiteral("55")));
    QCOMPARE(lotto.State(), store::DataSetState::Edit);
    QCOMPARE(lotto.FieldByName("Super_77_links").AsInteger(), 55);
    QVERIFY(!gitter->setData(gitter->index(0, 1), QStringLiteral("abc")));
    QVERIFY(!gitter->setData(gitter->index(0, 1), QStringLiteral("70000")));
    QCOMPARE(l.meldungen.size(), 2);
    QCOMPARE(lotto.FieldByName("Super_77_oben").AsInteger(), 460);
    QCOMPARE(lotto.FieldByName("Super_77_links").AsInteger(), 55); // the earlier typing stays

    // Another association: its name in the caption, its (empty) record in the grids; the
    // pending edit of the first one was stored on the way.
    verband_waehlen(l, 4);
    im_dialog(
        d, [&] { l.form->MenuItem_Einstellungen->trigger(); },
        [&] {
            QCOMPARE(d->windowTitle(), QStringLiteral("  Druckeinstellung Österreich"));
            QCOMPARE(d->DBGrid_Abstand_links->model()->data(d->DBGrid_Abstand_links->model()->index(0, 1)),
                     QVariant(QString()));
        });
    verband_waehlen(l, 3);
    QCOMPARE(lotto.State(), store::DataSetState::Browse);
    QCOMPARE(lotto.FieldByName("Super_77_links").AsInteger(), 55);
}

void Druck::print_shows_the_row_range_of_the_slip() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    reihen_anlegen(l, 30);
    l.form->move(40, 30);
    ui::TForm_Druck* d = l.form->Form_Druck;
    QVERIFY(d);
    const QPoint erwartet = QPoint(40, 30) + versatz(l.form.get(), {10, 78}, {30, 100});

    // The toolbar's print button opens the dialog (through the menu's handler).
    im_dialog(
        d, [&] { l.form->SpeedButton_Drucken->click(); },
        [&] {
            QCOMPARE(d->windowTitle(), QStringLiteral("  Druck"));
            QCOMPARE(d->pos(), erwartet);
            QCOMPARE(d->ListBox_Spielschein->count(), 250);
            QCOMPARE(d->ListBox_Spielschein->item(0)->text(), QStringLiteral("  01.Spielschein"));
            QCOMPARE(d->ListBox_Spielschein->item(249)->text(), QStringLiteral("250.Spielschein"));
            QCOMPARE(d->ListBox_Spielschein->currentRow(), 0);
            QCOMPARE(d->Edit_Reihe_von->text(), QStringLiteral("   1"));
            QCOMPARE(d->Edit_Reihe_bis->text(), QStringLiteral("  12"));
            QVERIFY(!d->Edit_Reihe_von->isEnabled());
            QVERIFY(d->BitBtn_Druck->isEnabled());
        });

    d->show();
    // Picking a slip with the mouse or the keyboard sets its range, moves the row cursor to its
    // first row and enables printing only where that row exists.
    struct Fall {
        int eintrag;
        const char *von, *bis;
        bool druckbar;
    };
    for (const Fall& f : {Fall{2, "  25", "  36", true}, Fall{3, "  37", "  48", false}}) {
        d->ListBox_Spielschein->setCurrentRow(f.eintrag);
        QTest::mouseClick(
            d->ListBox_Spielschein->viewport(), Qt::LeftButton, {},
            d->ListBox_Spielschein->visualItemRect(d->ListBox_Spielschein->item(f.eintrag)).center());
        QCOMPARE(d->Edit_Reihe_von->text(), QString::fromLatin1(f.von));
        QCOMPARE(d->Edit_Reihe_bis->text(), QString::fromLatin1(f.bis));
        QCOMPARE(d->BitBtn_Druck->isEnabled(), f.druckbar);
    }
    QCOMPARE(l.dm->Table_Reihen.FieldByName("Reihe").AsInteger(), 25);
    d->ListBox_Spielschein->setFocus();
    QTest::keyClick(d->ListBox_Spielschein, Qt::Key_Up);
    QCOMPARE(d->ListBox_Spielschein->currentRow(), 2);
    QCOMPARE(d->Edit_Reihe_bis->text(), QStringLiteral("  36"));
    QVERIFY(d->BitBtn_Druck->isEnabled());
}

void Druck::print_click_prints_one_page() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    reihen_anlegen(l, 30);
    ui::TForm_Druck* d = l.form->Form_Druck;
    Druckprotokoll p;
    d->Drucker_setzen([&p] { return std::make_unique<Aufzeichnender_Drucker>(p); });
    d->vorbereiten(l.form.get());
    d->show();

    // The third slip: rows 25 … 30 (the table ends there) into boxes 1 … 6, then the three
    // tick boxes of Germany's layout.
    d->ListBox_Spielschein->setCurrentRow(2);
    d->Reihenbereich_setzen();
    QTest::mouseClick(d->BitBtn_Druck, Qt::LeftButton);
    QCOMPARE(p.begonnen, 1);
    QCOMPARE(p.beendet, 1);
    QCOMPARE(p.abgebrochen, 0);
    QCOMPARE(p.schrift, std::string("System"));
    QCOMPARE(p.groesse, 10);
    QCOMPARE(p.texte.size(), std::size_t(6 * 6 + 3));
    for (const auto& t : p.texte) QCOMPARE(std::get<2>(t), std::string("x"));
    // Row 25 (numbers 25 … 30) in box 1 at 28/150: number 25 is column 3, line 3.
    QCOMPARE(std::get<0>(p.texte[0]), 10 * (28 + 25));
    QCOMPARE(std::get<1>(p.texte[0]), 10 * (150 + 3 * 16));
    // Row 30 (numbers 30 … 35) in box 6 at 348/150: number 30 is column 1, line 4.
    QCOMPARE(std::get<0>(p.texte[30]), 10 * (348 + 8));
    QCOMPARE(std::get<1>(p.texte[30]), 10 * (150 + 4 * 16));
    // The tick boxes last: Spiel 77, Super 6, draw day.
    QCOMPARE(std::get<0>(p.texte[38]), 10 * 300);
    QCOMPARE(std::get<1>(p.texte[38]), 10 * 460);
    QVERIFY(l.meldungen.isEmpty());

    // A lowered last row prints fewer rows, still from box 1; a second click prints a second page.
    d->Edit_Reihe_bis->setText(QStringLiteral("26"));
    const auto vorher = p.texte.size();
    d->BitBtn_DruckClick();
    QCOMPARE(p.beendet, 2);
    QCOMPARE(p.texte.size() - vorher, std::size_t(2 * 6 + 3));
    QCOMPARE(p.texte[vorher], p.texte[0]);
}

void Druck::print_without_a_printer_writes_a_pdf_to_the_work_folder() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    reihen_anlegen(l, 12);
    const int woche = l.wahl("Woche_aktuell"), jahr = l.wahl("Jahr_aktuell");
    if (!platform::Qt_Drucker::Standarddrucker(l.dir.path(), woche, jahr)->Pdf_Ausgabe())
        QSKIP("Auf diesem Rechner ist ein Drucker eingerichtet; es würde wirklich gedruckt.");

    ui::TForm_Druck* d = l.form->Form_Druck;
    im_dialog(
        d, [&] { l.form->MenuItem_Spielscheine->trigger(); }, [&] { d->BitBtn_Druck->click(); });
    const fs::path pdf = l.dir.path() / "Arbeit" /
                         ("Spielschein_" + std::to_string(woche) + "_" + std::to_string(jahr) + "_1.pdf");
    QVERIFY2(fs::exists(pdf), pdf.c_str());
    QCOMPARE(l.meldungen.size(), 1);
    QVERIFY(l.meldungen.front().contains(QString::fromStdString(pdf.string())));

    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) QSKIP("pdftotext fehlt");
    const fs::path html = l.dir.path() / "seite.html";
    QCOMPARE(std::system(("pdftotext -bbox '" + pdf.string() + "' '" + html.string() + "'").c_str()), 0);
    const std::string inhalt = lesen(html);
    static const std::regex wort(R"re(<word [^>]*>([^<]*)</word>)re");
    int marken = 0;
    for (auto it = std::sregex_iterator(inhalt.begin(), inhalt.end(), wort); it != std::sregex_iterator();
         ++it) {
        QCOMPARE((*it)[1].str(), std::string("x"));
        ++marken;
    }
    QCOMPARE(marken, 12 * 6 + 3);
}

void Druck::errors_are_reported() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    reihen_anlegen(l, 12);

    ui::TForm_Druck* d = l.form->Form_Druck;
    Druckprotokoll p;
    d->Drucker_setzen([&p] { return std::make_unique<Aufzeichnender_Drucker>(p); });
    d->vorbereiten(l.form.get());
    for (const char* text : {"", "zwölf", "1 2", "99999999999"}) {
        d->Edit_Reihe_bis->setText(QString::fromUtf8(text));
        d->BitBtn_DruckClick();
        QCOMPARE(l.meldungen.size(), 1);
        QCOMPARE(l.meldungen.takeFirst(), Anzahl_fehlt);
    }
    QCOMPARE(p.begonnen, 0);

    // A printer that cannot be had is reported; the dialog goes on.
    d->Drucker_setzen(
        []() -> std::unique_ptr<output::Drucker> { throw std::runtime_error("Drucker fehlt"); });
    d->Edit_Reihe_bis->setText(QStringLiteral("12"));
    d->BitBtn_DruckClick();
    QCOMPARE(l.meldungen, QStringList{QStringLiteral("Drucker fehlt")});
    l.meldungen.clear();

    ui::TForm_ASCII* a = l.form->Form_ASCII;
    a->vorbereiten(l.form.get());
    const fs::path datei = a->Datei().toStdString();
    a->Edit_Reihe_bis->setText(QStringLiteral("12"));
    a->BitBtn_TextdateiClick();
    const std::string geschrieben = lesen(datei);
    QVERIFY(!geschrieben.empty());
    QCOMPARE(l.meldungen, QStringList{Datei_geschrieben(a)});
    l.meldungen.clear();
    a->Edit_Reihe_bis->setText(QStringLiteral("x"));
    a->BitBtn_TextdateiClick();
    QCOMPARE(l.meldungen, QStringList{Anzahl_fehlt});
    QCOMPARE(lesen(datei), geschrieben); // the file stays as it was
}

void Druck::unsaved_layout_of_the_dialog_applies_to_the_print() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    verband_waehlen(l, 4); // Austria: no layout yet
    reihen_anlegen(l, 8);
    ui::TForm_Druckeinstellung* e = l.form->Form_Druckeinstellung;
    ui::TForm_Druck* d = l.form->Form_Druck;

    d->vorbereiten(l.form.get());
    QCOMPARE(d->Edit_Reihe_bis->text(), QStringLiteral("   0"));
    // Without a row box a page would come out blank: nothing is printed, and the player learns
    // what is missing.
    Druckprotokoll ohne_layout;
    d->Drucker_setzen([&ohne_layout] { return std::make_unique<Aufzeichnender_Drucker>(ohne_layout); });
    QVERIFY(d->BitBtn_Druck->isEnabled());
    d->BitBtn_DruckClick();
    QCOMPARE(l.meldungen, QStringList{QString::fromUtf8(output::Meldung_Kein_Scheinlayout)});
    QCOMPARE(ohne_layout.begonnen, 0);
    l.meldungen.clear();

    // Four row boxes typed into the grid's cells with the keyboard, the dialog closed with OK.
    im_dialog(
        e, [&] { l.form->MenuItem_Einstellungen->trigger(); },
        [&] {
            e->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(e));
            ui::DBGrid_Zeile* g = e->DBGrid_Abstand_links;
            auto fokus = [g] { return QApplication::focusWidget() ? QApplication::focusWidget() : g; };
            for (int k = 0; k < 4; ++k) {
                g->setFocus();
                g->setCurrentIndex(g->model()->index(0, k));
                for (const QChar c : QString::number(20 + 50 * k)) QTest::keyClick(fokus(), c.toLatin1());
                if (k < 3) QTest::keyClick(fokus(), Qt::Key_Return);
            }
            QCOMPARE(l.dm->Table_Lotto.FieldByName("Reihe_03_links").AsInteger(), 120);
            // The last cell's editor is still open: closing the dialog hands its text over.
            QVERIFY(l.dm->Table_Lotto.FieldByName("Reihe_04_links").IsNull());
            e->accept();
        });
    QCOMPARE(l.dm->Table_Lotto.FieldByName("Reihe_04_links").AsInteger(), 170);
    QCOMPARE(l.dm->Table_Lotto.State(), store::DataSetState::Edit); // the dialog posts nothing

    d->vorbereiten(l.form.get());
    QCOMPARE(d->Edit_Reihe_bis->text(), QStringLiteral("   4"));
    ui::TForm_ASCII* a = l.form->Form_ASCII;
    a->vorbereiten(l.form.get());
    a->ListBox_Spielschein->setCurrentRow(1);
    a->Reihe_bis_setzen();
    QCOMPARE(a->Edit_Reihe_bis->text(), QStringLiteral("   8"));
}

void Druck::text_file_of_the_week_goes_to_the_work_folder() {
    Lauf l(vorlage_.dir(), {2024, 3, 14});
    reihen_anlegen(l, 30);
    l.form->move(40, 30);
    ui::TForm_ASCII* a = l.form->Form_ASCII;
    const fs::path datei =
        l.dir.path() / "Arbeit" /
        (std::to_string(l.wahl("Woche_aktuell")) + "_" + std::to_string(l.wahl("Jahr_aktuell")) + ".txt");
    const QPoint erwartet = QPoint(40, 30) + versatz(l.form.get(), {10, 78}, {30, 100});

    im_dialog(
        a, [&] { l.form->MenuItem_ASCIIFormat->trigger(); },
        [&] {
            QCOMPARE(a->windowTitle(), QStringLiteral("  Konvertierung"));
            QCOMPARE(a->pos(), erwartet);
            QCOMPARE(a->ListBox_Spielschein->count(), 250);
            QCOMPARE(a->Edit_Reihe_bis->text(), QStringLiteral("  12"));
            QCOMPARE(a->Edit_Trennzeichen->text(), QStringLiteral(","));
            // Showing made the week's file, empty until the first export.
            QVERIFY(fs::exists(datei));
            QCOMPARE(fs::file_size(datei), std::uintmax_t(0));

            a->ListBox_Spielschein->setCurrentRow(1);
            QTest::mouseClick(
                a->ListBox_Spielschein->viewport(), Qt::LeftButton, {},
                a->ListBox_Spielschein->visualItemRect(a->ListBox_Spielschein->item(1)).center());
            QCOMPARE(a->Edit_Reihe_bis->text(), QStringLiteral("  24"));
            a->Edit_Trennzeichen->setText(QStringLiteral(" ; "));
            QTest::mouseClick(a->BitBtn_Textdatei, Qt::LeftButton);
        });

    std::string erwartet_text;
    for (int r = 1; r <= 24; ++r) {
        const int z = (r - 1) % 44 + 1;
        for (int i = 0; i < 6; ++i) erwartet_text += (i ? " ; " : "") + std::to_string(z + i);
        erwartet_text += "\r\n";
    }
    QCOMPARE(lesen(datei), erwartet_text);
    // The player learns which file was written.
    QCOMPARE(l.meldungen, QStringList{Datei_geschrieben(a)});

    // Showing again leaves the written file as it is.
    im_dialog(
        a, [&] { l.form->MenuItem_ASCIIFormat->trigger(); }, [] {});
    QCOMPARE(lesen(datei), erwartet_text);
}

QTEST_MAIN(Druck)
#include "test_druck.moc"
