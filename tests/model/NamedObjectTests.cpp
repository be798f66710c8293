#include "ModelTestSupport.h"

#include "model/FlashEditorLayer.h"
#include "model/FlashHollowShape.h"

#include <gtest/gtest.h>
#include <string>

namespace {
int SerialOf(const std::string& name, const std::string& prefix)
{
    EXPECT_EQ(0u, name.find(prefix)) << name;
    return std::stoi(name.substr(prefix.size()));
}
}

TEST(NamedObject, ConsecutiveObjectsTakeConsecutiveIdentifiersAndCopiesKeepThem)
{
    CFlashHollowShape first(nullptr);
    CFlashHollowShape second(nullptr);
    EXPECT_EQ(first.GetObjectId() + 1, second.GetObjectId());
    EXPECT_EQ(second.GetObjectId() + 1, CNamedObject::GetObjectIdCounter());

    CFlashEditorLayer layer(nullptr);
    const std::string name = layer.GetName();
    const CNamedObject& base = layer;
    struct CCopy : CNamedObject {
        explicit CCopy(const CNamedObject& source) : CNamedObject(source) {}
        void InitNamePrefix() override {}
        int NextSerialNumber() override { return 0; }
    } copy(base);
    EXPECT_EQ(layer.GetObjectId(), copy.GetObjectId());
    EXPECT_EQ(name, copy.GetName());
}

TEST(NamedObject, NamesAreBuiltOnceFromSeparateShapeAndLayerSerials)
{
    CFlashHollowShape shape(nullptr);
    CFlashHollowShape other(nullptr);
    CFlashEditorLayer layer(nullptr);

    const int shapeSerial = SerialOf(shape.GetName(), "Shape");
    EXPECT_EQ(shape.GetName(), shape.GetName());
    const int layerSerial = SerialOf(layer.GetName(), "Layer");
    // Serials follow the order in which names are first asked for, per family.
    EXPECT_EQ(shapeSerial + 1, SerialOf(other.GetName(), "Shape"));
    CFlashEditorLayer nextLayer(nullptr);
    EXPECT_EQ(layerSerial + 1, SerialOf(nextLayer.GetName(), "Layer"));
}

TEST(NamedObject, EmptyNameIsRebuiltWithANewSerial)
{
    CFlashHollowShape shape(nullptr);
    const int serial = SerialOf(shape.GetName(), "Shape");
    shape.SetName("Custom");
    EXPECT_EQ("Custom", shape.GetName());
    shape.SetName("");
    EXPECT_GT(SerialOf(shape.GetName(), "Shape"), serial);
}

TEST(NamedObject, StoredCounterRaisesButNeverLowersTheIdentifierCounter)
{
    const int current = CNamedObject::GetObjectIdCounter();
    CNamedObject::RaiseObjectIdCounter(current - 1);
    EXPECT_EQ(current, CNamedObject::GetObjectIdCounter());

    CNamedObject::RaiseObjectIdCounter(current + 500);
    EXPECT_EQ(current + 500, CNamedObject::GetObjectIdCounter());
    CFlashHollowShape next(nullptr);
    EXPECT_EQ(current + 500, next.GetObjectId());

    // An older document opened later keeps the numbering of the newer one.
    CNamedObject::RaiseObjectIdCounter(1);
    CFlashHollowShape after(nullptr);
    EXPECT_EQ(current + 501, after.GetObjectId());
}

TEST(NamedObject, TakeObjectIdAdvancesTheCounter)
{
    const int current = CNamedObject::GetObjectIdCounter();
    EXPECT_EQ(current, CNamedObject::TakeObjectId());
    EXPECT_EQ(current + 1, CNamedObject::GetObjectIdCounter());
}
