#pragma once
// Planted for the layer check: base must not see the wiring above it.
#include "app/Companion.h"
