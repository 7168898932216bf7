// The structure-aware generator: configuration files assembled from the pieces the launcher's
// rules turn on (header lines with brackets left open or nested, keys inside other headers,
// "[]" and "[*]" anywhere, upper case, shadowed sections, faulty and over-long lines in read
// and unread places, submenu chains and loops up to the size limit, every kind of line end and
// zero bytes), each handed to the agreement check. Seeded, so that a run can be repeated.
#include "generator.h"

#include <chrono>
#include <cstdio>
#include <random>

#include "check_agreement.h"

namespace {

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    std::string File() {
        text_.clear();
        if (Chance(4)) Chain();
        int sections = Below(10);
        for (int section = 0; section < sections && text_.size() < 16000; section++) {
            Header();
            int entries = Chance(10) ? Below(9) : 1 + Below(3);
            for (int entry = 0; entry < entries; entry++) Entry();
        }
        if (Chance(3)) text_.resize(std::min<size_t>(text_.size(), Chance(2) ? 16383 : 16384 + Below(3)));
        return text_;
    }

    unsigned PathLength() {
        const unsigned lengths[] = {100, 0, 3, 9, 20, 40, 130};
        return lengths[Below(7)];
    }

private:
    int Below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <size_t N>
    const char *Pick(const char *const (&items)[N]) {
        return items[Below((int)N)];
    }

    std::string Name() {
        static const char *const names[] = {"txt", "doc", "a", "TXT", "m", "n", "Tools", "x y", "[]", "*",
                                            "tar.gz", "{m}", "[txt]", "m[]", "", "\xC0\xE1"};
        std::string name = Pick(names);
        if (Chance(4)) name = std::string(39 + Below(14), 'e');
        return name;
    }

    // A line end: mostly CR LF, sometimes a lone CR (which takes the next byte), LF or a zero.
    void End() {
        int kind = Below(100);
        text_ += kind < 85 ? "\r\n" : kind < 90 ? "\r" : kind < 95 ? "\n" : kind < 98 ? std::string(1, '\0') : "\r\r\n";
    }

    void Header() {
        std::string line = Chance(10) ? "  " : "";
        int pieces = 1 + Below(3);
        for (int piece = 0; piece < pieces; piece++) {
            int kind = Below(100);
            std::string name = Name();
            if (kind < 40) line += "[" + name + "]";
            else if (kind < 60) line += "{" + name + "}";
            else if (kind < 68) line += "[]";
            else if (kind < 76) line += "[*]";
            else if (kind < 84) line += "[" + name;
            else if (kind < 90) line += "{" + name;
            else if (kind < 95) line += "[[" + name + "]]";
            else line += " " + name + " ";
        }
        if (line.find_first_not_of(' ') == std::string::npos || (line.find_first_not_of(' ') != std::string::npos &&
                                                                   line[line.find_first_not_of(' ')] != '[' &&
                                                                   line[line.find_first_not_of(' ')] != '{'))
            line = (Chance(50) ? "[" : "{") + line;
        if (Chance(10))
            for (char &c : line) c = (char)toupper((unsigned char)c);
        if (Chance(2)) line += std::string(511 - std::min<size_t>(line.size(), 510), 'h');
        text_ += line;
        End();
    }

    void Entry() {
        int kind = Below(100);
        std::string line;
        if (kind < 50) line = "P;prog;-o %1";
        else if (kind < 80) line = std::string("S;") + (Chance(80) ? "menu" : Chance(50) ? "MENU" : "\\menus\\x") + ";" + Name() + (Chance(15) ? "%1" : "");
        else if (kind < 82) line = "Abc";
        else if (kind < 84) line = "T;  ";
        else if (kind < 86) line = "T;cmd";
        else if (kind < 88) line = std::string(41, 't') + ";c;p";
        else if (kind < 90) line = "T;c;%1%1%1%1%1xxxxxxxxxxxxx";
        else if (kind < 91) line = "T;c;" + std::string(507, 'p');
        else if (kind < 93) line = ";" + std::string(Chance(30) ? 520 : 5, 'c');
        else if (kind < 95) line = "\tT;c;p";
        else if (kind < 97) line = "   ";
        else line = "T;;";
        text_ += line;
        End();
    }

    // A chain of submenus as long as the size allows, sometimes closed into a loop.
    void Chain() {
        text_ += Chance(50) ? "[txt]\r\n" : "[]\r\n";
        bool loop = Chance(30);
        for (int level = 0; text_.size() < 16300; level++) {
            char name[8];
            std::snprintf(name, sizeof name, "%c%c%c", 'a' + level / 676 % 26, 'a' + level / 26 % 26, 'a' + level % 26);
            text_ += std::string("S;menu;") + name + "\r\n{" + name + "}\r\n";
        }
        text_ += loop ? "S;menu;aaa\r\n" : "E;rec;e\r\n";
    }

    std::mt19937 random_;
    std::string text_;
};

}  // namespace

int GenerateAndCompare(unsigned seed, unsigned files, unsigned seconds, const char *failedFile) {
    Generator generator(seed);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    unsigned made = 0, disagreements = 0;
    for (; made < files || (seconds && std::chrono::steady_clock::now() < deadline); made++) {
        std::string file = generator.File();
        unsigned pathLength = generator.PathLength();
        char name[64];
        std::snprintf(name, sizeof name, "seed %u file %u (--path-length=%u)", seed, made, pathLength);
        if (!CheckAgreementFile(name, file, pathLength)) {
            disagreements++;
            if (FILE *out = std::fopen(failedFile, "wb")) {
                std::fwrite(file.data(), 1, file.size(), out);
                std::fclose(out);
            }
            break;
        }
    }
    std::printf("generator: seed %u: %u files, %u disagreements\n", seed, made, disagreements);
    CheckAgreementSummary();
    return disagreements ? 3 : 0;
}
