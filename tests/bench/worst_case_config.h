// The reader's worst case: a configuration file of exactly the given size whose wanted
// section comes last, behind blocks of four section headers that do not match and then
// comment lines.
#pragma once

#include <string>

#include "support/test_support.h"

inline std::string FillAhead(const std::string &tail, size_t size) {
    std::string blocks;
    for (int block = 0;; block++) {
        std::string number = std::to_string(block);
        std::string next = "[E" + number + "] [F" + number + "] [G" + number + "] [H" + number + "]\r\n" +
                           ToCp1251(L"Надпись;программа;%1 параметры\r\n");
        if (blocks.size() + next.size() + tail.size() + 3 > size) break;
        blocks += next;
    }
    // Comment lines fill the rest, none shorter than ";\r\n", so that the size is exact.
    size_t room = size - blocks.size() - tail.size();
    while (room > 0) {
        size_t line = room > 500 ? 500 : room;
        if (room - line > 0 && room - line < 3) line -= 3;
        blocks += ";" + std::string(line - 3, 'c') + "\r\n";
        room -= line;
    }
    return blocks + tail;
}
