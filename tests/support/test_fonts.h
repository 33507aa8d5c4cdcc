#pragma once

#include <string>
#include <vector>

// The folder of the running program.
std::string ProgramDirectory();

// Registers the font files of a folder for this process only (FR_PRIVATE),
// by default all the generated test fonts beside the program, or the first
// `limit` files in name order; removed again at the end of the scope.
class PrivateFonts {
public:
    explicit PrivateFonts(const std::string& folder = ProgramDirectory() + "\\testfonts",
                          size_t limit = static_cast<size_t>(-1));
    PrivateFonts(const PrivateFonts&) = delete;
    PrivateFonts& operator=(const PrivateFonts&) = delete;
    ~PrivateFonts();

    size_t Count() const { return m_files.size(); }

private:
    std::vector<std::string> m_files;
};

// Face names of the standard test set, with their OS/2 fsType.
struct TestFace {
    const char* facename;
    unsigned fsType;
};
extern const TestFace kTestFaces[];
extern const size_t kTestFaceCount;
