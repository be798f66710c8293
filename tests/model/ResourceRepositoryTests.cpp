#include "ModelTestSupport.h"

#include "model/FlashEditorFrame.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashResourceRepository.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {
class RepositoryFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_owner.m_pLayer = &m_layer;
        m_repository.SetOwnerDocument(&m_owner);
    }

    CTestLayerOwner m_owner;
    CFlashEditorLayer m_layer{&m_owner};
    CFlashResourceRepository m_repository;
};
}

TEST_F(RepositoryFixture, ShapeJoinsTheCurrentLayerAndIsListed)
{
    CFlashSolidShape* shape = MakeSolidRect(0, 0, 10, 10, kOpaqueRed);
    ASSERT_TRUE(m_repository.AddShape(shape));
    EXPECT_TRUE(m_layer.ContainsShape(shape));
    ASSERT_EQ(1u, m_repository.GetResources().size());

    // Already held: neither added nor listed again.
    EXPECT_TRUE(m_repository.AddShape(shape));
    EXPECT_EQ(1u, m_layer.GetCurrentSpan()->GetTransformRange().size());
    EXPECT_EQ(1u, m_repository.GetResources().size());
}

TEST_F(RepositoryFixture, RefusedShapeStaysWithTheCallerAndIsNotListed)
{
    const std::unique_ptr<CFlashSolidShape> shape(MakeSolidRect(0, 0, 10, 10, kOpaqueRed));
    m_layer.SetLocked(true);
    EXPECT_FALSE(m_repository.AddShape(shape.get()));
    m_layer.SetLocked(false);
    m_layer.SetCurrentFrame(3);
    EXPECT_FALSE(m_repository.AddShape(shape.get())) << "no span at the current frame";
    m_owner.m_pLayer = nullptr;
    EXPECT_FALSE(m_repository.AddShape(shape.get())) << "no current layer";
    EXPECT_TRUE(m_repository.GetResources().empty());
    EXPECT_FALSE(m_layer.ContainsShape(shape.get()));
}

TEST_F(RepositoryFixture, RemovedShapeLeavesSpanAndListUnlessTheLayerIsLocked)
{
    CFlashSolidShape* shape = MakeSolidRect(0, 0, 10, 10, kOpaqueRed);
    ASSERT_TRUE(m_repository.AddShape(shape));
    m_layer.SetLocked(true);
    EXPECT_EQ(nullptr, m_repository.RemoveShape(shape));
    EXPECT_TRUE(m_layer.ContainsShape(shape));
    m_layer.SetLocked(false);
    const std::unique_ptr<CFlashShape> removed = m_repository.RemoveShape(shape);
    EXPECT_EQ(shape, removed.get());
    EXPECT_FALSE(m_layer.ContainsShape(shape));
    EXPECT_TRUE(m_repository.GetResources().empty());
}

TEST_F(RepositoryFixture, ClearReleasesStylesWhileTheListingFollowsTheSpans)
{
    CFlashSolidShape* shape = MakeSolidRect(0, 0, 10, 10, kOpaqueRed);
    ASSERT_TRUE(m_repository.AddShape(shape));
    m_repository.AddPen(new Gdiplus::Pen(Gdiplus::Color(kOpaqueRed), 1.0f));
    m_repository.AddBrush(new Gdiplus::SolidBrush(Gdiplus::Color(kOpaqueBlue)));
    EXPECT_EQ(1u, m_repository.GetPens().size());
    m_repository.Clear();
    EXPECT_TRUE(m_repository.GetPens().empty());
    EXPECT_TRUE(m_repository.GetBrushes().empty());
    EXPECT_FALSE(m_layer.GetCurrentSpan()->IsEmpty()) << "shapes belong to their spans";
    EXPECT_EQ(std::vector<CFlashResource*>{shape}, m_repository.GetResources());
}
