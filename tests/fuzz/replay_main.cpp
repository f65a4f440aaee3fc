// Feeds inputs to a fuzz target built with the normal compiler: every file of the
// folders given on the command line (in name order) and every file given itself.
// A failed check in the target aborts, which fails the run.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const fs::path p(argv[i]);
        std::error_code ec;
        if (fs::is_directory(p, ec)) {
            std::vector<fs::path> inFolder;
            for (const fs::directory_entry& e : fs::directory_iterator(p))
                if (e.is_regular_file())
                    inFolder.push_back(e.path());
            std::sort(inFolder.begin(), inFolder.end());
            files.insert(files.end(), inFolder.begin(), inFolder.end());
        } else if (fs::is_regular_file(p, ec)) {
            files.push_back(p);
        } else {
            std::fprintf(stderr, "replay: no such file or folder: %s\n", argv[i]);
            return 2;
        }
    }
    // An empty corpus would pass without testing anything.
    if (files.empty()) {
        std::fprintf(stderr, "replay: no inputs\n");
        return 2;
    }
    for (const fs::path& f : files) {
        std::ifstream in(f, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) {
            std::fprintf(stderr, "replay: cannot read %s\n", f.c_str());
            return 2;
        }
        // An input of its own exact size, as the fuzzer hands it over.
        const auto data = std::make_unique<std::uint8_t[]>(bytes.size() + 1);
        std::copy(bytes.begin(), bytes.end(), data.get());
        std::fprintf(stderr, "replay: %s\n", f.c_str());
        LLVMFuzzerTestOneInput(data.get(), bytes.size());
    }
    std::printf("%zu inputs replayed\n", files.size());
    return 0;
}
