// The structure-aware generator: configuration files assembled from the pieces the launcher's
// rules turn on (header lines with brackets left open or nested, keys inside other headers,
// "[]" and "[*]" anywhere, upper case, shadowed sections, faulty and over-long lines in read
// and unread places, submenu chains and loops up to the size limit, every kind of line end and
// zero bytes, headers naming extensions of different lengths, submenus reached only without a
// file or only through "[*]", files up to and across the size limit, too-long lines among a
// section's six), each handed to the agreement check with a path length of its own. Seeded, so
// that a run can be repeated.
#include "generator.h"

#include <chrono>
#include <cstdio>
#include <map>
#include <random>

#include "check_agreement.h"

namespace {

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    std::string File() {
        text_.clear();
        if (Chance(4)) Chain();
        if (Chance(10)) Submenu();
        int sections = Below(10);
        for (int section = 0; section < sections && text_.size() < 16000; section++) {
            Header();
            int entries = Chance(20) ? 5 + Below(4) : Chance(10) ? Below(9) : 1 + Below(3);
            for (int entry = 0; entry < entries; entry++) Entry();
        }
        if (Chance(8)) {
            // Comments up to near the size limit, then entry lines across it.
            size_t limit = 16340 + Below(50);
            while (text_.size() + 4 < limit) text_ += ";" + std::string(std::min<size_t>(limit - text_.size() - 3, 200), 'c') + "\r\n";
            for (int entry = 0; entry < 3; entry++) Entry();
        }
        if (Chance(3)) text_.resize(std::min<size_t>(text_.size(), Chance(2) ? 16383 : 16384 + Below(3)));
        return text_;
    }

    unsigned PathLength() {
        const unsigned lengths[] = {100, 0, 3, 9, 20, 40, 130};
        return Chance(50) ? Below(512) : lengths[Below(7)];
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
        else if (Chance(10)) name = std::string(1 + Below(40), (char)('f' + Below(3)));
        return name;
    }

    // A line end: mostly CR LF, sometimes a lone CR (which takes the next byte), LF or a zero.
    void End() {
        int kind = Below(100);
        text_ += kind < 85 ? "\r\n" : kind < 90 ? "\r" : kind < 95 ? "\n" : kind < 98 ? std::string(1, '\0') : "\r\r\n";
    }

    void Header() {
        std::string line = Chance(10) ? "  " : "";
        if (Chance(15)) line += TwoLengths();
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
        if (kind < 50) line = Chance(70) ? "P;prog;-o %1" : "P;prog;-o";
        else if (kind < 80) line = std::string("S;") + (Chance(80) ? "menu" : Chance(50) ? "MENU" : "\\menus\\x") + ";" + Name() + (Chance(15) ? "%1" : "");
        else if (kind < 82) line = "Abc";
        else if (kind < 84) line = "T;  ";
        else if (kind < 86) line = "T;cmd";
        else if (kind < 88) line = std::string(41, 't') + ";c;p";
        else if (kind < 90) line = "T;c;%1%1%1%1%1xxxxxxxxxxxxx";
        else if (kind < 92) line = (Chance(50) ? "T;c;" : "[h") + std::string(507, 'p');
        else if (kind < 93) line = ";" + std::string(Chance(30) ? 520 : 5, 'c');
        else if (kind < 95) line = ManyPaths();
        else if (kind < 96) line = "\tT;c;p";
        else if (kind < 97) line = "   ";
        else line = "T;;";
        text_ += line;
        End();
    }

    // Two extensions of different lengths, whose files get paths of different lengths.
    std::string TwoLengths() { return "[" + std::string(1 + Below(8), 'k') + "] [" + std::string(20 + Below(21), 'l') + "]"; }

    // Parameters that put the path in up to 40 times: too long from some path length on.
    std::string ManyPaths() {
        std::string line = "T;c;";
        for (int count = 1 + Below(40); count > 0; count--) line += "%1";
        return line;
    }

    // A submenu that one section opens, reached only without a file, only through "[*]", or from
    // files of two extensions.
    void Submenu() {
        const std::string heads[] = {"[]", "[*]", TwoLengths()};
        text_ += heads[Below(3)] + "\r\nP;prog;-o\r\nS;menu;sub\r\n{sub}\r\n";
        for (int entry = Below(3); entry >= 0; entry--) text_ += (Chance(50) ? "P;prog;-o" : ManyPaths()) + "\r\n";
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
    std::map<std::string, unsigned> kinds;
    for (; made < files || (seconds && std::chrono::steady_clock::now() < deadline); made++) {
        std::string file = generator.File();
        unsigned pathLength = generator.PathLength();
        char name[64];
        std::snprintf(name, sizeof name, "seed %u file %u (--path-length=%u)", seed, made, pathLength);
        std::set<std::string> found = CheckAgreementFile(name, file, pathLength);
        disagreements += !found.empty();
        // The first file of each kind is kept, numbered in the order the kinds are met.
        for (const std::string &kind : found) {
            std::string kept = std::string(failedFile) + "." + std::to_string(kinds.size() + 1);
            FILE *out = kinds[kind]++ ? nullptr : std::fopen(kept.c_str(), "wb");
            if (!out) continue;
            std::fprintf(stderr, "kept as %s: %s (%s)\n", kept.c_str(), kind.c_str(), name);
            std::fwrite(file.data(), 1, file.size(), out);
            std::fclose(out);
        }
    }
    for (const auto &[kind, count] : kinds) std::printf("generator: %u files: %s\n", count, kind.c_str());
    std::printf("generator: seed %u: %u files, %u disagreements\n", seed, made, disagreements);
    CheckAgreementSummary();
    return disagreements ? 3 : 0;
}
