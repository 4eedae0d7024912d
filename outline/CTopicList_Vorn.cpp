#include "CTopicList_Vorn.h"

#include "CVornPrefs.h"
#include "CVornTargetList.h"

using namespace yaaf;

CTopicList_Vorn::CTopicList_Vorn(COutlineDocLink* outlineP, CTopic* parentP) : CTopicList(outlineP, parentP) {
    i_prefs_vorn = O_Vorn_ListSaveRec{};
    Vorn_PrefsRec prefs;
    if (gVornPrefsP) gVornPrefsP->Get_VornModelPrefs(prefs);
    const Vorn_PrefBoolsRec& b = prefs.b;
    // In this order, each through SetFlag (the pane flags show or hide their panes).
    SetFlag(LIST_Flag_IGNORE_LOCKS, b.ignore_locksB());
    SetFlag(LIST_Flag_SHOW_HIDDEN, b.ignore_hiddenB());
    SetFlag(LIST_Flag_AUTO_SAVE, b.auto_saveB());
    SetFlag(LIST_Flag_SHOW_TOOLBAR, b.show_toolbarB());
    SetFlag(LIST_Flag_SEP_LINES, b.sep_linesB());
    SetFlag(LIST_Flag_SPEAK, b.speakB());
    SetFlag(LIST_Flag_NUMEROLOGY, b.numerB());
    SetFlag(LIST_Flag_GEN_CONTENT, b.gen_contentB());
    SetFlag(LIST_Flag_GEN_TITLE, !b.dont_gen_titleB());
    SetFlag(LIST_Flag_SHOW_STATUS, b.show_statusB());
    SetFlag(LIST_Flag_SORT_ASCENDING, b.sort_ascendingB());
    SetFlag(LIST_Flag_GEN_BACKGROUND, b.gen_backgroundB());
    SetFlag(LIST_Flag_GEN_VORN, b.gen_vorn_B());
    SetFlag(LIST_Flag_GEN_LAUNCH_PIX, b.gen_launch_pixB());
    i_prefs.view_as = prefs.view_as;
    i_prefs.sort_type = prefs.sort_by;
    i_col_ixL = prefs.num_columnsS;
    SetFlag(LIST_Flag_GO_MODE, prefs.mode == Vorn_Mode_GO);
    if (gRtlP) gRtlP->Add(this);
}

CTopicList_Vorn::~CTopicList_Vorn() {
    if (i_registeredB && gRtlP) gRtlP->Remove(this);
}

void CTopicList_Vorn::Draw(XGDraw* drawP, const tagRECT*, void*) {
    CTopicList::Draw(drawP, nullptr, nullptr);
}
