#include "cli/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "cli/say.h"

namespace saiha::cli {
namespace {

// The temporary file being written, for removeOutputTemporary() in a signal
// handler: a fixed buffer (no allocation there) and a lock-free flag that is
// set only once the name in it is whole.
char gTemporary[PATH_MAX] = {};
std::atomic<bool> gHasTemporary{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// The links followed before giving up, as the kernel does (ELOOP).
constexpr int kMaxLinks = 40;

// The reasons are the system's own words (strerror) or the catalogue's.
[[noreturn]] void cannotWrite(const std::string& path, std::string_view reason) {
  throw std::runtime_error(say(report::Usage::CannotWrite, {path, reason}));
}

[[noreturn]] void cannotWrite(const std::string& path, report::Usage reason) {
  cannotWrite(path, say(reason));
}

[[noreturn]] void cannotWrite(const std::string& path, int error) {
  cannotWrite(path, std::string_view(std::strerror(error)));
}

// The folder part of `path` with its slash ("dir/" for "dir/name", "" for "name").
std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string readLink(const std::string& given, const std::string& link) {
  std::string text(PATH_MAX, '\0');
  const ssize_t got = ::readlink(link.c_str(), text.data(), text.size());
  if (got < 0) cannotWrite(given, errno);
  if (static_cast<std::size_t>(got) >= text.size()) cannotWrite(given, ENAMETOOLONG);
  text.resize(static_cast<std::size_t>(got));
  return text;
}

// `path` with its last component's symbolic links followed, a relative link
// read against the folder that holds it.  `info` gets what is at the end;
// false when nothing is (a new file, or a dangling link's file to create).
bool followLinks(const std::string& given, std::string& path, struct stat& info) {
  for (int links = 0;; ++links) {
    if (::lstat(path.c_str(), &info) != 0) {
      if (errno == ENOENT) return false;
      cannotWrite(given, errno);
    }
    if (!S_ISLNK(info.st_mode)) return true;
    if (links == kMaxLinks) cannotWrite(given, ELOOP);
    const std::string link = readLink(given, path);
    path = !link.empty() && link.front() == '/' ? link : folderOf(path) + link;
  }
}

// A descriptor above 0, 1 and 2 for `fd`, closing `fd` when it moves: should
// a standard descriptor be closed after all, messages to it cannot land in
// the results.
int aboveStandard(int fd) {
  if (fd > STDERR_FILENO) return fd;
  const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
  const int error = errno;
  ::close(fd);
  errno = error;
  return moved;
}

mode_t currentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

}  // namespace

void ensureStandardDescriptors() noexcept {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lower ones are open, so the lowest free number is fd itself.
    const int opened = ::open("/dev/null", (fd == STDIN_FILENO ? O_WRONLY : O_RDONLY) | O_NOCTTY);
    if (opened >= 0 && opened != fd) {
      ::dup2(opened, fd);
      ::close(opened);
    }
  }
}

OutputFile::OutputFile(const std::string& path) : path_(path) {
  struct stat followed {};
  const bool reached = ::stat(path.c_str(), &followed) == 0;
  if (reached) {
    if (S_ISDIR(followed.st_mode)) cannotWrite(path, EISDIR);
    if (S_ISFIFO(followed.st_mode) || S_ISCHR(followed.st_mode)) {
      // Opened by the name given, so that a link of /proc (/dev/stdout onto
      // a pipe) reaches what it stands for.  No O_TRUNC: a device has no
      // length, a FIFO no contents.
      fd_ = aboveStandard(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
      if (fd_ < 0) cannotWrite(path, errno);
      struct stat opened {};
      if (::fstat(fd_, &opened) != 0 || !(S_ISFIFO(opened.st_mode) || S_ISCHR(opened.st_mode))) {
        discard();
        cannotWrite(path, report::Usage::ChangedWhileOpened);
      }
      return;
    }
    if (!S_ISREG(followed.st_mode)) {
      cannotWrite(path, report::Usage::NotWritableKind);
    }
  } else if (errno != ENOENT) {
    cannotWrite(path, errno);
  }

  // A regular file, or none yet: the file the links end at, which must be
  // the one stat() reached (the links did not change meanwhile, and none of
  // /proc names a file that is gone).
  target_ = path;
  struct stat found {};
  const bool existed = followLinks(path, target_, found);
  if (existed != reached || (existed && (found.st_dev != followed.st_dev ||
                                         found.st_ino != followed.st_ino))) {
    cannotWrite(path, report::Usage::LinksNotFound);
  }

  // A file the user made read-only is kept: replacing it by a rename would
  // need no write permission on it at all, only on its folder, but the shell's
  // > refuses it, and so does -o.
  if (existed) {
    if ((found.st_mode & 0222) == 0) {
      char mode[8];
      const auto end = std::to_chars(mode, mode + sizeof mode, found.st_mode & 07777, 8).ptr;
      cannotWrite(path, say(report::Usage::ReadOnly, {std::string_view(mode, end - mode)}));
    }
    if (::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES) {
      cannotWrite(path, EACCES);
    }
  }

  const std::string name = target_.substr(folderOf(target_).size());
  if (name.empty() || name == "." || name == "..") cannotWrite(path, report::Usage::NotAFileName);
  temporary_ = folderOf(target_) + "." + name + ".XXXXXX";
  if (temporary_.size() >= sizeof gTemporary) cannotWrite(path, ENAMETOOLONG);
  fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
  if (fd_ < 0) {
    const int error = errno;
    temporary_.clear();
    cannotWrite(path, error);
  }
  std::memcpy(gTemporary, temporary_.c_str(), temporary_.size() + 1);
  gHasTemporary.store(true);
  fd_ = aboveStandard(fd_);
  if (fd_ < 0) {
    const int error = errno;
    discard();
    cannotWrite(path, error);
  }

  // An existing file keeps its owner and group where this user may give
  // them (root may; anyone may keep a group they belong to), then its mode,
  // set last as a change of owner clears the set-user-ID bits.  A new file
  // gets what a file created here would: 0666 less the umask.
  mode_t mode = 0666 & ~currentUmask();
  if (existed) {
    mode = found.st_mode & 07777;
    if ((found.st_uid != ::geteuid() || found.st_gid != ::getegid()) &&
        ::fchown(fd_, found.st_uid, found.st_gid) != 0) {
      (void)::fchown(fd_, static_cast<uid_t>(-1), found.st_gid);
    }
  }
  if (::fchmod(fd_, mode) != 0) {
    const int error = errno;
    discard();
    cannotWrite(path, error);
  }
}

OutputFile::~OutputFile() { discard(); }

void OutputFile::commit() {
  if (fd_ < 0) return;
  const int fd = std::exchange(fd_, -1);
  if (!wholeOrNothing()) {
    if (::close(fd) != 0) cannotWrite(path_, errno);
    return;
  }
  // On the disk before it takes the name, so that a crash leaves the old
  // file or the new one, never an empty one.
  if (::fsync(fd) != 0 || ::close(fd) != 0 ||
      ::rename(temporary_.c_str(), target_.c_str()) != 0) {
    const int error = errno;
    discard();
    cannotWrite(path_, error);
  }
  gHasTemporary.store(false);
  temporary_.clear();
  // The rename itself made lasting; a folder that cannot be synced (some
  // network file systems) still has the file.
  const std::string folder = folderOf(target_);
  const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
}

void OutputFile::discard() noexcept {
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
  if (temporary_.empty()) return;
  ::unlink(temporary_.c_str());
  gHasTemporary.store(false);
  temporary_.clear();
}

void removeOutputTemporary() noexcept {
  if (gHasTemporary.load()) ::unlink(gTemporary);
}

}  // namespace saiha::cli
