#include "VPathBar.h"

#include "VBarDraw.h"
#include "XGDraw.h"
#include "XGFileSpecifier.h"

using namespace yaaf;

VPathBar::VPathBar(int32 id) : XGView('pthb', id) {
    SetAccessibleName("Path bar");
}

void VPathBar::SetPath(const std::string& path) {
    if (path == i_pathZ) return;
    i_pathZ = path;
    InvalView();
}

void VPathBar::SetSpec(const XGFileSpecifier& fileSpec) {
    SetPath(fileSpec.IsEmpty() ? std::string(kNotSaved) : fileSpec.GetFullPath());
}

void VPathBar::DoDraw(XGDraw& draw, const tagRECT&) {
    const tagRECT r = GetLocalBounds();
    VBarBackground(draw, r);
    VBarText(draw, r, i_pathZ, 5);
}
