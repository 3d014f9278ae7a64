#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "window_fixture.h"

namespace {

struct CloseCase {
  const char* name;
  void (*close)(TF_Princ& window);
};

const CloseCase kWaysToClose[] = {
    {"Quitter", [](TF_Princ& window) { Click(window.Btn_Close); }},
    // What the window system does on a click on the close box or on its close command.
    {"CloseBox", [](TF_Princ& window) { window.windowHandle()->close(); }},
};

void PrintTo(const CloseCase& c, std::ostream* out) { *out << c.name; }

class ClosingTest : public WindowTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingTest, ClosingTheWindowEndsTheEventLoop) {
  QTimer::singleShot(0, &window(), [this] { GetParam().close(window()); });
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(window().isVisible());
}

INSTANTIATE_TEST_SUITE_P(WaysToClose, ClosingTest, ::testing::ValuesIn(kWaysToClose),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
