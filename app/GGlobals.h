#pragma once
// The application's globals, made in a fixed order at start-up and deleted in a fixed order at
// the end: the undo engine, the clipboard, the version tracker, the open-board registry, the
// generator-target list and the file icon cache. The clipboard, the registry and the target
// list live above the shell and are made through their registered makers (CDocumentKinds.h).

class GGlobals {
public:
    // Shows each step's status line in the splash window while it makes the globals.
    GGlobals();
    // Deletes the registry, the version tracker (after its worker has finished), the clipboard,
    // the undo engine, the target list and the tool palette, then writes the memory report.
    ~GGlobals();
    GGlobals(const GGlobals&) = delete;
    GGlobals& operator=(const GGlobals&) = delete;

    // The periodic work, in order: speech, the version check, the undo engine, the open-board
    // registry, the target list, the tool palette.
    void Idle();
};

// The globals object, or none.
extern GGlobals* g;
