#include "common/text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

TEST(CallForFileName, TakesTheLeadingRunOfCapitalsAndDigits) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"N0CALL/R", "N0CALL"}, {"", "YourCall"}, {"n0call", "YourCall"}, {"/R", "YourCall"},
      {"W1AW", "W1AW"},       {"K1aBC", "K1"},  {" W1AW", "YourCall"},  {"\xC4W1", "YourCall"}};
  for (const auto& [in, out] : cases) EXPECT_EQ(CallForFileName(in), out) << in;
}

}  // namespace
}  // namespace vantrel
