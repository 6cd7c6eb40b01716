// SPDX-License-Identifier: MIT
// The `lumvex` command. `lumvex ctl` runs here, with Qt Core and D-Bus only, so that a key binding gets
// its answer in a few milliseconds; everything else is the tray program, which loads the GUI and capture
// libraries and is started in this process's place.
#include "app/control/CtlCommand.h"
#include "base/Translation.h"
#include "platform/linux/i18n/Translations.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "ctl") == 0) {
        return lumvex::runCtlCommand({argv + 2, argv + argc}, std::cout, std::cerr, LUMVEX_TRANSLATIONS_FROM_PROGRAM);
    }
    // The tray program lies at the same place relative to this one in the build tree and when installed.
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    const auto folder = error ? std::filesystem::path(".") : self.parent_path();
    const std::string program = (folder / LUMVEX_PROGRAM_FROM_BINDIR / "lumvex-tray").lexically_normal().string();
    // The command people run, not the program behind it, is what a login entry should start.
    if (!error) {
        ::setenv("LUMVEX_COMMAND", self.c_str(), 1);
    }
    ::execv(program.c_str(), argv);
    const std::string reason = std::strerror(errno);
    const QCoreApplication app(argc, argv);
    lumvex::i18n::installTranslations(QStringLiteral(LUMVEX_TRANSLATIONS_FROM_PROGRAM));
    std::cerr << lumvex::i18n::arg(lumvex::i18n::translate("Tray", "lumvex: cannot start %1: %2 (reinstall Lumvex)"),
                                   {program, reason})
              << '\n';
    return 127;
}
