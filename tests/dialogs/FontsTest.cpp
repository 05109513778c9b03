#include "dialogs/Fonts.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>

namespace vexa {
namespace {

// The first substitute that is installed is the one the text must be drawn with.
std::string Installed(const char* first, const char* second)
{
    return QFontDatabase::hasFamily(QString::fromLatin1(first)) ? first : second;
}

// The Windows families are missing on Linux; text must be drawn with the
// metric-compatible substitutes at exactly the pixel size asked for.
TEST(FontsTest, WindowsFamiliesFallBackToMetricCompatibleFonts)
{
    const QFontInfo sans(VexaFont("MS Sans Serif", 11, true));
    EXPECT_EQ(sans.family().toStdString(), Installed("Liberation Sans", "DejaVu Sans"));
    EXPECT_EQ(sans.pixelSize(), 11);
    EXPECT_TRUE(sans.bold());

    const QFontInfo arial(VexaFont("Arial", 13, false));
    EXPECT_EQ(arial.family().toStdString(), Installed("Arial", "Liberation Sans"));
    EXPECT_FALSE(arial.bold());

    const QFontInfo serif(VexaFont("Times New Roman", 16, false, true));
    EXPECT_EQ(serif.family().toStdString(), Installed("Times New Roman", "Liberation Serif"));
    EXPECT_TRUE(serif.italic());
}

}  // namespace
}  // namespace vexa
