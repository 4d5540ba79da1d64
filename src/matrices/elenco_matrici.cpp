#include "matrices/elenco_matrici.h"

#include <algorithm>
#include <cctype>

#include "core/corpo.h"
#include "support/codepage.h"
#include "support/date_civili.h"
#include "support/formato.h"
#include "support/testo.h"

namespace novanta {

namespace {

std::string riempito(const std::string& s, size_t larghezza) {
    std::string t = s.substr(0, larghezza);
    t.resize(larghezza, ' ');
    return t;
}

}  // namespace

std::string TestoMessaggioOPredefinito(const std::string& id, const std::string& predefinito) {
    std::string t = TestoMessaggio(id);
    return t.empty() ? predefinito : t;
}

tElencoMatrice VoceElencoMatrice(const std::filesystem::path& percorso, int32_t oggi) {
    tElencoMatrice v;
    v.testata = LeggiTestataMatrice(percorso);
    v.nomeFile = percorso.filename().string();
    v.chkVersion = FormatoMatriceValido(v.testata);
    v.chkCRC = VerificaCRCMatrice(percorso);
    const auto validita = ControllaValidita(v.testata, oggi);
    v.scaduta = validita.scaduta;
    v.entroValidita = validita.entroValidita;
    return v;
}

tElencoMatrice VoceMatriceCustom(int32_t oggi) {
    tElencoMatrice v;
    v.nomeFile = "CUSTOM";
    v.chkVersion = true;
    v.chkCRC = true;
    v.testata.DESCRIPTION = riempito("Premi il pulsante File TXT e carica la tua matrice", LARGHEZZA_DESCRIPTION);
    v.testata.AUTHOR = riempito("MORVANE", LARGHEZZA_AUTHOR);
    v.testata.VALID_FROM = oggi;
    v.testata.VALID_TO = oggi;
    return v;
}

std::vector<std::string> ElencoFile(const std::filesystem::path& cartella, const std::string& estensione) {
    std::vector<std::string> nomi;
    std::error_code ec;
    const std::string cercata = Minuscolo(estensione);
    for (std::filesystem::directory_iterator it(cartella, ec), fine; !ec && it != fine; it.increment(ec)) {
        std::error_code ec2;
        if (!it->is_regular_file(ec2)) continue;
        const std::string nome = it->path().filename().string();
        if (nome.size() > cercata.size() && Minuscolo(nome.substr(nome.size() - cercata.size())) == cercata)
            nomi.push_back(nome);
    }
    std::sort(nomi.begin(), nomi.end());
    if (nomi.empty()) nomi.emplace_back();
    return nomi;
}

void CaricaElencoMatrici(const std::filesystem::path& cartella, uint8_t numeriMatrice, int32_t oggi) {
    const bool tutte = numeriMatrice == 0;
    const auto file = ElencoFile(cartella, ESTENSIONE_MATRICE);
    std::vector<tElencoMatrice> elenco;
    elenco.reserve(file.size() + 1);
    for (const auto& nome : file) {
        if (nome.empty()) continue;
        const auto percorso = cartella / nome;
        const MATRIX_STRUCTURE h = LeggiTestataMatrice(percorso);
        if (!tutte && !(h.NUMBERS_OF_MATRIX_V == numeriMatrice && h.LENGTH_OF_COLUMN_K == mLenCol)) continue;
        elenco.push_back(VoceElencoMatrice(percorso, oggi));
    }
    if (!tutte) elenco.push_back(VoceMatriceCustom(oggi));
    // With nothing to list the list keeps one empty entry, which the window skips.
    if (elenco.empty()) elenco.emplace_back();
    OrdinaElencoMatrici(elenco);
    mElencoMatrici = std::move(elenco);
}

void CaricaElencoMatrici(uint8_t numeriMatrice) {
    CaricaElencoMatrici(mPathDati / "matrici", numeriMatrice, OggiOLE());
}

void OrdinaElencoMatrici(std::vector<tElencoMatrice>& elenco) {
    for (size_t i = 0; i < elenco.size(); ++i)
        for (size_t j = i + 1; j < elenco.size(); ++j)
            if (elenco[i].testata.NUMBERS_OF_MATRIX_V > elenco[j].testata.NUMBERS_OF_MATRIX_V)
                std::swap(elenco[i], elenco[j]);
}

std::string FormattaCampo(int64_t valore, int larghezza) {
    // The mask "#0", "##0", "#,##0", "##,##0", "###,##0"...: grouping from four places on.
    std::string testo = larghezza >= 4 ? FormatoMigliaia(static_cast<double>(valore)) : std::to_string(valore);
    if (static_cast<int>(testo.size()) < larghezza) testo.insert(0, static_cast<size_t>(larghezza) - testo.size(), ' ');
    return testo;
}

std::string RigaElencoMatrice(const tElencoMatrice& voce) {
    const auto& t = voce.testata;
    std::string riga = " ";
    riga += FormattaCampo(t.NUMBERS_OF_MATRIX_V, 2) + " | ";
    riga += FormattaCampo(t.LENGTH_OF_COLUMN_K, 2) + " | ";
    riga += FormattaCampo(t.GARANTY_T, 2) + " | ";
    riga += FormattaCampo(t.PICK_UP_NUMBERS_M, 2) + " | ";
    riga += FormattaCampo(t.FIXED_NUMBERS_OF_MATRIX_F, 2) + " | ";
    riga += FormattaCampo(t.COLUMNS_OF_MATRIX_C, 6) + " | ";
    riga += Cp1252InUtf8(riempito(t.PERCENTAGE_COVER, LARGHEZZA_COVER));
    return riga;
}

std::vector<std::string> RiempiElenco() {
    std::vector<std::string> righe;
    for (const auto& voce : mElencoMatrici)
        if (!voce.nomeFile.empty()) righe.push_back(RigaElencoMatrice(voce));
    return righe;
}

std::string TitoloElencoMatrici(size_t righe) { return TestoMessaggio("0019") + " (" + std::to_string(righe) + ")"; }

SchedaMatrice MostraMatrice(const tElencoMatrice& voce) {
    const auto& t = voce.testata;
    SchedaMatrice s;
    s.txtNumMatrix = std::to_string(t.NUMBERS_OF_MATRIX_V);
    s.txtLenCol = std::to_string(t.LENGTH_OF_COLUMN_K);
    s.txtGaranty = std::to_string(t.GARANTY_T);
    s.txtPickUp = std::to_string(t.PICK_UP_NUMBERS_M);
    s.txtFixedNum = std::to_string(t.FIXED_NUMBERS_OF_MATRIX_F);
    s.txtColMatrix = std::to_string(t.COLUMNS_OF_MATRIX_C);
    // The header's text fields are padded with blanks or NULs.
    const auto campo = [](std::string_view v) {
        return Cp1252InUtf8(std::string(Rifila(v, std::string_view(" \0", 2))));
    };
    s.txtPercentage = campo(t.PERCENTAGE_COVER);
    s.txtAuthor = campo(t.AUTHOR);
    s.txtDescription = campo(t.DESCRIPTION);
    s.txtValidFrom = FormatoGGMMAAAA(t.VALID_FROM);
    s.txtValidTo = FormatoGGMMAAAA(t.VALID_TO);
    s.txtFileName = voce.nomeFile;
    s.versioneErrata = !voce.chkVersion;
    s.lblChkVersion = voce.chkVersion ? "" : TestoMessaggio("0008");
    s.crcErrato = !voce.chkCRC;
    s.lblOK = voce.chkCRC ? "" : TestoMessaggio("0009");
    s.scaduta = voce.scaduta;
    s.lblScaduta = voce.scaduta ? TestoMessaggio("0010") : "";
    s.cmdMatriceTXT = !voce.entroValidita;
    s.cmdAdattaMatrice = voce.entroValidita && voce.chkCRC && voce.chkVersion && !voce.scaduta;
    return s;
}

std::string MotivoNonApplicabile(const tElencoMatrice& voce) {
    if (!voce.chkVersion)
        return TestoMessaggioOPredefinito("0008", "The file is not a matrix of this program (format tag)");
    if (!voce.chkCRC) return TestoMessaggioOPredefinito("0009", "The matrix file is damaged (CRC check failed)");
    if (voce.scaduta)
        return TestoMessaggioOPredefinito("0010", "The matrix has expired") + " (" +
               FormatoGGMMAAAA(voce.testata.VALID_TO) + ")";
    if (!voce.entroValidita) {
        const std::string da = FormatoGGMMAAAA(voce.testata.VALID_FROM);
        return da.empty() ? "The matrix has no valid start date" : "The matrix is valid from " + da;
    }
    return "";
}

}  // namespace novanta
