#pragma once

#include "property_block.h"

#include <vector>

// The window block of a small fixed window with a close box.
std::vector<Record> dialogWindowRecords(int width, int height, const char *title);
// An "OK" button's block, as both small windows have one.
std::vector<Record> okButtonRecords(int left, int top, int width, int height, int tabIndex);
