#include "dialog_blocks.h"

#include <climits>

std::vector<Record> dialogWindowRecords(int width, int height, const char *title)
{
    return {{"Placement", 0},         {"Width", width},         {"Height", height},       {"MinWidth", 64},
            {"MinHeight", 64},        {"MaxWidth", 32000},      {"MaxHeight", 32000},     {"Frame", 0},
            {"Composite", false},     {"HasBackColor", false},  {"BackColor", RGB(255, 255, 255)},
            {"Title", title},         {"Visible", true},        {"FullScreen", false},    {"MenuBarVisible", true},
            {"CloseButton", true},    {"Resizeable", false},    {"LiveResize", false},    {"MaximizeButton", false},
            {"MinimizeButton", true}, {"MacProcID", 0}};
}

std::vector<Record> okButtonRecords(int left, int top, int width, int height, int tabIndex)
{
    return {{"Name", "PushButton1"}, {"Index", INT_MIN},     {"Left", left},        {"Top", top},
            {"Width", width},        {"Height", height},     {"LockLeft", true},    {"LockTop", true},
            {"LockRight", false},    {"LockBottom", false},  {"TabPanelIndex", 0},  {"TabIndex", tabIndex},
            {"TabStop", true},       {"Caption", "OK"},      {"Default", false},    {"Cancel", false},
            {"Enabled", true},       {"Visible", true},      {"HelpTag", ""},       {"AutoDeactivate", true},
            {"ButtonStyle", 6},      {"TextFont", "System"}, {"Bold", false},       {"Italic", false},
            {"Underline", false},    {"InitialParent", ""}};
}
