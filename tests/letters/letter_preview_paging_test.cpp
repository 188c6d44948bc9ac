// The preview's zoom steps, paging and page geometry.
#include <gtest/gtest.h>

#include "letters/LetterPreviewPaging.h"

namespace corvane {
namespace {

TEST(LetterPreviewPaging, ZoomSteps)
{
    LetterPreviewPaging paging;
    std::vector<int> in;
    while (paging.ZoomIn())
        in.push_back(paging.Zoom());
    EXPECT_EQ(in, (std::vector<int>{125, 156}));
    paging.SetZoom(100);
    std::vector<int> out;
    while (paging.ZoomOut())
        out.push_back(paging.Zoom());
    EXPECT_EQ(out, (std::vector<int>{75, 56, 42}));
    EXPECT_EQ(LetterPreviewPaging::FitZoom(816, 12240, 96), 100);
    EXPECT_EQ(LetterPreviewPaging::FitZoom(600, 15840, 96), 56);
}

TEST(LetterPreviewPaging, NextAndPreviousPage)
{
    LetterPreviewPaging paging;
    EXPECT_FALSE(paging.PreviousPage()) << "page 1";
    EXPECT_FALSE(paging.NextPage()) << "nothing drawn yet";
    paging.Drawn(40);
    ASSERT_TRUE(paging.NextPage());
    EXPECT_EQ(paging.PageNumber(), 2);
    EXPECT_EQ(paging.Start(), 40);
    EXPECT_EQ(paging.Caption(), "Preview Letters Page 2");
    paging.Drawn(0); // the last page
    EXPECT_FALSE(paging.NextPage());
    EXPECT_EQ(paging.PageNumber(), 2);
    ASSERT_TRUE(paging.PreviousPage());
    EXPECT_EQ(paging.Start(), 0);
    EXPECT_EQ(paging.Caption(), "Preview Letters Page 1");
    paging.Drawn(40);
    ASSERT_TRUE(paging.NextPage());
    paging.FirstPage();
    EXPECT_EQ(paging.PageNumber(), 1);
    EXPECT_EQ(paging.Start(), 0);
    EXPECT_FALSE(paging.PreviousPage());
}

TEST(LetterPreviewPaging, PageGeometryAtAZoom)
{
    LetterPreviewPaging paging;
    paging.SetZoom(50);
    PageLayoutTwips layout;
    layout.Left = 720;
    const PreviewPageGeometry geometry = paging.Geometry(layout, 96);
    EXPECT_EQ(geometry.Page, QSize(408, 528));
    EXPECT_EQ(geometry.TextArea, QRect(24, 48, 408 - 24 - 48, 528 - 96));
}

} // namespace
} // namespace corvane
