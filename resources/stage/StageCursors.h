#pragma once
// Cursor resources of the stage view.
#define IDC_STAGE_DEFAULT 133
#define IDC_STAGE_OVER_SHAPE 136
