#define VORN_UNIT "CVornItem.cpp"
// Generating an item in Go Mode, and its numerology value.
#include "CDo.h"
#include "CItemArray.h"
#include "CTextTarget.h"
#include "CVornItem.h"
#include "CVornViewLink.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "Utilities.h"
#include "VornBoardAssert.h"
#include "VornBoardWindows.h"
#include "VornWindowInit.h"
#include "XGFileSpecifier.h"
#include "XGGeometry.h"
#include "XGPlatform.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

using namespace yaaf;

bool Vorn_LaunchFile(const XGFileSpecifier& spec);

namespace {
constexpr size_t kGenNameSize = 1024;

// Restores the engine's active pair when generation ends, however it ends.
class ScRestoreStacks {
public:
    ScRestoreStacks() : i_prevP(gDo ? gDo->GetActiveStacks() : nullptr) {}
    ~ScRestoreStacks() {
        if (gDo) gDo->SetActiveStacks(i_prevP);
    }
    ScRestoreStacks(const ScRestoreStacks&) = delete;
    ScRestoreStacks& operator=(const ScRestoreStacks&) = delete;

private:
    DoStacksContainer* i_prevP;
};

// Opens a folder as a new board in Go Mode, just below and to the right of this board.
void OpenFolderBoard(TVornModel* M, const XGFileSpecifier& folder) {
    XGDocForm* formP = nullptr;
    XGWindow* windowP = InitWindow_Vorn(Vorn_WindowInit_OPEN_FILE, &folder, &formP);
    if (!windowP) return;
    if (auto* controllerP = dynamic_cast<TVornController*>(formP); controllerP && controllerP->i_modelP) {
        TVornModel* N = controllerP->i_modelP;
        N->i_prefs.wind_go.posR = M->i_prefs.wind_edit.posR;
        if (controllerP->i_viewP) controllerP->i_viewP->DoViewCommand(7);
        OffsetRect(N->i_prefs.wind_go.posR, 30, 30);
        N->SetGoMode(true);
        N->DocumentSaved();
    }
    VornWindow_Show(windowP, VornWindowShow::kSelect);
}
} // namespace

void CVornItem::Generate() {
    TVornModel* M = i_vornP;
    if (!M) {
        VORN_ASSERT_DLG(i_vornP);
        return;
    }
    const Vorn_PrefBoolsRec p = M->i_prefs.b;
    Vorn_LinkContent& d = i_resource.dest.content;
    switch (d.type) {
    case LinkType_NONE:
    case LinkType_TEXT:
        break;
    case LinkType_PICT_FILE:
    case LinkType_FILE: {
        if (!d.u.fileP) break;
        XGFileSpecifier& f = *d.u.fileP;
        if (!f.Exists() && M->HasFile()) ResolveFileSpec(f, M->GetFile());
        if (!f.Exists()) break;
        if (!f.IsFolder()) {
            if (d.type == LinkType_FILE || p.gen_launch_pixB()) Vorn_LaunchFile(f);
        } else {
            OpenFolderBoard(M, f);
        }
        break;
    }
    case LinkType_URL:
    case LinkType_PICT_URL:
        if ((d.type == LinkType_URL || p.gen_launch_pixB()) && d.u.textP) LaunchURL(d.u.textP->c_str());
        break;
    default:
        return; // an unknown link type generates nothing
    }
    if (!p.dont_gen_titleB()) GenerateOutput();
}

void CVornItem::GenerateOutput() {
    TVornModel* M = i_vornP;
    const Vorn_PrefBoolsRec p = M->i_prefs.b;
    bool newB = false;
    TVornModel* T = M->GetTarget(&newB);
    char title[kGenNameSize];
    GetName(Vorn_Ref_SRC, title, false, sizeof title);
    if (!M->i_target_controllerP) return;

    ScRestoreStacks restore;
    std::string numText;
    if (p.numerB()) {
        char buf[kGenNameSize + 32];
        std::snprintf(buf, sizeof buf, "%5ld: %s", long(M->NumerologyTotal()), title);
        numText = buf;
    }

    if (!T) {
        auto* editP = dynamic_cast<CTextTarget*>(M->i_target_controllerP);
        if (!editP) {
            VORN_ASSERT_DLG(editP);
            return;
        }
        std::string text;
        if (title[0] == '\r') {
            text = title;
        } else {
            text = p.numerB() ? numText : std::string(title);
            if (p.speakB()) SpeakCString(text.c_str());
            if (p.gen_contentB()) {
                char content[kGenNameSize];
                GetName(Vorn_Ref_DEST, content, false, sizeof content);
                text += ": ";
                text += content;
            }
            text += p.sep_linesB() ? "\n" : " ";
        }
        CDo_ScGroup group("Insert Generated Info", editP->GetTargetStacks());
        editP->AddWordCmd(text.c_str(), p.auto_saveB());
        return;
    }

    CVornViewLink* targetViewP = T->GetView();
    // A target board shown as an outline has no board view to take the copy: nothing is
    // generated rather than a fault reported for what the person chose.
    if (!targetViewP) return;
    targetViewP->SetStacks(false);
    if (newB && p.gen_backgroundB()) {
        ++g_suppressFlushL;
        CItemArray* backgroundsP = M->GetBackgrounds();
        if (backgroundsP) M->GenerateList(backgroundsP, T);
        delete backgroundsP;
        --g_suppressFlushL;
        M->SelectAll(false);
    }
    if (!p.numerB()) {
        auto* copyP = new CVornItem(this, T);
        copyP->i_b.set_hiddenB(false);
        targetViewP->AddItemCmd(copyP, "Insert Generated Item");
    } else {
        targetViewP->AddWordCmd(numText.c_str(), "Insert Generated Numerology");
    }
}

namespace {
// The sum of a title cut to 255 characters (the buffer is cut at a colon).
int32 NumerologyOfTitle(char* title) {
    int32 sum = 0;
    bool allDigitsB = true;
    for (int16 i = 0; title[i]; ++i) {
        const auto c = static_cast<unsigned char>(title[i]);
        if (c == ' ') continue;
        if (c == ':') {
            title[i] = '\0';
            break;
        }
        if (c >= '0' && c <= '9') continue;
        allDigitsB = false;
        if (c < 128 && std::isalpha(c)) sum += ((std::tolower(c) - 'a') % 9) + 1;
    }
    if (allDigitsB) {
        // Read as "%ld" would, kept within 32 bits.
        char* end = nullptr;
        const long long n = std::strtoll(title, &end, 10);
        if (end == title) return 0;
        if (n > std::numeric_limits<int32>::max()) return std::numeric_limits<int32>::max();
        return int32(n);
    }
    return sum;
}
} // namespace

int32 CVornItem::Numerology_Sum() {
    auto fresh = [this] {
        char title[256];
        GetName(Vorn_Ref_SRC, title, false, sizeof title);
        return NumerologyOfTitle(title);
    };
    // A text title keeps its sum until it changes; a file's name is asked each time.
    Vorn_LinkContent& c = i_resource.source.content;
    const bool keepB = IsTextType(c.type) && c.u.textP;
    if (keepB && c.numerTextP == c.u.textP) {
        // A text changed without TextChanged would show here.
        assert(c.numerL == fresh());
        return c.numerL;
    }
    const int32 sum = fresh();
    if (keepB) {
        c.numerL = sum;
        c.numerTextP = c.u.textP;
    }
    return sum;
}
