#pragma once
// A board as JSON and back: the shape `vorn-board dump` prints and `vorn-board make` reads, and
// that File > Export > JSON writes. The object has `version` (the file's version byte), `prefs`
// (the board's settings) and `items` (in board order, each with its flags, bounds, font,
// polygon and two links).

#include "XGJson.h"

#include <string>

class CVornItem;
class TVornModel;
struct Vorn_PrefsRec;

yaaf::XGJson VornBoard_ToJson(TVornModel& board, int version);

// Fills a new board from JSON of that shape: what the JSON leaves out keeps the board's and a
// new item's settings (items are made after the settings are read, so that they take the
// board's font as new items do). False, with a one-line reason, for a wrong shape; the board
// may then hold some of the items.
bool VornBoard_FromJson(const yaaf::XGJson& json, TVornModel& board, std::string& errorZ);

// The same for one item (flags, bounds, font, polygon, source, dest) and for the settings: what
// the JSON names is changed, the rest kept.
yaaf::XGJson VornBoard_ItemToJson(CVornItem* itemP);
bool VornBoard_ItemFromJson(const yaaf::XGJson& json, CVornItem* itemP, std::string& errorZ);
yaaf::XGJson VornBoard_PrefsToJson(const Vorn_PrefsRec& prefs);
bool VornBoard_PrefsFromJson(const yaaf::XGJson& json, TVornModel& board, std::string& errorZ);
