#include "platform/gdiplus/GdiPlus.h"

#include <gtest/gtest.h>

#include <memory>

using Gdiplus::Matrix;
using Gdiplus::Point;
using Gdiplus::PointF;
using Gdiplus::REAL;

namespace {

void ExpectElements(const Matrix& matrix, const REAL (&expected)[6])
{
    REAL elements[6] = {};
    ASSERT_EQ(Gdiplus::Ok, matrix.GetElements(elements));
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(expected[i], elements[i], 1e-4) << "element " << i;
}

} // namespace

TEST(Matrix, IntegerPointsAreRoundedToTheNearestInteger)
{
    const struct {
        REAL scale;
        Point in;
        Point out;
    } cases[] = {
        {0.5f, Point(3, 5), Point(2, 3)},    // 1.5, 2.5 round up
        {0.3f, Point(4, 6), Point(1, 2)},    // 1.2, 1.8
        {0.5f, Point(-3, -1), Point(-1, 0)}, // -1.5, -0.5 round up
        {1.0f, Point(7, -7), Point(7, -7)},
    };
    for (const auto& c : cases) {
        const Matrix matrix(c.scale, 0.0f, 0.0f, c.scale, 0.0f, 0.0f);
        Point point = c.in;
        ASSERT_EQ(Gdiplus::Ok, matrix.TransformPoints(&point));
        EXPECT_EQ(c.out.X, point.X) << "scale " << c.scale << " of " << c.in.X;
        EXPECT_EQ(c.out.Y, point.Y) << "scale " << c.scale << " of " << c.in.Y;
    }
}

TEST(Matrix, PointsGetTheOffsetAndVectorsDoNot)
{
    const Matrix matrix(2.0f, 0.0f, 0.0f, 3.0f, 10.0f, 20.0f);
    PointF points[] = {PointF(1.0f, 1.0f), PointF(-1.0f, 2.0f)};
    ASSERT_EQ(Gdiplus::Ok, matrix.TransformPoints(points, 2));
    EXPECT_FLOAT_EQ(12.0f, points[0].X);
    EXPECT_FLOAT_EQ(23.0f, points[0].Y);
    EXPECT_FLOAT_EQ(8.0f, points[1].X);
    EXPECT_FLOAT_EQ(26.0f, points[1].Y);
    PointF vector(1.0f, 1.0f);
    ASSERT_EQ(Gdiplus::Ok, matrix.TransformVectors(&vector));
    EXPECT_FLOAT_EQ(2.0f, vector.X);
    EXPECT_FLOAT_EQ(3.0f, vector.Y);
    Point integerVector(1, 1);
    ASSERT_EQ(Gdiplus::Ok, matrix.TransformVectors(&integerVector));
    EXPECT_EQ(2, integerVector.X);
    EXPECT_EQ(3, integerVector.Y);
}

TEST(Matrix, OperationsComposeOnTheRequestedSide)
{
    const struct {
        const char* name;
        void (*apply)(Matrix&);
        REAL expected[6];
    } cases[] = {
        {"translate prepended scales the offset", [](Matrix& m) { m.Translate(1.0f, 2.0f); }, {2, 0, 0, 2, 2, 4}},
        {"translate appended keeps it", [](Matrix& m) { m.Translate(1.0f, 2.0f, Gdiplus::MatrixOrderAppend); },
         {2, 0, 0, 2, 1, 2}},
        {"scale appended scales the offset",
         [](Matrix& m) {
             m.Translate(1.0f, 1.0f, Gdiplus::MatrixOrderAppend);
             m.Scale(3.0f, 4.0f, Gdiplus::MatrixOrderAppend);
         },
         {6, 0, 0, 8, 3, 4}},
        {"rotate by 90 degrees", [](Matrix& m) { m.Rotate(90.0f); }, {0, 2, -2, 0, 0, 0}},
        {"shear", [](Matrix& m) { m.Shear(1.0f, 0.0f); }, {2, 0, 2, 2, 0, 0}},
        {"multiply appended",
         [](Matrix& m) {
             const Matrix offset(1.0f, 0.0f, 0.0f, 1.0f, 5.0f, 6.0f);
             m.Multiply(&offset, Gdiplus::MatrixOrderAppend);
         },
         {2, 0, 0, 2, 5, 6}},
        {"set elements", [](Matrix& m) { m.SetElements(1, 2, 3, 4, 5, 6); }, {1, 2, 3, 4, 5, 6}},
        {"reset", [](Matrix& m) { m.Reset(); }, {1, 0, 0, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Matrix matrix(2.0f, 0.0f, 0.0f, 2.0f, 0.0f, 0.0f);
        c.apply(matrix);
        ExpectElements(matrix, c.expected);
    }
}

TEST(Matrix, RotateAtKeepsTheCentreFixed)
{
    for (const auto order : {Gdiplus::MatrixOrderPrepend, Gdiplus::MatrixOrderAppend}) {
        Matrix matrix;
        matrix.RotateAt(90.0f, PointF(10.0f, 10.0f), order);
        PointF points[] = {PointF(10.0f, 10.0f), PointF(20.0f, 10.0f)};
        matrix.TransformPoints(points, 2);
        EXPECT_NEAR(10.0f, points[0].X, 1e-4);
        EXPECT_NEAR(10.0f, points[0].Y, 1e-4);
        EXPECT_NEAR(10.0f, points[1].X, 1e-4);
        EXPECT_NEAR(20.0f, points[1].Y, 1e-4);
    }
}

TEST(Matrix, InvertIdentityAndEquality)
{
    Matrix matrix(2.0f, 0.0f, 0.0f, 4.0f, 6.0f, 8.0f);
    EXPECT_FALSE(matrix.IsIdentity());
    EXPECT_TRUE(matrix.IsInvertible());
    EXPECT_FLOAT_EQ(6.0f, matrix.OffsetX());
    EXPECT_FLOAT_EQ(8.0f, matrix.OffsetY());
    ASSERT_EQ(Gdiplus::Ok, matrix.Invert());
    ExpectElements(matrix, {0.5f, 0, 0, 0.25f, -3, -2});
    matrix.Invert();
    EXPECT_TRUE(matrix.Equals(std::unique_ptr<Matrix>(matrix.Clone()).get()));
    EXPECT_FALSE(matrix.Equals(std::make_unique<Matrix>().get()));
    EXPECT_TRUE(Matrix().IsIdentity());

    Matrix singular(1.0f, 2.0f, 2.0f, 4.0f, 0.0f, 0.0f);
    EXPECT_FALSE(singular.IsInvertible());
    EXPECT_NE(Gdiplus::Ok, singular.Invert());
    EXPECT_NE(Gdiplus::Ok, singular.GetLastStatus());
    EXPECT_EQ(Gdiplus::Ok, singular.GetLastStatus()) << "the query clears the status";
}

TEST(Matrix, MapsARectangleOntoAParallelogram)
{
    const PointF corners[] = {PointF(10.0f, 20.0f), PointF(30.0f, 20.0f), PointF(10.0f, 60.0f)};
    const Matrix matrix(Gdiplus::RectF(0.0f, 0.0f, 1.0f, 1.0f), corners);
    ASSERT_EQ(Gdiplus::Ok, matrix.GetLastStatus());
    ExpectElements(matrix, {20, 0, 0, 40, 10, 20});
}

TEST(Matrix, CloneIsIndependent)
{
    Matrix matrix(1.0f, 0.0f, 0.0f, 1.0f, 3.0f, 4.0f);
    std::unique_ptr<Matrix> clone(matrix.Clone());
    clone->Translate(10.0f, 10.0f);
    EXPECT_FLOAT_EQ(3.0f, matrix.OffsetX());
    EXPECT_FLOAT_EQ(13.0f, clone->OffsetX());
}
