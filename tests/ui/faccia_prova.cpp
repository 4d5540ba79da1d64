#include "faccia_prova.h"

#include "ui/frmMAIN.h"

namespace novanta::test {

Risposta FacciaProva::MsgBox(const std::string& testo, Pulsanti pulsanti, Icona icona, const std::string& titolo) {
    messaggi.push_back({testo, pulsanti, icona, titolo});
    if (pulsanti == Pulsanti::OK) return Risposta::OK;
    if (!risposte.empty()) {
        const Risposta r = risposte.front();
        risposte.pop_front();
        return r;
    }
    return pulsanti == Pulsanti::OKAnnulla ? Risposta::OK : Risposta::Si;
}

std::optional<std::string> FacciaProva::InputBox(const std::string&, const std::string&, const std::string&) {
    return std::nullopt;
}

std::optional<std::string> FacciaProva::ScegliFileApri(const std::string& filtro, const std::string& cartella) {
    dialoghi.push_back({filtro, cartella, "", "", false});
    if (file.empty()) return std::nullopt;
    auto r = file.front();
    file.pop_front();
    return r;
}

std::optional<std::string> FacciaProva::ScegliFileSalva(const std::string& filtro, const std::string& cartella,
                                                        const std::string& nomeProposto, const std::string& estensione) {
    dialoghi.push_back({filtro, cartella, nomeProposto, estensione, true});
    if (file.empty()) return std::nullopt;
    auto r = file.front();
    file.pop_front();
    return r;
}

void FacciaProva::DoEvents() {
    ++yield;
    if (allYield) allYield(yield);
    InterfacciaQt::DoEvents();
}

int FacciaProva::Modale(QDialog& finestra) {
    modali.push_back(finestra.objectName());
    principaleVisibile.push_back(principale() && principale()->isVisible());
    finestra.show();
    const int r = allaFinestra ? allaFinestra(finestra) : QDialog::Rejected;
    finestra.close();
    return r;
}

}  // namespace novanta::test
