// unctora-gen-plant N: writes a plant list of N varied applications to standard
// output, for measuring the batch calculator's throughput.
#include "core/calcinputs.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const long n = argc > 1 ? std::atol(argv[1]) : 1000000;
    std::string out;
    out.reserve(1 << 20);
    out += "Id";
    const auto fields = unctora::core::inputFields();
    for (const auto& f : fields) {
        out += ',';
        out += f.name;
    }
    out += "\r\n";
    unsigned long x = 88172645463325252UL; // xorshift: the same list every run
    auto next = [&x] {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        return x;
    };
    for (long i = 0; i < n; ++i) {
        out += "B-";
        out += std::to_string(i);
        const long d = 20 + static_cast<long>(next() % 400);
        for (const auto& f : fields) {
            out += ',';
            long v;
            if (f.name == "Bore_mm")
                v = d;
            else if (f.name == "D_mm")
                v = d + 20 + static_cast<long>(next() % (d + 1));
            else if (f.name == "B_mm")
                v = 10 + static_cast<long>(next() % 120);
            else if (f.name == "Speed")
                v = static_cast<long>(next() % 4000);
            else if (f.name == "Outlets") {
                // The outlet count is written as the count, as a plant list names it.
                out += f.items[next() % f.items.size()];
                continue;
            } else
                v = f.min + static_cast<long>(next() % (f.max - f.min + 1));
            out += std::to_string(v);
        }
        out += "\r\n";
        if (out.size() > (1 << 20) - 512) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
