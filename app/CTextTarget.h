#pragma once
// What a board needs of a text document when it generates into it. The text documents implement
// it on their form; the board side finds it on a generator target form with dynamic_cast, so that
// boards do not depend on the text library.

struct DoStacksContainer;

class CTextTarget {
public:
    virtual ~CTextTarget() = default;

    // The undo stacks of the text view that receives the text, so that the generated group is
    // recorded in the text window's own history.
    virtual DoStacksContainer* GetTargetStacks() = 0;

    // Types the text at the start of the selection as an undoable "Typing" task; afterwards the
    // document is saved when autoSaveB is set, else marked changed.
    virtual void AddWordCmd(const char* textZ, bool autoSaveB) = 0;
};
