#pragma once

#include "property_block.h"

#include <QByteArray>

#include <array>
#include <vector>

// One row of the main window's layout: a control's design values as the
// design table gives them. Positions are in window coordinates, also for a
// control inside a round rectangle.
struct ControlRow
{
    const char *name;
    const char *cls;  // "PopupMenu", ..., "Window1.Timer1" for a timer
    int left, top, width, height;
    const char *text; // a label's Text, a button's or check box's Caption
    bool enabled, visible;
    const char *parent; // InitialParent; nullptr: no record at all
    int tab;
    double textSize;    // 0: none set in code
    const char *style;  // "align1 bold underline multiline color=RRGGBB border=RRGGBB"
    const char *events; // "Open Change", "Action", "MouseDown"
};

constexpr int kWindow1ControlCount = 88;
const std::array<ControlRow, kWindow1ControlCount> &window1Layout();

bool isTimerRow(const ControlRow &row);
// The design records of one control, in its class's record order.
std::vector<Record> window1ControlRecords(const ControlRow &row);
// The encoded property block of the control in layout row `index`.
const QByteArray &window1ControlBlock(int index);
// The main window's own block.
const QByteArray &window1Block();
// The contact address that the contact label shows and mails to.
extern const char *const kContactAddress;
