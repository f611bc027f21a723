// Turns the About text into the program's TEXT resource at build time: LF line ends become CR LF,
// as the text box wants them, and the text is scrambled with the copyright line as its key.
//
//   scramble_about about.txt about_text.bin
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "core/settings/about_text.h"
#include "resource.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s about.txt about_text.bin\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string text;
    for (const char c : source) {
        if (c == '\n') text += '\r';
        if (c != '\r') text += c;
    }
    const std::vector<std::uint8_t> scrambled = tockbell::ScrambleAboutText(text, TOCKBELL_COPYRIGHT);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(scrambled.data()), static_cast<std::streamsize>(scrambled.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
