#include "app/commandline.h"

#include "core/version.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

std::string windowProgramHelp() {
    return "Usage: unctora [-Log] [-EditLang]\n"
           "Computes the relubrication interval, the grease quantity, the feed rate and the\n"
           "lubricator setting of one rolling bearing application, in one window.\n"
           "\n"
           "Options:\n"
           "  -Log          record every calculation step on a \"Log\" tab\n"
           "  -EditLang     add the text editor entry to the Language menu\n"
           "  -h, --help    print this help and exit\n"
           "  --version     print the version and exit\n"
           "\n"
           "The switches -Log and -EditLang may be written in any letter case, and with \"/\"\n"
           "in place of \"-\". The toolkit's own options, such as -platform NAME, are taken too.\n"
           "\n"
           "Files:\n"
           "  unctora.sil   the language file, beside the program; without it the program ends\n"
           "  unctora.INI   the settings, in $XDG_DATA_HOME/Talvik/Unctora6 (by default\n"
           "                ~/.local/share/Talvik/Unctora6), with the pages the program writes\n";
}

std::optional<int> answerInfoOption(int argc, char** argv) {
    std::string text;
    for (int i = 1; i < argc && text.empty(); ++i) {
        const std::string_view a = argv[i];
        if (a == "--help" || a == "-h")
            text = windowProgramHelp();
        else if (a == "--version")
            text = unctora::core::VersionBanner("unctora");
    }
    if (text.empty())
        return std::nullopt;
    errno = 0;
    const bool written = std::fputs(text.c_str(), stdout) >= 0;
    if (!written || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "unctora: Unable to write to standard output (%s)\n",
                     std::strerror(errno ? errno : EIO));
        return 2;
    }
    return 0;
}
