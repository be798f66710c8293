#pragma once
#include "platform/gdiplus/GdiPlus.h"

// GDI+ for the lifetime of a benchmark program. A program whose session did not start says so
// and prints nothing else: a benchmark reports, it never fails.
class CBenchGdiplusSession {
public:
    CBenchGdiplusSession();
    ~CBenchGdiplusSession();
    CBenchGdiplusSession(const CBenchGdiplusSession&) = delete;
    CBenchGdiplusSession& operator=(const CBenchGdiplusSession&) = delete;

    bool Started() const { return m_token != 0; }

private:
    ULONG_PTR m_token = 0;
};
