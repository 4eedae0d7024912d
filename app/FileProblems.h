#pragma once
// Files Vorn was asked to open or print and could not: the user is told, naming each file,
// and the log keeps a line for each. Inside a batch (a command line, a second start's
// hand-over, a shell text) the problems are gathered and told in one message when the batch
// ends, so that a row of missing files never makes a row of dialogs.

#include <string>
#include <vector>

enum FileProblemType {
    FileProblem_MISSING,        // the file does not exist
    FileProblem_UNKNOWN_TYPE,   // neither a board nor a text document
    FileProblem_NO_BOARDS,      // a board, while board windows cannot be made
    FileProblem_NO_BOARD_PRINT, // a board, while boards cannot be printed
    FileProblem_NO_PRINT,       // another kind that cannot be printed
    FileProblem_NOT_FOLDER,     // browsed, while it is no folder
    FileProblem_NUMTYPES
};

enum FileActionType { FileAction_OPEN, FileAction_PRINT, FileAction_NUMTYPES };

struct FileProblemRec {
    std::string path;
    FileProblemType why = FileProblem_MISSING;
    FileActionType action = FileAction_OPEN;

    bool operator==(const FileProblemRec&) const = default;
};

// Logs the problem and tells the user: at once, or when the current batch ends.
void ReportFileProblem(const std::string& path, FileProblemType why, FileActionType action);

// The title and text of the one message that tells `problems` (at least one).
void FormatFileProblems(const std::vector<FileProblemRec>& problems, std::string& title, std::string& text);

// Gathers the problems reported during its life (batches nest: the outermost one tells).
class ScFileProblemBatch {
public:
    ScFileProblemBatch();
    ~ScFileProblemBatch();
    ScFileProblemBatch(const ScFileProblemBatch&) = delete;
    ScFileProblemBatch& operator=(const ScFileProblemBatch&) = delete;
};
