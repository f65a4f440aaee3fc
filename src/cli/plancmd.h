#pragma once
// unctora-calc plan: the change dates and the purchase summary of a plant file.

#include <cstdio>
#include <string>
#include <vector>

namespace unctora::plan {
struct PlantFile;
struct HistoryFile;
}

namespace unctora::cli {

// Reads the plant file of a command; on failure says why on err and gives false. The
// columns the plan does not know are named once on err.
bool readPlantForCommand(const std::string& path, plan::PlantFile& plant, std::FILE* err);

// Reads the history of a command's plant file: the file at path, which may be missing
// unless `named` (the user named it). On failure says why on err and gives false; the
// lines set aside are named on err.
bool readHistoryForCommand(const std::string& path, bool named, plan::HistoryFile& history, std::FILE* err);

// What "unctora-calc plan --help" prints: usage, what the command does, its options.
std::string planCommandHelp();

// Runs "unctora-calc plan PLANT.csv [--from DATE] [--months N] [--ics FILE]
// [--format csv|jsonl] [--units si|imperial]"; args are the words after "plan".
// Exit code 0; 1 when some points are invalid or failed (they are listed); 2 for bad
// usage, a plant file that cannot be read, or output that cannot be written.
int runPlanCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

} // namespace unctora::cli
