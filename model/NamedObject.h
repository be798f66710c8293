#pragma once
#include "model/ArchiveRecord.h"

#include <string>

namespace boost { namespace serialization { class access; } }

// Base of layers and drawable objects: an object identifier drawn from one process-wide counter
// (shared by all open documents) and a lazily built name ("Shape1", "Layer3", ...).
class CNamedObject {
public:
    CNamedObject();
    // A copy carries the identifier and the name of its source.
    CNamedObject(const CNamedObject&) = default;
    CNamedObject& operator=(const CNamedObject&) = default;
    virtual ~CNamedObject() = default;

    int GetObjectId() const { return m_nObjectId; }
    // Gives the object the identity of another one (a clone that stands for the same object).
    void SetObjectId(int id) { m_nObjectId = id; }

    // Builds "prefix" + serial number on first use; later calls return the stored name.
    std::string GetName();
    // An empty name is rebuilt with a new serial number on the next GetName.
    void SetName(const std::string& name) { m_strName = name; }

    // The identifier the next new object receives.
    static int GetObjectIdCounter();
    // Takes the current identifier and advances the counter (pasted shapes are numbered this way).
    static int TakeObjectId();
    // Moves the counter up to a stored value, never down: a document opened or a snapshot read
    // must not hand out identifiers that objects of another open document already carry.
    static void RaiseObjectIdCounter(int storedCounter);

protected:
    // Stores the class prefix into m_strNamePrefix.
    virtual void InitNamePrefix() = 0;
    // Returns the class-wide serial number, then increments it.
    virtual int NextSerialNumber() = 0;

    std::string m_strName;
    std::string m_strNamePrefix;
    int m_nObjectId;

private:
    friend class boost::serialization::access;
    // One routine moves the record both ways.
    template <class Archive>
    void serialize(Archive& ar, unsigned int version);
};

DECLARE_ARCHIVE_CLASS_TRAITS(CNamedObject)
