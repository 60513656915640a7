#include "common/file_chooser.hpp"

#include "support/test_support.hpp"

namespace specbridge {
namespace {

namespace fs = std::filesystem;

class FileChooserTest : public test::FolderTest {
 protected:
  void SetUp() override {
    fs::create_directories(data_);
    fs::create_directories(other_);
  }
  std::string Dirinf() const { return fs::exists(root_ / "dirinf") ? test::Slurp(root_ / "dirinf") : "(none)"; }

  fs::path root_ = dir_.Path();
  fs::path data_ = dir_ / "data";
  fs::path other_ = dir_ / "other";
  DirectoryMemory directories_{root_};
  ScriptedDialogs dialogs_;
  FileChooser files_{dialogs_, directories_, "*.ASC"};
};

TEST_F(FileChooserTest, DialogsStartWhereTheRequestSaysAndRememberOnlyWhenAsked) {
  directories_.RememberDirectory(data_ / "earlier.ASC", nullptr);
  fs::current_path(other_);
  struct Case {
    const char* what;
    OpenRequest request;
    fs::path chosen;
    fs::path start;
    const char* filter;
    fs::path workingDirectory;  // afterwards
  };
  const Case cases[] = {
      {"current directory", {.startIn = StartIn::kCurrentDirectory}, data_ / "a.ASC", other_, "*.ASC", data_},
      {"working directory", {}, other_ / "b.ASC", data_, "*.ASC", other_},
      {"unremembered", {.filter = "", .remember = false}, data_ / "t.txt", other_, "", other_},
  };
  for (const Case& c : cases) {
    dialogs_.Answer(c.chosen);
    EXPECT_EQ(files_.Open(c.request), c.chosen) << c.what;
    const FileDialog& asked = dialogs_.Requests().back().dialog;
    EXPECT_EQ(asked.initialDirectory, c.start) << c.what;
    EXPECT_EQ(asked.filter, c.filter) << c.what;
    EXPECT_EQ(directories_.WorkingDirectory(), c.workingDirectory.string()) << c.what;
    EXPECT_EQ(Dirinf(), c.workingDirectory.string() + "\r\n") << c.what;
  }
  // Another window's choice moves the working directory, not this window's dialogs.
  FileChooser another(dialogs_, directories_);
  dialogs_.Answer(data_ / "c.ASC");
  ASSERT_TRUE(another.Open());
  dialogs_.Answer(std::nullopt);
  files_.Open({.startIn = StartIn::kAsLeft});
  EXPECT_EQ(dialogs_.Requests().back().dialog.initialDirectory, other_);
  EXPECT_EQ(files_.SaveDialog().initialDirectory, other_);
}

TEST_F(FileChooserTest, ACancelChangesNothing) {
  dialogs_.Answer(std::nullopt);
  EXPECT_EQ(files_.Open(), std::nullopt);
  dialogs_.Answer(std::nullopt);
  EXPECT_EQ(files_.Save({.proposed = data_ / "out.txt"}), std::nullopt);
  EXPECT_EQ(Dirinf(), "(none)");
  EXPECT_EQ(directories_.WorkingDirectory(), "");
  EXPECT_EQ(fs::current_path(), start_);
}

TEST_F(FileChooserTest, SaveProposesTheNameAndRemembersTheChoice) {
  dialogs_.Answer(other_ / "out.txt");
  EXPECT_EQ(files_.Save({.proposed = data_ / "run.txt", .startDirectory = data_}), other_ / "out.txt");
  const ScriptedDialogs::Request& asked = dialogs_.Requests().back();
  EXPECT_TRUE(asked.save);
  EXPECT_EQ(asked.dialog.fileName, data_ / "run.txt");
  EXPECT_EQ(asked.dialog.initialDirectory, data_);
  EXPECT_EQ(asked.dialog.filter, "");
  EXPECT_EQ(Dirinf(), other_.string() + "\r\n");
  EXPECT_EQ(files_.OpenDialog().initialDirectory, other_);
}

// The same file under another spelling is still the input.
TEST_F(FileChooserTest, ASaveOverAnInputIsRefusedBeforeAnythingIsRemembered) {
  const fs::path input = dir_.Write("data/run00.ASC", "400,0.5\r\n");
  fs::create_symlink(input, other_ / "link.ASC");
  fs::current_path(dir_.Path());
  const std::vector<fs::path> inputs = {data_ / "run01.ASC", input};
  struct Case {
    fs::path chosen;
  };
  for (const Case& c :
       {Case{input}, Case{"data/run00.ASC"}, Case{"./other/../data/run00.ASC"}, Case{other_ / "link.ASC"}}) {
    dialogs_.Answer(c.chosen);
    EXPECT_THROW_MSG(files_.Save({.proposed = "run.txt", .inputs = inputs}), FileError,
                     "Refusing to write '" + c.chosen.string() + "': it is the same file as the input '" +
                         input.string() + "' of this run; nothing was written");
  }
  EXPECT_EQ(Dirinf(), "(none)");
  EXPECT_EQ(test::Slurp(input), "400,0.5\r\n");
  // A new file, or one that only shares the name, is fine.
  for (const fs::path& chosen : {data_ / "run.txt", other_ / "run00.ASC"}) {
    dialogs_.Answer(chosen);
    EXPECT_EQ(files_.Save({.proposed = "run.txt", .inputs = inputs}), chosen);
  }
}

TEST_F(FileChooserTest, AnUnwritableDirinfStopsTheChoice) {
  fs::create_directory(root_ / "dirinf");
  dialogs_.Answer(data_ / "run00.ASC");
  EXPECT_THROW_MSG(files_.Open(), FileError,
                   "Cannot replace '" + (root_ / "dirinf").string() + "': it is a directory, not a regular file");
}

}  // namespace
}  // namespace specbridge
