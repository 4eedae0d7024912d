#pragma once
// A board as JSON and back: the shape `vorn-board dump` prints and `vorn-board make` reads, and
// that File > Export > JSON writes. The object has `version` (the file's version byte), `prefs`
// (the board's settings) and `items` (in board order, each with its flags, bounds, font,
// polygon and two links).

#include "XGJson.h"

#include <string>

class TVornModel;

yaaf::XGJson VornBoard_ToJson(TVornModel& board, int version);

// Fills a new board from JSON of that shape: what the JSON leaves out keeps the board's and a
// new item's settings (items are made after the settings are read, so that they take the
// board's font as new items do). False, with a one-line reason, for a wrong shape; the board
// may then hold some of the items.
bool VornBoard_FromJson(const yaaf::XGJson& json, TVornModel& board, std::string& errorZ);
