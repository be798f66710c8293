#pragma once
// Resources of the timeline view, shared by its code and TimelineResources.rc.
#define IDB_TIMELINE_ICONS 151
#define IDI_TIMELINE_BAND 148
