// The program's entry: one instance per user. A second start hands its command line to the
// running instance and ends; `vorn --shell-command TEXT` sends shell text to it; `vorn --browse
// PATH` opens a browser window at a folder (in the running instance when there is one).

#include "BoardRegistration.h"
#include "BoardViewRegistration.h"
#include "OutlineWindow.h"
#include "TVornApp.h"
#include "TextRegistration.h"
#include "XGApplicationMain.h"
#include "XGInstance.h"
#include "XGPreferences.h"
#include "XGShellCommand.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
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

    std::string browsePath;
    if (!args.empty() && args[0] == "--browse") {
        if (args.size() != 2 || args[1].empty()) {
            std::fprintf(stderr, "usage: vorn --browse FOLDER\n");
            return 2;
        }
        // Relative to where this start was made, also for a running Vorn elsewhere.
        std::error_code ec;
        const std::filesystem::path absolute = std::filesystem::absolute(args[1], ec);
        browsePath = ec ? args[1] : absolute.string();
        if (yaaf::XGInstanceRunning(instance)) {
            // The running Vorn opens it: the path in quotes, its quotes doubled.
            std::string quoted;
            for (char c : browsePath)
                quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
            return yaaf::XGSendToInstance(instance, "[browse(\"" + quoted + "\")]") ? 0 : 1;
        }
        args.clear();
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
    RegisterOutlineDocuments();
    return yaaf::XGApplicationMain(argc, argv, [&] {
        auto* app = new TVornApp();
        app->SetCommandLine(commandLine);
        app->SetBrowsePath(browsePath);
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
