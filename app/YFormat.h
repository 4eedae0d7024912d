#pragma once
// The template formatter, as the application's code names it.

#include "XGFormat.h"

using yaaf::vyformat;
using yaaf::yformat;
using yaaf::yformatted;
