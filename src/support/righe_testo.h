#pragma once
#include <cstddef>
#include <istream>
#include <string>

namespace novanta {

// Normalises the blanks of a text line: tabs and CR LF pairs become spaces, runs of spaces
// collapse into one, and the ends are trimmed.
std::string PulisciRiga(std::string riga);

// Reads a text stream line by line in large blocks. A line ends at CR, LF or CR LF, so files
// written on any system read alike. A line longer than `massimo` bytes is cut there and
// reported by troppoLunga(), so a file with no line ends cannot take all the memory.
class LettoreRighe {
public:
    explicit LettoreRighe(std::istream& in, size_t massimo = size_t{1} << 20) : in_(in), massimo_(massimo) {}
    // The next line (without its end); false at the end of the stream.
    bool leggi(std::string& riga);
    bool troppoLunga() const { return troppoLunga_; }

private:
    bool riempi();
    std::istream& in_;
    size_t massimo_;
    std::string blocco_;
    size_t pos_ = 0;
    bool fine_ = false;
    bool dopoCR_ = false;
    bool troppoLunga_ = false;
};

}  // namespace novanta
