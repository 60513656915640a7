#include "common/dialogs.hpp"

#include <stdexcept>

#include "support/test_support.hpp"

namespace specbridge {
namespace {

TEST(RunCommand, ShowsTheFailureAndKeepsWhatWasDone) {
  ScriptedDialogs dialogs;
  int done = 0;
  EXPECT_TRUE(RunCommand(dialogs, [&] { ++done; }));
  EXPECT_FALSE(RunCommand(dialogs, [&] {
    ++done;
    throw ConversionError("'1,5' is not a valid floating point value");
  }));
  EXPECT_FALSE(RunCommand(dialogs, [] { throw std::logic_error("no concentrations"); }));
  EXPECT_EQ(done, 2);
  EXPECT_EQ(dialogs.Errors(), (std::vector<std::string>{"'1,5' is not a valid floating point value",
                                                        "Internal error: no concentrations"}));
}

TEST(ScriptedDialogs, AnswersInOrderAndCancelsWhenUnscripted) {
  ScriptedDialogs dialogs;
  dialogs.Answer("/data/run00.ASC");
  dialogs.Answer(std::nullopt);
  FileDialog open{"/data", "", "*.ASC"};
  EXPECT_EQ(dialogs.Open(open), std::filesystem::path("/data/run00.ASC"));
  EXPECT_EQ(dialogs.Save(open), std::nullopt);
  EXPECT_EQ(dialogs.Open(open), std::nullopt);
  ASSERT_EQ(dialogs.Requests().size(), 3U);
  EXPECT_TRUE(dialogs.Requests()[1].save);
  EXPECT_EQ(dialogs.Requests()[0].dialog.filter, "*.ASC");
}

}  // namespace
}  // namespace specbridge
