#pragma once
// The one QGuiApplication of the test program, on Qt's offscreen platform (no
// display needed). Created by the first test that asks for it. Its screen is
// at 72 dots per inch, not the offscreen default of 96, so that drawing which
// must be at 96 whatever the screen shows it.

#include <unistd.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

inline QGuiApplication& TestGuiApplication() {
  static int argc = 1;
  static char name[] = "moravel_platform_qt_tests";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = [] {
    const auto config = std::filesystem::temp_directory_path() /
                        ("moravel-offscreen-" + std::to_string(::getpid()) + ".json");
    std::ofstream(config) << R"({"screens": [{"name": "Screen72", "x": 0, "y": 0, )"
                             R"("width": 800, "height": 600, "logicalDpi": 72, )"
                             R"("logicalBaseDpi": 72, "dpr": 1}]})";
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.string()).c_str(), 1);
    auto* created = new QGuiApplication(argc, argv);
    std::filesystem::remove(config);  // read while the platform starts
    return created;
  }();
  return *app;
}
