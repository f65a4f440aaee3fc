// The numbered setting and lubricator pictures, drawn on the offscreen platform.
#include "desktop/environment.h"
#include "pictures/pictures.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <vector>

using unctora::pictures::settingPicture;
using unctora::pictures::settingPictureSize;

namespace {

class QtEnvironment : public testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "unctora_picture_tests";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
        AppEnvironment::initResources();
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] testing::Environment* const qtEnvironment =
    testing::AddGlobalTestEnvironment(new QtEnvironment);

struct Family {
    const char* name;
    int first, last; // the last number is the crossed-out picture, except for the lubricators
    QSize size;
};

const std::vector<Family> kFamilies = {
    {"month dial", 1, 14, {172, 120}},       {"lubricators", 49, 54, {280, 310}},
    {"rotary switch", 60, 69, {172, 120}},   {"DIP switches 120 ml", 80, 88, {172, 120}},
    {"DIP switches 380 ml", 90, 98, {172, 120}},
};

TEST(SettingPictures, EveryNumberHasItsSizeAtEveryPixelRatio) {
    for (const Family& f : kFamilies) {
        for (int n = f.first; n <= f.last; ++n) {
            SCOPED_TRACE(testing::Message() << f.name << ", picture " << n);
            EXPECT_EQ(settingPictureSize(n), f.size);
            const QPixmap single = settingPicture(n);
            ASSERT_FALSE(single.isNull());
            EXPECT_EQ(single.deviceIndependentSize().toSize(), f.size);
            EXPECT_EQ(single.size(), f.size);
            // Asked again at twice the ratio: not the cached picture of the first call.
            const QPixmap twice = settingPicture(n, 2);
            ASSERT_FALSE(twice.isNull());
            EXPECT_EQ(twice.deviceIndependentSize().toSize(), f.size);
            EXPECT_EQ(twice.size(), f.size * 2);
        }
    }
}

// The setting pictures stand on the panel of the results without a frame of their own.
TEST(SettingPictures, SettingPicturesBlendIntoThePanel) {
    const QColor panel(245, 245, 245);
    for (const Family& f : kFamilies) {
        if (f.size != QSize(172, 120)) continue;
        for (int n = f.first; n <= f.last; ++n) {
            for (qreal ratio : {1.0, 2.0}) {
                const QImage image = settingPicture(n, ratio).toImage();
                for (QPoint corner : {QPoint(0, 0), QPoint(image.width() - 1, 0),
                                      QPoint(0, image.height() - 1),
                                      QPoint(image.width() - 1, image.height() - 1)})
                    EXPECT_EQ(image.pixelColor(corner), panel) << "picture " << n << " at " << ratio;
            }
        }
    }
}

TEST(SettingPictures, NumbersBesideTheTableHaveNoPicture) {
    for (int n : {-1, 0, 15, 48, 55, 59, 70, 79, 89, 99, 100}) {
        SCOPED_TRACE(n);
        EXPECT_TRUE(settingPicture(n).isNull());
        EXPECT_TRUE(settingPictureSize(n).isEmpty());
    }
}

// Every setting must be told apart from every other one of its family, and the crossed-out
// picture from all of them.
TEST(SettingPictures, PicturesOfAFamilyAllDiffer) {
    for (const Family& f : kFamilies) {
        std::vector<QImage> images;
        for (int n = f.first; n <= f.last; ++n) images.push_back(settingPicture(n).toImage());
        for (size_t a = 0; a < images.size(); ++a)
            for (size_t b = a + 1; b < images.size(); ++b)
                EXPECT_NE(images[a], images[b])
                    << f.name << ": pictures " << f.first + a << " and " << f.first + b;
    }
}

TEST(SettingPictures, The380mlSwitchesDifferFromThe120mlOnes) {
    for (int p = 0; p <= 8; ++p)
        EXPECT_NE(settingPicture(80 + p).toImage(), settingPicture(90 + p).toImage()) << p;
}

} // namespace
