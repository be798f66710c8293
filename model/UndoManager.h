#pragma once
#include "platform/mfc/Object.h"

#include <list>
#include <memory>
#include <string>

class CFlashEditorDoc;
class CUndoEvent;
class CUndoStep;

// A document's history. Every edit ends with a step holding a snapshot of the whole document;
// undo and redo empty the document and read the neighbouring snapshot back. The first step is
// the base state: it is never undone itself, undoing the second step restores it.
class CUndoManager : public CObject {
public:
    CUndoManager();
    ~CUndoManager() override;

    CFlashEditorDoc* GetOwner() const { return m_pOwner; }
    void SetOwner(CFlashEditorDoc* document) { m_pOwner = document; }

    // Records the document as it stands now under the name; steps that were undone are dropped.
    // The event is told around this step's undo and redo. Marks the document modified. Returns
    // false, with the history unchanged, when the snapshot could not be written.
    bool AddUndoStep(const std::string& name, CUndoEvent* event, bool hasSnapshot);
    // Drops the whole history and records the document's base state (an unnamed step), so that
    // the first edit of a document just created or opened can be undone. The modified flag is
    // not touched.
    bool ResetHistory();

    // At least two steps before the position: the base state is never undone.
    bool CanUndo() const;
    bool CanRedo() const;
    // Each returns false when there is nothing to undo or redo, or when the snapshot to restore
    // is missing or cannot be read; the document is then as it was before the call and the
    // position does not move.
    bool Undo();
    bool Redo();

    // The name of the step that Undo (Redo) would take back (replay), appended when there is one.
    void AppendUndoName(std::string& text) const;
    void AppendRedoName(std::string& text) const;
    // The texts of the Undo and Redo menu items: "&Undo " and the name, or "Can't Undo"
    // ("&Redo " and the name, or "Can't Redo") when there is no name.
    std::string GetUndoMenuText() const;
    std::string GetRedoMenuText() const;

    int GetStepCount() const { return int(m_steps.size()); }
    // The most recently recorded step, or null.
    const CUndoStep* GetLastStep() const;

private:
    using StepList = std::list<std::unique_ptr<CUndoStep>>;

    // Appends a step with the document's snapshot after dropping the steps from the position on.
    bool RecordStep(const std::string& name, CUndoEvent* event, bool hasSnapshot);
    // Reads the step's snapshot into the owner; false, with the owner unchanged, when the step
    // holds none or it cannot be read.
    bool Restore(const CUndoStep& step);

    StepList m_steps;
    // One past the last applied step.
    StepList::iterator m_position;
    CFlashEditorDoc* m_pOwner = nullptr;
};
