#pragma once
// Base of the framework's classes: run-time class information and serialization hook.
#include <windows.h>

#include <new>

class CObject;
class CArchive;

// Describes one class at run time: its name, size, schema, base and optional factory.
struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                       // 0xFFFF for classes that cannot be archived
    CObject* (*m_pfnCreateObject)();      // null unless dynamically creatable
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass;          // chain of registered classes

    // A new object of this class, or null when the class has no factory or allocation fails.
    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    // The registered class of that name, or null.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
};

// Adds a run-time class to the chain FromName searches; instantiated by IMPLEMENT_ macros.
struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    virtual void Serialize(CArchive& ar);

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;

    static CRuntimeClass classCObject;

protected:
    CObject() = default;

private:
    // Objects of the framework are not copied unless a class says so.
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name) \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, static_cast<int>(sizeof(class_name)), wSchema, pfnNew, \
        RUNTIME_CLASS(base_class_name), nullptr}; \
    static AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name)); \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() { return new (std::nothrow) class_name; } \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
    CObject* class_name::CreateObject() { return new (std::nothrow) class_name; } \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    [[maybe_unused]] CArchive& operator>>(CArchive& ar, class_name*& pOb) \
    { \
        pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name))); \
        return ar; \
    }

// A checked downcast: null when the object is not of that class (or is null).
#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object)))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
