#pragma once
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>

#include "core/corpo.h"
#include "faccia_prova.h"
#include "support/registratore.h"
#include "ui/frmMAIN.h"

namespace novanta::test {

// A language file for the tests: the messages the windows show, and a caption to see it applied.
inline const char* LINGUA_PROVA =
    "[Strings]\r\n"
    "0001=Colonne integrali:\r\n"
    "0002=Colonne elaborate:\r\n"
    "0003=Colonne sistema:\r\n"
    "0004=Annullare il calcolo?\r\n"
    "0042=Numeri in gioco\r\n"
    "0053=Uscire dal programma?\r\n"
    "0054=Modificare il sistema?\r\n"
    "0060=Sistema condizionato\r\n"
    "0062=Sistema integrale\r\n"
    "[frmMAIN]\r\n"
    "frmMAIN.Caption=Novanta prova\r\n"
    "[frmCalcolo]\r\n"
    "frmCalcolo.Caption=Calcolo in corso\r\n";

// One GUI test's world: a fresh state, a data folder with a chosen language, the scripted face
// and the main window loaded and shown.
struct Ambiente {
    explicit Ambiente(bool carica = true, bool conLingua = true) {
        StatoIniziale();
        if (conLingua) {
            cartella.scrivi("qiv.ini", "[IMPOSTAZIONI]\r\nLINGUA=prova\r\n");
            cartella.scrivi("prova.lng", LINGUA_PROVA);
        }
        principale = std::make_unique<ui::frmMAIN>();
        if (carica) {
            principale->Carica();
            principale->show();
            QVERIFY(QTest::qWaitForWindowExposed(principale.get()));
        }
    }
    ~Ambiente() {
        principale.reset();
        StatoIniziale();
    }

    template <typename T>
    T* trova(const char* nome) const {
        return principale->findChild<T*>(QString::fromLatin1(nome));
    }
    QPushButton* pulsante(const char* nome) const { return trova<QPushButton>(nome); }
    QLabel* etichetta(const char* nome) const { return trova<QLabel>(nome); }

    // A click on the grid label of number n (1..90), through the mouse as a user would.
    void clicNumero(int n) const {
        QLabel* l = principale->griglia()->etichetta(n - 1);
        QTest::mouseClick(principale->griglia(), Qt::LeftButton, {}, l->geometry().center());
    }
    void segna(int da, int a) const {
        for (int n = da; n <= a; ++n) clicNumero(n);
    }

    CartellaTemporanea cartella;
    FacciaProva faccia;
    std::unique_ptr<ui::frmMAIN> principale;
};

}  // namespace novanta::test
