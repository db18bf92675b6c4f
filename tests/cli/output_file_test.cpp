// The -o output file: a regular file replaced whole with its mode and owner,
// links followed to the file they name (also those of /proc), FIFOs and
// devices written straight through, the kinds that cannot be written
// refused, and the standard descriptors kept out of the file's way.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "cli/output_file.h"

namespace saiha::cli {
namespace {

namespace fs = std::filesystem;

class OutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "output_file_test.XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string at(const std::string& name) const { return (dir_ / name).string(); }

  static void put(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void write(const OutputFile& out, const std::string& text) {
    ASSERT_EQ(::write(out.descriptor(), text.data(), text.size()),
              static_cast<ssize_t>(text.size()));
  }
  // The hidden files of a folder: the temporaries left in it.
  static int hidden(const fs::path& folder) {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
      n += entry.path().filename().string().front() == '.';
    }
    return n;
  }
  // The message OutputFile(path) refuses with, or "" when it opens.
  static std::string refusal(const std::string& path) {
    try {
      OutputFile out(path);
    } catch (const std::runtime_error& error) {
      return error.what();
    }
    return "";
  }

  fs::path dir_;
};

TEST_F(OutputFileTest, RegularFileReplacedWholeOnCommitOnly) {
  const std::string path = at("out.csv");
  put(path, "old\n");
  {
    OutputFile out(path);
    EXPECT_TRUE(out.wholeOrNothing());
    EXPECT_GT(out.descriptor(), STDERR_FILENO);
    write(out, "new\n");
    EXPECT_EQ(contents(path), "old\n");  // nothing under the name until the end
    EXPECT_EQ(hidden(dir_), 1);
    out.commit();
  }
  EXPECT_EQ(contents(path), "new\n");
  EXPECT_EQ(hidden(dir_), 0);

  {
    OutputFile out(path);
    write(out, "half");
    out.discard();
  }
  {
    OutputFile out(path);
    write(out, "half");
  }  // destroyed without commit: an exception or early return
  EXPECT_EQ(contents(path), "new\n");
  EXPECT_EQ(hidden(dir_), 0);
}

TEST_F(OutputFileTest, ModeOwnerAndGroupKept) {
  const std::string path = at("private.csv");
  put(path, "old\n");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
  }
  {
    OutputFile out(path);
    write(out, "new\n");
    out.commit();
  }
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  if (!root) GTEST_SKIP() << "owner and group are given back by root only";
  EXPECT_EQ(info.st_uid, 65534u);
  EXPECT_EQ(info.st_gid, 65534u);
}

TEST_F(OutputFileTest, NewFileGetsTheUmasksMode) {
  const mode_t before = ::umask(027);
  const std::string path = at("new.csv");
  {
    OutputFile out(path);
    out.commit();
  }
  ::umask(before);
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(OutputFileTest, LinksFollowedToTheFileTheyName) {
  // link1 (relative, in a/) -> ../b/link2 (relative, in b/) -> real.csv in b/,
  // and an absolute link to link1.
  fs::create_directories(dir_ / "a");
  fs::create_directories(dir_ / "b");
  put(at("b/real.csv"), "old\n");
  fs::create_symlink("../b/link2.csv", dir_ / "a/link1.csv");
  fs::create_symlink("real.csv", dir_ / "b/link2.csv");
  fs::create_symlink(dir_ / "a/link1.csv", dir_ / "absolute.csv");
  {
    OutputFile out(at("absolute.csv"));
    EXPECT_TRUE(fs::equivalent(out.target(), at("b/real.csv"))) << out.target();
    write(out, "new\n");
    EXPECT_EQ(hidden(dir_ / "b"), 1);  // the temporary beside the file it replaces
    out.commit();
  }
  EXPECT_EQ(contents(at("b/real.csv")), "new\n");
  EXPECT_TRUE(fs::is_symlink(dir_ / "absolute.csv"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "a/link1.csv"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "b/link2.csv"));
  EXPECT_EQ(hidden(dir_ / "b"), 0);

  // A dangling link: the file it names is made.
  fs::create_symlink("b/made.csv", dir_ / "dangling.csv");
  {
    OutputFile out(at("dangling.csv"));
    write(out, "made\n");
    out.commit();
  }
  EXPECT_EQ(contents(at("b/made.csv")), "made\n");
  EXPECT_TRUE(fs::is_symlink(dir_ / "dangling.csv"));

  // Links in a ring.
  fs::create_symlink("ring2", dir_ / "ring1");
  fs::create_symlink("ring1", dir_ / "ring2");
  EXPECT_EQ(refusal(at("ring1")),
            "cannot write '" + at("ring1") + "': " + std::strerror(ELOOP));
}

TEST_F(OutputFileTest, LinkOfProcReachesWhatItStandsFor) {
  // /dev/stdout onto a pipe: written straight through, as a FIFO.
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  const std::string writeEnd = "/proc/self/fd/" + std::to_string(ends[1]);
  fs::create_symlink(writeEnd, dir_ / "stdout");
  {
    OutputFile out(at("stdout"));
    EXPECT_FALSE(out.wholeOrNothing());
    write(out, "rows\n");
    out.commit();
  }
  ::close(ends[1]);
  char got[16] = {};
  EXPECT_EQ(::read(ends[0], got, sizeof got), 5);
  EXPECT_STREQ(got, "rows\n");
  ::close(ends[0]);

  // A descriptor of a file already removed: nothing to rename over, and no
  // file named after the kernel's "(deleted)" text.
  const std::string gone = at("gone.csv");
  const int fd = ::open(gone.c_str(), O_WRONLY | O_CREAT, 0600);
  ASSERT_GE(fd, 0);
  ::unlink(gone.c_str());
  const std::string path = "/proc/self/fd/" + std::to_string(fd);
  EXPECT_EQ(refusal(path), "cannot write '" + path + "': the file its links name cannot be found");
  ::close(fd);
  EXPECT_FALSE(fs::exists(gone + " (deleted)"));
  EXPECT_EQ(hidden(dir_), 0);
}

TEST_F(OutputFileTest, FifoWrittenStraightThrough) {
  const std::string path = at("fifo");
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  const int reader = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  {
    OutputFile out(path);
    EXPECT_FALSE(out.wholeOrNothing());
    EXPECT_TRUE(out.target().empty());
    write(out, "first rows\n");
    out.discard();  // a failed run: what went out stays out, the FIFO stays
  }
  char got[32] = {};
  EXPECT_EQ(::read(reader, got, sizeof got), 11);
  ::close(reader);
  struct stat info {};
  ASSERT_EQ(::lstat(path.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_EQ(hidden(dir_), 0);
}

TEST_F(OutputFileTest, CharacterDeviceWrittenStraightThrough) {
  OutputFile out("/dev/null");
  EXPECT_FALSE(out.wholeOrNothing());
  write(out, "rows\n");
  out.commit();
  struct stat info {};
  ASSERT_EQ(::lstat("/dev/null", &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST_F(OutputFileTest, KindsThatCannotBeWrittenRefused) {
  const std::string folder = at("folder");
  fs::create_directories(folder);
  EXPECT_EQ(refusal(folder), "cannot write '" + folder + "': " + std::strerror(EISDIR));
  EXPECT_EQ(refusal(folder + "/"), "cannot write '" + folder + "/': " + std::strerror(EISDIR));
  fs::create_symlink("folder", dir_ / "to_folder");
  EXPECT_EQ(refusal(at("to_folder")),
            "cannot write '" + at("to_folder") + "': " + std::strerror(EISDIR));

  const std::string socketPath = at("socket");
  const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(s, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
  ASSERT_EQ(::bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  EXPECT_EQ(refusal(socketPath), "cannot write '" + socketPath +
                                     "': not a regular file, a character device or a FIFO");
  ::close(s);

  const std::string missing = at("no_folder/out.csv");
  EXPECT_EQ(refusal(missing), "cannot write '" + missing + "': " + std::strerror(ENOENT));
  EXPECT_EQ(hidden(dir_), 0);
}

TEST_F(OutputFileTest, TemporaryRemovedFromASignalHandler) {
  const std::string path = at("out.csv");
  put(path, "old\n");
  OutputFile out(path);
  write(out, "half");
  EXPECT_EQ(hidden(dir_), 1);
  removeOutputTemporary();
  EXPECT_EQ(hidden(dir_), 0);
  EXPECT_EQ(contents(path), "old\n");
}

// In a child process, as they close the standard descriptors.
TEST_F(OutputFileTest, StandardDescriptorsKeptOutOfTheFilesWay) {
  const std::string path = at("out.csv");
  // Standard error closed: /dev/null takes its place, read-only, so that
  // messages fail to be written as before and the file gets descriptor 3 up.
  EXPECT_EXIT(
      {
        ::close(STDERR_FILENO);
        ensureStandardDescriptors();
        OutputFile out(path);
        const bool apart = out.descriptor() > STDERR_FILENO;
        const bool fails = ::write(STDERR_FILENO, "x", 1) == -1 && errno == EBADF;
        std::_Exit(apart && fails ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  // All three closed: standard input reads nothing, output cannot be written.
  EXPECT_EXIT(
      {
        ::close(STDIN_FILENO);
        ::close(STDOUT_FILENO);
        ::close(STDERR_FILENO);
        ensureStandardDescriptors();
        char c;
        const bool in = ::read(STDIN_FILENO, &c, 1) == -1 && errno == EBADF;
        const bool out = ::write(STDOUT_FILENO, "x", 1) == -1 && errno == EBADF;
        std::_Exit(in && out && ::fcntl(STDERR_FILENO, F_GETFD) != -1 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  // Without it, the file still never takes a standard descriptor's number.
  EXPECT_EXIT(
      {
        ::close(STDERR_FILENO);
        OutputFile out(path);
        std::_Exit(out.descriptor() > STDERR_FILENO ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace saiha::cli
