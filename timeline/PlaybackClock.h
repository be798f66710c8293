#pragma once
// When playback shows its frames: one after another at the document's rate. A frame shown late
// (a slow redraw, a busy machine) delays the frames after it; none is ever skipped.
#include <windows.h>

class CPlaybackClock
{
public:
    // Playback shows firstFrame at now.
    void Start(int firstFrame, DWORD now, int frameRate);
    // The frame to show at now: the next one once its time has come, else the one shown. One
    // frame at most per call, however late the call comes.
    int Advance(DWORD now);
    int Frame() const { return m_nFrame; }

private:
    // Milliseconds from the anchor to the frame that many frames after the anchor's frame,
    // exact over any length: a whole-millisecond period would run fast (60 fps as 16 ms is 4%).
    DWORD DueAfter(int frames) const;

    DWORD m_dwAnchorTick = 0;
    int m_nFramesSinceAnchor = 0;
    int m_nFrame = 0;
    int m_nFrameRate = 1;
};
