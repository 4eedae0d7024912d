// The program's entry: one instance per user. A second start hands its command line to the
// running instance and ends; `vorn --shell-command TEXT` sends shell text to it.

#include "CDocumentKinds.h"
#include "CVornList.h"
#include "TEditDoc.h"
#include "TEditForm.h"
#include "TVornApp.h"
#include "TextWindow.h"
#include "XGApplicationMain.h"
#include "XGInstance.h"
#include "XGPreferences.h"
#include "XGShellCommand.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The document kinds this program holds. Boards are registered as far as their parts exist: the
// open-board registry; their windows come with the board view.
void RegisterDocumentKinds() {
    CDocumentKinds& kinds = GetDocumentKinds();

    RegisterTextViews();
    kinds.text.makeDocument = [] { return static_cast<yaaf::XGDocument*>(new TEditDoc()); };
    kinds.text.initNew = [](yaaf::XGDocument* doc) { return static_cast<TEditDoc*>(doc)->DoNewDocument(); };
    kinds.text.openFile = [](yaaf::XGDocument* doc, const yaaf::XGFileSpecifier& spec) {
        return static_cast<TEditDoc*>(doc)->DoOpenDocument(spec);
    };
    kinds.text.makeForm = [](yaaf::XGDocument* doc) {
        return static_cast<yaaf::XGDocForm*>(new TEditForm(static_cast<TEditDoc*>(doc)));
    };
    kinds.text.makeWindow = [](yaaf::XGDocForm* form) {
        return MakeTextWindow(static_cast<TEditForm*>(form));
    };
    kinds.text.fileFilter = "Text Documents (*.txt)";

    kinds.board.fileFilter = "Vorn Files (*.2dv)";
    kinds.vornList.make = [] { gVornListP = new CVornList(); };
    kinds.vornList.idle = [] {
        if (gVornListP) gVornListP->Idle();
    };
    kinds.vornList.destroy = [] {
        delete gVornListP;
        gVornListP = nullptr;
    };
    kinds.findOpenBoard = [](const yaaf::XGFileSpecifier& spec) -> yaaf::XGWindow* {
        return gVornListP ? gVornListP->IsFileOpen(&spec) : nullptr;
    };
}

} // namespace

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

    RegisterDocumentKinds();
    return yaaf::XGApplicationMain(argc, argv, [&] {
        auto* app = new TVornApp();
        app->SetCommandLine(commandLine);
        app->StartInstanceServer(instance);
        return app;
    });
}
