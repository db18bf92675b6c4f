// Where saiha-calc's results go with -o FILE.  A regular file (or a name not
// yet taken) is written whole or not at all: the rows go to a temporary file
// in the file's own folder, renamed over it at the end.  A symbolic link is
// followed, so the file it names is replaced and the link stays.  A FIFO or
// a character device (a terminal, /dev/null) cannot be replaced by a file:
// the rows are written straight to it as they come.  A directory or any
// other kind of file is refused, and so is a regular file the user may not
// write (a read-only one, mode 0444), as the shell's > refuses it.
#pragma once

#include <sys/types.h>

#include <string>

namespace saiha::cli {

// The help of -o, for every command that has it.
inline constexpr const char* kOutputHelp =
    "write the results to FILE, whole or not at all (default: standard output, also for "
    "\"-\"); a link's file is replaced, the link kept; a read-only file is refused; a FIFO or "
    "character device is written as the rows come, with no atomicity possible there";

// Opens /dev/null on each of descriptors 0, 1 and 2 that is closed, so that
// no file opened later takes one of their numbers (with standard error
// closed, the output file would become descriptor 2 and receive the
// messages).  Standard input gets it write-only and standard output and
// error read-only, so reading or writing them still fails as it did while
// they were closed: results are never silently thrown away.  Call it first
// thing in main, before anything opens a file.
void ensureStandardDescriptors() noexcept;

class OutputFile {
 public:
  // Opens -o `path`; a FIFO blocks here until it has a reader.  Throws
  // std::runtime_error with a one-line message when `path` cannot be
  // written (a directory, a socket, a folder that does not exist...).
  explicit OutputFile(const std::string& path);
  // Discards what was not committed.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // The descriptor the results are written to (never 0, 1 or 2).
  int descriptor() const { return fd_; }
  // False for a FIFO or character device, written as the rows come.
  bool wholeOrNothing() const { return !temporary_.empty(); }
  // The regular file that is replaced at the end: `path` with its symbolic
  // links followed.  Empty for a FIFO or character device.
  const std::string& target() const { return target_; }

  // Puts the results in place: the temporary file flushed to the disk and
  // renamed over the target; a FIFO or device closed.  Throws
  // std::runtime_error (and discards) when it cannot.
  void commit();
  // Leaves the target as it was and removes the temporary file; a FIFO or
  // device is closed, whatever was written to it stays written.
  void discard() noexcept;

 private:
  std::string path_;       // as given
  std::string target_;     // the regular file renamed over
  std::string temporary_;  // beside target_; empty when written straight through
  int fd_ = -1;
};

// Removes the temporary file of the OutputFile being written, if any.
// Async-signal-safe: for a signal handler that ends the program at once.
void removeOutputTemporary() noexcept;

}  // namespace saiha::cli
