// Any bytes as a plant list: the batch calculator must read, compute and write
// every row without a crash or undefined behaviour, in both output formats.
#include "cli/batch.h"

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const bool json = data[0] & 1;
    const bool log = data[0] & 2;
    std::FILE* in = fmemopen(const_cast<std::uint8_t*>(data + 1), size - 1, "rb");
    if (size == 1)
        in = std::tmpfile();
    std::FILE* out = std::fopen("/dev/null", "wb");
    unctora::cli::BatchOptions options;
    options.format = json ? unctora::cli::OutputFormat::Jsonl : unctora::cli::OutputFormat::Csv;
    options.units = (data[0] & 4) ? unctora::core::Units::Imperial : unctora::core::Units::SI;
    options.log = log;
    unctora::cli::runCsv(in, out, out, options, "fuzz");
    std::fclose(in);
    std::fclose(out);
    return 0;
}
