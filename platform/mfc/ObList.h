#pragma once
// A list of objects, archived as objects with their run-time classes; it does not own them.
#include "platform/mfc/List.h"

class CObList : public CList<CObject*, CObject*>
{
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList<CObject*, CObject*>(nBlockSize) {}

    void Serialize(CArchive& ar) override;
};
