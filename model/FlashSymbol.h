#pragma once
#include "model/EmptyOnCopy.h"
#include "model/FlashShape.h"

#include <string>

// A library item that groups shapes; it never draws and is never hit.
class CFlashSymbol : public CFlashShape {
public:
    CFlashSymbol() = default;

    // The symbol's own name ("Test" at creation), distinct from the object name.
    const std::string& GetSymbolName() const { return m_strSymbolName; }
    void SetSymbolName(const std::string& name) { m_strSymbolName = name; }
    // The grouped shapes; not owned.
    std::vector<CFlashShape*>& GetMembers() { return m_members; }
    const std::vector<CFlashShape*>& GetMembers() const { return m_members; }

    void Draw(Gdiplus::Graphics&, int, int, double, const CFlashEditorFrameShapeTransform*) override {}
    bool HitTest(HDC, double, const POINT&, const CFlashEditorFrameShapeTransform*) override { return false; }
    // Copies share the member pointers; they own none of them.
    CFlashShape* Duplicate() const override;
    bool IsClosed() const override { return false; }

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()

    CFlashSymbol(const CFlashSymbol&) = default;

    std::string m_strSymbolName = "Test";
    std::vector<CFlashShape*> m_members;
    // The members read from an archive: nothing else holds them, and a copy does not own them.
    CEmptyOnCopy<std::vector<std::unique_ptr<CFlashShape>>> m_loadedMembers;
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashSymbol)
