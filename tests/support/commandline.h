#pragma once
// For the tests that run the batch calculator as a program: a shell line run in a
// folder with $CALC naming the program, and CSV output read back with its own reader.

#include "io/csv.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace testsupport {

struct Outcome {
    int code = -1;
    std::string out; // standard output, unless the line sends it elsewhere
    std::string err;
};

inline std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs `line` with bash in `dir`, standard input from /dev/null.
inline Outcome runShell(const std::filesystem::path& dir, const std::string& calc, const std::string& line) {
    const auto script = dir / "run.sh", out = dir / "stdout.txt", err = dir / "stderr.txt";
    std::ofstream(script) << "CALC='" << calc << "'\ncd '" << dir.string() << "' || exit 99\n{ " << line << "\n} > '"
                          << out.string() << "' 2> '" << err.string() << "' < /dev/null\n";
    Outcome o;
    const int status = std::system(("bash '" + script.string() + "'").c_str());
    o.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    o.out = readFile(out);
    o.err = readFile(err);
    return o;
}

// The records of a CSV text, read with the program's own reader.
inline std::vector<std::vector<std::string>> csvRecords(const std::string& text) {
    std::vector<std::vector<std::string>> out;
    if (text.empty())
        return out;
    std::FILE* f = fmemopen(const_cast<char*>(text.data()), text.size(), "rb");
    unctora::io::CsvReader reader(f);
    unctora::io::CsvRecord rec;
    while (reader.next(rec))
        out.emplace_back(rec.fields.begin(), rec.fields.begin() + static_cast<std::ptrdiff_t>(rec.count));
    std::fclose(f);
    return out;
}

} // namespace testsupport
