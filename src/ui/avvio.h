#pragma once
#include <QIcon>
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <functional>
#include <memory>

namespace novanta::ui {

// One copy of the program per user. The first copy takes a lock file and listens on a local
// socket; a later copy finds the lock taken, tells the first through the socket to come to
// the front, and ends. The lock decides (two copies started together cannot both win it);
// the socket only carries the hand-over.
class IstanzaUnica {
public:
    // `nome` tells the lock and the socket apart (the tests use their own).
    explicit IstanzaUnica(const QString& nome);
    ~IstanzaUnica();
    // True for the first copy; false after handing over to the running one.
    bool Prima();
    // Called in the first copy whenever a later copy hands over.
    std::function<void()> allaConsegna;

private:
    QString nome_;
    std::unique_ptr<QLockFile> blocco_;
    std::unique_ptr<QLocalServer> server_;
};

// The program's icon, drawn (no image plugin needed).
QIcon IconaProgramma();

// The data folder: $XDG_DATA_HOME/Novanta (by default ~/.local/share/Novanta).
std::string CartellaDatiPredefinita();
// Creates the data folder and its sub-folders temp, txt, sistemi, csv and matrici.
void PreparaCartelle();

// Waits, keeping the windows alive.
void Attendi(int millisecondi);

// The start-up routine: data folder, single instance, splash, version check, main window.
// Returns the program's exit code.
int Avvio();

}  // namespace novanta::ui
