#pragma once

#include "model/tablelayout.h"

#include <QFont>

// The window's design: where each control stands, in pixels for an 11-pixel "MS Sans
// Serif", and the font it is drawn with. The window scales the design to the font it
// gets; vorn-same-widgets shows it as it stands.
namespace vorn::design {

struct Box
{
    int x, y, w, h;
};

inline constexpr Box GroupBoxRect{0, 0, 387, 310};
inline constexpr int FieldWidth = 57;
inline constexpr int FieldHeight = 21;
inline constexpr int LabelHeight = 13;
inline constexpr int FirstRowTop = 26;
inline constexpr int RowPitch = 24;
inline constexpr int LabelDrop = 4; // a name label's top below its field's
inline constexpr int SlotsInLeftColumn = 9;

/// The row of slot 1-17 within its column.
constexpr int rowOf(int slot)
{
    return slot <= SlotsInLeftColumn ? slot - 1 : slot - SlotsInLeftColumn - 1;
}

constexpr Box fieldRect(int slot)
{
    return {slot <= SlotsInLeftColumn ? 16 : 214, FirstRowTop + RowPitch * rowOf(slot), FieldWidth,
            FieldHeight};
}

/// A name label starts 64 right of its field; it may run to the next column.
constexpr Box labelRect(int slot)
{
    const Box field = fieldRect(slot);
    const int right = slot <= SlotsInLeftColumn ? fieldRect(SlotCount).x - 6 : GroupBoxRect.w - 6;
    return {field.x + 64, field.y + LabelDrop, right - field.x - 64, LabelHeight};
}

inline constexpr Box HintRect{73, 9, 308, LabelHeight};
// The check boxes may use the room up to their right-hand neighbour.
inline constexpr Box AutoselectRect{16, 249, 110, 17};
inline constexpr Box ChangeRomRect{130, 248, 129, 17};
inline constexpr Box RomLabelRect{263, 249, 33, LabelHeight};
inline constexpr Box RegionLabelRect{298, 249, 83, LabelHeight};
inline constexpr Box OpenRect{16, 272, 81, 25};
inline constexpr Box ReloadRect{104, 272, 89, 25};
inline constexpr Box SaveRect{200, 272, 89, 25};
inline constexpr Box AboutRect{296, 272, 73, 25};
inline constexpr int GroupTitleRoom = 73; // from the frame's left to the hint line

/// The pixel height of the design's characters.
inline constexpr int FontPixels = 11;

/// The first of "MS Sans Serif", "Microsoft Sans Serif" and Tahoma that the system has, else
/// its general user-interface font; 8 points, or the design's 11 pixels where the screen
/// counts fewer than 96 to the inch. Needs the application object.
QFont editorFont();

} // namespace vorn::design
