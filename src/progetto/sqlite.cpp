#include "progetto/sqlite.h"

#include <sqlite3.h>

#include <cstring>

namespace novanta::sql {

Database::Database(const std::filesystem::path& file, Modo modo) {
    const int flag = modo == Modo::Lettura ? SQLITE_OPEN_READONLY : (SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    const int rc = sqlite3_open_v2(file.c_str(), &db_, flag | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const std::string testo = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw Errore(rc, testo);
    }
    sqlite3_extended_result_codes(db_, 1);
}

Database::Database(std::span<const uint8_t> immagine) {
    controlla(sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr));
    auto* copia = static_cast<unsigned char*>(sqlite3_malloc64(immagine.size() ? immagine.size() : 1));
    if (!copia) throw Errore(SQLITE_NOMEM, "out of memory");
    if (!immagine.empty()) std::memcpy(copia, immagine.data(), immagine.size());
    controlla(sqlite3_deserialize(db_, "main", copia, static_cast<sqlite3_int64>(immagine.size()),
                                  static_cast<sqlite3_int64>(immagine.size()),
                                  SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY));
}

Database::~Database() { sqlite3_close(db_); }

void Database::controlla(int rc) const {
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE) return;
    throw Errore(rc, db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc));
}

void Database::esegui(const char* sql) {
    char* messaggio = nullptr;
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &messaggio);
    if (rc != SQLITE_OK) {
        const std::string testo = messaggio ? messaggio : sqlite3_errstr(rc);
        sqlite3_free(messaggio);
        throw Errore(rc, testo);
    }
}

int64_t Database::intero(const char* sql) {
    Istruzione st(*this, sql);
    if (!st.passo()) throw Errore(SQLITE_CORRUPT, std::string("no row for ") + sql);
    return st.intero(0);
}

Istruzione::Istruzione(Database& db, const char* sql) : db_(db) {
    db_.controlla(sqlite3_prepare_v2(db_.get(), sql, -1, &st_, nullptr));
}

Istruzione::~Istruzione() { sqlite3_finalize(st_); }

Istruzione& Istruzione::lega(int i, int64_t v) {
    db_.controlla(sqlite3_bind_int64(st_, i, v));
    return *this;
}

Istruzione& Istruzione::lega(int i, std::string_view testo) {
    db_.controlla(sqlite3_bind_text64(st_, i, testo.data(), testo.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
    return *this;
}

Istruzione& Istruzione::legaBlob(int i, std::span<const uint8_t> dati) {
    // A zero-length blob must still be a blob, not NULL.
    static const uint8_t vuoto = 0;
    db_.controlla(sqlite3_bind_blob64(st_, i, dati.empty() ? &vuoto : dati.data(), dati.size(), SQLITE_TRANSIENT));
    return *this;
}

bool Istruzione::passo() {
    const int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    db_.controlla(rc);
    return false;
}

void Istruzione::esegui() {
    while (passo()) {}
    azzera();
}

void Istruzione::azzera() {
    sqlite3_reset(st_);
    sqlite3_clear_bindings(st_);
}

int64_t Istruzione::intero(int c) const { return sqlite3_column_int64(st_, c); }

std::string Istruzione::testo(int c) const {
    const auto* p = sqlite3_column_text(st_, c);
    return p ? std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(sqlite3_column_bytes(st_, c)))
             : std::string();
}

std::span<const uint8_t> Istruzione::blob(int c) const {
    const void* p = sqlite3_column_blob(st_, c);
    const int n = sqlite3_column_bytes(st_, c);
    if (!p || n <= 0) return {};
    return {static_cast<const uint8_t*>(p), static_cast<size_t>(n)};
}

Transazione::Transazione(Database& db) : db_(db) { db_.esegui("BEGIN"); }

Transazione::~Transazione() {
    if (aperta_) {
        try {
            db_.esegui("ROLLBACK");
        } catch (...) {}
    }
}

void Transazione::conferma() {
    db_.esegui("COMMIT");
    aperta_ = false;
}

}  // namespace novanta::sql
