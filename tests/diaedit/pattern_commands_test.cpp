#include "diaedit/pattern_commands.h"

#include <gtest/gtest.h>

#include "dia_edit_fixture.h"

namespace vosk::diaedit::testing {
namespace {

using vosk::Answer;

// The line with R registered as pattern 1 and N as pattern 2.
struct PatternWindow : EditWindow {
  int t1 = 0, t2 = 0;
  PatternWindow() {
    ds.classification.train_types[1].name = "Local";
    EXPECT_TRUE(controller.register_pattern(prompt).ok());
    t1 = ds.classification.patterns[1].template_diagram;
    controller.select(N);
    EXPECT_TRUE(controller.register_pattern(prompt).ok());
    t2 = ds.classification.patterns[2].template_diagram;
    controller.select(R);
    relayout();
  }
};

TEST(DiaEdit_PatternCommandTests, RegisteringCopiesTheRunAsTemplateAndAppliesThePattern) {
  EditWindow w;
  w.ds.classification.train_types[1].name = "Local";
  w.ds.dia.diagrams[w.R].destination_text = "C";
  // An undo step before: it would restore a dia without the template.
  ASSERT_TRUE(
      w.controller.set_run_settings(run_settings_of(w.ds.dia.diagrams[w.R]), false, w.prompt).ok());
  const Outcome o = w.controller.command(kCmdPatternRegister, w.prompt);
  EXPECT_TRUE(o.changed);
  const auto& patterns = w.ds.classification.patterns;
  ASSERT_EQ(patterns.extent(), 1);
  const int t = patterns[1].template_diagram;
  const dia::Diagram& copy = w.ds.dia.diagrams[t];
  EXPECT_NE(t, w.R);
  EXPECT_EQ(copy.pattern_template, 1);
  EXPECT_EQ(copy.run.owning_unit, 0);
  EXPECT_EQ(copy.events, w.ds.dia.diagrams[w.R].events);
  EXPECT_EQ(w.ds.dia.diagrams[w.R].applied_pattern, 1);
  EXPECT_EQ(w.ds.dia.diagrams[w.R].pattern_changed, 0);
  EXPECT_EQ(patterns[1].short_name, "Local C");
  EXPECT_EQ(patterns[1].base_time, hms(10, 0));
  EXPECT_FALSE(w.controller.history().can_undo());
}

TEST(DiaEdit_PatternCommandTests, RegisteringRefusesTheHundredthPatternAndTemplates) {
  EditWindow w;
  w.ds.classification.patterns.grow_to(dia::kMaxPatterns);
  w.controller.command(kCmdPatternRegister, w.prompt);
  ASSERT_EQ(w.prompt.count(), 1u);
  EXPECT_EQ(w.prompt.last().caption, "ダイヤパターンエラー");
  EXPECT_EQ(w.prompt.last().text, "ダイヤパターンはこれ以上増やせません。");
  EXPECT_EQ(w.ds.dia.diagrams[w.R].applied_pattern, 0);

  PatternWindow p;
  p.controller.select(p.t1);
  EXPECT_EQ(register_pattern(p.ds, p.t1).status(), dia::EditResult::Status::Declined);
  EXPECT_EQ(p.ds.classification.patterns.extent(), 2);
}

TEST(DiaEdit_PatternCommandTests, EditingAnAppliedPatternAsksBeforeOpeningItsTemplate) {
  PatternWindow w;
  w.prompt.script({Answer::No});
  Outcome o = w.controller.command(kCmdPatternEdit, w.prompt);
  EXPECT_FALSE(o.selection_changed);
  EXPECT_EQ(w.controller.diagram(), w.R);
  ASSERT_EQ(w.prompt.count(), 1u);
  EXPECT_EQ(w.prompt.last().caption, kPatternEditCaption);
  EXPECT_EQ(w.prompt.last().text, kPatternEditQuestion);

  w.prompt.script({Answer::Yes});
  o = w.controller.command(kCmdPatternEdit, w.prompt);
  EXPECT_TRUE(o.selection_changed);
  EXPECT_EQ(w.controller.diagram(), w.t1);
  EXPECT_EQ(w.controller.caption().rfind("ダイヤ編集　パターン編集", 0), 0u);
  // From the template, 情報 names its pattern.
  o = w.controller.command(kCmdPatternInfo, w.prompt);
  EXPECT_EQ(o.request, Outcome::Request::PatternInfo);
  EXPECT_EQ(o.pattern, 1);
}

TEST(DiaEdit_PatternCommandTests, RemovingFreesTheTemplateAndRenumbersTheRest) {
  PatternWindow w;
  w.ds.classification.patterns[2].next_pattern = 2;
  w.prompt.script({Answer::Yes});
  ASSERT_TRUE(w.controller.remove_pattern(1, w.prompt).ok());
  EXPECT_EQ(w.prompt.last().caption, "削除確認");
  EXPECT_FALSE(w.ds.dia.diagrams[w.t1].in_use());
  EXPECT_EQ(w.ds.dia.diagrams[w.R].applied_pattern, 0);
  EXPECT_EQ(w.ds.dia.diagrams[w.N].applied_pattern, 1);
  EXPECT_EQ(w.ds.dia.diagrams[w.t2].pattern_template, 1);
  EXPECT_EQ(w.ds.classification.patterns.extent(), 1);
  EXPECT_EQ(w.ds.classification.patterns[1].template_diagram, w.t2);
  EXPECT_EQ(w.ds.classification.patterns[1].next_pattern, 1);

  // The edited template going away leaves nothing edited.
  w.controller.select(w.t2);
  w.prompt.script({Answer::Yes});
  ASSERT_TRUE(w.controller.remove_pattern(1, w.prompt).ok());
  EXPECT_EQ(w.controller.diagram(), 0);
}

TEST(DiaEdit_PatternCommandTests, NextPatternsStartWhereThePatternEnds) {
  PatternWindow w;
  // R's template ends at C, where N's template (pattern 2) starts; N's ends at A.
  const std::vector<dia::PatternChoice> after_r = next_pattern_choices(w.ds, 1);
  ASSERT_EQ(after_r.size(), 2u);
  EXPECT_EQ(after_r[0].label, "パターンなし");
  EXPECT_EQ(after_r[1].pattern, 2);
  EXPECT_EQ(next_pattern_choices(w.ds, 2).size(), 2u);  // N ends at A, where R starts
  w.ds.dia.diagrams[w.t1].events[0].rail = EditLine::rail(2, 1);
  EXPECT_EQ(next_pattern_choices(w.ds, 2).size(), 1u);
}

TEST(DiaEdit_PatternCommandTests, NamesWithACommaAreRefused) {
  PatternWindow w;
  dia::Pattern v = w.ds.classification.patterns[1];
  v.name = "a,b";  // d_pattern.csv would read two fields
  EXPECT_EQ(w.controller.set_pattern_info(1, v).caption(), "入力データエラー");
  EXPECT_NE(w.ds.classification.patterns[1].name, "a,b");
}

}  // namespace
}  // namespace vosk::diaedit::testing
