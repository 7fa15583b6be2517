#pragma once

// Opening web addresses and documents with the user's default applications.

#include <QString>
#include <QUrl>

#include <functional>

namespace pyra::ui {

// True for addresses that may be handed to the browser: http:// and https:// only.
bool Adresse_erlaubt(const QString& adresse);
// Hands the address to the default browser. Anything but http:// and https:// is not opened.
bool Adresse_oeffnen(const QString& adresse);
// Opens a local document with its default application; false when the file does not exist or
// could not be handed over.
bool Dokument_oeffnen(const QString& pfad);

// Help (F1): the pdf file, else the doc file, looked up in the program directory and then in the
// installed data directory. False when neither could be opened.
bool Hilfe_oeffnen(const QString& programmverzeichnis);
// The help file F1 opens: the first pdf or doc file found there, else the pdf file's place in the
// program directory.
QString Hilfedatei(const QString& programmverzeichnis);

// Tests replace the opener (default: QDesktopServices::openUrl).
void Oeffner_setzen(std::function<bool(const QUrl&)> oeffner);

} // namespace pyra::ui
