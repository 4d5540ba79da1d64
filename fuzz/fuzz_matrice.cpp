// The matrix file reader, its checks and the application of what it accepts.
#include "core/corpo.h"
#include "matrices/applica_matrice.h"
#include "matrices/elenco_matrici.h"
#include "matrices/matrice.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    using namespace novanta;
    const std::span<const uint8_t> byte(dati, n);
    tElencoMatrice voce;
    voce.testata = LeggiTestataMatrice(byte);
    voce.chkVersion = FormatoMatriceValido(voce.testata);
    voce.chkCRC = VerificaCRCMatrice(byte);
    const auto validita = ControllaValidita(voce.testata, 46000);
    voce.scaduta = validita.scaduta;
    voce.entroValidita = validita.entroValidita;
    RigaElencoMatrice(voce);
    MostraMatrice(voce);
    MotivoNonApplicabile(voce);
    MATRIX_STRUCTURE m;
    ErroreLettura errore;
    if (!LeggiMatrice(byte, m, errore)) return 0;
    if (142 + static_cast<size_t>(m.COLUMNS_OF_MATRIX_C) * m.LENGTH_OF_COLUMN_K > n) __builtin_trap();
    // Apply it to the prediction 1..90 with columns of its own length.
    static bool pronto = false;
    if (!pronto) {
        InizializzaCorpo();
        pronto = true;
    }
    ResetSistema(false);
    for (int i = 0; i < 90; ++i) GrigliaNumeriClick(i);
    CaricaPronostico();
    mLenCol = static_cast<int16_t>(m.LENGTH_OF_COLUMN_K);
    if (ApplicaMatrice(m)) {
        for (int32_t c = 1; c <= mSistema.nColonne; ++c)
            for (int p = 1; p <= mLenCol; ++p)
                if (mArrColonne.valore(c, p) < 1 || mArrColonne.valore(c, p) > 90) __builtin_trap();
    }
    return 0;
}
