#include "model/UndoManager.h"

#include "model/FlashEditorDoc.h"
#include "model/LayerViewState.h"
#include "model/UndoEvent.h"
#include "model/UndoStep.h"
#include "model/archive/DocumentIArchive.h"
#include "model/archive/DocumentOArchive.h"

#include <exception>
#include <iterator>

namespace {
constexpr char kUndoPrefix[] = "&Undo ";
constexpr char kRedoPrefix[] = "&Redo ";
constexpr char kCantUndo[] = "Can't Undo";
constexpr char kCantRedo[] = "Can't Redo";

std::string MenuText(const char* prefix, const std::string& name, const char* none)
{
    return name.empty() ? std::string(none) : prefix + name;
}
}

CUndoManager::CUndoManager() : m_position(m_steps.end())
{
}

CUndoManager::~CUndoManager() = default;

bool CUndoManager::AddUndoStep(const std::string& name, CUndoEvent* event, bool hasSnapshot)
{
    // The edit itself has happened whether or not its step can be kept.
    if (m_pOwner != nullptr)
        m_pOwner->SetModifiedFlag(TRUE);
    return RecordStep(name, event, hasSnapshot);
}

bool CUndoManager::ResetHistory()
{
    m_steps.clear();
    m_position = m_steps.end();
    // The base state is no edit: the document's modified flag stays as it is.
    return RecordStep(std::string(), nullptr, true);
}

bool CUndoManager::RecordStep(const std::string& name, CUndoEvent* event, bool hasSnapshot)
{
    try {
        auto step = std::make_unique<CUndoStep>(name, event, hasSnapshot);
        if (hasSnapshot && m_pOwner != nullptr) {
            {
                CDocumentOArchive archive(step->GetSnapshotWriter(), 0);
                m_pOwner->SaveToArchive(archive);
            }
            // The archive writes its closing line end, and passes on what it still holds, when
            // destroyed: only the stream can tell whether that reached the snapshot.
            if (!step->GetSnapshotWriter())
                return false;
        }
        m_position = m_steps.erase(m_position, m_steps.end());
        m_steps.push_back(std::move(step));
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool CUndoManager::CanUndo() const
{
    return std::distance(m_steps.begin(), StepList::const_iterator(m_position)) >= 2;
}

bool CUndoManager::CanRedo() const
{
    return m_position != m_steps.end();
}

bool CUndoManager::Undo()
{
    if (!CanUndo())
        return false;
    const auto undone = std::prev(m_position);
    CUndoStep* step = undone->get();
    CUndoEvent* event = step->GetEvent();
    if (event != nullptr)
        event->OnBeforeUndo(step);
    const bool restored = Restore(**std::prev(undone));
    if (restored)
        m_position = undone;
    // Told in either case: the document was emptied and read back, so whatever the event keeps
    // of it must be rebuilt.
    if (event != nullptr)
        event->OnAfterUndo(step);
    return restored;
}

bool CUndoManager::Redo()
{
    if (!CanRedo())
        return false;
    CUndoStep* step = m_position->get();
    CUndoEvent* event = step->GetEvent();
    if (event != nullptr)
        event->OnBeforeRedo(step);
    const bool restored = Restore(*step);
    if (restored)
        ++m_position;
    if (event != nullptr)
        event->OnAfterRedo(step);
    return restored;
}

bool CUndoManager::Restore(const CUndoStep& step)
{
    // Nothing restored is no undo: the position must not move.
    if (!step.HasSnapshot() || m_pOwner == nullptr)
        return false;
    // The document takes the snapshot's contents only once all of it has been read, so a
    // snapshot that cannot be read leaves the document as it stands.
    try {
        CDocumentIArchive archive(*step.OpenSnapshot(), 0);
        // Locks, visibility and the current layer are no edits: the step leaves them alone.
        const CLayerViewState shown(*m_pOwner);
        m_pOwner->LoadFromArchive(archive);
        shown.ApplyTo(*m_pOwner);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void CUndoManager::AppendUndoName(std::string& text) const
{
    if (CanUndo())
        text += (*std::prev(m_position))->GetName();
}

void CUndoManager::AppendRedoName(std::string& text) const
{
    if (CanRedo())
        text += (*m_position)->GetName();
}

std::string CUndoManager::GetUndoMenuText() const
{
    std::string name;
    AppendUndoName(name);
    return MenuText(kUndoPrefix, name, kCantUndo);
}

std::string CUndoManager::GetRedoMenuText() const
{
    std::string name;
    AppendRedoName(name);
    return MenuText(kRedoPrefix, name, kCantRedo);
}

const CUndoStep* CUndoManager::GetLastStep() const
{
    return m_steps.empty() ? nullptr : m_steps.back().get();
}
