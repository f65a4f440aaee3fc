#include "cli/textcmd.h"

#include "strings/startcheck.h"
#include "strings/stringtable.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <optional>

namespace unctora::cli {

namespace {

constexpr const char* kTextUsage =
    "Usage: unctora-calc text KEY [--number N] [--or-empty] [--lang NAME] "
    "[--language-file PATH]\n";

constexpr const char* kTextOptions =
    "  --number N            the numbered entry of KEY (--number 3 reads KEY_03)\n"
    "  --or-empty            an empty text stays empty instead of falling back to English\n"
    "  --lang NAME           the language (English unless given)\n"
    "  --language-file PATH  read the texts from PATH instead of unctora.sil beside the program\n"
    "  -h, --help            print this help and exit\n";

int usage(std::ostream& err, const std::string& message) {
    err << "unctora-calc text: " << message << "\n" << kTextUsage;
    return 2;
}

std::optional<int> parseNumber(const std::string& s) {
    int n = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (ec != std::errc() || end != s.data() + s.size() || n < 0)
        return std::nullopt;
    return n;
}

} // namespace

std::string textCommandHelp() {
    return std::string(kTextUsage) +
           "\n"
           "Prints one text of the language file as the window shows it, and a newline.\n"
           "\n"
           "Options:\n" +
           kTextOptions;
}

int runTextCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const std::string& programDir) {
    std::optional<std::string> key;
    int number = 0;
    bool orEmpty = false;
    std::optional<std::string> language;
    std::string languageFile = strings::languageFilePath(programDir);
    bool namedFile = false;

    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.empty() || a[0] != '-' || a == "-") {
            if (key)
                return usage(err, "only one KEY, got \"" + *key + "\" and \"" + a + "\"");
            key = a;
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        if (a == "--help" || a == "-h") {
            out << textCommandHelp(); // a failed write is caught at the exit
            return 0;
        }
        if (a == "--or-empty") {
            orEmpty = true;
            continue;
        }
        // Options with a value: "--name VALUE" or "--name=VALUE".
        std::string name = a;
        std::optional<std::string> value;
        if (const auto eq = a.find('='); eq != std::string::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
        }
        if (name != "--number" && name != "--lang" && name != "--language-file")
            return usage(err, "unknown option \"" + a + "\"");
        if (!value) {
            if (i + 1 >= args.size())
                return usage(err, name + " needs a value");
            value = args[++i];
        }
        if (name == "--number") {
            const std::optional<int> n = parseNumber(*value);
            if (!n)
                return usage(err, "--number needs a whole number of 0 or more, got \"" + *value + "\"");
            number = *n;
        } else if (name == "--lang") {
            if (strings::languageNumber(*value) == 0)
                return usage(err, kLanguageNameUsage);
            language = *value;
        } else {
            languageFile = *value;
            namedFile = true;
        }
    }
    if (!key)
        return usage(err, "KEY is missing");

    if (namedFile && !strings::languageFileExists(languageFile)) {
        err << "unctora-calc text: the language file \"" << languageFile << "\" is not a readable file\n";
        return 2;
    }
    if (const std::optional<std::string> message = strings::checkLanguageFile(languageFile)) {
        // The window shows this text in a box; its CR line breaks become newlines here.
        std::string text = *message;
        std::replace(text.begin(), text.end(), '\r', '\n');
        err << text << "\n";
        return 2;
    }
    strings::StringTable table;
    if (!table.LoadLanguageFile(languageFile)) {
        err << "unctora-calc text: cannot read the language file \"" << languageFile << "\"\n";
        return 2;
    }
    if (language)
        table.SetLanguageByName(*language);

    out << (orEmpty ? table.LangStrOrEmpty(*key, number) : table.LangStr(*key, number)) << "\n";
    errno = 0;
    if (!out.flush()) {
        err << "unctora-calc: Unable to write to standard output (" << std::strerror(errno ? errno : EIO)
            << ")\n";
        return 2;
    }
    return 0;
}

} // namespace unctora::cli
