#pragma once
#include <QIcon>
#include <QLocalServer>
#include <QObject>
#include <filesystem>
#include <functional>
#include <memory>

namespace novanta::ui {

// One copy of the program per data folder. The first copy takes the lock of the data folder and
// listens on a local socket; a later copy finds the lock taken, tells the first through the
// socket to come to the front, and ends. The lock decides (two copies started together cannot
// both win it); the socket only carries the hand-over.
class IstanzaUnica {
public:
    explicit IstanzaUnica(const std::filesystem::path& cartella);
    ~IstanzaUnica();
    // True for the first copy; false after handing over to the running one.
    bool Prima();
    // Called in the first copy whenever a later copy hands over.
    std::function<void()> allaConsegna;

private:
    std::filesystem::path cartella_;
    QString nome_;
    std::unique_ptr<QLocalServer> server_;
};

// The program's icon, drawn (no image plugin needed).
QIcon IconaProgramma();

// The socket name of the copy that owns a data folder.
QString NomeServerIstanza(const std::filesystem::path& cartella);

// A later copy handed over: the window the user can act on comes to the front (an open modal
// window, else the progress window of a run, else the main window). Returns it.
QWidget* PortaInPrimoPiano(QWidget* principale);

// Waits, keeping the windows alive.
void Attendi(int millisecondi);

// The start-up routine: data folder, single instance, splash, version check, main window.
// Returns the program's exit code.
int Avvio();

}  // namespace novanta::ui
