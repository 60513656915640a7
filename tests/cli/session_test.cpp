#include "cli/session.hpp"

#include <CLI/CLI.hpp>
#include <sstream>

#include "common/errors.hpp"
#include "support/test_support.hpp"

namespace specbridge::cli {
namespace {

namespace fs = std::filesystem;

// A command with one box, Edit1, and actions that log what they see, so a
// test can follow the replay.
class ProbeCommand : public Command {
 public:
  explicit ProbeCommand(CLI::App& parent) : Command(parent, "probe", "Replays actions into a log") {
    App().add_option("FILE", file_)->required();
    BoxAction("--type", boxes_, "Edit1", "Types into Edit1");
    BoxAssignments(boxes_);
    FlagAction("--press", "Logs Edit1", [this](Session&) { log_ += "press " + boxes_["Edit1"] + "\n"; });
    Action("--log", "Logs TEXT", [this](Session&, const std::string& text) { log_ += text + "\n"; });
    Action("--save", "Saves the log so far to PATH",
           [this](Session& session, const std::string& path) { session.Save(path, log_); });
    Action("--read", "Logs the bytes of PATH",
           [this](Session& session, const std::string& path) { log_ += "read " + session.Read(path) + "\n"; });
    Action("--fail", "Fails the run", [](Session&, const std::string& text) { throw ConversionError(text); });
    Action("--step-fail", "Fails as a step", [this](Session& session, const std::string& text) {
      Step(session, "--step-fail", [&] { throw ConversionError(text); });
    });
    Action("--defer", "Logs TEXT on stderr at commit", [](Session& session, const std::string& text) {
      session.Defer([&session, text] { session.Err() << "deferred " << text << '\n'; });
    });
    OutputOption("Saves the whole log");
    KeepGoingOption();
  }

 private:
  void Run(Session& session) override {
    log_ = "open " + session.Read(file_) + "\n";
    ReplayActions(session);
    session.Out() << log_;
    if (Output()) session.Save(*Output(), log_);
  }
  std::string file_;
  BoxTexts boxes_{{"Edit1", "design"}};
  std::string log_;
};

void AddProbe(CLI::App& app, Context& context) { AttachCommand<ProbeCommand>(app, context); }

struct Result {
  int code;
  std::string out, err;
};

Result RunProbe(std::vector<std::string> args) {
  std::ostringstream out, err;
  args.insert(args.begin(), "probe");
  const int code = RunCommands({AddProbe}, args, out, err);
  return {code, out.str(), err.str()};
}

class SessionTest : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  test::TempDir dir_;
  const std::string in_ = dir_.Write("in.txt", "IN").string();
};

TEST_F(SessionTest, ActionsRunInCommandLineOrder) {
  const Result r = RunProbe({in_, "--log", "1", "--press", "--type", "x", "--log", "2", "--box", "Edit1=y z", "--press",
                             "--type", "", "--press"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "open IN\n1\npress design\n2\npress y z\npress \n");
  EXPECT_EQ(r.err, "");
}

// A later action reads what an earlier one saved; the files appear only
// when the run succeeded, in the order saved.
TEST_F(SessionTest, SavesAreHeldAndReadBackUntilTheEnd) {
  const Result r = RunProbe({in_, "--log", "a", "--save", Path("first.txt"), "--read", Path("first.txt"), "--log", "b",
                             "-o", Path("all.txt")});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(test::Slurp(dir_ / "first.txt"), "open IN\na\n");
  EXPECT_EQ(test::Slurp(dir_ / "all.txt"), "open IN\na\nread open IN\na\n\nb\n");
  EXPECT_EQ(r.err, "Wrote " + Path("first.txt") + "\nWrote " + Path("all.txt") + "\n");
}

// Deferred work runs after the outputs are written, and only for a run that
// succeeded or was told to keep going.
TEST_F(SessionTest, DeferredWorkAndKeepGoing) {
  const Result done = RunProbe({in_, "--defer", "a", "--log", "x", "--defer", "b", "-o", Path("out.txt")});
  EXPECT_EQ(done.code, 0);
  EXPECT_EQ(done.err, "Wrote " + Path("out.txt") + "\ndeferred a\ndeferred b\n");

  const Result failed = RunProbe({in_, "--defer", "a", "--step-fail", "bad", "-o", Path("no.txt")});
  EXPECT_EQ(failed.code, 1);
  EXPECT_EQ(failed.err, "--step-fail: bad\n");
  EXPECT_FALSE(fs::exists(dir_ / "no.txt"));

  const Result kept =
      RunProbe({in_, "--keep-going", "--step-fail", "bad", "--log", "after", "--defer", "a", "-o", Path("kept.txt")});
  EXPECT_EQ(kept.code, 1);
  EXPECT_EQ(kept.err, "--step-fail: bad\nWrote " + Path("kept.txt") + "\ndeferred a\n");
  EXPECT_EQ(test::Slurp(dir_ / "kept.txt"), "open IN\nafter\n");
}

// "-o -" writes to standard output after every file; only once a run.
TEST_F(SessionTest, DashIsStandardOutput) {
  const Result r = RunProbe({in_, "--log", "a", "--save", Path("f.txt"), "-o", "-"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "open IN\na\nopen IN\na\n");
  EXPECT_EQ(r.err, "Wrote " + Path("f.txt") + "\n");
  const Result twice = RunProbe({in_, "--save", "-", "-o", "-"});
  EXPECT_EQ(twice.code, 1);
  EXPECT_EQ(twice.err,
            "Refusing to write standard output twice in one run; nothing was written\n"
            "Not written, as the run failed: standard output\n");
}

TEST_F(SessionTest, QuietAndVerbose) {
  const Result quiet = RunProbe({in_, "-q", "-o", Path("q.txt")});
  EXPECT_EQ(quiet.code, 0);
  EXPECT_EQ(quiet.err, "");
  const Result verbose = RunProbe({in_, "-v", "-o", Path("v.txt")});
  EXPECT_EQ(verbose.err, "Read " + in_ + ": 2 bytes\nWrote " + Path("v.txt") + "\n");
  const Result failed = RunProbe({in_, "-q", "--fail", "bad"});
  EXPECT_EQ(failed.code, 1);
  EXPECT_EQ(failed.err, "bad\n");
}

TEST_F(SessionTest, AFailedRunWritesNothing) {
  fs::create_directory(dir_ / "sub");
  fs::create_symlink("in.txt", dir_ / "link.txt");
  const fs::path locked = dir_.Write("locked.txt", "kept");
  fs::permissions(locked, fs::perms::owner_read);
  dir_.Write("old.txt", "old");
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string err;
  };
  const std::string d = dir_.Path().string();
  const std::string kHelp = "Run with --help for more information.\n";
  const std::vector<Case> cases = {
      {{in_, "-o", d + "/sub/../in.txt"},
       1,
       "Refusing to write '" + d + "/sub/../in.txt': it is the same file as the input '" + in_ +
           "' of this run; nothing was written\n"},
      {{in_, "-o", d + "/link.txt"},
       1,
       "Refusing to write '" + d + "/link.txt': it is the same file as the input '" + in_ +
           "' of this run; nothing was written\n"},
      {{in_, "--save", d + "/old.txt", "--save", d + "/./old.txt"},
       1,
       "Refusing to write '" + d + "/./old.txt': it is the same file as the output '" + d +
           "/old.txt' of this run; nothing was written\nNot written, as the run failed: " + d + "/old.txt\n"},
      {{in_, "--save", d + "/old.txt", "--fail", "bad text", "-o", d + "/new.txt"},
       1,
       "bad text\nNot written, as the run failed: " + d + "/old.txt\n"},
      // Every file is staged before any is renamed into place.
      {{in_, "--save", d + "/old.txt", "-o", d + "/locked.txt"},
       1,
       "Cannot replace '" + d + "/locked.txt': it is write-protected\n"},
      {{d + "/sub"}, 1, "Cannot read '" + d + "/sub': it is a directory, not a regular file\n"},
      {{in_, "--box", "Edit2=1", "-o", d + "/new.txt"}, 2, "--box: this window has no box named 'Edit2'\n" + kHelp},
      {{in_, "--box", "Edit1", "-o", d + "/new.txt"}, 2, "--box: expected NAME=TEXT, got 'Edit1'\n" + kHelp},
      {{}, 2, "FILE is required\n" + kHelp},
  };
  const auto before = test::Snapshot(dir_.Path());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.empty() ? "no file" : c.args.back());
    const Result r = RunProbe(c.args);
    EXPECT_EQ(r.code, c.code);
    EXPECT_EQ(r.err, c.err);
  }
  EXPECT_EQ(test::Snapshot(dir_.Path()), before);
}

}  // namespace
}  // namespace specbridge::cli
