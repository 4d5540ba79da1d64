#include "core/cartella_dati.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include "core/corpo.h"
#include "settings/disco_piccolo.h"
#include "support/registratore.h"

namespace novanta {
namespace {

// The settings window's language list: the warning when the data folder has no language, the
// question when none is chosen, and on the first start the locale's language picked in silence.
TEST(CaricaLingue, AvvisoOPropostaSenzaLinguaScelta) {
    const struct {
        bool conFile;
        const char* scelta;
        bool primoAvvio;
        int selezionata;
        bool proposta;
        const char* avviso;
    } casi[] = {
        {false, "english", false, -1, false, "Warning files language not found"},
        {true, "deutsch", false, 0, true, "Select Language"},
        {true, "", true, 1, true, nullptr},
        {true, "English", false, 1, false, nullptr},
    };
    test::LocaleDiProva locale("en_GB.UTF-8");
    for (const auto& c : casi) {
        test::StatoIniziale();
        test::CartellaTemporanea cartella;
        test::InterfacciaRegistrata ui;
        if (c.conFile)
            for (const char* f : {"altra.lng", "english.lng"}) cartella.scrivi(f, "");
        mConfig.lingua = c.scelta;
        const tElencoLingue e = CaricaLingue(c.primoAvvio);
        EXPECT_EQ(e.selezionata, c.selezionata) << c.scelta;
        EXPECT_EQ(e.proposta, c.proposta) << c.scelta;
        ASSERT_EQ(ui.messaggi.size(), c.avviso ? 1u : 0u) << c.scelta;
        if (c.avviso) {
            EXPECT_EQ(ui.messaggi[0].testo, c.avviso);
            EXPECT_EQ(ui.messaggi[0].icona, Icona::Critica);
        }
    }
    test::StatoIniziale();
}

// The data folder's lock lasts one writer's work: then another process may take it. A writer
// inside the running program, which holds the lock already, leaves it held when done.
TEST(BloccoCartellaDati, RilasciatoDopoIlLavoroMaNonQuelloDelProgramma) {
    test::CartellaTemporanea cartella;
    const auto libero = [&] {
        const int fd = ::open((cartella / FILE_BLOCCO_ISTANZA).c_str(), O_RDWR | O_CREAT, 0644);
        const bool preso = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        ::close(fd);
        return preso;
    };
    ASSERT_TRUE(BloccoCartellaDati().preso());
    EXPECT_TRUE(libero());
    std::string errore;
    ASSERT_EQ(AcquisisciIstanzaUnica(cartella.percorso(), errore), EsitoIstanza::Unica) << errore;
    EXPECT_TRUE(BloccoCartellaDati().preso());
    EXPECT_FALSE(libero());
    RilasciaIstanzaUnica();
}

}  // namespace
}  // namespace novanta
