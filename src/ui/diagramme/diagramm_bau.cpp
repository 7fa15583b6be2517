#include "ui/diagramme/diagramm_bau.h"

#include <QApplication>
#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCursor>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QStackedBarSeries>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>

namespace pyra::ui {

namespace {

// The colours of the program's style sheet "Emerald Light Slate".
const QColor Farbe_Smaragd{0x2e, 0x8b, 0x57};
const QColor Farbe_Petrol{0x00, 0x80, 0x80};
const QColor Farbe_Smaragd_hell{0xa8, 0xd8, 0xbc};
const QColor Farbe_Petrol_hell{0x99, 0xcc, 0xcc};
const QColor Farbe_Schiefer{0x7f, 0x93, 0x9f};
const QColor Farbe_Ziegel{0xb0, 0x3a, 0x2e};
const QColor Farbe_Marine{0x00, 0x00, 0x80};
const QColor Farbe_Flaeche{0xf4, 0xf7, 0xf9};
const QColor Farbe_Text{0x1f, 0x2d, 0x36};
const QColor Farbe_Gitter{0xd5, 0xdd, 0xe3};

QFont schrift(int pixel, bool fett) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixel);
    f.setBold(fett);
    return f;
}

QString zahl(double wert, int stellen) {
    return QLocale(QLocale::German, QLocale::Germany).toString(wert, 'f', stellen);
}
QString ganz(long long wert) {
    return QLocale(QLocale::German, QLocale::Germany).toString(wert);
}
QString mit_vorzeichen(double wert, int stellen) {
    return (wert > 0 ? QStringLiteral("+") : QString()) + zahl(wert, stellen);
}

QChart* neues_diagramm(const QString& titel) {
    auto* c = new QChart;
    c->setAnimationOptions(QChart::NoAnimation);
    c->setTitle(titel);
    c->setTitleFont(schrift(15, true));
    c->setTitleBrush(Farbe_Text);
    c->setBackgroundBrush(Farbe_Flaeche);
    c->setBackgroundRoundness(0);
    c->setBackgroundPen(Qt::NoPen);
    c->layout()->setContentsMargins(0, 0, 0, 0);
    c->setPlotAreaBackgroundBrush(Qt::white);
    c->setPlotAreaBackgroundVisible(true);
    c->setMargins(QMargins(4, 4, 4, 4));
    // Axis numbers with the decimal comma; no thousands separator, so that years read 1990.
    QLocale deutsch(QLocale::German, QLocale::Germany);
    deutsch.setNumberOptions(QLocale::OmitGroupSeparator);
    c->setLocalizeNumbers(true);
    c->setLocale(deutsch);
    c->legend()->setAlignment(Qt::AlignBottom);
    c->legend()->setFont(schrift(12, false));
    c->legend()->setLabelColor(Farbe_Text);
    return c;
}

void achse_gestalten(QAbstractAxis* a, const QString& titel) {
    a->setTitleText(titel);
    a->setTitleFont(schrift(12, true));
    a->setTitleBrush(Farbe_Text);
    a->setLabelsFont(schrift(11, false));
    a->setLabelsColor(Farbe_Text);
    a->setGridLineColor(Farbe_Gitter);
}

QValueAxis* wertachse(QChart* c, const QString& titel, double von, double bis) {
    auto* a = new QValueAxis;
    achse_gestalten(a, titel);
    a->setRange(von, bis);
    a->applyNiceNumbers();
    // Whole numbers where the steps are whole; a small range keeps one decimal.
    const double schritt = (a->max() - a->min()) / std::max(a->tickCount() - 1, 1);
    a->setLabelFormat(schritt >= 1 ? QStringLiteral("%.0f") : QStringLiteral("%.1f"));
    c->addAxis(a, Qt::AlignLeft);
    return a;
}

QBarCategoryAxis* kategorienachse(QChart* c, const QString& titel, const QStringList& kategorien) {
    auto* a = new QBarCategoryAxis;
    achse_gestalten(a, titel);
    a->append(kategorien);
    c->addAxis(a, Qt::AlignBottom);
    return a;
}

void anhaengen(QChart* c, QAbstractSeries* s, QAbstractAxis* x, QAbstractAxis* y) {
    c->addSeries(s);
    s->attachAxis(x);
    s->attachAxis(y);
}

// Shows the text beside the mouse while it is over the item.
void tipp_zeigen(bool an, const QString& text) {
    if (an)
        QToolTip::showText(QCursor::pos(), text);
    else
        QToolTip::hideText();
}

QBarSet* balken(const QString& name, const QColor& farbe, const QList<qreal>& werte,
                const QStringList& tipps) {
    auto* set = new QBarSet(name);
    set->append(werte);
    set->setColor(farbe);
    set->setBorderColor(farbe.darker(125));
    set->setProperty("pyra_tipps", tipps);
    QObject::connect(set, &QBarSet::hovered, set, [set](bool an, int i) {
        const QStringList t = set->property("pyra_tipps").toStringList();
        if (i >= 0 && i < t.size()) tipp_zeigen(an, t[i]);
    });
    return set;
}

// A horizontal line across the categories 0..anzahl-1 of a bar chart.
QLineSeries* waagerechte(const QString& name, double y, int anzahl, const QColor& farbe,
                         const QString& tipp) {
    auto* l = new QLineSeries;
    l->setName(name);
    l->append(-0.5, y);
    l->append(anzahl - 0.5, y);
    QPen stift(farbe);
    stift.setWidthF(2.0);
    l->setPen(stift);
    QObject::connect(l, &QLineSeries::hovered, l, [tipp](const QPointF&, bool an) { tipp_zeigen(an, tipp); });
    return l;
}

// The axis of the numbers 1..N under bars at the positions 0..N-1: the numbers 1, 5, 10, …
// and N at their bars' centres (labels under every narrow bar would be cut to "…"); the tool
// tip of a bar names its number.
QCategoryAxis* zahlenachse(QChart* c, int n) {
    auto* a = new QCategoryAxis;
    achse_gestalten(a, QStringLiteral("Zahl"));
    a->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    a->setStartValue(-0.5);
    std::vector<int> marken;
    for (int z = 1; z <= n; ++z)
        if (z == 1 || z % 5 == 0) marken.push_back(z);
    if (n > 1) {
        // N itself, in place of a mark too close to it.
        if (!marken.empty() && n - marken.back() < 3 && marken.back() != 1) marken.pop_back();
        if (marken.empty() || marken.back() != n) marken.push_back(n);
    }
    for (int z : marken) a->append(QString::number(z), z - 1);
    a->setRange(-0.5, std::max(n, 1) - 0.5);
    a->setGridLineVisible(false);
    c->addAxis(a, Qt::AlignBottom);
    return a;
}

QString ziehungen_text(int n) {
    return n == 1 ? QStringLiteral("1 Ziehung") : ganz(n) + QStringLiteral(" Ziehungen");
}

QString woche_text(const stats::Diagrammdaten& d) {
    return QStringLiteral("vor Woche %1/%2").arg(d.Woche).arg(d.Jahr);
}

// ---------------------------------------------------------------------------------------------
QChart* haeufigkeit(const stats::Diagrammdaten& d) {
    const int n = d.Zahlen_bis;
    const double erwartet = stats::Erwartete_Haeufigkeit(d.Ziehungen, n);
    const double streuung = stats::Streuung_Haeufigkeit(d.Ziehungen, n);
    QChart* c = neues_diagramm(
        QStringLiteral("Häufigkeit der Zahlen in %1 %2").arg(ziehungen_text(d.Ziehungen), woche_text(d)));

    QList<qreal> werte;
    QStringList tipps;
    double groesste = 0;
    for (int z = 1; z <= n; ++z) {
        const int h = d.Statistik.Haeufigkeit_Wo[z];
        werte << h;
        groesste = std::max<double>(groesste, h);
        tipps << QStringLiteral("Zahl %1: %2-mal gezogen (erwartet %3, Abweichung %4)")
                     .arg(z)
                     .arg(ganz(h), zahl(erwartet, 1), mit_vorzeichen(h - erwartet, 1));
    }
    auto* serie = new QBarSeries;
    serie->setBarWidth(0.75);
    serie->append(balken(QStringLiteral("Häufigkeit"), Farbe_Smaragd, werte, tipps));

    auto* x = zahlenachse(c, n);
    const double oben = std::max({groesste, erwartet + 2 * streuung, 1.0}) * 1.08;
    auto* y = wertachse(c, QStringLiteral("Häufigkeit (Ziehungen)"), 0, oben);
    anhaengen(c, serie, x, y);

    if (d.Ziehungen > 0) {
        auto* ober = new QLineSeries;
        auto* unter = new QLineSeries;
        for (double xs : {-0.5, n - 0.5}) {
            ober->append(xs, erwartet + 2 * streuung);
            unter->append(xs, std::max(0.0, erwartet - 2 * streuung));
        }
        auto* band = new QAreaSeries(ober, unter);
        // The area does not own its border lines; as its children they go with it.
        ober->setParent(band);
        unter->setParent(band);
        band->setName(QStringLiteral("± 2 Standardabweichungen"));
        QColor f = Farbe_Schiefer;
        f.setAlpha(70);
        band->setBrush(f);
        band->setPen(Qt::NoPen);
        const QString tipp =
            QStringLiteral("Bereich des Zufalls: %1 bis %2 (± 2 Standardabweichungen von %3)")
                .arg(zahl(std::max(0.0, erwartet - 2 * streuung), 1), zahl(erwartet + 2 * streuung, 1),
                     zahl(streuung, 2));
        QObject::connect(band, &QAreaSeries::hovered, band,
                         [tipp](const QPointF&, bool an) { tipp_zeigen(an, tipp); });
        anhaengen(c, band, x, y);
        anhaengen(c,
                  waagerechte(QStringLiteral("Erwartung (%1)").arg(zahl(erwartet, 1)), erwartet, n,
                              Farbe_Marine,
                              QStringLiteral("Erwartung: %1 Ziehungen · 6 / %2 = %3")
                                  .arg(ganz(d.Ziehungen))
                                  .arg(n)
                                  .arg(zahl(erwartet, 2))),
                  x, y);
    }
    return c;
}

QChart* rueckstand(const stats::Diagrammdaten& d) {
    const int n = d.Zahlen_bis;
    const auto markiert = stats::Laengste_Rueckstaende(d.Statistik.Rueckstaendig_Wo, n);
    const double erwartet = stats::Erwarteter_Rueckstand(d.Ziehungen, n);
    QChart* c = neues_diagramm(QStringLiteral("Rückstand der Zahlen %1").arg(woche_text(d)));

    QList<qreal> normal, lang;
    QStringList tipps;
    double groesste = 0;
    for (int z = 1; z <= n; ++z) {
        const int r = d.Statistik.Rueckstaendig_Wo[z];
        // A number drawn in none of the counted draws stands at their count, marked.
        const int wert = r >= 0 ? r : d.Ziehungen;
        groesste = std::max<double>(groesste, wert);
        normal << (markiert[z] ? 0 : wert);
        lang << (markiert[z] ? wert : 0);
        if (r < 0)
            tipps << QStringLiteral("Zahl %1: in keiner der %2 gezogen")
                         .arg(z)
                         .arg(ziehungen_text(d.Ziehungen));
        else if (r == 0)
            tipps << QStringLiteral("Zahl %1: in der letzten Ziehung gezogen (Rückstand 0)").arg(z);
        else
            tipps << QStringLiteral("Zahl %1: seit %2 nicht gezogen").arg(z).arg(ziehungen_text(r));
    }
    auto* serie = new QStackedBarSeries;
    serie->setBarWidth(0.75);
    serie->append(balken(QStringLiteral("Rückstand"), Farbe_Smaragd, normal, tipps));
    serie->append(balken(QStringLiteral("am längsten nicht gezogen"), Farbe_Ziegel, lang, tipps));

    auto* x = zahlenachse(c, n);
    auto* y =
        wertachse(c, QStringLiteral("Rückstand (Ziehungen)"), 0, std::max({groesste, erwartet, 1.0}) * 1.08);
    anhaengen(c, serie, x, y);
    if (d.Ziehungen > 0)
        anhaengen(
            c,
            waagerechte(QStringLiteral("mittlerer Rückstand unter Zufall (%1)").arg(zahl(erwartet, 1)),
                        erwartet, n, Farbe_Marine,
                        QStringLiteral("Mittlerer Rückstand einer gezogenen Zahl unter Zufall: %1 Ziehungen")
                            .arg(zahl(erwartet, 2))),
            x, y);
    return c;
}

QChart* wiederholungen(const stats::Diagrammdaten& d, int z) {
    z = std::clamp(z, 1, 7);
    const QString davor =
        z == 1 ? QStringLiteral("der Ziehung davor") : QStringLiteral("den %1 Ziehungen davor").arg(z);
    QChart* c = neues_diagramm(QStringLiteral("Wiederholte Zahlen aus %1 (z = %2)").arg(davor).arg(z));
    // Chance as the analysis counts: draws with a number not drawn before in their comparison
    // series are left out there, so they are here.
    const auto zufall_wo = stats::Zufallsanteile_gezaehlt(
        d.Zahlen_bis, z, stats::Vergleichslaengen(d.Vorher, d.Vorher.size(), false));
    const auto zufall_ja = stats::Zufallsanteile_gezaehlt(
        d.Zahlen_bis, z, stats::Vergleichslaengen(d.Vorher, d.Vorher.size(), true));
    QStringList kategorien;
    QList<qreal> wo, wo_zufall, ja, ja_zufall;
    QStringList t_wo, t_wo_zufall, t_ja, t_ja_zufall;
    double groesste = 0;
    for (int v = 0; v <= 6; ++v) {
        const QString zahlen = v == 1 ? QStringLiteral("1 Zahl") : QStringLiteral("%1 Zahlen").arg(v);
        kategorien << QString::number(v);
        const double w = d.Ziehung_Wo_z[z - 1][v];
        const double j = d.Ziehung_Ja_z[z - 1][v];
        wo << w;
        ja << j;
        wo_zufall << zufall_wo[v];
        ja_zufall << zufall_ja[v];
        groesste = std::max({groesste, w, j, zufall_wo[v], zufall_ja[v]});
        const QString text = QStringLiteral("%1, z = %2: %3 wiederholt in %4 % der Ziehungen");
        t_wo << text.arg(QStringLiteral("Woche")).arg(z).arg(zahlen, zahl(w, 2)) +
                    QStringLiteral(" (Zufall: %1 %)").arg(zahl(zufall_wo[v], 2));
        t_wo_zufall << text.arg(QStringLiteral("Zufall Woche")).arg(z).arg(zahlen, zahl(zufall_wo[v], 2));
        t_ja << text.arg(QStringLiteral("Jahr")).arg(z).arg(zahlen, zahl(j, 2)) +
                    QStringLiteral(" (Zufall: %1 %)").arg(zahl(zufall_ja[v], 2));
        t_ja_zufall << text.arg(QStringLiteral("Zufall Jahr")).arg(z).arg(zahlen, zahl(zufall_ja[v], 2));
    }
    auto* serie = new QBarSeries;
    serie->setBarWidth(0.85);
    // Short legend entries: the title and the sentence beneath say the rest.
    serie->append(balken(z == 1 ? QStringLiteral("Woche: Ziehung davor")
                                : QStringLiteral("Woche: %1 Ziehungen davor").arg(z),
                         Farbe_Smaragd, wo, t_wo));
    serie->append(balken(QStringLiteral("Zufall Woche"), Farbe_Smaragd_hell, wo_zufall, t_wo_zufall));
    serie->append(
        balken(z == 1 ? QStringLiteral("Jahr: Vorjahr") : QStringLiteral("Jahr: %1 Vorjahre").arg(z),
               Farbe_Petrol, ja, t_ja));
    serie->append(balken(QStringLiteral("Zufall Jahr"), Farbe_Petrol_hell, ja_zufall, t_ja_zufall));
    auto* x = kategorienachse(c, QStringLiteral("Anzahl wiederholter Zahlen"), kategorien);
    auto* y = wertachse(c, QStringLiteral("Anteil der Ziehungen (%)"), 0, std::max(groesste, 1.0) * 1.08);
    anhaengen(c, serie, x, y);
    return c;
}

QChart* summen(const stats::Diagrammdaten& d) {
    QChart* c = neues_diagramm(QStringLiteral("Summe der Rückstände der sechs Zahlen einer Ziehung"));
    QStringList kategorien, tipps;
    QList<qreal> werte;
    double groesste = 0;
    for (int b = 1; b <= 15; ++b) {
        const int von = 10 * b - 9, bis = 10 * b;
        const double p = d.Summe_Ru[b - 1];
        kategorien << QStringLiteral("%1–%2").arg(von).arg(bis);
        werte << p;
        groesste = std::max(groesste, p);
        tipps << QStringLiteral("Summe %1 bis %2: %3 % der Ziehungen").arg(von).arg(bis).arg(zahl(p, 2));
    }
    auto* serie = new QBarSeries;
    serie->setBarWidth(0.85);
    serie->append(balken(QStringLiteral("Anteil der Ziehungen"), Farbe_Smaragd, werte, tipps));
    auto* x = kategorienachse(c, QStringLiteral("Summe der Rückstände"), kategorien);
    x->setLabelsAngle(-45);
    auto* y = wertachse(c, QStringLiteral("Anteil der Ziehungen (%)"), 0, std::max(groesste, 1.0) * 1.08);
    anhaengen(c, serie, x, y);
    c->legend()->hide();
    return c;
}

double zeitpunkt(const stats::Verlaufspunkt& p) {
    return p.Jahr + (std::clamp(p.Woche, 1, 53) - 0.5) / 53.0;
}

QChart* verlauf(const stats::Diagrammdaten& d, int zahl_) {
    const auto punkte = std::make_shared<const std::vector<stats::Verlaufspunkt>>(
        stats::Abweichungsverlauf(d.Vorher, d.Vorher.size(), zahl_, d.Zahlen_bis));
    QChart* c = neues_diagramm(QStringLiteral("Verlauf der Zahl %1: gezogen minus erwartet").arg(zahl_));
    const double p = d.Zahlen_bis > 0 ? 6.0 / d.Zahlen_bis : 0.0;

    QList<QPointF> linie, plus, minus;
    linie.reserve(static_cast<qsizetype>(punkte->size()));
    double groesste = 1.0;
    for (const auto& v : *punkte) {
        const double t = zeitpunkt(v);
        linie << QPointF(t, v.Abweichung);
        plus << QPointF(t, 2 * v.Streuung);
        minus << QPointF(t, -2 * v.Streuung);
        groesste = std::max({groesste, std::fabs(v.Abweichung), 2 * v.Streuung});
    }
    auto* kurve = new QLineSeries;
    kurve->setName(QStringLiteral("Zahl %1").arg(zahl_));
    QPen stift(Farbe_Smaragd);
    stift.setWidthF(2.0);
    kurve->setPen(stift);
    kurve->replace(linie);
    kurve->setProperty("pyra_punkte", static_cast<qlonglong>(punkte->size()));
    QObject::connect(kurve, &QLineSeries::hovered, kurve, [punkte, p](const QPointF& wo, bool an) {
        if (!an || punkte->empty()) return tipp_zeigen(false, {});
        auto it = std::lower_bound(punkte->begin(), punkte->end(), wo.x(),
                                   [](const stats::Verlaufspunkt& a, double x) { return zeitpunkt(a) < x; });
        if (it == punkte->end()) --it;
        const auto i = static_cast<double>(it - punkte->begin() + 1);
        tipp_zeigen(true,
                    QStringLiteral("Woche %1/%2: %3-mal gezogen in %4, erwartet %5 (Abweichung %6)")
                        .arg(it->Woche)
                        .arg(it->Jahr)
                        .arg(ganz(std::llround(it->Abweichung + i * p)), ziehungen_text(static_cast<int>(i)),
                             zahl(i * p, 1), mit_vorzeichen(it->Abweichung, 2)));
    });

    QPen gestrichelt(Farbe_Schiefer);
    gestrichelt.setWidthF(1.5);
    gestrichelt.setStyle(Qt::DashLine);
    auto* oben = new QLineSeries;
    oben->setName(QStringLiteral("± 2 Standardabweichungen unter Zufall"));
    oben->setPen(gestrichelt);
    oben->replace(plus);
    auto* unten = new QLineSeries;
    unten->setPen(gestrichelt);
    unten->replace(minus);

    auto* x = new QValueAxis;
    achse_gestalten(x, QStringLiteral("Jahr"));
    x->setLabelFormat(QStringLiteral("%.0f"));
    const double von = punkte->empty() ? d.Jahr - 1 : std::floor(zeitpunkt(punkte->front()));
    const double bis = punkte->empty() ? d.Jahr : std::ceil(zeitpunkt(punkte->back()));
    x->setRange(von, std::max(bis, von + 1));
    const double spanne = std::max(bis - von, 1.0);
    const double schritt = spanne > 40 ? 10 : spanne > 16 ? 5 : spanne > 6 ? 2 : 1;
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(std::ceil(von / schritt) * schritt);
    x->setTickInterval(schritt);
    c->addAxis(x, Qt::AlignBottom);
    auto* y = wertachse(c, QStringLiteral("Abweichung von der Erwartung (Ziehungen)"), -groesste * 1.1,
                        groesste * 1.1);

    auto* null = new QLineSeries;
    null->setName(QStringLiteral("Erwartung"));
    QPen marine(Farbe_Marine);
    marine.setWidthF(1.0);
    null->setPen(marine);
    null->append(x->min(), 0);
    null->append(x->max(), 0);

    anhaengen(c, null, x, y);
    anhaengen(c, oben, x, y);
    anhaengen(c, unten, x, y);
    anhaengen(c, kurve, x, y);
    // The lower dashed line belongs to the upper one's legend entry.
    if (const auto marker = c->legend()->markers(unten); !marker.isEmpty()) marker.front()->setVisible(false);
    return c;
}

} // namespace

QColor Diagrammflaeche() {
    return Farbe_Flaeche;
}

QString Diagrammtitel(Diagrammart art) {
    switch (art) {
    case Diagrammart::Haeufigkeit:
        return QStringLiteral("Häufigkeit");
    case Diagrammart::Rueckstand:
        return QStringLiteral("Rückstand");
    case Diagrammart::Wiederholungen:
        return QStringLiteral("Wiederholungen");
    case Diagrammart::Summen:
        return QStringLiteral("Rückstandssummen");
    case Diagrammart::Verlauf:
        return QStringLiteral("Verlauf");
    }
    return {};
}

QChart* Diagramm_bauen(Diagrammart art, const stats::Diagrammdaten& d, int auswahl) {
    switch (art) {
    case Diagrammart::Haeufigkeit:
        return haeufigkeit(d);
    case Diagrammart::Rueckstand:
        return rueckstand(d);
    case Diagrammart::Wiederholungen:
        return wiederholungen(d, auswahl);
    case Diagrammart::Summen:
        return summen(d);
    case Diagrammart::Verlauf:
        return verlauf(d, auswahl);
    }
    return nullptr;
}

QString Unterzeile(Diagrammart art, const stats::Diagrammdaten& d, int auswahl) {
    const QString ohne_analyse =
        QStringLiteral("Die Analyse wurde für dieses Land und diese Ziehung noch nicht "
                       "berechnet (Optionen → Analyse).");
    switch (art) {
    case Diagrammart::Haeufigkeit:
        return QString::fromStdString(
            stats::Testsatz(stats::Chiquadrat_testen(d.Statistik.Haeufigkeit_Wo, d.Ziehungen, d.Zahlen_bis)));
    case Diagrammart::Rueckstand:
        if (d.Ziehungen == 0) return QString::fromStdString(stats::Testsatz({}));
        return QStringLiteral("Unter reinem Zufall liegt der Rückstand einer gezogenen Zahl im Mittel bei %1 "
                              "Ziehungen. Rot: die am längsten nicht gezogenen Zahlen.")
            .arg(zahl(stats::Erwarteter_Rueckstand(d.Ziehungen, d.Zahlen_bis), 1));
    case Diagrammart::Wiederholungen:
        if (!d.Analyse_vorhanden) return ohne_analyse;
        return QStringLiteral(
                   "Woche: Zahlen aus den %1 Ziehungen davor, Jahr: aus derselben Woche der %1 "
                   "Vorjahre, beide aus der Analyse (Stand ihrer letzten Berechnung). Hell: die Anteile "
                   "unter reinem Zufall, berechnet, nicht simuliert, ohne die Ziehungen, die auch die "
                   "Analyse auslässt.")
            .arg(std::clamp(auswahl, 1, 7));
    case Diagrammart::Summen:
        if (!d.Analyse_vorhanden) return ohne_analyse;
        return QStringLiteral("Anteile der Tabelle „Summe“ der Analyse (Stand ihrer letzten Berechnung); "
                              "Summen über 150 und Ziehungen mit einer nie gezogenen Zahl zählen nicht.");
    case Diagrammart::Verlauf: {
        const auto v = stats::Abweichungsverlauf(d.Vorher, d.Vorher.size(), auswahl, d.Zahlen_bis);
        if (v.empty()) return QString::fromStdString(stats::Testsatz({}));
        const double erwartet = stats::Erwartete_Haeufigkeit(d.Ziehungen, d.Zahlen_bis);
        return QStringLiteral("Die Zahl %1 wurde in %2 %3-mal gezogen, erwartet waren %4. Gestrichelt: der "
                              "Bereich von ± 2 Standardabweichungen, in dem reiner Zufall meist bleibt.")
            .arg(auswahl)
            .arg(ziehungen_text(d.Ziehungen), ganz(d.Statistik.Haeufigkeit_Wo[auswahl]), zahl(erwartet, 1));
    }
    }
    return {};
}

void Diagramm_malen(QPainter& maler, const QSizeF& groesse, Diagrammart art, const stats::Diagrammdaten& d,
                    int auswahl) {
    const QString satz = Unterzeile(art, d, auswahl);
    const QFont f = schrift(13, false);
    const QFontMetricsF fm(f, maler.device());
    const double rand = 12;
    const QRectF text = fm.boundingRect(QRectF(0, 0, groesse.width() - 2 * rand, 1e6),
                                        Qt::TextWordWrap | Qt::AlignLeft, satz);
    const double unten = std::min(text.height() + 2 * rand, groesse.height() / 3);
    const QRectF flaeche(0, 0, groesse.width(), groesse.height() - unten);

    maler.save();
    maler.setRenderHint(QPainter::Antialiasing);
    maler.setRenderHint(QPainter::TextAntialiasing);
    maler.fillRect(QRectF(QPointF(0, 0), groesse), Farbe_Flaeche);
    {
        QGraphicsScene szene;
        QChart* c = Diagramm_bauen(art, d, auswahl);
        szene.addItem(c); // the scene owns the chart
        c->setGeometry(flaeche);
        if (c->layout()) c->layout()->activate();
        szene.setSceneRect(flaeche);
        szene.render(&maler, flaeche, flaeche);
    }
    maler.setFont(f);
    maler.setPen(Farbe_Text);
    maler.drawText(QRectF(rand, flaeche.bottom() + rand / 2, groesse.width() - 2 * rand, unten - rand),
                   Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter, satz);
    maler.restore();
}

Diagrammumgebung::Diagrammumgebung() {
    if (QCoreApplication::instance()) {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            throw std::runtime_error(
                "Diagramme können nur in einer Qt-Anwendung mit Fenstern gezeichnet werden.");
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QApplication>(argc_, argv_);
}

Diagrammumgebung::~Diagrammumgebung() = default;

} // namespace pyra::ui
