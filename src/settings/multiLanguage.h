#pragma once
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace novanta {

// The language in use (the file name without ".lng"); empty until one is chosen.
inline std::string mLinguaCorrente;

// Language files up to this size are read as INI files; larger ones by the simple scanner,
// which ignores sections and wants every value in double quotes.
constexpr std::uintmax_t MAX_BYTE_LINGUA_INI = 64000;
// Larger files than this are not language files at all: they read as empty.
constexpr std::uintmax_t MAX_BYTE_LINGUA = 16u << 20;
// Values longer than this are cut.
constexpr size_t MAX_VALORE_LINGUA = 511;

// A value of a language or settings file; "" when the file, the section or the key is missing.
std::string LeggiINI(const std::filesystem::path& file, const std::string& sezione, const std::string& chiave);
// How many times a language or settings file was read and indexed: once per file and change,
// however many texts are looked up in it.
unsigned LettureFileLingua();
// The same lookup on the text of a file already in memory (its size chooses the reader).
std::string LeggiINITesto(std::string_view contenuto, std::string_view sezione, std::string_view chiave);

// The text of a four-digit message id in the current language ("" when the language has none).
// Until a language is chosen, and while its file is missing, the shipped language matching the
// system locale (or Italian) speaks, so a message box is never left without its text.
std::string TestoMessaggio(const std::string& id);
// The same with "%1", "%2", ... replaced by the given texts in order.
std::string TestoMessaggio(const std::string& id, std::initializer_list<std::string> parametri);

// Any key of the current language (window captions, tool tips, tags), with the same fallback.
std::string TestoLingua(const std::string& sezione, const std::string& chiave);

// The file of the current language in the data folder, found without regard to letter case;
// mPathDati / (mLinguaCorrente + ".lng") when there is none.
std::filesystem::path FileLinguaCorrente();

// The file of language `nome` in the data folder (letter case ignored); empty when missing.
std::filesystem::path TrovaFileLingua(const std::string& nome);

// The shipped language that matches the system locale (LC_ALL, LC_MESSAGES, LANG): "english"
// for an English locale, "italiano" for every other.
std::string LinguaDiSistema();

// The two-letter code of the language speaking now: the key "Codice" of the section "Info" of
// its file, else "en" for a language named English, else "it".
std::string CodiceLingua();

// The language actually speaking now: mLinguaCorrente when its file exists, else the fallback.
std::string LinguaEffettiva();

}  // namespace novanta
