#pragma once
// unctora-calc route: the cartridge changes of a round, as the work-order CSV.

#include <cstdio>
#include <string>
#include <vector>

namespace unctora::cli {

// Runs "unctora-calc route PLANT.csv [--days N] [--from DATE] [--format csv|pdf]
// [--units si|imperial]"; args are the words after "route". Exit code 0; 1 when some
// points could not be planned (named on stderr; the route lists the others); 2 for bad
// usage, a plant file that cannot be read, output that cannot be written, or
// --format pdf (the route sheet is printed from the Plant plan window).
// The command's help: what it does and its options.
std::string routeCommandHelp();

int runRouteCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

} // namespace unctora::cli
