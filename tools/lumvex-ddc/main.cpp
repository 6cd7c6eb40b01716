// SPDX-License-Identifier: MIT
#include "LinuxToolContext.h"
#include "SteadyDdcClock.h"
#include "base/CompiledCatalogue.h"

#include <filesystem>
#include <iostream>
#include <system_error>

namespace {

// In the user's language, from the catalogues the tray uses: beside the installed command, or beside the
// tray program in the build tree. An unreadable one leaves English; the tool's output stays its answer.
void useLanguage()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return;
    }
    for (const char *relative : {LUMVEX_TRANSLATIONS_FROM_BINDIR, LUMVEX_TRANSLATIONS_FROM_PROGRAM}) {
        const std::filesystem::path folder = self.parent_path() / relative;
        if (std::filesystem::is_directory(folder, error)) {
            lumvex::i18n::installCompiledCatalogue(folder);
            return;
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    useLanguage();
    lumvex::ddc::SteadyDdcClock clock;
    lumvex::ddc::ToolContext context = lumvex::ddc::linuxToolContext(clock);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return lumvex::ddc::runTool(args, context, std::cout, std::cerr);
}
