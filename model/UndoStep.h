#pragma once
#include <istream>
#include <memory>
#include <sstream>
#include <string>

class CUndoEvent;

// One entry of a document's history: its name in the Undo and Redo menu items, an optional
// event, and the text archive of the whole document as it stood when the step was recorded.
class CUndoStep {
public:
    CUndoStep(const std::string& name, CUndoEvent* event, bool hasSnapshot);
    CUndoStep(const CUndoStep&) = delete;
    CUndoStep& operator=(const CUndoStep&) = delete;

    const std::string& GetName() const { return m_strName; }
    CUndoEvent* GetEvent() const { return m_pEvent; }
    // A step without a snapshot restores nothing.
    bool HasSnapshot() const { return m_bHasSnapshot; }

    // Where the document's archive is written when the step is recorded.
    std::ostream& GetSnapshotWriter() { return m_snapshot; }
    // A new read stream over everything written into the snapshot.
    std::unique_ptr<std::istream> OpenSnapshot() const;
    // Characters written into the snapshot.
    std::size_t GetSnapshotSize() const;

private:
    std::ostringstream m_snapshot;
    std::string m_strName;
    CUndoEvent* m_pEvent;
    bool m_bHasSnapshot;
};
