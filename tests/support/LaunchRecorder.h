#pragma once
// Keeps the web addresses and files the program would open, instead of opening them, for the
// life of the object. Files are kept as "file:" and their name.

#include <string>
#include <vector>

namespace yaaf {
class XGFileSpecifier;
}

namespace vorntest {

class LaunchRecorder {
public:
    LaunchRecorder();
    ~LaunchRecorder();
    LaunchRecorder(const LaunchRecorder&) = delete;
    LaunchRecorder& operator=(const LaunchRecorder&) = delete;

    std::vector<std::string> launched;
    bool answer = true; // what each launch reports

private:
    LaunchRecorder* fPrevious;
    bool (*fPreviousUrlHook)(const char*);
    bool (*fPreviousFileProc)(const yaaf::XGFileSpecifier&);
};

} // namespace vorntest
