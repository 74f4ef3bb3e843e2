#pragma once
// Where a text or a heads-up-display element stands relative to its anchor, as one flag word:
// 1 left, 2 right, neither centred; 4 top, 8 bottom, neither middle.
// Files and scripts give each axis as a signed alignment instead: horizontal -1 left, 0 centre,
// +1 right; vertical +1 top, 0 middle, -1 bottom. Only -1 and +1 count; any other value centres.
#include "Math/Types.h"

using AlignmentFlags = u16;

enum TextAlignmentFlag : AlignmentFlags
{
    ALIGN_CENTER = 0,
    ALIGN_LEFT = 1,
    ALIGN_RIGHT = 2,
    ALIGN_TOP = 4,
    ALIGN_BOTTOM = 8,
};

constexpr AlignmentFlags MakeAlignmentFlags(s32 horizontal, s32 vertical)
{
    AlignmentFlags flags = ALIGN_CENTER;
    if (horizontal == 1)
        flags |= ALIGN_RIGHT;
    else if (horizontal == -1)
        flags |= ALIGN_LEFT;
    if (vertical == 1)
        flags |= ALIGN_TOP;
    else if (vertical == -1)
        flags |= ALIGN_BOTTOM;
    return flags;
}

// -1, 0 or +1; left wins when both horizontal bits are set.
constexpr s32 GetHorizontalAlignment(AlignmentFlags flags)
{
    if ((flags & ALIGN_LEFT) != 0)
        return -1;
    return (flags & ALIGN_RIGHT) != 0 ? 1 : 0;
}

// -1, 0 or +1; bottom wins when both vertical bits are set.
constexpr s32 GetVerticalAlignment(AlignmentFlags flags)
{
    if ((flags & ALIGN_BOTTOM) != 0)
        return -1;
    return (flags & ALIGN_TOP) != 0 ? 1 : 0;
}

// True when the word has any of the given bits.
constexpr bool HasAlignmentFlag(AlignmentFlags flags, AlignmentFlags bits)
{
    return (flags & bits) != 0;
}
