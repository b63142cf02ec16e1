#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// Small helpers shared by the MIDI writer's tests.
namespace midi_test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "brindlex-midi-XXXXXX");
        path_ = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] std::string File(const std::string& name) const { return path_ + "/" + name; }
    [[nodiscard]] std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

private:
    std::string path_;
};

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// "4D 54 68 64 ..." so that a failing comparison shows the bytes that differ.
inline std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string text;
    char byte[4];
    for (const uint8_t value : bytes) {
        std::snprintf(byte, sizeof byte, "%02X", value);
        if (!text.empty()) text += ' ';
        text += byte;
    }
    return text;
}

// Everything a command prints on its standard output, and its exit status.
struct CommandOutput {
    std::string text;
    int status = -1;
};

inline CommandOutput RunCommand(const std::string& command) {
    CommandOutput output;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) output.text.append(chunk, got);
    output.status = pclose(pipe);
    return output;
}

}  // namespace midi_test
