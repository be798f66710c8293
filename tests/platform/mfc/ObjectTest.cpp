#include "platform/mfc/Afx.h"

#include <gtest/gtest.h>
#include <memory>

namespace
{
class CShapeBase : public CObject
{
    DECLARE_DYNAMIC(CShapeBase)
};
IMPLEMENT_DYNAMIC(CShapeBase, CObject)

class CCircle : public CShapeBase
{
    DECLARE_DYNCREATE(CCircle)
public:
    int m_nRadius = 5;
};
IMPLEMENT_DYNCREATE(CCircle, CShapeBase)

class CSquare : public CShapeBase
{
    DECLARE_SERIAL(CSquare)
};
IMPLEMENT_SERIAL(CSquare, CShapeBase, 3)
}

TEST(RuntimeClass, IsKindOfFollowsTheBaseChainOnly)
{
    CCircle circle;
    CSquare square;
    struct Case
    {
        const CObject* object;
        CRuntimeClass* queried;
        bool expected;
    } const cases[] = {
        {&circle, RUNTIME_CLASS(CCircle), true},
        {&circle, RUNTIME_CLASS(CShapeBase), true},
        {&circle, RUNTIME_CLASS(CObject), true},
        {&circle, RUNTIME_CLASS(CSquare), false},
        {&square, RUNTIME_CLASS(CCircle), false},
        {&square, RUNTIME_CLASS(CShapeBase), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.object->IsKindOf(c.queried) != FALSE) << c.queried->m_lpszClassName;
}

TEST(RuntimeClass, DescribesNameSchemaAndFactory)
{
    EXPECT_STREQ("CCircle", RUNTIME_CLASS(CCircle)->m_lpszClassName);
    EXPECT_EQ(static_cast<int>(sizeof(CCircle)), RUNTIME_CLASS(CCircle)->m_nObjectSize);
    EXPECT_EQ(RUNTIME_CLASS(CShapeBase), RUNTIME_CLASS(CCircle)->m_pBaseClass);
    EXPECT_EQ(3u, RUNTIME_CLASS(CSquare)->m_wSchema);
    EXPECT_EQ(0xFFFFu, RUNTIME_CLASS(CCircle)->m_wSchema);
    EXPECT_TRUE(CSquare().IsSerializable());
    EXPECT_FALSE(CCircle().IsSerializable());
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShapeBase)->CreateObject());
}

TEST(RuntimeClass, CreatesObjectsFoundByName)
{
    CRuntimeClass* pClass = CRuntimeClass::FromName("CCircle");
    ASSERT_EQ(RUNTIME_CLASS(CCircle), pClass);
    std::unique_ptr<CObject> object(pClass->CreateObject());
    ASSERT_NE(nullptr, object);
    EXPECT_EQ(RUNTIME_CLASS(CCircle), object->GetRuntimeClass());
    EXPECT_EQ(5, static_cast<CCircle*>(object.get())->m_nRadius);
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CNoSuchClass"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(nullptr));
}

TEST(RuntimeClass, DynamicDownCastChecksTheClass)
{
    CCircle circle;
    CObject* object = &circle;
    EXPECT_EQ(&circle, DYNAMIC_DOWNCAST(CShapeBase, object));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CSquare, object));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CCircle, static_cast<CObject*>(nullptr)));
}
