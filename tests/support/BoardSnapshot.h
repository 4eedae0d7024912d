#pragma once
// A board as text, one line for the board and one per item, for comparing a board before and
// after a change (see UndoCheck.h): what the board file keeps, in a form a failure can show.

#include <string>

class TVornModel;

namespace vorntest {

std::string BoardSnapshot(TVornModel& board);

} // namespace vorntest
