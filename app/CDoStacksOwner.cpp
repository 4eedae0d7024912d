#include "CDoStacksOwner.h"

void MakeStacks(DoStacksContainer& stacks) {
    for (CDoStack*& stackP : stacks.stack)
        if (!stackP) stackP = new CDoStack;
}

void DisposeStacks(DoStacksContainer& stacks) {
    if (gDo && gDo->GetActiveStacks() == &stacks) gDo->SetActiveStacks(nullptr);
    for (CDoStack*& stackP : stacks.stack) {
        CDo::DisposeStack(stackP);
        delete stackP;
        stackP = nullptr;
    }
}

void DoStacksOwner::SetStacks(bool clear) {
    if (gDo) gDo->SetActiveStacks(clear ? nullptr : &i_do_stacks);
}
