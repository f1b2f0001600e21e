#pragma once
// The code page 437 glyphs moved into the core, where the modern layout needs them too.
#include "core/Cp437.h"
