#include "FileProblems.h"

#include "VornLog.h"
#include "XGAlert.h"

#include <algorithm>

using namespace yaaf;

namespace {

// A message lists this many files; the rest are counted.
constexpr size_t kMaxListed = 10;

int s_batchDepth = 0;
std::vector<FileProblemRec> s_pending;

const char* Reason(FileProblemType why) {
    switch (why) {
    case FileProblem_MISSING:
        return "the file does not exist";
    case FileProblem_UNKNOWN_TYPE:
        return "it is neither a Vorn board nor a text document";
    case FileProblem_NOT_FOLDER:
        return "it is not a folder";
    case FileProblem_NO_BOARDS:
        return "board windows are not available in this version";
    case FileProblem_NO_BOARD_PRINT:
        return "printing boards is not available in this version";
    case FileProblem_NO_PRINT:
        return "documents of its kind cannot be printed";
    default:
        return "it cannot be read";
    }
}

void Tell(const std::vector<FileProblemRec>& problems) {
    if (problems.empty()) return;
    XGAlertRequest alert;
    alert.kind = XGAlertKind::kError;
    FormatFileProblems(problems, alert.title, alert.text);
    XGShowAlert(alert);
}

} // namespace

void FormatFileProblems(const std::vector<FileProblemRec>& problems, std::string& title, std::string& text) {
    title.clear();
    text.clear();
    if (problems.empty()) return;
    const bool anyOpen = std::any_of(problems.begin(), problems.end(),
                                     [](const FileProblemRec& p) { return p.action == FileAction_OPEN; });
    const bool anyPrint = std::any_of(problems.begin(), problems.end(),
                                      [](const FileProblemRec& p) { return p.action == FileAction_PRINT; });
    const char* verb = anyOpen && anyPrint ? "open or print" : anyPrint ? "print" : "open";
    title = anyOpen && anyPrint ? "File Error" : anyPrint ? "Print Error" : "Open File Error";
    if (problems.size() == 1) {
        text = std::string("Vorn cannot ") + verb + " \"" + problems[0].path + "\": " + Reason(problems[0].why) + ".";
        return;
    }
    text = std::string("Vorn cannot ") + verb + " these files:";
    for (size_t i = 0; i < problems.size() && i < kMaxListed; ++i)
        text += "\n\"" + problems[i].path + "\": " + Reason(problems[i].why) + ".";
    if (problems.size() > kMaxListed) text += "\nand " + std::to_string(problems.size() - kMaxListed) + " more.";
}

void ReportFileProblem(const std::string& path, FileProblemType why, FileActionType action) {
    Log(std::string(action == FileAction_PRINT ? "Cannot print " : "Cannot open ") + path + ": " + Reason(why) +
        "\n");
    const FileProblemRec problem{path, why, action};
    if (s_batchDepth == 0) {
        Tell({problem});
        return;
    }
    // The same file named twice is told once.
    if (std::find(s_pending.begin(), s_pending.end(), problem) == s_pending.end()) s_pending.push_back(problem);
}

ScFileProblemBatch::ScFileProblemBatch() {
    ++s_batchDepth;
}

ScFileProblemBatch::~ScFileProblemBatch() {
    if (--s_batchDepth > 0) return;
    std::vector<FileProblemRec> problems;
    problems.swap(s_pending);
    try {
        Tell(problems);
    } catch (...) {
        // Nothing may escape a destructor; the log already has every problem.
    }
}
