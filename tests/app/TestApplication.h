#pragma once
// The one QApplication of the test program, on Qt's offscreen platform (no
// display needed). Created by the first test that asks for it.

#include <QApplication>
#include <cstdlib>

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "moravel_app_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return new QApplication(argc, argv);
  }();
  return *app;
}
