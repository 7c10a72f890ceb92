// The scenario format's table against what is committed and what the chapters use.
#include <gtest/gtest.h>

#include "format.h"
#include "sim.h"
#include "sim_run.h"

namespace {

// Regenerate with `ninja -C build sim_docs` when the table changes.
TEST(ScenarioFormat, CommittedFormatPageMatchesTheTable) {
  // Compared whole, reported short: the page is long.
  EXPECT_TRUE(simtest::ReadFile(VELTO_SOURCE_DIR "/docs/scenario.md") == sim::FormatDoc())
      << "docs/scenario.md is out of date: ninja -C build sim_docs";
}

TEST(ScenarioFormat, CommittedSchemaMatchesTheTable) {
  EXPECT_TRUE(simtest::ReadFile(VELTO_SOURCE_DIR "/docs/scenario.schema.json") == sim::JsonSchema())
      << "docs/scenario.schema.json is out of date: ninja -C build sim_docs";
}

TEST(ScenarioFormat, SchemaHasAStepShapeForEveryActionAndOp) {
  bool ok = false;
  const sim::Variant schema = sim::Variant::ParseJson(sim::JsonSchema(), &ok);
  ASSERT_TRUE(ok);
  const sim::Variant& defs = schema.Get("$defs");
  size_t shapes = 0;
  for (const auto& [name, spec] : sim::ActionSpecs()) {
    if (spec.ops.empty()) {
      EXPECT_TRUE(defs.Has(name)) << name;
      ++shapes;
    }
    for (const sim::OpSpec& op : spec.ops) {
      EXPECT_TRUE(defs.Has(name + "." + op.name)) << name << " " << op.name;
      ++shapes;
    }
  }
  EXPECT_EQ(schema.Get("properties").Get("timeline").Get("items").Get("oneOf").size(), shapes);
}

// An action registered without its arguments lets any field through unchecked.
TEST(ScenarioFormat, EveryActionDeclaresItsArguments) {
  for (const auto& [name, spec] : sim::ActionSpecs()) {
    EXPECT_TRUE(spec.declared) << "action \"" << name << "\" is registered without its arguments";
    EXPECT_FALSE(spec.summary.empty()) << name;
  }
}

// A chapter with a bad document fails here, not in a user's run.
TEST(ScenarioFormat, EveryBuiltinChapterIsAValidScenario) {
  const auto chapters = sim::BuiltinChapters();
  ASSERT_FALSE(chapters.empty());
  for (const std::string& json : chapters) {
    sim::Variant document;
    std::string error = sim::ParseDocument(json, &document);
    if (error.empty()) error = sim::Validate(document);
    EXPECT_EQ(error, "") << json.substr(0, 120);
  }
}

TEST(ScenarioFormat, ErrorsNameThePathTheExpectationAndTheFinding) {
  sim::Variant document;
  ASSERT_EQ(sim::ParseDocument(R"({"timeline": [{"at": 0, "do": "print", "text": "a"},
                                                 {"at": 10, "do": "fire", "model": 508, "event": "1"}]})",
                               &document),
            "");
  EXPECT_EQ(sim::Validate(document),
            "timeline[1].event: expected a whole number from 0 to 2147483647, found the string \"1\"");
}

TEST(ScenarioFormat, SyntaxErrorsGiveLineAndColumn) {
  sim::Variant document;
  const std::string error = sim::ParseDocument("{\"timeline\": [\n  {\"at\": 0,, \"do\": \"print\"}]}", &document);
  EXPECT_NE(error.find("line 2, column 12"), std::string::npos) << error;
}

}  // namespace
