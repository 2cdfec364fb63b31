// The batch texts the benchmarks run on: one per CR LF line of a file.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::vector<std::string> ReadDefaultTexts(const char* path) {
    std::ifstream in(path, std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = all.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(all.substr(start, end - start));
    }
    if (start < all.size()) lines.push_back(all.substr(start));
    return lines;
}
