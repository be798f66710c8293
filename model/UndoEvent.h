#pragma once

class CUndoStep;

// Told before and after the step it is attached to is undone or redone (the timeline rebuilds
// its rows around layer insertions and removals this way). Each operation does nothing unless
// overridden. Steps do not own their events.
class CUndoEvent {
public:
    virtual void OnBeforeUndo(CUndoStep* step);
    virtual void OnBeforeRedo(CUndoStep* step);
    virtual void OnAfterUndo(CUndoStep* step);
    virtual void OnAfterRedo(CUndoStep* step);

protected:
    ~CUndoEvent() = default;
};

inline void CUndoEvent::OnBeforeUndo(CUndoStep*) {}
inline void CUndoEvent::OnBeforeRedo(CUndoStep*) {}
inline void CUndoEvent::OnAfterUndo(CUndoStep*) {}
inline void CUndoEvent::OnAfterRedo(CUndoStep*) {}
