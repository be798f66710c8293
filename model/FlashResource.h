#pragma once
#include "model/ArchiveRecord.h"
#include "model/NamedObject.h"

class CFlashEditorFrame;

// Display states of a resource.
constexpr int kResourceStateNormal = 1;
constexpr int kResourceStateSelected = 2; // drawn with a selection frame
constexpr int kResourceStateHidden = 3;   // never drawn, never hit

// A named drawable object with a display state and the frame span that holds it.
class CFlashResource : public CNamedObject {
public:
    CFlashResource() = default;
    ~CFlashResource() override = default;

    int GetState() const { return m_nState; }
    void SetState(int state) { m_nState = state; }

    unsigned GetResourceTag() const { return m_nResourceTag; }
    void SetResourceTag(unsigned tag) { m_nResourceTag = tag; }

    // The span the document added the object to; null until then.
    CFlashEditorFrame* GetOwningSpan() const { return m_pOwningSpan; }
    void SetOwningSpan(CFlashEditorFrame* span) { m_pOwningSpan = span; }

protected:
    CFlashResource(const CFlashResource&) = default;

    int m_nState = kResourceStateNormal;
    unsigned m_nResourceTag = 0;
    CFlashEditorFrame* m_pOwningSpan = nullptr;

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashResource)
