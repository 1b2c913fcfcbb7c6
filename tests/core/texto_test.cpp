#include "core/texto.hpp"

#include <gtest/gtest.h>

#include <string>

namespace cadrel {
namespace {

using namespace std::string_literals;

TEST(Texto, EscaparXmlSoOsCaracteresQueOXmlLe) {
  EXPECT_EQ(EscaparXml("a < b && c > \"d\" 'e'"), "a &lt; b &amp;&amp; c &gt; &quot;d&quot; &#39;e&#39;");
  EXPECT_EQ(EscaparXml("L1C2 = 5 × 5 (único)"), "L1C2 = 5 × 5 (único)");
  EXPECT_EQ(EscaparXml(""), "");
}

// The vectors of RFC 4648, section 10.
TEST(Texto, Base64DoRfc4648) {
  const struct {
    std::string Bytes;
    std::string Codigo;
  } casos[] = {{"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},        {"foo", "Zm9v"},
               {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {"\xff\xfe\x00"s, "//4A"}};
  for (const auto& c : casos)
    EXPECT_EQ(Base64({reinterpret_cast<const unsigned char*>(c.Bytes.data()), c.Bytes.size()}), c.Codigo) << c.Codigo;
}

}  // namespace
}  // namespace cadrel
