#include <gtest/gtest.h>

#include "platform/xbase/PageCache.h"

namespace {

using xbase::PageCache;

std::shared_ptr<xbase::cdx::Node> Page(uint32_t offset, size_t keyBytes)
{
    auto node = std::make_shared<xbase::cdx::Node>();
    node->Offset = offset;
    node->Keys.assign(keyBytes, 'k');
    return node;
}

// The cache never holds more than its limit, drops the least recently used page first, and
// keeps the pages of one owner apart from another's.
TEST(PageCacheTest, StaysWithinItsLimitDroppingTheLeastRecentlyUsed)
{
    PageCache cache;
    cache.SetLimit(size_t{1} << 20);
    const int owners[2] = {};
    for (uint32_t i = 0; i < 2000; ++i) {
        cache.Put(&owners[0], Page(i * 512, 4000));
        if (i == 1)
            cache.Put(&owners[1], Page(512, 100));
        ASSERT_LE(cache.Bytes(), cache.Limit());
        // Page 0 is used again and again, so it stays.
        ASSERT_NE(cache.Find(&owners[0], 0), nullptr) << i;
    }
    EXPECT_EQ(cache.Find(&owners[0], 512), nullptr); // old and unused: gone
    EXPECT_NE(cache.Find(&owners[0], 1999 * 512), nullptr);
    EXPECT_EQ(cache.Find(&owners[1], 1024), nullptr); // never there
    cache.DropAll(&owners[0]);
    EXPECT_EQ(cache.Find(&owners[0], 0), nullptr);
    EXPECT_EQ(cache.Find(&owners[1], 512), nullptr); // pushed out long ago by owner 0's pages
    EXPECT_EQ(cache.Bytes(), 0u);
}

} // namespace
