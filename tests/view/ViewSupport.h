#pragma once

#include <QApplication>
#include <QCoreApplication>

namespace corvatt::view::viewtest {

// The one QApplication of the test program (offscreen unless QT_QPA_PLATFORM says otherwise).
// Left alive to the end: destroying it from a static destructor crashes in Qt's own clean-up
// of the test input devices.
inline QApplication& App() {
  static int argc = 1;
  static char name[] = "test_view";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

inline void Settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

}  // namespace corvatt::view::viewtest
