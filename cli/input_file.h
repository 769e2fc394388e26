// A file that zvk reads. Only a regular file is taken: a FIFO or a device
// could block the command or never end, and a folder holds no bytes.
#pragma once

#include <cstddef>
#include <string>

namespace quorbex::zvk {

class InputFile {
public:
    // Throws CommandError naming path and the reason when it cannot be
    // opened or is not a regular file.
    explicit InputFile(const std::string& path);
    ~InputFile();

    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Reads up to count bytes; fewer only at the end of the file. Throws
    // CommandError when the read fails.
    std::size_t Read(char* buffer, std::size_t count);
    // Reads from the start again. Throws CommandError when it cannot.
    void Rewind();

private:
    std::string m_path;
    int m_descriptor = -1;
};

}  // namespace quorbex::zvk
