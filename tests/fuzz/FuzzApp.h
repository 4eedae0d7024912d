#pragma once
// The offscreen application a fuzz target that draws or decodes pictures needs, made at the
// first call and kept for the life of the process.

#include <QGuiApplication>

#include <string>

inline void FuzzGuiApplication(const char* targetName) {
    static QGuiApplication* app = [targetName] {
        static int argc = 1;
        static std::string name = targetName;
        static char* argv[] = {name.data(), nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}
