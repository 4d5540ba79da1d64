#pragma once
#include <QtTest>
#include <QtWidgets>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "core/corpo.h"
#include "faccia_prova.h"
#include "progetto/progetto.h"
#include "support/formato.h"
#include "support/registratore.h"
#include "ui/frmMAIN.h"

namespace novanta::test {

// The test classes register themselves here; main runs the one named on the command line.
using FabbricaProva = std::function<std::unique_ptr<QObject>()>;
std::map<std::string, FabbricaProva>& Prove();
struct RegistraProva {
    RegistraProva(const char* nome, FabbricaProva f) { Prove()[nome] = std::move(f); }
};
#define NOVANTA_PROVA(Classe) \
    static novanta::test::RegistraProva registra_##Classe(#Classe, [] { return std::make_unique<Classe>(); })

// A control of a window by objectName; a missing one fails the test where it is used.
template <typename T = QWidget>
T* in(const QWidget& w, const QString& nome) {
    T* c = w.findChild<T*>(nome);
    if (!c) qWarning("no %s", qPrintable(nome));
    return c;
}
inline void clic(const QWidget& w, const QString& nome) {
    QTest::mouseClick(in<QAbstractButton>(w, nome), Qt::LeftButton);
}
inline QString testo(const QWidget& w, const QString& nome) { return in<QLabel>(w, nome)->text(); }
inline void mostra(QWidget& w) {
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
}
// The user at a window, steps apart by spaces: "name" clicks the button or toggle label of that
// name, "name=text" types into a field; "name:text" checks a label's text, "+name" and "-name"
// that the control is shown or hidden.
inline void usa(const QWidget& w, const char* passi) {
    for (const QString& p : QString::fromLatin1(passi).split(' ', Qt::SkipEmptyParts)) {
        if (p.startsWith('+') || p.startsWith('-')) {
            QVERIFY2(in(w, p.mid(1))->isHidden() == p.startsWith('-'), qPrintable(p));
            continue;
        }
        const qsizetype uguale = p.indexOf('='), duePunti = p.indexOf(':');
        if (uguale > 0)
            in<QLineEdit>(w, p.left(uguale))->setText(p.mid(uguale + 1));
        else if (duePunti > 0)
            QCOMPARE(testo(w, p.left(duePunti)), p.mid(duePunti + 1));
        else if (w.findChild<QAbstractButton*>(p))
            clic(w, p);
        else  // a label of a toggle array, clicked where the user would click it
            QTest::mouseClick(in(w, p)->parentWidget(), Qt::LeftButton, {}, in(w, p)->geometry().center());
    }
}
// A group filter of `numeri`, the counts in the mask `presenze`, ON or OFF; its fields, to compare.
inline tFiltroGruppo filtro(std::initializer_list<int> numeri, int32_t presenze, bool attivo) {
    tFiltroGruppo f;
    for (int n : numeri) f.numeri[static_cast<size_t>(n)] = 1;
    f.presenze = presenze;
    f.attivo = attivo;
    return f;
}
inline auto campi(const tFiltroGruppo& f) { return std::tuple(f.numeri, f.presenze, f.attivo); }

// A language file for the tests: the messages the windows show, and a caption to see it applied;
// the condition windows' messages are each text its own id.
inline const char* LINGUA_PROVA =
    "[Strings]\r\n0005=M0005\r\n0021=M0021\r\n0022=M0022\r\n0023=M0023\r\n0024=M0024\r\n0100=M0100\r\n"
    "0042=Numeri in gioco\r\n0053=Uscire dal programma?\r\n0060=Sistema condizionato\r\n"
    "0062=Sistema integrale\r\n0160=interrotto: %1 di %2 colonne\r\n0162=Nessun sistema\r\n0163=Vuoto: %1\r\n"
    "0006=I filtri saranno cancellati.\r\n0007=Continuare?\r\n0270=Sistema ottimizzato N-%1 (da %2 a %3 colonne)\r\n"
    "[frmMAIN]\r\nfrmMAIN.Caption=Novanta prova\r\n";

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

    template <typename T = QWidget>
    T* trova(const char* nome) const {
        return in<T>(*principale, QString::fromLatin1(nome));
    }
    QPushButton* pulsante(const char* nome) const { return trova<QPushButton>(nome); }
    QString testo(const char* nome) const { return trova<QLabel>(nome)->text(); }
    // Lets `azione` work on each modal window `apri` opens, and closes it; the caller gets the
    // result the window set.
    void conFinestre(const std::function<void()>& apri, const std::function<void(QDialog&)>& azione) {
        faccia.allaFinestra = [&](QDialog& f) {
            azione(f);
            return f.result();
        };
        apri();
        faccia.allaFinestra = nullptr;
    }
    // The same, the windows opened from the menu entry or the button `nome`.
    void daMenu(const char* nome, const std::function<void(QDialog&)>& azione) {
        conFinestre(
            [&] {
                if (auto* voce = principale->findChild<QAction*>(QString::fromLatin1(nome)))
                    voce->trigger();
                else
                    QTest::mouseClick(pulsante(nome), Qt::LeftButton);
            },
            azione);
    }
    void menu(const char* voce) const { trova<QAction>(voce)->trigger(); }
    bool segnato(const char* voce) const { return trova<QAction>(voce)->isChecked(); }
    std::vector<std::string> testiMessaggi() const {
        std::vector<std::string> v;
        for (const auto& m : faccia.messaggi) v.push_back(m.testo);
        return v;
    }
    bool attivo(const char* nome) const { return trova(nome)->isEnabled(); }

    // A click on the grid label of number n (1..90), through the mouse as a user would.
    void clicNumero(int n) const {
        QTest::mouseClick(principale->griglia(), Qt::LeftButton, {},
                          principale->griglia()->etichetta(n - 1)->geometry().center());
    }
    // Columns of `lunghezza` from the numbers da..a, marked one by one.
    void prepara(int lunghezza, int da, int a) const {
        trova<QScrollBar>("hsLenCol")->setValue(lunghezza);
        for (int n = da; n <= a; ++n) clicNumero(n);
    }
    void calcola() const { QTest::mouseClick(pulsante("cmdCalcolo"), Qt::LeftButton); }

    CartellaTemporanea cartella;
    FacciaProva faccia;
    std::unique_ptr<ui::frmMAIN> principale;
};

}  // namespace novanta::test

// Every GUI test works in the program's namespace and the tests' own.
using namespace novanta;
using namespace novanta::test;
