// pyra-lotto-cli: the batch companion. Works on the databases of a program directory through the
// same core operations that the windows call.

#include "cli/kontext.h"
#include "data/programmverzeichnis.h"
#include "data/standarddatenbank.h"
#include "platform/instanz/einzelinstanz.h"
#include "store/value.h"

#include <chrono>
#include <filesystem>
#include <iostream>

using namespace pyra;

namespace {

void registrieren() {
    cli::befehle_registrieren_auswahl();
    cli::befehle_registrieren_statistik();
    cli::befehle_registrieren_system();
    cli::befehle_registrieren_wartung();
    cli::befehle_registrieren_ausgabe();
#ifdef PYRA_MIT_DIAGRAMMEN
    cli::befehle_registrieren_diagramm();
#endif
}

void aufruf_zeigen(std::ostream& out) {
    out << "Aufruf: pyra-lotto-cli [--dir VERZEICHNIS] BEFEHL [ARGUMENTE]\n\nBefehle:\n";
    for (auto& [name, e] : cli::befehle()) out << "  " << e.aufruf << "\n";
}

} // namespace

int main(int argc, char** argv) {
    const auto beginn = std::chrono::steady_clock::now();
    registrieren();
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string dir;
    std::optional<unsigned long long> seed;
    try {
        if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "hilfe")) {
            aufruf_zeigen(std::cout);
            return 0;
        }
        bool mit_dir = false;
        if (!args.empty() && args[0] == "--dir") {
            if (args.size() < 2 || args[1].empty())
                throw cli::Aufruffehler("Zu --dir fehlt das Verzeichnis.");
            dir = args[1];
            mit_dir = true;
            args.erase(args.begin(), args.begin() + 2);
        }
        if (args.empty()) throw cli::Aufruffehler("Kein Befehl angegeben.");
        std::string name = args[0];
        args.erase(args.begin());
        auto it = cli::befehle().find(name);
        if (it == cli::befehle().end()) throw cli::Aufruffehler("Unbekannter Befehl '" + name + "'.");
        // The whole command line is checked before any file is opened or created.
        cli::Aufruf_pruefen(it->second, args);
        for (size_t i = 0; i < args.size(); ++i)
            if (args[i] == "--seed") {
                std::int64_t s = 0;
                if (!store::parseInteger(args[i + 1], s) || s < 0)
                    throw cli::Aufruffehler("--seed braucht eine nicht negative ganze Zahl.");
                seed = static_cast<unsigned long long>(s);
                args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
                break;
            }

        data::Globale_Zustaende globals;
        if (!mit_dir) {
            globals.Programmverzeichnis = data::Programmverzeichnis_bestimmen();
        } else {
            std::error_code ec;
            if (!std::filesystem::is_directory(dir, ec)) {
                std::cerr << "Das Verzeichnis '" << dir << "' gibt es nicht.\n";
                return 1;
            }
            globals.Programmverzeichnis = dir + (dir.back() == '/' ? "" : "/");
        }

        platform::Einzelinstanz sperre(globals.Programmverzeichnis);
        if (!sperre.erhalten()) {
            std::cout << platform::Meldung_laeuft_bereits << "\n";
            return 1;
        }

        std::vector<std::string> beiseite;
        const bool neu = data::Standarddatenbank_anlegen(globals.Programmverzeichnis, data::Heute(),
                                                         cli::standard_nachbereiten(), &beiseite);
        if (!beiseite.empty()) std::cout << data::Meldung_Begleitdateien(beiseite) << "\n";

        cli::Konsolendialog dialog;
        data::Fensterzustand fenster;
        data::DataModule_Lotto dm(globals, fenster, dialog);
        if (name == "anlegen") {
            // An existing file is checked the way the start opens it: a damaged or empty file is
            // an error, not "vorhanden".
            if (!neu) {
                dm.Datenbank_Open();
                dm.Datenbank_Close();
            }
            std::cout << (neu ? "Datenbank angelegt: " : "Datenbank vorhanden: ")
                      << globals.Programmverzeichnis << "Datenbank_Lotto.tdbd\n";
            return 0;
        }

        cli::Kontext k{dm, dialog, fenster, args, seed, beginn};
        int rc = 0;
        if (name == "start") {
            rc = it->second.ausfuehren(k);
        } else {
            globals.Reihen_loeschen_erlaubt = true;
            globals.Leerlauf_fertig = true;
            dm.Datenbank_Open();
            dm.DataSource_WocheDataChange();
            cli::Sperrvermerk_anwenden(k);
            rc = it->second.ausfuehren(k);
        }
        dm.Datenbank_Close();
        return rc;
    } catch (const cli::Aufruffehler& e) {
        std::cerr << e.what() << "\n\n";
        aufruf_zeigen(std::cerr);
        return 2;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}
