#include "platform/window/message_box_model.h"

#include <gtest/gtest.h>

namespace brisolt::platform {
namespace {

using namespace box_geometry;

constexpr int kCharWidth = 7;
constexpr int kLineHeight = 15;
constexpr Size kClient{650, 600};

// A typeface where every character is 7 pixels wide.
int monospaced(std::string_view utf8) {
  int characters = 0;
  for (const char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
  return characters * kCharWidth;
}

MessageBoxModel boxFor(const std::string& text, MessageBoxButtons buttons = MessageBoxButtons::kOk,
                       Size client = kClient) {
  return MessageBoxModel({"Brisolt - Save Session", text, MessageBoxIcon::kInformation, buttons}, client, monospaced,
                         kLineHeight);
}

bool inside(Rect outer, Rect inner) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

TEST(MessageBoxWrapping, BreaksBetweenWordsWithinTheWidth) {
  const auto lines = wrapText("one two three four", 9 * kCharWidth, monospaced);
  ASSERT_EQ(lines, (std::vector<std::string>{"one two", "three", "four"}));
}

TEST(MessageBoxWrapping, KeepsTheTextsOwnLineBreaksAndBlankLines) {
  EXPECT_EQ(wrapText("Files are saved\n\nLog file:", 100 * kCharWidth, monospaced),
            (std::vector<std::string>{"Files are saved", "", "Log file:"}));
}

TEST(MessageBoxWrapping, LinesUpTabsAndKeepsTheirBlanks) {
  EXPECT_EQ(wrapText("Log file:\t1_log.txt", 100 * kCharWidth, monospaced),
            (std::vector<std::string>{"Log file:       1_log.txt"}));
}

TEST(MessageBoxWrapping, CutsAWordTooLongForAnyLineBetweenCharacters) {
  const auto lines = wrapText("in /very/long/path/x.wav", 8 * kCharWidth, monospaced);
  ASSERT_EQ(lines, (std::vector<std::string>{"in", "/very/lo", "ng/path/", "x.wav"}));
}

TEST(MessageBoxWrapping, NeverSplitsAMultiByteCharacter) {
  const auto lines = wrapText("ééééé", 2 * kCharWidth, monospaced);
  EXPECT_EQ(lines, (std::vector<std::string>{"éé", "éé", "é"}));
}

TEST(MessageBoxLayout, IsCentredOnTheWindow) {
  const MessageBoxModel model = boxFor("Nothing to save!");
  const Rect box = model.box();
  EXPECT_LE(std::abs((box.x + box.width / 2) - kClient.width / 2), 1) << box;
  EXPECT_LE(std::abs((box.y + box.height / 2) - kClient.height / 2), 1) << box;
}

TEST(MessageBoxLayout, AShortTextMakesANarrowBoxWithEverythingInside) {
  const MessageBoxModel model = boxFor("Nothing to save!");
  EXPECT_LT(model.box().width, kMaxWidth);
  EXPECT_TRUE(inside(model.box(), model.icon())) << model.icon();
  EXPECT_TRUE(inside(model.box(), model.textArea())) << model.textArea();
  EXPECT_GE(model.textArea().width, monospaced("Nothing to save!"));
  for (const BoxButton& button : model.buttons()) EXPECT_TRUE(inside(model.box(), button.place)) << button.place;
}

TEST(MessageBoxLayout, ALongTextIsWrappedToTheWidestBoxNotBeyond) {
  const std::string path(300, 'a');
  const MessageBoxModel model = boxFor("Cannot write '" + path + "': the disk is full.");
  EXPECT_LE(model.box().width, kMaxWidth);
  EXPECT_GT(model.box().width, kMaxWidth - kCharWidth);  // as wide as whole characters allow
  EXPECT_GT(model.lines().size(), 3u);
  for (const std::string& line : model.lines()) EXPECT_LE(monospaced(line), model.textArea().width) << line;
}

TEST(MessageBoxLayout, ANarrowWindowKeepsTheBoxInsideIt) {
  const Size client{300, 200};
  const MessageBoxModel model = boxFor(std::string(400, 'w'), MessageBoxButtons::kOk, client);
  EXPECT_TRUE(inside({0, 0, client.width, client.height}, model.box())) << model.box();
  EXPECT_EQ(model.lines().back().substr(model.lines().back().size() - 4), " …");
}

TEST(MessageBoxLayout, TheTextStartsRightOfTheIconAndLinesDoNotOverlap) {
  const MessageBoxModel model = boxFor("a\nb\nc\nd");
  EXPECT_GE(model.textArea().x, model.icon().x + model.icon().width);
  EXPECT_GE(model.lineHeight(), kLineHeight);
  EXPECT_EQ(model.textArea().height, 4 * model.lineHeight());
}

TEST(MessageBoxLayout, ButtonsSitSideBySideInTheirClassicOrder) {
  const MessageBoxModel model = boxFor("Retry?", MessageBoxButtons::kRetryCancel);
  ASSERT_EQ(model.buttons().size(), 2u);
  EXPECT_EQ(model.buttons()[0].label, "Retry");
  EXPECT_EQ(model.buttons()[1].label, "Cancel");
  EXPECT_GE(model.buttons()[1].place.x, model.buttons()[0].place.x + model.buttons()[0].place.width);
  EXPECT_EQ(model.buttons()[0].place.y, model.buttons()[1].place.y);
}

TEST(MessageBoxKeys, EnterPressesTheDefaultButton) {
  EXPECT_EQ(boxFor("?", MessageBoxButtons::kYesNo).key(BoxKey::kEnter), MessageBoxAnswer::kYes);
  EXPECT_EQ(boxFor("?", MessageBoxButtons::kRetryCancel).key(BoxKey::kEnter), MessageBoxAnswer::kRetry);
  EXPECT_EQ(boxFor("!").key(BoxKey::kEnter), MessageBoxAnswer::kOk);
}

TEST(MessageBoxKeys, EscapeAnswersNoCancelOrOk) {
  EXPECT_EQ(boxFor("?", MessageBoxButtons::kYesNo).key(BoxKey::kEscape), MessageBoxAnswer::kNo);
  EXPECT_EQ(boxFor("?", MessageBoxButtons::kRetryCancel).key(BoxKey::kEscape), MessageBoxAnswer::kCancel);
  EXPECT_EQ(boxFor("!").key(BoxKey::kEscape), MessageBoxAnswer::kOk);
  EXPECT_EQ(boxFor("?", MessageBoxButtons::kYesNo).closeAnswer(), MessageBoxAnswer::kNo);
}

TEST(MessageBoxKeys, TabMovesTheFocusAndEnterFollowsIt) {
  MessageBoxModel model = boxFor("?", MessageBoxButtons::kYesNo);
  EXPECT_EQ(model.key(BoxKey::kNext), std::nullopt);
  EXPECT_EQ(model.focused(), 1);
  EXPECT_EQ(model.key(BoxKey::kEnter), MessageBoxAnswer::kNo);
  model.key(BoxKey::kNext);  // wraps round
  EXPECT_EQ(model.key(BoxKey::kEnter), MessageBoxAnswer::kYes);
  model.key(BoxKey::kPrevious);
  EXPECT_EQ(model.focused(), 1);
}

TEST(MessageBoxMouse, HoverFollowsThePointer) {
  MessageBoxModel model = boxFor("?", MessageBoxButtons::kYesNo);
  const Rect no = model.buttons()[1].place;
  model.pointerMoved(no.x + 2, no.y + 2);
  EXPECT_EQ(model.hovered(), 1);
  model.pointerMoved(model.box().x + 1, model.box().y + 1);
  EXPECT_EQ(model.hovered(), -1);
}

TEST(MessageBoxMouse, AClickOnAButtonAnswersWithIt) {
  MessageBoxModel model = boxFor("?", MessageBoxButtons::kYesNo);
  const Rect no = model.buttons()[1].place;
  model.buttonDown(no.x + 5, no.y + 5);
  EXPECT_EQ(model.pressed(), 1);
  EXPECT_EQ(model.buttonUp(no.x + 6, no.y + 6), MessageBoxAnswer::kNo);
  EXPECT_EQ(model.pressed(), -1);
}

TEST(MessageBoxMouse, ReleasingAwayFromThePressedButtonAnswersNothing) {
  MessageBoxModel model = boxFor("?", MessageBoxButtons::kYesNo);
  const Rect yes = model.buttons()[0].place;
  const Rect no = model.buttons()[1].place;
  model.buttonDown(yes.x + 5, yes.y + 5);
  EXPECT_EQ(model.buttonUp(no.x + 5, no.y + 5), std::nullopt);
  model.buttonDown(model.box().x + 1, model.box().y + 40);  // not on a button
  EXPECT_EQ(model.buttonUp(model.box().x + 1, model.box().y + 40), std::nullopt);
}

}  // namespace
}  // namespace brisolt::platform
