// Closing the running product: one WM_CLOSE posted to its window, which is
// only asked, not destroyed.
#include <gtest/gtest.h>

#include "product_window.h"
#include "stand_in_window.h"

namespace {

TEST(CloseRunningProduct, PostsOneCloseToTheProductWindow)
{
    EXPECT_EQ(1, CloseRunningProduct()) << "no window: still success";

    ProductWindow product;
    ASSERT_TRUE(product.Handle() != NULL);
    int before = product.Closes();

    EXPECT_EQ(1, CloseRunningProduct());
    EXPECT_EQ(before, product.ClosesSoFar()) << "posted, not sent";
    EXPECT_EQ(before + 1, product.Closes());
    EXPECT_TRUE(IsWindow(product.Handle())) << "the window is only asked, not destroyed";
}

}  // namespace
