#include "timeline/PlaybackClock.h"

#include <algorithm>

namespace
{
constexpr long long MS_PER_SECOND = 1000;
}  // namespace

void CPlaybackClock::Start(int firstFrame, DWORD now, int frameRate)
{
    m_dwAnchorTick = now;
    m_nFramesSinceAnchor = 0;
    m_nFrame = firstFrame;
    m_nFrameRate = std::max(1, frameRate);
}

DWORD CPlaybackClock::DueAfter(int frames) const
{
    return DWORD((long long)frames * MS_PER_SECOND / m_nFrameRate);
}

int CPlaybackClock::Advance(DWORD now)
{
    const DWORD elapsed = now - m_dwAnchorTick;
    if (elapsed < DueAfter(m_nFramesSinceAnchor + 1))
        return m_nFrame;
    ++m_nFrame;
    ++m_nFramesSinceAnchor;
    // Already due for the frame after this one: the time lost is not made up by skipping or
    // hurrying, the rate counts again from this frame.
    if (elapsed >= DueAfter(m_nFramesSinceAnchor + 1)) {
        m_dwAnchorTick = now;
        m_nFramesSinceAnchor = 0;
    }
    return m_nFrame;
}
