// The accessory pictures 101–137. The QApplication of this executable is made by the
// environment in pictures_test.cpp.
#include "pictures/accpictures.h"
#include "reports/accessories.h"

#include <QColor>
#include <gtest/gtest.h>

#include <vector>

using unctora::pictures::accessoryImage;
using unctora::pictures::accessoryPicture;
using unctora::pictures::accessoryPictureSize;

namespace {

TEST(AccessoryPictures, EveryAccessoryHasA200By200Picture) {
    for (int i = 0; i < unctora::reports::kAccessoryCount; ++i) {
        const int n = unctora::reports::accessoryPictureNumber(i);
        SCOPED_TRACE(n);
        EXPECT_EQ(accessoryPictureSize(n), QSize(200, 200));
        const QPixmap single = accessoryPicture(n);
        ASSERT_FALSE(single.isNull());
        EXPECT_EQ(single.size(), QSize(200, 200));
        const QPixmap twice = accessoryPicture(n, 2);
        ASSERT_FALSE(twice.isNull());
        EXPECT_EQ(twice.size(), QSize(400, 400));
        EXPECT_EQ(twice.deviceIndependentSize().toSize(), QSize(200, 200));
    }
}

TEST(AccessoryPictures, NumbersOutsideTheCatalogueHaveNone) {
    for (int n : {-1, 0, 1, 41, 100, 138, 200}) {
        SCOPED_TRACE(n);
        EXPECT_TRUE(accessoryPicture(n).isNull());
        EXPECT_TRUE(accessoryImage(n).isNull());
        EXPECT_TRUE(accessoryPictureSize(n).isEmpty());
    }
}

// Each picture shows its part: a good share of the middle is drawn in colours the light
// backdrop does not have, and no two accessories share a picture.
TEST(AccessoryPictures, EachShowsItsOwnPart) {
    std::vector<QImage> images;
    for (int n = 101; n <= 137; ++n) {
        const QImage image = accessoryImage(n);
        int drawn = 0;
        for (int y = 40; y < 160; y += 2)
            for (int x = 40; x < 160; x += 2)
                if (QColor(image.pixel(x, y)).lightness() < 190) ++drawn;
        EXPECT_GT(drawn, 60 * 60 / 10) << "picture " << n << " is nearly empty";
        images.push_back(image);
    }
    for (std::size_t a = 0; a < images.size(); ++a)
        for (std::size_t b = a + 1; b < images.size(); ++b)
            EXPECT_NE(images[a], images[b]) << "pictures " << 101 + a << " and " << 101 + b;
}

} // namespace
