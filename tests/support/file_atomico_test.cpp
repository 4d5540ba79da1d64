#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <fstream>

#include "support/file_atomico.h"
#include "support/registratore.h"

namespace novanta {
namespace {

namespace fs = std::filesystem;

constexpr auto leggi = &test::LeggiFile;

class FileAtomico : public ::testing::Test {
protected:
    // The names in the folder: a temporary file left behind shows up here.
    std::vector<std::string> contenuto() const {
        std::vector<std::string> nomi;
        for (const auto& e : fs::directory_iterator(dir.percorso())) nomi.push_back(e.path().filename().string());
        std::sort(nomi.begin(), nomi.end());
        return nomi;
    }

    test::CartellaTemporanea dir;
    const fs::path f = dir / "sistema.txt";
    std::string errore;
    int numero = 0;
};

// Lowers the largest file this process may write, so that a write fails as on a full disk.
class LimiteFile {
public:
    explicit LimiteFile(rlim_t byte) {
        getrlimit(RLIMIT_FSIZE, &vecchio_);
        precedente_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit nuovo = vecchio_;
        nuovo.rlim_cur = byte;
        setrlimit(RLIMIT_FSIZE, &nuovo);
    }
    ~LimiteFile() {
        setrlimit(RLIMIT_FSIZE, &vecchio_);
        std::signal(SIGXFSZ, precedente_);
    }

private:
    rlimit vecchio_{};
    void (*precedente_)(int) = nullptr;
};

TEST_F(FileAtomico, ScriveESostituisceSenzaLasciareTemporanei) {
    ASSERT_TRUE(ScriviFileAtomico(f, "prima\r\n", errore)) << errore;
    EXPECT_EQ(leggi(f), "prima\r\n");
    ASSERT_TRUE(ScriviFileAtomico(f, "", errore)) << errore;
    EXPECT_EQ(leggi(f), "");
    EXPECT_TRUE(fs::exists(f));

    // Content larger than the internal buffer goes through several writes.
    std::string grande;
    for (int i = 0; i < 100000; ++i) grande += " 01 02 03 04 05 \r\n";
    {
        ScrittoreAtomico w(f);
        ASSERT_TRUE(w.aperto());
        for (size_t p = 0; p < grande.size(); p += 18) ASSERT_TRUE(w.scrivi(std::string_view(grande).substr(p, 18)));
        ASSERT_TRUE(w.conferma()) << w.errore();
    }
    EXPECT_EQ(leggi(f), grande);
    // A writer dropped without conferma leaves the file as it was.
    {
        ScrittoreAtomico w(f);
        ASSERT_TRUE(w.scrivi("mai confermato"));
    }
    EXPECT_EQ(leggi(f), grande);
    EXPECT_EQ(contenuto(), std::vector<std::string>{"sistema.txt"});
}

TEST_F(FileAtomico, UnaScritturaFallitaLasciaIlVecchioFile) {
    ASSERT_TRUE(ScriviFileAtomico(f, "vecchio contenuto\r\n", errore));
    {
        LimiteFile limite(4096);
        EXPECT_FALSE(ScriviFileAtomico(f, std::string(1 << 18, 'x'), errore, &numero));
    }
    EXPECT_EQ(numero, 75);
    EXPECT_FALSE(errore.empty());
    EXPECT_EQ(leggi(f), "vecchio contenuto\r\n");
    EXPECT_EQ(contenuto(), std::vector<std::string>{"sistema.txt"});

    // The same through the piecewise writer: the failure is sticky and conferma refuses.
    {
        LimiteFile limite(4096);
        ScrittoreAtomico w(f);
        ASSERT_TRUE(w.aperto());
        bool ok = true;
        for (int i = 0; i < 100 && ok; ++i) ok = w.scrivi(std::string(8192, 'y'));
        EXPECT_FALSE(ok);
        EXPECT_FALSE(w.scrivi("z"));
        EXPECT_FALSE(w.conferma());
        EXPECT_EQ(w.numeroErrore(), 75);
    }
    EXPECT_EQ(leggi(f), "vecchio contenuto\r\n");
    EXPECT_EQ(contenuto(), std::vector<std::string>{"sistema.txt"});
}

TEST_F(FileAtomico, CartellaMancanteODestinazioneCartella) {
    EXPECT_FALSE(ScriviFileAtomico(dir / "manca" / "x.txt", "dati", errore, &numero));
    EXPECT_EQ(numero, 75);
    EXPECT_NE(errore.find("x.txt"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "manca"));

    // A folder in the way of the target: the rename fails, the folder and its content stay.
    fs::create_directory(dir / "occupato");
    std::ofstream(dir / "occupato" / "dentro.txt") << "intatto";
    errore.clear();
    EXPECT_FALSE(ScriviFileAtomico(dir / "occupato", "dati", errore, &numero));
    EXPECT_FALSE(errore.empty());
    EXPECT_TRUE(fs::is_directory(dir / "occupato"));
    EXPECT_EQ(leggi(dir / "occupato" / "dentro.txt"), "intatto");
    EXPECT_EQ(contenuto(), std::vector<std::string>{"occupato"});
}

// What is at the target is respected: a FIFO is written into, a link keeps pointing at the file
// that got the content, a private file stays private.
TEST_F(FileAtomico, RispettaCioCheSostituisce) {
    const auto fifo = dir / "f";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int lettore = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(lettore, 0);
    EXPECT_TRUE(ScriviFileAtomico(fifo, "nel tubo", errore)) << errore;
    char letto[32] = {};
    EXPECT_EQ(::read(lettore, letto, sizeof letto), 8);
    ::close(lettore);
    EXPECT_EQ(std::string(letto), "nel tubo");
    EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);

    dir.scrivi("real.txt", "x");
    fs::create_symlink("real.txt", dir / "l");
    ASSERT_TRUE(ScriviFileAtomico(dir / "l", "nuovo", errore)) << errore;
    EXPECT_TRUE(fs::is_symlink(dir / "l"));
    EXPECT_EQ(leggi(dir / "real.txt"), "nuovo");

    dir.scrivi("p", "s");
    fs::permissions(dir / "p", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(ScriviFileAtomico(dir / "p", "segreto", errore)) << errore;
    EXPECT_EQ(fs::status(dir / "p").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(contenuto(), (std::vector<std::string>{"f", "l", "p", "real.txt"}));
}

}  // namespace
}  // namespace novanta
