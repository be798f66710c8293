#include "model/NamedObject.h"

#include <cstdio>

namespace {
// One user-interface thread only.
int g_nObjectIdCounter = 1;
}

CNamedObject::CNamedObject() : m_nObjectId(TakeObjectId()) {}

std::string CNamedObject::GetName()
{
    if (m_strName.empty()) {
        InitNamePrefix();
        const int serial = NextSerialNumber();
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%d", serial);
        m_strName = m_strNamePrefix + buffer;
    }
    return m_strName;
}

int CNamedObject::GetObjectIdCounter()
{
    return g_nObjectIdCounter;
}

int CNamedObject::TakeObjectId()
{
    return g_nObjectIdCounter++;
}

void CNamedObject::RaiseObjectIdCounter(int storedCounter)
{
    if (storedCounter > g_nObjectIdCounter)
        g_nObjectIdCounter = storedCounter;
}
