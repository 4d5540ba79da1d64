#pragma once
#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace novanta::sql {

// A failure of SQLite: its result code and its text.
class Errore : public std::runtime_error {
public:
    Errore(int codice, const std::string& testo) : std::runtime_error(testo), codice_(codice) {}
    int codice() const { return codice_; }

private:
    int codice_;
};

// One connection, closed with the object.
class Database {
public:
    enum class Modo { Lettura, Creazione };
    Database(const std::filesystem::path& file, Modo modo);
    // A database held in memory (the bytes are copied): the fuzz target reads through it.
    explicit Database(std::span<const uint8_t> immagine);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void esegui(const char* sql);
    int64_t intero(const char* sql);
    sqlite3* get() const { return db_; }
    void controlla(int rc) const;

private:
    sqlite3* db_ = nullptr;
};

// One prepared statement; bind indexes from 1, columns from 0.
class Istruzione {
public:
    Istruzione(Database& db, const char* sql);
    ~Istruzione();
    Istruzione(const Istruzione&) = delete;
    Istruzione& operator=(const Istruzione&) = delete;

    Istruzione& lega(int i, int64_t v);
    Istruzione& lega(int i, std::string_view testo);
    Istruzione& legaBlob(int i, std::span<const uint8_t> dati);
    // True while a row is there; false when done.
    bool passo();
    // Runs to the end and makes the statement ready for new bindings.
    void esegui();
    void azzera();

    int64_t intero(int c) const;
    std::string testo(int c) const;
    std::span<const uint8_t> blob(int c) const;

private:
    Database& db_;
    sqlite3_stmt* st_ = nullptr;
};

// A transaction rolled back unless confirmed.
class Transazione {
public:
    explicit Transazione(Database& db);
    ~Transazione();
    void conferma();

private:
    Database& db_;
    bool aperta_ = true;
};

}  // namespace novanta::sql
