#include "ui/frmImpostazioni.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/corpo.h"
#include "support/file_atomico.h"
#include "ui/interfacciaQt.h"
#include "ui/lingua.h"

namespace novanta::ui {

namespace {

const char* const SEZIONE = "IMPOSTAZIONI";

std::string maiuscolo(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::string rifila(const std::string& s) {
    const auto inizio = s.find_first_not_of(' ');
    if (inizio == std::string::npos) return "";
    return s.substr(inizio, s.find_last_not_of(' ') - inizio + 1);
}

std::filesystem::path fileImpostazioni() { return mPathDati / "qiv.ini"; }

std::string leggi(const std::string& chiave, const std::string& predefinito) {
    const std::filesystem::path f = fileImpostazioni();
    // A key that is missing reads as its default; a key present but empty stays empty.
    std::ifstream in(f, std::ios::binary);
    if (!in) return predefinito;
    std::string tutto((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string v = LeggiINI(f, SEZIONE, chiave);
    if (!v.empty()) return v;
    return tutto.find(chiave + "=") == std::string::npos ? predefinito : v;
}

// Rewrites the section's keys in "qiv.ini", keeping every other line, through a temporary file.
bool scrivi(const std::vector<std::pair<std::string, std::string>>& valori, std::string& errore, int& numero) {
    std::vector<std::string> righe;
    {
        std::ifstream in(fileImpostazioni(), std::ios::binary);
        std::string r;
        while (std::getline(in, r)) {
            if (!r.empty() && r.back() == '\r') r.pop_back();
            righe.push_back(r);
        }
    }
    std::vector<bool> scritto(valori.size(), false);
    auto sezioneDi = [](const std::string& r) -> std::string {
        const std::string t = rifila(r);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') return maiuscolo(rifila(t.substr(1, t.size() - 2)));
        return {};
    };
    std::vector<std::string> out;
    bool dentro = false;
    bool trovata = false;
    auto chiudiSezione = [&] {
        for (size_t i = 0; i < valori.size(); ++i)
            if (!scritto[i]) {
                out.push_back(valori[i].first + "=" + valori[i].second);
                scritto[i] = true;
            }
    };
    for (const std::string& r : righe) {
        const std::string s = sezioneDi(r);
        if (!s.empty()) {
            if (dentro) chiudiSezione();
            dentro = s == SEZIONE;
            trovata = trovata || dentro;
            out.push_back(r);
            continue;
        }
        if (dentro) {
            const auto uguale = r.find('=');
            if (uguale != std::string::npos) {
                const std::string chiave = maiuscolo(rifila(r.substr(0, uguale)));
                bool sostituita = false;
                for (size_t i = 0; i < valori.size(); ++i)
                    if (maiuscolo(valori[i].first) == chiave) {
                        if (!scritto[i]) out.push_back(valori[i].first + "=" + valori[i].second);
                        scritto[i] = true;
                        sostituita = true;
                    }
                if (sostituita) continue;
            }
        }
        out.push_back(r);
    }
    if (dentro) chiudiSezione();
    if (!trovata) {
        out.push_back(std::string("[") + SEZIONE + "]");
        chiudiSezione();
    }
    std::string testo;
    for (const std::string& r : out) testo += r + "\r\n";
    return ScriviFileAtomico(fileImpostazioni(), testo, errore, &numero);
}

bool esisteLingua(const std::string& nome) {
    std::error_code ec;
    const std::string cercato = maiuscolo(nome) + ".LNG";
    for (std::filesystem::directory_iterator it(mPathDati, ec), fine; !ec && it != fine; it.increment(ec))
        if (maiuscolo(it->path().filename().string()) == cercato) return true;
    return false;
}

}  // namespace

void frmImpostazioni::ReadConfiguration() {
    try {
        mConfig.intestazione = rifila(leggi("INTESTAZIONE", "RICEVITORIA XXXX - CAMBIA LE IMPOSTAZIONI DAL MENU FILE").substr(0, 55));
        mConfig.stampante = leggi("STAMPANTE TABULATO", "NESSUNA");
        mConfig.sorgenteRicalcolo = leggi("SORGENTE RICALCOLO", "1") == "1" ? 1 : 2;
        mConfig.modalitaRicalcolo = leggi("MODALITA' RICALCOLO", "FALSE") == "TRUE";
        mConfig.lingua = leggi("LINGUA", "");
        if (!mConfig.lingua.empty() && esisteLingua(mConfig.lingua)) mLinguaCorrente = mConfig.lingua;
    } catch (const std::exception& e) {
        UI().MsgBox(TestoErrore(ERRORE_APPLICAZIONE, e.what(), "ReadConfiguration", "Form frmImpostazioni"));
    }
}

frmImpostazioni::frmImpostazioni(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmImpostazioni"));
    setProperty("ApplicaLingua", true);
    setWindowTitle(QStringLiteral("Impostazioni"));

    auto* v = new QVBoxLayout(this);
    auto* lingua = new QHBoxLayout;
    lbLanguage = new QLabel(QStringLiteral("Lingua"), this);
    lbLanguage->setObjectName(QStringLiteral("lbLanguage"));
    cmbLingua = new QComboBox(this);
    cmbLingua->setObjectName(QStringLiteral("cmbLingua"));
    cmbLingua->setMinimumWidth(180);
    cmdLangUpdate = new QToolButton(this);
    cmdLangUpdate->setObjectName(QStringLiteral("cmdLangUpdate"));
    cmdLangUpdate->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    cmdLangUpdate->setToolTip(QStringLiteral("Download Language Files"));
    cmdInfoLanguage = new QToolButton(this);
    cmdInfoLanguage->setObjectName(QStringLiteral("cmdInfoLanguage"));
    cmdInfoLanguage->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    cmdInfoLanguage->setToolTip(QStringLiteral("Info Languages"));
    lingua->addWidget(lbLanguage);
    lingua->addWidget(cmbLingua, 1);
    lingua->addWidget(cmdLangUpdate);
    lingua->addWidget(cmdInfoLanguage);
    v->addLayout(lingua);

    frameRicalcolo = new QGroupBox(QStringLiteral("Modalità Ricalcolo"), this);
    frameRicalcolo->setObjectName(QStringLiteral("frameRicalcolo"));
    auto* g = new QHBoxLayout(frameRicalcolo);
    chkStatoRicalcolo = new QCheckBox(QStringLiteral("ATTIVA"), frameRicalcolo);
    chkStatoRicalcolo->setObjectName(QStringLiteral("chkStatoRicalcolo"));
    optModoRicalcolo[0] = new QRadioButton(QStringLiteral("MEMORIA"), frameRicalcolo);
    optModoRicalcolo[0]->setObjectName(QStringLiteral("optModoRicalcolo(0)"));
    optModoRicalcolo[1] = new QRadioButton(QStringLiteral("FILE"), frameRicalcolo);
    optModoRicalcolo[1]->setObjectName(QStringLiteral("optModoRicalcolo(1)"));
    g->addWidget(chkStatoRicalcolo);
    g->addStretch(1);
    g->addWidget(optModoRicalcolo[0]);
    g->addWidget(optModoRicalcolo[1]);
    v->addWidget(frameRicalcolo);

    cmdSalva = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("OK"), this);
    cmdSalva->setObjectName(QStringLiteral("cmdSalva"));
    cmdSalva->setToolTip(QStringLiteral("Salva e applica le nuove impostazioni"));
    cmdSalva->setAutoDefault(false);
    auto* basso = new QHBoxLayout;
    basso->addStretch(1);
    basso->addWidget(cmdSalva);
    v->addLayout(basso);

    connect(chkStatoRicalcolo, &QCheckBox::clicked, this, [this] { chkStatoRicalcolo_Click(); });
    connect(cmbLingua, &QComboBox::activated, this, [this] { cmbLingua_Click(); });
    connect(cmdSalva, &QPushButton::clicked, this, [this] { cmdSalva_Click(); });
    connect(cmdLangUpdate, &QToolButton::clicked, this, [this] { cmdLangUpdate_Click(); });
    connect(cmdInfoLanguage, &QToolButton::clicked, this, [this] { cmdInfoLanguage_Click(); });

    // The load event.
    ReadConfiguration();
    chkStatoRicalcolo->setChecked(mConfig.modalitaRicalcolo);
    optModoRicalcolo[mConfig.sorgenteRicalcolo == 1 ? 1 : 0]->setChecked(true);
    chkStatoRicalcolo_Click();
    if (!mLinguaCorrente.empty()) {
        ApplicaLingua(this);
        CaricaLingue();
    } else {
        cmdLangUpdate_Click();
    }
    adjustSize();
}

void frmImpostazioni::chkStatoRicalcolo_Click() {
    const bool attiva = chkStatoRicalcolo->isChecked();
    for (QRadioButton* o : optModoRicalcolo) o->setEnabled(attiva);
}

void frmImpostazioni::CaricaLingue() {
    const QSignalBlocker blocco(cmbLingua);
    cmbLingua->clear();
    std::vector<std::string> nomi;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(mPathDati, ec), fine; !ec && it != fine; it.increment(ec)) {
        const std::string nome = it->path().filename().string();
        if (nome.size() > 4 && maiuscolo(nome.substr(nome.size() - 4)) == ".LNG") nomi.push_back(maiuscolo(nome.substr(0, nome.size() - 4)));
    }
    std::sort(nomi.begin(), nomi.end());
    int scelta = -1;
    for (const std::string& n : nomi) {
        cmbLingua->addItem(Q(n));
        if (!mConfig.lingua.empty() && n == maiuscolo(mConfig.lingua)) scelta = cmbLingua->count() - 1;
    }
    cmbLingua->setCurrentIndex(scelta);
    if (cmbLingua->count() > 0 && scelta < 0) {
        UI().MsgBox("Select Language", Pulsanti::OK, Icona::Critica);
        cmbLingua->setCurrentIndex(0);
        cmbLingua_Click();
    } else if (cmbLingua->count() == 0) {
        UI().MsgBox("Warning files language not found", Pulsanti::OK, Icona::Critica);
    }
}

void frmImpostazioni::cmbLingua_Click() {
    if (cmbLingua->currentIndex() < 0) return;
    UI().Clessidra(true);
    setEnabled(false);
    mLinguaCorrente = S(cmbLingua->currentText());
    ApplicaLinguaATutte();
    setEnabled(true);
    UI().Clessidra(false);
}

void frmImpostazioni::cmdSalva_Click() {
    std::string errore;
    int numero = 0;
    const bool ok = scrivi({{"MODALITA' RICALCOLO", chkStatoRicalcolo->isChecked() ? "TRUE" : "FALSE"},
                            {"SORGENTE RICALCOLO", optModoRicalcolo[0]->isChecked() ? "2" : "1"},
                            {"LINGUA", S(cmbLingua->currentText())}},
                           errore, numero);
    if (!ok) {
        UI().MsgBox(TestoErrore(numero ? numero : 75, errore, "cmdSalva_Click", "Form frmImpostazioni"));
        return;
    }
    accept();
}

void frmImpostazioni::cmdLangUpdate_Click() { CaricaLingue(); }

void frmImpostazioni::cmdInfoLanguage_Click() {}

}  // namespace novanta::ui
