#pragma once
// Planted for the layer check: only the window may include Qt.
#include <QString>
