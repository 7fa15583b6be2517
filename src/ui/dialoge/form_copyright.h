#pragma once

// The About box: logo, notice line with the current year, homepage and partner links.

#include "data/datamodule.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QFrame;

namespace pyra::ui {

class TForm_Copyright : public QDialog {
    Q_OBJECT
  public:
    explicit TForm_Copyright(QWidget* eltern = nullptr);

    // Places the box next to the main window, reads both addresses from Wahl, completes the
    // notice line with the current year and shows the box modally.
    void zeigen(data::DataModule_Lotto* dm, QWidget* hauptfenster);
    // The same without showing (tests).
    void vorbereiten(data::DataModule_Lotto* dm, QWidget* hauptfenster);

    void Label_HomepageClick();
    void Label_PartnerseiteClick();

    QFrame* Panel_Copyright = nullptr;
    QLabel* Image_Zolts = nullptr;
    QLabel* Label_C = nullptr;
    QLabel* Label_Homepage = nullptr;
    QLabel* Label_Partnerseite = nullptr;
    QLabel* Label_Version = nullptr; // the program's name and version
    QPushButton* BitBtn_OK = nullptr;
};

} // namespace pyra::ui
