
#include <gtest/gtest.h>

#include "UiTestSupport.h"

namespace {

// Widgets need one application object for the whole run; the frame finds its pictures relative
// to the working directory, as the game does in its own folder.
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "ui_tests";
        static char* argv[] = {name, nullptr};
        // Settings written by a test must never reach the real user's config folder, even when
        // the runner did not provide a private one.
        if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME")) {
            qputenv("XDG_CONFIG_HOME", LINGOMAT_BINARY_DIR "/tests/xdg-config/ui_tests");
        }
        application = std::make_unique<QApplication>(argc, argv);
        QDir::setCurrent(lingomat::testing::GameFolder());
    }
    void TearDown() override { application.reset(); }

private:
    std::unique_ptr<QApplication> application;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace
