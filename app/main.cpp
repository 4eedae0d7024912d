// The program's entry: one instance per user. A second start hands its command line to the
// running instance and ends; `vorn --shell-command TEXT` sends shell text to it.

#include "BoardRegistration.h"
#include "BoardViewRegistration.h"
#include "TVornApp.h"
#include "TextRegistration.h"
#include "XGApplicationMain.h"
#include "XGInstance.h"
#include "XGPreferences.h"
#include "XGShellCommand.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    const std::string instance = VornInstanceName();

    if (!args.empty() && args[0] == "--shell-command") {
        if (args.size() != 2) {
            std::fprintf(stderr, "usage: vorn --shell-command '[open(\"file\")]'\n");
            return 2;
        }
        return yaaf::XGSendToInstance(instance, args[1]) ? 0 : 1;
    }

    const std::string commandLine = yaaf::XGJoinCommandLine(args);
    if (yaaf::XGInstanceRunning(instance)) {
        {
            yaaf::XGPreferences store(kVornLaunchVendor, kVornLaunchProduct, kVornLaunchVersion);
            store.SetString(kVornLaunchKey, yaaf::XGStripOuterQuotes(commandLine).c_str());
            store.Sync();
        }
        return yaaf::XGSendToInstance(instance, yaaf::kXGInstanceLaunchMessage) ? 0 : 1;
    }

    // The document kinds this program holds.
    RegisterTextDocuments();
    RegisterBoardDocuments();
    RegisterBoardWindows();
    return yaaf::XGApplicationMain(argc, argv, [&] {
        auto* app = new TVornApp();
        app->SetCommandLine(commandLine);
        app->StartInstanceServer(instance);
        // Start-up timing: say when the frame first stands idle, then quit.
        const char* exitWhenIdle = std::getenv("VORN_EXIT_WHEN_IDLE");
        if (exitWhenIdle && std::strcmp(exitWhenIdle, "1") == 0)
            app->SetFirstIdleHandler([app] {
                std::fputs("idle\n", stdout);
                std::fflush(stdout);
                app->Exit();
            });
        return app;
    });
}
