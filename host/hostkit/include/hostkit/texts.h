// hostkit: texts that name their string id and named arguments, so that a test asserts which
// text the code chose and with what, and not a wording.
//
//   hostkit::UseMarkerText(0x1d4cf025, {"nickname", "member_limit"});
//   ... the code formats text 0x1d4cf025 with nickname "Ann" and member_limit 300 ...
//   EXPECT_EQ(alert->content, hostkit::MarkerText(0x1d4cf025, {{"nickname", "Ann"}, {"member_limit", "300"}}));
//   EXPECT_EQ(alert->title, hostkit::MarkerText(0x70281472));
//
// A marker reads "#1d4cf025" (the id in hex), followed by "(name=value|...)" when the text has
// named arguments, in the order given. An argument the code did not fill stays "{name}".
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace hostkit {

// Sets the text of `id` (current language) to its marker with placeholders for `arg_names`.
void UseMarkerText(int32_t id, const std::vector<std::string>& arg_names = {});
// The marker text with its arguments filled: what the code shows after formatting.
std::string MarkerText(int32_t id, const std::vector<std::pair<std::string, std::string>>& args = {});

}  // namespace hostkit
