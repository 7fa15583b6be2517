// pyra-bauwerkzeug: a small tool that runs at build time.
//
//   pyra-bauwerkzeug hilfe QUELLE.md ZIEL.pdf
//       sets the German user manual (Markdown) as an A4 PDF with page numbers; pictures are looked
//       up relative to the Markdown file and scaled down to the width of the text.
//   pyra-bauwerkzeug symbole QUELLE.svg PRAEFIX GROESSE...
//       renders the program icon into PRAEFIX-<GROESSE>.png for every size given.
//
// It needs a Qt platform plugin for fonts and is run with QT_QPA_PLATFORM=offscreen.

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cstdio>

namespace {

void fehler(const QString& text) {
    std::fprintf(stderr, "pyra-bauwerkzeug: %s\n", text.toLocal8Bit().constData());
}

// Text width of an A4 page with 2 cm margins, in the 96-dpi pixels in which the document measures
// pictures (170 mm), less a little room.
constexpr double Bildbreite_max = 620.0;

// Pictures keep their natural size unless they are wider than the text; wider ones are scaled
// down in proportion. A picture that cannot be loaded is an error: the manual would show a gap.
bool bilder_einpassen(QTextDocument& doc) {
    bool ok = true;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid() || !f.charFormat().isImageFormat()) continue;
            QTextImageFormat bild = f.charFormat().toImageFormat();
            const QVariant res = doc.resource(QTextDocument::ImageResource, QUrl(bild.name()));
            QImage img = res.value<QImage>();
            if (img.isNull()) img.loadFromData(res.toByteArray());
            if (img.isNull()) {
                fehler(QStringLiteral("Bild nicht gefunden: ") + bild.name());
                ok = false;
                continue;
            }
            double breite = img.width();
            double hoehe = img.height();
            if (breite > Bildbreite_max) {
                hoehe = hoehe * Bildbreite_max / breite;
                breite = Bildbreite_max;
            }
            bild.setWidth(breite);
            bild.setHeight(hoehe);
            QTextCursor c(&doc);
            c.setPosition(f.position());
            c.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
            c.setCharFormat(bild);
        }
    }
    return ok;
}

// Tables of the Markdown source get lines, room in their cells and the width of the text.
void tabellen_gestalten(QTextFrame* rahmen) {
    for (QTextFrame* f : rahmen->childFrames()) {
        if (auto* t = qobject_cast<QTextTable*>(f)) {
            QTextTableFormat fmt = t->format();
            fmt.setBorder(1);
            fmt.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            fmt.setBorderBrush(QColor(0x70, 0x70, 0x70));
            fmt.setBorderCollapse(true);
            fmt.setCellPadding(3);
            fmt.setCellSpacing(0);
            fmt.setHeaderRowCount(1);
            fmt.setTopMargin(4);
            fmt.setBottomMargin(8);
            fmt.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            t->setFormat(fmt);
        }
        tabellen_gestalten(f);
    }
}

// Paragraphs get a little room below them; headings more above. The first chapter starts on a
// new page, after the title and the contents.
void absaetze_gestalten(QTextDocument& doc) {
    QTextCursor c(&doc);
    bool erstes_kapitel = true;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat fmt = b.blockFormat();
        if (fmt.headingLevel() > 0) {
            fmt.setTopMargin(fmt.headingLevel() == 1 ? 18 : 12);
            fmt.setBottomMargin(6);
            if (fmt.headingLevel() == 2 && erstes_kapitel) {
                fmt.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                erstes_kapitel = false;
            }
        } else if (!b.textList() && !c.currentTable()) {
            fmt.setBottomMargin(std::max(fmt.bottomMargin(), 5.0));
        }
        c.setPosition(b.position());
        if (c.currentTable()) continue;
        c.setBlockFormat(fmt);
    }
}

// After a change of a block's format the layout is redone only in part, and without an event
// loop the rest never follows: the blocks after the last table kept no lines and fell off the
// last page. Marking the whole document dirty makes the layout set every block again.
void vollstaendig_setzen(QTextDocument& doc) {
    doc.markContentsDirty(0, doc.characterCount());
}

// A heading at the foot of a page whose text or picture begins on the next page moves to that
// page as well. Each move can shift the headings after it, so this runs until nothing moves.
void ueberschriften_halten(QTextDocument& doc, double seitenhoehe) {
    auto* layout = doc.documentLayout();
    const auto seite = [&](double y) { return static_cast<int>(y / seitenhoehe); };
    for (int runde = 0; runde < 100; ++runde) {
        vollstaendig_setzen(doc);
        bool bewegt = false;
        for (QTextBlock b = doc.begin(); b.isValid() && !bewegt; b = b.next()) {
            const QTextBlockFormat fmt = b.blockFormat();
            if (fmt.headingLevel() == 0 || fmt.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                continue;
            const QTextBlock n = b.next();
            if (!n.isValid()) continue;
            const QRectF kopf = layout->blockBoundingRect(b);
            const QRectF folge = layout->blockBoundingRect(n);
            // The first lines of the following block, about three (a picture is one line).
            const double drei_zeilen =
                3.0 * QFontMetricsF(doc.defaultFont(), layout->paintDevice()).lineSpacing();
            const double folge_ende = folge.top() + std::min(folge.height(), drei_zeilen);
            if (seite(kopf.top()) == seite(folge_ende - 1)) continue;
            QTextBlockFormat neu = fmt;
            neu.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(b).setBlockFormat(neu);
            bewegt = true;
        }
        if (!bewegt) return;
    }
}

int hilfe(const QString& quelle, const QString& ziel) {
    QFile datei(quelle);
    if (!datei.open(QIODevice::ReadOnly)) {
        fehler(QStringLiteral("kann nicht lesen: ") + quelle);
        return 1;
    }
    const QString text = QString::fromUtf8(datei.readAll());

    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    doc.setBaseUrl(QUrl::fromLocalFile(QFileInfo(quelle).absolutePath() + QLatin1Char('/')));
    doc.setMarkdown(text, QTextDocument::MarkdownDialectGitHub);
    if (!bilder_einpassen(doc)) return 1;
    tabellen_gestalten(doc.rootFrame());
    absaetze_gestalten(doc);

    QPdfWriter pdf(ziel);
    pdf.setTitle(QStringLiteral("Pyra-Lotto – Hilfe"));
    pdf.setCreator(QStringLiteral("Pyra-Lotto"));
    pdf.setResolution(300);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));

    // Pages are set here rather than with QTextDocument::print, which works on a copy of the
    // document that has lost the pictures loaded above. A4 with 2 cm margins at the sides and
    // 2.5 cm at the foot, where a line with the title and the page number goes.
    const double mm = pdf.resolution() / 25.4;
    const QRectF seite(0, 0, pdf.width(), pdf.height());
    const QRectF text_rect(20 * mm, 20 * mm, seite.width() - 40 * mm, seite.height() - 45 * mm);
    doc.documentLayout()->setPaintDevice(&pdf);
    doc.setPageSize(text_rect.size());
    doc.setDocumentMargin(0);
    ueberschriften_halten(doc, text_rect.height());
    vollstaendig_setzen(doc);
    const int seiten = doc.pageCount();

    QPainter p(&pdf);
    QFont fuss(QStringLiteral("DejaVu Sans"), 8);
    for (int i = 0; i < seiten; ++i) {
        if (i > 0) pdf.newPage();
        p.save();
        p.translate(text_rect.left(), text_rect.top() - i * text_rect.height());
        const QRectF sichtbar(0, i * text_rect.height(), text_rect.width(), text_rect.height());
        p.setClipRect(sichtbar);
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = sichtbar;
        doc.documentLayout()->draw(&p, ctx);
        p.restore();

        p.setFont(fuss);
        p.setPen(QColor(0x50, 0x50, 0x50));
        const QRectF fusszeile(text_rect.left(), seite.height() - 18 * mm, text_rect.width(), 6 * mm);
        p.drawLine(QPointF(fusszeile.left(), fusszeile.top()), QPointF(fusszeile.right(), fusszeile.top()));
        p.drawText(fusszeile, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Pyra-Lotto 7.3 – Hilfe"));
        p.drawText(fusszeile, Qt::AlignRight | Qt::AlignBottom,
                   QStringLiteral("Seite %1 von %2").arg(i + 1).arg(seiten));
    }
    if (!p.end()) {
        fehler(QStringLiteral("PDF nicht geschrieben: ") + ziel);
        return 1;
    }
    return 0;
}

int symbole(const QString& quelle, const QString& praefix, const QStringList& groessen) {
    QSvgRenderer svg(quelle);
    if (!svg.isValid()) {
        fehler(QStringLiteral("kein gültiges SVG: ") + quelle);
        return 1;
    }
    for (const QString& g : groessen) {
        bool zahl = false;
        const int n = g.toInt(&zahl);
        if (!zahl || n < 1 || n > 1024) {
            fehler(QStringLiteral("ungültige Größe: ") + g);
            return 1;
        }
        QImage img(n, n, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        svg.render(&p, QRectF(0, 0, n, n));
        p.end();
        const QString ziel = praefix + QLatin1Char('-') + QString::number(n) + QStringLiteral(".png");
        if (!img.save(ziel, "PNG")) {
            fehler(QStringLiteral("kann nicht schreiben: ") + ziel);
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() == 4 && a[1] == QLatin1String("hilfe")) return hilfe(a[2], a[3]);
    if (a.size() >= 5 && a[1] == QLatin1String("symbole")) return symbole(a[2], a[3], a.mid(4));
    std::fprintf(stderr, "Aufruf: pyra-bauwerkzeug hilfe QUELLE.md ZIEL.pdf\n"
                         "       pyra-bauwerkzeug symbole QUELLE.svg PRAEFIX GROESSE...\n");
    return 2;
}
