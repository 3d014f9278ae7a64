// Real faults of the results file through the window: a press on "Traitement" shows the error
// box with the exact text and its period, the text box is as the command left it, no descriptor
// of the file stays open, and the next press works once the fault is gone.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cerrno>
#include <cstring>
#include <vector>

#include "analysis/commands.h"
#include "app/radio_group.h"
#include "window_support.h"

namespace {

constexpr int kJeu1 = 0;
constexpr int kJeu2 = 1;
// The results file writes its output out in blocks of this many bytes, and at the close.
constexpr qsizetype kOutputBuffer = 4096;
const QStringList kSeed = {"avant"};
const QByteArray kEarlierFile = "lignes d'avant\r\n";

class WindowResultsFaults : public WindowFaultTest {
 protected:
  std::string ResultsPath() const { return Results().toStdString(); }

  SeenBox Press(int item) {
    Click(window().Rd_Jeu->Item(item));
    return ClickAndCloseBox(window(), window().Btn_Traitement);
  }

  // A file that cannot be opened stops the command before it touches the text box.
  void ExpectRefused(const SeenBox& box, const char* text, const std::string& watched) {
    ExpectErrorBox(box, text);
    EXPECT_EQ(box.memo_while_shown, kSeed);
    EXPECT_EQ(MemoLines(window()), kSeed);
    EXPECT_EQ(DescriptorsOn(watched), 0);
  }

  void ExpectNextPressSucceeds() {
    const SeenBox box = Press(kJeu1);
    EXPECT_FALSE(box.seen) << box.text.toStdString();
    EXPECT_EQ(MemoLines(window()), kJeu1Traitement);
    EXPECT_EQ(ReadFile(Results()), FileBytes(kJeu1Traitement));
    EXPECT_EQ(ReadFile(Results()).size(), 101);
    EXPECT_EQ(DescriptorsOn(ResultsPath()), 0);
  }

  void WriteEarlierFile() {
    QFile file(Results());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kEarlierFile);
  }

  void SetUp() override {
    WindowFaultTest::SetUp();
    window().Memo1->setPlainText(kSeed.join(u'\n'));
  }
};

TEST_F(WindowResultsFaults, ResultsFileIsADirectory) {
  ASSERT_EQ(::mkdir(analysis::kResultsFile, 0755), 0) << std::strerror(errno);
  ExpectRefused(Press(kJeu1), "Accès au fichier refusé.", ResultsPath());
  ASSERT_EQ(::rmdir(analysis::kResultsFile), 0);
  ExpectNextPressSucceeds();
}

// The test process takes an ordinary user's identity while it presses, and root's back after:
// permissions do not hold for root, as whom CI runs. Only the effective ids change, so the
// window and everything else of the process stay as they are.
class AsUser {
 public:
  AsUser(uid_t uid, gid_t gid) {
    if (::geteuid() != 0) return;  // already an ordinary user
    if (::setegid(gid) != 0 || ::seteuid(uid) != 0) {
      error_ = std::strerror(errno);
      Restore();
      return;
    }
    switched_ = true;
  }
  AsUser(const AsUser&) = delete;
  AsUser& operator=(const AsUser&) = delete;
  ~AsUser() { Restore(); }

  const std::string& error() const { return error_; }

 private:
  void Restore() {
    if (switched_ && ::seteuid(0) != 0) std::abort();
    if (::getegid() != ::getgid() && ::setegid(::getgid()) != 0) std::abort();
    switched_ = false;
    // Changing user made the process's /proc entries root's only; they are its own again.
    ::prctl(PR_SET_DUMPABLE, 1);
  }

  bool switched_ = false;
  std::string error_;
};

TEST_F(WindowResultsFaults, ResultsFileIsReadOnly) {
  const faults::User nobody = Nobody();
  const uid_t uid = nobody.uid;
  const gid_t gid = nobody.gid;
  WriteEarlierFile();
  const std::string path = ResultsPath();
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(path.c_str(), uid, gid), 0) << std::strerror(errno);
    ASSERT_EQ(::chmod(dir().toLocal8Bit().constData(), 0755), 0);
  }

  SeenBox refused;
  SeenBox again;
  QStringList memo_after_refusal;
  {
    AsUser user(uid, gid);
    if (!user.error().empty()) {
      GTEST_SKIP() << "no unprivileged user can be had here: switching to user id " << uid
                   << " failed (" << user.error() << ")";
    }
    // The file can be read, so only its mode stands in the way of writing it.
    ASSERT_EQ(::faccessat(AT_FDCWD, path.c_str(), R_OK, AT_EACCESS), 0);
    ASSERT_NE(::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS), 0);
    refused = Press(kJeu1);
    memo_after_refusal = MemoLines(window());
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    again = Press(kJeu1);
  }
  ExpectErrorBox(refused, "Accès au fichier refusé.");
  EXPECT_EQ(refused.memo_while_shown, kSeed);
  EXPECT_EQ(memo_after_refusal, kSeed);
  EXPECT_FALSE(again.seen) << again.text.toStdString();
  EXPECT_EQ(MemoLines(window()), kJeu1Traitement);
  EXPECT_EQ(ReadFile(Results()), FileBytes(kJeu1Traitement));
  EXPECT_EQ(DescriptorsOn(path), 0);
}

// The lines up to the one during which the output first passes the buffer, or all of them when
// the listing fits it and fails at the close.
QStringList LinesUntilFirstWriteOut(const QStringList& listing) {
  QStringList lines;
  qsizetype bytes = 0;
  for (const QString& line : listing) {
    lines.append(line);
    bytes += line.size() + 2;
    if (bytes > kOutputBuffer) break;
  }
  return lines;
}

// /dev/full accepts the open and fails every write, as a full disk does.
TEST_F(WindowResultsFaults, DiskIsFull) {
  for (const int item : {kJeu1, kJeu2}) {
    SCOPED_TRACE(item == kJeu1 ? "Jeu1, which fails at the close" : "Jeu2, which fails midway");
    ASSERT_FALSE(Press(item).seen);
    const QStringList good = MemoLines(window());
    ASSERT_EQ(good.size(), item == kJeu1 ? 7 : 1759);
    ASSERT_EQ(::unlink(analysis::kResultsFile), 0);
    ASSERT_EQ(::symlink("/dev/full", analysis::kResultsFile), 0) << std::strerror(errno);

    const SeenBox full = Press(item);
    ExpectErrorBox(full, "Erreur E/S 112.");
    const QStringList expected = LinesUntilFirstWriteOut(good);
    EXPECT_EQ(full.memo_while_shown, expected);
    EXPECT_EQ(MemoLines(window()), expected);
    EXPECT_EQ(DescriptorsOn("/dev/full"), 0);

    ASSERT_EQ(::unlink(analysis::kResultsFile), 0);
    EXPECT_FALSE(Press(item).seen);
    EXPECT_EQ(MemoLines(window()), good);
    EXPECT_EQ(ReadFile(Results()), FileBytes(good));
  }
}

TEST_F(WindowResultsFaults, AnotherProgramHoldsTheFile) {
  WriteEarlierFile();
  LockHolder holder(analysis::kResultsFile);
  ASSERT_TRUE(holder.holds()) << "the other program could not lock the file";

  ExpectRefused(Press(kJeu1), "Erreur E/S 32.", ResultsPath());
  EXPECT_EQ(ReadFile(Results()), kEarlierFile);

  EXPECT_TRUE(holder.Release());
  ExpectNextPressSucceeds();
}

TEST_F(WindowResultsFaults, CurrentDirectoryRemoved) {
  const std::string gone = dir().toStdString() + "/gone";
  ASSERT_EQ(::mkdir(gone.c_str(), 0755), 0);
  ASSERT_EQ(::chdir(gone.c_str()), 0);
  ASSERT_EQ(::rmdir(gone.c_str()), 0) << std::strerror(errno);

  ExpectRefused(Press(kJeu1), "Nom de fichier incorrect.", gone + "/" + analysis::kResultsFile);

  ASSERT_EQ(::chdir(dir().toLocal8Bit().constData()), 0);
  ExpectNextPressSucceeds();
}

// The open-file limit is lowered for the press and put back after it.
TEST_F(WindowResultsFaults, NoDescriptorLeft) {
  // The undefined-behaviour sanitizer checks the type of an object the first time it meets it by
  // copying the object's memory through a pipe, which cannot be made with no descriptor left; it
  // would then report a fault that is not there. A good press and an error box before the limit
  // let it know the types of both.
  ASSERT_FALSE(Press(kJeu1).seen);
  ASSERT_EQ(::unlink(analysis::kResultsFile), 0);
  ASSERT_EQ(::mkdir(analysis::kResultsFile, 0755), 0);
  ASSERT_TRUE(Press(kJeu1).seen);
  ASSERT_EQ(::rmdir(analysis::kResultsFile), 0);
  window().Memo1->setPlainText(kSeed.join(u'\n'));

  rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
  rlimit lowered = saved;
  lowered.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &lowered), 0);
  std::vector<int> fillers;
  int error = 0;
  for (;;) {
    const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      error = errno;
      break;
    }
    fillers.push_back(fd);
  }
  const SeenBox box = error == EMFILE ? Press(kJeu1) : SeenBox{};
  for (const int fd : fillers) ::close(fd);
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &saved), 0);
  ASSERT_EQ(error, EMFILE) << std::strerror(error);

  ExpectRefused(box, "Trop de fichiers ouverts.", ResultsPath());
  ExpectNextPressSucceeds();
}

}  // namespace
