#pragma once

#include <array>

// The classes whose objects a fuzzed block is applied to. The first byte of
// an input picks one (modulo the count); the rest of the input is the block.
constexpr std::array<const char *, 10> kFuzzClasses = {
    "Window",   "PopupMenu", "CheckBox", "PushButton",     "Label",
    "TextField", "TextArea", "Listbox",  "RoundRectangle", "Window1.Timer1",
};
