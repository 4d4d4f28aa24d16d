// SVG text: escaped characters and short numbers.
#include <gtest/gtest.h>

#include "picture/svg_text.h"

namespace brisolt::picture {
namespace {

TEST(SvgText, EscapesTheFiveMarkupCharacters) {
  EXPECT_EQ(escapeXml("a<b>&\"c\"'d'"), "a&lt;b&gt;&amp;&quot;c&quot;&apos;d&apos;");
  EXPECT_EQ(escapeXml("C# Major \xC2\xB7 5"), "C# Major \xC2\xB7 5") << "other text, UTF-8 included, stays";
}

TEST(SvgText, NumbersHaveAtMostOneDecimal) {
  EXPECT_EQ(svgNumber(12.0), "12");
  EXPECT_EQ(svgNumber(12.25), "12.3");
  EXPECT_EQ(svgNumber(0.04), "0");
  EXPECT_EQ(svgNumber(-0.04), "0");
  EXPECT_EQ(svgNumber(-0.3), "-0.3");
  EXPECT_EQ(svgNumber(-1.5), "-1.5");
  EXPECT_EQ(svgNumber(1023.96), "1024");
}

}  // namespace
}  // namespace brisolt::picture
