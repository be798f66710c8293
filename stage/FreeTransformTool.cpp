#include "stage/FreeTransformTool.h"

void CFreeTransformTool::LayoutHandles()
{
}
