#pragma once
// The framework's binary archive: little-endian values, length-prefixed strings and tagged
// objects with their run-time classes, moved to or from a CFile. Malformed input throws
// CArchiveException; file failures throw CFileException.
#include "platform/mfc/Object.h"
#include "platform/mfc/String.h"

#include <windows.h>

#include <map>
#include <vector>

class CFile;
class CDocument;

class CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1,
        bNoFlushOnDelete = 2,
        bNoByteSwap = 4
    };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return m_bLoading; }
    BOOL IsStoring() const { return !m_bLoading; }
    CFile* GetFile() const { return m_pFile; }
    void Flush();
    void Close();
    void Abort();

    // Raw bytes: Read returns the count read (fewer at the end of the file); Write writes all.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Text lines: WriteString writes the text as it is; ReadString reads up to a line end and
    // drops the CR LF, FALSE at the end of the file.
    void WriteString(LPCSTR lpsz);
    BOOL ReadString(CString& rString);

    // Element counts: a WORD, or 0xFFFF followed by a DWORD for large ones.
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    void WriteObject(const CObject* pOb);
    // Reads an object (creating it from its run-time class); throws badClass when it is not
    // of the class asked for (null accepts any class).
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr);
    // The schema of the object being loaded, -1 (UINT) when unknown.
    UINT GetObjectSchema();

    CArchive& operator<<(BYTE by) { return WriteValue(by); }
    CArchive& operator<<(char ch) { return WriteValue(ch); }
    CArchive& operator<<(bool b) { return WriteValue(static_cast<BYTE>(b ? 1 : 0)); }
    CArchive& operator<<(WORD w) { return WriteValue(w); }
    CArchive& operator<<(short n) { return WriteValue(n); }
    // LONG and DWORD are int and unsigned int in this ABI: 32 bits either way.
    CArchive& operator<<(LONG l) { return WriteValue(l); }
    CArchive& operator<<(DWORD dw) { return WriteValue(dw); }
    CArchive& operator<<(LONGLONG n) { return WriteValue(n); }
    CArchive& operator<<(ULONGLONG n) { return WriteValue(n); }
    CArchive& operator<<(float f) { return WriteValue(f); }
    CArchive& operator<<(double d) { return WriteValue(d); }
    CArchive& operator<<(const CObject* pOb);

    CArchive& operator>>(BYTE& by) { return ReadValue(by); }
    CArchive& operator>>(char& ch) { return ReadValue(ch); }
    CArchive& operator>>(bool& b);
    CArchive& operator>>(WORD& w) { return ReadValue(w); }
    CArchive& operator>>(short& n) { return ReadValue(n); }
    CArchive& operator>>(LONG& l) { return ReadValue(l); }
    CArchive& operator>>(DWORD& dw) { return ReadValue(dw); }
    CArchive& operator>>(LONGLONG& n) { return ReadValue(n); }
    CArchive& operator>>(ULONGLONG& n) { return ReadValue(n); }
    CArchive& operator>>(float& f) { return ReadValue(f); }
    CArchive& operator>>(double& d) { return ReadValue(d); }
    CArchive& operator>>(CObject*& pOb);

    // The document being serialised, for objects that need it (null outside documents).
    CDocument* m_pDocument = nullptr;
    CString m_strFileName;

private:
    template <typename T>
    CArchive& WriteValue(T value)
    {
        Write(&value, sizeof value);
        return *this;
    }
    template <typename T>
    CArchive& ReadValue(T& value)
    {
        ReadExact(&value, sizeof value);
        return *this;
    }
    void ReadExact(void* lpBuf, UINT nCount);
    struct Tag
    {
        bool bNewClass;
        bool bClass;
        DWORD dwIndex;
    };
    void WriteTag(DWORD dwIndex, bool bClass);
    Tag ReadTag();
    CRuntimeClass* ClassFromTag(const Tag& tag, const CRuntimeClass* pClassRefRequested);
    void RequireLoading() const;
    void RequireStoring() const;

    CFile* m_pFile;
    BOOL m_bLoading;
    BOOL m_bFlushOnDelete;
    // Each stored class and object gets the next index; 0 is the null object.
    std::map<const void*, DWORD> m_storeMap;
    struct LoadedItem
    {
        CRuntimeClass* pClass;
        CObject* pObject;
    };
    std::vector<LoadedItem> m_loadArray;
    UINT m_nObjectSchema = static_cast<UINT>(-1);
};

// Strings are stored as their length (BYTE, or 0xFF then WORD, or 0xFFFF then DWORD) and bytes.
CArchive& operator<<(CArchive& ar, const CString& string);
CArchive& operator>>(CArchive& ar, CString& string);
CArchive& operator<<(CArchive& ar, SIZE size);
CArchive& operator<<(CArchive& ar, POINT point);
CArchive& operator<<(CArchive& ar, const RECT& rect);
CArchive& operator>>(CArchive& ar, SIZE& size);
CArchive& operator>>(CArchive& ar, POINT& point);
CArchive& operator>>(CArchive& ar, RECT& rect);
