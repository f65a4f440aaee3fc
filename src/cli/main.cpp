// unctora-calc: the window's calculation for a whole plant list, or for one
// application from a settings file or the command line.

#include "cli/batch.h"
#include "io/csv.h"
#include "cli/plancmd.h"
#include "cli/routecmd.h"
#include "cli/textcmd.h"
#include "core/version.h"
#include "files/fileio.h"
#include "files/regini.h"
#include "files/settingsdata.h"
#include "text/format.h"
#include "strings/startcheck.h"
#include "strings/stringtable.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace unctora;
namespace fs = std::filesystem;

const char* kUsage =
    "Usage: unctora-calc [OPTION]... [FILE.csv | -]\n"
    "  or:  unctora-calc --ini SETTINGS.INI [OPTION]...\n"
    "  or:  unctora-calc --set Key=Value... [OPTION]...\n"
    "  or:  unctora-calc text KEY [--number N] [--or-empty] [--lang NAME] [--language-file PATH]\n"
    "  or:  unctora-calc plan PLANT.csv [--from DATE] [--months N] [--ics FILE [--remind N]]\n"
    "                         [--format F] [--units U]\n"
    "  or:  unctora-calc route PLANT.csv [--days N] [--from DATE] [--format F] [--output FILE]\n"
    "                          [--units U] [--lang NAME] [OPTION]...\n"
    "\n"
    "Calculates each row of the plant list FILE.csv (standard input without it or for -),\n"
    "the application of a settings file's [Data] section, or the inputs given with --set.\n"
    "The plant list is CSV with a header row of input names (Bore_mm, D_mm, B_mm, Type,\n"
    "CRBsub1, CRBsub2, SRBsub1, SRBsub2, TORBsub1, Grease, Lubricator, PowerSource, Outlets,\n"
    "Speed, OpHours, BrgOpTemp, ContMoist, Load, ShockLoad, Ambient, ShaftOrientation,\n"
    "Replenishment, RotOR) and an optional Id column; missing columns take the first-start\n"
    "values. With --lang, the advice pages also carry their texts in that language (English,\n"
    "German, French, Italian, Swedish, Spanish, Chinese, Thai, Russian, Portuguese, Japanese),\n"
    "read from unctora.sil beside the program or from --language-file.\n"
    "Exit code 0: every row read; 1: some rows invalid; 2: the input could not be used.\n";

// The options one by one; the manual page and the tests of the shell completion read them.
const char* kOptions =
    "\n"
    "Options:\n"
    "  --format csv|jsonl    CSV (the default) or JSON Lines\n"
    "  --units si|imperial   SI (the default) or imperial units in the texts of the results\n"
    "  --log                 add the calculation log to every row\n"
    "  --lang NAME           add the texts of the advice pages in language NAME\n"
    "  --language-file PATH  read those texts from PATH instead of unctora.sil\n"
    "  --ini SETTINGS.INI    calculate the application of a settings file's [Data] section\n"
    "  --set Key=Value       set one input (repeatable); Id=TEXT names the result\n"
    "  -h, --help            print this help and exit\n"
    "  --version             print the version and exit\n";

// A command's help as a part of this one: its usage lines joined into one line that
// stands as its heading, then what it does and its options.
std::string commandPart(const std::string& help) {
    std::string heading, rest = help;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string line = rest.substr(0, end);
        if (!heading.empty() && line.rfind(' ', 0) != 0)
            break;
        if (line.rfind("Usage: ", 0) == 0)
            line.erase(0, 7);
        line.erase(0, line.find_first_not_of(' '));
        heading += (heading.empty() ? "" : " ") + line;
        rest = end == std::string::npos ? "" : rest.substr(end + 1);
    }
    if (!rest.empty() && rest[0] == '\n')
        rest.erase(0, 1);
    return "\n" + heading + "\n\n" + rest;
}

std::string fullHelp() {
    return std::string(kUsage) + kOptions + commandPart(cli::textCommandHelp()) +
           commandPart(cli::planCommandHelp()) + commandPart(cli::routeCommandHelp());
}

int usageError(const std::string& message) {
    std::fprintf(stderr, "unctora-calc: %s\n\n%s", message.c_str(), kUsage);
    return 2;
}

int runSingle(const std::string& iniPath, const std::vector<std::string>& sets,
              const cli::BatchOptions& options) {
    cli::Application app;
    if (!iniPath.empty()) {
        // Only a regular settings file of sane size with a [Data] section is an
        // application; anything else would quietly give the first-start inputs.
        std::string bytes, reason;
        if (!files::readWholeFile(iniPath, bytes, files::kMaxSettingsFileBytes, &reason)) {
            std::fprintf(stderr, "unctora-calc: cannot read %s: %s\n", iniPath.c_str(), reason.c_str());
            return 2;
        }
        files::TStRegIni ini(iniPath, true);
        if (!ini.SectionExists("Data")) {
            std::fprintf(stderr, "unctora-calc: %s is not a settings file: it has no [Data] section\n",
                         iniPath.c_str());
            return 2;
        }
        app.inputs = files::readDataSection(ini);
    }
    for (const std::string& s : sets) {
        const auto eq = s.find('=');
        if (eq == std::string::npos)
            return usageError("--set needs Key=Value, got \"" + s + "\"");
        const std::string key = s.substr(0, eq);
        const std::string value = s.substr(eq + 1);
        if (key == "Id" || key == "id" || key == "ID") {
            app.id = value;
            app.hasId = true;
            continue;
        }
        const core::InputField* f = core::findInputField(key);
        if (!f)
            return usageError("unknown input \"" + io::printable(key) + "\" in --set");
        std::string error;
        if (app.valid && !io::setInput(app.inputs, *f, value, error)) {
            app.valid = false;
            app.error = "--set " + std::string(f->name) + ": " + error;
        }
    }
    cli::BatchWriter writer(stdout, options);
    writer.writeHeader();
    writer.write(app);
    writer.flush();
    if (writer.failed())
        return cli::reportWriteError(stderr, stdout, writer.writeErrno());
    return app.valid ? 0 : 1;
}

// Loads the language file for the page texts; on failure prints why and gives false.
// A file the user named is reported by that name, not as missing from the program's folder.
bool loadTexts(const std::string& path, bool named, const std::string& language,
               strings::StringTable& table) {
    if (named && !strings::languageFileExists(path)) {
        std::fprintf(stderr, "unctora-calc: the language file \"%s\" is not a readable file\n",
                     path.c_str());
        return false;
    }
    if (const std::optional<std::string> message = strings::checkLanguageFile(path)) {
        // The window shows this text in a box; its CR line breaks become newlines here.
        std::string text = *message;
        std::replace(text.begin(), text.end(), '\r', '\n');
        std::fprintf(stderr, "%s\n", text.c_str());
        return false;
    }
    if (!table.LoadLanguageFile(path)) {
        std::fprintf(stderr, "unctora-calc: cannot read the language file \"%s\"\n", path.c_str());
        return false;
    }
    table.SetLanguageByName(language);
    return true;
}

// The folder of the running executable, symlinks resolved.
std::string programDir(const char* argv0) {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = fs::absolute(argv0, ec);
    return exe.parent_path().string();
}

// Output that did not reach its file must not end as a success: the final flush is the
// last write, and a stream that failed earlier stays failed.
int checkedExit(int code) {
    errno = 0;
    std::cout.flush();
    const bool failed = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout);
    if (failed && code != 2) {
        std::fprintf(stderr, "unctora-calc: Unable to write to standard output (%s)\n",
                     std::strerror(errno ? errno : EIO));
        return 2;
    }
    return code;
}

int run(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "plan")
        return cli::runPlanCommand({args.begin() + 1, args.end()}, stdout, stderr);
    if (!args.empty() && args[0] == "route")
        return cli::runRouteCommand({args.begin() + 1, args.end()}, stdout, stderr, {programDir(argv[0]), {}});
    if (!args.empty() && args[0] == "text")
        return cli::runTextCommand({args.begin() + 1, args.end()}, std::cout, std::cerr,
                                   programDir(argv[0]));
    cli::BatchOptions options;
    std::string file, iniPath;
    std::optional<std::string> language, languageFile;
    std::vector<std::string> sets;
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](const char* opt) -> const std::string* {
            if (i + 1 >= args.size())
                return nullptr;
            (void)opt;
            return &args[++i];
        };
        if (a == "--help" || a == "-h") {
            // The help is longer than the stream's buffer: a write that fails part way
            // is reported with its own reason, which a later flush no longer knows.
            const std::string help = fullHelp();
            if (std::fwrite(help.data(), 1, help.size(), stdout) != help.size() || std::fflush(stdout) != 0) {
                std::fprintf(stderr, "unctora-calc: Unable to write to standard output (%s)\n",
                             std::strerror(errno ? errno : EIO));
                return 2;
            }
            return 0;
        } else if (a == "--version") {
            std::fputs(core::VersionBanner("unctora-calc").c_str(), stdout);
            return 0;
        } else if (a == "--format") {
            const auto format = cli::parseFormat(value("--format"));
            if (!format)
                return usageError("--format takes csv or jsonl");
            options.format = *format;
        } else if (a == "--units") {
            const auto units = cli::parseUnits(value("--units"));
            if (!units)
                return usageError("--units takes si or imperial");
            options.units = *units;
        } else if (a == "--log") {
            options.log = true;
        } else if (a == "--lang") {
            const std::string* v = value("--lang");
            // A misspelt language would quietly give English texts for a whole list.
            if (!v || strings::languageNumber(*v) == 0)
                return usageError(cli::kLanguageNameUsage);
            language = *v;
        } else if (a == "--language-file") {
            const std::string* v = value("--language-file");
            if (!v)
                return usageError("--language-file needs a file name");
            languageFile = *v;
        } else if (a == "--ini") {
            const std::string* v = value("--ini");
            if (!v)
                return usageError("--ini needs a file name");
            iniPath = *v;
        } else if (a == "--set") {
            const std::string* v = value("--set");
            if (!v)
                return usageError("--set needs Key=Value");
            sets.push_back(*v);
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            return usageError("unknown option " + a);
        } else {
            if (haveFile)
                return usageError("only one plant list can be read at a time");
            file = a;
            haveFile = true;
        }
    }
    if (languageFile && !language)
        return usageError("--language-file goes with --lang NAME");
    if ((!iniPath.empty() || !sets.empty()) && haveFile)
        return usageError("a plant list cannot be combined with --ini or --set");
    strings::StringTable table;
    if (language) {
        if (!loadTexts(languageFile ? *languageFile : strings::languageFilePath(programDir(argv[0])),
                       languageFile.has_value(), *language, table))
            return 2;
        options.texts = &table;
    }
    try {
        if (!iniPath.empty() || !sets.empty())
            return runSingle(iniPath, sets, options);
        if (!haveFile || file == "-")
            return cli::runCsv(stdin, stdout, stderr, options, "standard input");
        std::FILE* in = std::fopen(file.c_str(), "rb");
        if (!in) {
            std::fprintf(stderr, "unctora-calc: cannot read %s: %s\n", file.c_str(),
                         std::strerror(errno));
            return 2;
        }
        struct Closer {
            std::FILE* f;
            ~Closer() { std::fclose(f); }
        } closer{in};
        return cli::runCsv(in, stdout, stderr, options, file);
    } catch (const text::FormatError& e) {
        // A text of the language file does not fit the values of its page.
        std::fflush(stdout);
        std::fprintf(stderr, "unctora-calc: language file: %s\n", e.what());
        return 2;
    }
}

} // namespace

int main(int argc, char** argv) {
    // With standard output closed, the first file opened would take its place and the
    // results would be written into it (or vanish into a read-only input).
    if (::fcntl(STDOUT_FILENO, F_GETFD) == -1 && errno == EBADF) {
        std::fprintf(stderr, "unctora-calc: Unable to write to standard output (%s)\n",
                     std::strerror(EBADF));
        return 2;
    }
    return checkedExit(run(argc, argv));
}
