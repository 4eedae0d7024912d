#pragma once
// The undo/redo pair of a view that owns one (the text view, the root view of a board or
// outline window). A view that only uses a pair leaves its container empty.

#include "CDo.h"

// Fills an empty container with two empty stacks.
void MakeStacks(DoStacksContainer& stacks);

// What a view that owns a pair does when it is destroyed: the engine forgets the pair if it is
// the active one, every task is destroyed (undo stack, then redo stack, each bottom to top) and
// both stacks are deleted. The container is left empty.
void DisposeStacks(DoStacksContainer& stacks);

class DoStacksOwner {
public:
    DoStacksOwner() { MakeStacks(i_do_stacks); }
    ~DoStacksOwner() { DisposeStacks(i_do_stacks); }
    DoStacksOwner(const DoStacksOwner&) = delete;
    DoStacksOwner& operator=(const DoStacksOwner&) = delete;

    DoStacksContainer* GetStacks() { return &i_do_stacks; }
    // Makes this pair the engine's active pair (activate) or leaves the engine with none.
    void SetStacks(bool clear);

    DoStacksContainer i_do_stacks;
};
