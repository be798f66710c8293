#include "model/UndoStep.h"

CUndoStep::CUndoStep(const std::string& name, CUndoEvent* event, bool hasSnapshot)
    : m_strName(name), m_pEvent(event), m_bHasSnapshot(hasSnapshot)
{
}

std::unique_ptr<std::istream> CUndoStep::OpenSnapshot() const
{
    return std::make_unique<std::istringstream>(m_snapshot.str());
}

std::size_t CUndoStep::GetSnapshotSize() const
{
    // The put position, without copying the text.
    const auto end = m_snapshot.rdbuf()->pubseekoff(0, std::ios_base::cur, std::ios_base::out);
    return end < 0 ? 0 : std::size_t(end);
}
