// Test entry point: test discovery (--gtest_list_tests) runs without a display, so the
// QApplication is created only when tests actually run.
#include <QApplication>
#include <cstring>
#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    testing::InitGoogleMock(&argc, argv);
    bool listing = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) {
            listing = true;
        }
    }
    if (listing) {
        return RUN_ALL_TESTS();
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
