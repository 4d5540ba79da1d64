#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include <fstream>
#include <memory>
#include <stdexcept>

#include "cli/cli.h"
#include "cli/opzioni_condizioni.h"
#include "core/corpo.h"
#include "matrices/applica_matrice.h"
#include "matrices/elenco_matrici.h"
#include "matrices/garanzia.h"
#include "matrices/matrice.h"
#include "matrices/ordine_pronostico.h"
#include "support/codepage.h"
#include "support/date_civili.h"
#include "support/file_atomico.h"
#include "textfiles/colonne_base.h"
#include "textfiles/colonne_txt.h"
#include "textfiles/filtri_txt.h"

namespace novanta::cli {

namespace {

std::string testoPronostico() {
    std::string t;
    for (int i = 0; i < mSistema.numPronostico; ++i)
        t += fmt::format("{}{:02d}", i ? " " : "", mSistema.pronostico[static_cast<size_t>(i)]);
    return t;
}

// FILE:COUNTS, split at the last colon so that the file name may hold colons.
std::pair<std::string, int32_t> fileEConteggi(const std::string& opzione, const std::string& testo) {
    const auto due = testo.rfind(':');
    if (due == std::string::npos || due == 0)
        throw std::invalid_argument(opzione + ": expected FILE:COUNTS, got '" + testo + "'");
    int32_t presenze = 0;
    for (int c : LeggiListaOpzione(opzione, testo.substr(due + 1), 0, 25))
        presenze |= mPotenze2[static_cast<size_t>(c)];
    return {testo.substr(0, due), presenze};
}

// Appends the filters of a group-filter file to a list; false (after telling why) on a bad file.
bool aggiungiFiltriDaFile(Contesto& ctx, const std::string& opzione, const std::string& testo, TabellaFiltri& lista,
                          int32_t& conta) {
    const auto [file, presenze] = fileEConteggi(opzione, testo);
    std::ifstream in;
    std::string messaggio;
    if (!ApriFileFiltri(file, in, messaggio)) {
        UI().MsgBox(messaggio);
        return false;
    }
    std::vector<tFiltroGruppo> filtri;
    bool limite = false;
    if (!LeggiFiltriTxt(in, presenze, filtri, limite, messaggio)) {
        UI().MsgBox(messaggio);
        return false;
    }
    if (conta + static_cast<int64_t>(filtri.size()) > MAX_FILTRI) {
        ctx.err << "novanta-cli: " << opzione << ": more than 150,000 filters in the list\n";
        return false;
    }
    if (limite)
        SegnalaTaglio(ctx, opzione + ": " + file + " holds more than 150,000 filters; the first 150,000 were read");
    for (const auto& f : filtri) lista[++conta] = f;
    return true;
}

struct OpzioniFile {
    std::optional<std::string> base;
    std::vector<std::string> fileAND, fileOR;
};

struct ComandoImporta {
    std::string ingresso;
    std::optional<std::string> uscita;
};

struct ComandoMatrice {
    std::optional<std::string> file, testo, uscita, risposte;
    std::string numeri;
};

struct ComandoElenco {
    std::optional<std::string> cartella;
    std::optional<int> numeri, lunghezza;
};

struct ComandoCreaMatrice {
    std::string ingresso, uscita;
    std::optional<int> garanzia, estratti;
    std::string cover, autore, descrizione;
    std::optional<std::string> validoDa, validoA;
};

int importa(Contesto& ctx, const ComandoImporta& c) {
    if (!ImportaColonneTxt(c.ingresso)) return ESITO_ERRORE;
    ctx.out << "Length: " << mLenCol << "\n";
    ctx.out << "Prediction: " << testoPronostico() << "\n";
    ctx.out << "Columns: " << mSistema.nColonne << "\n";
    if (c.uscita && !SalvaColonneTxt(*c.uscita)) return ESITO_ERRORE;
    return ESITO_OK;
}

int applicaMatrice(Contesto& ctx, const ComandoMatrice& c) {
    if (c.file.has_value() == c.testo.has_value())
        throw std::invalid_argument("matrix: give exactly one of --file and --text");
    const auto numeri = LeggiListaOpzione("--numbers", c.numeri, 1, 90);
    ResetSistema(false);
    for (int n : numeri) {
        if (mGriglia[static_cast<size_t>(n - 1)] != 0)
            throw std::invalid_argument("--numbers: " + std::to_string(n) + " is given twice");
        GrigliaNumeriClick(n - 1);
    }
    CaricaPronostico();
    // The order given is the order of the prediction: abstract number i becomes its i-th number.
    const std::vector<uint8_t> ordine(numeri.begin(), numeri.end());
    ScriviOrdinePronostico(ordine);
    if (c.risposte) {
        ctx.ui.risposteInput.clear();
        for (int n : LeggiListaOpzione("--fixed-answers", *c.risposte, 1, 90))
            ctx.ui.risposteInput.push_back(std::to_string(n));
    }
    bool esito = false;
    if (c.file) {
        int numero = 0;
        std::string descrizione;
        if (!FileRegolareDaLeggere(*c.file, numero, descrizione)) {
            ctx.err << "novanta-cli: --file: " << descrizione << "\n";
            return ESITO_ERRORE;
        }
        const MATRIX_STRUCTURE testata = LeggiTestataMatrice(std::filesystem::path(*c.file));
        if (testata.NUMBERS_OF_MATRIX_V != mSistema.numPronostico) {
            ctx.err << "novanta-cli: the matrix is built on " << int(testata.NUMBERS_OF_MATRIX_V)
                    << " numbers, --numbers gives " << int(mSistema.numPronostico) << "\n";
            return ESITO_ERRORE;
        }
        ImpostaLenCol(testata.LENGTH_OF_COLUMN_K);
        esito = ApplicaMatriceFile(*c.file, OggiOLE());
    } else {
        bool tagliata = false;
        const MATRIX_STRUCTURE m = CaricaMatriceTxt(*c.testo, &tagliata);
        if (tagliata)
            SegnalaTaglio(ctx, "--text: " + *c.testo + " holds more than 100,000 lines; the first 100,000 were read");
        if (m.LENGTH_OF_COLUMN_K >= LEN_COL_MIN && m.LENGTH_OF_COLUMN_K <= LEN_COL_MAX)
            ImpostaLenCol(m.LENGTH_OF_COLUMN_K);
        esito = ControllaMatriceTxt(m) && ApplicaMatriceCaricata(m, true);
    }
    if (!esito) return ESITO_ERRORE;
    ctx.err << "Description: " << mSistema.descrizione << "\n";
    ctx.err << "Prediction: " << testoPronostico() << "\n";
    if (mCondizioni.fisseAttive) {
        std::string fisse;
        for (int n = 1; n <= 90; ++n)
            if (mCondizioni.fisse[static_cast<size_t>(n)]) fisse += fmt::format(" {:02d}", n);
        ctx.err << "Condition on: fixed numbers" << fisse << "\n";
    }
    if (mCondizioni.ridottoAttivo) ctx.err << "Condition on: reduction N-" << int(mCondizioni.ridottoNx) << "\n";
    ctx.err << "Columns: " << mSistema.nColonne << "\n";
    return ScriviSistema(ctx, c.uscita) ? ESITO_OK : ESITO_ERRORE;
}

int elencaMatrici(Contesto& ctx, const ComandoElenco& c) {
    if (c.numeri.has_value() != c.lunghezza.has_value())
        throw std::invalid_argument("matrices: give --numbers and --length together");
    const std::filesystem::path cartella = c.cartella ? std::filesystem::path(*c.cartella) : mPathDati / "matrici";
    if (c.lunghezza) ImpostaLenCol(*c.lunghezza);
    CaricaElencoMatrici(cartella, static_cast<uint8_t>(c.numeri.value_or(0)), OggiOLE());
    ctx.out << "  V |  K |  T |  M |  F |      C | cover      | tag | CRC | valid from - to         | file\n";
    for (const auto& voce : mElencoMatrici) {
        if (voce.nomeFile.empty()) continue;
        const auto scheda = MostraMatrice(voce);
        std::string stato = "ok";
        if (voce.scaduta)
            stato = "expired";
        else if (!voce.entroValidita)
            stato = "not yet valid";
        ctx.out << RigaElencoMatrice(voce) << " | " << (voce.chkVersion ? "ok " : "BAD") << " | "
                << (voce.chkCRC ? "ok " : "BAD") << " | "
                << fmt::format("{:10} - {:10} {:13}", scheda.txtValidFrom, scheda.txtValidTo, stato) << " | "
                << voce.nomeFile << "\n";
    }
    return ESITO_OK;
}

int creaMatrice(Contesto& ctx, const ComandoCreaMatrice& c) {
    ColonneLette lette;
    std::string messaggio;
    if (!LeggiColonneTxt(std::filesystem::path(c.ingresso), lette, messaggio)) {
        UI().MsgBox(messaggio);
        return ESITO_ERRORE;
    }
    if (lette.righe == 0) {
        ctx.err << "novanta-cli: " << c.ingresso << " holds no column\n";
        return ESITO_ERRORE;
    }
    MATRIX_STRUCTURE m;
    int v = 0;
    for (int n = 1; n <= 90; ++n)
        if (lette.presenti[static_cast<size_t>(n)]) v = n;
    // A matrix is over the abstract numbers 1..V: a gap means the file was not renumbered.
    for (int n = 1; n <= v; ++n) {
        if (!lette.presenti[static_cast<size_t>(n)]) {
            ctx.err << "novanta-cli: the columns are not over the numbers 1.." << v << ": " << n << " never appears\n";
            return ESITO_ERRORE;
        }
    }
    m.NUMBERS_OF_MATRIX_V = static_cast<uint8_t>(v);
    m.LENGTH_OF_COLUMN_K = static_cast<uint8_t>(lette.lenCol);
    m.COLUMNS_OF_MATRIX_C = lette.righe;
    m.AllocaColonne();
    for (int32_t col = 1; col <= lette.righe; ++col)
        for (int p = 1; p <= lette.lenCol; ++p)
            m.COLUMS(col, p) = lette.numeri[static_cast<size_t>(col - 1) * lette.lenCol + static_cast<size_t>(p - 1)];
    m.FIXED_NUMBERS_OF_MATRIX_F = static_cast<uint8_t>(NumeriFissiMatrice(m));
    const int estratti = c.estratti.value_or(lette.lenCol);
    if (estratti < 1 || estratti > v)
        throw std::invalid_argument("--drawn: " + std::to_string(estratti) + " is outside 1.." + std::to_string(v));
    const auto reale = GaranziaMatrice(m, estratti);
    int garanzia = 0;
    if (c.garanzia) {
        garanzia = *c.garanzia;
        if (garanzia > std::min(estratti, lette.lenCol))
            throw std::invalid_argument("--guarantee: " + std::to_string(garanzia) +
                                        " is more than the drawn numbers or the column length");
        if (reale && *reale < garanzia) {
            ctx.err << "novanta-cli: the columns do not guarantee " << garanzia << " out of " << estratti
                    << " drawn numbers: they guarantee " << *reale << "\n";
            return ESITO_ERRORE;
        }
        if (!reale) ctx.err << "Warning: the guarantee is too costly to verify and is written as given\n";
    } else {
        if (!reale) {
            ctx.err << "novanta-cli: the guarantee is too costly to compute: give it with --guarantee\n";
            return ESITO_ERRORE;
        }
        garanzia = *reale;
    }
    m.GARANTY_T = static_cast<uint8_t>(garanzia);
    m.PICK_UP_NUMBERS_M = static_cast<uint8_t>(estratti);
    m.PERCENTAGE_COVER = Utf8InCp1252(c.cover);
    m.AUTHOR = Utf8InCp1252(c.autore);
    m.DESCRIPTION = Utf8InCp1252(c.descrizione);
    for (auto [testo, larghezza, nome] : {std::tuple{&m.PERCENTAGE_COVER, LARGHEZZA_COVER, "--cover"},
                                          std::tuple{&m.AUTHOR, LARGHEZZA_AUTHOR, "--author"},
                                          std::tuple{&m.DESCRIPTION, LARGHEZZA_DESCRIPTION, "--description"}}) {
        if (testo->size() > larghezza)
            throw std::invalid_argument(std::string(nome) + ": at most " + std::to_string(larghezza) + " characters");
    }
    auto data = [](const std::optional<std::string>& testo, const char* opzione, double predefinita) {
        if (!testo) return predefinita;
        const auto d = DataDaISO(*testo);
        if (!d) throw std::invalid_argument(std::string(opzione) + ": expected YYYY-MM-DD, got '" + *testo + "'");
        return *d;
    };
    m.VALID_FROM = data(c.validoDa, "--valid-from", OggiOLE());
    m.VALID_TO = data(c.validoA, "--valid-to", *DataDaISO("9999-12-31"));
    if (m.VALID_TO < m.VALID_FROM) throw std::invalid_argument("--valid-to is before --valid-from");
    m.VERSION_ID = FORMATO_MATRICE;
    std::string errore;
    if (!ScriviMatrice(c.uscita, m, errore)) {
        UI().MsgBox(TestoErrore(75, errore, "make-matrix", "novanta-cli"));
        return ESITO_ERRORE;
    }
    tElencoMatrice voce;
    voce.testata = m;
    ctx.out << RigaElencoMatrice(voce) << " | " << c.uscita << "\n";
    return ESITO_OK;
}

}  // namespace

void AggiungiComandiFile(CLI::App& app, Contesto& ctx) {
    auto imp = std::make_shared<ComandoImporta>();
    auto* i = app.add_subcommand("import", "Import a column text file: print its length, prediction and column count");
    i->add_option("--in", imp->ingresso, "Column text file")->required();
    i->add_option("--out", imp->uscita, "Write the imported system to FILE");
    i->callback([imp, &ctx] {
        PreparaCartellaDati(ctx);
        ctx.esito = importa(ctx, *imp);
    });

    auto mat = std::make_shared<ComandoMatrice>();
    auto* m = app.add_subcommand("matrix", "Apply a matrix to a prediction and write the system");
    m->add_option("--file", mat->file, "Matrix file (.mzel)");
    m->add_option("--text", mat->testo, "Text matrix: one column of abstract numbers per line");
    m->add_option("--numbers", mat->numeri, "Prediction numbers in the order the matrix uses them (LIST)")->required();
    m->add_option("--fixed-answers", mat->risposte, "Answers to the fixed-number questions, in order (LIST)");
    m->add_option("--out", mat->uscita, "Write the columns to FILE instead of standard output");
    m->callback([mat, &ctx] {
        PreparaCartellaDati(ctx);
        ctx.esito = applicaMatrice(ctx, *mat);
    });

    auto ele = std::make_shared<ComandoElenco>();
    auto* e = app.add_subcommand("matrices", "List the matrix folder with the checks of each file");
    e->add_option("--dir", ele->cartella, "Matrix folder (default: the data folder's matrici)");
    e->add_option("--numbers", ele->numeri, "Only matrices on N numbers (with --length), and the custom entry")
        ->check(CLI::Range(1, 90));
    e->add_option("--length", ele->lunghezza, "Only matrices with columns of K numbers")->check(CLI::Range(2, 25));
    e->callback([ele, &ctx] {
        PreparaCartellaDati(ctx);
        ctx.esito = elencaMatrici(ctx, *ele);
    });

    auto crea = std::make_shared<ComandoCreaMatrice>();
    auto* c = app.add_subcommand("make-matrix", "Write a matrix file from a column text file over the numbers 1..V");
    c->add_option("--in", crea->ingresso, "Column text file over the numbers 1..V")->required();
    c->add_option("--out", crea->uscita, "Matrix file to write")->required();
    c->add_option("--guarantee", crea->garanzia, "Guarantee T (checked against the columns; computed when omitted)")
        ->check(CLI::Range(0, 25));
    c->add_option("--drawn", crea->estratti, "Drawn numbers M the guarantee refers to (default K)")
        ->check(CLI::Range(1, 90));
    c->add_option("--cover", crea->cover, "Cover text (10 characters)");
    c->add_option("--author", crea->autore, "Author (30 characters)");
    c->add_option("--description", crea->descrizione, "Description (60 characters)");
    c->add_option("--valid-from", crea->validoDa, "First day of validity YYYY-MM-DD (default today)");
    c->add_option("--valid-to", crea->validoA, "Last day of validity YYYY-MM-DD (default 9999-12-31)");
    c->callback([crea, &ctx] {
        PreparaCartellaDati(ctx);
        ctx.esito = creaMatrice(ctx, *crea);
    });
}

std::function<bool()> AggiungiOpzioniFileCondizioni(CLI::App& sub, Contesto& ctx) {
    auto opz = std::make_shared<OpzioniFile>();
    sub.add_option("--base", opz->base, "Base columns from a column text file (condition on)");
    sub.add_option("--and-file", opz->fileAND, "AND group filters from a text file FILE:COUNTS (repeatable)");
    sub.add_option("--or-file", opz->fileOR, "OR group filters from a text file FILE:COUNTS (repeatable)");
    return [opz, &ctx] {
        // Every run starts from the base columns it names (or those of its --project), never
        // from those of an earlier run.
        if (opz->base) {
            mColonneBase.clear();
            mNumColonneBase = 0;
            mColonneBaseAttive = false;
            if (!ImportaColonneBase(*opz->base)) return false;
            if (mNumColonneBase == 0) {
                ctx.err << "novanta-cli: --base: " << *opz->base << " holds no column\n";
                return false;
            }
            // The window keeps a refused line as an empty base column; a script gets a refusal.
            for (int32_t b = 1; b <= mNumColonneBase; ++b) {
                if (mColonneBase[static_cast<size_t>(b)].lunghezza == 0) {
                    ctx.err << "novanta-cli: --base: " << *opz->base << ": base column " << b << " was refused\n";
                    return false;
                }
            }
            mColonneBaseAttive = true;
        }
        for (const auto& t : opz->fileAND)
            if (!aggiungiFiltriDaFile(ctx, "--and-file", t, mFiltriAND, mNumFiltriAND)) return false;
        for (const auto& t : opz->fileOR)
            if (!aggiungiFiltriDaFile(ctx, "--or-file", t, mFiltriOR, mNumFiltriOR)) return false;
        return true;
    };
}

}  // namespace novanta::cli
