#pragma once
// Includes down the layers are allowed.
#include "base/AppValues.h"
