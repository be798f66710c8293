// What only the owners of a painting know. Popups, bars and tab windows belong to later layers;
// they are recognised by class name, and until they exist every answer here is the plain one.
// The layer that builds a class completes its answer here.
#include "ui/core/ExtPaintManagerArgs.h"

bool CExtDrawPushButtonArgs::IsRightToLeft() const
{
    return m_bForceRtl;
}

bool CExtDrawMenuItemArgs::IsRightToLeft() const
{
    return false;
}
