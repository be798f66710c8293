#pragma once
// An empty layer between the dialog base and the window-state layer.
#include "platform/mfc/Afx.h"

template <class TBase>
class CExtADLG : public TBase
{
public:
    using TBase::TBase;
    CExtADLG() = default;
};
