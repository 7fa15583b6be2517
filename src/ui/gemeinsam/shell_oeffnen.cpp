#include "ui/gemeinsam/shell_oeffnen.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace pyra::ui {

namespace {

std::function<bool(const QUrl&)>& oeffner() {
    static std::function<bool(const QUrl&)> o;
    return o;
}

bool oeffnen(const QUrl& url) {
    if (oeffner()) return oeffner()(url);
    return QDesktopServices::openUrl(url);
}

// The program directory, then the data directory of the installation the program runs from
// (<prefix>/share/pyra-lotto beside <prefix>/bin, wherever it was installed to), then the one
// configured at build time.
QStringList hilfeverzeichnisse(const QString& programmverzeichnis) {
    QStringList v{programmverzeichnis};
    const auto dazu = [&v](QString dir) {
        if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
        if (!v.contains(dir)) v << dir;
    };
    if (QCoreApplication::instance())
        dazu(
            QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/pyra-lotto")));
#ifdef PYRA_DATENVERZEICHNIS
    dazu(QStringLiteral(PYRA_DATENVERZEICHNIS));
#endif
    return v;
}

} // namespace

void Oeffner_setzen(std::function<bool(const QUrl&)> o) {
    oeffner() = std::move(o);
}

bool Adresse_erlaubt(const QString& adresse) {
    const QString a = adresse.trimmed();
    QUrl url(a, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) return false;
    const QString schema = url.scheme().toLower();
    return schema == QLatin1String("http") || schema == QLatin1String("https");
}

bool Adresse_oeffnen(const QString& adresse) {
    if (!Adresse_erlaubt(adresse)) return false;
    return oeffnen(QUrl(adresse.trimmed(), QUrl::StrictMode));
}

bool Dokument_oeffnen(const QString& pfad) {
    QFileInfo info(pfad);
    if (!info.isFile()) return false;
    return oeffnen(QUrl::fromLocalFile(info.absoluteFilePath()));
}

namespace {
const QString Hilfedateien[] = {QStringLiteral("Hilfe_Lotto.pdf"), QStringLiteral("Hilfe_Lotto.doc")};
}

bool Hilfe_oeffnen(const QString& programmverzeichnis) {
    for (const QString& datei : Hilfedateien)
        for (const QString& dir : hilfeverzeichnisse(programmverzeichnis))
            if (Dokument_oeffnen(dir + datei)) return true;
    return false;
}

QString Hilfedatei(const QString& programmverzeichnis) {
    for (const QString& datei : Hilfedateien)
        for (const QString& dir : hilfeverzeichnisse(programmverzeichnis))
            if (QFileInfo(dir + datei).isFile()) return dir + datei;
    return hilfeverzeichnisse(programmverzeichnis).front() + Hilfedateien[0];
}

} // namespace pyra::ui
