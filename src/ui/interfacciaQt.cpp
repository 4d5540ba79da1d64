#include "ui/interfacciaQt.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "ui/frmCalcolo.h"
#include "ui/frmMAIN.h"
#include "ui/frmNewVersion.h"
#include "versione.h"

namespace novanta::ui {

namespace {
InterfacciaQt* installata = nullptr;
}

InterfacciaQt* FacciaQt() { return installata && &UI() == installata ? installata : nullptr; }

InterfacciaQt::InterfacciaQt() {
    installata = this;
    ImpostaInterfaccia(this);
}

InterfacciaQt::~InterfacciaQt() {
    delete progresso();
    while (clessidre_ > 0) Clessidra(false);
    if (&UI() == this) ImpostaInterfaccia(nullptr);
    if (installata == this) installata = nullptr;
}

void InterfacciaQt::ImpostaPrincipale(frmMAIN* finestra) { principale_ = finestra; }
frmMAIN* InterfacciaQt::principale() const { return static_cast<frmMAIN*>(principale_.data()); }
frmCalcolo* InterfacciaQt::progresso() const { return static_cast<frmCalcolo*>(progresso_.data()); }

QWidget* InterfacciaQt::proprietario() const {
    if (QWidget* attiva = QApplication::activeModalWidget()) return attiva;
    if (progresso() && progresso()->isVisible()) return progresso();
    return principale();
}

QString FiltroQt(const std::string& filtro) {
    const QStringList parti = Q(filtro).split(QLatin1Char('|'));
    QStringList filtri;
    for (int i = 0; i + 1 < parti.size(); i += 2) {
        QString descrizione = parti[i];
        const QString modello = QString(parti[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        if (!descrizione.contains(modello)) descrizione += QStringLiteral(" (") + modello + QStringLiteral(")");
        filtri << descrizione;
    }
    return filtri.join(QStringLiteral(";;"));
}

Risposta InterfacciaQt::MsgBox(const std::string& testo, Pulsanti pulsanti, Icona icona, const std::string& titolo) {
    QMessageBox box(proprietario());
    box.setWindowTitle(titolo.empty() ? QStringLiteral(NOVANTA_TITOLO) : Q(titolo));
    box.setText(Q(testo).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    switch (icona) {
        case Icona::Critica:
            box.setIcon(QMessageBox::Critical);
            break;
        case Icona::Domanda:
            box.setIcon(QMessageBox::Question);
            break;
        case Icona::Esclamazione:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icona::Informazione:
            box.setIcon(QMessageBox::Information);
            break;
        case Icona::Nessuna:
            break;
    }
    switch (pulsanti) {
        case Pulsanti::OK:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Pulsanti::SiNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case Pulsanti::OKAnnulla:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case Pulsanti::SiNoAnnulla:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    // A short text (the elapsed time of a run) would make the box narrower than its title.
    if (auto* griglia = qobject_cast<QGridLayout*>(box.layout())) {
        const int larghezza = box.fontMetrics().horizontalAdvance(box.windowTitle()) + 160;
        griglia->addItem(new QSpacerItem(larghezza, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                         griglia->rowCount(), 0, 1, griglia->columnCount());
    }
    // The hourglass would hide that the box waits for the user.
    const int clessidre = clessidre_;
    for (int i = 0; i < clessidre; ++i) QApplication::restoreOverrideCursor();
    const int r = box.exec();
    for (int i = 0; i < clessidre; ++i) QApplication::setOverrideCursor(Qt::WaitCursor);
    switch (r) {
        case QMessageBox::Yes:
            return Risposta::Si;
        case QMessageBox::No:
            return Risposta::No;
        case QMessageBox::Cancel:
            return Risposta::Annulla;
        default:
            break;
    }
    // Closing a Yes/No box with its close button is a No.
    if (pulsanti == Pulsanti::SiNo) return Risposta::No;
    if (pulsanti == Pulsanti::SiNoAnnulla || pulsanti == Pulsanti::OKAnnulla)
        return r == QMessageBox::Ok ? Risposta::OK : Risposta::Annulla;
    return Risposta::OK;
}

std::optional<std::string> InterfacciaQt::InputBox(const std::string& prompt, const std::string& titolo,
                                                   const std::string& predefinito) {
    bool ok = false;
    const QString t = QInputDialog::getText(proprietario(), titolo.empty() ? QStringLiteral(NOVANTA_TITOLO) : Q(titolo),
                                            Q(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                                            QLineEdit::Normal, Q(predefinito), &ok);
    if (!ok) return std::nullopt;
    return S(t);
}

void InterfacciaQt::EseguiEventi() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    ultimoGiro_.restart();
}

void InterfacciaQt::DoEvents() {
    if (ultimoGiro_.isValid() && ultimoGiro_.elapsed() < 15) return;
    EseguiEventi();
}

void InterfacciaQt::Beep() { QApplication::beep(); }

void InterfacciaQt::Clessidra(bool attiva) {
    if (attiva) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++clessidre_;
    } else if (clessidre_ > 0) {
        QApplication::restoreOverrideCursor();
        --clessidre_;
    }
}

void InterfacciaQt::ProgressoApri() {
    if (!progresso()) progresso_ = new frmCalcolo(nullptr);
    progresso()->show();
    progresso()->raise();
    // The hourglass over the main window only: the cancel button keeps its arrow.
    if (principale()) principale()->setCursor(Qt::WaitCursor);
    EseguiEventi();
}

void InterfacciaQt::ProgressoChiudi() {
    if (!progresso()) return;
    if (principale()) principale()->unsetCursor();
    progresso()->chiudibile_ = true;
    progresso()->close();
    delete progresso();
}

void InterfacciaQt::ProgressoBarra(int valore) {
    if (progresso()) progresso()->Barra(valore);
}

void InterfacciaQt::ProgressoEtichette(double integrale, double elaborate, double sistema) {
    if (progresso()) progresso()->Etichette(integrale, elaborate, sistema);
}

void InterfacciaQt::ProgressoAllarme(const std::string& testo) {
    if (progresso()) progresso()->Allarme(Q(testo));
}

void InterfacciaQt::ProgressoRidisegna() {
    if (progresso()) progresso()->repaint();
}

void InterfacciaQt::LockGUI() {
    if (principale()) principale()->LockGUI();
}
void InterfacciaQt::UnlockGUI() {
    if (principale()) principale()->UnlockGUI();
}
void InterfacciaQt::UnlockMenuConditions() {
    if (principale()) principale()->UnlockMenuConditions();
}
void InterfacciaQt::Sblocca_x_Ricalcolo() {
    if (principale()) principale()->Sblocca_x_Ricalcolo();
}
void InterfacciaQt::ViewStatusBar() {
    if (principale()) principale()->ViewStatusBar();
}
void InterfacciaQt::GrigliaAggiornata() {
    if (principale()) principale()->AggiornaGriglia();
}

void InterfacciaQt::AbilitaFinestraPrincipale(bool abilitata) {
    if (!principale()) return;
    principale()->setEnabled(abilitata);
    if (abilitata) {
        principale()->activateWindow();
        principale()->setFocus();
    }
}

void InterfacciaQt::ApriURL(const std::string& indirizzo) { QDesktopServices::openUrl(QUrl(Q(indirizzo))); }

void InterfacciaQt::ApriCartella(const std::string& cartella) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(Q(cartella)));
}

std::optional<std::string> InterfacciaQt::ScegliFileApri(const std::string& filtro, const std::string& cartella) {
    const QString f = QFileDialog::getOpenFileName(proprietario(), QString(), Q(cartella), FiltroQt(filtro));
    if (f.isEmpty()) return std::nullopt;
    return S(f);
}

std::optional<std::string> InterfacciaQt::ScegliFileSalva(const std::string& filtro, const std::string& cartella,
                                                          const std::string& nomeProposto,
                                                          const std::string& estensione) {
    QFileDialog dialogo(proprietario(), QString(), Q(cartella), FiltroQt(filtro));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    QString suffisso = Q(estensione);
    if (suffisso.startsWith(QLatin1Char('.'))) suffisso.remove(0, 1);
    dialogo.setDefaultSuffix(suffisso);
    if (!nomeProposto.empty()) dialogo.selectFile(Q(nomeProposto));
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return std::nullopt;
    return S(dialogo.selectedFiles().first());
}

void InterfacciaQt::NuovaVersione(const std::string& locale, const std::string& remota) {
    frmNewVersion avviso;
    avviso.localVersion = Q(locale);
    avviso.remoteVersion = Q(remota);
    // The notice waits for an answer: the splash would only stand in its way.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("frmSplash")) w->hide();
    Modale(avviso);
}

int InterfacciaQt::Modale(QDialog& finestra) { return finestra.exec(); }

void InterfacciaQt::OttimizzazioneProgresso(int32_t migliore, int32_t, double, double secondi) {
    if (alProgressoOttimizzazione) alProgressoOttimizzazione(migliore, secondi);
}

}  // namespace novanta::ui
