#pragma once
// Asks for a size in pixels (a picture to be made): two numbers with their limits. Tests answer
// it through a responder, as the other modal questions.

#include "XGTypes.h"

#include <functional>
#include <string>

namespace yaaf {

// Shows the question with width and height as proposed; true with the chosen size, false when
// cancelled (or when nothing can be shown and no responder answers).
bool XGAskSize(const std::string& title, int32& width, int32& height, int32 maxSide);

// Answers instead of the dialog: gets the proposed size, answers false for Cancel. An empty
// function removes it.
using XGSizeResponder = std::function<bool(const std::string& title, int32& width, int32& height)>;
XGSizeResponder XGSetSizeResponder(XGSizeResponder responder);

} // namespace yaaf
