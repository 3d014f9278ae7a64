#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/commands.h"
#include "analysis/store.h"
#include "analysis/ui.h"
#include "fixtures.h"

// What the fault tests share: plain fakes of the text box and the message box, a working
// directory of their own, a look at the process's open descriptors, and a way to run a case in a
// child process when it changes what the whole process may do.
namespace faults {

using MemoFake = fixtures::FakeMemo;
using MessageBoxFake = fixtures::FakeMessageBox;

// The published listings of Jeu1.
extern const std::vector<std::string> kJeu1Traitement;
extern const std::vector<std::string> kJeu1Traitement2;

// The bytes of the results file for a listing: every line ended by CR LF.
std::string FileText(const std::vector<std::string>& lines);

// The content of path when it is a regular file that can be read; nothing otherwise.
std::optional<std::string> RegularFileText(const std::string& path);

// How many of the process's descriptors are open on path (a file removed since it was opened
// counts too). -1 when the descriptors cannot be listed, so that a check never passes blindly.
int DescriptorsOn(const std::string& path);

// A fresh directory that is the current directory while the object lives. It is removed with
// what it holds afterwards, and the previous current directory comes back.
// The unprivileged user that read-only cases run as: "nobody", or ids 65534 where the name is
// unknown.
struct User {
  uid_t uid;
  gid_t gid;
};
User Nobody();

// Another program writing a file: a child process that holds the file's exclusive lock from the
// constructor until Release(). Only plain system calls run in the child, which may be a copy of a
// Qt program.
class LockHolder {
 public:
  explicit LockHolder(const char* path);
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;
  ~LockHolder();

  // Whether the child has the lock.
  bool holds() const { return holds_; }
  // Lets the child go and returns whether it ended well.
  bool Release();

 private:
  int pid_ = -1;
  int release_ = -1;  // the test's end of the pipe the child waits on
  bool holds_ = false;
};

class WorkDir {
 public:
  WorkDir();
  WorkDir(const WorkDir&) = delete;
  WorkDir& operator=(const WorkDir&) = delete;
  ~WorkDir();

  const std::string& path() const { return path_; }
  std::string Results() const { return path_ + "/" + analysis::kResultsFile; }

 private:
  std::string previous_;
  std::string path_;
};

// What one run of "Traitement" left behind, with the results file in the current directory.
struct Outcome {
  std::string error;  // the error's text; empty when the command ran to its end
  std::vector<std::string> memo;
  int descriptors = 0;              // still open on the watched file
  std::optional<std::string> file;  // the watched file's content, when it is a regular file
};

// Runs "Traitement" on memo and returns the text of the error that stopped it, or nothing when it
// ran to its end. Only rt::Error is caught: any other exception is a fault of its own and goes on
// to the test.
std::string RunCommand(analysis::Store& store, const analysis::Loader& loader, MemoFake& memo);

// Runs "Traitement" with a memo holding seed, then looks at the watched file.
Outcome RunTraitement(analysis::Store& store, const analysis::Loader& loader,
                      std::vector<std::string> seed, const std::string& watched);

// Thrown by a child's body when the case cannot be set up here; the test is then skipped with
// the reason.
struct Skip {
  std::string reason;
};

struct ChildReport {
  std::vector<Outcome> outcomes;
  std::string skipped;  // the reason, when the body threw Skip
  std::string failure;  // how the child failed, when it did
};

// Runs body in a forked child and hands back the outcomes it returned, so that the test can check
// them with its usual assertions.
ChildReport InChild(const std::function<std::vector<Outcome>()>& body);

}  // namespace faults
