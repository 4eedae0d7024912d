#pragma once
// The globals a board needs, for the life of the object: the registry of open boards and the
// undo engine. What was there before is put back afterwards.

#include <memory>

class CDo;
class CVornList;

namespace vorntest {

class BoardGlobals {
public:
    struct Options {
        bool undo = true;
        // Off where the file is the subject: reading then starts no picture loads.
        bool loadPicturesOnRead = true;
    };
    BoardGlobals();
    explicit BoardGlobals(Options options);
    ~BoardGlobals();
    BoardGlobals(const BoardGlobals&) = delete;
    BoardGlobals& operator=(const BoardGlobals&) = delete;

private:
    std::unique_ptr<CVornList> fList;
    std::unique_ptr<CDo> fDo;
    CVornList* fPreviousList;
    CDo* fPreviousDo;
    bool fPreviousLoad;
};

} // namespace vorntest
