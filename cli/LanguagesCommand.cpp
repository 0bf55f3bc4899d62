// vantrel-cli languages: the data folder this program uses and the interface
// languages found there, one a line. Shows where an installed program looks
// for its files.

#include <cstdio>

#include "base/DataDirectory.h"
#include "cli/Cli.h"
#include "cli/Options.h"
#include "cli/Terminal.h"
#include "locale/LanguageFolder.h"

namespace vantrel::cli {

int RunLanguages(Args args) {
    if (!args.empty()) return Fail("languages takes no arguments", kUsage);
    const std::string folder = ProgramDataDirectory().string();
    std::printf("data folder: %s\n", EscapeControls(folder).c_str());
    auto names = FindLanguageNames(folder);
    if (!names) return Fail("no language file in " + folder + "/language", kBadFile);
    for (const std::string& name : *names)
        std::printf("%s\n", EscapeControls(name).c_str());
    return kOk;
}

}  // namespace vantrel::cli
